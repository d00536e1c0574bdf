// Draws a window's scroll bars into its non-client area: the classic look (arrow buttons as
// frame controls, a raised thumb, a checkered track) or, when visual styles are active for
// the window, a flat modern one. Internal to the scroll bars.
#pragma once

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys::scrollbar_detail {

// Both bars and the corner between them, as far as the window shows them.
void PaintScrollBars(HWND hwnd);
// One bar (SB_HORZ or SB_VERT) now, when the window is visible and shows it.
void PaintScrollBar(HWND hwnd, int bar);
// The same, unless the bar would look exactly as it was last painted: a range that grows by
// one row of a long list rarely moves the thumb by a pixel, and repainting it would only
// redraw the same pixels.
void RepaintScrollBarIfLookChanged(HWND hwnd, int bar);

}  // namespace vexa::sys::scrollbar_detail
