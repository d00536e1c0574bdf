#include "vexa/host/Vexa.h"

#include "vexa/host/GridParts.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

GridParts::GridParts(Vexa& owner, sys::HWND parent, const sys::RECT& rect)
    : grid(owner),
      cellValues(store, [&owner](const Font& font) { owner.LiveCellFontChanged(font); }),
      window(owner, parent, rect) {}

GridParts::~GridParts() = default;

Vexa::Vexa() : Vexa(0, sys::RECT{}) {}

Vexa::Vexa(sys::HWND parent, const sys::RECT& rect)
    : parts_(std::make_unique<GridParts>(*this, parent, rect)) {
    GridParts& p = *parts_;
    const sys::HWND window = p.window.Handle();
    p.subclass.Attach(window, sys::GetParent(window));
    p.scrollBars->Create(window);
    p.scrollBars->SetStyle(p.scrollBarStyle);
    p.scrollBars->SetOrientation(2);
    p.header.Create(window, /*userMode=*/true);
    ApplyThemeState();
    ApplyBorder();
    sys::ShowWindow(window, sys::SW_SHOW);
    if (p.window.OwnFrame() != 0) sys::ShowWindow(p.window.OwnFrame(), sys::SW_SHOW);
}

Vexa::~Vexa() {
    // Messages the window still gets while the parts go must not reach them.
    parts_->subclass.Detach();
    parts_->window.Detach();
}

sys::HWND Vexa::hwnd() const {
    return parts_->window.Handle();
}

void Vexa::Advise(VexaEvents* sink) {
    parts_->events.Advise(sink);
}

void Vexa::Unadvise(VexaEvents* sink) {
    parts_->events.Unadvise(sink);
}

}  // namespace vexa
