#include "vexa/system/window/TimerQueue.h"

#include <algorithm>

namespace vexa::sys {

namespace {
constexpr UINT kMinimumElapse = 10;  // the classic USER_TIMER_MINIMUM
}

std::uintptr_t TimerQueue::Set(HWND hwnd, std::uintptr_t id, UINT elapseMs, TIMERPROC proc,
                               std::uint64_t now, std::size_t limit) {
    // A thread timer keeps its identifier only when it names one that runs already.
    if (hwnd == 0 && !Exists(0, id)) id = 0;
    if (hwnd != 0 && id == 0) return 0;
    Key key{hwnd, id};
    auto found = timers_.find(key);
    if (found == timers_.end()) {
        if (timers_.size() >= limit) return 0;
        if (hwnd == 0) {
            do {
                key.second = nextThreadTimerId_++;
                if (nextThreadTimerId_ > 0x7FFFFFFF) nextThreadTimerId_ = 1;
            } while (Exists(0, key.second));
        }
        found = timers_.emplace(key, Timer{}).first;
    }
    Timer& timer = found->second;
    timer.elapse = std::max(elapseMs, kMinimumElapse);
    timer.proc = proc;
    Schedule(key, timer, now + timer.elapse);
    return key.second;
}

void TimerQueue::Schedule(const Key& key, Timer& timer, std::uint64_t due) {
    if (timer.sequence != 0) byDue_.erase(Slot{timer.due, timer.sequence, key});
    timer.due = due;
    timer.sequence = nextSequence_++;
    byDue_.insert(Slot{timer.due, timer.sequence, key});
}

bool TimerQueue::Kill(HWND hwnd, std::uintptr_t id) {
    auto found = timers_.find(Key{hwnd, id});
    if (found == timers_.end()) return false;
    byDue_.erase(Slot{found->second.due, found->second.sequence, found->first});
    timers_.erase(found);
    return true;
}

void TimerQueue::KillAllOf(HWND hwnd) {
    auto first = timers_.lower_bound(Key{hwnd, 0});
    while (first != timers_.end() && first->first.first == hwnd) {
        byDue_.erase(Slot{first->second.due, first->second.sequence, first->first});
        first = timers_.erase(first);
    }
}

void TimerQueue::Clear() {
    timers_.clear();
    byDue_.clear();
}

const TimerQueue::Slot* TimerQueue::FirstDue(std::uint64_t now, HWND filter) const {
    for (const Slot& slot : byDue_) {
        if (std::get<0>(slot) > now) break;
        if (filter == 0 || std::get<2>(slot).first == filter) return &slot;
    }
    return nullptr;
}

std::optional<DueTimer> TimerQueue::TakeDue(std::uint64_t now, HWND filter) {
    const Slot* slot = FirstDue(now, filter);
    if (slot == nullptr) return std::nullopt;
    const Key key = std::get<2>(*slot);
    Timer& timer = timers_.at(key);
    DueTimer due{key.first, key.second, timer.proc};
    Schedule(key, timer, now + timer.elapse);
    return due;
}

std::optional<DueTimer> TimerQueue::PeekDue(std::uint64_t now, HWND filter) const {
    const Slot* slot = FirstDue(now, filter);
    if (slot == nullptr) return std::nullopt;
    const Key key = std::get<2>(*slot);
    return DueTimer{key.first, key.second, timers_.at(key).proc};
}

std::optional<std::uint64_t> TimerQueue::NextDue() const {
    if (byDue_.empty()) return std::nullopt;
    return std::get<0>(*byDue_.begin());
}

TIMERPROC TimerQueue::ProcOf(HWND hwnd, std::uintptr_t id) const {
    auto found = timers_.find(Key{hwnd, id});
    return found == timers_.end() ? nullptr : found->second.proc;
}

bool TimerQueue::Exists(HWND hwnd, std::uintptr_t id) const {
    return timers_.count(Key{hwnd, id}) != 0;
}

}  // namespace vexa::sys
