// A real X server (skipped without DISPLAY): xdotool turns the wheel over a window and drags
// its thumb, and the thumb shows where the program scrolled to.
#include "controls/ScrollBarTestSupport.h"
// Xlib last: its macros must not reach the window system's headers.
#include "common/X11Session.h"

namespace vexa::sys::testing {
namespace {

class ScrollBarsX11Test : public ScrollBarTest {
  protected:
    void SetUp() override {
        ScrollBarTest::SetUp();
        if (!session.Open()) GTEST_SKIP() << "no X display";
    }

    test::X11Session session;
};

TEST_F(ScrollBarsX11Test, WheelAndThumbDragScrollARealWindow) {
    HWND hwnd = BarWindow();  // two pixels per position
    ScrollOnNotifications();
    Log().handlers[WM_MOUSEWHEEL] = [](HWND h, WPARAM w, LPARAM) -> LRESULT {
        return SetScrollPos(h, SB_VERT, GetScrollPos(h, SB_VERT) - std::int16_t(HIWORD(w)) / 12,
                            true);
    };
    SetFocus(hwnd);
    session.WaitUntilMapped(hwnd);
    ASSERT_TRUE(session.Xdotool("mousemove --sync 150 150 click 5 click 5",
                                [] { return Log().Of(WM_MOUSEWHEEL).size() == 2; }));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 20);

    Log().Clear();
    const std::string x = std::to_string(OnBar(SB_VERT, 0).x);
    const int grab = kTop + kThick + 40 + 50;  // the middle of the thumb at position 20
    ASSERT_TRUE(session.Xdotool(
        "mousemove --sync " + x + " " + std::to_string(grab) + " mousedown 1 mousemove --sync " +
            x + " " + std::to_string(grab + 40) + " mouseup 1",
        [] { return !Codes(SB_VERT).empty() && Codes(SB_VERT).back() == SB_ENDSCROLL; }));
    const std::vector<int> codes = Codes(SB_VERT);
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes.front(), SB_THUMBTRACK);
    EXPECT_EQ(codes[codes.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 40);
    EXPECT_TRUE(Log().Of(WM_LBUTTONUP, hwnd).empty());
    // The thumb now covers track pixels 80..180; the track shows above it.
    EXPECT_TRUE(session.PumpUntil([&] {
        return session.ScreenPixel(OnBar(SB_VERT, 0).x, kTop + kThick + 130) == 0xCDCDCDul;
    }));
    EXPECT_EQ(session.ScreenPixel(OnBar(SB_VERT, 0).x, kTop + kThick + 40), 0xF0F0F0ul);
}

}  // namespace
}  // namespace vexa::sys::testing
