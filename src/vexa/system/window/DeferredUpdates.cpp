// Updates a window's owner put off until something could observe them.
#include <algorithm>
#include <utility>

#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

namespace {

auto& Deferred() {
    return WindowSystem::Get().deferredUpdates;
}

}  // namespace

void DeferUpdate(HWND hwnd, std::function<void()> update) {
    auto& deferred = Deferred();
    auto found = std::find_if(deferred.begin(), deferred.end(),
                              [hwnd](const auto& entry) { return entry.first == hwnd; });
    if (found != deferred.end()) {
        found->second = std::move(update);
    } else {
        deferred.emplace_back(hwnd, std::move(update));
    }
}

void CancelDeferredUpdate(HWND hwnd) {
    std::erase_if(Deferred(), [hwnd](const auto& entry) { return entry.first == hwnd; });
}

void RunDeferredUpdates() {
    auto& deferred = Deferred();
    if (deferred.empty()) return;
    // Taken out first: an update that reads or draws the bars itself must not run again.
    auto running = std::exchange(deferred, {});
    for (auto& [hwnd, update] : running) {
        if (IsWindow(hwnd)) update();
    }
}

}  // namespace vexa::sys
