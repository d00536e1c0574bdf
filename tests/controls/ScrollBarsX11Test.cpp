// A real X server (skipped without DISPLAY): xdotool turns the wheel over a window and drags
// its thumb, and the thumb shows where the program scrolled to.
#include <cstdlib>
#include <string>

#include "controls/ScrollBarTestSupport.h"
#include "vexa/system/display/X11Display.h"

// Xlib last: its macros must not reach the window system's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vexa::sys::testing {
namespace {

class ScrollBarsX11Test : public ScrollBarTest {
  protected:
    void SetUp() override {
        // A connection held for the whole program keeps the server from resetting between tests.
        static ::Display* const keeper = std::getenv("DISPLAY") ? XOpenDisplay(nullptr) : nullptr;
        auto opened = keeper != nullptr ? X11Display::Open() : nullptr;
        if (opened == nullptr) GTEST_SKIP() << "no X display";
        ScrollBarTest::SetUp();
        x11 = opened.get();
        previous = SetDisplayBackend(std::move(opened));
    }
    void TearDown() override {
        if (x11 == nullptr) return;
        DestroyAllWindowsForTesting();
        SetDisplayBackend(std::move(previous));
        ScrollBarTest::TearDown();
    }

    // Runs xdotool (when given) and handles what it caused until `done` holds, 4 s at most.
    template <typename Done>
    bool RunXdotool(const std::string& arguments, Done done) {
        if (!arguments.empty() && std::system(("xdotool " + arguments).c_str()) != 0) return false;
        for (int i = 0; i < 200; ++i, x11->PumpEvents(20)) {
            x11->Sync();
            PumpMessages();
            if (done()) return true;
        }
        return false;
    }

    unsigned long ScreenPixel(int x, int y) {  // 0xRRGGBB as the server shows it
        XImage* image = XGetImage(x11->Connection(), DefaultRootWindow(x11->Connection()), x, y, 1,
                                  1, AllPlanes, ZPixmap);
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }

    X11Display* x11 = nullptr;
    std::unique_ptr<DisplayBackend> previous;
};

TEST_F(ScrollBarsX11Test, WheelAndThumbDragScrollARealWindow) {
    HWND hwnd = BarWindow();  // two pixels per position
    ScrollOnNotifications();
    Log().handlers[WM_MOUSEWHEEL] = [](HWND h, WPARAM w, LPARAM) -> LRESULT {
        return SetScrollPos(h, SB_VERT, GetScrollPos(h, SB_VERT) - std::int16_t(HIWORD(w)) / 12,
                            true);
    };
    SetFocus(hwnd);
    ASSERT_TRUE(RunXdotool("", [&] {
        XWindowAttributes attributes;
        XGetWindowAttributes(x11->Connection(), x11->NativeWindow(hwnd), &attributes);
        return attributes.map_state == IsViewable;
    }));
    ASSERT_TRUE(RunXdotool("mousemove --sync 150 150 click 5 click 5",
                           [] { return Log().Of(WM_MOUSEWHEEL).size() == 2; }));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 20);

    Log().Clear();
    const std::string x = std::to_string(OnBar(SB_VERT, 0).x);
    const int grab = kTop + kThick + 40 + 50;  // the middle of the thumb at position 20
    ASSERT_TRUE(RunXdotool(
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
    EXPECT_TRUE(RunXdotool(
        "", [&] { return ScreenPixel(OnBar(SB_VERT, 0).x, kTop + kThick + 130) == 0xCDCDCDul; }));
    EXPECT_EQ(ScreenPixel(OnBar(SB_VERT, 0).x, kTop + kThick + 40), 0xF0F0F0ul);
}

}  // namespace
}  // namespace vexa::sys::testing
