// The window scroll bars: the bars a window gets with WS_HSCROLL / WS_VSCROLL, drawn in its
// non-client area and driven by the mouse, with the classic functions to read and change
// them. A press on a bar sends WM_HSCROLL / WM_VSCROLL to the window (lParam 0); the window
// moves its content and sets the new position itself, as on the classic platform.
//
// Range, page and position follow the classic rules: an inverted range becomes (0, 0), the
// page is at most max - min + 1, and the position stays within
// [min, max - max(page - 1, 0)]. A change of range or page that leaves nothing to scroll
// hides the bar (or disables it with SIF_DISABLENOSCROLL); one that gives something to
// scroll shows and enables it. A window created with a bar starts with the range 0..100.
#pragma once

#include "vexa/system/controls/ControlMessages.h"

namespace vexa::sys {

// Lets DefWindowProc draw the bars and handle presses on them. Every function of the scroll
// bars calls it, so a program never has to; calling it again changes nothing.
void RegisterWindowScrollBars();

// bar: SB_HORZ or SB_VERT. Returns the position after the change, 0 on failure.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, bool redraw);
// Fills the members fMask names; false for a window without the bar or a malformed request.
// SIF_TRACKPOS gives the thumb's place while it is dragged, else the position.
bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
// Returns the previous position.
int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw);
int GetScrollPos(HWND hwnd, int bar);
bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw);
// Both 0 for a window without the bar.
bool GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
// bar: SB_HORZ, SB_VERT or SB_BOTH. Changes the style bits and recomputes the frame, so the
// client area changes and the window gets WM_SIZE.
bool ShowScrollBar(HWND hwnd, int bar, bool show);
// bars: SB_HORZ, SB_VERT or SB_BOTH; arrows: ESB_*. Returns false when nothing changed.
bool EnableScrollBar(HWND hwnd, UINT bars, UINT arrows);

}  // namespace vexa::sys
