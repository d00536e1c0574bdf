// The scroll bars as the host sees them, and the system settings that change them.
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

std::shared_ptr<ScrollBarObject> Vexa::HScrollBar() const {
    return parts_->hScrollBar;
}

std::shared_ptr<ScrollBarObject> Vexa::VScrollBar() const {
    return parts_->vScrollBar;
}

EScrollBarStyles Vexa::ScrollBarStyle() const {
    return parts_->scrollBarStyle;
}

void Vexa::SetScrollBarStyle(EScrollBarStyles style) {
    parts_->scrollBarStyle = style;
    parts_->scrollBars->SetStyle(style);
    PropertyChanged("ScrollBarStyle");
}

void Vexa::OnSettingChange(sys::WPARAM wParam) {
    GridParts& p = *parts_;
    if (wParam != sys::SPI_SETNONCLIENTMETRICS) return;
    // The events wait until the properties being loaded are all in.
    if (p.lifecycle.loading) {
        p.lifecycle.settingsChangedWhileLoading = true;
        return;
    }
    if (p.lifecycle.ambient.userMode) {
        // The bars are set up again for the window; the visibility they then show again is
        // no news to the host.
        p.suppressBarVisibilityEvents = true;
        p.scrollBars->Create(p.window.Handle());
        p.scrollBars->SetStyle(p.scrollBarStyle);
    }
    const struct {
        EScrollBar bar;
        int metric;
    } bars[] = {{vxScrollBarH, sys::SM_CYHSCROLL}, {vxScrollBarV, sys::SM_CXVSCROLL}};
    for (const auto& entry : bars) {
        const std::int32_t thickness = sys::GetSystemMetrics(entry.metric);
        if (thickness == p.geometry.BarThickness(entry.bar)) continue;
        p.geometry.SetBarThickness(entry.bar, thickness);
        p.events.Raise("ScrollBarThicknessChanged",
                       [&](VexaEvents& e) { e.ScrollBarThicknessChanged(entry.bar, thickness); });
    }
}

}  // namespace vexa
