// Timers, system metrics and colours, and message boxes.
#include "vexa/system/window/DisplayBackend.h"
#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

namespace {
WindowSystem& Ws() {
    return WindowSystem::Get();
}
}  // namespace

std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT elapseMs, TIMERPROC proc) {
    WindowSystem& ws = Ws();
    if (hwnd != 0 && ws.Find(hwnd) == nullptr) return 0;
    return ws.timers.Set(hwnd, id, elapseMs, proc, ws.Now(), kMaxTimers);
}

bool KillTimer(HWND hwnd, std::uintptr_t id) {
    return Ws().timers.Kill(hwnd, id);
}

int GetSystemMetrics(int index) {
    const auto& metrics = Ws().metrics;
    if (index < 0 || std::size_t(index) >= metrics.size()) return 0;
    return metrics[std::size_t(index)];
}

void SetSystemMetric(int index, int value) {
    auto& metrics = Ws().metrics;
    if (index < 0 || std::size_t(index) >= metrics.size()) return;
    metrics[std::size_t(index)] = value;
}

COLORREF GetSysColor(int index) {
    const auto& colors = Ws().colors;
    if (index < 0 || std::size_t(index) >= colors.size()) return 0;
    return colors[std::size_t(index)];
}

bool SetSysColors(int count, const int* indices, const COLORREF* colors) {
    if (count < 0 || (count > 0 && (indices == nullptr || colors == nullptr))) return false;
    auto& table = Ws().colors;
    for (int i = 0; i < count; ++i) {
        if (indices[i] < 0 || std::size_t(indices[i]) >= table.size()) return false;
    }
    for (int i = 0; i < count; ++i) table[std::size_t(indices[i])] = colors[i];
    BroadcastMessage(WM_SYSCOLORCHANGE, 0, 0);
    return true;
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return Ws().Display().ShowMessageBox(owner, text, caption, type);
}

}  // namespace vexa::sys
