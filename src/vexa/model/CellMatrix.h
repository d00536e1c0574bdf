// The cell matrix: one CellRecord per (column index, row slot). Each row's cells are one
// contiguous block reached through a handle, so growing, shrinking or moving rows moves
// handles and never copies cells; only adding or removing a column rebuilds the blocks.
// Slots are 1-based; slot 0 and the reserve slots above the row count hold no block.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vexa/model/GridRecords.h"

namespace vexa {

class CellMatrix {
  public:
    std::int32_t Columns() const { return columns_; }
    std::int32_t Slots() const { return static_cast<std::int32_t>(rows_.size()) - 1; }

    // Sets the column count of an empty matrix (no row blocks).
    void SetColumns(std::int32_t columns) { columns_ = columns; }

    // Sizes the matrix for `slots` row slots, keeping the blocks of the slots that remain.
    void ResizeSlots(std::int32_t slots);

    // Gives `row` a fresh block of default cells and returns it.
    CellRecord* CreateRow(std::int32_t row);
    void ReleaseRow(std::int32_t row) { rows_[std::size_t(row)].reset(); }
    CellRecord* Row(std::int32_t row) { return rows_[std::size_t(row)].get(); }
    const CellRecord* Row(std::int32_t row) const { return rows_[std::size_t(row)].get(); }

    // The cell of column index `col` (1-based) in row `row`; the row must have a block.
    CellRecord& At(std::int32_t col, std::int32_t row) { return Row(row)[col - 1]; }
    const CellRecord& At(std::int32_t col, std::int32_t row) const { return Row(row)[col - 1]; }

    // Slots first..last move to first+1..last+1; slot `first` is left without a block.
    void ShiftRowsUp(std::int32_t first, std::int32_t last);
    // Slots first..last move to first-1..last-1 (the block of first-1 is released); slot
    // `last` is left without a block.
    void ShiftRowsDown(std::int32_t first, std::int32_t last);

    // Row slot r receives the block that was at order[r - 1] (rows 1..order.size()).
    void PermuteRows(const std::vector<std::int32_t>& order);

    // Rebuilds every block of rows 1..rowCount with a new column at index k (its cells
    // default-constructed; the caller fills them from the column's default cell).
    void InsertColumn(std::int32_t k, std::int32_t rowCount);
    // Rebuilds every block of rows 1..rowCount without column index k.
    void RemoveColumn(std::int32_t k, std::int32_t rowCount);

    // Releases every block and slot; the column count stays.
    void Release();

  private:
    std::int32_t columns_ = 0;
    std::vector<std::unique_ptr<CellRecord[]>> rows_{1};
};

}  // namespace vexa
