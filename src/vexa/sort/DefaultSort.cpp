#include "vexa/sort/DefaultSort.h"

#include <algorithm>

#include "vexa/model/ColumnTable.h"
#include "vexa/sort/ShellSortObject.h"

namespace vexa {

namespace {

std::int16_t Criterion(std::int32_t key) {
    return static_cast<std::int16_t>(std::clamp(key, 0, kMaxSortCriteria));
}

ESortOrders Toggled(std::int32_t order) {
    return order == vxSortAsc ? vxSortDesc : vxSortAsc;
}

// The order a plain click gives: descending only when the column already is the first
// criterion, ascending.
ESortOrders SingleColumnOrder(const ShellSortObject& criteria, std::int32_t index) {
    if (criteria.ColCount() >= 1 && criteria.SortCol(1) == index &&
        criteria.SortOrder(1) == vxSortAsc) {
        return vxSortDesc;
    }
    return vxSortAsc;
}

void SortByOneColumn(ColumnTable& columns, ShellSortObject& criteria, std::int32_t position,
                     std::int32_t order) {
    ColumnRecord& column = columns.At(position);
    const ESortOrders chosen = order == kToggleSortOrder ? SingleColumnOrder(criteria, column.index)
                                                         : static_cast<ESortOrders>(order);
    criteria.SetColCount(1);
    criteria.SetSortCol(1, static_cast<std::int16_t>(column.index));
    criteria.SetSortOrder(1, chosen);
    criteria.SetSortType(1, static_cast<ESortTypes>(column.sortType));
    for (std::int32_t p = 1; p <= columns.Count(); ++p) columns.At(p).sortKey = 0;
    column.sortKey = 1;
    column.sortOrder = chosen;
}

void AddOrToggleColumn(ColumnTable& columns, ShellSortObject& criteria, std::int32_t position,
                       std::int32_t order) {
    std::int32_t maxKey = LargestSortKey(columns);
    ColumnRecord& column = columns.At(position);
    if (column.sortKey < 1) {
        column.sortOrder = order == kToggleSortOrder ? vxSortAsc : order;
        // A host may have stored keys beyond what the criteria can hold: the column then
        // takes the last criterion rather than a key that wraps around.
        maxKey = std::min(maxKey, kMaxSortCriteria - 1) + 1;
        column.sortKey = maxKey;
    } else {
        column.sortOrder = order == kToggleSortOrder ? Toggled(column.sortOrder) : order;
    }
    BuildSortCriteria(columns, criteria, maxKey);
}

}  // namespace

std::int32_t LargestSortKey(const ColumnTable& columns) {
    std::int32_t largest = 0;
    for (std::int32_t p = 1; p <= columns.Count(); ++p)
        largest = std::max(largest, columns.At(p).sortKey);
    return largest;
}

void BuildSortCriteria(const ColumnTable& columns, ShellSortObject& criteria, std::int32_t maxKey) {
    criteria.SetColCount(Criterion(maxKey));
    for (std::int32_t p = 1; p <= columns.Count(); ++p) {
        const ColumnRecord& column = columns.At(p);
        if (column.sortKey < 1 || column.sortKey > criteria.ColCount()) continue;
        const std::int16_t k = Criterion(column.sortKey);
        criteria.SetSortCol(k, static_cast<std::int16_t>(column.index));
        criteria.SetSortOrder(k, static_cast<ESortOrders>(column.sortOrder));
        criteria.SetSortType(k, static_cast<ESortTypes>(column.sortType));
    }
}

void ApplyDefaultSort(ColumnTable& columns, ShellSortObject& criteria, std::int32_t position,
                      std::int32_t shift, std::int32_t order) {
    if (shift != 0) {
        AddOrToggleColumn(columns, criteria, position, order);
    } else {
        SortByOneColumn(columns, criteria, position, order);
    }
}

}  // namespace vexa
