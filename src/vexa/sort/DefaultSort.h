// The default sort: what a click on a column header (or DoDefaultSort) does to the columns'
// sort keys and orders and to the sort criteria, and the criteria the columns' sort keys
// give. Only settings change here; the rows are sorted by the control afterwards.
#pragma once

#include <cstdint>

namespace vexa {

class ColumnTable;
class ShellSortObject;

// The most criteria the sort object holds (its count is 16-bit): sort keys above it name no
// criterion.
inline constexpr std::int32_t kMaxSortCriteria = 32767;

// The value of eSortOrder that toggles the order instead of naming it.
inline constexpr std::int32_t kToggleSortOrder = -1;

// The largest sort key among the columns; 0 when no column is sorted.
std::int32_t LargestSortKey(const ColumnTable& columns);

// Gives the sort object `maxKey` criteria (at most kMaxSortCriteria); criterion k takes the
// column, order and type of the column whose sort key is k, in display order. A key that no
// column holds leaves its criterion as it was (a new one as the sort object makes it).
void BuildSortCriteria(const ColumnTable& columns, ShellSortObject& criteria, std::int32_t maxKey);

// Sets the sort keys, orders and criteria as a default sort of the column at `position`
// asks. With `shift` non-zero the column joins the sort as its last criterion, or toggles its
// order when it already takes part; with `shift` zero it becomes the only criterion, toggling
// between ascending and descending when it was the first one ascending. `order` is
// vxSortAsc or vxSortDesc, or kToggleSortOrder.
void ApplyDefaultSort(ColumnTable& columns, ShellSortObject& criteria, std::int32_t position,
                      std::int32_t shift, std::int32_t order);

}  // namespace vexa
