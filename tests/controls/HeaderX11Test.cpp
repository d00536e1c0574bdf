// The header on a real X server (skipped without DISPLAY): a click and a divider drag made
// with xdotool arrive as the header's notifications and change the item's width.
#include "controls/HeaderTestSupport.h"
// Xlib last: its macros must not reach the window system's headers.
#include "common/X11Session.h"

namespace vexa::sys::testing {
namespace {

class X11HeaderTest : public HeaderTest {
  protected:
    void SetUp() override {
        if (!session.Open()) GTEST_SKIP() << "no X display";
        RegisterClasses();
    }
    // Runs xdotool, then waits until the parent has heard the header release the mouse.
    bool Xdotool(const std::string& arguments) {
        return session.Xdotool(arguments, [] { return Parent().Heard().ends_with("released"); });
    }
    std::string At(int x, int y) const {  // a header client point on the screen
        const POINT p = Screen(x, y);
        return std::to_string(p.x) + " " + std::to_string(p.y);
    }

    test::X11Session session;
};

TEST_F(X11HeaderTest, ClickAndDividerDragWithXdotool) {
    MakeHeader(HDS_BUTTONS, {100, 100});
    session.WaitUntilMapped(parent);
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
