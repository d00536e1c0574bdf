// The bars' pixels in both looks: the thumb where the position (or the drag) puts it, the
// classic track and pushed arrow, disabled bars, and the flat service's flat look.
#include "controls/ScrollBarTestSupport.h"
#include "vexa/system/paint/Gdi.h"

namespace vexa::sys::testing {
namespace {

constexpr COLORREF kModernThumb = RGB(205, 205, 205);
constexpr COLORREF kModernGlyph = RGB(96, 96, 96);  // also the dragged thumb

using ScrollBarPaintTest = ScrollBarTest;
using Span = std::pair<int, int>;  // [first, last + 1) along a bar

// The longest stretch of a colour along the middle of a bar.
Span LongestRun(int bar, COLORREF color) {
    Span best{0, 0};
    for (int along = 0, start = 0; along <= kClient; ++along) {
        const bool match = along < kClient && BarPixel(bar, along) == color;
        if (!match && along - start > best.second - best.first) best = Span{start, along};
        if (!match) start = along + 1;
    }
    return best;
}

int CountInBar(int bar, COLORREF color, int from, int to) {
    int count = 0;
    for (int along = from; along < to; ++along)
        for (int across = 0; across < kThick; ++across)
            count += BarPixel(bar, along, across) == color ? 1 : 0;
    return count;
}

class ThumbPlaceTest : public ScrollBarTest,
                       public ::testing::WithParamInterface<std::tuple<bool, int, int>> {};

TEST_P(ThumbPlaceTest, ThumbStandsWhereThePositionSays) {
    const auto [themed, bar, pos] = GetParam();
    SetThemeActive(themed);
    HWND hwnd = BarWindow();  // a thumb half the track long, two pixels per position
    SetScrollPos(hwnd, bar, pos, true);
    // Drawn again over a red sentinel by the window's frame painting.
    HDC hdc = GetWindowDC(hwnd);
    const RECT all{0, 0, kSide, kSide}, nothingInside{};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(hdc, &all, red);
    DeleteObject(red);
    ReleaseDC(hwnd, hdc);
    RedrawWindow(hwnd, &nothingInside, RDW_FRAME | RDW_INVALIDATE);
    PumpMessages();
    EXPECT_EQ(CountInBar(SB_VERT, RGB(255, 0, 0), 0, kSide) +
                  CountInBar(SB_HORZ, RGB(255, 0, 0), 0, kClient),
              0);
    const int top = kThick + 2 * pos;
    // The classic thumb's face lies inside its two-pixel raised edge.
    EXPECT_EQ(LongestRun(bar, themed ? kModernThumb : GetSysColor(COLOR_BTNFACE)),
              themed ? Span(top, top + 100) : Span(top + 2, top + 98));
}

INSTANTIATE_TEST_SUITE_P(
    Looks, ThumbPlaceTest,
    ::testing::Values(std::tuple(true, SB_VERT, 0), std::tuple(true, SB_VERT, 25),
                      std::tuple(true, SB_HORZ, 50), std::tuple(false, SB_VERT, 50),
                      std::tuple(false, SB_HORZ, 0), std::tuple(false, SB_HORZ, 13)));

TEST_F(ScrollBarPaintTest, DraggedThumbFollowsThePointerAndReturnsUnlessTheProgramScrolls) {
    BarWindow();
    const POINT grab = OnBar(SB_VERT, kThick + 50);
    Press(grab);
    display().MouseMove(grab.x, grab.y + 60);
    EXPECT_EQ(LongestRun(SB_VERT, kModernGlyph), Span(kThick + 60, kThick + 160));
    display().MouseUp();
    EXPECT_EQ(LongestRun(SB_VERT, kModernThumb), Span(kThick, kThick + 100));
}

TEST_F(ScrollBarPaintTest, ClassicLookHasCheckeredTrackAndPushedArrows) {
    SetThemeActive(false);
    HWND hwnd = BarWindow();
    const int below = kThick + 150;  // under the thumb the track alternates pixel by pixel
    EXPECT_NE(BarPixel(SB_VERT, below), BarPixel(SB_VERT, below + 1));
    EXPECT_EQ(BarPixel(SB_VERT, below), BarPixel(SB_VERT, below + 2));
    EXPECT_GT(CountInBar(SB_VERT, GetSysColor(COLOR_BTNTEXT), 0, kThick), 0);  // the arrow
    Press(OnBar(SB_VERT, kClient - 3));  // pushed: a flat shadow frame, not the raised edge
    EXPECT_EQ(BarPixel(SB_VERT, kClient - kThick, 0), GetSysColor(COLOR_BTNSHADOW));
    display().MouseUp();
    EXPECT_EQ(BarPixel(SB_VERT, kClient - kThick, 0), GetSysColor(COLOR_3DLIGHT));
    ASSERT_TRUE(InitializeFlatSB(hwnd));  // the flat style: a flat thumb on one bar only
    ASSERT_TRUE(FlatSB_SetScrollProp(hwnd, WSB_PROP_VSTYLE, FSB_FLAT_MODE, true));
    EXPECT_EQ(BarPixel(SB_VERT, kThick, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(BarPixel(SB_HORZ, kThick, 0), GetSysColor(COLOR_3DLIGHT));
}

TEST_F(ScrollBarPaintTest, DisabledBarsShowNoThumbAndGreyArrowsInBothLooks) {
    for (bool themed : {true, false}) {
        SetThemeActive(themed);
        HWND hwnd = BarWindow();
        const COLORREF glyph = themed ? kModernGlyph : GetSysColor(COLOR_BTNTEXT);
        const COLORREF thumb = themed ? kModernThumb : GetSysColor(COLOR_3DDKSHADOW);
        ASSERT_GT(CountInBar(SB_VERT, glyph, 0, kThick), 0);
        ASSERT_GT(CountInBar(SB_VERT, thumb, kThick, kClient - kThick), 0);
        EnableScrollBar(hwnd, SB_BOTH, ESB_DISABLE_BOTH);
        for (int bar : {SB_HORZ, SB_VERT}) {
            EXPECT_EQ(CountInBar(bar, thumb, kThick, kClient - kThick), 0) << themed;
            EXPECT_EQ(CountInBar(bar, glyph, 0, kThick), 0) << themed;
        }
        DestroyWindow(hwnd);
    }
}

}  // namespace
}  // namespace vexa::sys::testing
