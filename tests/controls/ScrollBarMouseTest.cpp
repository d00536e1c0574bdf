// The bars under the mouse: presses on arrows and track repeating on the headless clock, the
// thumb dragged, releases anywhere, and the wheel left to the program.
#include <algorithm>

#include "controls/ScrollBarTestSupport.h"
#include "vexa/system/window/Input.h"

namespace vexa::sys::testing {
namespace {

using ScrollBarMouseTest = ScrollBarTest;

struct HeldArrow {
    int bar;
    bool farEnd;  // the down (right) arrow, else the up (left) one
    int heldMs;
    int expectedCount;  // notifications sent while held: one at once, then the repeats
};

class HeldArrowTest : public ScrollBarMouseTest, public ::testing::WithParamInterface<HeldArrow> {};

TEST_P(HeldArrowTest, RepeatsAfterAPauseAndEndsWithEndScroll) {
    const HeldArrow c = GetParam();
    HWND hwnd = BarWindow();
    ScrollOnNotifications();
    SetScrollPos(hwnd, c.bar, 25, true);
    Log().Clear();
    const POINT arrow = OnBar(c.bar, c.farEnd ? kClient - kThick / 2 : kThick / 2);
    display().MouseMove(arrow.x, arrow.y);
    display().MouseDown();
    display().AdvanceClock(c.heldMs);
    display().MouseUp();
    std::vector<int> expected(c.expectedCount, c.farEnd ? SB_LINEDOWN : SB_LINEUP);
    expected.push_back(SB_ENDSCROLL);
    EXPECT_EQ(Codes(c.bar), expected);
    EXPECT_EQ(GetScrollPos(hwnd, c.bar), 25 + (c.farEnd ? 1 : -1) * c.expectedCount);
    EXPECT_TRUE(Log().Of(c.bar == SB_VERT ? WM_HSCROLL : WM_VSCROLL).empty());
    for (const Received& r : Log().Of(c.bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL)) {
        EXPECT_EQ(r.lParam, 0);
    }
}

// 200 ms before the first repeat, then one every 50 ms.
INSTANTIATE_TEST_SUITE_P(
    Arrows, HeldArrowTest,
    ::testing::Values(HeldArrow{SB_VERT, true, 500, 8}, HeldArrow{SB_VERT, true, 0, 1},
                      HeldArrow{SB_VERT, true, 199, 1}, HeldArrow{SB_VERT, false, 250, 3},
                      HeldArrow{SB_HORZ, true, 300, 4}, HeldArrow{SB_HORZ, false, 500, 8}));

TEST_F(ScrollBarMouseTest, TrackPressPagesUntilTheThumbReachesThePointer) {
    // 100 positions, page 20: a 40-pixel thumb, two pixels per position.
    HWND hwnd = BarWindow(99, 20);
    ScrollOnNotifications();
    Log().Clear();
    const POINT track = OnBar(SB_VERT, kThick + 150);
    display().MouseMove(track.x, track.y);
    display().MouseDown();
    display().AdvanceClock(1000);
    display().MouseUp();
    // 0 -> 20 -> 40 -> 60: the thumb then covers pixels 120..160 of the track, the pointer too.
    EXPECT_EQ(Codes(SB_VERT),
              (std::vector<int>{SB_PAGEDOWN, SB_PAGEDOWN, SB_PAGEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 60);

    Log().Clear();
    const POINT above = OnBar(SB_VERT, kThick + 10);
    display().Click(above.x, above.y);
    EXPECT_EQ(Codes(SB_VERT), (std::vector<int>{SB_PAGEUP, SB_ENDSCROLL}));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 40);
}

struct ThumbDrag {
    int maxPos;
    UINT page;
    int pixels;       // how far the pointer moves along the bar
    int expectedPos;  // where the thumb lands
};

class ThumbDragTest : public ScrollBarMouseTest, public ::testing::WithParamInterface<ThumbDrag> {};

TEST_P(ThumbDragTest, TracksInProportionThenReportsThePositionAndEnds) {
    const ThumbDrag c = GetParam();
    HWND hwnd = BarWindow(c.maxPos, c.page);
    std::vector<int> trackPositions;  // 32-bit, read while the drag goes on
    Log().handlers[WM_VSCROLL] = [&](HWND h, WPARAM w, LPARAM) -> LRESULT {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(h, SB_VERT, &si);
        if (LOWORD(w) == SB_THUMBTRACK) {
            EXPECT_EQ(HIWORD(w), std::uint16_t(si.nTrackPos));
            trackPositions.push_back(si.nTrackPos);
        }
        if (LOWORD(w) == SB_THUMBPOSITION) {
            EXPECT_EQ(si.nTrackPos, c.expectedPos);
        }
        return 0;
    };
    Log().Clear();
    const POINT grab = OnBar(SB_VERT, kThick + 5);  // inside the thumb, which starts at the top
    display().Drag(grab.x, grab.y, grab.x, grab.y + c.pixels, 8);
    const std::vector<int> codes = Codes(SB_VERT);
    ASSERT_GE(codes.size(), 3u);
    EXPECT_TRUE(std::all_of(codes.begin(), codes.end() - 2,
                            [](int code) { return code == SB_THUMBTRACK; }));
    EXPECT_EQ(codes[codes.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(codes.back(), SB_ENDSCROLL);
    EXPECT_EQ(trackPositions.back(), c.expectedPos);
    EXPECT_TRUE(std::is_sorted(trackPositions.begin(), trackPositions.end()));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 0);  // the program did not move it
}

// The thumb travels kTrack minus its length; positions spread evenly over that travel.
INSTANTIATE_TEST_SUITE_P(
    Drags, ThumbDragTest,
    ::testing::Values(ThumbDrag{99, 50, 50, 25},              // 100-pixel travel over 50 positions
                      ThumbDrag{99, 50, 100, 50},             // to the end
                      ThumbDrag{99, 50, 400, 50},             // beyond it
                      ThumbDrag{999, 0, 61, 333},             // no page: a square thumb, 183 pixels
                      ThumbDrag{1000000, 0, 183, 1000000}));  // beyond 16 bits

TEST_F(ScrollBarMouseTest, ReleaseOutsideTheBarEndsThePressAndTheOwnerSeesNoClientMouse) {
    HWND hwnd = BarWindow();
    ScrollOnNotifications();
    Log().Clear();
    const POINT arrow = OnBar(SB_VERT, kClient - 3);
    display().MouseMove(arrow.x, arrow.y);
    display().MouseDown();
    display().MouseMove(kLeft + kSide + 80, kTop + kSide + 60);  // off the arrow: no repeats
    display().AdvanceClock(400);
    EXPECT_EQ(Codes(SB_VERT), std::vector<int>{SB_LINEDOWN});
    display().MouseMove(arrow.x, arrow.y);  // back on it: they resume
    display().AdvanceClock(50);
    EXPECT_EQ(Codes(SB_VERT), (std::vector<int>{SB_LINEDOWN, SB_LINEDOWN}));
    display().MouseMove(5, 5);
    display().MouseUp();
    EXPECT_EQ(Codes(SB_VERT), (std::vector<int>{SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(GetCapture(), 0u);
    for (UINT clientMessage : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) {
        EXPECT_TRUE(Log().Of(clientMessage, hwnd).empty()) << clientMessage;
    }
    display().AdvanceClock(500);  // nothing repeats after the release
    EXPECT_EQ(Codes(SB_VERT).size(), 3u);
}

// A fast hand: the press and what follows it are queued before the loop takes the press, so
// they go where the pointer is instead of to the window that follows the press.
TEST_F(ScrollBarMouseTest, InputQueuedWithThePressStillEndsIt) {
    HWND hwnd = BarWindow(99, 50);
    ScrollOnNotifications();
    Log().Clear();
    const POINT arrow = OnBar(SB_VERT, kClient - 3);
    InjectMouseMove(arrow);
    InjectMouseButton(VK_LBUTTON, true);
    InjectMouseButton(VK_LBUTTON, false);
    PumpMessages();
    display().AdvanceClock(500);
    EXPECT_EQ(Codes(SB_VERT), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));

    Log().Clear();
    const POINT thumb = OnBar(SB_VERT, kThick + 60);  // the thumb: track pixels 2..102
    InjectMouseMove(thumb);
    InjectMouseButton(VK_LBUTTON, true);
    InjectMouseMove(POINT{thumb.x, thumb.y + 20});
    InjectMouseButton(VK_LBUTTON, false);
    PumpMessages();
    EXPECT_EQ(Codes(SB_VERT), (std::vector<int>{SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 11);
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(ScrollBarMouseTest, DisabledPartsIgnorePresses) {
    HWND hwnd = BarWindow();
    ScrollOnNotifications();
    EXPECT_TRUE(EnableScrollBar(hwnd, SB_VERT, ESB_DISABLE_DOWN));
    EXPECT_FALSE(EnableScrollBar(hwnd, SB_VERT, ESB_DISABLE_DOWN));  // no change
    Log().Clear();
    const POINT down = OnBar(SB_VERT, kClient - 3);
    display().Click(down.x, down.y);
    EXPECT_TRUE(Codes(SB_VERT).empty());
    const POINT up = OnBar(SB_VERT, 3);
    display().Click(up.x, up.y);
    EXPECT_EQ(Codes(SB_VERT), (std::vector<int>{SB_LINEUP, SB_ENDSCROLL}));
    EnableScrollBar(hwnd, SB_BOTH, ESB_DISABLE_BOTH);
    Log().Clear();
    const POINT track = OnBar(SB_HORZ, kClient / 2);
    display().Click(track.x, track.y);
    display().Click(up.x, up.y);
    EXPECT_TRUE(Log().Of(WM_HSCROLL).empty());
    EXPECT_TRUE(Log().Of(WM_VSCROLL).empty());
}

TEST_F(ScrollBarMouseTest, WheelReachesTheFocusWindowAndScrollsNothingByItself) {
    HWND parent = BarWindow();
    HWND child = Child(parent, 10, 10, 100, 100, WS_CHILD | WS_VISIBLE | WS_VSCROLL);
    SetScrollRange(child, SB_VERT, 0, 50, true);
    SetFocus(child);
    Log().Clear();
    display().MouseMove(kLeft + 50, kTop + 50);
    display().Wheel(-WHEEL_DELTA);
    const auto wheels = Log().Of(WM_MOUSEWHEEL);
    ASSERT_EQ(wheels.size(), 2u);  // the child, then its parent as the default passes it on
    EXPECT_EQ(wheels[0].hwnd, child);
    EXPECT_EQ(wheels[1].hwnd, parent);
    EXPECT_EQ(std::int16_t(HIWORD(wheels[0].wParam)), -WHEEL_DELTA);
    EXPECT_TRUE(Log().Of(WM_VSCROLL).empty());
    EXPECT_EQ(GetScrollPos(child, SB_VERT), 0);
    EXPECT_EQ(GetScrollPos(parent, SB_VERT), 0);
}

}  // namespace
}  // namespace vexa::sys::testing
