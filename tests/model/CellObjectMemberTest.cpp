// The column default cell as late-bound hosts see it: member names, dispatch identifiers,
// the defaults of a new column and the combo members while no combo list exists.
#include <gtest/gtest.h>

#include <iterator>

#include "StoreTestSupport.h"
#include "vexa/model/CellObject.h"

namespace vexa::test {
namespace {

// Each published member, its dispatch identifier and what a new column's default cell holds.
const struct {
    std::string name;
    std::int32_t id;
    Variant initial;
} kPublishedMembers[] = {
    {"vValue", 0x40030000, Variant(std::string())},
    {"oBackColor", 0x40030001, Variant(std::int32_t{-1})},
    {"oForeColor", 0x40030002, Variant(std::int32_t{-1})},
    {"oFont", 0x40030003, Variant::Nothing()},
    {"eTextFlags", 0x40030004, Variant(std::int32_t{32800})},
    {"iIconIndex", 0x40030005, Variant(std::int16_t{-1})},
    {"iExtraIconIndex", 0x40030006, Variant(std::int16_t{-1})},
    {"bSelected", 0x40030007, Variant(false)},
    {"iIndent", 0x40030008, Variant(std::int16_t{2})},
    {"iRightIndent", 0x40030009, Variant(std::int16_t{2})},
    {"eType", 0x4003000A, Variant(std::int32_t{vxCellText})},
    {"eTypeFlags", 0x4003000B, Variant(std::int32_t{0})},
    {"eHatch", 0x40030010, Variant(std::int32_t{7})},
    {"sFmtString", 0x68030003, Variant(std::string())},
    {"sCtrlKey", 0x68030001, Variant(std::string())},
};

TEST(CellObjectMemberTest, MembersKeepTheirOrderDispatchIdentifiersAndDocumentedDefaults) {
    Vexa grid;
    std::shared_ptr<Object> cell = grid.AddCol();
    ASSERT_EQ(CellObject::kMembers.size(), std::size(kPublishedMembers));
    for (std::size_t i = 0; i < std::size(kPublishedMembers); ++i) {
        const auto& member = kPublishedMembers[i];
        EXPECT_EQ(CellObject::kMembers[i].name, member.name);
        EXPECT_EQ(CellObject::DispIdOf(member.name), member.id) << member.name;
        EXPECT_EQ(CellObject::MemberOfDispId(member.id), member.name);
        EXPECT_EQ(GetMember(cell, member.name), member.initial) << member.name;
    }
    EXPECT_EQ(CellObject::DispIdOf("SFMTSTRING"), 0x68030003);  // late binding ignores case
    EXPECT_EQ(CellObject::DispIdOf("Value"), -1);
    EXPECT_EQ(CellObject::MemberOfDispId(0x4003000C), "");
    EXPECT_EQ(CellObject::MemberOfDispId(0), "");
}

TEST(CellObjectMemberTest, LateBoundLetsReachTheCellsOfNewRows) {
    Vexa grid;
    std::shared_ptr<Object> cell = grid.AddCol("a");
    PutMember(cell, "oBackColor", Variant(std::int32_t{0x112233}));
    PutMember(cell, "eTextFlags", Variant(std::int32_t{vxTextSingleLine}));
    PutMember(cell, "iExtraIconIndex", Variant(std::int16_t{4}));
    PutMember(cell, "iRightIndent", Variant(std::int16_t{9}));
    PutMember(cell, "eType", Variant(std::int32_t{vxCellCheck}));
    grid.AddRow();
    EXPECT_EQ(grid.CellBackColor(1, "a"), 0x112233u);
    EXPECT_EQ(grid.CellTextFlags(1, "a"), vxTextSingleLine);
    EXPECT_EQ(grid.CellExtraIcon(1, "a"), 4);
    EXPECT_EQ(grid.CellRightIndent(1, "a"), 9);
    EXPECT_EQ(grid.CellType(1, "a"), vxCellCheck);
    EXPECT_EQ(grid.CellValue(1, "a"), Variant(std::int32_t{0}));  // eType reset the value
    EXPECT_EQ(GetMember(cell, "vValue"), Variant(std::int32_t{0}));
    ExpectGridError([&] { PutMember(cell, "eType", Variant(std::int32_t{5})); }, 514, kInvalidArg);
    EXPECT_EQ(GetMember(cell, "eType"), Variant(std::int32_t{vxCellCheck}));
}

TEST(CellObjectMemberTest, ComboMembersWithoutComboLists) {
    Vexa grid;
    auto cell = grid.AddCol("a");
    cell->SeteType(vxCellCombo);
    cell->SetsCtrlKey("colours");  // no such list: kept as text, refers to none
    cell->SetiIconIndex(3);
    cell->SetvValue(Variant("red"));
    EXPECT_EQ(cell->sCtrlKey(), "colours");
    grid.AddRow();
    EXPECT_EQ(grid.CellType(1, "a"), vxCellCombo);
    EXPECT_EQ(grid.CellValue(1, "a"), Variant("red"));
    EXPECT_EQ(grid.CellCtrlKey(1, "a"), "");
    EXPECT_EQ(grid.CellText(1, "a"), "");
    EXPECT_EQ(grid.CellIcon(1, "a"), 3);  // from the default cell: no item was matched

    // Addressing the cell's combo members finds no list and no item.
    grid.SetCellValue(1, "a", Variant("blue"));
    EXPECT_EQ(grid.CellIcon(1, "a"), -1);
    grid.SetCellIcon(1, "a", 5);
    grid.SetCellCtrlKey(1, "a", "colours");
    EXPECT_EQ(grid.CellIcon(1, "a"), -1);
    EXPECT_EQ(grid.CellCtrlKey(1, "a"), "");
}

}  // namespace
}  // namespace vexa::test
