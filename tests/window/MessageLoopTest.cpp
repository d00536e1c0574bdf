// The queue, the loop and paint messages.
#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {
namespace {

using MessageLoopTest = WindowTest;

TEST_F(MessageLoopTest, PostedMessagesArriveInOrderBeforeThePaintAndUpdateWindowPaintsAtOnce) {
    HWND hwnd = TopLevel(0, 0, 100, 100);
    Log().Clear();
    InvalidateRect(hwnd, nullptr, false);
    PostMessage(hwnd, WM_USER + 1, 1, 0);
    PostMessage(hwnd, WM_USER + 2, 2, 0);
    EXPECT_TRUE(Log().Of(WM_USER + 1).empty());  // posted, not sent
    EXPECT_EQ(PumpMessages(), 3);
    EXPECT_EQ(Log().Sequence({WM_USER + 1, WM_USER + 2, WM_PAINT}),
              (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_PAINT}));
    Log().Clear();
    InvalidateRect(hwnd, nullptr, false);
    UpdateWindow(hwnd);
    EXPECT_EQ(Log().Of(WM_PAINT).size(), 1u);
    // Invalidating again after BeginPaint asks for another paint.
    int paints = 0;
    Log().handlers[WM_PAINT] = [&paints](HWND h, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        if (++paints == 1) InvalidateRect(h, nullptr, false);
        return 0;
    };
    InvalidateRect(hwnd, nullptr, false);
    PumpMessages();
    EXPECT_EQ(paints, 2);
}

TEST_F(MessageLoopTest, PeekFiltersByWindowAndRangeAndCanLeaveTheMessage) {
    HWND a = TopLevel(0, 0, 10, 10);
    HWND b = TopLevel(0, 0, 10, 10);
    PostMessage(a, WM_USER + 1);
    PostMessage(b, WM_USER + 2);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2u);
    ASSERT_TRUE(PeekMessage(&msg, 0, WM_USER + 2, WM_USER + 2, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, b);
    ASSERT_TRUE(PeekMessage(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
    EXPECT_FALSE(PeekMessage(&msg, 0, WM_USER, WM_USER + 5, PM_REMOVE));
}

TEST_F(MessageLoopTest, QuitEndsGetMessageAfterPendingWorkAndNothingPendingNeverHangs) {
    HWND hwnd = TopLevel(0, 0, 10, 10);
    PostMessage(hwnd, WM_USER);
    PostQuitMessage(3);
    MSG msg;
    EXPECT_EQ(GetMessage(&msg), 1);
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(GetMessage(&msg), 0);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(GetMessage(&msg), -1);  // nothing can ever arrive on the headless display
}

TEST_F(MessageLoopTest, GetMessageWaitsForTheNextTimerByLettingVirtualTimePass) {
    HWND hwnd = TopLevel(0, 0, 10, 10);
    const auto start = display().Now();
    SetTimer(hwnd, 7, 250);
    MSG msg;
    ASSERT_EQ(GetMessage(&msg), 1);
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(display().Now() - start, 250u);
}

TEST_F(MessageLoopTest, InvalidationsMergeIntoOnePaintWithTheUnionRectangle) {
    HWND hwnd = TopLevel(0, 0, 200, 200);
    RECT painted{};
    bool erase = false;
    Log().handlers[WM_PAINT] = [&](HWND h, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        painted = ps.rcPaint;
        erase = ps.fErase;
        EndPaint(h, &ps);
        return 0;
    };
    Log().Clear();
    RECT a{10, 10, 20, 20};
    RECT b{50, 40, 60, 90};
    InvalidateRect(hwnd, &a, false);
    InvalidateRect(hwnd, &b, true);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(hwnd, &update, false));
    EXPECT_EQ(update, (RECT{10, 10, 60, 90}));
    PumpMessages();
    EXPECT_EQ(Log().Of(WM_PAINT, hwnd).size(), 1u);
    EXPECT_EQ(painted, (RECT{10, 10, 60, 90}));
    EXPECT_TRUE(erase);  // the class has no background, so WM_ERASEBKGND did not erase
    EXPECT_EQ(Log().Of(WM_ERASEBKGND, hwnd).size(), 1u);
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, false));
    PumpMessages();
    EXPECT_EQ(Log().Of(WM_PAINT, hwnd).size(), 1u);
}

TEST_F(MessageLoopTest, InvalidationIsClippedRedrawOffIgnoresItAndValidationNeverHangsTheLoop) {
    HWND hwnd = TopLevel(0, 0, 100, 100);
    RECT outside{90, 90, 300, 300};
    InvalidateRect(hwnd, &outside, false);
    RECT update;
    GetUpdateRect(hwnd, &update, false);
    EXPECT_EQ(update, (RECT{90, 90, 100, 100}));
    ValidateRect(hwnd, nullptr);
    Log().Clear();
    PumpMessages();
    EXPECT_TRUE(Log().Of(WM_PAINT).empty());
    // With redraw off invalidation is ignored until it is on again.
    SendMessage(hwnd, WM_SETREDRAW, 0, 0);
    InvalidateRect(hwnd, nullptr, true);
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, false));
    SendMessage(hwnd, WM_SETREDRAW, 1, 0);
    // Partial validation shrinks the region.
    RECT top{0, 0, 100, 30};
    InvalidateRect(hwnd, nullptr, false);
    ValidateRect(hwnd, &top);
    ASSERT_TRUE(GetUpdateRect(hwnd, &update, false));
    EXPECT_EQ(update, (RECT{0, 30, 100, 100}));
    // A handler that only validates a hole in the middle gets its region validated for it,
    // like one that ignores the message: one paint, never a loop of them.
    Log().handlers[WM_PAINT] = [](HWND h, WPARAM, LPARAM) -> LRESULT {
        RECT middle{40, 40, 60, 60};
        ValidateRect(h, &middle);
        return 0;
    };
    Log().Clear();
    PumpMessages();
    EXPECT_EQ(Log().Of(WM_PAINT).size(), 1u);
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, false));
}

TEST_F(MessageLoopTest, ParentInvalidationReachesChildrenUnlessItClipsThem) {
    HWND top = TopLevel(0, 0, 200, 200);
    HWND child = Child(top, 50, 50, 50, 50);
    HWND clipping = Child(top, 0, 0, 40, 40, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND grandchild = Child(clipping, 0, 0, 10, 10);
    Log().Clear();
    RECT part{60, 60, 70, 70};
    InvalidateRect(top, &part, false);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(child, &update, false));
    EXPECT_EQ(update, (RECT{10, 10, 20, 20}));
    InvalidateRect(clipping, nullptr, false);
    EXPECT_FALSE(GetUpdateRect(grandchild, &update, false));
    PumpMessages();
    auto paints = Log().Of(WM_PAINT);
    ASSERT_EQ(paints.size(), 3u);
    EXPECT_EQ(paints[0].hwnd, top);  // parents paint before their children
}

TEST_F(MessageLoopTest, ShowingAWindowPaintsItsVisibleDescendantsAndMovesRepaintWhatTheyUncover) {
    HWND top = TopLevel(0, 0, 200, 200, WS_POPUP | WS_CLIPCHILDREN);
    HWND child = Child(top, 10, 10, 50, 50, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND grandchild = Child(child, 0, 0, 10, 10);
    Log().Clear();
    ShowWindow(top, SW_SHOW);
    PumpMessages();
    EXPECT_EQ(Log().Of(WM_PAINT, top).size(), 1u);
    EXPECT_EQ(Log().Of(WM_PAINT, child).size(), 1u);
    EXPECT_EQ(Log().Of(WM_PAINT, grandchild).size(), 1u);
    // Moving a child repaints what it uncovered.
    MoveWindow(child, 100, 100, 50, 50);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(top, &update, false));
    EXPECT_EQ(update, (RECT{10, 10, 150, 150}));
    ASSERT_TRUE(GetUpdateRect(child, &update, false));
    EXPECT_EQ(update, (RECT{0, 0, 50, 50}));
}

TEST_F(MessageLoopTest, FramesArePaintedThroughNonClientPaint) {
    HWND top = TopLevel(0, 0, 200, 200);
    Log().Clear();
    HWND child = Child(top, 10, 10, 50, 50, WS_CHILD | WS_VISIBLE | WS_BORDER);
    EXPECT_EQ(Log().Of(WM_NCPAINT, child).size(), 1u);
    // The default frame is one line of the window-frame colour.
    EXPECT_EQ(display().ScreenPixel(10, 10), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(display().ScreenPixel(59, 30), GetSysColor(COLOR_WINDOWFRAME));
}

bool ScrollBarHook(HWND hwnd, UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
    if (msg == WM_NCHITTEST && (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VSCROLL) != 0) {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        if (GET_X_LPARAM(lParam) >= rect.right - 17) {
            *result = HTVSCROLL;
            return true;
        }
        return false;
    }
    if (msg == WM_NCPAINT) {
        const WindowSurface s = GetWindowSurface(hwnd, true);
        cairo_t* cr = cairo_create(s.surface);
        cairo_set_source_rgb(cr, 1, 0, 0);
        RECT rect;
        GetWindowRect(hwnd, &rect);
        cairo_rectangle(cr, s.origin.x + rect.Width() - 17, s.origin.y, 17, 17);
        cairo_fill(cr);
        cairo_destroy(cr);
        MarkSurfaceDirty(GetAncestor(hwnd, GA_ROOT), RECT{0, 0, 2000, 2000});
        *result = 0;
        return true;
    }
    return false;
}

TEST_F(MessageLoopTest, TheDefaultProcedureHookDrawsAndHitTestsTheScrollBars) {
    SetDefWindowProcHook(&ScrollBarHook);
    HWND top = TopLevel(0, 0, 200, 200);
    HWND child = Child(top, 0, 0, 100, 100, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER);
    SetDefWindowProcHook(nullptr);
    EXPECT_EQ(display().ScreenPixel(90, 5), RGB(255, 0, 0));                  // the hook's bar
    EXPECT_EQ(display().ScreenPixel(0, 50), GetSysColor(COLOR_WINDOWFRAME));  // the frame
    SetDefWindowProcHook(&ScrollBarHook);
    EXPECT_EQ(SendMessage(child, WM_NCHITTEST, 0, MAKELPARAM(95, 50)), HTVSCROLL);
    EXPECT_EQ(SendMessage(child, WM_NCHITTEST, 0, MAKELPARAM(50, 50)), HTCLIENT);
    SetDefWindowProcHook(nullptr);
}

TEST_F(MessageLoopTest, SettingChangesAreBroadcastToTopLevelWindows) {
    HWND a = TopLevel(0, 0, 10, 10);
    HWND b = TopLevel(0, 0, 10, 10);
    HWND child = Child(a, 0, 0, 5, 5);
    SetSystemMetric(SM_CXVSCROLL, 21);
    Log().Clear();
    BroadcastMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(Log().Of(WM_SETTINGCHANGE, a).size(), 1u);
    EXPECT_EQ(Log().Of(WM_SETTINGCHANGE, b).size(), 1u);
    EXPECT_TRUE(Log().Of(WM_SETTINGCHANGE, child).empty());
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 21);
    SetSystemMetric(SM_CXVSCROLL, 17);
    Log().Clear();
    BroadcastMessage(WM_THEMECHANGED, 0, 0, true);
    EXPECT_EQ(Log().Windows(WM_THEMECHANGED), (std::vector<HWND>{a, child, b}));
}

}  // namespace
}  // namespace vexa::sys::testing
