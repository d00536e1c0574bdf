// The header on a real X server (skipped without DISPLAY): a click and a divider drag made
// with xdotool arrive as the header's notifications and change the item's width.
#include <cstdlib>

#include "HeaderTestSupport.h"
#include "vexa/system/display/X11Display.h"

// Xlib last: its macros must not reach the window system's headers.
#include <X11/Xlib.h>

namespace vexa::sys::testing {
namespace {

class X11HeaderTest : public HeaderTest {
  protected:
    void SetUp() override {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == 0) GTEST_SKIP() << "no X display";
        auto opened = X11Display::Open();
        if (opened == nullptr) GTEST_SKIP() << "cannot open the X display";
        RegisterClasses();
        x11 = opened.get();
        previous = SetDisplayBackend(std::move(opened));
    }
    void TearDown() override {
        if (x11 == nullptr) return;
        DestroyAllWindowsForTesting();
        SetThemeActive(true);
        SetDisplayBackend(std::move(previous));
    }

    // Handles what the server sends until done() holds; 200 waits of 20 ms at most.
    template <typename Done>
    bool PumpUntil(Done done) {
        for (int i = 0; i < 200 && !done(); ++i) {
            x11->PumpEvents(20);
            x11->Sync();
            PumpMessages();
        }
        return done();
    }
    bool Mapped() const {
        XWindowAttributes attributes;
        XGetWindowAttributes(x11->Connection(), x11->NativeWindow(parent), &attributes);
        return attributes.map_state == IsViewable;
    }
    // Runs xdotool, then waits until the parent has heard the header release the mouse.
    bool Xdotool(const std::string& arguments) {
        if (std::system(("xdotool " + arguments).c_str()) != 0) return false;
        return PumpUntil([&] { return Parent().Heard().ends_with("released"); });
    }
    std::string At(int x, int y) const {  // a header client point on the screen
        const POINT p = Screen(x, y);
        return std::to_string(p.x) + " " + std::to_string(p.y);
    }

    X11Display* x11 = nullptr;
    std::unique_ptr<DisplayBackend> previous;
};

TEST_F(X11HeaderTest, ClickAndDividerDragWithXdotool) {
    MakeHeader(HDS_BUTTONS, {100, 100});
    ASSERT_TRUE(PumpUntil([&] { return Mapped(); }));
    ASSERT_TRUE(Xdotool("mousemove --sync " + At(150, 10) + " click 1"));
    EXPECT_EQ(Parent().Heard(), "click released");
    EXPECT_EQ(Parent().notices[0].item, 1);
    Parent().notices.clear();
    ASSERT_TRUE(Xdotool("mousemove --sync " + At(198, 10) + " mousedown 1 mousemove --sync " +
                        At(238, 12) + " mouseup 1"));
    const std::string heard = Parent().Heard();
    EXPECT_TRUE(heard.starts_with("begin track") &&
                heard.ends_with("end changing changed released"))
        << heard;
    EXPECT_EQ(Width(1), 140);
    EXPECT_EQ(GetCapture(), 0u);
}

}  // namespace
}  // namespace vexa::sys::testing
