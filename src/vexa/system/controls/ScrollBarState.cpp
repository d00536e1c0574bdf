#include "vexa/system/controls/ScrollBarState.h"

#include <unordered_map>

#include "vexa/system/window/Window.h"

namespace vexa::sys::scrollbar_detail {

namespace {

std::unordered_map<HWND, WindowScrollBarsState>& Store() {
    static std::unordered_map<HWND, WindowScrollBarsState> store;
    return store;
}

// The last window looked up: one change of a bar asks for the same window's bars many times.
// Entries keep their address while the store grows, so only removals clear it.
struct LastLookup {
    HWND hwnd = 0;
    WindowScrollBarsState* bars = nullptr;
};

LastLookup& Last() {
    static LastLookup last;
    return last;
}

// A window whose procedure kept WM_NCDESTROY from DefWindowProc leaves its entry behind;
// handles are never reused, so such entries are only swept away, never found again.
void SweepDestroyedWindows() {
    auto& store = Store();
    std::erase_if(store, [](const auto& entry) { return !IsWindow(entry.first); });
    Last() = LastLookup{};
}

}  // namespace

WindowScrollBarsState* FindScrollBars(HWND hwnd) {
    // What a window's owner put off writing to its bars goes in before anyone looks.
    RunDeferredUpdates();
    LastLookup& last = Last();
    if (hwnd != 0 && hwnd == last.hwnd) return last.bars;
    auto found = Store().find(hwnd);
    if (found == Store().end()) return nullptr;
    last = LastLookup{hwnd, &found->second};
    return last.bars;
}

WindowScrollBarsState* ScrollBarsOf(HWND hwnd) {
    if (!IsWindow(hwnd)) return nullptr;
    if (WindowScrollBarsState* bars = FindScrollBars(hwnd)) return bars;
    SweepDestroyedWindows();
    return &Store()[hwnd];
}

void ForgetScrollBars(HWND hwnd) {
    if (hwnd == Last().hwnd) Last() = LastLookup{};
    Store().erase(hwnd);
}

ScrollBarState* BarOf(WindowScrollBarsState* bars, int bar) {
    if (bars == nullptr) return nullptr;
    if (bar == SB_HORZ) return &bars->horizontal;
    if (bar == SB_VERT) return &bars->vertical;
    return nullptr;
}

ScrollBarState BarStateOrDefault(HWND hwnd, int bar) {
    const ScrollBarState* state = BarOf(FindScrollBars(hwnd), bar);
    return state != nullptr ? *state : ScrollBarState{};
}

bool BarShown(HWND hwnd, int bar) {
    const auto style = UINT(GetWindowLongPtr(hwnd, GWL_STYLE));
    if (bar == SB_HORZ) return (style & WS_HSCROLL) != 0;
    if (bar == SB_VERT) return (style & WS_VSCROLL) != 0;
    return false;
}

}  // namespace vexa::sys::scrollbar_detail
