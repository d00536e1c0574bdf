// cScrollBars: the grid window's horizontal and vertical scroll bars as the grid drives them:
// visibility, range, page, position and line step per bar, and the change notification
// that turns a new position into scrolling.
#pragma once

#include <array>
#include <cstdint>

#include "vexa/model/Enums.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {

// What the bars tell the grid.
class ScrollBarsHost {
  public:
    virtual ~ScrollBarsHost() = default;
    virtual void ScrollBarDidChange(EScrollBar bar, std::int32_t value) = 0;
    virtual void ScrollBarDidThumbTrack(EScrollBar bar, std::int32_t value) = 0;
    virtual void ScrollBarDidEndScroll(EScrollBar bar) = 0;
};

class cScrollBars {
  public:
    explicit cScrollBars(ScrollBarsHost& host) : host_(host) {}

    void Create(sys::HWND window) { window_ = window; }
    sys::HWND Window() const { return window_; }

    bool Visible(EScrollBar bar) const { return At(bar).visible; }
    void SetVisible(EScrollBar bar, bool visible) { At(bar).visible = visible; }
    std::int32_t Min(EScrollBar bar) const { return At(bar).min; }
    std::int32_t Max(EScrollBar bar) const { return At(bar).max; }
    // Maximum = value + the page; the minimum stays.
    void SetMax(EScrollBar bar, std::int32_t value);
    std::int32_t Value(EScrollBar bar) const { return At(bar).pos; }
    // Sets the position (clamped to the range) and notifies a change.
    void SetValue(EScrollBar bar, std::int32_t value);
    std::int32_t LargeChange(EScrollBar bar) const { return At(bar).page; }
    // The page changes and the maximum with it, so maximum - page stays.
    void SetLargeChange(EScrollBar bar, std::int32_t value);
    std::int32_t SmallChange(EScrollBar bar) const { return At(bar).smallChange; }
    void SetSmallChange(EScrollBar bar, std::int32_t value) { At(bar).smallChange = value; }
    std::int32_t Style() const { return style_; }
    void SetStyle(std::int32_t style) { style_ = style; }

  private:
    struct Bar {
        bool visible = false;
        std::int32_t min = 0;
        std::int32_t max = 0;
        std::int32_t page = 0;
        std::int32_t pos = 0;
        std::int32_t smallChange = 1;
        std::int32_t lastNotified = 0;
    };
    Bar& At(EScrollBar bar) { return bars_[bar == vxScrollBarH ? 0 : 1]; }
    const Bar& At(EScrollBar bar) const { return bars_[bar == vxScrollBarH ? 0 : 1]; }
    void NotifyChange(EScrollBar bar);

    ScrollBarsHost& host_;
    sys::HWND window_ = 0;
    std::array<Bar, 2> bars_{};
    std::int32_t style_ = 0;
};

}  // namespace vexa
