// Row properties, the default row height and the row-text start column.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"

namespace vexa::test {
namespace {

using RowAttributeTest = TwoColumnGrid<5>;

TEST_F(RowAttributeTest, HeightsVisibilityAndTagsRoundTripByIndexAndKey) {
    grid.SetRowHeight(3, grid.RowHeight(3) + 10);
    EXPECT_EQ(grid.RowHeight(3), 25);
    EXPECT_EQ(grid.RowHeight(4), 15);
    grid.SetRowKey(4, "four");
    grid.SetRowHeight("four", -3);  // any height is accepted, negative ones too
    EXPECT_EQ(grid.RowHeight(4), -3);
    grid.SetRowVisible(2, false);
    grid.SetRowVisible(2, false);
    EXPECT_FALSE(grid.RowVisible(2));
    EXPECT_TRUE(grid.RowVisible(3));
    auto tag = std::make_shared<Object>();
    grid.SetRowTag(1, Variant(tag));
    grid.SetRowTag("four", Variant("four"));
    EXPECT_EQ(grid.RowTag(1).ToObject(), tag);  // by reference
    EXPECT_EQ(grid.RowTag(4), Variant("four"));
    EXPECT_TRUE(grid.RowTag(3).IsEmpty());
}

TEST_F(RowAttributeTest, BadRowsAreRefused) {
    ExpectGridError([&] { grid.SetRowHeight(6, 10); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetRowVisible(0, false); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetRowIsGroup("none", true); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetRowTag(-1, Variant(1)); }, 513, kSubscript);
    for (int r = 1; r <= 5; ++r) {
        EXPECT_EQ(grid.RowHeight(r), 15);
        EXPECT_TRUE(grid.RowVisible(r));
        EXPECT_FALSE(grid.RowIsGroup(r));
    }
}

TEST_F(RowAttributeTest, GroupRowsAndTheirStartColumn) {
    grid.SetRowIsGroup(2, true);
    grid.SetRowGroupStartCol(2, 2);
    EXPECT_TRUE(grid.RowIsGroup(2));
    EXPECT_EQ(grid.RowGroupStartCol(2), 2);
    grid.SetRowGroupStartCol(2, 77);  // not validated
    EXPECT_EQ(grid.RowGroupStartCol(2), 77);
    grid.SetRowIsGroup(2, false);
    EXPECT_FALSE(grid.RowIsGroup(2));
    grid.AddRow({.sKey = "g", .bGroupRow = true});
    EXPECT_TRUE(grid.RowIsGroup("g"));
}

TEST_F(RowAttributeTest, DefaultRowHeightAppliesToNewRowsOnly) {
    EXPECT_EQ(grid.DefaultRowHeight(), 15);
    ExpectGridError([&] { grid.SetDefaultRowHeight(0); }, 514, kInvalidArg);
    EXPECT_EQ(grid.DefaultRowHeight(), 15);
    grid.SetDefaultRowHeight(22);
    EXPECT_EQ(grid.DefaultRowHeight(), 22);
    EXPECT_EQ(grid.RowHeight(5), 15);
    grid.AddRow();
    grid.SetRowCount(7);
    EXPECT_EQ(grid.RowHeight(6), 22);
    EXPECT_EQ(grid.RowHeight(7), 22);
}

TEST_F(RowAttributeTest, RowTextStartColMustNameAColumn) {
    EXPECT_EQ(grid.RowTextStartCol(), 0);
    ExpectGridError([&] { grid.SetRowTextStartCol(0); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetRowTextStartCol(3); }, 513, kSubscript);
    EXPECT_EQ(grid.RowTextStartCol(), 0);
    grid.SetRowTextStartCol(2);
    EXPECT_EQ(grid.RowTextStartCol(), 2);
}

}  // namespace
}  // namespace vexa::test
