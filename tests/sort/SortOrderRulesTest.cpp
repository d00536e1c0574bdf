// The exact orders the grid's sort produces: the 3h+1 Shell sort with rows that compare
// equal, the variant ordering of values, the host's custom answers and the comparisons that
// end the sort early while the rest of the sort still runs.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "vexa/vexa.h"

namespace vexa {
namespace {

class SortOrderRulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid.AddCol("key");
        grid.AddCol("id");
    }
    // One row per key; column "id" holds the row's original number.
    void Fill(const std::vector<Variant>& keys) {
        for (const Variant& key : keys) {
            grid.AddRow();
            grid.SetCellValue(grid.RowCount(), "key", key);
            grid.SetCellValue(grid.RowCount(), "id", grid.RowCount());
        }
    }
    std::vector<int> Order() {
        std::vector<int> order;
        for (std::int32_t r = 1; r <= grid.RowCount(); ++r) {
            order.push_back(int(grid.CellValue(r, "id").ToLong()));
        }
        return order;
    }
    void CustomCriterion(ESortOrders order) {
        grid.SortObject().SetColCount(1);
        grid.SortObject().SetSortCol(1, 1);
        grid.SortObject().SetSortOrder(1, order);
        grid.SortObject().SetSortType(1, vxSortByCustomer);
    }
    Vexa grid;
};

TEST_F(SortOrderRulesTest, EqualRowsMoveAsTheGapSequenceMovesThem) {
    // Five rows: gap 4 moves row 1 to the end past three equal rows; gap 1 keeps it there.
    Fill({1, 1, 1, 1, 0});
    grid.Sort("key");
    EXPECT_EQ(Order(), (std::vector<int>{5, 2, 3, 4, 1}));
}

TEST_F(SortOrderRulesTest, FourteenRowsStartWithGapThirteen) {
    // Gap 13 swaps rows 1 and 14; gaps 4 and 1 find everything else in order.
    std::vector<Variant> keys(13, Variant(1));
    keys.push_back(Variant(0));
    Fill(keys);
    grid.Sort("key");
    std::vector<int> expected{14};
    for (int r = 2; r <= 13; ++r) expected.push_back(r);
    expected.push_back(1);
    EXPECT_EQ(Order(), expected);
}

TEST_F(SortOrderRulesTest, TwoEqualRowsSwapOnEverySortThreeStay) {
    Fill({7, 7});
    grid.Sort("key");
    EXPECT_EQ(Order(), (std::vector<int>{2, 1}));
    grid.Sort("key");
    EXPECT_EQ(Order(), (std::vector<int>{1, 2}));
    grid.AddRow();
    grid.SetCellValue(3, "key", 7);
    grid.SetCellValue(3, "id", 3);
    grid.Sort("key");
    EXPECT_EQ(Order(), (std::vector<int>{1, 2, 3}));
}

TEST_F(SortOrderRulesTest, ValuesOrderByTheVariantRules) {
    // Null first; Booleans (True = -1), currency, dates and integers as numbers; every
    // number before every string; strings by character code.
    Fill({Variant("b"), Variant(true), Variant(2), Variant::Date(1.5), Variant("B"),
          Variant::Null(), Variant(std::int16_t(-3)), Variant::Currency(5000)});
    grid.Sort("key");
    EXPECT_EQ(Order(), (std::vector<int>{6, 7, 2, 8, 4, 3, 5, 1}));
    grid.SortObject().SetSortOrder(1, vxSortDesc);
    grid.Sort();
    EXPECT_EQ(Order(), (std::vector<int>{1, 5, 3, 4, 8, 2, 7, 6}));
}

TEST_F(SortOrderRulesTest, CustomSortPassesTheCandidateFirstAscendingAndSecondDescending) {
    struct Recorder : VexaEvents {
        void CustomSort(Variant& v1, Variant& v2, bool& bIsGreater) override {
            calls.push_back(v1.ToString() + v2.ToString() + (bIsGreater ? "!" : ""));
            bIsGreater = v1.ToString() > v2.ToString();
        }
        std::vector<std::string> calls;
    } host;
    grid.Advise(&host);
    Fill({"b", "a"});
    CustomCriterion(vxSortAsc);
    grid.Sort();
    // Row 1 is held aside: v1 is its value, and "greater" means it belongs after row 2.
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ba"}));
    EXPECT_EQ(Order(), (std::vector<int>{2, 1}));

    host.calls.clear();
    CustomCriterion(vxSortDesc);
    grid.Sort();
    // Descending swaps the arguments: v1 is row 2's value ("b"), v2 the candidate's ("a").
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ba"}));
    EXPECT_EQ(Order(), (std::vector<int>{1, 2}));
    grid.Unadvise(&host);
}

TEST_F(SortOrderRulesTest, CustomSortAnsweringNotGreaterKeepsTwoRowsInPlace) {
    struct NeverGreater : VexaEvents {
        void CustomSort(Variant&, Variant&, bool&) override { ++calls; }
        int calls = 0;
    } host;
    grid.Advise(&host);
    Fill({"x", "x"});
    CustomCriterion(vxSortAsc);
    grid.Sort();
    grid.Sort();
    EXPECT_EQ(Order(), (std::vector<int>{1, 2}));
    EXPECT_EQ(host.calls, 2);
    grid.Unadvise(&host);
}

TEST_F(SortOrderRulesTest, AFailingCustomSortEndsTheSortAtOnce) {
    struct FailsAt : VexaEvents {
        void CustomSort(Variant& v1, Variant& v2, bool& bIsGreater) override {
            if (++calls == failAt) throw std::runtime_error("host failure");
            bIsGreater = v1.ToString() > v2.ToString();
        }
        int failAt = 0;
        int calls = 0;
    } host;
    grid.Advise(&host);
    for (int failAt : {1, 3}) {
        grid.Clear(false);
        Fill({"e", "d", "c", "b", "a", "f"});
        grid.SetRowKey(1, "first");
        host.failAt = failAt;
        host.calls = 0;
        CustomCriterion(vxSortAsc);
        EXPECT_NO_THROW(grid.Sort());
        EXPECT_EQ(host.calls, failAt) << "no comparison after the failing one";
        if (failAt == 1) {
            EXPECT_EQ(Order(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
            EXPECT_EQ(grid.RowIndex("first"), 1);
        } else {
            // Gap 4 moved "a" before "e"; the failure came at the first comparison of gap 1,
            // whose candidate went back to its place.
            EXPECT_EQ(Order(), (std::vector<int>{5, 2, 3, 4, 1, 6}));
            // The key index was rebuilt after the abandoned sort.
            EXPECT_EQ(grid.RowIndex("first"), 5);
        }
    }
    grid.Unadvise(&host);
}

TEST_F(SortOrderRulesTest, AMissingColumnMattersOnlyWhenItsCriterionIsReached) {
    Fill({3, 1, 2});
    ShellSortObject& criteria = grid.SortObject();
    criteria.SetColCount(2);
    criteria.SetSortCol(1, 1);
    criteria.SetSortCol(2, 9);
    // The first criterion never compares equal, so the second is never consulted.
    EXPECT_NO_THROW(grid.Sort());
    EXPECT_EQ(Order(), (std::vector<int>{2, 3, 1}));

    criteria.SetSortCol(1, 9);
    criteria.SetSortOrder(2, vxSortDesc);
    criteria.SetSortCol(2, 1);
    EXPECT_NO_THROW(grid.Sort());
    EXPECT_EQ(Order(), (std::vector<int>{2, 3, 1}));
}

TEST_F(SortOrderRulesTest, WithoutCriteriaTheRowsKeepTheirOrder) {
    Fill({3, 1, 2});
    grid.SortObject().SetColCount(0);
    grid.Sort();
    EXPECT_EQ(Order(), (std::vector<int>{1, 2, 3}));
    grid.Sort(Variant(std::vector<Variant>{}));
    EXPECT_EQ(grid.SortObject().ColCount(), 0);
    EXPECT_EQ(Order(), (std::vector<int>{1, 2, 3}));
}

TEST_F(SortOrderRulesTest, ARowMovesWithItsRecordAndAllItsCells) {
    Fill({2, 1, 3});
    grid.SetRowHeight(1, 40);
    grid.SetRowTag(1, "two");
    grid.SetRowVisible(2, false);
    grid.SetCellBackColor(1, "id", 0x123456);
    grid.Sort("key");
    EXPECT_EQ(Order(), (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(grid.RowHeight(2), 40);
    EXPECT_EQ(grid.RowTag(2).ToString(), "two");
    EXPECT_FALSE(grid.RowVisible(1));
    EXPECT_TRUE(grid.RowVisible(2));
    EXPECT_EQ(grid.CellBackColor(2, "id"), 0x123456u);
    EXPECT_NE(grid.CellBackColor(1, "id"), 0x123456u);
}

TEST_F(SortOrderRulesTest, TextSortsCompareTheDisplayedText) {
    Fill({10, 5, 100});
    grid.SortObject().SetColCount(1);
    grid.SortObject().SetSortType(1, vxSortByText);
    grid.Sort();
    EXPECT_EQ(Order(), (std::vector<int>{1, 3, 2}));  // "10" < "100" < "5"
    for (std::int32_t r = 1; r <= 3; ++r) grid.SetCellFmtString(r, "key", "000");
    grid.Sort();
    EXPECT_EQ(Order(), (std::vector<int>{2, 1, 3}));  // "005" < "010" < "100"
}

TEST_F(SortOrderRulesTest, MoreColumnsThanCriteriaCanHoldAreRefusedBeforeAnythingChanges) {
    Fill({2, 1});
    grid.SortObject().SetColCount(2);
    try {
        grid.Sort(Variant(std::vector<Variant>(70000, Variant(1))));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Number(), static_cast<std::int32_t>(0x80040000u + 514));
    }
    EXPECT_EQ(grid.SortObject().ColCount(), 2);
    EXPECT_EQ(Order(), (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace vexa
