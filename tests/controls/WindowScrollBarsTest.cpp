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
    int nPos;
    int wantMin, wantMax;
    UINT wantPage;
    int wantPos;
};

class ClampingTest : public WindowScrollBarsTest, public ::testing::WithParamInterface<Clamping> {};

TEST_P(ClampingTest, PageAndPositionStayInsideTheRange) {
    const Clamping c = GetParam();
    HWND hwnd = BarWindow();
    SCROLLINFO in;
    in.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    in.nMin = c.nMin;
    in.nMax = c.nMax;
    in.nPage = c.nPage;
    in.nPos = c.nPos;
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &in, true), c.wantPos);
    SCROLLINFO out;
    out.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(hwnd, SB_VERT, &out));
    EXPECT_EQ(out.nMin, c.wantMin);
    EXPECT_EQ(out.nMax, c.wantMax);
    EXPECT_EQ(out.nPage, c.wantPage);
    EXPECT_EQ(out.nPos, c.wantPos);
    EXPECT_EQ(out.nTrackPos, c.wantPos);
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), c.wantPos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClampingTest,
    ::testing::Values(Clamping{0, 100, 10, 50, 0, 100, 10, 50},  // as given
                      Clamping{0, 100, 10, 95, 0, 100, 10, 91},  // last full page
                      Clamping{0, 100, 0, 150, 0, 100, 0, 100},  // no page: up to max
                      Clamping{0, 100, 1, 150, 0, 100, 1, 100},
                      Clamping{0, 100, 500, 50, 0, 100, 101, 0},  // page cut to the range
                      Clamping{10, 20, 0, 5, 10, 20, 0, 10},      // below min
                      Clamping{-50, 50, 11, -99, -50, 50, 11, -50},
                      Clamping{20, 10, 5, 15, 0, 0, 1, 0},           // inverted: empty
                      Clamping{INT_MIN, INT_MAX, 0, 7, 0, 0, 0, 0},  // too wide: empty
                      Clamping{INT_MIN, -1, 0, INT_MIN, INT_MIN, -1, 0, INT_MIN}));

TEST_F(WindowScrollBarsTest, ClassicCallsAndTheirFailures) {
    HWND hwnd = BarWindow(99, 0);
    EXPECT_EQ(SetScrollPos(hwnd, SB_HORZ, 30, true), 0);  // the previous position
    EXPECT_EQ(SetScrollPos(hwnd, SB_HORZ, 500, true), 30);
    EXPECT_EQ(GetScrollPos(hwnd, SB_HORZ), 99);
    EXPECT_TRUE(SetScrollRange(hwnd, SB_HORZ, 0, 50, true));
    int lo = -1, hi = -1;
    EXPECT_TRUE(GetScrollRange(hwnd, SB_HORZ, &lo, &hi));
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 50);
    EXPECT_EQ(GetScrollPos(hwnd, SB_HORZ), 50);
    EXPECT_FALSE(SetScrollRange(hwnd, SB_HORZ, -10, INT_MAX, true));

    SCROLLINFO si;
    si.fMask = SIF_ALL;
    HWND plain = TopLevel(0, 0, 50, 50);
    EXPECT_FALSE(GetScrollInfo(plain, SB_VERT, &si));  // no bar, nothing set
    EXPECT_TRUE(GetScrollRange(plain, SB_VERT, &lo, &hi));
    EXPECT_EQ(lo + hi, 0);
    HWND fresh = TopLevel(0, 0, 50, 50, WS_POPUP | WS_VSCROLL);
    ASSERT_TRUE(GetScrollInfo(fresh, SB_VERT, &si));  // a new bar's range is 0..100
    EXPECT_EQ(si.nMax, 100);
    EXPECT_FALSE(GetScrollInfo(hwnd, SB_CTL, &si));
    EXPECT_EQ(SetScrollInfo(HWND(0xBAD), SB_VERT, &si, true), 0);
    si.cbSize = 12;
    EXPECT_FALSE(GetScrollInfo(hwnd, SB_VERT, &si));
    si.cbSize = 24;  // without nTrackPos, which stays untouched
    si.nTrackPos = -7;
    EXPECT_TRUE(GetScrollInfo(hwnd, SB_VERT, &si));
    EXPECT_EQ(si.nTrackPos, -7);
    si.fMask = 0;
    EXPECT_FALSE(GetScrollInfo(hwnd, SB_VERT, &si));
}

struct Showing {
    int bar;
    int widthLost, heightLost;  // client pixels the bar takes
};

class ShowingTest : public WindowScrollBarsTest, public ::testing::WithParamInterface<Showing> {};

TEST_P(ShowingTest, ShowAndHideMoveTheClientAreaAndSendSize) {
    const Showing c = GetParam();
    HWND hwnd = TopLevel(kLeft, kTop, 300, 200);
    SetScrollRange(hwnd, SB_VERT, 0, 0, true);  // nothing to scroll: stays hidden
    RECT client;
    for (bool show : {true, false}) {
        Log().Clear();
        ASSERT_TRUE(ShowScrollBar(hwnd, c.bar, show));
        GetClientRect(hwnd, &client);
        const int width = show ? 300 - c.widthLost : 300, height = show ? 200 - c.heightLost : 200;
        EXPECT_EQ(client, (RECT{0, 0, width, height}));
        const auto sizes = Log().Of(WM_SIZE);
        ASSERT_EQ(sizes.size(), 1u);
        EXPECT_EQ(sizes[0].lParam, MAKELPARAM(width, height));
    }
    Log().Clear();
    EXPECT_TRUE(ShowScrollBar(hwnd, c.bar, false));  // already hidden: nothing happens
    EXPECT_TRUE(Log().Of(WM_SIZE).empty());
}

INSTANTIATE_TEST_SUITE_P(Bars, ShowingTest,
                         ::testing::Values(Showing{SB_VERT, kThick, 0}, Showing{SB_HORZ, 0, kThick},
                                           Showing{SB_BOTH, kThick, kThick}));

TEST_F(WindowScrollBarsTest, RangeWithNothingToScrollHidesOrDisablesTheBar) {
    HWND hwnd = TopLevel(kLeft, kTop, 300, 200);
    auto shown = [&] { return (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VSCROLL) != 0; };
    SetScrollRange(hwnd, SB_VERT, 0, 10, true);
    EXPECT_TRUE(shown());
    SCROLLINFO si;
    si.fMask = SIF_PAGE;  // a page alone covering everything hides it...
    si.nPage = 11;
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    EXPECT_FALSE(shown());
    si.nPage = 5;  // ...but never shows it
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    EXPECT_FALSE(shown());
    SetScrollRange(hwnd, SB_VERT, 0, 20, true);
    EXPECT_TRUE(shown());
    si.fMask = SIF_RANGE | SIF_DISABLENOSCROLL;
    si.nMax = 0;
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    EXPECT_TRUE(shown());
    ScrollOnNotifications();
    display().Click(kLeft + 300 - 5, kTop + 5);  // its disabled up arrow
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
    // The bar's arrow buttons are as wide as the new bar: its raised edge starts at its left.
    EXPECT_EQ(display().ScreenPixel(kLeft + kSide - 25, kTop + 5), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(display().ScreenPixel(kLeft + kSide - 1, kTop + 5), GetSysColor(COLOR_3DDKSHADOW));
}

}  // namespace
}  // namespace vexa::sys::testing
