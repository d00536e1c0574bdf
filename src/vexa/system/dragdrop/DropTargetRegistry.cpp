#include "vexa/system/dragdrop/DropTargetRegistry.h"

#include <unordered_map>

#include "vexa/system/dragdrop/ForeignDropReceiver.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

// Never destroyed: targets must not be released while static destructors run.
std::unordered_map<HWND, std::shared_ptr<DropTarget>>& Targets() {
    static auto* targets = new std::unordered_map<HWND, std::shared_ptr<DropTarget>>();
    return *targets;
}

// Handles are never reused, so an entry of a destroyed window only waits to be dropped.
void ForgetDestroyedWindows() {
    std::erase_if(Targets(), [](const auto& entry) { return !IsWindow(entry.first); });
}

}  // namespace

bool RegisterDragDrop(HWND hwnd, std::shared_ptr<DropTarget> target) {
    ForgetDestroyedWindows();
    if (!IsWindow(hwnd) || target == nullptr || Targets().contains(hwnd)) return false;
    Targets().emplace(hwnd, std::move(target));
    // Drags from other programs reach the targets through the display in use.
    ForeignDropReceiver::InstallOnCurrentDisplay();
    return true;
}

bool RevokeDragDrop(HWND hwnd) {
    return Targets().erase(hwnd) > 0;
}

RegisteredTarget FindDropTarget(HWND hwnd) {
    for (HWND window = hwnd; IsWindow(window); window = GetParent(window)) {
        const auto found = Targets().find(window);
        if (found != Targets().end()) return RegisteredTarget{window, found->second};
        if ((GetWindowLongPtr(window, GWL_STYLE) & WS_CHILD) == 0) break;
    }
    return {};
}

}  // namespace vexa::sys
