// Creation and teardown of the control.
#include "vexa/host/Vexa.h"

#include "vexa/host/GridParts.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

// The parts come into being in the order they are declared, which is the control's order of
// creation, and go in the reverse order.
GridParts::GridParts(Vexa& owner, sys::HWND parent, const sys::RECT& rect)
    : grid(owner),
      window(parent, rect),
      cellValues(store, [&owner](const Font& font) { owner.LiveCellFontChanged(font); }) {}

GridParts::~GridParts() = default;

Vexa::Vexa() : Vexa(0, sys::RECT{}) {}

Vexa::Vexa(sys::HWND parent, const sys::RECT& rect, const AmbientProperties& ambient)
    : parts_(std::make_unique<GridParts>(*this, parent, rect)) {
    Initialize(ambient);
    CreateChildWindows();
    InitProperties();
    ShowControlWindow();
}

Vexa::~Vexa() {
    // Messages the window still gets while the parts go must not reach them.
    parts_->window.Detach();
    parts_->cellValues.SetComboLists(nullptr);
    parts_.reset();
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
