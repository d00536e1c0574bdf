#include "vexa/render/ScrollBars.h"

#include <algorithm>

#include "vexa/platform/GSubclass.h"
#include "vexa/system/controls/FlatScrollBars.h"
#include "vexa/system/controls/WindowScrollBars.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr sys::WPARAM kControlKey = 8;  // MK_CONTROL in the wheel's key state

constexpr std::array<sys::UINT, 3> kMessages = {sys::WM_HSCROLL, sys::WM_VSCROLL,
                                                sys::WM_MOUSEWHEEL};

int PlatformBar(EScrollBar bar) {
    return bar == vxScrollBarH ? sys::SB_HORZ : sys::SB_VERT;
}

std::size_t Slot(EScrollBar bar) {
    return bar == vxScrollBarH ? 0 : 1;
}

}  // namespace

cScrollBars::~cScrollBars() {
    Release();
}

void cScrollBars::Release() {
    if (window_ == 0) return;
    WriteDeferred();
    if (subclassed_ && sys::IsWindow(window_)) {
        for (sys::UINT msg : kMessages) {
            try {
                DetachMessage(this, window_, msg);
            } catch (...) {
            }
        }
    }
    subclassed_ = false;
    if (flatInitialised_ && sys::IsWindow(window_)) sys::UninitializeFlatSB(window_);
    flatInitialised_ = false;
}

void cScrollBars::Create(sys::HWND window) {
    Release();
    window_ = window;
    regularOnly_ = !sys::InitializeFlatSB(window);
    flatInitialised_ = !regularOnly_;
    if (!regularOnly_) SetStyle(style_);
    for (sys::UINT msg : kMessages) AttachMessage(this, window_, msg);
    subclassed_ = true;
}

// ---- Reading and writing the platform's bars ----

cScrollBars::Info cScrollBars::Read(EScrollBar bar) const {
    return deferring_ ? deferred_[Slot(bar)] : ReadFromPlatform(bar);
}

cScrollBars::Info cScrollBars::ReadFromPlatform(EScrollBar bar) const {
    sys::SCROLLINFO si;
    si.fMask = sys::SIF_ALL;
    Info info;
    const bool read = regularOnly_ ? sys::GetScrollInfo(window_, PlatformBar(bar), &si)
                                   : sys::FlatSB_GetScrollInfo(window_, PlatformBar(bar), &si);
    if (!read) return info;
    info.min = si.nMin;
    info.max = si.nMax;
    info.page = std::int32_t(si.nPage);
    info.pos = si.nPos;
    info.trackPos = si.nTrackPos;
    return info;
}

std::int32_t cScrollBars::Write(EScrollBar bar, std::uint32_t mask, const Info& info) {
    WriteDeferred();
    return WriteToPlatform(bar, mask, info);
}

std::int32_t cScrollBars::WriteToPlatform(EScrollBar bar, std::uint32_t mask, const Info& info) {
    sys::SCROLLINFO si;
    si.fMask = mask;
    si.nMin = info.min;
    si.nMax = info.max;
    si.nPage = sys::UINT(std::max(info.page, 0));
    si.nPos = info.pos;
    if (regularOnly_) return sys::SetScrollInfo(window_, PlatformBar(bar), &si, true);
    return sys::FlatSB_SetScrollInfo(window_, PlatformBar(bar), &si, true);
}

void cScrollBars::Defer(EScrollBar bar, const Info& info) {
    if (!deferring_) {
        deferred_ = {ReadFromPlatform(vxScrollBarH), ReadFromPlatform(vxScrollBarV)};
        waiting_ = {};
        deferring_ = true;
        sys::DeferUpdate(window_, [this] { WriteDeferred(); });
    }
    deferred_[Slot(bar)] = info;
    waiting_[Slot(bar)] = true;
}

void cScrollBars::WriteDeferred() {
    if (!deferring_) return;
    deferring_ = false;
    sys::CancelDeferredUpdate(window_);
    for (EScrollBar bar : {vxScrollBarH, vxScrollBarV}) {
        if (waiting_[Slot(bar)]) {
            WriteToPlatform(bar, sys::SIF_RANGE | sys::SIF_PAGE, deferred_[Slot(bar)]);
        }
    }
    waiting_ = {};
}

void cScrollBars::SetVisible(EScrollBar bar, bool visible) {
    WriteDeferred();
    if (regularOnly_) {
        sys::ShowScrollBar(window_, PlatformBar(bar), visible);
    } else {
        sys::FlatSB_ShowScrollBar(window_, PlatformBar(bar), visible);
    }
    At(bar).visible = visible;
}

std::int32_t cScrollBars::Min(EScrollBar bar) const {
    return Read(bar).min;
}

std::int32_t cScrollBars::Max(EScrollBar bar) const {
    return Read(bar).max;
}

void cScrollBars::SetMax(EScrollBar bar, std::int32_t value) {
    Info info = Read(bar);
    info.max = value + info.page;
    Write(bar, sys::SIF_RANGE, info);
}

std::int32_t cScrollBars::Value(EScrollBar bar) const {
    return Read(bar).pos;
}

void cScrollBars::SetValue(EScrollBar bar, std::int32_t value) {
    Info info = Read(bar);
    if (value == info.pos) return;
    info.pos = value;
    Write(bar, sys::SIF_POS, info);
    NotifyChange(bar);
}

std::int32_t cScrollBars::LargeChange(EScrollBar bar) const {
    return Read(bar).page;
}

void cScrollBars::SetLargeChange(EScrollBar bar, std::int32_t value) {
    Info info = Read(bar);
    // The same page again would leave range, page and position as they are.
    if (info.page == value) return;
    info.max += value - info.page;
    info.page = value;
    Write(bar, sys::SIF_RANGE | sys::SIF_PAGE, info);
}

std::int32_t cScrollBars::SetMaxAndLargeChange(EScrollBar bar, std::int32_t value,
                                               std::int32_t page) {
    const Info info = Read(bar);
    // Under these conditions neither write clamps the page or the position, nor shows or hides
    // the bar, and both leave maximum - page at value: the second write alone gives the same
    // bar.
    const bool oneWrite = Shown(bar) && info.page >= 1 && page >= 1 && value >= info.min;
    if (!oneWrite) {
        SetMax(bar, value);
        SetLargeChange(bar, page);
        return Value(bar);
    }
    Info next = info;
    next.max = value + page;
    next.page = page;
    // The last position is then value + 1; at or beyond the position, the write leaves the
    // position as it is and changes nothing but the thumb, which can wait to be drawn.
    if (std::int64_t(value) + 1 >= info.pos) {
        Defer(bar, next);
        return info.pos;
    }
    return Write(bar, page == info.page ? sys::SIF_RANGE : sys::SIF_RANGE | sys::SIF_PAGE, next);
}

bool cScrollBars::Shown(EScrollBar bar) const {
    const auto style = sys::GetWindowLongPtr(window_, sys::GWL_STYLE);
    return (style & (bar == vxScrollBarH ? sys::WS_HSCROLL : sys::WS_VSCROLL)) != 0;
}

bool cScrollBars::Holds(EScrollBar bar, std::int32_t value, std::int32_t page,
                        std::int32_t* position) const {
    const Info info = Read(bar);
    const bool holds = info.max - info.page == value && (page < 0 || info.page == page);
    if (holds && position != nullptr) *position = info.pos;
    return holds;
}

void cScrollBars::SetStyle(std::int32_t style) {
    WriteDeferred();
    if (!regularOnly_ && window_ != 0) {
        if (orientation_ == 0 || orientation_ == 2) {
            sys::FlatSB_SetScrollProp(window_, sys::WSB_PROP_HSTYLE, style, true);
        }
        if (orientation_ == 1 || orientation_ == 2) {
            sys::FlatSB_SetScrollProp(window_, sys::WSB_PROP_VSTYLE, style, true);
        }
    }
    style_ = style;
}

void cScrollBars::SetOrientation(std::int32_t orientation) {
    orientation_ = orientation;
    if (orientation == 0 || orientation == 2) SetVisible(vxScrollBarH, true);
    if (orientation == 1 || orientation == 2) SetVisible(vxScrollBarV, true);
}

void cScrollBars::NotifyChange(EScrollBar bar) {
    const std::int32_t value = Value(bar);
    if (value == At(bar).lastNotified) return;
    At(bar).lastNotified = value;
    host_.ScrollBarDidChange(bar, value);
}

// ---- Messages ----

void cScrollBars::HandleScroll(EScrollBar bar, std::int32_t code) {
    const Info info = Read(bar);
    switch (code) {
        case sys::SB_LINEUP:
            if (!At(bar).visible) return;
            SetValue(bar, std::max(info.pos - At(bar).smallChange, info.min));
            break;
        case sys::SB_LINEDOWN:
            if (!At(bar).visible) return;
            SetValue(bar, std::min(info.pos + At(bar).smallChange, info.max));
            break;
        case sys::SB_PAGEUP:
            SetValue(bar, info.pos - info.page);
            break;
        case sys::SB_PAGEDOWN:
            SetValue(bar, info.pos + info.page);
            break;
        case sys::SB_THUMBTRACK:
            SetValue(bar, info.trackPos);
            host_.ScrollBarDidThumbTrack(bar, info.trackPos);
            return;
        case sys::SB_TOP:
            SetValue(bar, info.min);
            break;
        case sys::SB_BOTTOM:
            SetValue(bar, info.max);
            break;
        case sys::SB_ENDSCROLL:
            host_.ScrollBarDidEndScroll(bar);
            return;
        default:
            return;
    }
    NotifyChange(bar);
}

sys::LRESULT cScrollBars::WindowProc(sys::HWND, sys::UINT msg, sys::WPARAM wParam, sys::LPARAM) {
    if (msg == sys::WM_MOUSEWHEEL) {
        const EScrollBar bar =
            (sys::LOWORD(wParam) & kControlKey) != 0 ? vxScrollBarH : vxScrollBarV;
        const auto delta = std::int16_t(sys::HIWORD(wParam));
        HandleScroll(bar, delta < 0 ? sys::SB_LINEDOWN : sys::SB_LINEUP);
        return 0;
    }
    HandleScroll(msg == sys::WM_HSCROLL ? vxScrollBarH : vxScrollBarV,
                 std::int32_t(sys::LOWORD(wParam)));
    return 0;
}

}  // namespace vexa
