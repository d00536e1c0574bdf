// The layout strings: what they read for grids with moved, hidden, resized and sorted
// columns, that assigning them back restores it, that a column string which cannot be
// applied whole raises an error and changes nothing, that a sort string passes over what it
// cannot use, and that no string whatever breaks the grid.
#include <random>

#include "HeaderTestSupport.h"

using namespace vexa;
using namespace vexa::test;

namespace {

class LayoutStringTest : public HeaderOnForm {
  protected:
    // Five columns; c3 moved first, c2 hidden and widened, c4 narrowed, sorted by c5
    // descending then c1.
    void Rearrange() {
        grid().SetColOrder(3, 1);
        grid().SetColVisible(2, false);
        grid().SetColWidth(2, 90);
        grid().SetColWidth(4, 40);
        grid().DoDefaultSort(5, 0, vxSortDesc);
        grid().DoDefaultSort(1, 1);
    }
    void FillNumbers() {
        Fill({60, 60, 60, 60, 60}, 6);
        for (int row = 1; row <= 6; ++row) {
            grid().SetCellValue(row, 5, row % 3);
            grid().SetCellValue(row, 1, 10 - row);
        }
    }
    std::string Snapshot() { return grid().LayoutCol() + "/" + grid().LayoutSort(); }
};

TEST_F(LayoutStringTest, TheStringsReadAsDocumented) {
    EXPECT_EQ(grid().LayoutCol(), "");
    EXPECT_EQ(grid().LayoutSort(), "");
    Fill({100, 60}, 2);
    grid().SetColOrder(2, 1);
    grid().SetColVisible(2, false);
    EXPECT_EQ(grid().LayoutCol(),
              "1|Width|100|1|Order|2|1|Visible|1|2|Width|60|2|Order|1|2|Visible|0|");
    grid().AddCol({.sKey = "c3"});
    grid().SetColSortKey(3, 1);
    grid().SetColSortOrder(3, vxSortDesc);
    grid().SetColSortKey(1, 2);
    EXPECT_EQ(grid().LayoutSort(), "1|SortKey|2|1|SortOrder|0|3|SortKey|1|3|SortOrder|1|");
    grid().SetLayoutSort("1|SortKey|0|3|SortKey|0|");
    ClickTitle(3);
    EXPECT_EQ(grid().LayoutSort(), "3|SortKey|1|3|SortOrder|0|");
}

TEST_F(LayoutStringTest, AssigningTheSavedStringsRestoresTheLayout) {
    FillNumbers();
    Rearrange();
    const std::string columns = grid().LayoutCol(), sort = grid().LayoutSort();
    const std::vector<std::string> rows = Column(1);

    grid().Clear(true);
    FillNumbers();
    grid().SetColOrder(5, 1);
    grid().SetLayoutCol(columns);
    grid().SetLayoutSort(sort);
    EXPECT_EQ(grid().LayoutCol(), columns);
    EXPECT_EQ(grid().LayoutSort(), sort);
    EXPECT_EQ(Column(1), rows);
    EXPECT_EQ(grid().ColOrder(3), 1);
    EXPECT_FALSE(grid().ColVisible(2));
    EXPECT_EQ(grid().ColWidth(4), 40);
    ExpectTitlesOverColumns();
}

TEST_F(LayoutStringTest, StringsOfOtherColumnCountsPlaceWhatTheyDescribe) {
    Fill({50, 50, 50, 50, 50}, 1);
    // Saved from three columns: 3, 1, 2; columns 4 and 5 keep their places.
    grid().SetLayoutCol(
        "1|Width|11|1|Order|2|1|Visible|1|2|Width|12|2|Order|3|2|Visible|1|"
        "3|Width|13|3|Order|1|3|Visible|1|");
    EXPECT_EQ(grid().LayoutCol(),
              "1|Width|11|1|Order|2|1|Visible|1|2|Width|12|2|Order|3|2|Visible|1|"
              "3|Width|13|3|Order|1|3|Visible|1|4|Width|50|4|Order|4|4|Visible|1|"
              "5|Width|50|5|Order|5|5|Visible|1|");
    // Column 7 was shown third where the string was saved: the orders after it move down.
    grid().SetLayoutCol(
        "1|Width|20|1|Order|1|1|Visible|1|7|Width|70|7|Order|2|7|Visible|1|"
        "2|Width|21|2|Order|5|2|Visible|1|3|Width|22|3|Order|3|3|Visible|0|"
        "4|Width|23|4|Order|4|4|Visible|1|5|Width|24|5|Order|6|5|Visible|1|");
    EXPECT_EQ(grid().LayoutCol(),
              "1|Width|20|1|Order|1|1|Visible|1|2|Width|21|2|Order|4|2|Visible|1|"
              "3|Width|22|3|Order|2|3|Visible|0|4|Width|23|4|Order|3|4|Visible|1|"
              "5|Width|24|5|Order|5|5|Visible|1|");
    ExpectTitlesOverColumns();
}

struct Refused {
    const char* name;
    std::string firstColumn;  // the rest of the string describes columns 2 and 3 soundly
    std::int32_t code;
};

TEST_F(LayoutStringTest, AColumnStringThatCannotBeAppliedChangesNothing) {
    Fill({50, 60, 70}, 2);
    grid().SetColOrder(3, 1);
    grid().SetColVisible(1, false);
    const std::string rest = "2|Width|5|2|Order|2|2|Visible|1|3|Width|5|3|Order|3|3|Visible|1|";
    const std::vector<Refused> refused = {
        {"a width that is no number", "1|Width|wide|1|Order|1|1|Visible|1|", 514},
        {"a column that is no number", "x|Width|5|1|Order|1|1|Visible|1|", 514},
        {"a number beyond 32 bits", "1|Width|99999999999|1|Order|1|1|Visible|1|", 514},
        {"visibility that is no boolean", "1|Width|5|1|Order|1|1|Visible|maybe|", 514},
        {"order 0", "1|Width|5|1|Order|0|1|Visible|1|", 514},
        {"an order past the last column", "1|Width|5|1|Order|4|1|Visible|1|", 514},
        {"two columns at one place", "1|Width|5|1|Order|2|1|Visible|1|", 514},
        {"a column described twice", "2|Width|5|2|Order|1|2|Visible|1|", 514},
        {"an unknown name where the order goes", "1|Width|5|1|Place|1|1|Visible|1|", 514},
        {"a negative width", "1|Width|-5|1|Order|1|1|Visible|1|", 514},
        {"column 0", "0|Width|5|0|Order|1|0|Visible|1|", 513},
    };
    const std::string before = grid().LayoutCol();
    for (const Refused& r : refused) {
        ExpectGridError(
            r.code, [&] { grid().SetLayoutCol(r.firstColumn + rest); }, r.name);
        EXPECT_EQ(grid().LayoutCol(), before) << r.name;
    }
    ExpectTitlesOverColumns();
    // What may be left out or added: an unknown name, a missing width, an unfinished triple.
    grid().SetLayoutCol("1|Colour|red|1|Order|1|1|Visible|True|" + rest + "3|Width|9");
    EXPECT_EQ(grid().LayoutCol(), "1|Width|50|1|Order|1|1|Visible|1|" + rest);
}

TEST_F(LayoutStringTest, ASortStringPassesOverWhatItCannotUse) {
    Fill({50, 50, 50}, 5);
    for (int row = 1; row <= 5; ++row) grid().SetCellValue(row, 2, row);
    grid().SetLayoutSort("");
    EXPECT_EQ(Column(2).front(), "1");
    grid().SetLayoutSort(
        "x|SortKey|1|9|SortKey|1|1|SortKey|many|3|Colour|1|2|SortKey|1|2|SortOrder|1|3|SortKey|2");
    EXPECT_EQ(grid().LayoutSort(), "2|SortKey|1|2|SortOrder|1|");
    EXPECT_EQ(Column(2).front(), "5");
    // Keys of 0 unsort every column and leave the rows as they are.
    grid().SetLayoutSort("2|SortKey|0|");
    EXPECT_EQ(grid().LayoutSort(), "");
    EXPECT_EQ(Column(2).front(), "5");
    EXPECT_TRUE(log.Of("ContentsSorted").empty());
}

TEST_F(LayoutStringTest, NoStringBreaksTheGrid) {
    Fill({40, 50, 60, 70}, 3);
    grid().SetColVisible(2, false);
    const char* pieces[] = {"|",           "|",          "1",         "2",     "4",
                            "0",           "-1",         "7",         "Width", "Order",
                            "Visible",     "SortKey",    "SortOrder", "x",     " 3",
                            "99999999999", "2147483647", "",          "True"};
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 800; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
        const std::string before = Snapshot();
        try {
            grid().SetLayoutCol(text);
        } catch (const Error& error) {
            ASSERT_EQ(grid().LayoutCol() + "/" + grid().LayoutSort(), before) << text;
        }
        grid().SetLayoutSort(text);
        // Whatever happened, the grid's own strings describe it and read back unchanged.
        const std::string now = Snapshot();
        grid().SetLayoutCol(grid().LayoutCol());
        ASSERT_EQ(Snapshot(), now) << text;
    }
    ExpectTitlesOverColumns();
}

}  // namespace
