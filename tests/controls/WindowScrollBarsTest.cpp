// Range, page and position as programs set and read them; bars shown, hidden and resized
// with the client area following.
#include <climits>

#include "controls/ScrollBarTestSupport.h"

namespace vexa::sys::testing {
namespace {

using WindowScrollBarsTest = ScrollBarTest;

struct Clamping {
    int nMin, nMax;
    UINT nPage;
    int nPos, wantMin, wantMax;
    UINT wantPage;
    int wantPos;
};

class ClampingTest : public ScrollBarTest, public ::testing::WithParamInterface<Clamping> {};

TEST_P(ClampingTest, PageAndPositionStayInsideTheRange) {
    const Clamping c = GetParam();
    HWND hwnd = BarWindow();
    SCROLLINFO in{
        28, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, c.nMin, c.nMax, c.nPage, c.nPos};
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &in, true), c.wantPos);
    SCROLLINFO out{28, SIF_ALL};
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_VERT, &out));
    EXPECT_EQ((std::vector<int>{out.nMin, out.nMax, int(out.nPage), out.nPos, out.nTrackPos}),
              (std::vector<int>{c.wantMin, c.wantMax, int(c.wantPage), c.wantPos, c.wantPos}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClampingTest,
    ::testing::Values(Clamping{0, 100, 10, 50, 0, 100, 10, 50},      // as given
                      Clamping{0, 100, 10, 95, 0, 100, 10, 91},      // the last full page
                      Clamping{0, 100, 0, 150, 0, 100, 0, 100},      // no page: up to max
                      Clamping{0, 100, 1, 150, 0, 100, 1, 100},      //
                      Clamping{0, 100, 500, 50, 0, 100, 101, 0},     // page cut to the range
                      Clamping{10, 20, 0, 5, 10, 20, 0, 10},         // below min
                      Clamping{-50, 50, 11, -99, -50, 50, 11, -50},  //
                      Clamping{20, 10, 5, 15, 0, 0, 1, 0},           // inverted: empty
                      Clamping{INT_MIN, INT_MAX, 0, 7, 0, 0, 0, 0},  // too wide: empty
                      Clamping{INT_MIN, -1, 0, INT_MIN, INT_MIN, -1, 0, INT_MIN}));

TEST_F(WindowScrollBarsTest, ClassicCallsAndTheirFailures) {
    HWND hwnd = BarWindow(99, 0);
    EXPECT_EQ(SetScrollPos(hwnd, SB_HORZ, 30, true), 0);  // the previous position
    EXPECT_EQ(SetScrollPos(hwnd, SB_HORZ, 500, true), 30);
    EXPECT_FALSE(SetScrollRange(hwnd, SB_HORZ, -10, INT_MAX, true));
    SCROLLINFO si{28, SIF_ALL};
    EXPECT_FALSE(GetScrollInfo(TopLevel(0, 0, 50, 50), SB_VERT, &si));  // no bar, nothing set
    ASSERT_TRUE(GetScrollInfo(TopLevel(0, 0, 50, 50, WS_POPUP | WS_VSCROLL), SB_VERT, &si));
    EXPECT_EQ(si.nMax, 100);  // a new bar's range is 0..100
    for (SCROLLINFO bad : {SCROLLINFO{12, SIF_ALL}, SCROLLINFO{28, 0}}) {
        EXPECT_FALSE(GetScrollInfo(hwnd, SB_VERT, &bad));
    }
}

class ShowingTest : public ScrollBarTest, public ::testing::WithParamInterface<int> {};

TEST_P(ShowingTest, ShowAndHideMoveTheClientAreaAndSendSize) {
    const int bar = GetParam();
    HWND hwnd = TopLevel(kLeft, kTop, 300, 200);
    const int dx = bar == SB_HORZ ? 0 : kThick, dy = bar == SB_VERT ? 0 : kThick;
    for (bool show : {true, false, false}) {
        Log().Clear();
        ASSERT_TRUE(ShowScrollBar(hwnd, bar, show));
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client, (RECT{0, 0, 300 - (show ? dx : 0), 200 - (show ? dy : 0)}));
        const auto sizes = Log().Of(WM_SIZE);
        if (!show && sizes.empty()) continue;  // hidden already: nothing happened
        ASSERT_EQ(sizes.size(), 1u);
        EXPECT_EQ(sizes[0].lParam, MAKELPARAM(client.right, client.bottom));
    }
    EXPECT_TRUE(Log().Of(WM_SIZE).empty());
}

INSTANTIATE_TEST_SUITE_P(Bars, ShowingTest, ::testing::Values(SB_VERT, SB_HORZ, SB_BOTH));

TEST_F(WindowScrollBarsTest, RangeWithNothingToScrollHidesOrDisablesTheBar) {
    HWND hwnd = TopLevel(kLeft, kTop, 300, 200);
    auto shown = [&] { return (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VSCROLL) != 0; };
    SetScrollRange(hwnd, SB_VERT, 0, 10, true);
    EXPECT_TRUE(shown());
    SCROLLINFO si{28, SIF_PAGE, 0, 0, 11};  // a page alone covering everything hides it...
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    EXPECT_FALSE(shown());
    si.nPage = 5;  // ...but never shows it
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    EXPECT_FALSE(shown());
    SetScrollRange(hwnd, SB_VERT, 0, 20, true);
    EXPECT_TRUE(shown());
    si = SCROLLINFO{28, SIF_RANGE | SIF_DISABLENOSCROLL};
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    EXPECT_TRUE(shown());
    ScrollOnNotifications();
    display().Click(kLeft + 300 - 5, kTop + 5);  // its up arrow, disabled
    EXPECT_TRUE(Log().Of(WM_VSCROLL).empty());
}

TEST_F(WindowScrollBarsTest, NewThicknessAppliesOnceTheSettingChangeIsBroadcast) {
    HWND hwnd = BarWindow();
    SetThemeActive(false);
    SetSystemMetric(SM_CXVSCROLL, 25);
    SetSystemMetric(SM_CYHSCROLL, 21);
    Log().Clear();
    BroadcastMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    PumpMessages();
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, kSide - 25, kSide - 21}));
    ASSERT_FALSE(Log().Of(WM_SIZE).empty());
    EXPECT_EQ(Log().Of(WM_SIZE).back().lParam, MAKELPARAM(kSide - 25, kSide - 21));
    // The up arrow is as wide as the new bar: its raised edge spans it.
    EXPECT_EQ(display().ScreenPixel(kLeft + kSide - 25, kTop + 5), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(display().ScreenPixel(kLeft + kSide - 1, kTop + 5), GetSysColor(COLOR_3DDKSHADOW));
}

}  // namespace
}  // namespace vexa::sys::testing
