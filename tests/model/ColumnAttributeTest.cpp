// Column properties: widths and their limits, visibility, display order, tags and header.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"

namespace vexa {
namespace {

using test::ExpectGridError;
using test::kInvalidArg;
using test::kSubscript;
using test::StoreSnapshot;

const std::string kMaxBelowMin = "Column maximum width can not be less than its minimum width.";

class ColumnAttributeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* key : {"a", "b", "c", "d"}) grid.AddCol(key);
        grid.SetRowCount(2);
    }
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

TEST_F(ColumnAttributeTest, HidingAColumnKeepsItsWidth) {
    for (int c = 1; c <= 4; ++c) grid.SetColWidth(c, 10 * c);
    grid.SetColVisible("b", false);
    EXPECT_FALSE(grid.ColVisible("b"));
    EXPECT_EQ(grid.ColWidth("b"), 20);
    grid.SetColVisible("b", true);
    EXPECT_TRUE(grid.ColVisible("b"));
}

TEST_F(ColumnAttributeTest, RowTextColumnCannotBeHidden) {
    grid.AddCol({.sKey = "text", .bRowTextCol = true});
    grid.SetColVisible("text", false);
    EXPECT_TRUE(grid.ColVisible("text"));
    ExpectGridError([&] { grid.SetColVisible("nokey", false); }, 513, kSubscript);
}

TEST_F(ColumnAttributeTest, ColOrderMovesTheRecordButKeepsIndexAndCells) {
    grid.SetCellValue(1, "d", Variant("cell of d"));
    grid.SetColTag("d", Variant(99));
    grid.SetColOrder("d", 1);
    EXPECT_EQ(grid.ColOrder("d"), 1);
    EXPECT_EQ(grid.ColOrder("a"), 2);
    EXPECT_EQ(grid.ColOrder("b"), 3);
    EXPECT_EQ(grid.ColOrder("c"), 4);
    EXPECT_EQ(grid.ColIndex("d"), 4);
    EXPECT_EQ(grid.ColKey(4), "d");
    EXPECT_EQ(grid.CellValue(1, 4), Variant("cell of d"));
    EXPECT_EQ(grid.ColTag(4), Variant(99));

    grid.SetColOrder("a", 4);  // and back towards the end
    EXPECT_EQ(grid.ColOrder("d"), 1);
    EXPECT_EQ(grid.ColOrder("b"), 2);
    EXPECT_EQ(grid.ColOrder("c"), 3);
    EXPECT_EQ(grid.ColOrder("a"), 4);
}

TEST_F(ColumnAttributeTest, ColOrderOutsideTheColumnsIsRefused) {
    const StoreSnapshot before = StoreSnapshot::Of(grid);
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

}  // namespace
}  // namespace vexa
