// The keyboard on a real X server (skipped without DISPLAY): arrows, Shift+arrows and typed
// search, a character off the layout too, sent by xdotool through the X input method.
#include "vexa/vexa.h"
#include "window/X11TestFixture.h"

namespace vexa::sys::testing {
namespace {

class KeyboardX11 : public X11Test {
  protected:
    void TearDown() override {
        grid.reset();
        if (x11 != nullptr) std::system("xdotool keyup shift");
        X11Test::TearDown();
    }
    // Runs xdotool until the current cell is `cell`.
    bool Reaches(const std::string& arguments, const std::string& cell) {
        return RunUntil("xdotool " + arguments, [&] {
            return std::to_string(grid->CurRow()) + "." + std::to_string(grid->CurCol()) == cell;
        });
    }
    std::unique_ptr<Vexa> grid;
};

TEST_F(KeyboardX11, ArrowsShiftArrowsAndTypedSearch) {
    grid = std::make_unique<Vexa>(FocusedWindow(), RECT{0, 0, 200, 150});
    grid->AddCol("name");
    grid->AddCol("other");
    grid->SetRowCount(5);
    const char* names[] = {"Apple", "Banana", "Blueberry", "Cherry", "École"};
    for (int r = 1; r <= 5; ++r) grid->SetCellValue(r, 1, names[r - 1]);
    grid->SetMultiSelect(true);
    grid->SetKeyPressBehaviour(vxKeyPressSearchCurCol);
    SetFocus(grid->hwnd());

    EXPECT_TRUE(Reaches("key --delay 30 Down Down", "2.1"));
    EXPECT_TRUE(Reaches("key --delay 30 shift+Down shift+Right", "3.2"));
    EXPECT_TRUE(grid->CellSelected(2, 1) && grid->CellSelected(2, 2) && grid->CellSelected(3, 2));
    EXPECT_TRUE(Reaches("key --delay 30 Left type --delay 30 ch", "4.1"));
    EXPECT_FALSE(grid->CellSelected(3, 1));
    EXPECT_TRUE(Reaches("key Escape type --delay 30 é", "5.1"));
}

}  // namespace
}  // namespace vexa::sys::testing
