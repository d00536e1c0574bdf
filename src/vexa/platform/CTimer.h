// A timer object that raises ThatTime at a fixed interval. Every running CTimer of a thread
// sits in one slot of that thread's table of 100; all of them share one system timer
// callback, which finds the CTimer by its system timer identifier. Ticks come from the
// message loop. Errors are vexa::Error with source "Vexa250_75B4A91C.WindowProc": 13651 "No
// more than 10 timers allowed per class" (all 100 slots in use), 13652 "Can't create system
// timer".
#pragma once

#include <cstdint>
#include <functional>

#include "vexa/platform/PlatformEnums.h"
#include "vexa/system/automation/Variant.h"

namespace vexa {

class CTimer {
  public:
    CTimer() = default;
    ~CTimer();  // stops the timer
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    // 0 = stopped. A value below 1 stops the timer and stores 0; another positive value
    // restarts it with that interval; the present value changes nothing.
    std::int32_t Interval() const { return interval_; }
    void SetInterval(std::int32_t interval);

    // Raises ThatTime.
    void PulseTimer();

    // Called at every tick (ThatTime). The owner may stop, restart or destroy the timer from
    // inside; an exception from the handler leaves PulseTimer but never the message loop.
    void SetThatTimeHandler(std::function<void()> handler) { thatTime_ = std::move(handler); }

    const Variant& Item() const { return item_; }
    void SetItem(const Variant& item) { item_ = item; }

    // The system timer identifier, 0 while stopped.
    std::uint32_t TimerId() const { return timerId_; }

  private:
    void Start();
    void Stop();

    std::int32_t interval_ = 0;
    std::uint32_t timerId_ = 0;
    Variant item_;
    std::function<void()> thatTime_;
};

}  // namespace vexa
