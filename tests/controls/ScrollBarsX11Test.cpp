// A real X server (skipped without DISPLAY): xdotool turns the wheel over a window and drags
// its thumb, and the thumb shows where the program scrolled to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "controls/ScrollBarTestSupport.h"
#include "vexa/system/display/X11Display.h"

// Xlib last: its macros must not reach the window system's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vexa::sys::testing {
namespace {

constexpr int kMaxWaits = 200;  // 20 ms each: a generous bound, normally one or two suffice

// The X server resets when its last client leaves; a connection held for the whole program
// keeps it up between the tests.
bool HoldServer() {
    static ::Display* const keeper = XOpenDisplay(nullptr);
    return keeper != nullptr;
}

class ScrollBarsX11Test : public ScrollBarTest {
  protected:
    void SetUp() override {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == 0) GTEST_SKIP() << "no X display";
        if (!HoldServer()) GTEST_SKIP() << "cannot reach the X display";
        auto opened = X11Display::Open();
        if (opened == nullptr) GTEST_SKIP() << "cannot open the X display";
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

    template <typename Done>
    bool PumpUntil(Done done) {
        for (int i = 0; i < kMaxWaits; ++i) {
            x11->Sync();
            PumpMessages();
            if (done()) return true;
            x11->PumpEvents(20);
        }
        return false;
    }

    template <typename Done>
    bool RunXdotool(const std::string& arguments, Done done) {
        if (std::system(("xdotool " + arguments).c_str()) != 0) return false;
        return PumpUntil(done);
    }

    // 0xRRGGBB of a screen point as the X server shows it.
    unsigned long ScreenPixel(int x, int y) {
        x11->Sync();
        ::Display* connection = x11->Connection();
        XImage* image =
            XGetImage(connection, DefaultRootWindow(connection), x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) return ~0ul;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }

    X11Display* x11 = nullptr;
    std::unique_ptr<DisplayBackend> previous;
};

TEST_F(ScrollBarsX11Test, WheelAndThumbDragScrollARealWindow) {
    HWND hwnd = BarWindow(99, 50);  // two pixels per position
    ScrollOnNotifications();
    Log().handlers[WM_MOUSEWHEEL] = [](HWND h, WPARAM w, LPARAM) -> LRESULT {
        SetScrollPos(h, SB_VERT, GetScrollPos(h, SB_VERT) - std::int16_t(HIWORD(w)) / 12, true);
        return 0;
    };
    SetFocus(hwnd);
    ASSERT_TRUE(PumpUntil([&] {
        XWindowAttributes attributes;
        XGetWindowAttributes(x11->Connection(), x11->NativeWindow(hwnd), &attributes);
        return attributes.map_state == IsViewable;
    }));
    ASSERT_TRUE(RunXdotool("mousemove --sync 150 150 click 5 click 5",
                           [] { return Log().Of(WM_MOUSEWHEEL).size() == 2; }));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 20);

    Log().Clear();
    const int x = kLeft + kClient + kThick / 2;
    const int grab = kTop + kThick + 40 + 50;  // the middle of the thumb at position 20
    const std::string drag = "mousemove --sync " + std::to_string(x) + " " + std::to_string(grab) +
                             " mousedown 1 mousemove --sync " + std::to_string(x) + " " +
                             std::to_string(grab + 40) + " mouseup 1";
    ASSERT_TRUE(RunXdotool(drag, [] {
        return !Log().Of(WM_VSCROLL).empty() &&
               LOWORD(Log().Of(WM_VSCROLL).back().wParam) == SB_ENDSCROLL;
    }));
    const std::vector<int> codes = Codes(SB_VERT);
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes.front(), SB_THUMBTRACK);
    EXPECT_EQ(codes[codes.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(HIWORD(Log().Of(WM_VSCROLL)[codes.size() - 2].wParam), 40);
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 40);
    EXPECT_TRUE(Log().Of(WM_LBUTTONUP, hwnd).empty());
    // The thumb now covers track pixels 80..180; the track shows above it.
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(x, kTop + kThick + 130) == 0xCDCDCDul; }));
    EXPECT_EQ(ScreenPixel(x, kTop + kThick + 40), 0xF0F0F0ul);
}

}  // namespace
}  // namespace vexa::sys::testing
