// The answers of the control to what its roles ask of the roles above them: a few lines
// each, forwarding to the parts or to the control's sequences.
#pragma once

#include "vexa/header/HeaderControl.h"
#include "vexa/interact/Keyboard.h"
#include "vexa/render/Geometry.h"
#include "vexa/render/Painter.h"
#include "vexa/render/ScrollBars.h"

namespace vexa {

struct GridParts;

class GeometryHostAdapter final : public GeometryHost {
  public:
    explicit GeometryHostAdapter(GridParts& parts) : parts_(parts) {}
    sys::RECT WindowRect() const override;
    std::int32_t BorderWidth() const override;
    std::int32_t HeaderHeight() const override;
    bool BarVisible(EScrollBar bar) const override;
    std::int32_t BarValue(EScrollBar bar) const override;
    std::int32_t BarMin(EScrollBar bar) const override;
    std::int32_t BarMax(EScrollBar bar) const override;
    bool MoreRowsMayCome() const override;
    bool RowTextActive() const override;
    bool UsesRowParity() const override;

  private:
    GridParts& parts_;
};

class PainterHostAdapter final : public PainterHost {
  public:
    explicit PainterHostAdapter(GridParts& parts) : parts_(parts) {}
    sys::HWND Window() const override;
    PaintState GatherPaintState() const override;
    bool RowRequestInProgress() const override;
    bool MoreRowsMayCome() const override;
    bool RowTextActive() const override;
    bool RequestRow(std::int32_t row) override;
    void ApplyLayout(const LayoutDecision& decision) override;
    std::int32_t HeaderHeight() const override;

  private:
    GridParts& parts_;
};

class ScrollBarsHostAdapter final : public ScrollBarsHost {
  public:
    explicit ScrollBarsHostAdapter(GridParts& parts) : parts_(parts) {}
    void ScrollBarDidChange(EScrollBar bar, std::int32_t value) override;
    void ScrollBarDidThumbTrack(EScrollBar bar, std::int32_t value) override;
    void ScrollBarDidEndScroll(EScrollBar bar) override;

  private:
    GridParts& parts_;
};

class KeyboardHostAdapter final : public KeyboardHost {
  public:
    explicit KeyboardHostAdapter(GridParts& parts) : parts_(parts) {}
    bool RowsMayFollow() const override;
    bool RequestRowAfterLast() override;

  private:
    GridParts& parts_;
};

class HeaderHostAdapter final : public HeaderHost {
  public:
    explicit HeaderHostAdapter(GridParts& parts) : parts_(parts) {}
    bool ThemesUsable() const override;
    std::int32_t LastSortCriteria() const override;
    void HeaderDidClickColumn(std::int32_t item, std::int32_t x, std::int32_t y) override;
    void HeaderDidDoubleClickColumn(std::int32_t item) override;
    void HeaderDidBeginDrag(std::int32_t item, bool& cancel) override;
    void HeaderDidEndDrag(std::int32_t item, std::int32_t newOrder, bool& cancel) override;
    void HeaderDidStartResize(std::int32_t item, std::int32_t width) override;
    void HeaderDidTrackResize(std::int32_t item, std::int32_t width) override;
    void HeaderDidResizeColumn(std::int32_t item, std::int32_t width) override;
    void HeaderDidDoubleClickDivider(std::int32_t item) override;
    void HeaderDidRightClick(std::int32_t x, std::int32_t y) override;
    void HeaderDidEnterItem(std::int32_t item) override;
    void HeaderDidLeaveItem(std::int32_t item) override;
    void HeaderWasMouseActivated(bool& cancel) override;
    void HeaderWasRecreated() override;
    void HeaderDidChangeHeight() override;
    void HeaderDidChangeVisibility() override;

  private:
    GridParts& parts_;
};

struct RoleAdapters {
    explicit RoleAdapters(GridParts& parts)
        : geometry(parts), painter(parts), scrollBars(parts), keyboard(parts), header(parts) {}
    GeometryHostAdapter geometry;
    PainterHostAdapter painter;
    ScrollBarsHostAdapter scrollBars;
    KeyboardHostAdapter keyboard;
    HeaderHostAdapter header;
};

}  // namespace vexa
