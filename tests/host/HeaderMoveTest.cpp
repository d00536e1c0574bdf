// Moving columns by dragging their titles, and the titles staying over their columns through
// every change a host makes to the columns.
#include <algorithm>
#include <functional>

#include "HeaderTestSupport.h"

using namespace vexa;
using namespace vexa::test;

namespace {

struct DragCase {
    const char* name;
    std::vector<int> hidden;
    int dragged;
    int dropBefore;  // 0: after the last title
    std::vector<int> shownOrder;
    std::string endDrag;
};

class HeaderMoveTest : public HeaderOnForm, public ::testing::WithParamInterface<DragCase> {
  protected:
    HeaderMoveTest() { Fill({60, 60, 60, 60}, 3); }

    void DragTitle(int col, int dropBefore) {
        const sys::RECT target = TitleRect(dropBefore == 0 ? LastShown() : dropBefore);
        const int y = (target.top + target.bottom) / 2;
        DragPoints(TitleCentre(col),
                   OnHeader(dropBefore == 0 ? target.right - 2 : target.left + 2, y));
    }
    int LastShown() {
        int last = 0;
        for (int col = 1; col <= grid().ColCount(); ++col)
            if (grid().ColVisible(col) &&
                (last == 0 || grid().ColOrder(col) > grid().ColOrder(last)))
                last = col;
        return last;
    }
    // The shown columns from left to right.
    std::vector<int> ShownOrder() {
        std::vector<int> shown;
        for (int col = 1; col <= grid().ColCount(); ++col)
            if (grid().ColVisible(col)) shown.push_back(col);
        std::sort(shown.begin(), shown.end(),
                  [&](int a, int b) { return grid().ColOrder(a) < grid().ColOrder(b); });
        return shown;
    }
};

TEST_P(HeaderMoveTest, DraggingATitleMovesItsColumn) {
    const DragCase& c = GetParam();
    for (int col : c.hidden) grid().SetColVisible(col, false);
    DragTitle(c.dragged, c.dropBefore);
    EXPECT_EQ(log.Of("ColHeaderEndDrag"), (std::vector<std::string>{c.endDrag}));
    EXPECT_EQ(ShownOrder(), c.shownOrder);
    ExpectTitlesOverColumns();
}

INSTANTIATE_TEST_SUITE_P(
    Drags, HeaderMoveTest,
    ::testing::Values(
        DragCase{"ThirdBeforeFirst", {}, 3, 1, {3, 1, 2, 4}, "ColHeaderEndDrag(3,1,0)"},
        DragCase{"FirstAfterLast", {}, 1, 0, {2, 3, 4, 1}, "ColHeaderEndDrag(1,4,0)"},
        DragCase{"BeforeAColumnRightOfAHiddenOne", {2}, 4, 3, {1, 4, 3}, "ColHeaderEndDrag(4,3,0)"},
        DragCase{"BeforeAColumnLeftOfAHiddenOne", {2}, 3, 1, {3, 1, 4}, "ColHeaderEndDrag(3,1,0)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HeaderMoveTest, TheMovedColumnIsPaintedAndSavedAtItsNewPlace) {
    auto colourOf = [](int col) { return sys::RGB(std::uint8_t(50 * col), 100, 150); };
    for (int col = 1; col <= 4; ++col) grid().SetCellBackColor(1, col, colourOf(col));
    DragTitle(3, 1);
    EXPECT_EQ(grid().ColOrder(3), 1);
    EXPECT_NE(grid().LayoutCol().find("3|Order|1|"), std::string::npos);
    for (int col = 1; col <= 4; ++col) {
        const sys::RECT cell = CellRect(1, col);
        EXPECT_EQ(Pixel(cell.left + 1, cell.top + 1), colourOf(col)) << "column " << col;
    }
    EXPECT_EQ(CellRect(1, 3).left, 0);
}

TEST_F(HeaderMoveTest, CancellingTheStartOrTheEndOfTheDragKeepsTheOrder) {
    for (bool atStart : {true, false}) {
        SCOPED_TRACE(atStart ? "start" : "end");
        log.Clear();
        answers.cancelBeginDrag = atStart;
        answers.cancelEndDrag = !atStart;
        DragTitle(3, 1);
        EXPECT_EQ(log.Of("ColHeaderBeginDrag"),
                  (std::vector<std::string>{"ColHeaderBeginDrag(3,0)"}));
        EXPECT_EQ(log.Of("ColHeaderEndDrag"),
                  atStart ? std::vector<std::string>{}
                          : std::vector<std::string>{"ColHeaderEndDrag(3,1,0)"});
        EXPECT_TRUE(log.Of("ColHeaderClick").empty());
        EXPECT_EQ(sys::GetCapture(), 0u);
        EXPECT_EQ(ShownOrder(), (std::vector<int>{1, 2, 3, 4}));
        ExpectTitlesOverColumns();
    }
}

TEST_F(HeaderMoveTest, TitlesFollowEveryChangeOfTheColumns) {
    const std::vector<std::pair<const char*, std::function<void(Vexa&)>>> changes = {
        {"add before a hidden column",
         [](Vexa& g) {
             g.SetColVisible(3, false);
             g.AddCol({.sKey = "new", .lWidth = 70, .vColBefore = 3});
         }},
        {"show a column between two others",
         [](Vexa& g) {
             g.SetColVisible(2, false);
             g.SetColVisible(2, true);
         }},
        {"move across a hidden column",
         [](Vexa& g) {
             g.SetColVisible(1, false);
             g.SetColOrder(4, 3);
         }},
        {"remove beside a hidden column",
         [](Vexa& g) {
             g.SetColVisible(3, false);
             g.RemoveCol(2);
         }},
        {"widen a column", [](Vexa& g) { g.SetColWidth(2, 130); }},
        {"scroll sideways",
         [](Vexa& g) {
             g.SetColWidth(3, 700);
             g.HScrollBar()->SetValue(150);
         }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        grid().Clear(true);
        Fill({60, 60, 60, 60, 60}, 2);
        change(grid());
        ExpectTitlesOverColumns();
    }
}

}  // namespace
