#include "vexa/interact/Selection.h"

#include <algorithm>
#include <vector>

#include "vexa/events/EventSinks.h"
#include "vexa/model/GridStore.h"

namespace vexa {

Selection::Selection(GridStore& store, EventSinks& events) : store_(store), events_(events) {}

// ---- Modes ----

void Selection::SetMultiSelect(bool on) {
    if (multiSelect_ && !on) SelectExactly(Current());
    multiSelect_ = on;
}

void Selection::SetRowMode(bool on) {
    const bool was = rowMode_;
    rowMode_ = on;
    const CellSpot current = Current();
    if (!multiSelect_) {
        if (current.row < 1 || current.row > store_.RowCount()) return;
        TableWalk walk(store_);
        CellRecord* cells = RowCells(current.row);
        for (std::int32_t c = 1; c <= store_.ColCount(); ++c) {
            Apply(cells[c - 1], current.row, c, on || c == current.col);
        }
        return;
    }
    // Setting the mode it already has would otherwise narrow a multiple selection.
    if (on == was) return;
    if (on) {
        WidenPartlySelectedRows();
    } else {
        SelectExactly(current);
    }
}

void Selection::WidenPartlySelectedRows() {
    TableWalk walk(store_);
    const std::int32_t cols = store_.ColCount();
    for (std::int32_t r = 1; r <= store_.RowCount(); ++r) {
        CellRecord* cells = RowCells(r);
        const bool any = std::any_of(cells, cells + cols,
                                     [](const CellRecord& cell) { return cell.Selected(); });
        if (!any) continue;
        for (std::int32_t c = 1; c <= cols; ++c) Apply(cells[c - 1], r, c, true);
    }
}

// ---- Anchor and current cell ----

void Selection::SetAnchor(CellSpot cell, bool value) {
    anchor_ = cell;
    anchorValue_ = value;
}

CellSpot Selection::Current() const {
    return CellSpot{store_.CurrentRow(), store_.CurrentCol()};
}

bool Selection::Inside(CellSpot cell) const {
    return cell.row >= 1 && cell.row <= store_.RowCount() && cell.col >= 1 &&
           cell.col <= store_.ColCount();
}

void Selection::SetCurrentCellInternal(CellSpot cell, bool raiseNow) {
    MarkForRepaint(announced_);
    // The store may have moved the current cell with its row since; it shows there now.
    if (Current() != announced_) MarkForRepaint(Current());
    store_.SetCurrentCell(cell.row, cell.col);
    if (cell == announced_) return;
    announced_ = cell;
    changePending_ = true;
    if (cell.row != 0 && cell.col != 0) MarkForRepaint(cell);
    if (raiseNow) RaisePendingCurCellChange();
}

void Selection::RaisePendingCurCellChange() {
    if (!changePending_) return;
    // Cleared first: a handler that moves the current cell again owes its own event.
    changePending_ = false;
    const CellSpot current = Current();
    events_.Raise("CurCellChange",
                  [&](VexaEvents& e) { e.CurCellChange(current.row, current.col); });
}

void Selection::MarkForRepaint(CellSpot cell) {
    if (cell.row < 1 || cell.row > store_.RowCount()) return;
    CellRecord* cells = RowCells(cell.row);
    if (rowMode_) {
        for (std::int32_t c = 1; c <= store_.ColCount(); ++c) {
            cells[c - 1].SetFlag(kCellNeedsRepaint, true);
        }
    } else if (Inside(cell)) {
        cells[cell.col - 1].SetFlag(kCellNeedsRepaint, true);
    }
}

// ---- Selected bits ----

CellRecord* Selection::RowCells(std::int32_t row) {
    return store_.Cells().Row(row);
}

bool Selection::IsSelected(CellSpot cell) const {
    return Inside(cell) && store_.Cell(cell.col, cell.row).Selected();
}

bool Selection::Apply(CellRecord& cell, std::int32_t row, std::int32_t col, bool state) {
    if (cell.Selected() == state) return false;
    cell.SetFlag(kCellSelected, state);
    cell.SetFlag(kCellNeedsRepaint, true);
    RaiseSelectionChange(row, col, state);
    return true;
}

void Selection::RaiseSelectionChange(std::int32_t row, std::int32_t col, bool state) {
    events_.Raise("CellSelectionChange",
                  [&](VexaEvents& e) { e.CellSelectionChange(row, col, state); });
}

void Selection::SetCellSelection(CellSpot cell, bool state) {
    if (!Inside(cell)) return;
    TableWalk walk(store_);
    Apply(RowCells(cell.row)[cell.col - 1], cell.row, cell.col, state);
}

void Selection::SetRowSelection(std::int32_t row, bool state) {
    if (row < 1 || row > store_.RowCount()) return;
    TableWalk walk(store_);
    CellRecord* cells = RowCells(row);
    for (std::int32_t c = 1; c <= store_.ColCount(); ++c) Apply(cells[c - 1], row, c, state);
}

template <class Wanted>
void Selection::SetRowsWhereFirstCellDiffers(Wanted wanted) {
    TableWalk walk(store_);
    const std::int32_t cols = store_.ColCount();
    if (cols == 0) return;
    for (std::int32_t r = 1; r <= store_.RowCount(); ++r) {
        const bool state = wanted(r);
        CellRecord* cells = RowCells(r);
        if (cells[0].Selected() == state) continue;
        for (std::int32_t c = 1; c <= cols; ++c) Apply(cells[c - 1], r, c, state);
    }
}

template <class Wanted>
void Selection::SetEveryCell(Wanted wanted) {
    TableWalk walk(store_);
    const std::int32_t cols = store_.ColCount();
    for (std::int32_t r = 1; r <= store_.RowCount(); ++r) {
        CellRecord* cells = RowCells(r);
        for (std::int32_t c = 1; c <= cols; ++c) Apply(cells[c - 1], r, c, wanted(r, c));
    }
}

void Selection::MoveSingleSelection(CellSpot cell) {
    if (store_.RowCount() == 0 || store_.ColCount() == 0) return;
    const CellSpot current = Current();
    if (rowMode_) {
        if (cell.row == current.row) return;
        SetRowSelection(current.row, false);
        SetRowSelection(cell.row, true);
        return;
    }
    if (cell == current) return;
    SetCellSelection(current, false);
    if (cell.row != 0 && cell.col != 0) SetCellSelection(cell, true);
}

void Selection::SelectOnlyCell(CellSpot cell) {
    if (!multiSelect_) {
        MoveSingleSelection(cell);
    } else if (rowMode_) {
        SetRowsWhereFirstCellDiffers([&](std::int32_t r) { return r == cell.row; });
    } else {
        SelectExactly(cell);
    }
}

void Selection::SelectExactly(CellSpot cell) {
    if (rowMode_) {
        SetEveryCell([&](std::int32_t r, std::int32_t) { return r == cell.row; });
    } else {
        SetEveryCell(
            [&](std::int32_t r, std::int32_t c) { return r == cell.row && c == cell.col; });
    }
}

CellSpot Selection::ValidAnchorFor(CellSpot cell) const {
    // An anchor whose row or column has gone since spans from the cell itself.
    return Inside(anchor_) ? anchor_ : cell;
}

void Selection::ExtendSelection(CellSpot cell, std::int32_t shift) {
    if (!Inside(CellSpot{cell.row, 1})) return;
    const CellSpot anchor = ValidAnchorFor(cell);
    const std::int32_t top = std::min(cell.row, anchor.row);
    const std::int32_t bottom = std::max(cell.row, anchor.row);
    const bool ctrl = (shift & kCtrlBit) != 0;
    auto inRows = [&](std::int32_t r) { return r >= top && r <= bottom; };
    TableWalk walk(store_);
    if (rowMode_) {
        if (!ctrl) {
            SetRowsWhereFirstCellDiffers(inRows);
            return;
        }
        for (std::int32_t r = top; r <= bottom; ++r) {
            SetRowSelection(r, r == cell.row || anchorValue_);
        }
        return;
    }
    // The column span runs over display positions, hidden columns between the ends included.
    const ColumnTable& columns = store_.Columns();
    std::int32_t from = columns.PositionOfIndex(anchor.col);
    std::int32_t to = columns.PositionOfIndex(cell.col);
    if (to == 0) to = from;
    if (from > to) std::swap(from, to);
    std::vector<char> inColumns(std::size_t(store_.ColCount()) + 1, 0);
    for (std::int32_t p = from; p >= 1 && p <= to; ++p)
        inColumns[std::size_t(columns.At(p).index)] = 1;
    if (!ctrl) {
        SetEveryCell(
            [&](std::int32_t r, std::int32_t c) { return inRows(r) && inColumns[c] != 0; });
        return;
    }
    for (std::int32_t r = top; r <= bottom; ++r) {
        CellRecord* cells = RowCells(r);
        for (std::int32_t c = 1; c <= store_.ColCount(); ++c) {
            if (inColumns[std::size_t(c)] != 0) Apply(cells[c - 1], r, c, anchorValue_);
        }
    }
}

void Selection::InvertCurrent() {
    const CellSpot current = Current();
    if (current.row < 1 || current.row > store_.RowCount()) return;
    TableWalk walk(store_);
    CellRecord* cells = RowCells(current.row);
    if (rowMode_) {
        for (std::int32_t c = 1; c <= store_.ColCount(); ++c) {
            Apply(cells[c - 1], current.row, c, !cells[c - 1].Selected());
        }
    } else if (Inside(current)) {
        CellRecord& cell = cells[current.col - 1];
        Apply(cell, current.row, current.col, !cell.Selected());
    }
}

void Selection::DeselectForClear() {
    if (multiSelect_) {
        SetEveryCell([](std::int32_t, std::int32_t) { return false; });
        return;
    }
    const CellSpot current = Current();
    if (rowMode_) {
        SetRowSelection(current.row, false);
    } else {
        SetCellSelection(current, false);
    }
}

}  // namespace vexa
