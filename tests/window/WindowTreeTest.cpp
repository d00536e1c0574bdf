// Creation, destruction, the window tree, geometry, window data and handles gone stale.
#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {
namespace {

using WindowTreeTest = WindowTest;

TEST_F(WindowTreeTest, CreationSendsCreateMessagesWithTheParameterAndMinusOneFailsIt) {
    int payload = 42;
    void* seen = nullptr;
    Log().handlers[WM_CREATE] = [&seen](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        seen = reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams;
        return 0;
    };
    HWND hwnd = CreateWindowEx(0, kRecordingClass, "t", WS_POPUP, 10, 20, 300, 200, 0, 0, &payload);
    ASSERT_NE(hwnd, 0u);
    EXPECT_EQ(seen, &payload);
    EXPECT_EQ(Log().Sequence({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}),
              (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(GetWindowText(hwnd), "t");
    EXPECT_FALSE(IsWindowVisible(hwnd));
    // WM_CREATE answering -1 fails the creation and leaves no window.
    HWND created = 0;
    Log().handlers[WM_CREATE] = [&created](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        created = hwnd;
        return -1;
    };
    EXPECT_EQ(CreateWindowEx(0, kRecordingClass, "", WS_POPUP, 0, 0, 10, 10), 0u);
    EXPECT_FALSE(IsWindow(created));
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10), 0u);
    EXPECT_EQ(CreateWindowEx(0, kRecordingClass, "", WS_CHILD, 0, 0, 10, 10, 0), 0u);
}

TEST_F(WindowTreeTest, DestroyNotifiesParentThenChildrenAndInvalidatesEveryHandle) {
    HWND top = TopLevel(0, 0, 200, 200);
    HWND child = Child(top, 0, 0, 50, 50);
    HWND grandchild = Child(child, 0, 0, 10, 10);
    bool childAliveDuringParentDestroy = false;
    Log().handlers[WM_DESTROY] = [&](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        if (hwnd == top) childAliveDuringParentDestroy = IsWindow(child);
        return 0;
    };
    Log().Clear();
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_EQ(Log().Windows(WM_DESTROY), (std::vector<HWND>{top, child, grandchild}));
    EXPECT_EQ(Log().Windows(WM_NCDESTROY), (std::vector<HWND>{grandchild, child, top}));
    EXPECT_TRUE(childAliveDuringParentDestroy);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(grandchild));
    EXPECT_FALSE(DestroyWindow(top));
    // Handles are never reused.
    HWND next = TopLevel(0, 0, 10, 10);
    EXPECT_NE(next, top);
    EXPECT_NE(next, grandchild);
    EXPECT_FALSE(IsWindow(top));
}

TEST_F(WindowTreeTest, OwnedPopupsGoWithTheirOwnerAndSetParentMovesAChild) {
    HWND owner = TopLevel(0, 0, 100, 100);
    HWND child = Child(owner, 0, 0, 10, 10);
    HWND popup = CreateWindowEx(0, kRecordingClass, "", WS_POPUP, 0, 0, 10, 10, child);
    EXPECT_EQ(GetParent(popup), owner);
    EXPECT_EQ(GetAncestor(popup, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(child, GA_ROOT), owner);
    // SetParent moves a window under a new parent.
    HWND other = TopLevel(200, 0, 100, 100);
    EXPECT_EQ(SetParent(child, other), owner);
    EXPECT_EQ(GetParent(child), other);
    EXPECT_EQ(GetChildWindows(owner).size(), 0u);
    RECT rect;
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(SetParent(other, child), 0u);  // no cycles
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(popup));
}

TEST_F(WindowTreeTest, ClientAreaExcludesBordersEdgesAndScrollBars) {
    HWND top = TopLevel(0, 0, 400, 400);
    HWND plain = Child(top, 0, 0, 100, 80);
    HWND framed =
        Child(top, 0, 0, 100, 80, WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE);
    RECT rect;
    ASSERT_TRUE(GetClientRect(plain, &rect));
    EXPECT_EQ(rect, (RECT{0, 0, 100, 80}));
    ASSERT_TRUE(GetClientRect(framed, &rect));
    // 1 border + 2 edge on each side, 17 for each scroll bar.
    EXPECT_EQ(rect, (RECT{0, 0, 100 - 6 - 17, 80 - 6 - 17}));

    // Adding a scroll bar takes effect with SWP_FRAMECHANGED.
    SetWindowLongPtr(plain, GWL_STYLE, GetWindowLongPtr(plain, GWL_STYLE) | WS_VSCROLL);
    GetClientRect(plain, &rect);
    EXPECT_EQ(rect.right, 100);
    Log().Clear();
    SetWindowPos(plain, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    GetClientRect(plain, &rect);
    EXPECT_EQ(rect.right, 100 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(Log().Points(WM_SIZE, plain), (std::vector<POINT>{{83, 80}}));
}

TEST_F(WindowTreeTest, NonClientCalculationCanBeAdjustedByTheProcedure) {
    Log().handlers[WM_NCCALCSIZE] = [](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        params->rgrc[0].top += 12;
        return 0;
    };
    HWND top = TopLevel(0, 0, 100, 100);
    RECT rect;
    GetClientRect(top, &rect);
    EXPECT_EQ(rect, (RECT{0, 0, 100, 88}));
    POINT p{0, 0};
    ClientToScreen(top, &p);
    EXPECT_EQ(p, (POINT{0, 12}));
}

TEST_F(WindowTreeTest, ChildrenLiveInTheirParentsClientArea) {
    HWND top = TopLevel(100, 50, 400, 300, WS_POPUP | WS_VISIBLE | WS_BORDER);
    HWND child = Child(top, 10, 20, 50, 40);
    RECT rect;
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect, (RECT{111, 71, 161, 111}));  // 1-pixel border of the parent
    POINT p{5, 5};
    ASSERT_TRUE(ClientToScreen(child, &p));
    EXPECT_EQ(p, (POINT{116, 76}));
    ASSERT_TRUE(ScreenToClient(top, &p));
    EXPECT_EQ(p, (POINT{15, 25}));
    RECT r{0, 0, 10, 10};
    MapWindowPoints(child, top, &r);
    EXPECT_EQ(r, (RECT{10, 20, 20, 30}));
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{15, 25}), child);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{200, 200}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{-5, 0}), 0u);
}

TEST_F(WindowTreeTest, MovingSendsPositionAndSizeMessages) {
    HWND top = TopLevel(0, 0, 300, 300);
    HWND child = Child(top, 0, 0, 50, 50);
    Log().Clear();
    MoveWindow(child, 5, 6, 70, 80, true);
    EXPECT_EQ(Log().Sequence({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
    EXPECT_EQ(Log().Points(WM_SIZE, child), (std::vector<POINT>{{70, 80}}));
    Log().Clear();
    MoveWindow(child, 5, 6, 70, 80, true);
    EXPECT_TRUE(Log().Of(WM_SIZE).empty());
    EXPECT_TRUE(Log().Of(WM_MOVE).empty());
}

TEST_F(WindowTreeTest, VisibilityAndEnablingFollowTheParentChain) {
    HWND top = TopLevel(0, 0, 100, 100);
    HWND child = Child(top, 0, 0, 10, 10);
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(top, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    Log().Clear();
    EXPECT_FALSE(EnableWindow(child, false));
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_TRUE(EnableWindow(child, true));
    EXPECT_EQ(Log().WParams(WM_ENABLE, child), (std::vector<WPARAM>{0, 1}));
}

TEST_F(WindowTreeTest, WindowDataPropertiesTextAndAReplacedProcedure) {
    HWND hwnd = TopLevel(0, 0, 10, 10);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_WNDPROC), reinterpret_cast<LPARAM>(&RecordingProc));
    SetWindowLongPtr(hwnd, GWLP_USERDATA, 77);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_USERDATA), 77);
    EXPECT_EQ(SetWindowLongPtr(hwnd, GWLP_ID, 5), 0);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_ID), 5);
    EXPECT_TRUE(SetProp(hwnd, "123C", 4));
    EXPECT_EQ(GetProp(hwnd, "123C"), 4);
    EXPECT_EQ(RemoveProp(hwnd, "123C"), 4);
    EXPECT_EQ(GetProp(hwnd, "123C"), 0);
    EXPECT_TRUE(SetWindowText(hwnd, "Größe"));
    EXPECT_EQ(GetWindowText(hwnd), "Größe");
    EXPECT_EQ(GetWindowTextLength(hwnd), 7);
    // A replaced procedure gets the messages and reaches the old one with CallWindowProc.
    static WNDPROC previous = nullptr;
    static int seen;
    seen = 0;
    auto replacement = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER + 1) ++seen;
        return CallWindowProc(previous, h, m, w, l);
    };
    previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LPARAM>(+replacement)));
    EXPECT_EQ(previous, &RecordingProc);
    Log().Clear();
    SendMessage(hwnd, WM_USER + 1, 3, 4);
    EXPECT_EQ(seen, 1);
    ASSERT_EQ(Log().Of(WM_USER + 1).size(), 1u);
    EXPECT_EQ(Log().Of(WM_USER + 1)[0].wParam, 3u);
}

TEST_F(WindowTreeTest, ForeignWindowsKeepTheirProcedure) {
    HWND hwnd = TopLevel(0, 0, 10, 10);
    SetWindowProcessForTesting(hwnd, GetCurrentProcessId() + 1);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    EXPECT_EQ(pid, GetCurrentProcessId() + 1);
    EXPECT_EQ(SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LPARAM>(&DefWindowProc)), 0);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_WNDPROC), reinterpret_cast<LPARAM>(&RecordingProc));
}

TEST_F(WindowTreeTest, DeadHandlesAndMissingOutParametersGiveZerosNeverACrash) {
    HWND hwnd = TopLevel(0, 0, 10, 10);
    DestroyWindow(hwnd);
    const HWND handles[] = {hwnd, HWND(0), HWND(0xDEADBEEF)};
    for (HWND h : handles) {
        RECT rect{1, 2, 3, 4};
        POINT p{1, 1};
        PAINTSTRUCT ps;
        EXPECT_FALSE(GetWindowRect(h, &rect));
        EXPECT_FALSE(GetClientRect(h, &rect));
        EXPECT_FALSE(MoveWindow(h, 0, 0, 1, 1));
        EXPECT_FALSE(ShowWindow(h, SW_SHOW));
        EXPECT_FALSE(IsWindowVisible(h));
        EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 0);
        EXPECT_EQ(GetWindowLongPtr(h, GWL_STYLE), 0);
        EXPECT_EQ(SetWindowLongPtr(h, GWLP_USERDATA, 1), 0);
        EXPECT_FALSE(SetProp(h, "x", 1));
        EXPECT_EQ(GetProp(h, "x"), 0);
        EXPECT_EQ(GetWindowText(h), "");
        EXPECT_FALSE(InvalidateRect(h, nullptr, true));
        EXPECT_EQ(BeginPaint(h, &ps), 0u);
        EXPECT_EQ(SetFocus(h), 0u);
        EXPECT_EQ(SetCapture(h), 0u);
        EXPECT_EQ(SetTimer(h == 0 ? HWND(0xDEADBEEF) : h, 1, 10), 0u);
        EXPECT_FALSE(ScreenToClient(h, &p));
        EXPECT_EQ(GetWindowSurface(h).surface, nullptr);
        EXPECT_EQ(GetParent(h), 0u);
        EXPECT_FALSE(PostMessage(h == 0 ? HWND(0xDEADBEEF) : h, WM_USER));
    }
    // Missing out parameters and payloads are refused quietly.
    hwnd = TopLevel(0, 0, 10, 10);
    EXPECT_FALSE(GetWindowRect(hwnd, nullptr));
    EXPECT_FALSE(GetClientRect(hwnd, nullptr));
    EXPECT_FALSE(GetCursorPos(nullptr));
    EXPECT_FALSE(GetClipCursor(nullptr));
    EXPECT_FALSE(PeekMessage(nullptr, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(GetMessage(nullptr), -1);
    EXPECT_EQ(DispatchMessage(nullptr), 0);
    EXPECT_FALSE(TranslateMessage(nullptr));
    EXPECT_EQ(BeginPaint(hwnd, nullptr), 0u);
    EXPECT_FALSE(EndPaint(hwnd, nullptr));
    EXPECT_FALSE(TrackMouseEvent(nullptr));
    EXPECT_EQ(CallWindowProc(nullptr, hwnd, WM_USER, 0, 0), 0);
    EXPECT_EQ(MapWindowPoints(hwnd, 0, nullptr, 3), MapWindowPoints(hwnd, 0, nullptr, 0));
    EXPECT_FALSE(SetSysColors(1, nullptr, nullptr));
    EXPECT_EQ(SendMessage(hwnd, WM_GETTEXT, 10, 0), 0);
    EXPECT_EQ(SendMessage(hwnd, WM_NCCALCSIZE, 0, 0), 0);
    EXPECT_EQ(SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, 0), 0);
    EXPECT_TRUE(SetWindowText(hwnd, ""));
    EXPECT_EQ(SendMessage(hwnd, WM_SETTEXT, 0, 0), 1);
    EXPECT_EQ(GetWindowText(hwnd), "");
    EXPECT_EQ(RegisterClass(WNDCLASS{}), 0);
    EXPECT_EQ(GetSystemMetrics(-1), 0);
    EXPECT_EQ(GetSysColor(99), 0u);
}

}  // namespace
}  // namespace vexa::sys::testing
