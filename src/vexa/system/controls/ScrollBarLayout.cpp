#include "vexa/system/controls/ScrollBarLayout.h"

#include <algorithm>
#include <cstdint>

#include "vexa/system/window/Window.h"

namespace vexa::sys::scrollbar_detail {

namespace {

// A thumb shorter than this could not be grabbed.
constexpr int kMinThumbLength = 8;

// The client area in window coordinates.
RECT ClientInWindow(HWND hwnd) {
    RECT client;
    return GetClientRectInWindow(hwnd, &client) ? client : RECT{};
}

// Positions the thumb can take: max - min - max(page - 1, 0), or less than 1 when none.
std::int64_t PositionSpan(const ScrollBarState& state) {
    const std::int64_t page = std::max<std::int64_t>(std::int64_t(state.page) - 1, 0);
    return std::int64_t(state.max) - state.min - page;
}

// A rectangle spanning [from, to) along the bar and the bar's whole thickness.
RECT Slice(const RECT& bar, bool vertical, int from, int to) {
    if (to <= from) return RECT{};
    return vertical ? RECT{bar.left, from, bar.right, to} : RECT{from, bar.top, to, bar.bottom};
}

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// The thumb's length in pixels, 0 when the bar has no thumb: disabled, nothing to scroll
// over, or a track too short to hold it.
int ThumbLength(const ScrollBarState& state, int track, int thickness) {
    if (state.disabledArrows == ESB_DISABLE_BOTH || state.max <= state.min || track <= 0) return 0;
    int length = thickness;
    if (state.page > 0) {
        const std::int64_t extent = std::int64_t(state.max) - state.min + 1;
        length = int(std::int64_t(track) * state.page / extent);
    }
    length = std::max(length, kMinThumbLength);
    return length < track ? length : 0;
}

}  // namespace

RECT ScrollBarRect(HWND hwnd, int bar) {
    if (!BarShown(hwnd, bar)) return RECT{};
    const RECT client = ClientInWindow(hwnd);
    if (bar == SB_HORZ) {
        return RECT{client.left, client.bottom, client.right,
                    client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    }
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    const bool onLeft = (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    if (onLeft) return RECT{client.left - width, client.top, client.left, client.bottom};
    return RECT{client.right, client.top, client.right + width, client.bottom};
}

RECT SizeBoxRect(HWND hwnd) {
    const RECT vertical = ScrollBarRect(hwnd, SB_VERT);
    const RECT horizontal = ScrollBarRect(hwnd, SB_HORZ);
    if (vertical.right <= vertical.left || horizontal.bottom <= horizontal.top) return RECT{};
    return RECT{vertical.left, horizontal.top, vertical.right, horizontal.bottom};
}

ScrollBarLayout LayOutScrollBar(const RECT& barRect, bool vertical, const ScrollBarState& state) {
    ScrollBarLayout layout;
    layout.vertical = vertical;
    layout.bar = barRect;
    const int start = vertical ? barRect.top : barRect.left;
    const int end = vertical ? barRect.bottom : barRect.right;
    const int thickness = vertical ? barRect.Width() : barRect.Height();
    // Arrows are square; on a bar too short for two of them they share its length.
    const int arrow = std::max(0, std::min(thickness, (end - start) / 2));
    layout.lineUp = Slice(barRect, vertical, start, start + arrow);
    layout.lineDown = Slice(barRect, vertical, end - arrow, end);
    layout.trackStart = start + arrow;
    const int track = end - start - 2 * arrow;
    const int thumbLength = ThumbLength(state, track, thickness);
    if (thumbLength == 0) {
        layout.pageUp = Slice(barRect, vertical, layout.trackStart, end - arrow);
        return layout;
    }
    layout.thumbTravel = track - thumbLength;
    const std::int64_t span = PositionSpan(state);
    const int shown = state.tracking ? state.trackPos : state.pos;
    const std::int64_t offset = span > 0
                                    ? std::clamp<std::int64_t>((std::int64_t(shown) - state.min) *
                                                                   layout.thumbTravel / span,
                                                               0, layout.thumbTravel)
                                    : 0;
    const int thumbStart = layout.trackStart + int(offset);
    layout.pageUp = Slice(barRect, vertical, layout.trackStart, thumbStart);
    layout.thumb = Slice(barRect, vertical, thumbStart, thumbStart + thumbLength);
    layout.pageDown = Slice(barRect, vertical, thumbStart + thumbLength, end - arrow);
    return layout;
}

ScrollBarLayout LayOutScrollBar(HWND hwnd, int bar) {
    return LayOutScrollBar(ScrollBarRect(hwnd, bar), bar == SB_VERT, BarStateOrDefault(hwnd, bar));
}

ScrollBarPart PartAt(const ScrollBarLayout& layout, POINT p) {
    if (Contains(layout.lineUp, p)) return ScrollBarPart::LineUp;
    if (Contains(layout.lineDown, p)) return ScrollBarPart::LineDown;
    if (Contains(layout.thumb, p)) return ScrollBarPart::Thumb;
    if (Contains(layout.pageUp, p)) return ScrollBarPart::PageUp;
    if (Contains(layout.pageDown, p)) return ScrollBarPart::PageDown;
    return ScrollBarPart::None;
}

int PositionForThumbOffset(const ScrollBarLayout& layout, const ScrollBarState& state,
                           int thumbOffset) {
    const std::int64_t span = PositionSpan(state);
    if (layout.thumbTravel <= 0 || span <= 0) return state.min;
    const std::int64_t offset = std::clamp(thumbOffset, 0, layout.thumbTravel);
    // Rounded to the nearest position, so the pixel the thumb is put on gives it back.
    return int(state.min + (offset * span + layout.thumbTravel / 2) / layout.thumbTravel);
}

int AlongBar(const ScrollBarLayout& layout, POINT point) {
    return layout.vertical ? point.y : point.x;
}

POINT ScreenToWindowPoint(HWND hwnd, POINT screen) {
    RECT window;
    if (!GetWindowRect(hwnd, &window)) return screen;
    return POINT{screen.x - window.left, screen.y - window.top};
}

}  // namespace vexa::sys::scrollbar_detail
