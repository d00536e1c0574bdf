// The grid's content: the column table (display order), the row table (row-index order),
// the cell matrix (column index x row slot) and the sorted row-key index, with the counts,
// the row memory reservation and the argument resolution every public member uses.
//
// The store only changes tables. The control calls its checks first, then its changes,
// and orchestrates invalidation, editing, header, drawing and events around them, so a
// failing check leaves everything as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vexa/model/CellMatrix.h"
#include "vexa/model/ColumnTable.h"
#include "vexa/model/DefaultCellSource.h"
#include "vexa/model/GridRecords.h"
#include "vexa/model/RowKeyIndex.h"

namespace vexa {

// A column about to be added, with the public defaults of AddCol.
struct NewColumn {
    std::string key;
    std::string header;
    std::int32_t headerTextFlags = kDefaultTextFlags;
    std::int16_t iconIndex = -1;
    std::int32_t width = -1;
    bool visible = true;
    bool includeInSelect = true;
    bool rowTextColumn = false;
    std::int32_t sortType = vxSortByValue;
    std::int32_t minWidth = -1;
    std::int32_t maxWidth = -1;
    bool allowSizing = true;
    Variant tag;
};

// A row about to be added, with the public defaults of AddRow.
struct NewRow {
    std::string key;
    bool visible = true;
    std::int32_t height = -1;
    bool groupRow = false;
    std::int32_t groupStartCol = 0;
    Variant tag;
};

// A cell by its row and column index.
struct CellIndices {
    std::int32_t row = 0;
    std::int32_t col = 0;
};

// Where a column went: its index and display position.
struct ColumnPlace {
    std::int32_t index = 0;
    std::int32_t position = 0;
};

class GridStore {
  public:
    static constexpr std::int32_t kDefaultColumnWidth = 64;
    static constexpr std::int32_t kDefaultRowHeight = 15;
    // The largest row height and column width kept: larger ones could not be shown and
    // would run the positions after them beyond the pixel range.
    static constexpr std::int32_t kMaxRowHeight = 1 << 20;
    static constexpr std::int32_t kMaxColumnWidth = 1 << 20;

    GridStore();

    // The cell-values model supplies default cells and fills new cells from them.
    void SetDefaultCellSource(DefaultCellSource* source) { cellSource_ = source; }

    // ---- Tables ----
    ColumnTable& Columns() { return columns_; }
    const ColumnTable& Columns() const { return columns_; }
    // Row table indexed 0..RowCount() (at least); row 0 is the sentinel. The reserve that
    // AllocatedRows() counts above the row count holds no rows and takes no memory.
    RowRecord& Row(std::int32_t row) { return rows_[std::size_t(row)]; }
    const RowRecord& Row(std::int32_t row) const { return rows_[std::size_t(row)]; }
    const std::vector<RowRecord>& RowTable() const { return rows_; }
    CellMatrix& Cells() { return cells_; }
    const CellMatrix& Cells() const { return cells_; }
    CellRecord& Cell(std::int32_t col, std::int32_t row) { return cells_.At(col, row); }
    const CellRecord& Cell(std::int32_t col, std::int32_t row) const { return cells_.At(col, row); }
    const RowKeyIndex& Keys() const { return keys_; }

    // ---- Counts and fields ----
    std::int32_t ColCount() const { return columns_.Count(); }
    std::int32_t RowCount() const { return rowCount_; }
    std::int32_t AllocatedRows() const { return allocatedRows_; }
    std::int32_t WantedFreeRows() const { return wantedFreeRows_; }
    std::int32_t GroupRowCount() const { return groupRowCount_; }
    // Sets a row's group flag, keeping the group row count in step.
    void SetRowGroup(std::int32_t row, bool group) {
        if (Row(row).groupRow == group) return;
        Row(row).groupRow = group;
        groupRowCount_ += group ? 1 : -1;
    }
    std::int32_t RowTextColumn() const { return rowTextColumn_; }
    std::int32_t RowTextStartCol() const { return rowTextStartCol_; }
    void SetRowTextStartCol(std::int32_t col) { rowTextStartCol_ = col; }
    std::int32_t DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(std::int32_t height) { defaultRowHeight_ = height; }
    std::int32_t ResolvedRow() const { return resolvedRow_; }
    std::int32_t ResolvedCol() const { return resolvedCol_; }

    // Current cell, owned by selection; the store keeps it consistent when rows or columns
    // move. 0 means none.
    std::int32_t CurrentRow() const { return currentRow_; }
    std::int32_t CurrentCol() const { return currentCol_; }
    void SetCurrentCell(std::int32_t row, std::int32_t col) {
        currentRow_ = row;
        currentCol_ = col;
    }

    // ---- Argument resolution (ArgumentResolution.cpp) ----
    std::int32_t ResolveRowArg(const Variant& vRow);
    std::int32_t ResolveColArg(const Variant& vCol);
    // Both arguments of a cell member, the column checked first. Two Longs in range, what a
    // host's loop over the cells passes, need none of the general rules.
    CellIndices ResolveCellArgs(const Variant& vRow, const Variant& vCol) {
        if (vRow.Type() == vtLong && vCol.Type() == vtLong) {
            const CellIndices cell{vRow.ToLong(), vCol.ToLong()};
            if (cell.row >= 1 && cell.row <= rowCount_ && cell.col >= 1 && cell.col <= ColCount()) {
                resolvedRow_ = cell.row;
                resolvedCol_ = cell.col;
                return cell;
            }
        }
        return ResolveAnyCellArgs(vRow, vCol);
    }
    std::int32_t ColPositionOf(const Variant& vCol) const;
    std::int32_t PositionOfIndex(std::int32_t index) const {
        return columns_.PositionOfIndex(index);
    }
    void CheckRowIndex(std::int32_t row) const;
    void CheckColIndex(std::int32_t col) const;
    // ColIndex: first column in display order with that key; error 513 when none.
    std::int32_t ColIndex(const std::string& key) const;
    // RowIndex: the row with that key; error 513 when none (the empty key never matches).
    std::int32_t RowIndex(const std::string& key) const;
    // The row named by a RemoveRow argument: numeric → index, string → key, else 513.
    std::int32_t ResolveRowToRemove(const Variant& vRow) const;
    // The row named by AddRow's vRowBefore, checked to lie in 1..row count.
    std::int32_t ResolveRowBefore(const Variant& vRowBefore) const;

    // ---- Keys ----
    KeyLookup FindRowKey(const std::string& key) const { return keys_.Find(key, rows_); }
    void CheckColKeyFree(const std::string& key) const;
    void SetColKey(std::int32_t col, const std::string& key);
    void SetRowKey(std::int32_t row, const std::string& key);
    void RebuildRowKeyIndex() { keys_.Rebuild(rows_, rowCount_); }

    // ---- Columns ----
    // Checks of AddCol (key 515, limits 519, row-text column 517) and the width it stores.
    std::int32_t CheckNewColumn(const NewColumn& column) const;
    // Adds the column before `beforePosition` (0 = append) and returns where it went.
    ColumnPlace InsertColumn(const NewColumn& column, std::int32_t width,
                             std::int32_t beforePosition);
    // Removes the column at `position` with its cells; the last column empties the grid.
    void RemoveColumnAt(std::int32_t position);

    // ---- Rows ----
    // Checks of AddRow apart from vRowBefore: no columns 516, duplicate key 515.
    KeyLookup CheckNewRow(const NewRow& row) const;
    // Inserts before `before` (0 = append); `lookup` is CheckNewRow's result. Returns the row.
    std::int32_t InsertRow(const NewRow& row, std::int32_t before, KeyLookup lookup);
    void RemoveRowAt(std::int32_t row);
    void CheckRowCount(std::int32_t count) const;
    void SetRowCount(std::int32_t count);
    void ClearRows();
    void ClearColumns();

    // Moves rows into a new order: row r receives the former row order[r - 1] with its
    // cells; the key index is rebuilt (tops and parity are the geometry's to recompute).
    void PermuteRows(const std::vector<std::int32_t>& order);

    // ---- Row memory ----
    void CheckWantedFreeRows(std::int32_t wanted) const;
    void SetWantedFreeRows(std::int32_t wanted) { wantedFreeRows_ = wanted; }
    void CheckAllocatedRows(std::int32_t allocated) const;
    void SetAllocatedRows(std::int32_t allocated);
    void EnsureRowCapacity(std::int32_t count);

    // ---- Cells ----
    void InitCellFromDefault(std::int32_t row, std::int32_t col);
    // Gives `row` its cells, each filled from its column's default cell. Rows made while the
    // default cells stay as they are share the same cells until one of them is written to.
    void CreateRowCells(std::int32_t row);
    void InsertCellColumn(std::int32_t index);

    // ---- Walks ----
    // While the control walks its tables and raises events on the way (comparisons of a
    // sort, custom-drawn cells, selection changes), the tables' shape must stay as it is:
    // a handler's call that would add, remove, reorder or reallocate rows or columns is
    // refused with 514 before anything changes. Values and attributes may still change.
    void CheckShapeUnlocked() const;
    bool Walking() const { return walkDepth_ > 0; }

  private:
    // ResolveCellArgs by the general rules: keys, other numeric types, errors in order.
    CellIndices ResolveAnyCellArgs(const Variant& vRow, const Variant& vCol);
    friend class TableWalk;
    friend class TableWalkPause;

    void ResizeRowSlots(std::int32_t slots);
    // Makes row slots 1..count exist in memory.
    void BackRowSlots(std::int32_t count);
    RowRecord MakeRow(const NewRow& row, std::int32_t height) const;
    void EmptyAll();
    void ShrinkRowsTo(std::int32_t count);
    void GrowRowsTo(std::int32_t count);
    // Fills `cell` from the default cell of the column at display position `position`.
    void FillFromDefault(const ColumnRecord& column, CellRecord& cell);
    // The cells new rows start with, built again when a default cell changed since.
    const CellMatrix::RowTemplate& CurrentRowTemplate();
    bool RowTemplateCurrent() const;
    void ForgetRowTemplate() { rowTemplate_ = {}; }

    ColumnTable columns_;
    std::vector<RowRecord> rows_;
    CellMatrix cells_;
    RowKeyIndex keys_;
    DefaultCellSource* cellSource_ = nullptr;
    // New rows' cells as the default cells gave them at `templateRevision_`; the column
    // indices whose default cell has a font, which can change without a revision.
    CellMatrix::RowTemplate rowTemplate_;
    std::uint64_t templateRevision_ = 0;
    std::vector<std::int32_t> templateFontColumns_;

    std::int32_t rowCount_ = 0;
    std::int32_t allocatedRows_ = 0;
    std::int32_t wantedFreeRows_ = 0;
    std::int32_t defaultRowHeight_ = kDefaultRowHeight;
    std::int32_t groupRowCount_ = 0;
    std::int32_t rowTextColumn_ = 0;
    std::int32_t rowTextStartCol_ = 0;
    mutable std::int32_t resolvedRow_ = 0;
    mutable std::int32_t resolvedCol_ = 0;
    std::int32_t currentRow_ = 0;
    std::int32_t currentCol_ = 0;
    std::int32_t walkDepth_ = 0;
};

// Marks a walk over the tables for as long as it lives (walks may nest).
class TableWalk {
  public:
    explicit TableWalk(GridStore& store) : store_(store) { ++store_.walkDepth_; }
    ~TableWalk() { --store_.walkDepth_; }
    TableWalk(const TableWalk&) = delete;
    TableWalk& operator=(const TableWalk&) = delete;

  private:
    GridStore& store_;
};

// Lifts every walk for a change the control makes on purpose in the middle of one (a row
// asked of the host in virtual mode), and restores them afterwards.
class TableWalkPause {
  public:
    explicit TableWalkPause(GridStore& store) : store_(store), depth_(store.walkDepth_) {
        store_.walkDepth_ = 0;
    }
    ~TableWalkPause() { store_.walkDepth_ = depth_; }
    TableWalkPause(const TableWalkPause&) = delete;
    TableWalkPause& operator=(const TableWalkPause&) = delete;

  private:
    GridStore& store_;
    std::int32_t depth_;
};

}  // namespace vexa
