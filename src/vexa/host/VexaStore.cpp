// The grid store's public members. Each runs in the fixed order of a structural call: all
// checks; invalidate the visible range; cancel any edit; change the tables, the key index
// and the header items; reset the painter and Draw; re-establish the current cell last, so
// that every event sees consistent tables.
#include "vexa/host/Vexa.h"
#include "vexa/model/GridErrors.h"

namespace vexa {

namespace {

constexpr std::int32_t kInvalidateAll = 1;

NewColumn ToNewColumn(const AddColArgs& args) {
    NewColumn column;
    column.key = args.sKey;
    column.header = args.sHeader;
    column.headerTextFlags = args.eHdrTextFlags;
    column.iconIndex = args.iIconIndex;
    column.width = args.lWidth;
    column.visible = args.bVisible;
    column.includeInSelect = args.bIncludeInSelect;
    column.rowTextColumn = args.bRowTextCol;
    column.sortType = args.eSortType;
    column.minWidth = args.lMinWidth;
    column.maxWidth = args.lMaxWidth;
    column.allowSizing = args.bAllowSizing;
    column.tag = args.vTag;
    return column;
}

NewRow ToNewRow(const AddRowArgs& args) {
    NewRow row;
    row.key = args.sKey;
    row.visible = args.bVisible;
    row.height = args.lHeight;
    row.groupRow = args.bGroupRow;
    row.groupStartCol = args.lGroupColStartIndex;
    row.tag = args.vTag;
    return row;
}

}  // namespace

void Vexa::FinishStructuralChange(bool reestablishCurrentCell) {
    ResetPainterState();
    Draw();
    if (reestablishCurrentCell) {
        SetCurrentCellInternal(mStore.CurrentRow(), mStore.CurrentCol(), true);
    }
}

// ---- Columns ----

std::shared_ptr<CellObject> Vexa::AddCol(const KeyArg& sKey, const std::string& sHeader,
                                         std::int32_t eHdrTextFlags, std::int16_t iIconIndex,
                                         std::int32_t lWidth, bool bVisible,
                                         const std::optional<Variant>& vColBefore,
                                         bool bIncludeInSelect, bool bRowTextCol,
                                         std::int32_t eSortType, std::int16_t lMinWidth,
                                         std::int16_t lMaxWidth, bool bAllowSizing,
                                         const Variant& vTag) {
    return AddCol(AddColArgs{sKey.value, sHeader, eHdrTextFlags, iIconIndex, lWidth, bVisible,
                             vColBefore, bIncludeInSelect, bRowTextCol, eSortType, lMinWidth,
                             lMaxWidth, bAllowSizing, vTag});
}

std::shared_ptr<CellObject> Vexa::AddCol(const AddColArgs& args) {
    const NewColumn column = ToNewColumn(args);
    const std::int32_t width = mStore.CheckNewColumn(column);
    const std::int32_t before = args.vColBefore ? mStore.ColPositionOf(*args.vColBefore) : 0;

    InvalidateVisibleRange(kInvalidateAll);
    CancelEdit();
    const ColumnPlace place = mStore.InsertColumn(column, width, before);
    if (column.visible && !column.rowTextColumn) HeaderColumnInserted(place.position, before == 0);
    HeaderAutoHeight(vxHAHOnAddCol);
    FinishStructuralChange(true);
    return mStore.Columns().At(place.position).defaultCell;
}

void Vexa::RemoveCol(const Variant& vCol) {
    const std::int32_t position = mStore.ColPositionOf(vCol);
    const ColumnRecord& column = mStore.Columns().At(position);
    const bool hadHeaderItem = column.visible && !column.rowTextColumn;

    InvalidateVisibleRange(kInvalidateAll);
    CancelEdit();
    mStore.RemoveColumnAt(position);
    HeaderColumnRemoved(position, hadHeaderItem);
    HeaderAutoHeight(vxHAHOnRemoveCol);
    FinishStructuralChange(true);
}

std::int32_t Vexa::ColCount() const {
    return mStore.ColCount();
}

std::int32_t Vexa::ColIndex(const std::string& sKey) const {
    return mStore.ColIndex(sKey);
}

std::string Vexa::ColKey(std::int32_t lCol) const {
    mStore.CheckColIndex(lCol);
    return mStore.Columns().At(mStore.PositionOfIndex(lCol)).key;
}

void Vexa::SetColKey(std::int32_t lCol, const std::string& sKey) {
    mStore.SetColKey(lCol, sKey);
}

std::int32_t Vexa::ColOrder(const Variant& vCol) const {
    return mStore.ColPositionOf(vCol);
}

// ---- Rows ----

void Vexa::AddRow(const KeyArg& sKey, const std::optional<Variant>& vRowBefore, bool bVisible,
                  std::int32_t lHeight, bool bGroupRow, std::int32_t lGroupColStartIndex,
                  const Variant& vTag) {
    AddRow(AddRowArgs{sKey.value, vRowBefore, bVisible, lHeight, bGroupRow, lGroupColStartIndex,
                      vTag});
}

void Vexa::AddRow(const AddRowArgs& args) {
    if (mStore.ColCount() == 0) RaiseGridError(kErrNoColumns);
    const std::int32_t before = args.vRowBefore ? mStore.ResolveRowBefore(*args.vRowBefore) : 0;
    const NewRow row = ToNewRow(args);
    const KeyLookup lookup = mStore.CheckNewRow(row);

    InvalidateVisibleRange(kInvalidateAll);
    const std::int32_t added = mStore.InsertRow(row, before, lookup);
    EnlargeRowBuffer(mStore.Row(added).height);
    FinishStructuralChange(before > 0);
}

void Vexa::RemoveRow(const Variant& vRow) {
    const std::int32_t row = mStore.ResolveRowToRemove(vRow);
    if (mStore.RowCount() == 1) {
        Clear(false);  // the only row: the grid empties as Clear does, columns kept
        SetCurrentCellInternal(0, mStore.CurrentCol(), true);
        return;
    }
    InvalidateVisibleRange(kInvalidateAll);
    mStore.RemoveRowAt(row);
    FinishStructuralChange(true);
}

std::int32_t Vexa::RowCount() const {
    return mStore.RowCount();
}

void Vexa::SetRowCount(std::int32_t lRowCount) {
    mStore.CheckRowCount(lRowCount);
    const std::int32_t oldCount = mStore.RowCount();
    if (lRowCount == oldCount) return;

    InvalidateVisibleRange(kInvalidateAll);
    CancelEdit();
    mStore.SetRowCount(lRowCount);
    EnlargeRowBuffer(mStore.DefaultRowHeight());
    FinishStructuralChange(lRowCount < oldCount);
}

std::int32_t Vexa::RowIndex(const std::string& sKey) const {
    return mStore.RowIndex(sKey);
}

std::string Vexa::RowKey(std::int32_t lRow) const {
    mStore.CheckRowIndex(lRow);
    return mStore.Row(lRow).key;
}

void Vexa::SetRowKey(std::int32_t lRow, const std::string& sKey) {
    mStore.SetRowKey(lRow, sKey);
}

void Vexa::Clear(bool bRemoveCols) {
    InvalidateVisibleRange(kInvalidateAll);
    CancelEdit();
    mStore.ClearRows();
    if (bRemoveCols) {
        mStore.ClearColumns();
        HeaderRemoveAllItems();
    }
    const bool virtualMode = InVirtualMode();
    if (virtualMode) {
        mStore.SetCurrentCell(0, 0);
        SetCurrentCellInternal(0, 0, true);
        ResetMoreRowsAvailable();
    }
    ResetPainterState();
    ResetScrollPositions(bRemoveCols);
    Draw();
    RepaintHeaderNow();
    if (!virtualMode) {
        mStore.SetCurrentCell(0, 0);
        SetCurrentCellInternal(0, 0, true);
    }
}

// ---- Row memory ----

std::int32_t Vexa::MemMngWantFreeRows() const {
    return mStore.WantedFreeRows();
}

void Vexa::SetMemMngWantFreeRows(std::int32_t lRows) {
    mStore.CheckWantedFreeRows(lRows);
    mStore.SetWantedFreeRows(lRows);
}

std::int32_t Vexa::MemMngAllocatedRows() const {
    return mStore.AllocatedRows();
}

void Vexa::SetMemMngAllocatedRows(std::int32_t lRows) {
    mStore.CheckAllocatedRows(lRows);
    mStore.SetAllocatedRows(lRows);
}

}  // namespace vexa
