// The grid store's public members. Each runs in the fixed order of a structural call: all
// checks; invalidate the visible range; cancel any edit; change the tables, the key index
// and the header items; reset the painter and Draw; re-establish the current cell last, so
// that every event sees consistent tables.
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/model/GridErrors.h"

namespace vexa {

namespace {

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
    parts_->painter.ResetCachedState();
    Draw();
    if (reestablishCurrentCell) {
        SetCurrentCellInternal(parts_->store.CurrentRow(), parts_->store.CurrentCol(), true);
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
    parts_->store.CheckShapeUnlocked();
    const NewColumn column = ToNewColumn(args);
    const std::int32_t width = parts_->store.CheckNewColumn(column);
    const std::int32_t before = args.vColBefore ? parts_->store.ColPositionOf(*args.vColBefore) : 0;

    parts_->geometry.Invalidate(RangeState::RecomputeAll);
    CancelEdit();
    const ColumnPlace place = parts_->store.InsertColumn(column, width, before);
    parts_->geometry.RecomputeColumnPositions();
    if (column.visible && !column.rowTextColumn) HeaderColumnInserted(place.position, before == 0);
    HeaderAutoHeight(vxHAHOnAddCol);
    FinishStructuralChange(true);
    return parts_->store.Columns().At(place.position).defaultCell;
}

void Vexa::RemoveCol(const Variant& vCol) {
    parts_->store.CheckShapeUnlocked();
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    const ColumnRecord& column = parts_->store.Columns().At(position);
    const bool hadHeaderItem = column.visible && !column.rowTextColumn;

    parts_->geometry.Invalidate(RangeState::RecomputeAll);
    CancelEdit();
    parts_->store.RemoveColumnAt(position);
    parts_->geometry.RecomputeColumnPositions();
    HeaderColumnRemoved(position, hadHeaderItem);
    HeaderAutoHeight(vxHAHOnRemoveCol);
    FinishStructuralChange(true);
}

std::int32_t Vexa::ColCount() const {
    return parts_->store.ColCount();
}

std::int32_t Vexa::ColIndex(const std::string& sKey) const {
    return parts_->store.ColIndex(sKey);
}

std::string Vexa::ColKey(std::int32_t lCol) const {
    parts_->store.CheckColIndex(lCol);
    return parts_->store.Columns().At(parts_->store.PositionOfIndex(lCol)).key;
}

void Vexa::SetColKey(std::int32_t lCol, const std::string& sKey) {
    parts_->store.SetColKey(lCol, sKey);
}

std::int32_t Vexa::ColOrder(const Variant& vCol) const {
    return parts_->store.ColPositionOf(vCol);
}

// ---- Rows ----

void Vexa::AddRow(const KeyArg& sKey, const std::optional<Variant>& vRowBefore, bool bVisible,
                  std::int32_t lHeight, bool bGroupRow, std::int32_t lGroupColStartIndex,
                  const Variant& vTag) {
    AddRow(AddRowArgs{sKey.value, vRowBefore, bVisible, lHeight, bGroupRow, lGroupColStartIndex,
                      vTag});
}

void Vexa::AddRow(const AddRowArgs& args) {
    parts_->store.CheckShapeUnlocked();
    if (parts_->store.ColCount() == 0) RaiseGridError(kErrNoColumns);
    const std::int32_t before =
        args.vRowBefore ? parts_->store.ResolveRowBefore(*args.vRowBefore) : 0;
    const NewRow row = ToNewRow(args);
    const KeyLookup lookup = parts_->store.CheckNewRow(row);

    // Rows appended below the view while painting waits for nothing leave the visible range
    // as it is, so it is only invalidated once the new row turns out to reach into view.
    const bool quiet = before == 0 && PaintingIdle();
    if (!quiet) parts_->geometry.Invalidate(RangeState::RecomputeAll);
    const std::int32_t added = parts_->store.InsertRow(row, before, lookup);
    parts_->geometry.RecomputeRowPositionsFrom(added);
    if (row.visible) parts_->geometry.RowParityChangedFrom(added);
    parts_->painter.EnlargeRowBuffer(parts_->store.Row(added).height);
    if (quiet && RowBelowView(added) && ApplyLayoutKeepingBars()) return;
    parts_->geometry.Invalidate(RangeState::RecomputeAll);
    FinishStructuralChange(before > 0);
}

bool Vexa::RowBelowView(std::int32_t row) const {
    const RowRecord& record = parts_->store.Row(row);
    const Geometry& geometry = parts_->geometry;
    return !record.visible || record.top >= geometry.VerticalOffset() + geometry.VisibleHeight();
}

// What a painting pass would do for a change that moves no pixel of the cells area: the
// scroll bars follow the content. When a bar would appear or go, the cells area changes
// size and the caller paints as usual instead.
bool Vexa::ApplyLayoutKeepingBars() {
    GridParts& p = *parts_;
    const LayoutDecision decision = p.geometry.Layout();
    if (p.scrollBars->Visible(vxScrollBarH) != decision.horizontalBar ||
        p.scrollBars->Visible(vxScrollBarV) != decision.verticalBar) {
        return false;
    }
    ApplyLayout(decision);
    return true;
}

void Vexa::RemoveRow(const Variant& vRow) {
    parts_->store.CheckShapeUnlocked();
    const std::int32_t row = parts_->store.ResolveRowToRemove(vRow);
    if (parts_->store.RowCount() == 1) {
        Clear(false);  // the only row: the grid empties as Clear does, columns kept
        SetCurrentCellInternal(0, parts_->store.CurrentCol(), true);
        return;
    }
    parts_->geometry.Invalidate(RangeState::RecomputeAll);
    const bool wasVisible = parts_->store.Row(row).visible;
    parts_->store.RemoveRowAt(row);
    parts_->geometry.RecomputeRowPositionsFrom(row);
    if (wasVisible) parts_->geometry.RowParityChangedFrom(row);
    FinishStructuralChange(true);
}

std::int32_t Vexa::RowCount() const {
    return parts_->store.RowCount();
}

void Vexa::SetRowCount(std::int32_t lRowCount) {
    parts_->store.CheckShapeUnlocked();
    parts_->store.CheckRowCount(lRowCount);
    const std::int32_t oldCount = parts_->store.RowCount();
    if (lRowCount == oldCount) return;

    parts_->geometry.Invalidate(RangeState::RecomputeAll);
    CancelEdit();
    parts_->store.SetRowCount(lRowCount);
    if (lRowCount > oldCount) {
        // New rows always get their parity at once: each is the opposite of the one above.
        parts_->geometry.RecomputeRowPositionsFrom(oldCount + 1);
        parts_->geometry.RecomputeParityFrom(oldCount + 1);
    }
    parts_->painter.EnlargeRowBuffer(parts_->store.DefaultRowHeight());
    FinishStructuralChange(lRowCount < oldCount);
}

std::int32_t Vexa::RowIndex(const std::string& sKey) const {
    return parts_->store.RowIndex(sKey);
}

std::string Vexa::RowKey(std::int32_t lRow) const {
    parts_->store.CheckRowIndex(lRow);
    return parts_->store.Row(lRow).Key();
}

void Vexa::SetRowKey(std::int32_t lRow, const std::string& sKey) {
    parts_->store.SetRowKey(lRow, sKey);
}

void Vexa::Clear(bool bRemoveCols) {
    parts_->store.CheckShapeUnlocked();
    parts_->geometry.Invalidate(RangeState::RecomputeAll);
    CancelEdit();
    parts_->store.ClearRows();
    if (bRemoveCols) {
        parts_->store.ClearColumns();
        HeaderRemoveAllItems();
    }
    const bool virtualMode = parts_->virtualRows.enabled;
    if (virtualMode) {
        parts_->store.SetCurrentCell(0, 0);
        SetCurrentCellInternal(0, 0, true);
        parts_->virtualRows.moreRowsAvailable = virtualMode;
    }
    parts_->painter.ResetCachedState();
    SetScrollValue(vxScrollBarV, 0);
    if (bRemoveCols) SetScrollValue(vxScrollBarH, 0);
    Draw();
    RepaintHeaderNow();
    if (!virtualMode) {
        parts_->store.SetCurrentCell(0, 0);
        SetCurrentCellInternal(0, 0, true);
    }
}

// ---- Row memory ----

std::int32_t Vexa::MemMngWantFreeRows() const {
    return parts_->store.WantedFreeRows();
}

void Vexa::SetMemMngWantFreeRows(std::int32_t lRows) {
    parts_->store.CheckWantedFreeRows(lRows);
    parts_->store.SetWantedFreeRows(lRows);
    PropertyChanged("MemMngWantFreeRows");
}

std::int32_t Vexa::MemMngAllocatedRows() const {
    return parts_->store.AllocatedRows();
}

void Vexa::SetMemMngAllocatedRows(std::int32_t lRows) {
    parts_->store.CheckShapeUnlocked();
    parts_->store.CheckAllocatedRows(lRows);
    parts_->store.SetAllocatedRows(lRows);
}

}  // namespace vexa
