#include "vexa/system/display/DisplayBackend.h"

#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

// Never destroyed: windows may still be torn down by static destructors at exit.
std::unique_ptr<DisplayBackend>& Slot() {
    static auto* slot = new std::unique_ptr<DisplayBackend>();
    return *slot;
}

}  // namespace

DisplayBackend& CurrentDisplay() {
    auto& slot = Slot();
    if (!slot) slot = std::make_unique<HeadlessDisplay>();
    return *slot;
}

std::unique_ptr<DisplayBackend> SetDisplayBackend(std::unique_ptr<DisplayBackend> backend) {
    auto& slot = Slot();
    std::unique_ptr<DisplayBackend> previous = std::move(slot);
    slot = std::move(backend);
    if (slot) {
        // The screen metrics follow the display in use.
        const SIZE screen = slot->ScreenSize();
        SetSystemMetric(SM_CXSCREEN, screen.cx);
        SetSystemMetric(SM_CYSCREEN, screen.cy);
        SetSystemMetric(SM_CXVIRTUALSCREEN, screen.cx);
        SetSystemMetric(SM_CYVIRTUALSCREEN, screen.cy);
        SetSystemMetric(SM_CXFULLSCREEN, screen.cx);
    }
    return previous;
}

}  // namespace vexa::sys
