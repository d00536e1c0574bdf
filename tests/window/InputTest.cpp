// Injected input through the real path: hit testing, capture, activation, double clicks,
// focus, keys, characters, the wheel and cursor confinement.
#include "vexa/system/window/Input.h"
#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {
namespace {

using InputTest = WindowTest;

TEST_F(InputTest, MouseMessagesReachTheDeepestWindowInItsClientCoordinates) {
    HWND top = TopLevel(100, 100, 400, 300);
    HWND child = Child(top, 50, 40, 100, 100);
    Log().Clear();
    display().MouseMove(160, 150);
    EXPECT_EQ(Log().Windows(WM_MOUSEMOVE), (std::vector<HWND>{child}));
    EXPECT_EQ(Log().Points(WM_MOUSEMOVE, child), (std::vector<POINT>{{10, 10}}));
    EXPECT_EQ(Log().Of(WM_SETCURSOR, child).size(), 1u);
    display().MouseMove(110, 110);
    EXPECT_EQ(Log().Of(WM_MOUSEMOVE).back().hwnd, top);
    EXPECT_EQ(WindowFromPoint(POINT{160, 150}), child);
    EXPECT_EQ(WindowFromPoint(POINT{5, 5}), 0u);
}

TEST_F(InputTest, ButtonMessagesCarryKeyFlagsAndFollowTheCapture) {
    HWND top = TopLevel(0, 0, 400, 300);
    HWND child = Child(top, 0, 0, 100, 100);
    Log().handlers[WM_LBUTTONDOWN] = [](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        SetCapture(hwnd);
        return 0;
    };
    Log().handlers[WM_LBUTTONUP] = [](HWND, WPARAM, LPARAM) -> LRESULT {
        ReleaseCapture();
        return 0;
    };
    display().MouseMove(10, 10);
    Log().Clear();
    display().MouseDown(1);
    EXPECT_EQ(GetCapture(), child);
    EXPECT_TRUE(display().PointerGrabbed());
    EXPECT_EQ(Log().WParams(WM_LBUTTONDOWN, child), (std::vector<WPARAM>{MK_LBUTTON}));
    EXPECT_LT(GetKeyState(VK_LBUTTON), 0);

    display().MouseMove(300, 250);  // outside the child: still its message
    EXPECT_EQ(Log().Windows(WM_MOUSEMOVE), (std::vector<HWND>{child}));
    EXPECT_EQ(Log().Points(WM_MOUSEMOVE, child), (std::vector<POINT>{{300, 250}}));

    display().MouseUp(1);
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(Log().WParams(WM_LBUTTONUP, child), (std::vector<WPARAM>{0}));
    EXPECT_EQ(Log().Of(WM_CAPTURECHANGED, child).size(), 1u);
    EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
}

TEST_F(InputTest, DragsMoveInEqualStepsAndFasterMovesCollapseWithoutPassingOtherInput) {
    HWND top = TopLevel(0, 0, 400, 300);
    Log().Clear();
    display().Drag(10, 10, 50, 30, 4);
    EXPECT_EQ(Log().Sequence({WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}),
              (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MOUSEMOVE,
                                 WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP}));
    EXPECT_EQ(Log().Points(WM_MOUSEMOVE, top),
              (std::vector<POINT>{{10, 10}, {20, 15}, {30, 20}, {40, 25}, {50, 30}}));
    EXPECT_EQ(Log().WParams(WM_MOUSEMOVE, top).back() & MK_LBUTTON, MK_LBUTTON);
    // Moves faster than the loop collapse into the latest without passing other input.
    HWND child = Child(top, 200, 0, 100, 100);
    Log().Clear();
    // A burst of native events before the loop runs, as a fast hand makes them.
    InjectMouseMove(POINT{10, 10});
    InjectMouseMove(POINT{20, 10});
    InjectMouseMove(POINT{30, 10});
    InjectMouseButton(VK_LBUTTON, true);
    InjectMouseMove(POINT{40, 10});
    InjectMouseMove(POINT{50, 10});
    InjectMouseButton(VK_LBUTTON, false);
    InjectMouseMove(POINT{60, 10});
    InjectMouseMove(POINT{210, 10});  // another window: a move of its own
    PumpMessages();
    EXPECT_EQ(Log().Sequence({WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}),
              (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP,
                                 WM_MOUSEMOVE, WM_MOUSEMOVE}));
    EXPECT_EQ(Log().Points(WM_MOUSEMOVE, top), (std::vector<POINT>{{30, 10}, {50, 10}, {60, 10}}));
    // Moves are not merged across the release.
    EXPECT_EQ(Log().WParams(WM_MOUSEMOVE, top), (std::vector<WPARAM>{0, MK_LBUTTON, 0}));
    EXPECT_EQ(Log().Points(WM_MOUSEMOVE, child), (std::vector<POINT>{{10, 10}}));
}

TEST_F(InputTest, CapturedMovesLeftOfTheWindowAreNegativeAndTakingTheCaptureNotifiesTheLoser) {
    HWND top = TopLevel(100, 100, 100, 100);
    HWND a = Child(top, 0, 0, 10, 10);
    HWND b = Child(top, 20, 0, 10, 10);
    SetCapture(a);
    Log().Clear();
    display().MouseMove(40, 70);
    EXPECT_EQ(Log().Points(WM_MOUSEMOVE, a), (std::vector<POINT>{{-60, -30}}));
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_EQ(Log().Windows(WM_CAPTURECHANGED), (std::vector<HWND>{a}));
    EXPECT_EQ(HWND(Log().Of(WM_CAPTURECHANGED)[0].lParam), b);
    DestroyWindow(b);
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(InputTest, ASecondPressNearAndWithinTheDoubleClickTimeIsADoubleClick) {
    HWND hwnd = TopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE, 0, kDoubleClickClass);
    Log().Clear();
    display().DoubleClick(50, 50);
    EXPECT_EQ(Log().Sequence({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
    display().Click(50, 50);  // a third press starts over
    display().AdvanceClock(GetDoubleClickTime() + 1);
    display().Click(50, 50);  // too slow
    display().Click(60, 50);  // farther than the double-click rectangle
    EXPECT_EQ(Log().Of(WM_LBUTTONDBLCLK, hwnd).size(), 1u);
    EXPECT_EQ(Log().Of(WM_LBUTTONDOWN, hwnd).size(), 4u);
    display().AdvanceClock(GetDoubleClickTime());
    display().Click(60, 50);
    EXPECT_EQ(Log().Of(WM_LBUTTONDBLCLK, hwnd).size(), 2u);  // exactly the double-click time
}

TEST_F(InputTest, MouseActivationCanEatTheClick) {
    HWND top = TopLevel(0, 0, 200, 200);
    HWND child = Child(top, 0, 0, 100, 100);
    Log().handlers[WM_MOUSEACTIVATE] = [child](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        return hwnd == child ? MA_NOACTIVATEANDEAT : MA_ACTIVATE;
    };
    Log().Clear();
    display().Click(10, 10, 2);
    auto activations = Log().Of(WM_MOUSEACTIVATE, child);
    ASSERT_EQ(activations.size(), 1u);
    EXPECT_EQ(HWND(activations[0].wParam), top);
    EXPECT_EQ(HIWORD(activations[0].lParam), WM_RBUTTONDOWN);
    EXPECT_TRUE(Log().Of(WM_RBUTTONDOWN).empty());
    display().Click(150, 150, 2);
    EXPECT_EQ(Log().Of(WM_RBUTTONDOWN, top).size(), 1u);
}

TEST_F(InputTest, NonClientPartsGetNonClientMessagesAndDisabledWindowsPassClicksUp) {
    HWND top = TopLevel(0, 0, 200, 200);
    HWND child = Child(top, 0, 0, 100, 100, WS_CHILD | WS_VISIBLE | WS_VSCROLL);
    Log().Clear();
    display().Click(90, 10);
    EXPECT_EQ(Log().WParams(WM_NCLBUTTONDOWN, child), (std::vector<WPARAM>{HTVSCROLL}));
    EXPECT_TRUE(Log().Of(WM_LBUTTONDOWN).empty());
    EnableWindow(child, false);
    display().Click(10, 10);
    EXPECT_EQ(Log().Windows(WM_LBUTTONDOWN), (std::vector<HWND>{top}));
}

TEST_F(InputTest, FocusChangesSendKillThenSetAndLeaveHiddenDisabledAndDestroyedWindows) {
    HWND top = TopLevel(0, 0, 200, 200);
    HWND a = Child(top, 0, 0, 10, 10);
    HWND b = Child(top, 20, 0, 10, 10);
    SetFocus(a);
    Log().Clear();
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(GetFocus(), b);
    const std::vector<std::tuple<HWND, UINT, WPARAM>> expected{{a, WM_KILLFOCUS, WPARAM(b)},
                                                               {b, WM_SETFOCUS, WPARAM(a)}};
    EXPECT_EQ(Log().Calls(), expected);
    EXPECT_EQ(SetFocus(b), b);  // no messages for the same window
    EXPECT_EQ(Log().Calls(), expected);
    // The focus leaves hidden, disabled and destroyed windows.
    SetFocus(a);
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(GetFocus(), top);
    ShowWindow(a, SW_SHOW);
    SetFocus(a);
    EnableWindow(a, false);
    EXPECT_NE(GetFocus(), a);
    EXPECT_EQ(SetFocus(a), 0u);  // a disabled window cannot take it
    EnableWindow(a, true);
    SetFocus(a);
    DestroyWindow(a);
    EXPECT_EQ(GetFocus(), top);
}

TEST_F(InputTest, ShowingATopLevelWindowActivatesItAndGivesItTheFocus) {
    HWND first = TopLevel(0, 0, 100, 100);
    Log().Clear();
    HWND second = TopLevel(50, 50, 100, 100);
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(Log().WParams(WM_ACTIVATE, first), (std::vector<WPARAM>{WA_INACTIVE}));
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), second);  // on top
    display().Click(10, 10);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), first);
}

TEST_F(InputTest, OwnedPopupsStayAboveTheirOwner) {
    HWND owner = TopLevel(0, 0, 100, 100);
    HWND popup =
        CreateWindowEx(0, kRecordingClass, "", WS_POPUP | WS_VISIBLE, 20, 20, 30, 30, owner);
    HWND other = TopLevel(0, 0, 100, 100);
    EXPECT_EQ(WindowFromPoint(POINT{25, 25}), other);
    display().MouseMove(0, 0);
    SetActiveWindow(owner);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(WindowFromPoint(POINT{25, 25}), popup);
    EXPECT_EQ(WindowFromPoint(POINT{80, 80}), owner);
    EXPECT_EQ(SetWindowLongPtr(owner, GWLP_HWNDPARENT, LPARAM(popup)), 0);  // no cycles
}

TEST_F(InputTest, KeysGoToTheFocusWindowAndCharactersFollowTheirKeyDown) {
    HWND top = TopLevel(0, 0, 200, 200);
    HWND edit = Child(top, 0, 0, 10, 10);
    SetFocus(edit);
    Log().Clear();
    display().TypeText("aB!");
    EXPECT_EQ(Log().Chars(edit), U"aB!");
    EXPECT_EQ(Log().Sequence({WM_KEYDOWN, WM_CHAR, WM_KEYUP}).size(), 3u + 3u + 3u + 4u);
    auto downs = Log().Of(WM_KEYDOWN, edit);
    ASSERT_GE(downs.size(), 1u);
    EXPECT_EQ(downs[0].wParam, WPARAM('A'));
    EXPECT_EQ(Log().messages.front().msg, WM_KEYDOWN);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);  // Shift was released again
}

TEST_F(InputTest, PrintableAsciiIsTypedThroughKeysOtherTextAsCharactersAndRepeatsAreMarked) {
    HWND top = TopLevel(0, 0, 200, 200);
    SetFocus(top);
    std::string all;
    for (char c = ' '; c <= '~'; ++c) all.push_back(c);
    Log().Clear();
    display().TypeText(all + "\t\n");
    const std::u32string typed = Log().Chars(top);
    EXPECT_EQ(std::string(typed.begin(), typed.end()), all + "\t\r");  // Enter: a carriage return
    EXPECT_EQ(Log().Of(WM_KEYDOWN, top).size() - Log().Of(WM_KEYUP, top).size(), 0u);
    // Text without keys arrives as characters only.
    Log().Clear();
    display().TypeText("é€");
    EXPECT_EQ(Log().Chars(top), U"\u00E9\u20AC");
    EXPECT_TRUE(Log().Of(WM_KEYDOWN).empty());
    // Repeated key downs are marked; arrows type nothing.
    display().KeyDown(VK_DOWN);
    display().KeyDown(VK_DOWN);
    display().KeyUp(VK_DOWN);
    auto downs = Log().Of(WM_KEYDOWN, top);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].lParam & (LPARAM(1) << 30), 0);
    EXPECT_NE(downs[1].lParam & (LPARAM(1) << 30), 0);
    EXPECT_EQ(Log().Chars(top), U"\u00E9\u20AC");
}

TEST_F(InputTest, ModifierStateIsKeptAndShapesMessagesAndCharacters) {
    HWND top = TopLevel(0, 0, 200, 200);
    SetFocus(top);
    display().KeyDown(VK_CONTROL);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_LT(GetAsyncKeyState(VK_CONTROL), 0);
    Log().Clear();
    display().KeyPress('C');
    EXPECT_EQ(Log().Chars(top), U"\x03");  // Ctrl+C
    display().KeyPress(VK_SPACE);          // Ctrl+Space still types a space
    display().KeyPress(VK_RETURN);         // Ctrl+Enter a line feed
    display().KeyPress(VK_DOWN);           // Ctrl+Down nothing
    EXPECT_EQ(Log().Chars(top), U"\x03 \n");
    display().KeyUp(VK_CONTROL);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);

    Log().Clear();
    display().KeyDown(VK_MENU);
    display().KeyPress(VK_F5);
    display().KeyUp(VK_MENU);
    EXPECT_EQ(Log().WParams(WM_SYSKEYDOWN, top), (std::vector<WPARAM>{VK_MENU, VK_F5}));
    EXPECT_NE(Log().Of(WM_SYSKEYDOWN, top).back().lParam & (LPARAM(1) << 29), 0);

    display().KeyPress(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    Log().Clear();
    display().KeyPress('Q');
    EXPECT_EQ(Log().Of(WM_CHAR, top).at(0).wParam, WPARAM('Q'));
    display().KeyPress(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
}

TEST_F(InputTest, RightClicksAndTheAppsKeyAskForAContextMenuThatTravelsUpAndAltF4Closes) {
    HWND top = TopLevel(100, 100, 200, 200);
    HWND child = Child(top, 10, 10, 50, 50);
    Log().Clear();
    display().Click(120, 130, 2);
    auto menus = Log().Of(WM_CONTEXTMENU);
    ASSERT_EQ(menus.size(), 2u);  // the child, then its parent through DefWindowProc
    EXPECT_EQ(menus[0].hwnd, child);
    EXPECT_EQ(HWND(menus[0].wParam), child);
    EXPECT_EQ(GET_X_LPARAM(menus[0].lParam), 120);  // screen coordinates
    EXPECT_EQ(GET_Y_LPARAM(menus[0].lParam), 130);
    EXPECT_EQ(menus[1].hwnd, top);
    SetFocus(child);
    Log().Clear();
    display().KeyPress(VK_APPS);
    EXPECT_EQ(Log().Points(WM_CONTEXTMENU, child), (std::vector<POINT>{{-1, -1}}));
    display().KeyDown(VK_MENU);  // Alt+F4 closes the top-level window
    display().KeyPress(VK_F4);
    display().KeyUp(VK_MENU);
    EXPECT_EQ(Log().Of(WM_CLOSE, top).size(), 1u);
    EXPECT_FALSE(IsWindow(top));
}

TEST_F(InputTest, WheelGoesToTheFocusWindowAndUpToItsParent) {
    HWND top = TopLevel(0, 0, 200, 200);
    HWND child = Child(top, 0, 0, 100, 100);
    SetFocus(child);
    display().MouseMove(30, 40);
    Log().Clear();
    display().Wheel(-WHEEL_DELTA);
    const auto wheel = Log().WParams(WM_MOUSEWHEEL, child);
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(std::int16_t(HIWORD(wheel[0])), -WHEEL_DELTA);
    EXPECT_EQ(Log().Points(WM_MOUSEWHEEL, child), (std::vector<POINT>{{30, 40}}));  // on screen
    EXPECT_EQ(Log().Of(WM_MOUSEWHEEL, top).size(), 1u);  // passed up by DefWindowProc
}

TEST_F(InputTest, ClipCursorConfinesInjectedAndProgrammaticMoves) {
    TopLevel(0, 0, 500, 500);
    RECT confine{100, 100, 200, 150};
    ClipCursor(&confine);
    display().MouseMove(400, 20);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT{199, 100}));
    SetCursorPos(0, 0);
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT{100, 100}));
    RECT current;
    GetClipCursor(&current);
    EXPECT_EQ(current, confine);
    ClipCursor(nullptr);
    display().MouseMove(400, 20);
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT{400, 20}));
}

TEST_F(InputTest, TheClassCursorIsSetOverTheClientAreaAndLeaveTrackingPostsMouseLeaveOnce) {
    WNDCLASS cls;
    cls.lpfnWndProc = &RecordingProc;
    cls.lpszClassName = "VexaTestIBeam";
    cls.hCursor = LoadCursor(0, IDC_IBEAM);
    RegisterClass(cls);
    HWND top = TopLevel(0, 0, 200, 200);
    HWND child = Child(top, 0, 0, 50, 50, WS_CHILD | WS_VISIBLE, 0, "VexaTestIBeam");
    display().MouseMove(10, 10);
    EXPECT_EQ(GetCursor(), IDC_IBEAM);
    EXPECT_EQ(display().CursorShape(), IDC_IBEAM);
    TRACKMOUSEEVENT track{TME_LEAVE, child, 0};
    ASSERT_TRUE(TrackMouseEvent(&track));
    Log().Clear();
    display().MouseMove(20, 20);
    EXPECT_TRUE(Log().Of(WM_MOUSELEAVE).empty());
    display().MouseMove(100, 100);
    display().MouseMove(120, 100);
    EXPECT_EQ(Log().Of(WM_MOUSELEAVE, child).size(), 1u);
}

}  // namespace
}  // namespace vexa::sys::testing
