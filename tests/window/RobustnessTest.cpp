// A seeded random mix of window operations and input, checking after every step that the
// window system's state stays consistent: focus, capture and the tree only name live
// windows, and every call on a dead handle is harmless.
#include <random>

#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {
namespace {

using RobustnessTest = WindowTest;

class Scenario {
  public:
    explicit Scenario(unsigned seed) : random_(seed) {}

    void Step(HeadlessDisplay& display) {
        switch (Pick(12)) {
            case 0:
                Create();
                break;
            case 1:
                if (HWND h = Any()) DestroyWindow(h);
                break;
            case 2:
                if (HWND h = Any()) MoveWindow(h, Pick(300), Pick(300), Pick(200), Pick(200));
                break;
            case 3:
                if (HWND h = Any()) ShowWindow(h, Pick(2) == 0 ? SW_HIDE : SW_SHOW);
                break;
            case 4:
                if (HWND h = Any()) EnableWindow(h, Pick(3) != 0);
                break;
            case 5:
                if (HWND h = Any()) SetFocus(h);
                break;
            case 6:
                if (HWND h = Any()) SetCapture(h);
                break;
            case 7:
                display.Click(Pick(400), Pick(400), Pick(2) == 0 ? 1 : 2);
                break;
            case 8:
                display.TypeText("a1 ");
                break;
            case 9:
                if (HWND h = Any()) InvalidateRect(h, nullptr, Pick(2) == 0);
                break;
            case 10:
                if (HWND h = Any()) SetTimer(h, 1 + Pick(3), 10 + Pick(30));
                display.AdvanceClock(Pick(50));
                break;
            default:
                if (HWND h = Any(); h != 0 && Pick(2) == 0) SetParent(h, Any());
                ReleaseCapture();
                break;
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
