#include "vexa/system/window/DisplayBackend.h"

#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

namespace {

// Never destroyed: windows may still be torn down by static destructors at exit.
std::unique_ptr<DisplayBackend>& Slot() {
    static auto* slot = new std::unique_ptr<DisplayBackend>();
    return *slot;
}

void FollowScreenSize(const DisplayBackend& backend) {
    const SIZE screen = backend.ScreenSize();
    SetSystemMetric(SM_CXSCREEN, screen.cx);
    SetSystemMetric(SM_CYSCREEN, screen.cy);
    SetSystemMetric(SM_CXVIRTUALSCREEN, screen.cx);
    SetSystemMetric(SM_CYVIRTUALSCREEN, screen.cy);
    SetSystemMetric(SM_CXFULLSCREEN, screen.cx);
}

// Top-level windows that exist already move over: the old backend forgets them, the new one
// learns them bottom to top and shows their back buffers.
void MoveWindowsOver(DisplayBackend* from, DisplayBackend* to) {
    WindowSystem& ws = WindowSystem::Get();
    const std::vector<HWND> order = ws.topLevels;
    if (from != nullptr) {
        for (HWND hwnd : order) from->Destroy(hwnd);
    }
    if (to == nullptr) return;
    for (HWND hwnd : order) {
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr) continue;
        to->Create(hwnd, w->rect, w->text, (w->style & WS_POPUP) != 0);
        to->Restack(hwnd, 0);
        if ((w->style & WS_VISIBLE) != 0) to->Show(hwnd, true);
        window_detail::MarkDirty(*w, RECT{0, 0, w->Width(), w->Height()});
    }
}

}  // namespace

DisplayBackend& CurrentDisplay() {
    auto& slot = Slot();
    if (!slot) slot = MakeDefaultDisplay();
    return *slot;
}

std::unique_ptr<DisplayBackend> SetDisplayBackend(std::unique_ptr<DisplayBackend> backend) {
    auto& slot = Slot();
    std::unique_ptr<DisplayBackend> previous = std::move(slot);
    slot = std::move(backend);
    MoveWindowsOver(previous.get(), slot.get());
    // The screen metrics follow the display in use.
    if (slot) FollowScreenSize(*slot);
    return previous;
}

}  // namespace vexa::sys
