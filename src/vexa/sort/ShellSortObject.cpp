#include "vexa/sort/ShellSortObject.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "vexa/model/GridErrors.h"
#include "vexa/model/GridStore.h"
#include "vexa/sort/RowComparer.h"

namespace vexa {

namespace {

using RowOrder = std::vector<std::int32_t>;  // place p (1-based) holds a row of the old table

// The largest member of 1, 4, 13, 40, ... strictly below `count`.
std::int32_t FirstGap(std::int32_t count) {
    std::int32_t gap = 1;
    while (3 * gap + 1 < count) gap = 3 * gap + 1;
    return gap;
}

// Two rows that compare equal (under any type but the custom one) exchange places, as the
// classic routine does: "in order" includes equality there.
void SortPair(RowOrder& order, std::int32_t lo, std::int32_t hi, RowComparer& comparer) {
    if (comparer.InOrder(order[std::size_t(lo)], order[std::size_t(hi)])) {
        std::swap(order[std::size_t(lo)], order[std::size_t(hi)]);
    }
}

// One insertion pass with gap `gap`. When a comparison throws, the candidate held aside goes
// back into the free place before the error leaves, so every row stays present once.
void InsertionPass(RowOrder& order, std::int32_t lo, std::int32_t hi, std::int32_t gap,
                   RowComparer& comparer) {
    for (std::int32_t i = lo + gap; i <= hi; ++i) {
        const std::int32_t candidate = order[std::size_t(i)];
        std::int32_t j = i - gap;
        try {
            while (j >= lo && !comparer.InOrder(candidate, order[std::size_t(j)])) {
                order[std::size_t(j + gap)] = order[std::size_t(j)];
                j -= gap;
            }
        } catch (...) {
            order[std::size_t(j + gap)] = candidate;
            throw;
        }
        order[std::size_t(j + gap)] = candidate;
    }
}

void SortRange(RowOrder& order, std::int32_t lo, std::int32_t hi, RowComparer& comparer) {
    const std::int32_t count = hi - lo + 1;
    if (count <= 1) return;
    if (count == 2) return SortPair(order, lo, hi, comparer);
    for (std::int32_t gap = FirstGap(count); gap > 0; gap = (gap - 1) / 3) {
        InsertionPass(order, lo, hi, gap, comparer);
    }
}

// Runs of rows between group rows are sorted separately; group rows never move.
void SortSections(RowOrder& order, const GridStore& store, RowComparer& comparer) {
    const std::int32_t count = store.RowCount();
    if (count <= 2) return;
    std::int32_t start = 1;
    for (std::int32_t row = 1; row <= count; ++row) {
        if (!store.Row(row).groupRow) continue;
        SortRange(order, start, row - 1, comparer);
        start = row + 1;
    }
    SortRange(order, start, count, comparer);
}

}  // namespace

void ShellSortObject::SetColCount(std::int16_t count) {
    if (count < 0) RaiseGridError(kErrInvalidArgument);
    const auto old = static_cast<std::int16_t>(criteria_.size());
    criteria_.resize(std::size_t(count));
    for (std::int16_t k = old; k < count; ++k) {
        criteria_[std::size_t(k)] = SortCriterion{static_cast<std::int16_t>(k + 1)};
    }
    if (count == 0) criteria_.shrink_to_fit();
}

SortCriterion& ShellSortObject::At(std::int16_t iSortIndex) {
    if (iSortIndex < 1 || iSortIndex > ColCount()) RaiseGridError(kErrInvalidArgument);
    return criteria_[std::size_t(iSortIndex - 1)];
}

const SortCriterion& ShellSortObject::At(std::int16_t iSortIndex) const {
    if (iSortIndex < 1 || iSortIndex > ColCount()) RaiseGridError(kErrInvalidArgument);
    return criteria_[std::size_t(iSortIndex - 1)];
}

std::int16_t ShellSortObject::SortCol(std::int16_t iSortIndex) const {
    return At(iSortIndex).col;
}
void ShellSortObject::SetSortCol(std::int16_t iSortIndex, std::int16_t col) {
    At(iSortIndex).col = col;
}
ESortOrders ShellSortObject::SortOrder(std::int16_t iSortIndex) const {
    return At(iSortIndex).order;
}
void ShellSortObject::SetSortOrder(std::int16_t iSortIndex, ESortOrders order) {
    At(iSortIndex).order = order;
}
ESortTypes ShellSortObject::SortType(std::int16_t iSortIndex) const {
    return At(iSortIndex).type;
}
void ShellSortObject::SetSortType(std::int16_t iSortIndex, ESortTypes type) {
    At(iSortIndex).type = type;
}

std::int32_t ShellSortObject::SortRows(GridStore& store, bool useGroups, SortCallbacks& callbacks,
                                       std::int32_t trackedRow) const {
    const std::int32_t count = store.RowCount();
    // Without criteria there is nothing to order by: the rows keep their order.
    if (criteria_.empty() || count < 2) return trackedRow;

    RowOrder order(std::size_t(count) + 1);
    std::iota(order.begin(), order.end(), 0);
    RowComparer comparer(store, criteria_, callbacks);
    try {
        if (useGroups) {
            SortSections(order, store, comparer);
        } else {
            SortRange(order, 1, count, comparer);
        }
    } catch (...) {
        // A comparison that cannot be made ends the sort; the rows stay as far as it got.
    }
    store.PermuteRows(RowOrder(order.begin() + 1, order.end()));
    if (trackedRow < 1) return 0;
    return static_cast<std::int32_t>(std::find(order.begin() + 1, order.end(), trackedRow) -
                                     order.begin());
}

}  // namespace vexa
