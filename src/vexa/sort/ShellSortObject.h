/// \file
/// The sort criteria of a grid (column, order and type per criterion, criterion 1 the most
/// significant) and the in-place Shell sort of the grid's rows by them.
#pragma once

#include <cstdint>
#include <vector>

#include "vexa/model/Enums.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

class GridStore;
class SortCallbacks;

/// One sort criterion: a column, its order and how its values compare.
struct VEXA_API SortCriterion {
    std::int16_t col = 0;  ///< a column index, not a display position
    /// Ascending or descending.
    ESortOrders order = vxSortAsc;
    /// How the column's cells compare.
    ESortTypes type = vxSortByValue;
};

/// The sort criteria a grid sorts its rows by (Vexa::SortObject).
class VEXA_API ShellSortObject {
  public:
    // ---- Public members (iSortIndex is 1-based; outside 1..ColCount raises 514) ----
    /**@{*/
    /// How many criteria there are.
    std::int16_t ColCount() const { return static_cast<std::int16_t>(criteria_.size()); }
    /// New criteria k start as (column k, ascending, by value); a negative count raises 514.
    void SetColCount(std::int16_t count);
    /**@}*/
    /**@{*/
    /// The column, order and type of criterion `iSortIndex` (1-based; outside 1..ColCount raises
    /// 514).
    std::int16_t SortCol(std::int16_t iSortIndex) const;
    void SetSortCol(std::int16_t iSortIndex, std::int16_t col);
    ESortOrders SortOrder(std::int16_t iSortIndex) const;
    void SetSortOrder(std::int16_t iSortIndex, ESortOrders order);
    ESortTypes SortType(std::int16_t iSortIndex) const;
    void SetSortType(std::int16_t iSortIndex, ESortTypes type);
    /**@}*/

    /// Every criterion, the most significant first.
    const std::vector<SortCriterion>& Criteria() const { return criteria_; }

    // ---- Used by the grid ----
    /// Sorts rows 1..RowCount of `store` by the criteria; with `useGroups` group rows stay
    /// put and divide the rows into sections sorted separately. Returns the new position of
    /// `trackedRow` (0 stays 0). A comparison that cannot be made ends the sort at once with
    /// every row still present exactly once; the function then returns normally.
    std::int32_t SortRows(GridStore& store, bool useGroups, SortCallbacks& callbacks,
                          std::int32_t trackedRow) const;

  private:
    SortCriterion& At(std::int16_t iSortIndex);
    const SortCriterion& At(std::int16_t iSortIndex) const;

    std::vector<SortCriterion> criteria_;
};

}  // namespace vexa

VEXA_PUBLIC_END
