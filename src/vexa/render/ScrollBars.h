// cScrollBars: the grid window's horizontal and vertical scroll bars as the grid drives them
// (the window's own bars, or the flat ones of the flat scroll-bar service when it can be
// initialised): visibility, range, page, position and line step per bar; the scroll and
// wheel messages of the window turned into position changes; and the change notification
// that turns a new position into scrolling.
#pragma once

#include <array>
#include <cstdint>

#include "vexa/model/Enums.h"
#include "vexa/platform/ISubclass.h"
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

class cScrollBars final : public ISubclass {
  public:
    explicit cScrollBars(ScrollBarsHost& host) : host_(host) {}
    ~cScrollBars() override;
    cScrollBars(const cScrollBars&) = delete;
    cScrollBars& operator=(const cScrollBars&) = delete;

    // Stops receiving the messages of the previous window, takes `window`, sets up the flat
    // service for it (falling back to the regular bars for good when that fails), applies
    // the style and receives the window's scroll and wheel messages.
    void Create(sys::HWND window);
    sys::HWND Window() const { return window_; }

    bool Visible(EScrollBar bar) const { return At(bar).visible; }
    void SetVisible(EScrollBar bar, bool visible);
    std::int32_t Min(EScrollBar bar) const;
    std::int32_t Max(EScrollBar bar) const;
    // Maximum = value + the page; the minimum stays.
    void SetMax(EScrollBar bar, std::int32_t value);
    std::int32_t Value(EScrollBar bar) const;
    // Sets the position (the platform clamps it to the range) and notifies a change.
    void SetValue(EScrollBar bar, std::int32_t value);
    std::int32_t LargeChange(EScrollBar bar) const;
    // The page changes and the maximum with it, so maximum - page stays.
    void SetLargeChange(EScrollBar bar, std::int32_t value);
    // SetMax(value) then SetLargeChange(page), in one write to the platform when the bar is
    // showing and keeps something to scroll with a page of at least one before and after.
    // Returns the position the bar has then.
    std::int32_t SetMaxAndLargeChange(EScrollBar bar, std::int32_t value, std::int32_t page);
    // Whether the bar already holds what SetMax(value) and SetLargeChange(page) would give it
    // (a negative page: whatever page it has).
    // When it does and `position` is given, the bar's position is stored there.
    bool Holds(EScrollBar bar, std::int32_t value, std::int32_t page,
               std::int32_t* position = nullptr) const;
    std::int32_t SmallChange(EScrollBar bar) const { return At(bar).smallChange; }
    void SetSmallChange(EScrollBar bar, std::int32_t value) { At(bar).smallChange = value; }
    std::int32_t Style() const { return style_; }
    void SetStyle(std::int32_t style);
    // 0 horizontal only, 1 vertical only, 2 both: stored, and the bars it names are shown.
    void SetOrientation(std::int32_t orientation);
    // True when the flat scroll-bar service could not be set up for the window.
    bool RegularApiOnly() const { return regularOnly_; }

    // ---- ISubclass: the window's WM_HSCROLL, WM_VSCROLL and WM_MOUSEWHEEL
    EMsgResponse MsgResponse() override { return emrConsume; }
    sys::LRESULT WindowProc(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                            sys::LPARAM lParam) override;

  private:
    struct Bar {
        bool visible = false;
        std::int32_t smallChange = 1;
        std::int32_t lastNotified = 0;
    };
    Bar& At(EScrollBar bar) { return bars_[bar == vxScrollBarH ? 0 : 1]; }
    const Bar& At(EScrollBar bar) const { return bars_[bar == vxScrollBarH ? 0 : 1]; }
    struct Info {
        std::int32_t min = 0;
        std::int32_t max = 0;
        std::int32_t page = 0;
        std::int32_t pos = 0;
        std::int32_t trackPos = 0;
    };
    // The bar as the platform will have it: what waits to be written, else the platform's.
    Info Read(EScrollBar bar) const;
    Info ReadFromPlatform(EScrollBar bar) const;
    // Whether the window's style shows the bar now.
    bool Shown(EScrollBar bar) const;
    // Writes what waits first. Returns the position the platform reports after the write.
    std::int32_t Write(EScrollBar bar, std::uint32_t mask, const Info& info);
    std::int32_t WriteToPlatform(EScrollBar bar, std::uint32_t mask, const Info& info);
    // Keeps a range and page for the platform until something could see them (the bar's
    // pixels, a read of the window's bars, the message loop), then writes the last one.
    void Defer(EScrollBar bar, const Info& info);
    void WriteDeferred();
    void NotifyChange(EScrollBar bar);
    void HandleScroll(EScrollBar bar, std::int32_t code);
    void Release();

    ScrollBarsHost& host_;
    sys::HWND window_ = 0;
    std::array<Bar, 2> bars_{};
    // While rows are appended one by one the vertical bar's range grows with each, and nothing
    // looks at it in between: both bars as the platform will have them, and which of them
    // still wait to be written. Valid while `deferring_`.
    std::array<Info, 2> deferred_{};
    std::array<bool, 2> waiting_{};
    bool deferring_ = false;
    std::int32_t style_ = 0;
    std::int32_t orientation_ = 2;
    bool regularOnly_ = false;
    bool flatInitialised_ = false;
    bool subclassed_ = false;
};

}  // namespace vexa
