// The current cell and the selection: the public members, and the move sequence that every
// change of the current cell by a public member runs (cancel the edit, set the anchor,
// replace the selection, move, bring into view, then CurCellChange after the repaint).
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/model/ArgumentResolution.h"
#include "vexa/model/GridErrors.h"

namespace vexa {

namespace {

// Once a move has begun, a step that fails is passed over and the next one still runs.
template <class Step>
void Tolerantly(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

// A SetCurCell argument: a number is an index, a string a key; 0..count, else 513.
std::int32_t CurCellIndex(const Variant& argument, std::int32_t count,
                          std::int32_t (GridStore::*byKey)(const std::string&) const,
                          const GridStore& store) {
    std::int32_t index = 0;
    if (IsNumericArg(argument)) {
        try {
            index = argument.ToLong();
        } catch (const Error&) {
            RaiseGridError(kErrSubscriptOutOfRange);
        }
    } else if (argument.IsString()) {
        index = (store.*byKey)(argument.StringRef());
    } else {
        RaiseGridError(kErrSubscriptOutOfRange);
    }
    if (index < 0 || index > count) RaiseGridError(kErrSubscriptOutOfRange);
    return index;
}

}  // namespace

// ---- Current cell ----

std::int32_t Vexa::CurRow() const {
    return parts_->store.CurrentRow();
}

void Vexa::SetCurRow(std::int32_t lRow) {
    GridParts& p = *parts_;
    if (lRow != 0) p.store.CheckRowIndex(lRow);
    if (lRow == p.store.CurrentRow()) return;
    MoveCurrentCell(lRow, p.store.CurrentCol());
}

std::int32_t Vexa::CurCol() const {
    return parts_->store.CurrentCol();
}

void Vexa::SetCurCol(std::int32_t lCol) {
    GridParts& p = *parts_;
    if (lCol != 0) p.store.CheckColIndex(lCol);
    if (lCol == p.store.CurrentCol()) return;
    MoveCurrentCell(p.store.CurrentRow(), lCol);
}

void Vexa::SetCurCell(const Variant& vRow, const Variant& vCol) {
    GridParts& p = *parts_;
    const std::int32_t row = CurCellIndex(vRow, p.store.RowCount(), &GridStore::RowIndex, p.store);
    const std::int32_t col = CurCellIndex(vCol, p.store.ColCount(), &GridStore::ColIndex, p.store);
    p.selection.SetAnchor(CellSpot{row, col});
    if (CellSpot{row, col} == p.selection.Current()) {
        if (p.selection.Inside(CellSpot{row, col})) MakeCellVisible(row, ViewColumn(row, col));
        return;
    }
    MoveCurrentCell(row, col);
}

void Vexa::MoveCurrentCell(std::int32_t row, std::int32_t col) {
    GridParts& p = *parts_;
    Tolerantly([&] { CancelEdit(); });
    p.selection.SetAnchor(CellSpot{row, col});
    Tolerantly([&] { p.selection.SelectOnlyCell(CellSpot{row, col}); });
    SettleCurrentCell(row, col);
}

void Vexa::SettleCurrentCell(std::int32_t row, std::int32_t col) {
    Tolerantly([&] { SetCurrentCellInternal(row, col, false); });
    Tolerantly([&] { ShowCurrentCell(); });
    Tolerantly([&] { RaisePendingCurCellChange(); });
}

void Vexa::ShowCurrentCell() {
    GridParts& p = *parts_;
    const CellSpot current = p.selection.Current();
    const bool showable =
        current.row >= 1 && current.row <= p.store.RowCount() && p.store.Row(current.row).visible;
    if (!showable || !MakeCellVisible(current.row, ViewColumn(current.row, current.col))) Draw();
}

std::int32_t Vexa::ViewColumn(std::int32_t row, std::int32_t col) const {
    const GridStore& store = parts_->store;
    const std::int32_t rowText = store.RowTextColumn();
    // A group row and the row-text band show from where the band starts.
    if (store.Row(row).groupRow || (rowText > 0 && col == rowText)) {
        if (store.RowTextStartCol() > 0) return store.RowTextStartCol();
        return store.Columns().At(parts_->geometry.FirstSelectablePosition()).index;
    }
    const std::int32_t position = store.PositionOfIndex(col);
    if (position == 0 || !store.Columns().At(position).visible) return 0;
    return col;
}

void Vexa::SetCurrentCellInternal(std::int32_t row, std::int32_t col, bool raiseNow) {
    parts_->selection.SetCurrentCellInternal(CellSpot{row, col}, raiseNow);
}

void Vexa::RaisePendingCurCellChange() {
    parts_->selection.RaisePendingCurCellChange();
}

// ---- Selection ----

bool Vexa::CellSelected(const Variant& vRow, const Variant& vCol) {
    GridStore& store = parts_->store;
    store.ResolveCellArgs(vRow, vCol);
    return store.Cell(store.ResolvedCol(), store.ResolvedRow()).Selected();
}

void Vexa::SetCellSelected(const Variant& vRow, const Variant& vCol, bool bSelected) {
    GridParts& p = *parts_;
    p.store.ResolveCellArgs(vRow, vCol);
    const CellSpot cell{p.store.ResolvedRow(), p.store.ResolvedCol()};
    if (p.selection.MultiSelect()) {
        if (p.selection.RowMode()) {
            p.selection.SetRowSelection(cell.row, bSelected);
        } else {
            p.selection.SetCellSelection(cell, bSelected);
        }
        Draw();
        return;
    }
    if (!bSelected) return;
    // Selecting makes the cell current, and an edit never outlives its cell.
    if (cell != p.selection.Current()) CancelEdit();
    p.selection.MoveSingleSelection(cell);
    SettleCurrentCell(cell.row, cell.col);
}

bool Vexa::MultiSelect() const {
    return parts_->selection.MultiSelect();
}

void Vexa::SetMultiSelect(bool bMultiSelect) {
    parts_->selection.SetMultiSelect(bMultiSelect);
    Draw();
    PropertyChanged("MultiSelect");
}

bool Vexa::RowMode() const {
    return parts_->selection.RowMode();
}

void Vexa::SetRowMode(bool bRowMode) {
    GridParts& p = *parts_;
    p.selection.SetRowMode(bRowMode);
    // Row text shows only in RowMode, which changes what every row looks like.
    p.geometry.Invalidate(RangeState::RecomputeAll);
    RepaintAll(false);
    PropertyChanged("RowMode");
}

void Vexa::ClearSelection() {
    parts_->selection.DeselectForClear();
    SetCurrentCellInternal(0, 0, false);
    Draw();
    RaisePendingCurCellChange();
}

}  // namespace vexa
