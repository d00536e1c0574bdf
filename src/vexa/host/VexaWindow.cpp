// The control window's messages, the layout pass applied to the scroll bars, scrolling, and
// the theme and border of the window.
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr std::int32_t kHorizontalLineStep = 20;

}  // namespace

// ---- Messages ----

void Vexa::OnPaint() {
    parts_->painter.OnPaint();
}

void Vexa::OnSize() {
    parts_->painter.OnResize();
    RepositionHeader();
}

void Vexa::OnShown() {
    GridParts& p = *parts_;
    if (p.painter.Flags().shown) return;
    p.painter.Flags().shown = true;
    p.painter.EnlargeRowBuffer(p.store.DefaultRowHeight());
    if (p.appearance.UsesRowParity() && p.geometry.ParityDirty()) p.geometry.RecomputeParityFrom(1);
}

void Vexa::OnFocusChanged(bool gained) {
    GridParts& p = *parts_;
    if (gained && p.hasFocus) return;
    p.hasFocus = gained;
    p.painter.MarkVisibleCellsForRepaint();
    p.painter.Draw();
}

void Vexa::OnThemeChanged() {
    GridParts& p = *parts_;
    // While properties go in, the theme messages come from UseXPStyles being applied: the
    // header takes the theme up once loading ends, and the host hears of nothing.
    if (p.lifecycle.loading) {
        p.lifecycle.themeChangedWhileLoading = true;
        ApplyThemeState();
        return;
    }
    HeaderThemeChanged();
    ApplyThemeState();
    const bool usable = p.styles.supports[vxSupFeatXPStyles];
    p.events.Raise("WindowsThemeChanged", [&](VexaEvents& e) { e.WindowsThemeChanged(usable); });
}

void Vexa::ApplyThemeState() {
    GridParts& p = *parts_;
    p.painter.DropGlyphCaches();
    p.styles.Refresh(p.theme, p.window.Handle());
    RepaintAll(false);
    sys::SetWindowPos(p.window.Handle(), 0, 0, 0, 0, 0,
                      sys::SWP_NOMOVE | sys::SWP_NOSIZE | sys::SWP_NOZORDER | sys::SWP_NOACTIVATE |
                          sys::SWP_FRAMECHANGED);
}

void Vexa::ApplyBorder() {
    GridParts& p = *parts_;
    // The border takes its width off the cells area.
    p.geometry.Invalidate(RangeState::RecomputeAll);
    const sys::HWND window = p.window.Handle();
    const BorderStyleBits bits = BorderBitsFor(p.appearance.appearance, p.appearance.borderStyle);
    sys::UINT style = sys::UINT(sys::GetWindowLongPtr(window, sys::GWL_STYLE));
    sys::UINT exStyle = sys::UINT(sys::GetWindowLongPtr(window, sys::GWL_EXSTYLE));
    style &= ~sys::WS_BORDER;
    if (p.appearance.appearance != vxAppearanceFlat) style &= ~sys::WS_THICKFRAME;
    exStyle &= ~(sys::WS_EX_STATICEDGE | sys::WS_EX_CLIENTEDGE | sys::WS_EX_WINDOWEDGE);
    sys::SetWindowLongPtr(window, sys::GWL_STYLE, sys::LPARAM(style | bits.style));
    sys::SetWindowLongPtr(window, sys::GWL_EXSTYLE, sys::LPARAM(exStyle | bits.exStyle));
    sys::SetWindowPos(window, 0, 0, 0, 0, 0,
                      sys::SWP_NOMOVE | sys::SWP_NOSIZE | sys::SWP_NOZORDER | sys::SWP_NOACTIVATE |
                          sys::SWP_FRAMECHANGED);
}

void Vexa::RepaintAll(bool below) {
    PaintFlags& flags = parts_->painter.Flags();
    flags.fullRepaint = true;
    if (below) flags.repaintBelow = true;
    parts_->painter.Draw();
}

// ---- Scroll bars ----

void Vexa::ApplyLayout(const LayoutDecision& decision) {
    GridParts& p = *parts_;
    // In a form designer the grid has no scroll bars.
    if (!p.lifecycle.ambient.userMode) return;
    p.applyingLayout = true;
    for (EScrollBar bar : {vxScrollBarH, vxScrollBarV}) {
        const bool needed = bar == vxScrollBarH ? decision.horizontalBar : decision.verticalBar;
        if (p.scrollBars->Visible(bar) == needed) continue;
        p.geometry.Invalidate(RangeState::RecomputeAll);
        if (!needed) p.scrollBars->SetValue(bar, 0);
        p.scrollBars->SetVisible(bar, needed);
        if (bar == vxScrollBarH) RepositionHeader();
        if (!p.suppressBarVisibilityEvents) {
            p.events.Raise("ScrollBarVisibilityChanged",
                           [&](VexaEvents& e) { e.ScrollBarVisibilityChanged(bar, needed); });
        }
    }
    p.suppressBarVisibilityEvents = false;
    p.geometry.SetHorizontalOffset(0);
    p.geometry.SetVerticalOffset(0);
    if (decision.horizontalBar) {
        const std::int32_t d = decision.contentWidth - decision.visibleWidth;
        const std::int32_t page =
            decision.visibleWidth > 0 ? d / (d / decision.visibleWidth + 1) : -1;
        // Rows added one by one leave the width as it is: the bar is not written again, and
        // the position read with the check is the one it keeps.
        std::int32_t position = 0;
        const bool unchanged =
            p.scrollBars->Holds(vxScrollBarH, d, page, &position) &&
            (page < 0 || p.scrollBars->SmallChange(vxScrollBarH) == kHorizontalLineStep);
        if (!unchanged) {
            p.scrollBars->SetMax(vxScrollBarH, d);
            if (decision.visibleWidth > 0) {
                p.scrollBars->SetLargeChange(vxScrollBarH, page);
                p.scrollBars->SetSmallChange(vxScrollBarH, kHorizontalLineStep);
            }
            RepositionHeader();
            position = p.scrollBars->Value(vxScrollBarH);
        }
        p.geometry.SetHorizontalOffset(position);
    }
    if (decision.verticalBar) {
        std::int32_t position = 0;
        if (decision.visibleHeight > 0) {
            const std::int32_t d = decision.contentHeight - decision.visibleHeight;
            position = p.scrollBars->SetMaxAndLargeChange(vxScrollBarV, decision.verticalMax,
                                                          d / (d / decision.visibleHeight + 1));
            p.scrollBars->SetSmallChange(vxScrollBarV, p.store.DefaultRowHeight());
        } else {
            p.scrollBars->SetMax(vxScrollBarV, decision.verticalMax);
            position = p.scrollBars->Value(vxScrollBarV);
        }
        p.geometry.SetVerticalOffset(position);
    }
    p.applyingLayout = false;
}

void Vexa::ScrollTo(EScrollBar bar, std::int32_t value) {
    GridParts& p = *parts_;
    CancelEdit();
    if (bar == vxScrollBarV) {
        p.geometry.Invalidate(value <= p.geometry.VerticalOffset() ? RangeState::ScrolledUp
                                                                   : RangeState::ScrolledDown);
        p.geometry.SetVerticalOffset(value);
    } else {
        p.geometry.Invalidate(RangeState::ScrolledHorizontally);
        p.geometry.SetHorizontalOffset(value);
        RepositionHeader();
    }
    // Inside a layout pass the pass that runs it paints; a nested pass would paint twice.
    if (!p.applyingLayout) {
        p.painter.MarkVisibleCellsForRepaint();
        p.painter.Flags().repaintBelow = true;
        p.painter.Draw();
    }
    p.events.Raise("ScrollBarPosChanged",
                   [&](VexaEvents& e) { e.ScrollBarPosChanged(bar, value); });
}

void Vexa::SetScrollValue(EScrollBar bar, std::int32_t value) {
    parts_->scrollBars->SetValue(bar, value);
}

bool Vexa::MakeCellVisible(std::int32_t row, std::int32_t col) {
    GridParts& p = *parts_;
    const ScrollDelta delta =
        p.geometry.MakeCellVisibleDelta(row, p.store.Columns().PositionOfIndex(col));
    bool changed = false;
    for (EScrollBar bar : {vxScrollBarH, vxScrollBarV}) {
        const std::int32_t step = bar == vxScrollBarH ? delta.dx : delta.dy;
        if (step == 0) continue;
        const std::int32_t before = p.scrollBars->Value(bar);
        SetScrollValue(bar, before + step);
        const std::int32_t moved = p.scrollBars->Value(bar) - before;
        // A hot cell control's rectangle stays on its cell.
        p.mouse.ScrollHotControl(bar == vxScrollBarH ? moved : 0, bar == vxScrollBarV ? moved : 0);
        changed = changed || moved != 0;
    }
    return changed;
}

}  // namespace vexa
