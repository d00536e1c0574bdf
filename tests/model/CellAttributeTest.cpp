// Cell attributes: round trips, refused values, and the cells new rows take from the
// column default cell.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "vexa/model/CellObject.h"

namespace vexa::test {
namespace {

using CellAttributeTest = TwoColumnGrid<2>;

TEST_F(CellAttributeTest, AttributesRoundTrip) {
    grid.SetCellTextFlags(1, 2, vxTextSingleLine);
    grid.SetCellIndent(1, 2, 7);
    grid.SetCellRightIndent(1, 2, 9);
    grid.SetCellIcon(1, 2, 3);
    grid.SetCellExtraIcon(1, 2, 4);
    grid.SetCellBackColor(1, 2, 0x00FF00);
    grid.SetCellForeColor(1, 2, 0x0000FF);
    grid.SetCellHatch(1, 2, vxHatchCross);
    grid.SetCellTypeFlags(1, 2, 16);
    EXPECT_EQ(grid.CellTextFlags(1, 2), vxTextSingleLine);
    EXPECT_EQ(grid.CellIndent(1, 2), 7);
    EXPECT_EQ(grid.CellRightIndent(1, 2), 9);
    EXPECT_EQ(grid.CellIcon(1, 2), 3);
    EXPECT_EQ(grid.CellExtraIcon(1, 2), 4);
    EXPECT_EQ(grid.CellBackColor(1, 2), 0x00FF00u);
    EXPECT_EQ(grid.CellForeColor(1, 2), 0x0000FFu);
    EXPECT_EQ(grid.CellHatch(1, 2), vxHatchCross);
    EXPECT_EQ(grid.CellTypeFlags(1, 2), 16);
    EXPECT_EQ(grid.CellType(1, 2), vxCellText);  // type bits untouched by the flags
    // The neighbour is untouched.
    EXPECT_EQ(grid.CellIndent(1, 1), 2);
    EXPECT_EQ(grid.CellBackColor(2, 2), kDefaultColor);
}

TEST_F(CellAttributeTest, DefaultColorsRestoreMinusOne) {
    grid.SetCellBackColor(2, 1, 0x123456);
    grid.SetCellForeColor(2, 1, 0x654321);
    grid.CellDefaultBackColor(2, 1);
    grid.CellDefaultForeColor(2, "a");
    EXPECT_EQ(grid.CellBackColor(2, 1), kDefaultColor);
    EXPECT_EQ(grid.CellForeColor(2, 1), kDefaultColor);
    ExpectGridError([&] { grid.CellDefaultBackColor(3, 1); }, 513, kSubscript);
}

TEST_F(CellAttributeTest, TypeChangeKeepsTheValueAndTypeFlags) {
    grid.SetCellTypeFlags(1, 1, 8);
    grid.SetCellType(1, 1, vxCellCheck);
    EXPECT_EQ(grid.CellType(1, 1), vxCellCheck);
    EXPECT_EQ(grid.CellTypeFlags(1, 1), 8);
    EXPECT_EQ(grid.CellValue(1, 1), Variant(std::string()));
}

TEST_F(CellAttributeTest, OutOfRangeCodesAreRefusedAndChangeNothing) {
    ExpectGridError([&] { grid.SetCellType(1, 1, 4); }, 514, kInvalidArg);
    ExpectGridError([&] { grid.SetCellTypeFlags(1, 1, 64); }, 514, kInvalidArg);
    ExpectGridError([&] { grid.SetCellTypeFlags(1, 1, 1); }, 514, kInvalidArg);
    ExpectGridError([&] { grid.SetCellHatch(1, 1, 8); }, 514, kInvalidArg);
    ExpectGridError([&] { grid.SetCellHatch(1, 1, -1); }, 514, kInvalidArg);
    EXPECT_EQ(grid.CellType(1, 1), vxCellText);
    EXPECT_EQ(grid.CellTypeFlags(1, 1), 0);
    EXPECT_EQ(grid.CellHatch(1, 1), vxHatchNone);
}

TEST_F(CellAttributeTest, CtrlKeyOnATextCellChangesNothing) {
    grid.SetCellCtrlKey(1, 1, "list");
    EXPECT_EQ(grid.CellCtrlKey(1, 1), "");
    grid.SetCellType(1, 1, vxCellCombo);
    grid.SetCellCtrlKey(1, 1, "unknown");  // no such list: refers to none, not an error
    EXPECT_EQ(grid.CellCtrlKey(1, 1), "");
    EXPECT_EQ(grid.CellIcon(1, 1), -1);
    ExpectGridError([&] { grid.SetCellCtrlKey(1, 9, "x"); }, 513, kSubscript);
}

TEST_F(CellAttributeTest, NewRowsTakeTheDefaultCell) {
    auto cell = grid.ColDefaultCell("b");
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell, grid.ColDefaultCell(2));
    ExpectGridError([&] { grid.ColDefaultCell(3); }, 513, kSubscript);
    ExpectGridError([&] { grid.ColDefaultCell("zz"); }, 513, kSubscript);
    cell->SetoBackColor(0xABCDEF);
    cell->SetiIndent(5);
    cell->SetsFmtString("0.000");
    cell->SetvValue(Variant(1.5));
    cell->SeteHatch(vxHatchVertical);
    cell->SeteTypeFlags(8);
    grid.AddRow();
    EXPECT_EQ(grid.CellBackColor(3, 2), 0xABCDEFu);
    EXPECT_EQ(grid.CellIndent(3, 2), 5);
    EXPECT_EQ(grid.CellText(3, 2), "1.500");
    EXPECT_EQ(grid.CellFmtString(3, 2), "0.000");
    EXPECT_EQ(grid.CellHatch(3, 2), vxHatchVertical);
    EXPECT_EQ(grid.CellTypeFlags(3, 2), 8);
    // Existing cells keep their attributes; the other column is unaffected.
    EXPECT_EQ(grid.CellBackColor(1, 2), kDefaultColor);
    EXPECT_EQ(grid.CellIndent(3, 1), 2);
    grid.SetRowCount(5);
    EXPECT_EQ(grid.CellValue(5, 2), Variant(1.5));
}

TEST_F(CellAttributeTest, ColumnAddedLaterFillsExistingRowsFromItsDefaultCell) {
    auto cell = grid.AddCol("c");
    EXPECT_EQ(grid.CellValue(2, "c"), Variant(std::string()));
    cell->SeteType(vxCellCheck);
    grid.AddRow();
    EXPECT_EQ(grid.CellType(3, "c"), vxCellCheck);
    EXPECT_EQ(grid.CellValue(3, "c"), Variant(std::int32_t{0}));
}

TEST(CellObjectTest, TypeChangeResetsTheValueToTheInitialOne) {
    Vexa grid;
    auto cell = grid.AddCol();
    EXPECT_EQ(cell->vValue(), Variant(std::string()));
    cell->SetvValue(Variant("kept"));
    cell->SeteType(vxCellText);  // equal type: nothing changes
    EXPECT_EQ(cell->vValue(), Variant("kept"));
    cell->SeteType(vxCellCheck);
    EXPECT_EQ(cell->vValue(), Variant(std::int32_t{0}));
    cell->SeteType(vxCellCombo);
    EXPECT_TRUE(cell->vValue().IsEmpty());
    ExpectGridError([&] { cell->SeteType(9); }, 514, kInvalidArg);
    EXPECT_EQ(cell->eType(), vxCellCombo);
    ExpectGridError([&] { cell->SeteHatch(300); }, 514, kInvalidArg);
    ExpectGridError([&] { cell->SeteTypeFlags(7); }, 514, kInvalidArg);
    EXPECT_EQ(cell->eHatch(), vxHatchNone);
    EXPECT_EQ(cell->eTypeFlags(), 0);
}

TEST(CellObjectTest, LateBoundMembersReachTheSameFields) {
    Vexa grid;
    auto cell = grid.AddCol();
    PutMember(cell, "iIndent", Variant(std::int16_t{6}));
    PutMember(cell, "sFmtString", Variant("0%"));
    EXPECT_EQ(cell->iIndent(), 6);
    EXPECT_EQ(GetMember(cell, "sFmtString"), Variant("0%"));
    EXPECT_EQ(GetMember(cell, "eHatch"), Variant(std::int32_t{vxHatchNone}));
    EXPECT_TRUE(GetMember(cell, "oFont").IsObject());
    EXPECT_THROW(GetMember(cell, "NoSuchMember"), Error);
}

TEST(CellObjectTest, OutlivingItsGridIsSafe) {
    std::shared_ptr<CellObject> cell;
    {
        Vexa grid;
        cell = grid.AddCol();
    }
    cell->SetsFmtString("0.0");  // plain storage now
    cell->SeteType(vxCellCheck);
    EXPECT_EQ(cell->sFmtString(), "0.0");
    EXPECT_EQ(cell->eType(), vxCellCheck);
    // The type still brings its initial value, and unknown types are still refused.
    EXPECT_EQ(cell->vValue(), Variant(std::int32_t{0}));
    ExpectGridError([&] { cell->SeteType(4); }, 514, kInvalidArg);
    EXPECT_EQ(cell->eType(), vxCellCheck);
    cell->SeteType(vxCellText);
    EXPECT_EQ(cell->vValue(), Variant(std::string()));
}

}  // namespace
}  // namespace vexa::test
