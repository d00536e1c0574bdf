// The bars under the mouse: presses on arrows and track repeating on the headless clock, the
// thumb dragged, releases anywhere, and the wheel left to the program.
#include <algorithm>

#include "controls/ScrollBarTestSupport.h"
#include "vexa/system/window/Input.h"

namespace vexa::sys::testing {
namespace {

using ScrollBarMouseTest = ScrollBarTest;
using Codes_ = std::vector<int>;

struct HeldArrow {
    int bar, along, heldMs, code, count;  // count: one at once, then the repeats
};

class HeldArrowTest : public ScrollBarTest, public ::testing::WithParamInterface<HeldArrow> {};

TEST_P(HeldArrowTest, RepeatsAfterAPauseAndEndsWithEndScroll) {
    const HeldArrow c = GetParam();
    HWND hwnd = BarWindow();
    ScrollOnNotifications();
    SetScrollPos(hwnd, c.bar, 25, true);
    Log().Clear();
    Press(OnBar(c.bar, c.along), c.heldMs);
    Codes_ expected(c.count, c.code);
    expected.push_back(SB_ENDSCROLL);
    EXPECT_EQ(Codes(c.bar), expected);
    EXPECT_EQ(GetScrollPos(hwnd, c.bar), 25 + (c.code == SB_LINEDOWN ? 1 : -1) * c.count);
    EXPECT_EQ(Codes(c.bar == SB_VERT ? SB_HORZ : SB_VERT).size(), 0u);
    for (const Received& r : Log().Of(c.bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL)) {
        EXPECT_EQ(r.lParam, 0);
    }
}

// 200 ms before the first repeat, then one every 50 ms.
INSTANTIATE_TEST_SUITE_P(Arrows, HeldArrowTest,
                         ::testing::Values(HeldArrow{SB_VERT, kClient - 3, 500, SB_LINEDOWN, 8},
                                           HeldArrow{SB_VERT, kClient - 3, 0, SB_LINEDOWN, 1},
                                           HeldArrow{SB_VERT, kClient - 3, 199, SB_LINEDOWN, 1},
                                           HeldArrow{SB_VERT, 3, 250, SB_LINEUP, 3},
                                           HeldArrow{SB_HORZ, kClient - 3, 300, SB_LINEDOWN, 4},
                                           HeldArrow{SB_HORZ, 3, 500, SB_LINEUP, 8}));

TEST_F(ScrollBarMouseTest, TrackPressPagesUntilTheThumbReachesThePointer) {
    HWND hwnd = BarWindow(99, 20);  // a 40-pixel thumb, two pixels per position
    ScrollOnNotifications();
    Log().Clear();
    Press(OnBar(SB_VERT, kThick + 150), 1000);
    // 0 -> 20 -> 40 -> 60: the thumb then covers track pixels 120..160, the pointer too.
    EXPECT_EQ(Codes(SB_VERT), (Codes_{SB_PAGEDOWN, SB_PAGEDOWN, SB_PAGEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 60);
    display().Click(OnBar(SB_VERT, kThick + 10).x, OnBar(SB_VERT, kThick + 10).y);
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 40);
}

struct ThumbDrag {
    int maxPos;
    UINT page;
    int pixels, expectedPos;
};

class ThumbDragTest : public ScrollBarTest, public ::testing::WithParamInterface<ThumbDrag> {};

TEST_P(ThumbDragTest, TracksInProportionThenReportsThePositionAndEnds) {
    const ThumbDrag c = GetParam();
    HWND hwnd = BarWindow(c.maxPos, c.page);
    std::vector<int> tracked;  // 32-bit positions read while the thumb moves
    Log().handlers[WM_VSCROLL] = [&](HWND h, WPARAM w, LPARAM) -> LRESULT {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(h, SB_VERT, &si);
        if (LOWORD(w) == SB_THUMBTRACK || LOWORD(w) == SB_THUMBPOSITION) {
            EXPECT_EQ(HIWORD(w), std::uint16_t(si.nTrackPos));
            tracked.push_back(si.nTrackPos);
        }
        return 0;
    };
    const POINT grab = OnBar(SB_VERT, kThick + 5);  // the thumb starts at the top
    display().Drag(grab.x, grab.y, grab.x, grab.y + c.pixels, 8);
    Codes_ codes = Codes(SB_VERT);
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(Codes_(codes.end() - 2, codes.end()), (Codes_{SB_THUMBPOSITION, SB_ENDSCROLL}));
    codes.resize(codes.size() - 2);
    EXPECT_EQ(codes, Codes_(codes.size(), SB_THUMBTRACK));
    EXPECT_EQ(tracked.back(), c.expectedPos);
    EXPECT_TRUE(std::is_sorted(tracked.begin(), tracked.end()));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 0);  // the program did not move it
}

// The thumb travels the track minus its length; positions spread evenly over that travel.
INSTANTIATE_TEST_SUITE_P(Drags, ThumbDragTest,
                         ::testing::Values(ThumbDrag{99, 50, 50, 25},  // 100 pixels, 50 positions
                                           ThumbDrag{99, 50, 100, 50}, ThumbDrag{99, 50, 400, 50},
                                           ThumbDrag{999, 0, 61, 333},  // a square thumb: 183
                                           ThumbDrag{1000000, 0, 183, 1000000}));

TEST_F(ScrollBarMouseTest, ReleaseOutsideTheBarEndsThePressAndTheOwnerSeesNoClientMouse) {
    HWND hwnd = BarWindow();
    ScrollOnNotifications();
    Log().Clear();
    const POINT arrow = OnBar(SB_VERT, kClient - 3);
    Press(arrow);
    display().MouseMove(kLeft + kSide + 80, kTop + kSide + 60);  // off the arrow: no repeats
    display().AdvanceClock(400);
    display().MouseMove(arrow.x, arrow.y);  // back on it: they resume
    display().AdvanceClock(50);
    display().MouseMove(5, 5);
    display().MouseUp();
    display().AdvanceClock(500);
    EXPECT_EQ(Codes(SB_VERT), (Codes_{SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(GetCapture(), 0u);
    for (UINT clientMessage : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) {
        EXPECT_TRUE(Log().Of(clientMessage, hwnd).empty()) << clientMessage;
    }
    SetFocus(hwnd);  // the wheel reaches the focus window and scrolls nothing by itself
    display().Wheel(-WHEEL_DELTA);
    EXPECT_EQ(Log().Of(WM_MOUSEWHEEL, hwnd).size(), 1u);
    EXPECT_EQ(Codes(SB_VERT).size(), 3u);
}

// A fast hand: the press and what follows it are queued before the loop takes the press, so
// they go where the pointer is instead of to the window that follows the press.
TEST_F(ScrollBarMouseTest, InputQueuedWithThePressStillReachesIt) {
    HWND hwnd = BarWindow();
    ScrollOnNotifications();
    const POINT thumb = OnBar(SB_VERT, kThick + 60);
    InjectMouseMove(thumb);
    InjectMouseButton(VK_LBUTTON, true);
    InjectMouseMove(POINT{thumb.x, thumb.y + 20});
    InjectMouseButton(VK_LBUTTON, false);
    PumpMessages();
    EXPECT_EQ(Codes(SB_VERT), (Codes_{SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 10);
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(ScrollBarMouseTest, WindowDestroyedByItsScrollHandlerEndsThePress) {
    HWND hwnd = BarWindow();
    Log().handlers[WM_VSCROLL] = [](HWND h, WPARAM, LPARAM) { return LRESULT(DestroyWindow(h)); };
    Press(OnBar(SB_VERT, 3), 500);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(Codes(SB_VERT), Codes_{SB_LINEUP});  // only the one that destroyed it
}

}  // namespace
}  // namespace vexa::sys::testing
