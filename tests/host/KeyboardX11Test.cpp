// The keyboard on a real X server (skipped without DISPLAY): arrows, Shift+arrows and typed
// search (a character off the layout too) sent by xdotool reach the grid through the X input
// method as on the headless display.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <memory>

#include "vexa/system/display/X11Display.h"
#include "vexa/system/window/Window.h"
#include "vexa/vexa.h"

// Xlib last: its macros must not reach the window system's headers.
#include <X11/Xlib.h>

namespace vexa {
namespace {

class KeyboardX11 : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == 0) GTEST_SKIP() << "no X display";
        auto opened = sys::X11Display::Open();
        if (opened == nullptr) GTEST_SKIP() << "cannot open the X display";
        sys::DestroyAllWindowsForTesting();
        x11 = opened.get();
        previous = sys::SetDisplayBackend(std::move(opened));
    }
    void TearDown() override {
        if (x11 == nullptr) return;
        grid.reset();
        sys::DestroyAllWindowsForTesting();
        sys::SetDisplayBackend(std::move(previous));
    }
    // Handles X events and messages until `done` holds, within a bound.
    template <typename Done>
    bool PumpUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            x11->Sync();
            sys::PumpMessages();
            if (done()) return true;
            x11->PumpEvents(20);
        }
        return false;
    }
    // Runs xdotool while answering the X server (typing a character off the layout remaps a
    // key, which the program must hear about), until `done` holds after it ended.
    template <typename Done>
    bool Xdotool(const std::string& arguments, Done done) {
        auto finished = std::async(std::launch::async, [arguments] {
            return std::system(("LC_ALL=C.UTF-8 xdotool " + arguments).c_str());
        });
        const bool reached = PumpUntil([&] {
            return finished.wait_for(std::chrono::seconds(0)) == std::future_status::ready &&
                   done();
        });
        return reached && finished.get() == 0;
    }
    bool Reaches(const std::string& arguments, const std::string& cell) {
        return Xdotool(arguments, [&] { return Current() == cell; });
    }
    std::string Current() const {
        return std::to_string(grid->CurRow()) + "." + std::to_string(grid->CurCol());
    }

    sys::X11Display* x11 = nullptr;
    std::unique_ptr<sys::DisplayBackend> previous;
    std::unique_ptr<Vexa> grid;
};

TEST_F(KeyboardX11, ArrowsShiftArrowsAndTypedSearch) {
    grid = std::make_unique<Vexa>();
    grid->AddCol("name");
    grid->AddCol("other");
    const char* names[] = {"Apple", "Banana", "Blueberry", "Cherry", "École"};
    grid->SetRowCount(5);
    for (int r = 1; r <= 5; ++r) grid->SetCellValue(r, 1, names[r - 1]);
    grid->SetMultiSelect(true);
    grid->SetKeyPressBehaviour(vxKeyPressSearchCurCol);
    const unsigned long frame = x11->NativeWindow(sys::GetParent(grid->hwnd()));
    ASSERT_TRUE(PumpUntil([&] {
        XWindowAttributes attributes;
        XGetWindowAttributes(x11->Connection(), frame, &attributes);
        return attributes.map_state == IsViewable;
    }));
    XSetInputFocus(x11->Connection(), frame, RevertToNone, CurrentTime);
    sys::SetFocus(grid->hwnd());

    EXPECT_TRUE(Reaches("key --delay 30 Down Down", "2.1")) << Current();
    EXPECT_TRUE(Reaches("key --delay 30 shift+Down shift+Right", "3.2")) << Current();
    EXPECT_TRUE(grid->CellSelected(2, 1) && grid->CellSelected(2, 2) && grid->CellSelected(3, 2));
    EXPECT_TRUE(Reaches("key --delay 30 Left type --delay 30 ch", "4.1")) << Current();
    EXPECT_FALSE(grid->CellSelected(3, 1));
    // A character off the keyboard's layout comes through the input method whole.
    EXPECT_TRUE(Reaches("key Escape type --delay 30 é", "5.1")) << Current();
    std::system("xdotool keyup shift");
}

}  // namespace
}  // namespace vexa
