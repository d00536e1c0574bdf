// Window and callback timers: ticks only as the display clock passes their due time, in due
// order, from the message loop.
#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {
namespace {

using TimerTest = WindowTest;

std::vector<std::pair<std::uintptr_t, DWORD>>& CallbackTicks() {
    static std::vector<std::pair<std::uintptr_t, DWORD>> ticks;
    return ticks;
}

void RecordTick(HWND, UINT msg, std::uintptr_t id, DWORD time) {
    if (msg == WM_TIMER) CallbackTicks().emplace_back(id, time);
}

TEST_F(TimerTest, WindowTimersTickOnlyWhenTheClockPassesTheirDueTime) {
    HWND hwnd = TopLevel(0, 0, 10, 10);
    Log().Clear();
    EXPECT_EQ(SetTimer(hwnd, 5, 25), 5u);
    PumpMessages();
    display().AdvanceClock(24);
    EXPECT_TRUE(Log().Of(WM_TIMER).empty());
    display().AdvanceClock(1);
    ASSERT_EQ(Log().Of(WM_TIMER).size(), 1u);
    EXPECT_EQ(Log().Of(WM_TIMER)[0].wParam, 5u);
    display().AdvanceClock(100);
    EXPECT_EQ(Log().Of(WM_TIMER).size(), 5u);  // every 25 ms, none merged
    EXPECT_TRUE(KillTimer(hwnd, 5));
    EXPECT_FALSE(KillTimer(hwnd, 5));
    display().AdvanceClock(100);
    EXPECT_EQ(Log().Of(WM_TIMER).size(), 5u);
}

TEST_F(TimerTest, TimersFireInDueOrderEachAtItsOwnTime) {
    HWND hwnd = TopLevel(0, 0, 10, 10);
    std::vector<std::pair<WPARAM, std::uint64_t>> fired;
    Log().handlers[WM_TIMER] = [&fired, this](HWND, WPARAM id, LPARAM) -> LRESULT {
        fired.emplace_back(id, display().Now());
        return 0;
    };
    const auto start = display().Now();
    SetTimer(hwnd, 1, 30);
    SetTimer(hwnd, 2, 20);
    display().AdvanceClock(60);
    std::vector<std::pair<WPARAM, std::uint64_t>> expected = {
        {2, start + 20}, {1, start + 30}, {2, start + 40}, {1, start + 60}, {2, start + 60}};
    EXPECT_EQ(fired, expected);
}

TEST_F(TimerTest, CallbackTimersWithoutWindowGetFreshIdentifiers) {
    CallbackTicks().clear();
    const std::uintptr_t a = SetTimer(0, 0, 10, &RecordTick);
    const std::uintptr_t b = SetTimer(0, 0, 10, &RecordTick);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_NE(a, b);
    const auto start = display().Now();
    display().AdvanceClock(10);
    ASSERT_EQ(CallbackTicks().size(), 2u);
    EXPECT_EQ(CallbackTicks()[0].first, a);
    EXPECT_EQ(CallbackTicks()[0].second, DWORD(start + 10));
    // Setting an existing one again replaces it instead of adding a timer.
    EXPECT_EQ(SetTimer(0, a, 50, &RecordTick), a);
    KillTimer(0, b);
    CallbackTicks().clear();
    display().AdvanceClock(49);
    EXPECT_TRUE(CallbackTicks().empty());
    display().AdvanceClock(1);
    EXPECT_EQ(CallbackTicks().size(), 1u);
    KillTimer(0, a);
}

TEST_F(TimerTest, ShortIntervalsAreRaisedBadRequestsFailAndPeekingLeavesATickDue) {
    HWND hwnd = TopLevel(0, 0, 10, 10);
    SetTimer(hwnd, 1, 0);
    Log().Clear();
    display().AdvanceClock(USER_TIMER_MINIMUM - 1);
    EXPECT_TRUE(Log().Of(WM_TIMER).empty());
    display().AdvanceClock(1);
    EXPECT_EQ(Log().Of(WM_TIMER).size(), 1u);
    EXPECT_EQ(SetTimer(hwnd, 0, 10), 0u);  // a window timer needs an identifier
    KillTimer(hwnd, 1);
    // Peeking a timer message leaves it due.
    SetTimer(hwnd, 4, 20);
    display().AdvanceClock(0);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, hwnd, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    Log().handlers[WM_TIMER] = [](HWND, WPARAM, LPARAM) -> LRESULT { return 0; };
    // Let the clock pass the due time without the loop running.
    display().PumpEvents(20);
    ASSERT_TRUE(PeekMessage(&msg, hwnd, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 4u);
    ASSERT_TRUE(PeekMessage(&msg, hwnd, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_FALSE(PeekMessage(&msg, hwnd, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(TimerTest, ATimerKilledFromAnotherTickOrWithItsWindowDoesNotFire) {
    HWND hwnd = TopLevel(0, 0, 10, 10);
    SetTimer(hwnd, 1, 10);
    SetTimer(hwnd, 2, 10);
    Log().handlers[WM_TIMER] = [](HWND h, WPARAM id, LPARAM) -> LRESULT {
        KillTimer(h, id == 1 ? 2 : 1);
        return 0;
    };
    Log().Clear();
    display().AdvanceClock(10);
    EXPECT_EQ(Log().Of(WM_TIMER).size(), 1u);
    // Destroying a window ends its timers.
    SetTimer(hwnd, 1, 10);
    DestroyWindow(hwnd);
    Log().Clear();
    display().AdvanceClock(50);
    EXPECT_TRUE(Log().Of(WM_TIMER).empty());
    EXPECT_FALSE(KillTimer(hwnd, 1));
}

}  // namespace
}  // namespace vexa::sys::testing
