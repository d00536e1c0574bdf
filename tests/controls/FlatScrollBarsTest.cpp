// The flat scroll-bar service: styles per bar, the calls that work with or without it, and a
// program's way back to the regular bars when the service cannot start.
#include "controls/ScrollBarTestSupport.h"

namespace vexa::sys::testing {
namespace {

using FlatScrollBarsTest = ScrollBarTest;

TEST_F(FlatScrollBarsTest, StylesArePerBarAndUnknownOnesAreIgnored) {
    HWND hwnd = BarWindow();
    int value = -1;
    EXPECT_FALSE(FlatSB_SetScrollProp(hwnd, WSB_PROP_VSTYLE, FSB_FLAT_MODE, true));
    EXPECT_FALSE(FlatSB_GetScrollProp(hwnd, WSB_PROP_VSTYLE, &value));
    ASSERT_TRUE(InitializeFlatSB(hwnd));
    struct Step {
        UINT prop;
        std::intptr_t style;
        bool accepted;
        int vertical, horizontal;  // the styles read back afterwards
    };
    for (const Step& s :
         {Step{WSB_PROP_VSTYLE, FSB_FLAT_MODE, true, 2, 0},
          Step{WSB_PROP_HSTYLE, FSB_ENCARTA_MODE, true, 2, 1},
          Step{WSB_PROP_VSTYLE, 7, false, 2, 1}, Step{WSB_PROP_HSTYLE, -1, false, 2, 1},
          Step{WSB_PROP_CXVSCROLL, FSB_FLAT_MODE, false, 2, 1},
          Step{WSB_PROP_VSTYLE, FSB_REGULAR_MODE, true, 0, 1}}) {
        EXPECT_EQ(FlatSB_SetScrollProp(hwnd, s.prop, s.style, true), s.accepted) << s.style;
        ASSERT_TRUE(FlatSB_GetScrollProp(hwnd, WSB_PROP_VSTYLE, &value));
        EXPECT_EQ(value, s.vertical);
        ASSERT_TRUE(FlatSB_GetScrollProp(hwnd, WSB_PROP_HSTYLE, &value));
        EXPECT_EQ(value, s.horizontal);
    }
    ASSERT_TRUE(FlatSB_GetScrollProp(hwnd, WSB_PROP_WINSTYLE, &value));
    EXPECT_EQ(UINT(value), WS_HSCROLL | WS_VSCROLL);
}

TEST_F(FlatScrollBarsTest, CallsReachTheWindowBarsWithOrWithoutTheService) {
    HWND plain = BarWindow();
    HWND flat = BarWindow();
    ASSERT_TRUE(InitializeFlatSB(flat));
    for (HWND hwnd : {plain, flat}) {
        SCROLLINFO si;
        si.fMask = SIF_PAGE;
        si.nPage = 5;
        EXPECT_EQ(FlatSB_SetScrollInfo(hwnd, SB_VERT, &si, true), 0);
        EXPECT_TRUE(FlatSB_SetScrollRange(hwnd, SB_VERT, 10, 60, true));
        EXPECT_EQ(FlatSB_SetScrollPos(hwnd, SB_VERT, 99, true), 10);
        EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 56);  // the last full page
        int lo = 0, hi = 0;
        EXPECT_TRUE(FlatSB_GetScrollRange(hwnd, SB_VERT, &lo, &hi));
        EXPECT_EQ(hi - lo, 50);
        si.fMask = SIF_ALL;
        EXPECT_TRUE(FlatSB_GetScrollInfo(hwnd, SB_VERT, &si));
        EXPECT_EQ(si.nPage, 5u);
        EXPECT_EQ(FlatSB_GetScrollPos(hwnd, SB_VERT), 56);
        EXPECT_TRUE(FlatSB_EnableScrollBar(hwnd, SB_VERT, ESB_DISABLE_BOTH));
        EXPECT_TRUE(FlatSB_ShowScrollBar(hwnd, SB_HORZ, false));
        EXPECT_EQ(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_HSCROLL, 0);
    }
}

TEST_F(FlatScrollBarsTest, ProgramFallsBackToRegularBarsWhenTheServiceFails) {
    SetFlatScrollBarsAvailableForTesting(false);
    HWND hwnd = BarWindow();
    // What a program does: try the service, else use the regular bars from then on.
    const bool flat = InitializeFlatSB(hwnd) != 0;
    EXPECT_FALSE(flat);
    int style = 0;
    EXPECT_FALSE(FlatSB_GetScrollProp(hwnd, WSB_PROP_VSTYLE, &style));
    EXPECT_EQ(UninitializeFlatSB(hwnd), 1);  // S_FALSE: it never started
    SetScrollPos(hwnd, SB_VERT, 20, true);
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 20);
    SetFlatScrollBarsAvailableForTesting(true);
    EXPECT_TRUE(InitializeFlatSB(hwnd));
}

TEST_F(FlatScrollBarsTest, UninitializeRefusesWhileABarIsHeld) {
    HWND hwnd = BarWindow();
    ASSERT_TRUE(InitializeFlatSB(hwnd));
    FlatSB_SetScrollProp(hwnd, WSB_PROP_HSTYLE, FSB_FLAT_MODE, true);
    const POINT arrow = OnBar(SB_VERT, 3);
    display().MouseMove(arrow.x, arrow.y);
    display().MouseDown();
    EXPECT_EQ(UninitializeFlatSB(hwnd), E_FAIL);
    display().MouseUp();
    EXPECT_EQ(UninitializeFlatSB(hwnd), S_OK);
    EXPECT_EQ(UninitializeFlatSB(hwnd), 1);
    int style = -1;
    EXPECT_FALSE(FlatSB_GetScrollProp(hwnd, WSB_PROP_HSTYLE, &style));
    EXPECT_TRUE(InitializeFlatSB(hwnd));  // starts again with regular bars
    ASSERT_TRUE(FlatSB_GetScrollProp(hwnd, WSB_PROP_HSTYLE, &style));
    EXPECT_EQ(style, FSB_REGULAR_MODE);
}

}  // namespace
}  // namespace vexa::sys::testing
