#include "vexa/model/GridStore.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "vexa/model/CellObject.h"
#include "vexa/model/GridErrors.h"

namespace vexa {

GridStore::GridStore() : rows_(1) {}

void GridStore::CheckShapeUnlocked() const {
    if (walkDepth_ > 0) RaiseGridError(kErrInvalidArgument);
}

// ---- Keys ----

void GridStore::CheckColKeyFree(const std::string& key) const {
    if (!key.empty() && columns_.FirstPositionWithKey(key) != 0) {
        RaiseGridError(kErrDuplicateKey);
    }
}

void GridStore::SetColKey(std::int32_t col, const std::string& key) {
    CheckColIndex(col);
    ColumnRecord& column = columns_.At(columns_.PositionOfIndex(col));
    if (column.key == key) return;
    CheckColKeyFree(key);
    column.key = key;
}

void GridStore::SetRowKey(std::int32_t row, const std::string& key) {
    CheckRowIndex(row);
    if (!key.empty()) {
        const KeyLookup existing = FindRowKey(key);
        if (existing.found && keys_.RowAt(existing.position) != row) {
            RaiseGridError(kErrDuplicateKey);
        }
    }
    RowRecord& record = Row(row);
    if (record.Key() == key) return;
    if (!record.Key().empty()) {
        const KeyLookup old = FindRowKey(record.Key());
        if (old.found) keys_.Remove(old.position, false);
        record.SetKey({});
    }
    if (key.empty()) return;
    const KeyLookup place = FindRowKey(key);
    record.SetKey(key);
    if (!place.found) keys_.Insert(place.position, row, false);
}

// ---- Columns ----

std::int32_t GridStore::CheckNewColumn(const NewColumn& column) const {
    CheckColKeyFree(column.key);
    // Any negative width, not only the documented -1, means the default: a column of
    // negative width would run the left edges of the columns after it backwards.
    std::int32_t width =
        column.width < 0 ? kDefaultColumnWidth : std::min(column.width, kMaxColumnWidth);
    if (column.minWidth >= 0 && width < column.minWidth) width = column.minWidth;
    if (column.maxWidth >= 0 && width > column.maxWidth) width = column.maxWidth;
    if (column.minWidth >= 0 && column.maxWidth >= 0 && column.maxWidth < column.minWidth) {
        RaiseGridError(kErrMaxBelowMin);
    }
    if (column.rowTextColumn && rowTextColumn_ != 0) RaiseGridError(kErrSecondRowTextCol);
    return width;
}

ColumnPlace GridStore::InsertColumn(const NewColumn& column, std::int32_t width,
                                    std::int32_t beforePosition) {
    ColumnPlace place;
    if (beforePosition > 0) {
        place.position = beforePosition;
        place.index = columns_.At(beforePosition).index;
    } else {
        place.position = place.index = ColCount() + 1;
    }

    ColumnRecord record;
    record.width = width;
    record.index = place.index;
    record.visible = column.visible;
    record.rowTextColumn = column.rowTextColumn;
    record.key = column.key;
    record.tag = column.tag;
    record.headerText = column.header;
    record.includeInSelect = column.includeInSelect;
    record.headerIcon = column.iconIndex;
    record.headerTextFlags = column.headerTextFlags;
    record.sortType = column.sortType;
    record.minWidth = column.minWidth;
    record.maxWidth = column.maxWidth;
    record.allowSizing = column.allowSizing;
    if (cellSource_) record.defaultCell = cellSource_->CreateDefaultCell();
    columns_.Insert(place.position, std::move(record));

    if (column.rowTextColumn) {
        rowTextColumn_ = place.index;
    } else if (rowTextColumn_ >= place.index) {
        ++rowTextColumn_;
    }
    // RowTextStartCol is a column index too: it keeps naming the same column.
    if (beforePosition > 0 && rowTextStartCol_ >= place.index) ++rowTextStartCol_;
    if (beforePosition > 0 && currentCol_ >= place.index) ++currentCol_;
    ForgetRowTemplate();
    if (rowCount_ > 0) {
        InsertCellColumn(place.index);
    } else {
        cells_.SetColumns(ColCount());
    }
    return place;
}

void GridStore::RemoveColumnAt(std::int32_t position) {
    const ColumnRecord& removed = columns_.At(position);
    const std::int32_t index = removed.index;
    if (removed.rowTextColumn) {
        rowTextColumn_ = 0;
        rowTextStartCol_ = 0;
    } else if (rowTextColumn_ > index) {
        --rowTextColumn_;  // the row-text column follows its record's new index
    }
    // RowTextStartCol keeps naming the same column, and is unset with the column it names
    // rather than left pointing at its neighbour or past the last column.
    if (rowTextStartCol_ == index) {
        rowTextStartCol_ = 0;
    } else if (rowTextStartCol_ > index) {
        --rowTextStartCol_;
    }
    if (currentCol_ > index) {
        --currentCol_;
    } else if (currentCol_ == index) {
        currentCol_ = 0;
    }
    ForgetRowTemplate();
    if (ColCount() < 2) {
        EmptyAll();
        return;
    }
    columns_.Remove(position);
    cells_.RemoveColumn(index, rowCount_);
}

void GridStore::EmptyAll() {
    ClearRows();
    ClearColumns();
    currentRow_ = currentCol_ = 0;
}

// ---- Rows ----

KeyLookup GridStore::CheckNewRow(const NewRow& row) const {
    if (ColCount() == 0) RaiseGridError(kErrNoColumns);
    if (row.key.empty()) return {};
    const KeyLookup lookup = FindRowKey(row.key);
    if (lookup.found) RaiseGridError(kErrDuplicateKey);
    return lookup;
}

RowRecord GridStore::MakeRow(const NewRow& row, std::int32_t height) const {
    RowRecord record;
    record.height = height;
    record.normalCellHeight = defaultRowHeight_;
    record.visible = row.visible;
    record.groupRow = row.groupRow;
    record.groupStartCol = row.groupStartCol;
    record.SetTag(row.tag);
    record.SetKey(row.key);
    return record;
}

std::int32_t GridStore::InsertRow(const NewRow& row, std::int32_t before, KeyLookup lookup) {
    const std::int32_t height =
        row.height < 0 ? defaultRowHeight_ : std::min(row.height, kMaxRowHeight);
    const std::int32_t oldCount = rowCount_;
    std::int32_t target = oldCount + 1;
    if (before > 0) {
        target = before;
        if (currentRow_ >= before) ++currentRow_;
    }
    // Memory first: a row that cannot be stored must not have been counted.
    EnsureRowCapacity(oldCount + 1);
    BackRowSlots(oldCount + 1);
    ++rowCount_;

    if (before > 0) {
        std::move_backward(rows_.begin() + before, rows_.begin() + oldCount + 1,
                           rows_.begin() + oldCount + 2);
        cells_.ShiftRowsUp(before, oldCount);
    }
    Row(target) = MakeRow(row, height);

    if (!row.key.empty()) {
        keys_.Insert(lookup.position, target, before > 0);
    } else if (before > 0) {
        keys_.ShiftRowsFrom(before, +1);
    }
    CreateRowCells(target);
    if (row.groupRow) ++groupRowCount_;
    return target;
}

void GridStore::RemoveRowAt(std::int32_t row) {
    const RowRecord& removed = Row(row);
    if (!removed.Key().empty()) {
        const KeyLookup lookup = FindRowKey(removed.Key());
        if (lookup.found) keys_.Remove(lookup.position, true);
    } else if (row < rowCount_) {
        keys_.ShiftRowsFrom(row + 1, -1);
    }
    if (rowCount_ == 1) {
        ClearRows();
        currentRow_ = 0;
        return;
    }
    if (currentRow_ > row) {
        --currentRow_;
    } else if (currentRow_ == row) {
        currentRow_ = 0;
    }
    if (removed.groupRow) --groupRowCount_;
    if (row < rowCount_) {
        std::move(rows_.begin() + row + 1, rows_.begin() + rowCount_ + 1, rows_.begin() + row);
        cells_.ShiftRowsDown(row + 1, rowCount_);
        Row(rowCount_) = RowRecord{};
        --rowCount_;
    } else {
        Row(rowCount_) = RowRecord{};
        cells_.ReleaseRow(rowCount_);
        --rowCount_;
    }
    EnsureRowCapacity(rowCount_);
}

void GridStore::CheckRowCount(std::int32_t count) const {
    if (count < 0) RaiseGridError(kErrInvalidArgument);
    if (ColCount() == 0) RaiseGridError(kErrNoColumns);
}

void GridStore::SetRowCount(std::int32_t count) {
    if (count == rowCount_) return;
    if (count < rowCount_) {
        ShrinkRowsTo(count);
    } else {
        EnsureRowCapacity(count);
        BackRowSlots(count);
        GrowRowsTo(count);
    }
}

void GridStore::ShrinkRowsTo(std::int32_t count) {
    keys_.DropRowsAbove(count);
    for (std::int32_t r = count + 1; r <= rowCount_; ++r) {
        if (Row(r).groupRow) --groupRowCount_;
        Row(r) = RowRecord{};
        cells_.ReleaseRow(r);
    }
    rowCount_ = count;
    if (currentRow_ > count) currentRow_ = 0;
    EnsureRowCapacity(count);
}

void GridStore::GrowRowsTo(std::int32_t count) {
    for (std::int32_t r = rowCount_ + 1; r <= count; ++r) {
        RowRecord record;
        record.height = record.normalCellHeight = defaultRowHeight_;
        Row(r) = std::move(record);
        CreateRowCells(r);
        rowCount_ = r;
    }
}

void GridStore::ClearRows() {
    rows_.clear();
    rows_.shrink_to_fit();
    rows_.resize(1);
    cells_.Release();
    rowCount_ = groupRowCount_ = allocatedRows_ = 0;
    keys_.Clear();
}

void GridStore::ClearColumns() {
    ForgetRowTemplate();
    columns_.Clear();
    cells_.SetColumns(0);
    rowTextColumn_ = rowTextStartCol_ = 0;
}

void GridStore::PermuteRows(const std::vector<std::int32_t>& order) {
    // Gathered into a second table rather than moved cycle by cycle in place: the reads of a
    // gather do not wait on one another, so their cache misses overlap.
    std::vector<RowRecord> permuted;
    permuted.reserve(rows_.capacity());
    permuted.push_back(std::move(rows_[0]));
    constexpr std::size_t kAhead = 8;  // records asked for ahead of their move
    for (std::size_t p = 0; p < order.size(); ++p) {
        if (p + kAhead < order.size()) __builtin_prefetch(&rows_[std::size_t(order[p + kAhead])]);
        permuted.push_back(std::move(rows_[std::size_t(order[p])]));
    }
    for (std::size_t r = order.size() + 1; r < rows_.size(); ++r) {
        permuted.push_back(std::move(rows_[r]));
    }
    rows_.swap(permuted);
    cells_.PermuteRows(order);
    // Keys move with their rows: without keyed rows there is nothing to re-enter.
    if (keys_.Count() > 0) RebuildRowKeyIndex();
}

// ---- Row memory ----

void GridStore::CheckWantedFreeRows(std::int32_t wanted) const {
    if (wanted < 0) RaiseGridError(kErrInvalidArgument);
}

void GridStore::CheckAllocatedRows(std::int32_t allocated) const {
    if (allocated < rowCount_ || allocated > allocatedRows_) RaiseGridError(kErrInvalidArgument);
}

void GridStore::SetAllocatedRows(std::int32_t allocated) {
    if (allocated != allocatedRows_) ResizeRowSlots(allocated);
}

void GridStore::EnsureRowCapacity(std::int32_t count) {
    const std::int64_t wanted = wantedFreeRows_;
    const std::int64_t allocated = allocatedRows_;
    if (wanted > 0) {
        if (allocated - wanted <= count && count <= allocated) return;
        // A window as wide as the 32-bit range would overflow the count; the allocation
        // stops at the largest count there is.
        ResizeRowSlots(std::int32_t(std::min<std::int64_t>(count + wanted, INT32_MAX)));
    } else if (allocated != count) {
        ResizeRowSlots(count);
    }
}

void GridStore::ResizeRowSlots(std::int32_t slots) {
    allocatedRows_ = slots;
    // The reserve above the row count carries no rows, so it is a number, not memory:
    // memory follows the rows (BackRowSlots), and a window of any width costs nothing
    // until rows fill it. Shrinking the allocation gives memory back.
    if (std::int32_t(rows_.size()) - 1 > slots) {
        rows_.resize(std::size_t(slots) + 1);
        if (rows_.capacity() > 64 && rows_.size() < rows_.capacity() / 4) rows_.shrink_to_fit();
    }
    if (cells_.Slots() > slots) cells_.ResizeSlots(slots);
}

void GridStore::BackRowSlots(std::int32_t count) {
    // Growing one slot at a time stays amortised O(1) per row: the vectors grow
    // geometrically underneath.
    if (std::int32_t(rows_.size()) - 1 < count) rows_.resize(std::size_t(count) + 1);
    if (cells_.Slots() < count) cells_.ResizeSlots(count);
}

// ---- Cells ----

void GridStore::FillFromDefault(const ColumnRecord& column, CellRecord& cell) {
    if (cellSource_ && column.defaultCell) {
        cellSource_->InitCellFromDefault(*column.defaultCell, cell);
    } else {
        cell = CellRecord{};
    }
    cell.flags |= kCellNeedsRepaint;
}

void GridStore::InitCellFromDefault(std::int32_t row, std::int32_t col) {
    FillFromDefault(columns_.At(PositionOfIndex(col)), cells_.At(col, row));
}

bool GridStore::RowTemplateCurrent() const {
    if (rowTemplate_.Empty() || rowTemplate_.Columns() != ColCount()) return false;
    if (cellSource_ == nullptr) return true;
    if (cellSource_->DefaultsRevision() != templateRevision_) return false;
    for (std::int32_t index : templateFontColumns_) {
        const CellObject* defaultCell = columns_.At(PositionOfIndex(index)).defaultCell.get();
        const std::int16_t fontIndex = rowTemplate_.Cells()[index - 1].fontIndex;
        if (defaultCell == nullptr || !cellSource_->FontStillEnters(*defaultCell, fontIndex)) {
            return false;
        }
    }
    return true;
}

const CellMatrix::RowTemplate& GridStore::CurrentRowTemplate() {
    if (RowTemplateCurrent()) return rowTemplate_;
    CellMatrix::RowTemplate cells = cells_.NewTemplate();
    templateFontColumns_.clear();
    for (std::int32_t p = 1; p <= ColCount(); ++p) {
        const ColumnRecord& column = columns_.At(p);
        FillFromDefault(column, cells.Cells()[column.index - 1]);
        if (column.defaultCell && column.defaultCell->oFont()) {
            templateFontColumns_.push_back(column.index);
        }
    }
    rowTemplate_ = std::move(cells);
    templateRevision_ = cellSource_ ? cellSource_->DefaultsRevision() : 0;
    return rowTemplate_;
}

void GridStore::CreateRowCells(std::int32_t row) {
    cells_.ShareRow(row, CurrentRowTemplate());
}

void GridStore::InsertCellColumn(std::int32_t index) {
    const ColumnRecord& column = columns_.At(PositionOfIndex(index));
    cells_.InsertColumn(index, rowCount_, [&](CellRecord& cell) { FillFromDefault(column, cell); });
}

}  // namespace vexa
