#include "vexa/platform/CTimer.h"

#include <array>

#include "vexa/system/automation/Error.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

// The library's executable name followed by the name the platform services raise under.
constexpr const char* kErrorSource = "Vexa250_75B4A91C.WindowProc";
constexpr std::size_t kSlotCount = 100;

// The running timers of this thread; slots are numbered 1..100 as documented, index 0 unused.
struct TimerTable {
    std::array<CTimer*, kSlotCount + 1> slots{};
    std::int16_t highestUsed = 0;
};
thread_local TimerTable tTable;

[[noreturn]] void Raise(EErrorTimer code) {
    const char* message = code == eeTooManyTimers ? "No more than 10 timers allowed per class"
                                                  : "Can't create system timer";
    throw Error(ErrorNumberOf(code), kErrorSource, message);
}

// The shared system timer callback of every CTimer of the thread.
void SharedTimerProc(sys::HWND, sys::UINT, std::uintptr_t id, sys::DWORD) {
    TimerTable& table = tTable;
    for (std::int16_t slot = 1; slot <= table.highestUsed; ++slot) {
        CTimer* timer = table.slots[std::size_t(slot)];
        if (timer == nullptr || timer->TimerId() != id) continue;
        try {
            timer->PulseTimer();
        } catch (...) {
            // The owner's handler failed; the message loop and the other timers carry on.
        }
        return;
    }
}

int FirstFreeSlot() {
    for (std::size_t slot = 1; slot <= kSlotCount; ++slot) {
        if (tTable.slots[slot] == nullptr) return int(slot);
    }
    return 0;
}

}  // namespace

CTimer::~CTimer() {
    Stop();
}

void CTimer::SetInterval(std::int32_t interval) {
    if (interval < 1) {
        Stop();
        interval_ = 0;
        return;
    }
    if (interval == interval_) return;
    Stop();
    interval_ = interval;
    Start();
}

void CTimer::PulseTimer() {
    if (!thatTime_) return;
    // A copy, so that the handler may replace itself or destroy the timer.
    std::function<void()> handler = thatTime_;
    handler();
}

void CTimer::Start() {
    const std::uintptr_t id = sys::SetTimer(0, 0, sys::UINT(interval_), &SharedTimerProc);
    if (id == 0) {
        timerId_ = 0;
        interval_ = 0;
        Raise(eeCantCreateTimer);
    }
    const int slot = FirstFreeSlot();
    if (slot == 0) {
        // No slot would ever route the ticks here: the system timer goes again and the timer
        // stays stopped rather than running unseen.
        sys::KillTimer(0, id);
        timerId_ = 0;
        interval_ = 0;
        Raise(eeTooManyTimers);
    }
    timerId_ = std::uint32_t(id);
    tTable.slots[std::size_t(slot)] = this;
    if (slot > tTable.highestUsed) tTable.highestUsed = std::int16_t(slot);
}

void CTimer::Stop() {
    if (timerId_ == 0) return;
    TimerTable& table = tTable;
    for (std::int16_t slot = 1; slot <= table.highestUsed; ++slot) {
        CTimer*& entry = table.slots[std::size_t(slot)];
        if (entry != nullptr && entry->timerId_ == timerId_) {
            entry = nullptr;
            break;
        }
    }
    sys::KillTimer(0, timerId_);
    timerId_ = 0;
}

}  // namespace vexa
