// Cell fonts: the live font CellFont hands out, the cell-font table, and default-cell fonts.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "StoreTestSupport.h"
#include "vexa/model/CellFontTable.h"
#include "vexa/model/CellObject.h"
#include "vexa/model/CellValues.h"
#include "vexa/model/FormatStringTable.h"
#include "vexa/model/GridStore.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa::test {
namespace {

using CellFontTest = TwoColumnGrid<2>;

TEST_F(CellFontTest, AFreshCellShowsACopyOfTheGridFont) {
    auto font = grid.CellFont(1, 1);
    ASSERT_TRUE(font);
    EXPECT_TRUE(font->IsEqual(*Font::Create()));
    EXPECT_FALSE(font->Bold());
}

TEST_F(CellFontTest, ChangingTheLiveFontChangesOnlyTheCellAddressedLast) {
    grid.CellFont(1, 1)->SetBold(true);
    EXPECT_TRUE(grid.CellFont(1, 1)->Bold());
    EXPECT_FALSE(grid.CellFont(1, 2)->Bold());
    EXPECT_FALSE(grid.CellFont(2, 1)->Bold());

    // The object is the same live font for every cell; it follows the cell read last.
    auto live = grid.CellFont(2, 2);
    live->SetItalic(true);
    EXPECT_TRUE(grid.CellFont(2, 2)->Italic());
    EXPECT_FALSE(grid.CellFont(2, 2)->Bold());
    EXPECT_TRUE(grid.CellFont(1, 1)->Bold());
    EXPECT_FALSE(grid.CellFont(1, 1)->Italic());
}

// Which cell the live font handed out for cell (1, 2) changes after another call.
TEST(CellFontRetargetTest, AnyCellMemberRetargetsTheLiveFontAndNothingElseDoes) {
    const struct {
        const char* name;
        std::function<void(Vexa&)> call;
        std::pair<int, int> target;
    } cases[] = {
        {"row member", [](Vexa& g) { g.SetRowHeight(2, 30); }, {1, 2}},
        {"column member", [](Vexa& g) { g.ColWidth("b"); }, {1, 2}},
        {"cell value", [](Vexa& g) { g.CellValue(2, 1); }, {2, 1}},
        {"cell font", [](Vexa& g) { g.CellFont(2, 1); }, {2, 1}},
        // A failed call leaves it alone, even when its column was fine and its row not.
        {"bad row",
         [](Vexa& g) { ExpectGridError([&] { g.CellValue(3, 1); }, 513, kSubscript); },
         {1, 2}},
        {"bad column",
         [](Vexa& g) { ExpectGridError([&] { g.SetCellIndent(1, "zz", 4); }, 513, kSubscript); },
         {1, 2}},
    };
    for (const auto& c : cases) {
        Vexa grid;
        grid.AddCol("a");
        grid.AddCol("b");
        grid.SetRowCount(2);
        auto live = grid.CellFont(1, 2);
        c.call(grid);
        live->SetItalic(true);
        for (int row = 1; row <= 2; ++row)
            for (int col = 1; col <= 2; ++col)
                EXPECT_EQ(grid.CellFont(row, col)->Italic(), std::pair(row, col) == c.target)
                    << c.name << " at " << row << "," << col;
    }
}

TEST_F(CellFontTest, LetStoresACopyAndDefaultFontRestoresTheGridFont) {
    auto font = Font::Create();
    font->SetName("DejaVu Serif");
    font->SetSize(12);
    grid.SetCellFont(1, 2, font);
    font->SetSize(20);  // the cell keeps what it was given
    auto shown = grid.CellFont(1, 2);
    EXPECT_EQ(shown->Name(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(shown->Size(), 12.0);
    EXPECT_NE(shown, font);

    grid.CellDefaultFont(1, 2);
    EXPECT_TRUE(grid.CellFont(1, 2)->IsEqual(*Font::Create()));
}

TEST_F(CellFontTest, RefusedFontCallsChangeNothing) {
    grid.CellFont(1, 1)->SetBold(true);
    EXPECT_THROW(grid.SetCellFont(1, 1, nullptr), Error);
    ExpectGridError([&] { grid.SetCellFont(3, 1, Font::Create()); }, 513, kSubscript);
    ExpectGridError([&] { grid.CellDefaultFont(1, 9); }, 513, kSubscript);
    EXPECT_TRUE(grid.CellFont(1, 1)->Bold());
}

TEST_F(CellFontTest, LiveFontChangesAfterTheCellWentAreHarmless) {
    auto live = grid.CellFont(2, 2);
    grid.RemoveCol("b");
    live->SetBold(true);
    EXPECT_FALSE(grid.CellFont(2, 1)->Bold());
    grid.CellFont(2, 1);  // re-address a cell that still exists
    live->SetBold(false);
    live->SetUnderline(true);
    EXPECT_TRUE(grid.CellFont(2, 1)->Underline());
}

TEST_F(CellFontTest, DefaultCellFontReachesNewRowsAsItIsWhenTheRowIsMade) {
    auto font = Font::Create();
    auto cell = grid.ColDefaultCell("b");
    cell->SetoFont(font);
    EXPECT_EQ(cell->oFont(), font);
    font->SetItalic(true);  // changed after it was handed over
    grid.AddRow();
    EXPECT_TRUE(grid.CellFont(3, 2)->Italic());
    EXPECT_FALSE(grid.CellFont(3, 1)->Italic());  // the other column's default cell
    EXPECT_FALSE(grid.CellFont(1, 2)->Italic());  // existing cells keep theirs
    font->SetItalic(false);
    font->SetUnderline(true);
    grid.SetRowCount(4);
    EXPECT_TRUE(grid.CellFont(4, 2)->Underline());
    EXPECT_FALSE(grid.CellFont(4, 2)->Italic());
    EXPECT_TRUE(grid.CellFont(3, 2)->Italic());  // cells made earlier keep what they took
    EXPECT_FALSE(grid.CellFont(3, 2)->Underline());

    cell->SetoFont(nullptr);  // no font: new cells use the grid font again
    grid.AddRow();
    EXPECT_TRUE(grid.CellFont(5, 2)->IsEqual(*Font::Create()));
}

TEST(CellFontSharingTest, EqualDefaultCellFontsShareOneEntry) {
    GridStore store;
    CellValues values(store, nullptr);
    auto first = values.CreateDefaultCell();
    auto second = values.CreateDefaultCell();
    auto a = Font::Create();
    a->SetSize(11);
    auto b = Font::Create();
    b->SetSize(11);
    first->SetoFont(a);
    second->SetoFont(b);
    CellRecord fromFirst, fromSecond, plain;
    values.InitCellFromDefault(*first, fromFirst);
    values.InitCellFromDefault(*second, fromSecond);
    values.InitCellFromDefault(*values.CreateDefaultCell(), plain);
    EXPECT_EQ(fromFirst.fontIndex, 1);
    EXPECT_EQ(fromSecond.fontIndex, 1);
    EXPECT_EQ(plain.fontIndex, 0);
    EXPECT_EQ(values.Fonts().Count(), 1);

    b->SetItalic(true);
    values.InitCellFromDefault(*second, fromSecond);
    values.InitCellFromDefault(*first, fromFirst);
    EXPECT_EQ(fromSecond.fontIndex, 2);
    EXPECT_EQ(fromFirst.fontIndex, 1);
    EXPECT_EQ(values.Fonts().Count(), 2);
    EXPECT_TRUE(values.Fonts().At(2)->Italic());
    EXPECT_FALSE(values.Fonts().At(1)->Italic());
}

TEST_F(CellFontTest, CellsOutliveTheLiveFontsHolder) {
    std::shared_ptr<Font> live;
    {
        Vexa other;
        other.AddCol();
        other.AddRow();
        live = other.CellFont(1, 1);
    }
    EXPECT_NO_THROW(live->SetBold(true));
    EXPECT_TRUE(live->Bold());
}

TEST(CellFontTableTest, EqualFontsShareTheFirstEntry) {
    CellFontTable table;
    auto a = Font::Create();
    auto b = Font::Create();
    b->SetBold(true);
    EXPECT_EQ(table.Enter(*a), 1);
    EXPECT_EQ(table.Enter(*b), 2);
    EXPECT_EQ(table.Enter(*Font::Create()), 1);
    EXPECT_EQ(table.Enter(*b), 2);
    EXPECT_EQ(table.Enter(*b), 2);
    EXPECT_EQ(table.Enter(*a), 1);
    EXPECT_EQ(table.Count(), 2);
    EXPECT_NE(table.At(1), a);  // a private copy
    EXPECT_EQ(table.HandleAt(1), table.At(1)->Handle());
    EXPECT_EQ(table.At(0), nullptr);
    EXPECT_EQ(table.At(3), nullptr);
}

TEST(FormatStringTableTest, EqualStringsShareOneEntryBinaryCompared) {
    FormatStringTable table;
    EXPECT_EQ(table.Enter("0.00"), 1);
    EXPECT_EQ(table.Enter(""), 2);  // the empty string is an entry of its own
    EXPECT_EQ(table.Enter("0.00"), 1);
    EXPECT_EQ(table.Enter("Currency"), 3);
    EXPECT_EQ(table.Enter("currency"), 4);
    EXPECT_EQ(table.At(0), "");
    EXPECT_EQ(table.At(3), "Currency");
    EXPECT_EQ(table.At(99), "");
}

TEST(FormatStringTableTest, AFullTableRaisesOverflowAndKeepsItsEntries) {
    FormatStringTable table;
    for (int i = 0; i < FormatStringTable::kMaxEntries; ++i) table.Enter(std::to_string(i));
    EXPECT_EQ(table.Enter("17"), 18);
    try {
        table.Enter("new");
        ADD_FAILURE() << "expected overflow";
    } catch (const Error& error) {
        EXPECT_EQ(error.Number(), rtOverflow);
    }
    EXPECT_EQ(table.Count(), FormatStringTable::kMaxEntries);
}

}  // namespace
}  // namespace vexa::test
