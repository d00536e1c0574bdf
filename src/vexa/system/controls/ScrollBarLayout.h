// Where a window's scroll bars and their parts are, in window coordinates (the window's
// top-left corner is (0, 0)), and the mapping between thumb pixels and positions. Internal
// to the scroll bars.
#pragma once

#include "vexa/system/controls/ScrollBarState.h"

namespace vexa::sys::scrollbar_detail {

struct ScrollBarLayout {
    bool vertical = true;  // SB_VERT: the parts run from top to bottom
    RECT bar;              // the whole bar
    RECT lineUp;           // the up (left) arrow button
    RECT lineDown;         // the down (right) arrow button
    RECT pageUp;           // track between the up arrow and the thumb (all of it without thumb)
    RECT pageDown;         // track between the thumb and the down arrow
    RECT thumb;            // empty when the bar has no thumb
    int trackStart = 0;    // first pixel of the track along the bar
    int thumbTravel = 0;   // how far the thumb can move: track length minus thumb length
};

// The bar's rectangle beside the client area; empty when the window does not show the bar.
RECT ScrollBarRect(HWND hwnd, int bar);
// The corner between both bars; empty unless both show.
RECT SizeBoxRect(HWND hwnd);

// The parts of a bar in barRect for the state; the thumb stands at trackPos while dragged.
ScrollBarLayout LayOutScrollBar(const RECT& barRect, bool vertical, const ScrollBarState& state);
ScrollBarLayout LayOutScrollBar(HWND hwnd, int bar);
ScrollBarPart PartAt(const ScrollBarLayout& layout, POINT windowPoint);

// The position that puts the thumb's leading edge thumbOffset pixels into the track.
int PositionForThumbOffset(const ScrollBarLayout& layout, const ScrollBarState& state,
                           int thumbOffset);
// The coordinate along the bar (y for a vertical bar, x for a horizontal one).
int AlongBar(const ScrollBarLayout& layout, POINT point);

// A screen point in the window's coordinates.
POINT ScreenToWindowPoint(HWND hwnd, POINT screen);

}  // namespace vexa::sys::scrollbar_detail
