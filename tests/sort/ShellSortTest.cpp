#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "sort/SortTestSupport.h"
#include "vexa/system/automation/Error.h"

namespace vexa {
namespace {

using testing::RecordingCallbacks;
using testing::SortFixture;

class ShellSortTest : public ::testing::Test {
  protected:
    void Criteria(std::initializer_list<SortCriterion> criteria) {
        sorter.SetColCount(std::int16_t(criteria.size()));
        std::int16_t k = 1;
        for (const SortCriterion& c : criteria) {
            sorter.SetSortCol(k, c.col);
            sorter.SetSortOrder(k, c.order);
            sorter.SetSortType(k, c.type);
            ++k;
        }
    }
    std::int32_t Sort(SortFixture& grid, std::int32_t tracked = 0) {
        callbacks.store = &grid.store;
        return sorter.SortRows(grid.store, grid.store.GroupRowCount() > 0, callbacks, tracked);
    }

    ShellSortObject sorter;
    RecordingCallbacks callbacks;
};

TEST_F(ShellSortTest, CriteriaGrowWithDefaultsAndRejectBadIndices) {
    sorter.SetColCount(3);
    for (std::int16_t k = 1; k <= 3; ++k) {
        EXPECT_EQ(sorter.SortCol(k), k);
        EXPECT_EQ(sorter.SortOrder(k), vxSortAsc);
        EXPECT_EQ(sorter.SortType(k), vxSortByValue);
    }
    sorter.SetSortType(2, vxSortByIcon);
    sorter.SetColCount(4);
    EXPECT_EQ(sorter.SortType(2), vxSortByIcon);
    EXPECT_THROW(sorter.SortCol(5), Error);
    EXPECT_THROW(sorter.SetSortOrder(0, vxSortDesc), Error);
    EXPECT_THROW(sorter.SetColCount(-1), Error);
    EXPECT_EQ(sorter.ColCount(), 4);
}

TEST_F(ShellSortTest, ValuesAscendingAndDescendingWithNullsFirstThenLast) {
    SortFixture grid;
    for (Variant v : {Variant(5), Variant::Null(), Variant(-2), Variant("b"), Variant(3.5),
                      Variant("a"), Variant()}) {
        grid.AddRow({v});
    }
    Criteria({{1, vxSortAsc, vxSortByValue}});
    Sort(grid);
    // Null, then numbers with Empty as 0, then strings.
    EXPECT_EQ(grid.Order(), (std::vector<int>{2, 3, 7, 5, 1, 6, 4}));
    Criteria({{1, vxSortDesc, vxSortByValue}});
    Sort(grid);
    EXPECT_EQ(grid.Order(), (std::vector<int>{4, 6, 1, 5, 7, 3, 2}));
}

// A single meets a double at the single's precision, as the variant comparison has it: 1 as
// a single equals both doubles beside it, so nothing moves.
TEST_F(ShellSortTest, SinglesMeetDoublesAtSinglePrecision) {
    SortFixture grid;
    for (Variant v : {Variant(1 + 1e-8), Variant(1.0f), Variant(1 + 2e-8)}) grid.AddRow({v});
    Criteria({{1, vxSortAsc, vxSortByValue}});
    Sort(grid);
    EXPECT_EQ(grid.Order(), (std::vector<int>{1, 2, 3}));
}

TEST_F(ShellSortTest, EqualRowsPairsSwapButTriplesStay) {
    SortFixture pair;
    pair.AddRow({1});
    pair.AddRow({1});
    Criteria({{1, vxSortAsc, vxSortByValue}});
    Sort(pair);
    EXPECT_EQ(pair.Order(), (std::vector<int>{2, 1}));
    Sort(pair);
    EXPECT_EQ(pair.Order(), (std::vector<int>{1, 2}));

    SortFixture triple;
    for (int i = 0; i < 3; ++i) triple.AddRow({7});
    Sort(triple);
    EXPECT_EQ(triple.Order(), (std::vector<int>{1, 2, 3}));
}

TEST_F(ShellSortTest, SecondCriterionDecidesTiesButANullDecidesAlone) {
    SortFixture grid(2);
    grid.AddRow({1, "z"});
    grid.AddRow({0, "y"});
    grid.AddRow({1, "a"});
    grid.AddRow({Variant::Null(), "m"});
    grid.AddRow({0, "b"});
    Criteria({{1, vxSortAsc, vxSortByValue}, {2, vxSortDesc, vxSortByText}});
    Sort(grid);
    EXPECT_EQ(grid.Order(), (std::vector<int>{4, 2, 5, 1, 3}));
}

TEST_F(ShellSortTest, TextsWithAndWithoutCase) {
    SortFixture grid;
    for (const char* t : {"beta", "Alpha", "alpha2", "Beta0"}) grid.AddRow({t});
    Criteria({{1, vxSortAsc, vxSortByText}});
    Sort(grid);
    EXPECT_EQ(grid.Order(), (std::vector<int>{2, 4, 3, 1}));  // capitals first by code
    Criteria({{1, vxSortAsc, vxSortByTextNoCase}});
    Sort(grid);
    EXPECT_EQ(grid.Order(), (std::vector<int>{2, 3, 1, 4}));
    // A row's text is built once per sort, not twice per comparison.
    EXPECT_LE(callbacks.textRequests, 8);
}

TEST_F(ShellSortTest, CaseBlindTextsOrderAsTheCaseBlindComparisonDoes) {
    // Accented capitals, a sharp s and texts that differ only in case beyond ASCII.
    const std::vector<std::string> texts = {"zeta",
                                            "\xC3\x89lan",
                                            "\xC3\xA9"
                                            "clair",
                                            "Apfel",
                                            "\xC3\x84pfel",
                                            "stra\xC3\x9F"
                                            "e2",
                                            "STRASSE1",
                                            "\xC3\x96l"};
    SortFixture grid;
    for (const std::string& t : texts) grid.AddRow({Variant(t)});
    Criteria({{1, vxSortAsc, vxSortByTextNoCase}});
    Sort(grid);
    std::vector<std::string> sorted;
    for (int original : grid.Order()) sorted.push_back(texts[std::size_t(original - 1)]);
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        EXPECT_LT(CompareText(sorted[i - 1], sorted[i], true), 0)
            << sorted[i - 1] << " / " << sorted[i];
    }
    // The sharp s folds to "ss": "strasse2" in any spelling follows "STRASSE1" directly.
    EXPECT_EQ(
        sorted[std::size_t(std::find(sorted.begin(), sorted.end(), "STRASSE1") - sorted.begin()) +
               1],
        "stra\xC3\x9F"
        "e2");
}

TEST_F(ShellSortTest, EveryAttributeSortOrdersByItsField) {
    struct Case {
        ESortTypes type;
        void (*set)(CellRecord&, int);
    };
    const Case cases[] = {
        {vxSortByIcon, [](CellRecord& c, int v) { c.icon = std::int16_t(v); }},
        {vxSortByExtraIcon, [](CellRecord& c, int v) { c.extraIcon = std::int16_t(v); }},
        {vxSortByForeColor, [](CellRecord& c, int v) { c.foreColor = OLE_COLOR(v); }},
        {vxSortByBackColor, [](CellRecord& c, int v) { c.backColor = OLE_COLOR(v); }},
        {vxSortByFontIndex, [](CellRecord& c, int v) { c.fontIndex = std::int16_t(v); }},
        {vxSortBySelected, [](CellRecord& c, int v) { c.SetFlag(kCellSelected, v % 2 == 1); }},
        {vxSortByIndentation, [](CellRecord& c, int v) { c.indent = std::int16_t(v); }},
        {vxSortByHatch, [](CellRecord& c, int v) { c.hatch = std::uint8_t(v); }},
    };
    const int fields[] = {3, 1, 4, 2};
    for (const Case& test : cases) {
        SortFixture grid;
        for (int i = 0; i < 4; ++i) grid.AddRow({0});
        for (int r = 1; r <= 4; ++r) test.set(grid.store.Cell(1, r), fields[r - 1]);
        Criteria({{1, vxSortDesc, test.type}});
        Sort(grid);
        if (test.type == vxSortBySelected) {
            // Selected (odd) cells first when descending; the two groups keep no fixed order.
            const auto order = grid.Order();
            EXPECT_TRUE(fields[order[0] - 1] % 2 == 1 && fields[order[1] - 1] % 2 == 1);
        } else {
            EXPECT_EQ(grid.Order(), (std::vector<int>{3, 1, 4, 2})) << test.type;
        }
    }
}

TEST_F(ShellSortTest, ColoursOrderByTheWrappedDifference) {
    SortFixture grid;
    grid.AddRow({0});
    grid.AddRow({0});
    grid.AddRow({0});
    grid.store.Cell(1, 1).foreColor = 0x00000010u;
    grid.store.Cell(1, 2).foreColor = 0xFFFFFFFFu;  // the default colour, -1
    grid.store.Cell(1, 3).foreColor = 0x00000020u;
    Criteria({{1, vxSortAsc, vxSortByForeColor}});
    Sort(grid);
    // 0xFFFFFFFF - 0x10 wraps to a negative difference: the default colour comes first.
    EXPECT_EQ(grid.Order(), (std::vector<int>{2, 1, 3}));
}

TEST_F(ShellSortTest, CustomAnswersDecideAndSeeStoredValues) {
    SortFixture grid;
    for (int v : {3, 1, 2, 5, 4}) grid.AddRow({v});
    callbacks.customAnswer = [](Variant& v1, Variant& v2) { return v1.ToLong() > v2.ToLong(); };
    Criteria({{1, vxSortAsc, vxSortByCustomer}});
    Sort(grid);
    EXPECT_EQ(grid.Order(), (std::vector<int>{2, 3, 1, 5, 4}));
    Criteria({{1, vxSortDesc, vxSortByCustomer}});
    Sort(grid);
    EXPECT_EQ(grid.Order(), (std::vector<int>{4, 5, 1, 3, 2}));
    EXPECT_GT(callbacks.customCalls, 0);
}

TEST_F(ShellSortTest, AThrowingHandlerLeavesEveryRowPresentOnce) {
    for (int failAt : {1, 3, 7, 12}) {
        SortFixture grid;
        for (int v : {9, 8, 7, 6, 5, 4, 3, 2, 1}) grid.AddRow({v});
        int calls = 0;
        callbacks.customAnswer = [&](Variant& v1, Variant& v2) {
            if (++calls == failAt) throw std::runtime_error("host failure");
            return v1.ToLong() > v2.ToLong();
        };
        Criteria({{1, vxSortAsc, vxSortByCustomer}});
        EXPECT_NO_THROW(Sort(grid));
        auto order = grid.Order();
        std::sort(order.begin(), order.end());
        EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9})) << failAt;
    }
}

TEST_F(ShellSortTest, ObjectsAndMissingColumnsAbandonTheSortSafely) {
    SortFixture grid;
    grid.AddRow({3});
    grid.AddRow({Variant(std::make_shared<Object>())});
    grid.AddRow({1});
    Criteria({{1, vxSortAsc, vxSortByValue}});
    EXPECT_NO_THROW(Sort(grid));
    auto order = grid.Order();
    std::sort(order.begin(), order.end());
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));

    Criteria({{9, vxSortAsc, vxSortByValue}});
    Sort(grid);
    EXPECT_EQ(grid.Order().size(), 3u);
}

TEST_F(ShellSortTest, GroupRowsStayAndDivideSections) {
    SortFixture grid;
    const int values[] = {0, 4, 2, 3, 0, 9, 7, 8};
    for (int i = 0; i < 8; ++i) grid.AddRow({values[i]}, i == 0 || i == 4);
    Criteria({{1, vxSortAsc, vxSortByValue}});
    Sort(grid);
    EXPECT_EQ(grid.Order(), (std::vector<int>{1, 3, 4, 2, 5, 7, 8, 6}));

    SortFixture small;
    small.AddRow({2}, true);
    small.AddRow({1});
    Sort(small);
    EXPECT_EQ(small.Order(), (std::vector<int>{1, 2}));
}

TEST_F(ShellSortTest, TrackedRowFollowsItsRecord) {
    SortFixture grid;
    for (int v : {50, 10, 40, 20, 30}) grid.AddRow({v});
    Criteria({{1, vxSortAsc, vxSortByValue}});
    EXPECT_EQ(Sort(grid, 3), 4);  // 40 ends fourth
    EXPECT_EQ(grid.store.Cell(1, 4).value, Variant(40));
    EXPECT_EQ(Sort(grid, 0), 0);
}

TEST_F(ShellSortTest, LargeRangesMatchAFullOrder) {
    SortFixture grid;
    for (int i = 0; i < 500; ++i) grid.AddRow({(i * 7919) % 1000});
    Criteria({{1, vxSortAsc, vxSortByValue}});
    Sort(grid);
    for (std::int32_t r = 2; r <= 500; ++r) {
        ASSERT_LE(grid.store.Cell(1, r - 1).value.ToLong(), grid.store.Cell(1, r).value.ToLong());
    }
}

}  // namespace
}  // namespace vexa
