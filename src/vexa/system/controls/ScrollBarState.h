// What each window's scroll bars hold, kept by window handle and dropped when the window is
// destroyed. Internal to the scroll bars.
#pragma once

#include "vexa/system/controls/ControlMessages.h"

namespace vexa::sys::scrollbar_detail {

// The parts of a bar, from its top (left) end to its bottom (right) end.
enum class ScrollBarPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

// What decides a bar's pixels: its parts' rectangles in the window and how each is drawn.
struct BarLook {
    RECT bar, lineUp, lineDown, pageUp, pageDown, thumb;
    ScrollBarPart pressed = ScrollBarPart::None;
    bool tracking = false;
    bool upDisabled = false;
    bool downDisabled = false;
    bool flat = false;
    bool themed = false;
    bool known = false;  // false until the bar has been painted
    friend bool operator==(const BarLook&, const BarLook&) = default;
};

struct ScrollBarState {
    int min = 0;                                  // range minimum
    int max = 100;                                // range maximum; 0..100 until a program sets it
    UINT page = 0;                                // page size, at most max - min + 1
    int pos = 0;                                  // position, in [min, max - max(page - 1, 0)]
    int trackPos = 0;                             // the thumb's position while it is dragged
    bool tracking = false;                        // the thumb is dragged: drawn at trackPos
    UINT disabledArrows = ESB_ENABLE_BOTH;        // ESB_DISABLE_* bits of EnableScrollBar
    int flatStyle = FSB_REGULAR_MODE;             // look chosen through the flat service
    ScrollBarPart pressed = ScrollBarPart::None;  // part drawn pushed under the pointer
    BarLook painted;                              // what the bar was last painted as
};

struct WindowScrollBarsState {
    ScrollBarState horizontal;     // SB_HORZ
    ScrollBarState vertical;       // SB_VERT
    bool flatInitialized = false;  // InitializeFlatSB has been called for the window
};

// The window's bars, or nullptr when nothing was stored for it yet.
WindowScrollBarsState* FindScrollBars(HWND hwnd);
// The window's bars, created with the defaults when needed; nullptr for an invalid window.
WindowScrollBarsState* ScrollBarsOf(HWND hwnd);
void ForgetScrollBars(HWND hwnd);

// One bar (SB_HORZ or SB_VERT) of a stored window; nullptr for other bar ids.
ScrollBarState* BarOf(WindowScrollBarsState* bars, int bar);
// The bar's state as it is, or the defaults of a window with nothing stored.
ScrollBarState BarStateOrDefault(HWND hwnd, int bar);
// Whether the window shows the bar (its style bit).
bool BarShown(HWND hwnd, int bar);

}  // namespace vexa::sys::scrollbar_detail
