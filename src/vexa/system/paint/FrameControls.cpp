// Classic 3-D edges and frame controls (check boxes, push buttons, scroll and combo arrow
// buttons) drawn in the
// system colours with the pixel-exact primitives.
#include <algorithm>

#include "vexa/system/paint/DeviceContext.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

void Fill(HDC hdc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

// One ring of an edge: the top and left sides first, then bottom and right, which own the
// top-right and bottom-left corners as in the classic look.
void Ring(HDC hdc, const RECT& r, std::uint32_t sides, COLORREF topLeft, COLORREF bottomRight) {
    if (sides & BF_TOP) Fill(hdc, {r.left, r.top, r.right, r.top + 1}, topLeft);
    if (sides & BF_LEFT) Fill(hdc, {r.left, r.top, r.left + 1, r.bottom}, topLeft);
    if (sides & BF_BOTTOM) Fill(hdc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    if (sides & BF_RIGHT) Fill(hdc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

RECT Shrunk(const RECT& r, std::uint32_t sides) {
    return {r.left + ((sides & BF_LEFT) ? 1 : 0), r.top + ((sides & BF_TOP) ? 1 : 0),
            r.right - ((sides & BF_RIGHT) ? 1 : 0), r.bottom - ((sides & BF_BOTTOM) ? 1 : 0)};
}

struct RingColors {
    COLORREF topLeft;
    COLORREF bottomRight;
};

RingColors OuterColors(std::uint32_t edge) {
    if (edge & BDR_RAISEDOUTER) return {GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW)};
    return {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)};
}

RingColors InnerColors(std::uint32_t edge) {
    if (edge & BDR_RAISEDINNER)
        return {GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
    return {GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)};
}

// The classic check mark: a 7x7 tick, 3 pixels thick, scaled to boxes larger than 13.
void CheckMark(HDC hdc, const RECT& inner, COLORREF color) {
    const int size = std::min(inner.right - inner.left, inner.bottom - inner.top);
    if (size < 5) return;
    const int scale = std::max(1, size / 9);
    const int markSize = 7 * scale;
    const int x0 = inner.left + (inner.right - inner.left - markSize) / 2;
    const int y0 = inner.top + (inner.bottom - inner.top - markSize) / 2;
    // Column c of the tick starts at row kTop[c] (before scaling) and is 3 rows high.
    static constexpr int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int c = 0; c < 7; ++c) {
        const RECT column{x0 + c * scale, y0 + kTop[c] * scale, x0 + (c + 1) * scale,
                          y0 + (kTop[c] + 3) * scale};
        Fill(hdc, column, color);
    }
}

bool DrawCheckBox(HDC hdc, const RECT& rect, std::uint32_t state) {
    // The box is the largest square of the rectangle, centred in it.
    const int size = std::min(rect.right - rect.left, rect.bottom - rect.top);
    if (size <= 0) return true;
    const int left = rect.left + (rect.right - rect.left - size) / 2;
    const int top = rect.top + (rect.bottom - rect.top - size) / 2;
    RECT box{left, top, left + size, top + size};
    const bool inactive = (state & DFCS_INACTIVE) != 0;
    const bool pushed = (state & DFCS_PUSHED) != 0;
    const bool threeState = (state & DFCS_BUTTON3STATE) == DFCS_BUTTON3STATE;
    const bool checked = (state & DFCS_CHECKED) != 0;
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        FrameRect(hdc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
        box = {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    } else {
        DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    const bool faceFill = inactive || pushed || (threeState && checked);
    Fill(hdc, box, GetSysColor(faceFill ? COLOR_BTNFACE : COLOR_WINDOW));
    if (!checked) return true;
    const bool grey = inactive || threeState;
    CheckMark(hdc, box, GetSysColor(grey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    return true;
}

enum class Direction { Up, Down, Left, Right };

// A solid triangle pointing in direction, its rows narrowing by two pixels, centred in r.
void Arrow(HDC hdc, const RECT& r, Direction direction, COLORREF color) {
    const int size = std::min(r.right - r.left, r.bottom - r.top);
    const int base = std::min(7, std::max(1, (size / 2) | 1));
    const int depth = (base + 1) / 2;
    const bool vertical = direction == Direction::Up || direction == Direction::Down;
    const int x0 = r.left + (r.right - r.left - (vertical ? base : depth)) / 2;
    const int y0 = r.top + (r.bottom - r.top - (vertical ? depth : base)) / 2;
    for (int i = 0; i < depth; ++i) {
        // Step i from the base towards the tip.
        switch (direction) {
            case Direction::Down:
                Fill(hdc, {x0 + i, y0 + i, x0 + base - i, y0 + i + 1}, color);
                break;
            case Direction::Up:
                Fill(hdc, {x0 + i, y0 + depth - 1 - i, x0 + base - i, y0 + depth - i}, color);
                break;
            case Direction::Right:
                Fill(hdc, {x0 + i, y0 + i, x0 + i + 1, y0 + base - i}, color);
                break;
            case Direction::Left:
                Fill(hdc, {x0 + depth - 1 - i, y0 + i, x0 + depth - i, y0 + base - i}, color);
                break;
        }
    }
}

// The face of a push button or arrow button; returns the area inside its edges.
RECT ButtonFace(HDC hdc, const RECT& rect, std::uint32_t state) {
    RECT face = rect;
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        FrameRect(hdc, &face, GetSysColorBrush(COLOR_BTNSHADOW));
        face = {face.left + 1, face.top + 1, face.right - 1, face.bottom - 1};
    } else if (state & DFCS_PUSHED) {
        DrawEdge(hdc, &face, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_ADJUST);
    } else {
        DrawEdge(hdc, &face, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    Fill(hdc, face, GetSysColor(COLOR_BTNFACE));
    return face;
}

bool DrawArrowButton(HDC hdc, const RECT& rect, std::uint32_t state, Direction direction) {
    RECT arrow = ButtonFace(hdc, rect, state);
    if (state & DFCS_PUSHED) OffsetRect(&arrow, 1, 1);
    if (state & DFCS_INACTIVE) {
        RECT shadow = arrow;
        OffsetRect(&shadow, 1, 1);
        Arrow(hdc, shadow, direction, GetSysColor(COLOR_BTNHIGHLIGHT));
        Arrow(hdc, arrow, direction, GetSysColor(COLOR_BTNSHADOW));
    } else {
        Arrow(hdc, arrow, direction, GetSysColor(COLOR_BTNTEXT));
    }
    return true;
}

bool DrawScrollControl(HDC hdc, const RECT& rect, std::uint32_t state) {
    switch (state & 0x00FF) {
        case DFCS_SCROLLUP:
            return DrawArrowButton(hdc, rect, state, Direction::Up);
        case DFCS_SCROLLDOWN:
        case DFCS_SCROLLCOMBOBOX:
            return DrawArrowButton(hdc, rect, state, Direction::Down);
        case DFCS_SCROLLLEFT:
            return DrawArrowButton(hdc, rect, state, Direction::Left);
        case DFCS_SCROLLRIGHT:
            return DrawArrowButton(hdc, rect, state, Direction::Right);
        default:
            return false;
    }
}

}  // namespace

bool DrawEdge(HDC hdc, RECT* rect, std::uint32_t edge, std::uint32_t flags) {
    if (DeviceContext::Find(hdc) == nullptr || rect == nullptr) return false;
    RECT r = *rect;
    const std::uint32_t sides = flags & BF_RECT;
    if (flags & (BF_FLAT | BF_MONO)) {
        const COLORREF outer = GetSysColor((flags & BF_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
        if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
            Ring(hdc, r, sides, outer, outer);
            r = Shrunk(r, sides);
        }
        if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
            const COLORREF inner = GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
            Ring(hdc, r, sides, inner, inner);
            r = Shrunk(r, sides);
        }
    } else {
        if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
            const RingColors c = OuterColors(edge);
            Ring(hdc, r, sides, c.topLeft, c.bottomRight);
            r = Shrunk(r, sides);
        }
        if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
            const RingColors c = InnerColors(edge);
            Ring(hdc, r, sides, c.topLeft, c.bottomRight);
            r = Shrunk(r, sides);
        }
    }
    if (flags & BF_MIDDLE) Fill(hdc, r, GetSysColor(COLOR_BTNFACE));
    if (flags & BF_ADJUST) *rect = r;
    return true;
}

bool DrawFrameControl(HDC hdc, RECT* rect, std::uint32_t type, std::uint32_t state) {
    if (DeviceContext::Find(hdc) == nullptr || rect == nullptr) return false;
    constexpr std::uint32_t kKindMask = 0x00FF;
    if (type == DFC_BUTTON && (state & kKindMask & ~DFCS_BUTTON3STATE) == DFCS_BUTTONCHECK)
        return DrawCheckBox(hdc, *rect, state);
    if (type == DFC_BUTTON && (state & kKindMask) == DFCS_BUTTONPUSH) {
        ButtonFace(hdc, *rect, state);
        return true;
    }
    if (type == DFC_SCROLL) return DrawScrollControl(hdc, *rect, state);
    return false;
}

}  // namespace vexa::sys
