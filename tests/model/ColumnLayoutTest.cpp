// Column order, limits set with the column and the row-text column, seen through the
// column members.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"

namespace vexa {
namespace {

using test::ExpectGridError;
using test::kSubscript;
using test::StoreSnapshot;

const std::string kMaxBelowMin = "Column maximum width can not be less than its minimum width.";

class ColumnLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* key : {"a", "b", "c", "d"}) grid.AddCol(key);
        grid.SetRowCount(2);
    }
    Vexa grid;
};

TEST_F(ColumnLayoutTest, MovedColumnsTakeTheirDefaultCellsAndAttributes) {
    auto defaultOfB = grid.ColDefaultCell("b");
    grid.SetColWidth("b", 90);
    grid.SetColHeaderText("b", "Bee");
    grid.SetColOrder(2, 4);
    EXPECT_EQ(grid.ColOrder("b"), 4);
    EXPECT_EQ(grid.ColOrder("c"), 2);
    EXPECT_EQ(grid.ColOrder("d"), 3);
    EXPECT_EQ(grid.ColDefaultCell(2), defaultOfB);
    EXPECT_EQ(grid.ColWidth(2), 90);
    EXPECT_EQ(grid.ColHeaderText(2), "Bee");
    EXPECT_EQ(grid.ColKey(2), "b");

    // New rows still fill each column from its own default cell.
    defaultOfB->SetvValue(Variant("from b"));
    grid.AddRow();
    EXPECT_EQ(grid.CellValue(3, "b"), Variant("from b"));
    EXPECT_EQ(grid.CellValue(3, "c"), Variant(std::string()));
}

TEST_F(ColumnLayoutTest, MovingAColumnToItsOwnPlaceChangesNothing) {
    grid.SetColOrder("b", 3);
    const StoreSnapshot before = StoreSnapshot::Of(grid);
    grid.SetColOrder("b", 3);
    EXPECT_EQ(StoreSnapshot::Of(grid), before);
}

TEST_F(ColumnLayoutTest, LimitsGivenToAddColBindLaterWidths) {
    grid.AddCol({.sKey = "e", .lWidth = 10, .lMinWidth = 20, .lMaxWidth = 60});
    EXPECT_EQ(grid.ColWidth("e"), 20);
    grid.SetColWidth("e", 100);
    EXPECT_EQ(grid.ColWidth("e"), 60);
    grid.SetColWidth("e", 0);
    EXPECT_EQ(grid.ColWidth("e"), 20);
    ExpectGridError([&] { grid.SetColMaxWidth("e", 19); }, 519, kMaxBelowMin);
    ExpectGridError([&] { grid.SetColMinWidth("e", 61); }, 519, kMaxBelowMin);
    EXPECT_EQ(grid.ColMinWidth("e"), 20);
    EXPECT_EQ(grid.ColMaxWidth("e"), 60);

    // Removing a limit frees the width; it does not change it.
    grid.SetColMaxWidth("e", -1);
    EXPECT_EQ(grid.ColWidth("e"), 20);
    grid.SetColWidth("e", 500);
    EXPECT_EQ(grid.ColWidth("e"), 500);
    grid.SetColMinWidth("e", -1);
    grid.SetColWidth("e", 0);
    EXPECT_EQ(grid.ColWidth("e"), 0);
}

TEST_F(ColumnLayoutTest, RowTextColumnAndItsStartColumn) {
    grid.AddCol({.sKey = "text", .bRowTextCol = true});
    grid.SetRowTextStartCol(3);
    EXPECT_EQ(grid.RowTextStartCol(), 3);
    grid.SetColVisible("text", false);
    EXPECT_TRUE(grid.ColVisible("text"));
    ExpectGridError([&] { grid.SetRowTextStartCol(6); }, 513, kSubscript);
    EXPECT_EQ(grid.RowTextStartCol(), 3);
    grid.Clear(true);
    EXPECT_EQ(grid.RowTextStartCol(), 0);
}

}  // namespace
}  // namespace vexa
