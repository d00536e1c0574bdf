// Timers of the window system, ordered by due time so that the loop finds the next due one
// in logarithmic time however many are running.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

struct DueTimer {
    HWND hwnd = 0;
    std::uintptr_t id = 0;
    TIMERPROC proc = nullptr;
};

class TimerQueue {
  public:
    // Creates or replaces a timer; returns its identifier, 0 when the limit is reached.
    std::uintptr_t Set(HWND hwnd, std::uintptr_t id, UINT elapseMs, TIMERPROC proc,
                       std::uint64_t now, std::size_t limit);
    bool Kill(HWND hwnd, std::uintptr_t id);
    void KillAllOf(HWND hwnd);
    void Clear();
    // The earliest timer due at `now` (of window `filter` unless 0); it is rescheduled one
    // interval after now, as a retrieved timer message resets the classic timer.
    std::optional<DueTimer> TakeDue(std::uint64_t now, HWND filter);
    // The same timer without rescheduling it.
    std::optional<DueTimer> PeekDue(std::uint64_t now, HWND filter) const;
    std::optional<std::uint64_t> NextDue() const;
    bool Exists(HWND hwnd, std::uintptr_t id) const;
    // The procedure a running timer was set with (nullptr for none or no such timer).
    TIMERPROC ProcOf(HWND hwnd, std::uintptr_t id) const;
    std::size_t Count() const { return timers_.size(); }

  private:
    using Key = std::pair<HWND, std::uintptr_t>;
    struct Timer {
        UINT elapse = 0;
        TIMERPROC proc = nullptr;
        std::uint64_t due = 0;
        std::uint64_t sequence = 0;
    };
    using Slot = std::tuple<std::uint64_t, std::uint64_t, Key>;  // due, sequence, key

    void Schedule(const Key& key, Timer& timer, std::uint64_t due);
    const Slot* FirstDue(std::uint64_t now, HWND filter) const;

    std::map<Key, Timer> timers_;
    std::set<Slot> byDue_;
    std::uint64_t nextSequence_ = 1;
    std::uintptr_t nextThreadTimerId_ = 1;
};

}  // namespace vexa::sys
