// The grid's header on a real X server: xdotool clicks a title, drags a divider and drags a
// title; the rows sort, the column widens and the column moves.
#include <memory>
#include <string>

#include "common/GridOnForm.h"
// Xlib's macros come last.
#include "common/X11Session.h"

namespace vexa::test {
namespace {

TEST(HeaderX11Test, ClickDividerDragAndTitleDragWithXdotool) {
    X11Session x11;
    if (!x11.Open()) GTEST_SKIP() << "no X display";
    Vexa grid;
    EventLog log;
    grid.Advise(&log);
    for (int c = 1; c <= 3; ++c) grid.AddCol({.sKey = "c" + std::to_string(c), .lWidth = 80});
    grid.SetRowCount(4);
    for (int r = 1; r <= 4; ++r) grid.SetCellValue(r, 2, 5 - r);
    x11.WaitUntilMapped(sys::GetParent(grid.hwnd()));
    // A point of the header's client area, as xdotool takes it.
    auto at = [&](int x, int y) {
        sys::POINT p{x, y};
        sys::ClientToScreen(grid.Header()->hwnd(), &p);
        return " " + std::to_string(p.x) + " " + std::to_string(p.y);
    };
    auto heard = [&](const char* name) { return [&log, name] { return !log.Of(name).empty(); }; };

    ASSERT_TRUE(x11.Xdotool("mousemove --sync" + at(120, 8) + " click 1", heard("ContentsSorted")));
    EXPECT_EQ(grid.LayoutSort(), "2|SortKey|1|2|SortOrder|0|");
    EXPECT_EQ(grid.CellText(1, 2), "1");

    ASSERT_TRUE(x11.Xdotool("mousemove --sync" + at(79, 8) + " mousedown 1 mousemove --sync" +
                                at(100, 8) + " mousemove --sync" + at(119, 9) + " mouseup 1",
                            heard("ColWidthChanged")));
    EXPECT_EQ(log.Of("ColWidthChanged"), (std::vector<std::string>{"ColWidthChanged(1,120)"}));

    // The third title, now at 200..280, dropped on the left half of the first.
    ASSERT_TRUE(x11.Xdotool("mousemove --sync" + at(240, 8) + " mousedown 1 mousemove --sync" +
                                at(150, 8) + " mousemove --sync" + at(10, 8) + " mouseup 1",
                            heard("ColHeaderEndDrag")));
    EXPECT_EQ(log.Of("ColHeaderEndDrag"), (std::vector<std::string>{"ColHeaderEndDrag(3,1,0)"}));
    EXPECT_EQ(grid.ColOrder(3), 1);
}

}  // namespace
}  // namespace vexa::test
