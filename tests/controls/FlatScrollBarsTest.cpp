// The flat scroll-bar service: styles per bar, calls that work with or without it, and a
// program's way back to the regular bars when the service cannot start.
#include "controls/ScrollBarTestSupport.h"

namespace vexa::sys::testing {
namespace {

using FlatScrollBarsTest = ScrollBarTest;

TEST_F(FlatScrollBarsTest, StylesArePerBarUnknownOnesIgnoredAndAHeldBarKeepsTheService) {
    HWND hwnd = BarWindow();
    int value = -1;
    EXPECT_FALSE(FlatSB_SetScrollProp(hwnd, WSB_PROP_VSTYLE, FSB_FLAT_MODE, true));
    ASSERT_TRUE(InitializeFlatSB(hwnd));
    struct Step {
        UINT prop;
        int style;
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
        int horizontal = -1;
        EXPECT_TRUE(FlatSB_GetScrollProp(hwnd, WSB_PROP_VSTYLE, &value));
        EXPECT_TRUE(FlatSB_GetScrollProp(hwnd, WSB_PROP_HSTYLE, &horizontal));
        EXPECT_EQ(std::pair(value, horizontal), std::pair(s.vertical, s.horizontal));
    }
    ASSERT_TRUE(FlatSB_GetScrollProp(hwnd, WSB_PROP_WINSTYLE, &value));
    EXPECT_EQ(UINT(value), WS_HSCROLL | WS_VSCROLL);
    // The service cannot end while a bar is held.
    Press(OnBar(SB_VERT, 3));
    EXPECT_EQ(UninitializeFlatSB(hwnd), E_FAIL);
    display().MouseUp();
    EXPECT_EQ(UninitializeFlatSB(hwnd), S_OK);
    EXPECT_EQ(UninitializeFlatSB(hwnd), 1);
}

// What a program does: try the service, else use the regular bars from then on.
TEST_F(FlatScrollBarsTest, ProgramFallsBackToRegularBarsWhenTheServiceFails) {
    SetFlatScrollBarsAvailableForTesting(false);
    HWND hwnd = BarWindow();
    EXPECT_EQ(InitializeFlatSB(hwnd), 0);
    int style = 0;
    EXPECT_FALSE(FlatSB_GetScrollProp(hwnd, WSB_PROP_VSTYLE, &style));
    EXPECT_EQ(UninitializeFlatSB(hwnd), 1);                      // S_FALSE: it never started
    EXPECT_EQ(FlatSB_SetScrollPos(hwnd, SB_VERT, 99, true), 0);  // the regular bars work on
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 50);                  // the last full page
}

}  // namespace
}  // namespace vexa::sys::testing
