// The keyboard in a real window on a real X server: arrows, Shift+arrows and typed search,
// a character off the layout too, sent by xdotool and read through the X input method.
#include <chrono>
#include <future>
#include <string>

#include "vexa/vexa.h"
// Xlib's macros come last.
#include "common/X11Session.h"

namespace vexa::test {
namespace {

TEST(KeyboardX11Test, ArrowsShiftArrowsAndTypedSearch) {
    X11Session x11;
    if (!x11.Open()) GTEST_SKIP() << "no X display";
    Vexa grid;
    grid.AddCol("name");
    grid.AddCol("other");
    grid.SetRowCount(5);
    const char* names[] = {"Apple", "Banana", "Blueberry", "Cherry", "École"};
    for (int r = 1; r <= 5; ++r) grid.SetCellValue(r, 1, names[r - 1]);
    grid.SetMultiSelect(true);
    grid.SetKeyPressBehaviour(vxKeyPressSearchCurCol);
    const sys::HWND frame = sys::GetParent(grid.hwnd());
    sys::SetActiveWindow(frame);
    sys::SetFocus(grid.hwnd());
    x11.WaitUntilMapped(frame);

    // Runs xdotool while the program answers the server (typing a character off the layout
    // remaps a key, which the program must hear of), until the current cell is `cell`.
    auto reaches = [&](const std::string& arguments, const std::string& cell) {
        auto finished = std::async(std::launch::async, [arguments] {
            return std::system(("LC_ALL=C.UTF-8 xdotool " + arguments).c_str());
        });
        const bool reached = x11.PumpUntil([&] {
            return finished.wait_for(std::chrono::seconds(0)) == std::future_status::ready &&
                   std::to_string(grid.CurRow()) + "." + std::to_string(grid.CurCol()) == cell;
        });
        return finished.get() == 0 && reached;
    };
    EXPECT_TRUE(reaches("key --delay 30 Down Down", "2.1"));
    EXPECT_TRUE(reaches("key --delay 30 shift+Down shift+Right", "3.2"));
    EXPECT_TRUE(grid.CellSelected(2, 1) && grid.CellSelected(2, 2) && grid.CellSelected(3, 2));
    EXPECT_TRUE(reaches("key --delay 30 Left type --delay 30 ch", "4.1"));
    EXPECT_FALSE(grid.CellSelected(3, 1));
    EXPECT_TRUE(reaches("key Escape type --delay 30 é", "5.1"));
    std::system("xdotool keyup shift");
}

}  // namespace
}  // namespace vexa::test
