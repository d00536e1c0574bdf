// The answers of the control to what its roles ask of the roles above them: a few lines
// each, forwarding to the parts or to the control's sequences.
#pragma once

#include "vexa/combo/CombosHost.h"
#include "vexa/combo/DropDownList.h"
#include "vexa/header/HeaderControl.h"
#include "vexa/interact/CellEditor.h"
#include "vexa/interact/Keyboard.h"
#include "vexa/interact/Mouse.h"
#include "vexa/model/CellValues.h"
#include "vexa/render/Geometry.h"
#include "vexa/render/Painter.h"
#include "vexa/render/ScrollBars.h"
#include "vexa/system/dragdrop/ControlDragDrop.h"

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

// ---- Combo lists and editing ----

class EditorHostAdapter final : public EditorHost {
  public:
    explicit EditorHostAdapter(GridParts& parts) : parts_(parts) {}
    sys::HWND GridWindow() const override;
    void EditorDidAskToCommit() override;
    void EditorDidAskToCancel() override;
    void EditorDidLoseFocus() override;

  private:
    GridParts& parts_;
};

class DropDownOwnerAdapter final : public DropDownListOwner {
  public:
    explicit DropDownOwnerAdapter(GridParts& parts) : parts_(parts) {}
    void DropDownDidEndSelection(DropDownList& list) override;
    void DropDownDidCloseUp(DropDownList& list) override;
    void DropDownKeyWentDown(DropDownList& list, std::int32_t& keyCode,
                             std::int32_t shift) override;
    void DropDownDidHandleKey(DropDownList& list) override;

  private:
    GridParts& parts_;
};

class CombosHostAdapter final : public CombosHost {
  public:
    explicit CombosHostAdapter(GridParts& parts) : parts_(parts) {}
    sys::HWND ListParentWindow() const override;
    std::shared_ptr<Font> GridFont() const override;
    bool UsesVisualStyles() const override;
    sys::HIMAGELIST ItemImages() const override;
    DropDownListOwner& DropDownOwner() override;
    void ComboListWillBeRemoved(std::int16_t listIndex) override;

  private:
    GridParts& parts_;
};

class ComboListsAdapter final : public ComboListSource {
  public:
    explicit ComboListsAdapter(GridParts& parts) : parts_(parts) {}
    std::int16_t ListIndexOfKey(const std::string& key) const override;
    std::string KeyOfList(std::int16_t listIndex) const override;
    ComboMatch MatchItem(std::int16_t listIndex, const Variant& value) const override;
    std::string ItemText(std::int16_t listIndex, std::int16_t itemIndex) const override;

  private:
    GridParts& parts_;
};

struct EditingAdapters {
    explicit EditingAdapters(GridParts& parts)
        : editor(parts), dropDowns(parts), combos(parts), comboLists(parts) {}
    EditorHostAdapter editor;
    DropDownOwnerAdapter dropDowns;
    CombosHostAdapter combos;
    ComboListsAdapter comboLists;
};

// ---- Mouse and drag and drop ----

class MouseHostAdapter final : public MouseHost {
  public:
    explicit MouseHostAdapter(GridParts& parts) : parts_(parts) {}
    sys::HWND MouseWindow() const override;
    CellControl ControlOf(CellSpot cell) const override;
    bool ControlsHaveHotLook() const override;
    void MouseDidHoldBeyondEdge() override;

  private:
    GridParts& parts_;
};

// The control window's drag-and-drop notifications, raised as the grid's own events
// (host/VexaDragDrop.cpp).
class DragDropEventsAdapter final : public sys::ControlDragDropEvents {
  public:
    explicit DragDropEventsAdapter(GridParts& parts) : parts_(parts) {}
    void OLEStartDrag(std::shared_ptr<DataObject>& Data, std::int32_t& AllowedEffects) override;
    void OLESetData(std::shared_ptr<DataObject>& Data, std::int16_t& DataFormat) override;
    void OLEGiveFeedback(std::int32_t& Effect, bool& DefaultCursors) override;
    void OLEDragOver(std::shared_ptr<DataObject>& Data, std::int32_t& Effect, std::int16_t& Button,
                     std::int16_t& Shift, float& x, float& y, std::int16_t& State) override;
    void OLEDragDrop(std::shared_ptr<DataObject>& Data, std::int32_t& Effect, std::int16_t& Button,
                     std::int16_t& Shift, float& x, float& y) override;
    void OLECompleteDrag(std::int32_t& Effect) override;

  private:
    GridParts& parts_;
};

struct MouseAdapters {
    explicit MouseAdapters(GridParts& parts) : mouse(parts), dragDrop(parts) {}
    MouseHostAdapter mouse;
    DragDropEventsAdapter dragDrop;
};

}  // namespace vexa
