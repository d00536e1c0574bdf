// The combo box on a real X server (skipped without DISPLAY): a click drops the list as a
// window above the form, a click on an item chooses it, a click elsewhere cancels.
#include "controls/ComboTestSupport.h"
// Xlib last: its macros must not reach the window system's headers.
#include "common/X11Session.h"

namespace vexa::sys::combo_testing {
namespace {

class ComboBoxX11Test : public ComboTest {
  protected:
    void SetUp() override {
        if (!session.Open()) GTEST_SKIP() << "no X display";
        ComboTest::SetUp();
        SetFocus(form);
        MakeCombo(0, {"Red", "Green", "Blue", "Cyan"});
        session.WaitUntilMapped(form);
    }

    bool ListMapped() {
        XWindowAttributes attributes;
        X11Display& x11 = session.Display();
        XGetWindowAttributes(x11.Connection(), x11.NativeWindow(list), &attributes);
        return attributes.map_state == IsViewable;
    }
    bool ClickUntil(POINT p, auto done) {
        return session.Xdotool(
            "mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " click 1", done);
    }

    test::X11Session session;
};

TEST_F(ComboBoxX11Test, ClicksDropTheListChooseAnItemAndCancelOutside) {
    const RECT box = RectOf(combo);
    const POINT onBox{box.left + 30, (box.top + box.bottom) / 2};
    ASSERT_TRUE(ClickUntil(onBox, [&] { return Dropped() && ListMapped(); }));
    ASSERT_TRUE(ClickUntil(ItemPoint(2), [&] { return !Dropped(); }));
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(Form().notifications, (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE,
                                                       CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_TRUE(session.PumpUntil([&] { return !ListMapped(); }));

    ASSERT_TRUE(ClickUntil(onBox, [&] { return Dropped(); }));
    ASSERT_TRUE(
        ClickUntil({kFormRect.right - 20, kFormRect.bottom - 20}, [&] { return !Dropped(); }));
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(Form().notifications.back(), UINT(CBN_CLOSEUP));
}

}  // namespace
}  // namespace vexa::sys::combo_testing
