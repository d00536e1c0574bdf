// Sorts of random rows (Null, Empty, numbers, texts, many equal keys or keys that all differ,
// group rows) give exactly the order of a plain Shell sort with gaps 1, 4, 13, ... that
// compares rows one criterion at a time by the variant rules, and a custom sort asks the host
// once per comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "sort/SortTestSupport.h"
#include "vexa/system/automation/TextCollation.h"

namespace vexa {
namespace {

using testing::RecordingCallbacks;
using testing::SortFixture;

struct Answer {
    bool equal;
    bool inOrder;
};

int Sign(int v) {
    return (v > 0) - (v < 0);
}

Answer BySign(int sign, bool ascending) {
    return {sign == 0, ascending ? sign >= 0 : sign <= 0};
}

std::string TextOf(const Variant& value) {
    return value.IsNull() ? std::string() : value.ToString();
}

// How the grid compares one criterion, written from its rules rather than its code.
Answer CompareBy(const SortCriterion& c, const Variant& x, const Variant& y) {
    const bool ascending = c.order != vxSortDesc;
    if (c.type == vxSortByText) return BySign(Sign(TextOf(x).compare(TextOf(y))), ascending);
    if (c.type == vxSortByTextNoCase)
        return BySign(CompareTextNoCase(TextOf(x), TextOf(y)), ascending);
    if (x.IsNull()) return {false, !ascending};
    if (y.IsNull()) return {false, ascending};
    return BySign(CompareVariants(x, y, false), ascending);
}

using Rows = std::vector<std::vector<Variant>>;  // values of columns 1.. per original row

struct Reference {
    std::vector<int> order;
    int comparisons = 0;
};

// The Shell sort itself, section by section between group rows, counting comparisons.
Reference ShellSort(const Rows& rows, const std::vector<bool>& groupRows,
                    const std::vector<SortCriterion>& criteria) {
    Reference ref;
    for (int r = 1; r <= int(rows.size()); ++r) ref.order.push_back(r);
    auto inOrder = [&](int a, int b) {
        ++ref.comparisons;
        for (std::size_t k = 0; k < criteria.size(); ++k) {
            const int col = criteria[k].col - 1;
            const Answer answer = CompareBy(criteria[k], rows[a - 1][col], rows[b - 1][col]);
            if (!answer.equal || k + 1 == criteria.size()) return answer.inOrder;
        }
        return false;
    };
    auto sortRange = [&](int lo, int hi) {  // 0-based places
        const int n = hi - lo + 1;
        if (n == 2 && inOrder(ref.order[lo], ref.order[hi]))
            std::swap(ref.order[lo], ref.order[hi]);
        if (n <= 2) return;
        int gap = 1;
        while (3 * gap + 1 < n) gap = 3 * gap + 1;
        for (; gap > 0; gap = (gap - 1) / 3) {
            for (int i = lo + gap; i <= hi; ++i) {
                const int candidate = ref.order[i];
                int j = i - gap;
                for (; j >= lo && !inOrder(candidate, ref.order[j]); j -= gap)
                    ref.order[j + gap] = ref.order[j];
                ref.order[j + gap] = candidate;
            }
        }
    };
    const bool useGroups = std::find(groupRows.begin(), groupRows.end(), true) != groupRows.end();
    if (useGroups && rows.size() <= 2) return ref;
    int start = 0;
    for (int p = 0; useGroups && p < int(rows.size()); ++p) {
        if (!groupRows[p]) continue;
        sortRange(start, p - 1);
        start = p + 1;
    }
    sortRange(start, int(rows.size()) - 1);
    return ref;
}

// What a column holds: anything with many equal keys, numbers alone with many equal keys,
// or keys that mostly all differ (numbers of two types; ASCII texts over every character;
// texts with an accented letter here and there), where a sort may take a faster way.
enum class Values { kMixed, kNumbers, kDistinctNumbers, kDistinctTexts, kDistinctAccented };

Variant RandomValue(std::mt19937& random, Values values, int row) {
    static const char* const kTexts[] = {"apple", "Apple", "\xC3\x84pfel", "b", "B", "zeta", ""};
    if (values == Values::kDistinctNumbers) {
        const int n = int((std::int64_t(row) * 7919) % 1000003) - 500000;
        return random() % 2 ? Variant(n) : Variant(n + 0.5);
    }
    if (values == Values::kDistinctTexts || values == Values::kDistinctAccented) {
        std::string text;
        for (std::size_t n = 1 + random() % 8; n > 0; --n) text.push_back(char(1 + random() % 127));
        if (values == Values::kDistinctAccented && random() % 50 == 0) text += "\xC3\xA9";
        return Variant(text);
    }
    switch (values == Values::kNumbers ? 2 + random() % 3 : random() % 7) {
        case 0:
            return Variant::Null();
        case 1:
            return Variant();
        case 2:
            return Variant(std::int32_t(random() % 5) - 2);  // many equal keys
        case 3:
            return Variant(double(random() % 40) / 8 - 2);
        case 4:
            return Variant(std::int16_t(random() % 3));
        default:
            return Variant(kTexts[random() % 7]);
    }
}

struct Case {
    std::vector<SortCriterion> criteria;
    int rows;
    bool groups;
    Values values = Values::kMixed;
    // The first row comes again at the end: one tie among keys that otherwise all differ.
    bool repeatFirst = false;
};

class SortKeysTest : public ::testing::TestWithParam<Case> {};

TEST_P(SortKeysTest, RandomRowsSortAsTheShellSortOfTheirValues) {
    const Case& c = GetParam();
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed);
        SortFixture grid(2);
        Rows rows;
        std::vector<bool> groupRows;
        for (int r = 0; r < c.rows; ++r) {
            rows.push_back({RandomValue(random, c.values, r), RandomValue(random, c.values, r)});
            if (c.repeatFirst && r + 1 == c.rows) rows.back() = rows.front();
            groupRows.push_back(c.groups && random() % 9 == 0);
            grid.AddRow(rows.back(), groupRows.back());
        }
        ShellSortObject sorter;
        sorter.SetColCount(std::int16_t(c.criteria.size()));
        for (std::int16_t k = 1; k <= sorter.ColCount(); ++k) {
            sorter.SetSortCol(k, c.criteria[k - 1].col);
            sorter.SetSortOrder(k, c.criteria[k - 1].order);
            sorter.SetSortType(k, c.criteria[k - 1].type);
        }
        RecordingCallbacks callbacks;
        callbacks.store = &grid.store;
        // The host's custom answer is the value comparison, so both sorts must agree.
        callbacks.customAnswer = [](Variant& x, Variant& y) {
            return CompareBy({1, vxSortAsc, vxSortByValue}, x, y).inOrder;
        };
        sorter.SortRows(grid.store, grid.store.GroupRowCount() > 0, callbacks, 0);

        std::vector<SortCriterion> asCompared = c.criteria;
        for (SortCriterion& k : asCompared) {
            if (k.type == vxSortByCustomer) k.type = vxSortByValue;
        }
        const Reference expected = ShellSort(rows, groupRows, asCompared);
        ASSERT_EQ(grid.Order(), expected.order) << "seed " << seed;
        if (c.criteria.front().type == vxSortByCustomer) {
            EXPECT_EQ(callbacks.customCalls, expected.comparisons) << "seed " << seed;
        }
    }
}

constexpr SortCriterion kValueAsc{1, vxSortAsc, vxSortByValue};
constexpr SortCriterion kValueDesc{1, vxSortDesc, vxSortByValue};
constexpr SortCriterion kTextAsc{1, vxSortAsc, vxSortByText};
constexpr SortCriterion kNoCaseDesc{1, vxSortDesc, vxSortByTextNoCase};
constexpr SortCriterion kThenValueDesc{2, vxSortDesc, vxSortByValue};
constexpr SortCriterion kThenNoCase{2, vxSortAsc, vxSortByTextNoCase};
constexpr SortCriterion kCustom{1, vxSortAsc, vxSortByCustomer};

constexpr SortCriterion kTextDesc{1, vxSortDesc, vxSortByText};
constexpr SortCriterion kNoCaseAsc{1, vxSortAsc, vxSortByTextNoCase};
constexpr Values kNumbers = Values::kNumbers;
constexpr Values kDistinct = Values::kDistinctNumbers;
constexpr Values kTexts = Values::kDistinctTexts;

INSTANTIATE_TEST_SUITE_P(
    Orders, SortKeysTest,
    ::testing::Values(Case{{kValueAsc}, 2, false}, Case{{kValueAsc}, 3, true},
                      Case{{kValueAsc}, 500, false}, Case{{kValueDesc}, 500, true},
                      Case{{kValueAsc}, 500, true, kNumbers},
                      Case{{kValueDesc}, 500, false, kNumbers},
                      Case{{kValueDesc, kThenValueDesc}, 500, true, kNumbers},
                      Case{{kValueAsc, kThenValueDesc}, 400, false},
                      Case{{kValueDesc, kThenNoCase}, 400, true}, Case{{kTextAsc}, 2, false},
                      Case{{kTextAsc}, 300, false}, Case{{kNoCaseDesc}, 300, true},
                      Case{{kNoCaseDesc, kThenValueDesc}, 300, false}, Case{{kCustom}, 300, false},
                      Case{{kCustom}, 200, true}));

INSTANTIATE_TEST_SUITE_P(
    DistinctKeys, SortKeysTest,
    ::testing::Values(Case{{kValueAsc}, 600, false, kDistinct},
                      Case{{kValueDesc, kThenValueDesc}, 600, true, kDistinct},
                      Case{{kValueAsc}, 600, false, kDistinct, true},
                      Case{{kTextAsc}, 600, true, kTexts},
                      Case{{kTextDesc}, 600, false, kTexts, true},
                      Case{{kNoCaseAsc, kThenValueDesc}, 600, false, kTexts},
                      Case{{kNoCaseDesc}, 600, true, kTexts, true},
                      Case{{kNoCaseAsc}, 600, false, Values::kDistinctAccented},
                      Case{{kNoCaseDesc}, 600, true, Values::kDistinctAccented, true}));

}  // namespace
}  // namespace vexa
