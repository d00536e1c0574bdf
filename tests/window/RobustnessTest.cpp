// A seeded random mix of window operations and input, checking after every step that the
// window system's state stays consistent: focus, capture and the tree only name live
// windows, and every call on a dead handle is harmless.
#include <functional>
#include <random>

#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {
namespace {

using RobustnessTest = WindowTest;

class Scenario {
  public:
    explicit Scenario(unsigned seed) : random_(seed) {}

    void Step(HeadlessDisplay& display) {
        // Each operation on a random window (none: skipped), or input.
        const std::function<void(HWND)> onWindow[] = {
            [](HWND h) { DestroyWindow(h); },
            [&](HWND h) { MoveWindow(h, Pick(300), Pick(300), Pick(200), Pick(200)); },
            [&](HWND h) { ShowWindow(h, Pick(2) == 0 ? SW_HIDE : SW_SHOW); },
            [&](HWND h) { EnableWindow(h, Pick(3) != 0); },
            [](HWND h) { SetFocus(h); },
            [](HWND h) { SetCapture(h); },
            [&](HWND h) { InvalidateRect(h, nullptr, Pick(2) == 0); },
            [&](HWND h) { SetTimer(h, 1 + Pick(3), 10 + Pick(30)); },
            [&](HWND h) {
                if (Pick(2) == 0) SetParent(h, Any());
            }};
        const int pick = Pick(int(std::size(onWindow)) + 4);
        if (pick < int(std::size(onWindow))) {
            if (HWND h = Any()) onWindow[pick](h);
        } else if (pick == int(std::size(onWindow))) {
            Create();
        } else if (pick == int(std::size(onWindow)) + 1) {
            display.Click(Pick(400), Pick(400), Pick(2) == 0 ? 1 : 2);
        } else if (pick == int(std::size(onWindow)) + 2) {
            display.TypeText("a1 ");
        } else {
            display.AdvanceClock(Pick(50));
            ReleaseCapture();
        }
        PumpMessages();
    }

    const std::vector<HWND>& Handles() const { return handles_; }

  private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    HWND Any() {
        if (handles_.empty()) return 0;
        return handles_[std::size_t(Pick(int(handles_.size())))];
    }

    void Create() {
        HWND parent = Pick(3) == 0 ? 0 : Any();
        if (parent != 0 && !IsWindow(parent)) parent = 0;
        const UINT style = (parent != 0 ? WS_CHILD : WS_POPUP) | WS_VISIBLE |
                           (Pick(2) == 0 ? WS_BORDER : 0) | (Pick(3) == 0 ? WS_VSCROLL : 0);
        const char* cls = Pick(2) == 0 ? kRecordingClass : kDoubleClickClass;
        HWND h = CreateWindowEx(0, cls, "w", style, Pick(300), Pick(300), 10 + Pick(200),
                                10 + Pick(200), parent);
        if (h != 0) handles_.push_back(h);
    }

    std::mt19937 random_;
    std::vector<HWND> handles_;
};

void ExpectConsistent(const std::vector<HWND>& handles) {
    const HWND focus = GetFocus();
    EXPECT_TRUE(focus == 0 || IsWindow(focus));
    if (focus != 0) {
        EXPECT_TRUE(IsWindowEnabled(focus));
    }
    const HWND capture = GetCapture();
    EXPECT_TRUE(capture == 0 || IsWindow(capture));
    const HWND active = GetActiveWindow();
    EXPECT_TRUE(active == 0 || (IsWindow(active) && GetAncestor(active, GA_ROOT) == active));
    for (HWND h : handles) {
        if (!IsWindow(h)) {
            RECT r;
            EXPECT_FALSE(GetWindowRect(h, &r));
            EXPECT_EQ(GetChildWindows(h).size(), 0u);
            continue;
        }
        for (HWND child : GetChildWindows(h)) {
            EXPECT_TRUE(IsWindow(child));
            EXPECT_EQ(GetParent(child), h);
        }
        const WindowSurface s = GetWindowSurface(h);
        EXPECT_NE(s.surface, nullptr);
        if (!IsWindowVisible(h)) {
            EXPECT_EQ(s.clip, RECT{});
        }
    }
}

TEST_F(RobustnessTest, RandomOperationsKeepTheStateConsistent) {
    for (unsigned seed : {1u, 7u, 42u}) {
        Scenario scenario(seed);
        for (int step = 0; step < 400; ++step) {
            scenario.Step(display());
            ExpectConsistent(scenario.Handles());
            if (::testing::Test::HasFailure()) {
                ADD_FAILURE() << "seed " << seed << " step " << step;
                return;
            }
        }
        DestroyAllWindowsForTesting();
        for (HWND h : scenario.Handles()) EXPECT_FALSE(IsWindow(h));
    }
}

}  // namespace
}  // namespace vexa::sys::testing
