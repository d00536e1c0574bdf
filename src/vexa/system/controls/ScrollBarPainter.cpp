#include "vexa/system/controls/ScrollBarPainter.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "vexa/system/controls/ScrollBarLayout.h"
#include "vexa/system/paint/DeviceContext.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::scrollbar_detail {

namespace {

// The modern look's palette.
constexpr COLORREF kModernTrack = RGB(240, 240, 240);
constexpr COLORREF kModernThumb = RGB(205, 205, 205);
constexpr COLORREF kModernThumbDragged = RGB(96, 96, 96);
constexpr COLORREF kModernGlyph = RGB(96, 96, 96);
constexpr COLORREF kModernGlyphDisabled = RGB(191, 191, 191);
constexpr COLORREF kModernArrowPressed = RGB(96, 96, 96);
constexpr COLORREF kModernGlyphPressed = RGB(255, 255, 255);

enum class Direction { Up, Down, Left, Right };

// Everything one bar is drawn from.
struct BarPicture {
    ScrollBarLayout layout;
    ScrollBarState state;
    bool upDisabled = false;
    bool downDisabled = false;
    bool flat = false;  // the flat service's flat look was chosen for the bar
};

bool IsThemed(HWND hwnd) {
    // The theme service has no scroll-bar class of its own; whether visual styles are on for
    // this window decides between the two looks. This runs on every change of a bar's range.
    return IsWindowThemed(hwnd);
}

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

void Fill(HDC hdc, const RECT& r, COLORREF color) {
    if (IsEmpty(r)) return;
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

void SetSource(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// A one-pixel checkerboard of two colours, its phase tied to the window's corner so that
// neighbouring parts join seamlessly.
void FillChecker(HDC hdc, const RECT& r, COLORREF even, COLORREF odd) {
    const DeviceContext* dc = DeviceContext::Find(hdc);
    cairo_t* cr = dc != nullptr && !IsEmpty(r) ? dc->BeginCairo(&r) : nullptr;
    if (cr == nullptr) return;
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2, 2);
    cairo_t* tileCr = cairo_create(tile);
    SetSource(tileCr, even);
    cairo_paint(tileCr);
    SetSource(tileCr, odd);
    cairo_rectangle(tileCr, 1, 0, 1, 1);
    cairo_rectangle(tileCr, 0, 1, 1, 1);
    cairo_fill(tileCr);
    cairo_destroy(tileCr);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_set_source(cr, pattern);
    cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(tile);
    dc->EndCairo(cr);
}

// A small solid triangle centred in r: its base lies on whole pixels (so it stays sharp) and
// its slanted sides are antialiased.
void FillGlyph(HDC hdc, const RECT& r, Direction direction, COLORREF color) {
    const DeviceContext* dc = DeviceContext::Find(hdc);
    cairo_t* cr = dc != nullptr && !IsEmpty(r) ? dc->BeginCairo(&r) : nullptr;
    if (cr == nullptr) return;
    const int size = std::min(r.Width(), r.Height());
    const double half = std::max(3, int(size * 0.41) | 1) / 2.0;  // half an odd base
    const double depth = std::ceil(half);                         // base to tip
    const bool vertical = direction == Direction::Up || direction == Direction::Down;
    // Across: the centre of the base; along: where the base line sits.
    const double across = vertical ? (r.left + r.right) / 2.0 : (r.top + r.bottom) / 2.0;
    const double middle = vertical ? (r.top + r.bottom) / 2.0 : (r.left + r.right) / 2.0;
    const bool towardsStart = direction == Direction::Up || direction == Direction::Left;
    const double base =
        towardsStart ? std::ceil(middle + depth / 2) : std::floor(middle - depth / 2);
    const double tip = towardsStart ? base - depth : base + depth;
    auto point = [&](double alongValue, double acrossValue) {
        if (vertical) {
            cairo_line_to(cr, acrossValue, alongValue);
        } else {
            cairo_line_to(cr, alongValue, acrossValue);
        }
    };
    point(base, across - half);
    point(base, across + half);
    point(tip, across);
    cairo_close_path(cr);
    SetSource(cr, color);
    cairo_fill(cr);
    dc->EndCairo(cr);
}

// ---- The classic look ---------------------------------------------------------------------

void PaintClassicArrow(HDC hdc, RECT r, UINT kind, bool pressed, bool disabled, bool flat) {
    if (IsEmpty(r)) return;
    UINT state = kind;
    if (pressed) state |= DFCS_PUSHED | DFCS_FLAT;
    if (disabled) state |= DFCS_INACTIVE;
    if (flat) state |= DFCS_FLAT;
    DrawFrameControl(hdc, &r, DFC_SCROLL, state);
}

void PaintClassicTrack(HDC hdc, const RECT& r, bool pressed) {
    FillChecker(hdc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
    if (pressed && !IsEmpty(r)) InvertRect(hdc, &r);
}

void PaintClassicThumb(HDC hdc, RECT r, bool flat) {
    if (IsEmpty(r)) return;
    if (flat) {
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&r, -1, -1);
        Fill(hdc, r, GetSysColor(COLOR_BTNFACE));
        return;
    }
    DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

void PaintClassicBar(HDC hdc, const BarPicture& bar) {
    const ScrollBarLayout& l = bar.layout;
    const ScrollBarPart pressed = bar.state.pressed;
    PaintClassicArrow(hdc, l.lineUp, l.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT,
                      pressed == ScrollBarPart::LineUp, bar.upDisabled, bar.flat);
    PaintClassicArrow(hdc, l.lineDown, l.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT,
                      pressed == ScrollBarPart::LineDown, bar.downDisabled, bar.flat);
    PaintClassicTrack(hdc, l.pageUp, pressed == ScrollBarPart::PageUp);
    PaintClassicTrack(hdc, l.pageDown, pressed == ScrollBarPart::PageDown);
    PaintClassicThumb(hdc, l.thumb, bar.flat);
}

// ---- The modern look ----------------------------------------------------------------------

void PaintModernArrow(HDC hdc, const RECT& r, Direction direction, bool pressed, bool disabled) {
    if (IsEmpty(r)) return;
    const bool showPressed = pressed && !disabled;
    Fill(hdc, r, showPressed ? kModernArrowPressed : kModernTrack);
    const COLORREF glyph = disabled      ? kModernGlyphDisabled
                           : showPressed ? kModernGlyphPressed
                                         : kModernGlyph;
    FillGlyph(hdc, r, direction, glyph);
}

// A flat bar narrower than the track, so the track shows along both of its sides.
void PaintModernThumb(HDC hdc, RECT r, bool vertical, bool dragged) {
    if (IsEmpty(r)) return;
    const int thickness = vertical ? r.Width() : r.Height();
    const int inset = thickness >= 9 ? 2 : 0;
    if (vertical) {
        InflateRect(&r, -inset, 0);
    } else {
        InflateRect(&r, 0, -inset);
    }
    Fill(hdc, r, dragged ? kModernThumbDragged : kModernThumb);
}

void PaintModernBar(HDC hdc, const BarPicture& bar) {
    const ScrollBarLayout& l = bar.layout;
    const ScrollBarPart pressed = bar.state.pressed;
    Fill(hdc, l.bar, kModernTrack);
    PaintModernArrow(hdc, l.lineUp, l.vertical ? Direction::Up : Direction::Left,
                     pressed == ScrollBarPart::LineUp, bar.upDisabled);
    PaintModernArrow(hdc, l.lineDown, l.vertical ? Direction::Down : Direction::Right,
                     pressed == ScrollBarPart::LineDown, bar.downDisabled);
    PaintModernThumb(hdc, l.thumb, l.vertical, bar.state.tracking);
}

BarPicture PictureOf(HWND hwnd, int bar) {
    BarPicture picture;
    picture.state = BarStateOrDefault(hwnd, bar);
    picture.layout = LayOutScrollBar(ScrollBarRect(hwnd, bar), bar == SB_VERT, picture.state);
    picture.upDisabled = (picture.state.disabledArrows & ESB_DISABLE_LTUP) != 0;
    picture.downDisabled = (picture.state.disabledArrows & ESB_DISABLE_RTDN) != 0;
    const WindowScrollBarsState* bars = FindScrollBars(hwnd);
    picture.flat =
        bars != nullptr && bars->flatInitialized && picture.state.flatStyle != FSB_REGULAR_MODE;
    return picture;
}

BarLook LookOf(const BarPicture& picture, bool themed) {
    const ScrollBarLayout& l = picture.layout;
    BarLook look{l.bar, l.lineUp, l.lineDown, l.pageUp, l.pageDown, l.thumb};
    look.pressed = picture.state.pressed;
    look.tracking = picture.state.tracking;
    look.upDisabled = picture.upDisabled;
    look.downDisabled = picture.downDisabled;
    look.flat = picture.flat;
    look.themed = themed;
    look.known = true;
    return look;
}

void RememberLook(HWND hwnd, int bar, const BarLook& look) {
    if (ScrollBarState* state = BarOf(FindScrollBars(hwnd), bar)) state->painted = look;
}

void PaintBar(HWND hwnd, HDC hdc, int bar, bool themed) {
    if (!BarShown(hwnd, bar)) return;
    const BarPicture picture = PictureOf(hwnd, bar);
    if (themed) {
        PaintModernBar(hdc, picture);
    } else {
        PaintClassicBar(hdc, picture);
    }
    RememberLook(hwnd, bar, LookOf(picture, themed));
}

void PaintSizeBox(HWND hwnd, HDC hdc, bool themed) {
    Fill(hdc, SizeBoxRect(hwnd), themed ? kModernTrack : GetSysColor(COLOR_BTNFACE));
}

}  // namespace

void PaintScrollBars(HWND hwnd) {
    if (!IsWindowVisible(hwnd) || (!BarShown(hwnd, SB_HORZ) && !BarShown(hwnd, SB_VERT))) return;
    HDC hdc = GetWindowDC(hwnd);
    const bool themed = IsThemed(hwnd);
    PaintBar(hwnd, hdc, SB_HORZ, themed);
    PaintBar(hwnd, hdc, SB_VERT, themed);
    PaintSizeBox(hwnd, hdc, themed);
    ReleaseDC(hwnd, hdc);
}

void PaintScrollBar(HWND hwnd, int bar) {
    if (!IsWindowVisible(hwnd) || !BarShown(hwnd, bar)) return;
    HDC hdc = GetWindowDC(hwnd);
    PaintBar(hwnd, hdc, bar, IsThemed(hwnd));
    ReleaseDC(hwnd, hdc);
}

void RepaintScrollBarIfLookChanged(HWND hwnd, int bar) {
    if (!IsWindowVisible(hwnd) || !BarShown(hwnd, bar)) return;
    const bool themed = IsThemed(hwnd);
    const ScrollBarState* state = BarOf(FindScrollBars(hwnd), bar);
    if (state != nullptr && state->painted == LookOf(PictureOf(hwnd, bar), themed)) return;
    HDC hdc = GetWindowDC(hwnd);
    PaintBar(hwnd, hdc, bar, themed);
    ReleaseDC(hwnd, hdc);
}

}  // namespace vexa::sys::scrollbar_detail
