// Resizing columns from their dividers: a drag keeps the width within the column's limits by
// confining the mouse, in both resizing modes; without live resizing the cells are repainted
// once, when the divider is let go; a column that may not be resized refuses the divider; a
// double click on a divider asks the host first.
#include <algorithm>

#include "HeaderTestSupport.h"

using namespace vexa;
using namespace vexa::test;

namespace {

struct ResizeCase {
    const char* name;
    bool immediate;
    int minWidth;
    int maxWidth;
    int dx;
    int width;
};

class HeaderResizeTest : public HeaderOnForm, public ::testing::WithParamInterface<ResizeCase> {
  protected:
    HeaderResizeTest() { Fill({80, 60, 60}, 3); }
};

TEST_P(HeaderResizeTest, ADividerDragKeepsWithinTheLimits) {
    const ResizeCase& c = GetParam();
    grid().SetImmediateColumnResizing(c.immediate);
    grid().SetColMinWidth(1, c.minWidth);
    grid().SetColMaxWidth(1, c.maxWidth);
    const sys::POINT divider = DividerOf(1);
    sys::POINT cursor;
    display().MouseMove(divider.x, divider.y);
    display().MouseDown();
    display().MouseMove(divider.x + c.dx, divider.y);
    sys::GetCursorPos(&cursor);
    display().MouseUp();
    display().AdvanceClock(1000);
    EXPECT_EQ(cursor.x, divider.x + c.width - 80) << "the mouse goes no further than the width";
    EXPECT_EQ(grid().ColWidth(1), c.width);
    EXPECT_EQ(log.Of("StartColWidthChange"),
              (std::vector<std::string>{"StartColWidthChange(1,80)"}));
    const std::vector<std::string> changing = log.Of("ColWidthChanging");
    ASSERT_FALSE(changing.empty());
    EXPECT_EQ(changing.back(), "ColWidthChanging(1," + std::to_string(c.width) + ")");
    EXPECT_EQ(log.Of("ColWidthChanged"),
              (std::vector<std::string>{"ColWidthChanged(1," + std::to_string(c.width) + ")"}));
    ExpectTitlesOverColumns();
    sys::RECT clip, screen;
    sys::GetClipCursor(&clip);
    sys::GetWindowRect(sys::GetDesktopWindow(), &screen);
    EXPECT_EQ(clip, screen) << "the mouse is free again";
}

INSTANTIATE_TEST_SUITE_P(
    Drags, HeaderResizeTest,
    ::testing::Values(ResizeCase{"Wider", false, -1, -1, 30, 110},
                      ResizeCase{"Narrower", false, -1, -1, -30, 50},
                      ResizeCase{"StopsAtTheMinimum", false, 50, -1, -60, 50},
                      ResizeCase{"StopsAtTheMaximum", false, -1, 100, 60, 100},
                      ResizeCase{"LiveWider", true, -1, -1, 30, 110},
                      ResizeCase{"LiveStopsAtTheMinimum", true, 50, 120, -60, 50},
                      ResizeCase{"LiveStopsAtTheMaximum", true, 50, 100, 60, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HeaderResizeTest, CellsRepaintLiveOnlyWithImmediateResizing) {
    for (bool immediate : {false, true}) {
        SCOPED_TRACE(immediate ? "immediate" : "deferred");
        grid().SetImmediateColumnResizing(immediate);
        for (int row = 1; row <= 3; ++row) grid().SetCellType(row, 2, vxCellCustomDraw);
        sys::PumpMessages();
        const sys::POINT divider = DividerOf(1);
        const sys::RECT cells = CellRect(1, 2);
        log.Clear();
        display().MouseMove(divider.x, divider.y);
        display().MouseDown();
        display().MouseMove(divider.x + 20, divider.y);
        display().MouseMove(divider.x + 40, divider.y);
        sys::PumpMessages();
        EXPECT_EQ(log.Of("CustomDrawCell").empty(), !immediate);
        const sys::POINT marker = ToScreen(sys::POINT{cells.left + 40, cells.top + 2});
        const sys::COLORREF during = display().ScreenPixel(marker.x, marker.y);
        display().MouseUp();
        sys::PumpMessages();
        EXPECT_FALSE(log.Of("CustomDrawCell").empty());
        EXPECT_EQ(during != display().ScreenPixel(marker.x, marker.y), !immediate)
            << "the marker line shows only while a deferred resize runs";
        grid().SetColWidth(1, 80);
        display().AdvanceClock(1000);
    }
}

TEST_F(HeaderResizeTest, AColumnThatMayNotBeResizedRefusesItsDivider) {
    const sys::POINT sizable = DividerOf(2);
    display().MouseMove(sizable.x, sizable.y);
    EXPECT_EQ(display().CursorShape(), sys::LoadCursor(0, sys::IDC_SIZEWE));
    grid().SetColAllowSizing(1, false);
    const sys::POINT divider = DividerOf(1);
    display().MouseMove(divider.x, divider.y);
    EXPECT_EQ(display().CursorShape(), sys::LoadCursor(0, sys::IDC_ARROW));
    DragPoints(divider, sys::POINT{divider.x + 40, divider.y});
    display().DoubleClick(divider.x, divider.y);
    EXPECT_EQ(grid().ColWidth(1), 80);
    EXPECT_TRUE(log.Of("StartColWidthChange").empty());
    EXPECT_TRUE(log.Of("ColWidthChanged").empty());
    EXPECT_TRUE(log.Of("ColDividerDblClick").empty());
}

TEST_F(HeaderResizeTest, ADividerDoubleClickFitsTheColumnUnlessTheHostSaysNo) {
    grid().SetColHeaderText(2, "A title wider than its cells");
    for (bool refuse : {true, false}) {
        SCOPED_TRACE(refuse ? "refused" : "allowed");
        log.Clear();
        answers.refuseDividerDefault = refuse;
        const sys::POINT divider = DividerOf(2);
        display().DoubleClick(divider.x, divider.y);
        display().AdvanceClock(1000);
        std::vector<std::string> expected = {"ColDividerDblClick(2,1)"};
        if (!refuse)
            expected.push_back("ColWidthChanged(2," + std::to_string(grid().ColWidth(2)) + ")");
        // The double click's first press tracks the divider without moving it: after that.
        std::vector<std::string> seen = log.Of("Col");
        std::erase_if(seen, [](const std::string& e) { return e.starts_with("ColHeaderMouse"); });
        EXPECT_EQ(std::vector(seen.end() - std::min(seen.size(), expected.size()), seen.end()),
                  expected);
        EXPECT_EQ(grid().ColWidth(2) > 100, !refuse) << "the title counts in the fitted width";
    }
    ExpectTitlesOverColumns();
}

}  // namespace
