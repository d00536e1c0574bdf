// Follows a mouse press on a window's scroll bar until the button goes up: arrows and track
// repeat their notification while held, the thumb follows the pointer. The pointer is kept
// by a hidden window of the scroll bars, so the window whose bar is pressed gets none of the
// client mouse messages a press inside it would give. Internal to the scroll bars.
#pragma once

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys::scrollbar_detail {

// Registers the hidden window's class (once).
void RegisterScrollBarTracker();
// Starts following a press at a screen point on the window's bar (SB_HORZ or SB_VERT) and
// sends its first notification. False when the press landed on nothing that reacts.
bool BeginScrollBarTracking(HWND hwnd, int bar, POINT screenPoint);
// A pointer move (WM_NCMOUSEMOVE) or release (WM_NCLBUTTONUP) that reached the frame of the
// window whose bar is pressed: input queued before the press was taken went where the
// pointer was, not to the hidden window. False when no press of that window is followed.
bool ContinueScrollBarTracking(HWND hwnd, UINT msg);
// Ends a press on the window's bars as a release does (SB_ENDSCROLL follows).
void CancelScrollBarTracking(HWND hwnd);
// Drops a press on a window that goes away, without notifying it.
void AbandonScrollBarTracking(HWND hwnd);
bool IsTrackingScrollBar(HWND hwnd);

}  // namespace vexa::sys::scrollbar_detail
