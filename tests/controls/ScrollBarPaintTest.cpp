// The bars' pixels in both looks: the thumb where the position (or the drag) puts it, the
// classic track, arrows and size box, disabled bars, and the flat service's flat look.
#include "controls/ScrollBarTestSupport.h"
#include "vexa/system/paint/Gdi.h"

namespace vexa::sys::testing {
namespace {

constexpr COLORREF kSentinel = RGB(255, 0, 0);
constexpr COLORREF kModernThumb = RGB(205, 205, 205);
constexpr COLORREF kModernThumbDragged = RGB(96, 96, 96);
constexpr COLORREF kModernTrack = RGB(240, 240, 240);

struct Span {
    int start = 0, end = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

std::ostream& operator<<(std::ostream& out, const Span& r) {
    return out << '[' << r.start << ", " << r.end << ')';
}

// A pixel of the test window at window coordinates, as the screen shows it.
COLORREF Pixel(int x, int y) {
    return HeadlessDisplay::Instance().ScreenPixel(kLeft + x, kTop + y);
}

COLORREF BarPixel(int bar, int along, int across = kThick / 2) {
    return bar == SB_VERT ? Pixel(kClient + across, along) : Pixel(along, kClient + across);
}

// The longest stretch of a colour along the middle of a bar.
Span LongestRun(int bar, COLORREF color) {
    Span best, current;
    for (int along = 0; along <= kClient; ++along) {
        if (along < kClient && BarPixel(bar, along) == color) {
            if (current.end != along) current.start = along;
            current.end = along + 1;
            continue;
        }
        if (current.end - current.start > best.end - best.start) best = current;
        current = Span{};
    }
    return best;
}

int CountInBar(int bar, COLORREF color, int from = 0, int to = kClient) {
    int count = 0;
    for (int along = from; along < to; ++along)
        for (int across = 0; across < kThick; ++across)
            count += BarPixel(bar, along, across) == color ? 1 : 0;
    return count;
}

struct ThumbPlace {
    bool themed;
    int bar;
    int pos;
};

class ThumbPlaceTest : public ScrollBarTest, public ::testing::WithParamInterface<ThumbPlace> {};

TEST_P(ThumbPlaceTest, ThumbStandsWhereThePositionSays) {
    const ThumbPlace c = GetParam();
    SetThemeActive(c.themed);
    HWND hwnd = BarWindow(99, 50);  // a thumb half the track long, two pixels per position
    SetScrollPos(hwnd, c.bar, c.pos, true);
    // Everything drawn again over a sentinel, through the window's frame painting.
    HDC hdc = GetWindowDC(hwnd);
    const RECT all{0, 0, kSide, kSide};
    HBRUSH sentinel = CreateSolidBrush(kSentinel);
    FillRect(hdc, &all, sentinel);
    DeleteObject(sentinel);
    ReleaseDC(hwnd, hdc);
    const RECT nothingInside{};
    RedrawWindow(hwnd, &nothingInside, RDW_FRAME | RDW_INVALIDATE);
    PumpMessages();
    EXPECT_EQ(CountInBar(SB_VERT, kSentinel) + CountInBar(SB_HORZ, kSentinel), 0);
    EXPECT_NE(Pixel(kClient + 3, kClient + 3), kSentinel);  // size box
    const int top = kThick + 2 * c.pos;
    // The classic thumb's face lies inside its two-pixel raised edge.
    const Span expected = c.themed ? Span{top, top + 100} : Span{top + 2, top + 98};
    const COLORREF face = c.themed ? kModernThumb : GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(LongestRun(c.bar, face), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Looks, ThumbPlaceTest,
    ::testing::Values(ThumbPlace{true, SB_VERT, 0}, ThumbPlace{true, SB_VERT, 25},
                      ThumbPlace{true, SB_HORZ, 50}, ThumbPlace{false, SB_VERT, 50},
                      ThumbPlace{false, SB_HORZ, 0}, ThumbPlace{false, SB_HORZ, 13}));

TEST_F(ScrollBarTest, DraggedThumbFollowsThePointerAndReturnsUnlessTheProgramScrolls) {
    HWND hwnd = BarWindow(99, 50);
    const POINT grab = OnBar(SB_VERT, kThick + 50);
    display().MouseMove(grab.x, grab.y);
    display().MouseDown();
    display().MouseMove(grab.x, grab.y + 60);
    EXPECT_EQ(LongestRun(SB_VERT, kModernThumbDragged), (Span{kThick + 60, kThick + 160}));
    display().SaveWindowPng(hwnd, "/tmp/scroll-modern-drag.png");
    display().MouseUp();
    EXPECT_EQ(LongestRun(SB_VERT, kModernThumb), (Span{kThick, kThick + 100}));
}

TEST_F(ScrollBarTest, ClassicLookHasCheckeredTrackPushedArrowAndPlainSizeBox) {
    SetThemeActive(false);
    HWND hwnd = BarWindow(99, 50);
    // Below the thumb the track alternates two colours, pixel by pixel.
    const int along = kThick + 150;
    EXPECT_NE(BarPixel(SB_VERT, along), BarPixel(SB_VERT, along + 1));
    EXPECT_EQ(BarPixel(SB_VERT, along), BarPixel(SB_VERT, along + 2));
    EXPECT_GT(CountInBar(SB_VERT, GetSysColor(COLOR_BTNTEXT), 0, kThick), 0);  // arrow
    EXPECT_EQ(Pixel(kClient + 8, kClient + 8), GetSysColor(COLOR_BTNFACE));
    const POINT down = OnBar(SB_VERT, kClient - 3);
    display().MouseMove(down.x, down.y);
    display().MouseDown();
    // Pushed: a flat shadow frame instead of the raised edge.
    EXPECT_EQ(BarPixel(SB_VERT, kClient - kThick, 0), GetSysColor(COLOR_BTNSHADOW));
    display().SaveWindowPng(hwnd, "/tmp/scroll-classic-pressed.png");
    display().MouseUp();
    EXPECT_EQ(BarPixel(SB_VERT, kClient - kThick, 0), GetSysColor(COLOR_3DLIGHT));
}

TEST_F(ScrollBarTest, DisabledBarsShowNoThumbAndGreyArrowsInBothLooks) {
    for (bool themed : {true, false}) {
        SetThemeActive(themed);
        HWND hwnd = BarWindow(99, 50);
        EnableScrollBar(hwnd, SB_BOTH, ESB_DISABLE_BOTH);
        const COLORREF thumb = themed ? kModernThumb : GetSysColor(COLOR_3DDKSHADOW);
        const COLORREF glyph = themed ? RGB(96, 96, 96) : GetSysColor(COLOR_BTNTEXT);
        for (int bar : {SB_HORZ, SB_VERT}) {
            EXPECT_EQ(CountInBar(bar, thumb, kThick, kClient - kThick), 0) << themed;
            EXPECT_EQ(CountInBar(bar, glyph, 0, kThick), 0) << themed;
        }
        display().SaveWindowPng(
            hwnd, themed ? "/tmp/scroll-modern-disabled.png" : "/tmp/scroll-classic-disabled.png");
        DestroyWindow(hwnd);
    }
}

TEST_F(ScrollBarTest, FlatStyleDrawsFlatPartsInTheClassicLook) {
    SetThemeActive(false);
    HWND hwnd = BarWindow(99, 50);
    const COLORREF raisedEdge = GetSysColor(COLOR_3DLIGHT);
    EXPECT_EQ(BarPixel(SB_VERT, kThick, 0), raisedEdge);  // the thumb's corner
    ASSERT_TRUE(InitializeFlatSB(hwnd));
    ASSERT_TRUE(FlatSB_SetScrollProp(hwnd, WSB_PROP_VSTYLE, FSB_FLAT_MODE, true));
    EXPECT_EQ(BarPixel(SB_VERT, kThick, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(BarPixel(SB_HORZ, kThick, 0), raisedEdge);  // the other bar stays regular
    display().SaveWindowPng(hwnd, "/tmp/scroll-classic-flat.png");
}

}  // namespace
}  // namespace vexa::sys::testing
