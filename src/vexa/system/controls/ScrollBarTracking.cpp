#include "vexa/system/controls/ScrollBarTracking.h"

#include "vexa/system/controls/ScrollBarLayout.h"
#include "vexa/system/controls/ScrollBarPainter.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::scrollbar_detail {

namespace {

constexpr const char* kTrackerClass = "VexaScrollBarTracker";
constexpr std::uintptr_t kRepeatTimer = 1;
// The classic auto-repeat of arrows and track: a pause after the press, then a steady rate.
constexpr UINT kFirstRepeatDelayMs = 200;
constexpr UINT kRepeatIntervalMs = 50;

struct TrackingState {
    HWND tracker = 0;                          // hidden window holding the capture, made once
    HWND owner = 0;                            // window whose bar is pressed; 0 when none is
    int bar = SB_VERT;                         // SB_HORZ or SB_VERT
    ScrollBarPart part = ScrollBarPart::None;  // the part the press landed on
    int grabOffset = 0;      // pointer minus the thumb's leading edge along the bar, at the press
    bool repeating = false;  // the first pause is over: the timer runs at the steady rate
};

TrackingState& Tracking() {
    static TrackingState state;
    return state;
}

UINT ScrollMessageOf(int bar) {
    return bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
}

int CommandOf(ScrollBarPart part) {
    switch (part) {
        case ScrollBarPart::LineUp:
            return SB_LINEUP;
        case ScrollBarPart::LineDown:
            return SB_LINEDOWN;
        case ScrollBarPart::PageUp:
            return SB_PAGEUP;
        default:
            return SB_PAGEDOWN;
    }
}

ScrollBarState* PressedBar() {
    return BarOf(FindScrollBars(Tracking().owner), Tracking().bar);
}

bool PartReacts(ScrollBarPart part, const ScrollBarState& state) {
    switch (part) {
        case ScrollBarPart::None:
            return false;
        case ScrollBarPart::LineUp:
            return (state.disabledArrows & ESB_DISABLE_LTUP) == 0;
        case ScrollBarPart::LineDown:
            return (state.disabledArrows & ESB_DISABLE_RTDN) == 0;
        default:
            return state.disabledArrows != ESB_DISABLE_BOTH;
    }
}

HWND Tracker() {
    TrackingState& t = Tracking();
    if (!IsWindow(t.tracker)) {
        t.tracker = CreateWindowEx(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kTrackerClass, "", WS_POPUP,
                                   0, 0, 0, 0);
    }
    return t.tracker;
}

// Sends a notification of the pressed bar. Its handler may end the press or destroy the
// window; the callers look again at what they use afterwards.
void Notify(int code, int pos = 0) {
    SendMessage(Tracking().owner, ScrollMessageOf(Tracking().bar), MAKEWPARAM(code, pos), 0);
}

POINT PointerInOwner() {
    POINT screen;
    GetCursorPos(&screen);
    return ScreenToWindowPoint(Tracking().owner, screen);
}

ScrollBarPart PartUnderPointer() {
    return PartAt(LayOutScrollBar(Tracking().owner, Tracking().bar), PointerInOwner());
}

void ShowPressed(ScrollBarPart part) {
    ScrollBarState* state = PressedBar();
    if (state == nullptr || state->pressed == part) return;
    state->pressed = part;
    PaintScrollBar(Tracking().owner, Tracking().bar);
}

// The press is over: the bar looks released, the pointer is free again and, unless the window
// is going away, it learns where the thumb was left and that scrolling ended. The press is
// forgotten first, so that handlers of these notifications cannot end it a second time.
void Finish(bool notify) {
    TrackingState& t = Tracking();
    const HWND owner = t.owner;
    const int bar = t.bar;
    const bool thumb = t.part == ScrollBarPart::Thumb;
    t.owner = 0;
    t.part = ScrollBarPart::None;
    t.repeating = false;
    KillTimer(t.tracker, kRepeatTimer);
    ScrollBarState* state = BarOf(FindScrollBars(owner), bar);
    if (notify && thumb && state != nullptr) {
        // Still tracking: SIF_TRACKPOS gives the place the thumb was left at.
        SendMessage(owner, ScrollMessageOf(bar), MAKEWPARAM(SB_THUMBPOSITION, state->trackPos), 0);
        state = BarOf(FindScrollBars(owner), bar);
    }
    if (state != nullptr) {
        state->tracking = false;
        state->pressed = ScrollBarPart::None;
    }
    if (GetCapture() == t.tracker) ReleaseCapture();
    if (!IsWindow(owner)) return;
    PaintScrollBar(owner, bar);
    if (notify) SendMessage(owner, ScrollMessageOf(bar), SB_ENDSCROLL, 0);
}

// Whether the press can go on: the window still exists and still shows the bar.
bool PressStillValid() {
    const TrackingState& t = Tracking();
    if (t.owner == 0) return false;
    if (!IsWindow(t.owner)) {
        Finish(false);
        return false;
    }
    if (!BarShown(t.owner, t.bar) || PressedBar() == nullptr) {
        Finish(true);
        return false;
    }
    return true;
}

void DragThumb() {
    ScrollBarState* state = PressedBar();
    const ScrollBarLayout layout = LayOutScrollBar(Tracking().owner, Tracking().bar);
    const int offset =
        AlongBar(layout, PointerInOwner()) - Tracking().grabOffset - layout.trackStart;
    const int pos = PositionForThumbOffset(layout, *state, offset);
    if (pos == state->trackPos) return;
    state->trackPos = pos;
    PaintScrollBar(Tracking().owner, Tracking().bar);
    Notify(SB_THUMBTRACK, pos);
}

// ---- The hidden window's messages ---------------------------------------------------------

void OnMouseMove() {
    if (!PressStillValid()) return;
    if (Tracking().part == ScrollBarPart::Thumb) {
        DragThumb();
        return;
    }
    ShowPressed(PartUnderPointer() == Tracking().part ? Tracking().part : ScrollBarPart::None);
}

void OnLButtonUp() {
    if (Tracking().owner != 0) Finish(IsWindow(Tracking().owner));
}

// Arrows and track repeat while the pointer stays on the part pressed; on the track that is
// until the thumb reaches the pointer.
void OnTimer(std::uintptr_t id) {
    TrackingState& t = Tracking();
    if (id != kRepeatTimer || !PressStillValid()) return;
    // Timers come after all queued input: a button up by now was released somewhere the
    // hidden window never heard of.
    if (GetKeyState(VK_LBUTTON) >= 0) {
        Finish(true);
        return;
    }
    if (!t.repeating) {
        t.repeating = true;
        SetTimer(t.tracker, kRepeatTimer, kRepeatIntervalMs);
    }
    // A program may disable the arrow it has scrolled to the end with.
    const ScrollBarState* state = PressedBar();
    const bool overPart = PartUnderPointer() == t.part && PartReacts(t.part, *state);
    ShowPressed(overPart ? t.part : ScrollBarPart::None);
    if (overPart) Notify(CommandOf(t.part));
}

// Another window took the pointer: the press ends there.
void OnCaptureChanged() {
    if (Tracking().owner != 0) Finish(IsWindow(Tracking().owner));
}

void OnDestroy(HWND hwnd) {
    if (Tracking().tracker != hwnd) return;
    if (Tracking().owner != 0) Finish(IsWindow(Tracking().owner));
    Tracking() = TrackingState{};
}

LRESULT TrackerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_MOUSEMOVE:
            OnMouseMove();
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp();
            return 0;
        case WM_TIMER:
            OnTimer(std::uintptr_t(wParam));
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged();
            return 0;
        case WM_DESTROY:
            OnDestroy(hwnd);
            return 0;
        default:
            return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterScrollBarTracker() {
    static bool registered = false;
    if (registered) return;
    WNDCLASS cls;
    cls.lpfnWndProc = &TrackerProc;
    cls.lpszClassName = kTrackerClass;
    registered = RegisterClass(cls) != 0;
}

bool BeginScrollBarTracking(HWND hwnd, int bar, POINT screenPoint) {
    if (Tracking().owner != 0) Finish(IsWindow(Tracking().owner));
    ScrollBarState* state = BarOf(ScrollBarsOf(hwnd), bar);
    if (state == nullptr) return false;
    const ScrollBarLayout layout = LayOutScrollBar(hwnd, bar);
    const POINT point = ScreenToWindowPoint(hwnd, screenPoint);
    const ScrollBarPart part = PartAt(layout, point);
    if (!PartReacts(part, *state) || Tracker() == 0) return false;
    TrackingState& t = Tracking();
    t.owner = hwnd;
    t.bar = bar;
    t.part = part;
    t.repeating = false;
    SetCapture(t.tracker);
    if (part == ScrollBarPart::Thumb) {
        t.grabOffset =
            AlongBar(layout, point) - (layout.vertical ? layout.thumb.top : layout.thumb.left);
        state->tracking = true;
        state->trackPos = state->pos;
        PaintScrollBar(hwnd, bar);
        return true;
    }
    state->pressed = part;
    PaintScrollBar(hwnd, bar);
    SetTimer(t.tracker, kRepeatTimer, kFirstRepeatDelayMs);
    Notify(CommandOf(part));
    return true;
}

bool ContinueScrollBarTracking(HWND hwnd, UINT msg) {
    if (hwnd == 0 || Tracking().owner != hwnd) return false;
    if (msg == WM_NCLBUTTONUP) {
        OnLButtonUp();
    } else {
        OnMouseMove();
    }
    return true;
}

void CancelScrollBarTracking(HWND hwnd) {
    if (hwnd != 0 && Tracking().owner == hwnd) Finish(true);
}

void AbandonScrollBarTracking(HWND hwnd) {
    if (hwnd != 0 && Tracking().owner == hwnd) Finish(false);
}

bool IsTrackingScrollBar(HWND hwnd) {
    return hwnd != 0 && Tracking().owner == hwnd;
}

}  // namespace vexa::sys::scrollbar_detail
