// Column properties: widths and their limits, visibility, display order, tags, header and
// the row-text column, seen through the column members.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"

namespace vexa::test {
namespace {

const std::string kMaxBelowMin = "Column maximum width can not be less than its minimum width.";

class ColumnAttributeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* key : {"a", "b", "c", "d"}) grid.AddCol(key);
        grid.SetRowCount(2);
    }
    // The display position of each column, by index.
    std::vector<std::int32_t> Orders() const { return StoreSnapshot::Of(grid).colOrders; }
    Vexa grid;
};

TEST_F(ColumnAttributeTest, WidthIsClampedToItsLimits) {
    grid.SetColMaxWidth("b", 200);
    grid.SetColWidth("b", 500);
    EXPECT_EQ(grid.ColWidth("b"), 200);
    grid.SetColMinWidth("b", 50);
    grid.SetColWidth("b", 10);
    EXPECT_EQ(grid.ColWidth("b"), 50);
    grid.SetColWidth("b", 120);
    EXPECT_EQ(grid.ColWidth(2), 120);
    EXPECT_EQ(grid.ColMinWidth(2), 50);
    EXPECT_EQ(grid.ColMaxWidth(2), 200);
}

TEST_F(ColumnAttributeTest, NegativeWidthRaises514AndKeepsTheWidth) {
    grid.SetColWidth(1, 80);
    ExpectGridError([&] { grid.SetColWidth(1, -1); }, 514, kInvalidArg);
    ExpectGridError([&] { grid.SetColWidth(5, 10); }, 513, kSubscript);
    EXPECT_EQ(grid.ColWidth(1), 80);
}

TEST_F(ColumnAttributeTest, LimitsWidenOrNarrowTheColumnAndMayNotCross) {
    grid.SetColWidth("c", 30);
    grid.SetColMinWidth("c", 50);
    EXPECT_EQ(grid.ColWidth("c"), 50);
    ExpectGridError([&] { grid.SetColMaxWidth("c", 40); }, 519, kMaxBelowMin);
    EXPECT_EQ(grid.ColMaxWidth("c"), -1);
    grid.SetColMaxWidth("c", 50);  // equal limits are allowed
    grid.SetColMinWidth("c", -1);
    grid.SetColMaxWidth("c", 40);
    EXPECT_EQ(grid.ColWidth("c"), 40);
    ExpectGridError([&] { grid.SetColMinWidth("c", 41); }, 519, kMaxBelowMin);
    EXPECT_EQ(grid.ColMinWidth("c"), -1);
}

TEST_F(ColumnAttributeTest, LimitsGivenToAddColBindLaterWidths) {
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

TEST_F(ColumnAttributeTest, HidingAColumnKeepsItsWidth) {
    for (int c = 1; c <= 4; ++c) grid.SetColWidth(c, 10 * c);
    grid.SetColVisible("b", false);
    EXPECT_FALSE(grid.ColVisible("b"));
    EXPECT_EQ(grid.ColWidth("b"), 20);
    grid.SetColVisible("b", true);
    EXPECT_TRUE(grid.ColVisible("b"));
}

TEST_F(ColumnAttributeTest, MovedColumnsKeepTheirIndexCellsDefaultCellsAndAttributes) {
    auto defaultOfD = grid.ColDefaultCell("d");
    grid.SetCellValue(1, "d", Variant("cell of d"));
    grid.SetColTag("d", Variant(99));
    grid.SetColWidth("d", 90);
    grid.SetColHeaderText("d", "Dee");
    grid.SetColOrder("d", 1);
    EXPECT_EQ(Orders(), (std::vector<std::int32_t>{2, 3, 4, 1}));
    EXPECT_EQ(grid.ColIndex("d"), 4);
    EXPECT_EQ(grid.ColKey(4), "d");
    EXPECT_EQ(grid.CellValue(1, 4), Variant("cell of d"));
    EXPECT_EQ(grid.ColTag(4), Variant(99));
    EXPECT_EQ(grid.ColDefaultCell(4), defaultOfD);
    EXPECT_EQ(grid.ColWidth(4), 90);
    EXPECT_EQ(grid.ColHeaderText(4), "Dee");
    grid.SetColOrder("a", 4);  // and back towards the end
    EXPECT_EQ(Orders(), (std::vector<std::int32_t>{4, 2, 3, 1}));
    grid.SetColOrder(2, 4);  // by index
    EXPECT_EQ(Orders(), (std::vector<std::int32_t>{3, 4, 2, 1}));
    // New rows still fill each column from its own default cell.
    defaultOfD->SetvValue(Variant("from d"));
    grid.AddRow();
    EXPECT_EQ(grid.CellValue(3, "d"), Variant("from d"));
    EXPECT_EQ(grid.CellValue(3, "c"), Variant(std::string()));
}

TEST_F(ColumnAttributeTest, ColOrderToItsOwnPlaceChangesNothingAndOutsideIsRefused) {
    grid.SetColOrder("b", 3);
    const StoreSnapshot before = StoreSnapshot::Of(grid);
    grid.SetColOrder("b", 3);
    EXPECT_EQ(StoreSnapshot::Of(grid), before);
    ExpectGridError([&] { grid.SetColOrder("a", 0); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetColOrder("a", 5); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetColOrder("zz", 1); }, 513, kSubscript);
    EXPECT_EQ(StoreSnapshot::Of(grid), before);
}

TEST_F(ColumnAttributeTest, HeaderAndPlainPropertiesRoundTrip) {
    auto tag = std::make_shared<Object>();
    grid.SetColTag("a", Variant(tag));
    grid.SetColAllowSizing("a", false);
    grid.SetColHeaderText("a", "Amount");
    grid.SetColHeaderIcon("a", 3);
    grid.SetColHeaderTextFlags("a", vxTextSingleLine);
    grid.SetColHeaderBackColor("a", 0x102030);
    grid.SetColHeaderForeColor("a", 0x405060);
    EXPECT_EQ(grid.ColTag("a").ToObject(), tag);
    EXPECT_FALSE(grid.ColAllowSizing("a"));
    EXPECT_TRUE(grid.ColAllowSizing("b"));
    EXPECT_EQ(grid.ColHeaderText("a"), "Amount");
    EXPECT_EQ(grid.ColHeaderIcon("a"), 3);
    EXPECT_EQ(grid.ColHeaderTextFlags("a"), vxTextSingleLine);
    EXPECT_EQ(grid.ColHeaderBackColor("a"), 0x102030u);
    EXPECT_EQ(grid.ColHeaderForeColor("a"), 0x405060u);
    EXPECT_EQ(grid.ColHeaderBackColor("b"), kDefaultColor);
    ExpectGridError([&] { grid.SetColHeaderText(9, "x"); }, 513, kSubscript);
}

TEST_F(ColumnAttributeTest, RowTextColumnCannotBeHiddenAndNamesItsStartColumn) {
    grid.AddCol({.sKey = "text", .bRowTextCol = true});
    grid.SetRowTextStartCol(3);
    EXPECT_EQ(grid.RowTextStartCol(), 3);
    grid.SetColVisible("text", false);
    EXPECT_TRUE(grid.ColVisible("text"));
    ExpectGridError([&] { grid.SetColVisible("nokey", false); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetRowTextStartCol(6); }, 513, kSubscript);
    EXPECT_EQ(grid.RowTextStartCol(), 3);
    grid.Clear(true);
    EXPECT_EQ(grid.RowTextStartCol(), 0);
}

}  // namespace
}  // namespace vexa::test
