// Painting the edit control: the parent's colour answer (WM_CTLCOLOREDIT, or
// WM_CTLCOLORSTATIC when read-only or disabled) fills the background and colours the text;
// then each line in view is drawn, with the selection in the highlight colours while the
// control has the focus (or always with ES_NOHIDESEL). Work depends on the lines in view,
// never on the length of the text.
#include <pango/pangocairo.h>

#include <algorithm>

#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/controls/EditState.h"
#include "vexa/system/paint/DeviceContext.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::edit_control {

namespace {

struct LineColors {
    COLORREF text;
    COLORREF back;
    bool opaque;  // the text's own background is filled with `back`
};

struct Selection {
    int start;
    int end;  // equal to start when nothing is shown selected
};

// Sets the default colours on the context, lets the parent change them, and returns the
// brush for the background (a system colour + 1 when the parent leaves it to the default).
HBRUSH AskParentForColors(const EditState& state, HDC hdc) {
    const bool disabled = !IsWindowEnabled(state.hwnd);
    const bool greyed = disabled || IsReadOnly(state);
    const int background = greyed ? COLOR_BTNFACE : COLOR_WINDOW;
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(background));
    SetBkMode(hdc, OPAQUE);
    const HWND parent = GetParent(state.hwnd);
    HBRUSH brush = 0;
    if (parent != 0) {
        brush = HBRUSH(SendMessage(parent, greyed ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                   WPARAM(hdc), LPARAM(state.hwnd)));
    }
    if (disabled) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    return brush != 0 ? brush : HBRUSH(background + 1);
}

RECT Intersection(const RECT& a, const RECT& b) {
    RECT result;
    IntersectRect(&result, &a, &b);
    return result;
}

void Fill(const DeviceContext& dc, const RECT& clip, const RECT& box, COLORREF color) {
    const RECT area = Intersection(clip, box);
    cairo_t* cr = dc.BeginCairo(&area);
    if (cr == nullptr) return;
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
    cairo_rectangle(cr, box.left, box.top, box.Width(), box.Height());
    cairo_fill(cr);
    dc.EndCairo(cr);
}

void Show(const DeviceContext& dc, const RECT& clip, PangoLayout* layout, POINT at, int ascent,
          COLORREF color) {
    cairo_t* cr = dc.BeginCairo(&clip);
    if (cr == nullptr) return;
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
    const int baseline = pango_layout_get_baseline(layout) / PANGO_SCALE;
    cairo_move_to(cr, at.x, at.y + ascent - baseline);
    pango_cairo_show_layout(cr, layout);
    dc.EndCairo(cr);
}

void DrawLine(const EditState& state, const DeviceContext& dc, const RECT& clip, int line,
              const LineColors& colors, const Selection& selection) {
    const EditLine& l = state.text.Lines()[line];
    if (l.length == 0) return;
    const std::u32string_view shown = state.text.Range(l.start, l.start + l.length);
    const POINT at{state.view.LineLeft(state.text, line), state.view.LineTop(line)};
    const int height = state.view.LineHeight();
    const int ascent = state.measure.Font().Metrics().tmAscent;
    const int width = state.measure.Width(shown);
    if (colors.opaque) Fill(dc, clip, RECT{at.x, at.y, at.x + width, at.y + height}, colors.back);
    Show(dc, clip, state.measure.Layout(shown), at, ascent, colors.text);
    const int from = std::max(selection.start, l.start) - l.start;
    const int to = std::min(selection.end, l.start + l.length) - l.start;
    if (from >= to) return;
    for (const auto& [left, right] : state.measure.Ranges(shown, from, to)) {
        const RECT box{at.x + left, at.y, at.x + right, at.y + height};
        Fill(dc, clip, box, GetSysColor(COLOR_HIGHLIGHT));
        Show(dc, Intersection(clip, box), state.measure.Layout(shown), at, ascent,
             GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
}

Selection ShownSelection(const EditState& state) {
    const bool keep = (StyleOf(state) & ES_NOHIDESEL) != 0;
    if (!state.text.HasSelection() || !(state.focused || keep)) return Selection{0, 0};
    return Selection{state.text.SelectionStart(), state.text.SelectionEnd()};
}

}  // namespace

void Paint(EditState& state, HDC hdc, const RECT& area) {
    const HBRUSH brush = AskParentForColors(state, hdc);
    FillRect(hdc, &area, brush);
    const DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return;
    const LineColors colors{GetTextColor(hdc), GetBkColor(hdc), GetBkMode(hdc) == OPAQUE};
    const RECT clip = Intersection(area, state.view.FormatRect());
    const Selection selection = ShownSelection(state);
    const int count = state.text.Lines().Count();
    const int last = std::min(count, state.view.TopLine() + state.view.VisibleLines() + 1);
    for (int line = state.view.TopLine(); line < last; ++line) {
        const int top = state.view.LineTop(line);
        if (top >= clip.bottom) break;
        if (top + state.view.LineHeight() <= clip.top) continue;
        DrawLine(state, *dc, clip, line, colors, selection);
    }
}

}  // namespace vexa::sys::edit_control
