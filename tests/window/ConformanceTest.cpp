// Behaviour of the loop and the input path that code written for the classic platform counts
// on: which queue goes first, double clicks in the non-client area, keys without a focus
// window, WM_QUIT and timer messages posted by hand, and handles that must not outlive their
// window.
#include "vexa/system/window/Input.h"
#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {
namespace {

using ConformanceTest = WindowTest;

constexpr UINT kPosted = WM_USER + 1;

int& TimerProcCalls() {
    static int calls = 0;
    return calls;
}

void CountingTimerProc(HWND, UINT, std::uintptr_t, DWORD) {
    ++TimerProcCalls();
}

TEST_F(ConformanceTest, AMessagePostedByAKeyHandlerComesBeforeTheKeysAlreadyWaiting) {
    HWND hwnd = TopLevel(10, 10, 100, 100);
    SetFocus(hwnd);
    PumpMessages();
    Log().Clear();
    Log().handlers[WM_KEYDOWN] = [](HWND h, WPARAM vk, LPARAM) -> LRESULT {
        if (vk == 'A') PostMessage(h, kPosted);
        return 0;
    };
    // Typed ahead: all four strokes wait before the loop runs.
    InjectKey('A', true);
    InjectKey('A', false);
    InjectKey('B', true);
    InjectKey('B', false);
    PumpMessages();
    const std::vector<UINT> expected{WM_KEYDOWN, WM_CHAR, kPosted, WM_KEYUP,
                                     WM_KEYDOWN, WM_CHAR, WM_KEYUP};
    EXPECT_EQ(Log().Sequence({WM_KEYDOWN, WM_CHAR, WM_KEYUP, kPosted}), expected);
    EXPECT_EQ(Log().Chars(hwnd), U"ab");
}

TEST_F(ConformanceTest, PostedMessagesGoBeforeWaitingClicksButAfterEarlierPosts) {
    HWND hwnd = TopLevel(10, 10, 100, 100);
    Log().Clear();
    PostMessage(hwnd, kPosted, 1);
    display().MouseMove(50, 50);  // pumps: the post and the move are handled here
    InjectMouseButton(VK_LBUTTON, true);
    InjectMouseButton(VK_LBUTTON, false);
    PostMessage(hwnd, kPosted, 2);
    PostMessage(hwnd, kPosted, 3);
    PumpMessages();
    const std::vector<UINT> expected{kPosted, WM_MOUSEMOVE,   kPosted,
                                     kPosted, WM_LBUTTONDOWN, WM_LBUTTONUP};
    EXPECT_EQ(Log().Sequence({kPosted, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}), expected);
    EXPECT_EQ(Log().WParams(kPosted, hwnd), (std::vector<WPARAM>{1, 2, 3}));
}

TEST_F(ConformanceTest, NonClientDoubleClicksNeedNoDoubleClickStyle) {
    // A popup with a vertical scroll bar along its right edge, class without CS_DBLCLKS.
    HWND hwnd = TopLevel(10, 10, 100, 100, WS_POPUP | WS_VISIBLE | WS_VSCROLL);
    Log().Clear();
    display().DoubleClick(10 + 95, 50);
    EXPECT_EQ(Log().WParams(WM_NCLBUTTONDBLCLK, hwnd), (std::vector<WPARAM>{HTVSCROLL}));
    EXPECT_EQ(Log().WParams(WM_NCLBUTTONDOWN, hwnd), (std::vector<WPARAM>{HTVSCROLL}));
    EXPECT_TRUE(Log().Of(WM_LBUTTONDOWN).empty());
    // The client area of the same window still gets two presses.
    Log().Clear();
    display().DoubleClick(40, 50);
    EXPECT_EQ(Log().Of(WM_LBUTTONDOWN, hwnd).size(), 2u);
    EXPECT_TRUE(Log().Of(WM_LBUTTONDBLCLK, hwnd).empty());
}

TEST_F(ConformanceTest, WithoutAFocusWindowKeysReachTheActiveWindowAsSystemKeys) {
    HWND hwnd = TopLevel(10, 10, 100, 100);
    ASSERT_EQ(GetActiveWindow(), hwnd);
    SetFocus(0);
    ASSERT_EQ(GetFocus(), 0u);
    Log().Clear();
    display().KeyPress(VK_DOWN);
    const std::vector<UINT> expected{WM_SYSKEYDOWN, WM_SYSKEYUP};
    EXPECT_EQ(Log().Sequence({WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP}), expected);
    ASSERT_EQ(Log().Of(WM_SYSKEYDOWN, hwnd).size(), 1u);
    EXPECT_EQ(Log().Of(WM_SYSKEYDOWN, hwnd)[0].wParam, WPARAM(VK_DOWN));
    // With the focus back, the same key is an ordinary one.
    SetFocus(hwnd);
    Log().Clear();
    display().KeyPress(VK_DOWN);
    EXPECT_EQ(Log().Of(WM_KEYDOWN, hwnd).size(), 1u);
    EXPECT_TRUE(Log().Of(WM_SYSKEYDOWN).empty());
}

TEST_F(ConformanceTest, QuitIsRetrievedWhateverTheMessageRange) {
    PostQuitMessage(3);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, 0, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessage(&msg, 0, 0, 0, PM_REMOVE));
}

TEST_F(ConformanceTest, TimerMessagesPostedByHandCallOnlyTheTimersOwnProcedure) {
    HWND hwnd = TopLevel(10, 10, 100, 100);
    ASSERT_EQ(SetTimer(hwnd, 1, 1000), 1u);
    ASSERT_EQ(SetTimer(hwnd, 2, 1000, &CountingTimerProc), 2u);
    TimerProcCalls() = 0;
    Log().Clear();
    // An lParam that is no timer procedure: neither called nor handed to the window.
    PostMessage(hwnd, WM_TIMER, 1, LPARAM(0x10));
    PostMessage(hwnd, WM_TIMER, 2, LPARAM(0x10));
    PumpMessages();
    EXPECT_TRUE(Log().Of(WM_TIMER).empty());
    EXPECT_EQ(TimerProcCalls(), 0);
    // lParam 0 goes to the window procedure; the timer's own procedure is called.
    PostMessage(hwnd, WM_TIMER, 1, 0);
    PostMessage(hwnd, WM_TIMER, 2, reinterpret_cast<LPARAM>(&CountingTimerProc));
    PumpMessages();
    ASSERT_EQ(Log().Of(WM_TIMER).size(), 1u);
    EXPECT_EQ(Log().Of(WM_TIMER)[0].wParam, 1u);
    EXPECT_EQ(TimerProcCalls(), 1);
    // Real ticks still arrive both ways.
    display().AdvanceClock(1000);
    EXPECT_EQ(Log().Of(WM_TIMER).size(), 2u);
    EXPECT_EQ(TimerProcCalls(), 2);
}

TEST_F(ConformanceTest, DestroyingAHiddenActiveWindowLeavesNoActiveHandle) {
    HWND other = TopLevel(200, 0, 50, 50);
    HWND hidden = TopLevel(0, 0, 50, 50, WS_POPUP);
    ASSERT_EQ(SetActiveWindow(hidden), other);
    ASSERT_EQ(GetActiveWindow(), hidden);
    ASSERT_TRUE(DestroyWindow(hidden));
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(GetFocus(), other);
    ASSERT_TRUE(DestroyWindow(other));
    EXPECT_EQ(GetActiveWindow(), 0u);
}

TEST_F(ConformanceTest, CaptureOrActivationTakenWhileDyingDoesNotOutliveTheWindow) {
    HWND parent = TopLevel(0, 0, 100, 100);
    HWND child = Child(parent, 10, 10, 50, 50);
    Log().handlers[WM_DESTROY] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
        SetCapture(h);
        SetActiveWindow(h);
        SetFocus(h);
        return 0;
    };
    Log().handlers[WM_NCDESTROY] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
        SetCapture(h);
        return 0;
    };
    ASSERT_TRUE(DestroyWindow(child));
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_TRUE(IsWindow(parent));
    ASSERT_TRUE(DestroyWindow(parent));
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(GetActiveWindow(), 0u);
    EXPECT_EQ(GetFocus(), 0u);
    // Input afterwards goes nowhere and changes nothing.
    Log().Clear();
    display().Click(20, 20);
    EXPECT_TRUE(Log().messages.empty());
}

TEST_F(ConformanceTest, AWindowDestroyingItselfInAnyOfItsMessagesNeverBreaksTheSystem) {
    // Grouped by phase: creation and showing, focus and painting, the mouse, keys and the end.
    const std::vector<UINT> phases[] = {
        {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW},
        {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS},
        {WM_KILLFOCUS, WM_PAINT, WM_ERASEBKGND, WM_NCPAINT, WM_NCHITTEST, WM_SETCURSOR},
        {WM_MOUSEACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_LBUTTONUP},
        {WM_CAPTURECHANGED, WM_TIMER, WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_DESTROY, WM_NCDESTROY},
        {WM_STYLECHANGING, WM_STYLECHANGED, WM_ENABLE, WM_CANCELMODE, WM_MOUSELEAVE}};
    for (const auto& phase : phases)
        for (UINT msg : phase) {
            SCOPED_TRACE(msg);
            DestroyAllWindowsForTesting();
            Log().handlers.clear();
            Log().handlers[msg] = [](HWND h, WPARAM w, LPARAM l) -> LRESULT {
                DestroyWindow(h);
                DestroyWindow(h);  // the second call on the dying or dead handle is refused
                return DefWindowProc(h, WM_NULL, w, l);
            };
            HWND top = CreateWindowEx(WS_EX_CLIENTEDGE, kDoubleClickClass, "t",
                                      WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 200, 200);
            HWND child =
                top == 0 ? 0
                         : CreateWindowEx(WS_EX_CLIENTEDGE, kDoubleClickClass, "c",
                                          WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 100, top);
            PumpMessages();
            SetFocus(child);
            SetTimer(child, 1, 10);
            InvalidateRect(child, nullptr, true);
            SetWindowPos(child, 0, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
            PumpMessages();
            display().MouseMove(50, 50);
            TRACKMOUSEEVENT track{TME_LEAVE, child, 0};
            TrackMouseEvent(&track);
            display().DoubleClick(50, 50);
            SetCapture(child);
            display().MouseMove(60, 60);
            display().MouseMove(300, 300);
            ReleaseCapture();
            display().TypeText("a");
            display().AdvanceClock(30);
            SetWindowLongPtr(child, GWL_STYLE, GetWindowLongPtr(child, GWL_STYLE) | WS_VSCROLL);
            EnableWindow(child, false);
            ShowWindow(child, SW_HIDE);
            DestroyWindow(child);
            DestroyWindow(top);
            PumpMessages();
            EXPECT_FALSE(IsWindow(child));
            EXPECT_FALSE(IsWindow(top));
            EXPECT_EQ(GetCapture(), 0u);
            EXPECT_EQ(GetFocus(), 0u);
            EXPECT_EQ(GetActiveWindow(), 0u);
        }
}

}  // namespace
}  // namespace vexa::sys::testing
