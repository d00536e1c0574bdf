// The combo box on a real X server (skipped without DISPLAY): a click drops the list as a
// window above the form, a click on an item chooses it, a click elsewhere cancels.
#include <cstdlib>
#include <memory>
#include <string>

#include "controls/ComboTestSupport.h"
#include "vexa/system/display/X11Display.h"

#include <X11/Xlib.h>

namespace vexa::sys::combo_testing {
namespace {

constexpr int kWaits = 200;  // 20 ms each

class ComboBoxX11Test : public ComboTest {
  protected:
    void SetUp() override {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == 0) GTEST_SKIP() << "no X display";
        static ::Display* const keeper = XOpenDisplay(nullptr);  // keeps the server up
        if (keeper == nullptr) GTEST_SKIP() << "cannot reach the X display";
        auto opened = X11Display::Open();
        if (opened == nullptr) GTEST_SKIP() << "cannot open the X display";
        DestroyAllWindowsForTesting();
        x11 = opened.get();
        previous = SetDisplayBackend(std::move(opened));
        ComboTest::SetUp();
        SetFocus(form);
        MakeCombo(0, {"Red", "Green", "Blue", "Cyan"});
        Until([&] { return Mapped(form); });
    }
    void TearDown() override {
        if (x11 == nullptr) return;
        ComboTest::TearDown();
        SetDisplayBackend(std::move(previous));
    }

    bool Mapped(HWND hwnd) {
        XWindowAttributes attributes;
        XGetWindowAttributes(x11->Connection(), x11->NativeWindow(hwnd), &attributes);
        return attributes.map_state == IsViewable;
    }
    template <typename Done>
    bool Until(Done done) {
        for (int i = 0; i < kWaits; ++i) {
            x11->Sync();
            PumpMessages();
            if (done()) return true;
            x11->PumpEvents(20);
        }
        return false;
    }
    void XClick(POINT p) {
        const std::string command =
            "xdotool mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " click 1";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    X11Display* x11 = nullptr;
    std::unique_ptr<DisplayBackend> previous;
};

TEST_F(ComboBoxX11Test, ClicksDropTheListChooseAnItemAndCancelOutside) {
    const RECT box = RectOf(combo);
    XClick(POINT{box.left + 30, (box.top + box.bottom) / 2});
    ASSERT_TRUE(Until([&] { return Dropped() && Mapped(list); }));
    XClick(ItemPoint(2));
    ASSERT_TRUE(Until([&] { return !Dropped(); }));
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(Form().notifications, (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE,
                                                       CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_TRUE(Until([&] { return !Mapped(list); }));

    XClick(POINT{box.left + 30, (box.top + box.bottom) / 2});
    ASSERT_TRUE(Until([&] { return Dropped(); }));
    XClick(POINT{kFormRect.right - 20, kFormRect.bottom - 20});
    ASSERT_TRUE(Until([&] { return !Dropped(); }));
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(Form().notifications.back(), UINT(CBN_CLOSEUP));
}

}  // namespace
}  // namespace vexa::sys::combo_testing
