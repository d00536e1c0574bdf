// The column default cell as late-bound hosts see it: member names, dispatch identifiers,
// the defaults of a new column and the combo members while no combo list exists.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "StoreTestSupport.h"
#include "vexa/model/CellObject.h"

namespace vexa {
namespace {

using test::ExpectGridError;
using test::kInvalidArg;

const std::vector<std::pair<std::string, std::int32_t>> kPublishedMembers = {
    {"vValue", 0x40030000},          {"oBackColor", 0x40030001}, {"oForeColor", 0x40030002},
    {"oFont", 0x40030003},           {"eTextFlags", 0x40030004}, {"iIconIndex", 0x40030005},
    {"iExtraIconIndex", 0x40030006}, {"bSelected", 0x40030007},  {"iIndent", 0x40030008},
    {"iRightIndent", 0x40030009},    {"eType", 0x4003000A},      {"eTypeFlags", 0x4003000B},
    {"eHatch", 0x40030010},          {"sFmtString", 0x68030003}, {"sCtrlKey", 0x68030001},
};

TEST(CellObjectMemberTest, MembersKeepTheirOrderAndDispatchIdentifiers) {
    ASSERT_EQ(CellObject::kMembers.size(), kPublishedMembers.size());
    for (std::size_t i = 0; i < kPublishedMembers.size(); ++i) {
        const auto& [name, id] = kPublishedMembers[i];
        EXPECT_EQ(CellObject::kMembers[i].name, name);
        EXPECT_EQ(CellObject::DispIdOf(name), id) << name;
        EXPECT_EQ(CellObject::MemberOfDispId(id), name);
    }
    EXPECT_EQ(CellObject::DispIdOf("SFMTSTRING"), 0x68030003);  // late binding ignores case
    EXPECT_EQ(CellObject::DispIdOf("Value"), -1);
    EXPECT_EQ(CellObject::MemberOfDispId(0x4003000C), "");
    EXPECT_EQ(CellObject::MemberOfDispId(0), "");
}

TEST(CellObjectMemberTest, ANewColumnsDefaultCellHoldsTheDocumentedDefaults) {
    Vexa grid;
    std::shared_ptr<Object> cell = grid.AddCol();
    EXPECT_EQ(GetMember(cell, "vValue"), Variant(std::string()));
    EXPECT_EQ(GetMember(cell, "oBackColor"), Variant(std::int32_t{-1}));
    EXPECT_EQ(GetMember(cell, "oForeColor"), Variant(std::int32_t{-1}));
    const Variant font = GetMember(cell, "oFont");
    EXPECT_TRUE(font.IsObject());
    EXPECT_EQ(font.ToObject(), nullptr);  // Nothing
    EXPECT_EQ(GetMember(cell, "eTextFlags"), Variant(std::int32_t{32800}));
    EXPECT_EQ(GetMember(cell, "iIconIndex"), Variant(std::int16_t{-1}));
    EXPECT_EQ(GetMember(cell, "iExtraIconIndex"), Variant(std::int16_t{-1}));
    EXPECT_EQ(GetMember(cell, "bSelected"), Variant(false));
    EXPECT_EQ(GetMember(cell, "iIndent"), Variant(std::int16_t{2}));
    EXPECT_EQ(GetMember(cell, "iRightIndent"), Variant(std::int16_t{2}));
    EXPECT_EQ(GetMember(cell, "eType"), Variant(std::int32_t{vxCellText}));
    EXPECT_EQ(GetMember(cell, "eTypeFlags"), Variant(std::int32_t{0}));
    EXPECT_EQ(GetMember(cell, "eHatch"), Variant(std::int32_t{7}));
    EXPECT_EQ(GetMember(cell, "sFmtString"), Variant(std::string()));
    EXPECT_EQ(GetMember(cell, "sCtrlKey"), Variant(std::string()));
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
}  // namespace vexa
