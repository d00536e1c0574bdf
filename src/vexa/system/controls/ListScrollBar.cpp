#include "vexa/system/controls/ListScrollBar.h"

#include <algorithm>

#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

constexpr int kMinThumbLength = 8;

// The flat look's palette.
constexpr COLORREF kFlatTrack = RGB(240, 240, 240);
constexpr COLORREF kFlatArrow = RGB(96, 96, 96);
constexpr COLORREF kFlatArrowPressed = RGB(0, 0, 0);
constexpr COLORREF kFlatThumb = RGB(205, 205, 205);
constexpr COLORREF kFlatThumbPressed = RGB(150, 150, 150);
constexpr COLORREF kFlatButtonPressed = RGB(218, 218, 218);

bool CanScroll(const ListScrollInfo& info) {
    return info.maxPosition > 0 && info.count > 0;
}

void Fill(HDC hdc, const RECT& r, COLORREF color) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

// A small solid triangle centred in r, pointing up or down.
void FlatArrow(HDC hdc, const RECT& r, bool up, COLORREF color) {
    constexpr int kDepth = 4;
    const int cx = (r.left + r.right) / 2;
    const int top = (r.top + r.bottom - kDepth) / 2;
    for (int row = 0; row < kDepth; ++row) {
        const int half = up ? row : kDepth - 1 - row;
        Fill(hdc, {cx - half - 1, top + row, cx + half + 1, top + row + 1}, color);
    }
}

void DrawFlat(HDC hdc, const ListScrollLayout& layout, const RECT& bar, ListScrollPart pressed) {
    Fill(hdc, bar, kFlatTrack);
    const auto arrow = [&](const RECT& r, bool up, ListScrollPart part) {
        if (pressed == part) Fill(hdc, r, kFlatButtonPressed);
        FlatArrow(hdc, r, up, pressed == part ? kFlatArrowPressed : kFlatArrow);
    };
    arrow(layout.lineUp, true, ListScrollPart::LineUp);
    arrow(layout.lineDown, false, ListScrollPart::LineDown);
    RECT thumb = layout.thumb;
    InflateRect(&thumb, -3, 0);
    Fill(hdc, thumb, pressed == ListScrollPart::Thumb ? kFlatThumbPressed : kFlatThumb);
}

void DrawClassic(HDC hdc, const ListScrollLayout& layout, const ListScrollInfo& info,
                 ListScrollPart pressed) {
    const UINT inactive = CanScroll(info) ? 0 : DFCS_INACTIVE;
    const auto arrow = [&](RECT r, UINT kind, ListScrollPart part) {
        DrawFrameControl(hdc, &r, DFC_SCROLL,
                         kind | inactive | (pressed == part ? DFCS_PUSHED | DFCS_FLAT : 0));
    };
    arrow(layout.lineUp, DFCS_SCROLLUP, ListScrollPart::LineUp);
    arrow(layout.lineDown, DFCS_SCROLLDOWN, ListScrollPart::LineDown);
    Fill(hdc, layout.track, GetSysColor(COLOR_SCROLLBAR));
    if (pressed == ListScrollPart::PageUp || pressed == ListScrollPart::PageDown) {
        const bool up = pressed == ListScrollPart::PageUp;
        Fill(hdc,
             {layout.track.left, up ? layout.track.top : layout.thumb.bottom, layout.track.right,
              up ? layout.thumb.top : layout.track.bottom},
             GetSysColor(COLOR_3DDKSHADOW));
    }
    if (IsRectEmpty(&layout.thumb)) return;
    RECT thumb = layout.thumb;
    DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

}  // namespace

ListScrollLayout LayoutListScrollBar(const RECT& bar, const ListScrollInfo& info) {
    ListScrollLayout layout;
    const int width = bar.right - bar.left;
    const int arrow = std::min(width, (bar.bottom - bar.top) / 2);
    layout.lineUp = {bar.left, bar.top, bar.right, bar.top + arrow};
    layout.lineDown = {bar.left, bar.bottom - arrow, bar.right, bar.bottom};
    layout.track = {bar.left, layout.lineUp.bottom, bar.right, layout.lineDown.top};
    const int trackLength = layout.track.bottom - layout.track.top;
    if (!CanScroll(info) || trackLength < kMinThumbLength) return layout;
    const int length = std::clamp(int(std::int64_t(trackLength) * info.page / info.count),
                                  kMinThumbLength, trackLength);
    const int position = std::clamp(info.position, 0, info.maxPosition);
    const int top =
        layout.track.top + int(std::int64_t(trackLength - length) * position / info.maxPosition);
    layout.thumb = {bar.left, top, bar.right, top + length};
    return layout;
}

ListScrollPart ListScrollPartAt(const RECT& bar, const ListScrollInfo& info, POINT point) {
    if (!PtInRect(&bar, point)) return ListScrollPart::None;
    const ListScrollLayout layout = LayoutListScrollBar(bar, info);
    if (PtInRect(&layout.lineUp, point)) return ListScrollPart::LineUp;
    if (PtInRect(&layout.lineDown, point)) return ListScrollPart::LineDown;
    if (IsRectEmpty(&layout.thumb)) return ListScrollPart::None;
    if (point.y < layout.thumb.top) return ListScrollPart::PageUp;
    if (point.y >= layout.thumb.bottom) return ListScrollPart::PageDown;
    return ListScrollPart::Thumb;
}

int ListScrollPositionForThumb(const RECT& bar, const ListScrollInfo& info, int thumbTop) {
    const ListScrollLayout layout = LayoutListScrollBar(bar, info);
    const int travel =
        (layout.track.bottom - layout.track.top) - (layout.thumb.bottom - layout.thumb.top);
    if (IsRectEmpty(&layout.thumb) || travel <= 0) return info.position;
    const int offset = std::clamp(thumbTop - layout.track.top, 0, travel);
    // Rounded to the nearest item, so that the thumb lands where the hand left it.
    return int((std::int64_t(offset) * info.maxPosition + travel / 2) / travel);
}

void DrawListScrollBar(HDC hdc, const RECT& bar, const ListScrollInfo& info, ListScrollPart pressed,
                       bool themed) {
    const ListScrollLayout layout = LayoutListScrollBar(bar, info);
    if (themed) {
        DrawFlat(hdc, layout, bar, pressed);
    } else {
        DrawClassic(hdc, layout, info, pressed);
    }
}

}  // namespace vexa::sys
