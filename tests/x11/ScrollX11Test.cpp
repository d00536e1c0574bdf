// The grid in a real window on a real X server: xdotool turns the wheel over it and drags its
// thumb; the grid scrolls, and the screen shows the rows that scrolled into view.
#include <memory>
#include <string>

#include "vexa/system/window/Messages.h"
#include "vexa/vexa.h"
// Xlib's macros come last.
#include "common/X11Session.h"

namespace vexa::test {
namespace {

TEST(ScrollX11Test, WheelAndThumbDragScrollTheGrid) {
    X11Session x11;
    if (!x11.Open()) GTEST_SKIP() << "no X display";
    Vexa grid;
    grid.AddCol({.lWidth = 100});
    grid.SetRowCount(500);
    for (std::int32_t r = 1; r <= 500; ++r) grid.SetCellValue(r, 1, r);
    grid.SetCellBackColor(40, 1, 0x0000FF);  // a red row to find on the screen
    const sys::HWND frame = sys::GetParent(grid.hwnd());
    sys::SetActiveWindow(frame);
    sys::SetFocus(grid.hwnd());
    x11.WaitUntilMapped(frame);

    sys::RECT window;
    sys::GetWindowRect(grid.hwnd(), &window);
    const int cx = sys::GetSystemMetrics(sys::SM_CXVSCROLL);
    const std::string over =
        std::to_string(window.left + 50) + " " + std::to_string(window.top + 50);
    ASSERT_TRUE(x11.Xdotool("mousemove " + over + " click 5 click 5 click 5", [&] {
        return grid.VScrollBar()->Value() == 45;
    })) << grid.VScrollBar()->Value();

    // Drag the thumb from the top of the track downwards.
    const int barX = window.right - 2 - cx / 2;
    const int thumbY = window.top + 2 + cx + 2;
    ASSERT_TRUE(x11.Xdotool("mousemove " + std::to_string(barX) + " " + std::to_string(thumbY) +
                                " mousedown 1 mousemove_relative 0 40 mouseup 1",
                            [&] { return grid.VScrollBar()->Value() > 45; }));
    const std::int32_t value = grid.VScrollBar()->Value();
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    grid.EnsureVisibleRow(40, vxEnsVisRowTopForce, 0);
    grid.CellBoundary(40, 1, left, top, width, height);
    EXPECT_NE(grid.VScrollBar()->Value(), value);
    sys::POINT cell{left + width / 2, top + height / 2};
    sys::ClientToScreen(grid.hwnd(), &cell);
    EXPECT_TRUE(x11.PumpUntil([&] { return x11.ScreenPixel(cell.x, cell.y) == 0xFF0000ul; }));
}

}  // namespace
}  // namespace vexa::test
