// Sorting a grid through its public members: Sort's arguments, CustomSort answers from
// connected sinks, group rows and the failures that must leave the grid whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "vexa/vexa.h"

namespace vexa {
namespace {

constexpr std::int32_t kSubscriptOutOfRange = static_cast<std::int32_t>(0x80040000u + 513);

class GridSortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid.AddCol("num");
        grid.AddCol({.sKey = "name", .eSortType = vxSortByTextNoCase});
    }
    void Fill(std::initializer_list<std::pair<Variant, std::string>> rows,
              std::vector<int> groupRows = {}) {
        for (const auto& [number, name] : rows) {
            const bool group =
                std::count(groupRows.begin(), groupRows.end(), grid.RowCount() + 1) > 0;
            grid.AddRow({.bGroupRow = group});
            grid.SetCellValue(grid.RowCount(), "num", number);
            grid.SetCellValue(grid.RowCount(), "name", name);
        }
    }
    std::string Names() {
        std::string names;
        for (std::int32_t r = 1; r <= grid.RowCount(); ++r) {
            names += grid.CellValue(r, "name").ToString();
        }
        return names;
    }
    Vexa grid;
};

TEST_F(GridSortTest, ASingleColumnSortsAscendingByItsSortType) {
    Fill({{3, "c"}, {1, "B"}, {Variant::Null(), "n"}, {2, "a"}});
    grid.Sort("num");
    EXPECT_EQ(Names(), "nBac");
    grid.Sort("name");
    EXPECT_EQ(Names(), "aBcn");
    ShellSortObject& criteria = grid.SortObject();
    EXPECT_EQ(criteria.ColCount(), 1);
    EXPECT_EQ(criteria.SortCol(1), 2);
    EXPECT_EQ(criteria.SortType(1), vxSortByTextNoCase);
    EXPECT_EQ(criteria.SortOrder(1), vxSortAsc);
}

TEST_F(GridSortTest, DescendingAndMultiCriteriaThroughTheSortObject) {
    Fill({{1, "b"}, {2, "x"}, {1, "a"}, {2, "y"}});
    ShellSortObject& criteria = grid.SortObject();
    criteria.SetColCount(2);
    criteria.SetSortOrder(1, vxSortDesc);
    criteria.SetSortType(2, vxSortByText);
    grid.Sort();
    EXPECT_EQ(Names(), "xyab");
}

TEST_F(GridSortTest, AnArrayOfColumnsSetsOneAscendingCriterionEach) {
    Fill({{1, "b"}, {0, "b"}, {2, "a"}});
    grid.Sort(Variant(std::vector<Variant>{Variant("name"), Variant(1)}));
    EXPECT_EQ(Names(), "abb");
    EXPECT_EQ(grid.CellValue(2, "num").ToLong(), 0);
    EXPECT_EQ(grid.SortObject().ColCount(), 2);
    EXPECT_EQ(grid.SortObject().SortCol(2), 1);
}

TEST_F(GridSortTest, ColumnsThatDoNotResolveRaise513AndMoveNothing) {
    Fill({{2, "b"}, {1, "a"}});
    grid.SortObject().SetColCount(3);
    for (const Variant& bad : {Variant("nope"), Variant(9),
                               Variant(std::vector<Variant>{Variant(1), Variant("nope")})}) {
        try {
            grid.Sort(bad);
            FAIL() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.Number(), kSubscriptOutOfRange);
        }
    }
    EXPECT_EQ(Names(), "ba");
    EXPECT_EQ(grid.SortObject().ColCount(), 3);
}

TEST_F(GridSortTest, CustomSortAsksConnectedSinks) {
    struct ByLength : VexaEvents {
        void CustomSort(Variant& v1, Variant& v2, bool& bIsGreater) override {
            ++calls;
            bIsGreater = v1.ToString().size() > v2.ToString().size();
        }
        int calls = 0;
    } sink;
    grid.Advise(&sink);
    Fill({{0, "ccc"}, {0, "a"}, {0, "bb"}, {0, "dddd"}});
    grid.SortObject().SetColCount(1);
    grid.SortObject().SetSortCol(1, 2);
    grid.SortObject().SetSortType(1, vxSortByCustomer);
    grid.Sort();
    EXPECT_EQ(Names(), "abbcccdddd");
    EXPECT_GT(sink.calls, 0);
    grid.Unadvise(&sink);
}

TEST_F(GridSortTest, AThrowingCustomSortLeavesEveryRowOnce) {
    struct Failing : VexaEvents {
        void CustomSort(Variant&, Variant&, bool&) override {
            if (++calls % 3 == 0) throw std::runtime_error("host failure");
        }
        int calls = 0;
    } sink;
    grid.Advise(&sink);
    Fill({{0, "e"}, {0, "d"}, {0, "c"}, {0, "b"}, {0, "a"}, {0, "f"}});
    grid.SortObject().SetColCount(1);
    grid.SortObject().SetSortCol(1, 2);
    grid.SortObject().SetSortType(1, vxSortByCustomer);
    EXPECT_NO_THROW(grid.Sort());
    std::string names = Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, "abcdef");
    grid.Unadvise(&sink);
}

TEST_F(GridSortTest, GroupRowsStayInPlace) {
    Fill({{0, "G"}, {3, "c"}, {1, "a"}, {2, "b"}, {0, "H"}, {9, "z"}, {7, "x"}, {8, "y"}}, {1, 5});
    grid.Sort("num");
    EXPECT_EQ(Names(), "GabcHxyz");
}

TEST_F(GridSortTest, EmptyGridsChangeOnlyTheCriteria) {
    EXPECT_NO_THROW(grid.Sort("name"));
    EXPECT_EQ(grid.SortObject().SortCol(1), 2);
    EXPECT_EQ(grid.RowCount(), 0);
}

TEST_F(GridSortTest, RowKeysFollowTheirRows) {
    Fill({{2, "b"}, {1, "a"}});
    grid.SetRowKey(1, "second");
    grid.Sort("num");
    EXPECT_EQ(grid.RowIndex("second"), 2);
    EXPECT_EQ(grid.CellValue("second", "name").ToString(), "b");
}

}  // namespace
}  // namespace vexa
