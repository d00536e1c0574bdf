// The timer object: Interval semantics, ticks from the message loop as the display clock
// advances, the table of 100 running timers and the errors.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "vexa/platform/CTimer.h"
#include "vexa/system/automation/Error.h"
#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Window.h"

namespace vexa {
namespace {

using sys::HeadlessDisplay;

class CTimerTest : public ::testing::Test {
  protected:
    void SetUp() override { sys::DestroyAllWindowsForTesting(); }
    static void Advance(std::uint64_t ms) { HeadlessDisplay::Instance().AdvanceClock(ms); }

    static std::int32_t NumberOf(const std::function<void()>& call, std::string* message) {
        try {
            call();
        } catch (const Error& e) {
            if (message != nullptr) *message = e.Description();
            EXPECT_EQ(e.Source(), "Vexa250_75B4A91C.WindowProc");
            return e.Number();
        }
        return 0;
    }
};

TEST_F(CTimerTest, TicksArriveOnlyAsTheClockAdvances) {
    CTimer timer;
    int ticks = 0;
    timer.SetThatTimeHandler([&ticks] { ++ticks; });
    timer.SetInterval(20);
    EXPECT_EQ(timer.Interval(), 20);
    EXPECT_NE(timer.TimerId(), 0u);
    sys::PumpMessages();
    EXPECT_EQ(ticks, 0);
    Advance(19);
    EXPECT_EQ(ticks, 0);
    Advance(1);
    EXPECT_EQ(ticks, 1);
    Advance(60);
    EXPECT_EQ(ticks, 4);
}

TEST_F(CTimerTest, TheSameIntervalDoesNotRestartTheTimer) {
    CTimer timer;
    int ticks = 0;
    timer.SetThatTimeHandler([&ticks] { ++ticks; });
    timer.SetInterval(20);
    const auto id = timer.TimerId();
    Advance(15);
    timer.SetInterval(20);
    EXPECT_EQ(timer.TimerId(), id);
    Advance(5);
    EXPECT_EQ(ticks, 1);    // still due at 20, not 35
    timer.SetInterval(30);  // a different value restarts it
    Advance(29);
    EXPECT_EQ(ticks, 1);
    Advance(1);
    EXPECT_EQ(ticks, 2);
}

TEST_F(CTimerTest, ZeroOrNegativeStops) {
    CTimer timer;
    int ticks = 0;
    timer.SetThatTimeHandler([&ticks] { ++ticks; });
    timer.SetInterval(0);  // nothing to stop
    EXPECT_EQ(timer.Interval(), 0);
    EXPECT_EQ(timer.TimerId(), 0u);
    timer.SetInterval(10);
    timer.SetInterval(-5);
    EXPECT_EQ(timer.Interval(), 0);
    EXPECT_EQ(timer.TimerId(), 0u);
    Advance(100);
    EXPECT_EQ(ticks, 0);
}

TEST_F(CTimerTest, DestroyingATimerStopsIt) {
    int ticks = 0;
    std::uint32_t id = 0;
    {
        CTimer timer;
        timer.SetThatTimeHandler([&ticks] { ++ticks; });
        timer.SetInterval(10);
        id = timer.TimerId();
    }
    EXPECT_FALSE(sys::KillTimer(0, id));  // its system timer is gone
    Advance(50);
    EXPECT_EQ(ticks, 0);
}

TEST_F(CTimerTest, PulseTimerRaisesThatTimeAndItemIsPlainStorage) {
    CTimer timer;
    int ticks = 0;
    timer.SetThatTimeHandler([&ticks] { ++ticks; });
    timer.PulseTimer();
    EXPECT_EQ(ticks, 1);
    timer.SetItem(Variant(std::int32_t(12)));
    EXPECT_EQ(timer.Item(), Variant(std::int32_t(12)));
}

TEST_F(CTimerTest, AHandlerMayStopOrDestroyItsTimerAndItsFailureStaysInside) {
    auto owned = std::make_unique<CTimer>();
    CTimer other;
    int otherTicks = 0;
    owned->SetThatTimeHandler([&owned] { owned.reset(); });
    other.SetThatTimeHandler([&otherTicks] {
        ++otherTicks;
        throw std::runtime_error("handler failed");
    });
    owned->SetInterval(10);
    other.SetInterval(10);
    Advance(10);
    EXPECT_EQ(owned, nullptr);
    Advance(10);
    EXPECT_EQ(otherTicks, 2);
}

TEST_F(CTimerTest, TheHundredAndFirstRunningTimerIsRefused) {
    std::vector<std::unique_ptr<CTimer>> timers;
    for (int i = 0; i < 100; ++i) {
        timers.push_back(std::make_unique<CTimer>());
        timers.back()->SetInterval(1000);
    }
    CTimer extra;
    std::string message;
    EXPECT_EQ(NumberOf([&] { extra.SetInterval(1000); }, &message), ErrorNumberOf(eeTooManyTimers));
    EXPECT_EQ(message, "No more than 10 timers allowed per class");
    // The refused timer is left stopped and holds no system timer.
    EXPECT_EQ(extra.Interval(), 0);
    EXPECT_EQ(extra.TimerId(), 0u);
    // A freed slot is taken again.
    timers[37].reset();
    EXPECT_EQ(NumberOf([&] { extra.SetInterval(1000); }, nullptr), 0);
    int ticks = 0;
    extra.SetThatTimeHandler([&ticks] { ++ticks; });
    Advance(1000);
    EXPECT_EQ(ticks, 1);
}

TEST_F(CTimerTest, ARefusedSystemTimerIsReported) {
    // Fill the window system's timer table, leaving no room for the timer object's own.
    std::vector<std::uintptr_t> ids;
    for (std::size_t i = 0; i < sys::kMaxTimers; ++i) ids.push_back(sys::SetTimer(0, 0, 100000));
    ASSERT_NE(ids.back(), 0u);
    CTimer timer;
    std::string message;
    EXPECT_EQ(NumberOf([&] { timer.SetInterval(50); }, &message), ErrorNumberOf(eeCantCreateTimer));
    EXPECT_EQ(message, "Can't create system timer");
    EXPECT_EQ(timer.Interval(), 0);
    EXPECT_EQ(timer.TimerId(), 0u);
    for (auto id : ids) sys::KillTimer(0, id);
}

TEST_F(CTimerTest, AHandlerMayChangeOrStopItsOwnInterval) {
    CTimer timer;
    std::vector<std::uint32_t> tickTimes;
    timer.SetThatTimeHandler([&] {
        tickTimes.push_back(sys::GetTickCount());
        if (tickTimes.size() == 1) timer.SetInterval(50);
        if (tickTimes.size() == 3) timer.SetInterval(0);
    });
    const std::uint32_t start = sys::GetTickCount();
    timer.SetInterval(20);
    Advance(500);
    ASSERT_EQ(tickTimes.size(), 3u);
    EXPECT_EQ(tickTimes[0] - start, 20u);
    EXPECT_EQ(tickTimes[1] - start, 70u);
    EXPECT_EQ(tickTimes[2] - start, 120u);
    EXPECT_EQ(timer.Interval(), 0);
    EXPECT_EQ(timer.TimerId(), 0u);
}

TEST_F(CTimerTest, ATimerDestroyedByAnotherTimersTickDoesNotTickAfterwards) {
    auto second = std::make_unique<CTimer>();
    CTimer first;
    int secondTicks = 0;
    first.SetThatTimeHandler([&second] { second.reset(); });
    second->SetThatTimeHandler([&secondTicks] { ++secondTicks; });
    first.SetInterval(10);
    second->SetInterval(10);  // due at the same moment, after the first
    Advance(50);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(secondTicks, 0);
}

}  // namespace
}  // namespace vexa
