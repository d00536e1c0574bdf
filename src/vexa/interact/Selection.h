// The current cell and the selection. The selection is nothing but the selected bit of each
// cell record; this role changes those bits (raising CellSelectionChange for every bit that
// really changes, at the moment it changes), keeps the anchor that Shift-extension spans
// from, the MultiSelect and RowMode modes, and the pending CurCellChange.
//
// The current cell itself lives in the store, which keeps it right while rows and columns
// move; this role only decides when it changes and tells the host.
//
// Every operation that raises CellSelectionChange walks the tables, so a handler cannot
// change their shape underneath it (such calls are refused with 514).
#pragma once

#include <cstdint>

#include "vexa/interact/CellSpot.h"

namespace vexa {

class GridStore;
class EventSinks;
struct CellRecord;

class Selection {
  public:
    // Modifier bits as the events carry them.
    static constexpr std::int32_t kShiftBit = 1;
    static constexpr std::int32_t kCtrlBit = 2;
    static constexpr std::int32_t kAltBit = 4;

    Selection(GridStore& store, EventSinks& events);

    // ---- Modes ----
    bool MultiSelect() const { return multiSelect_; }
    bool RowMode() const { return rowMode_; }
    // Turning MultiSelect off keeps only the current cell (or row) selected.
    void SetMultiSelect(bool on);
    // Stores the mode first, then fits the selection to it.
    void SetRowMode(bool on);

    // ---- Anchor ----
    void SetAnchor(CellSpot cell, bool value = true);
    CellSpot Anchor() const { return anchor_; }
    bool AnchorValue() const { return anchorValue_; }

    // ---- Current cell ----
    CellSpot Current() const;
    // Whether (row, col) names a cell of the tables.
    bool Inside(CellSpot cell) const;
    // Stores the new current cell; a change is announced by CurCellChange at once when
    // `raiseNow`, else by the next RaisePendingCurCellChange.
    void SetCurrentCellInternal(CellSpot cell, bool raiseNow);
    void RaisePendingCurCellChange();
    // Marks a cell for repaint (a whole row in RowMode, whose focus spans the row).
    void MarkForRepaint(CellSpot cell);

    // ---- Selected bits ----
    bool IsSelected(CellSpot cell) const;
    void SetCellSelection(CellSpot cell, bool state);
    // Every cell of the row.
    void SetRowSelection(std::int32_t row, bool state);
    // Without MultiSelect: the selection follows the current cell to `cell`.
    void MoveSingleSelection(CellSpot cell);
    // The selection becomes `cell` alone (its row in RowMode), as a move replaces it.
    void SelectOnlyCell(CellSpot cell);
    // Every cell is selected exactly when it is `cell` (in RowMode: lies in its row).
    void SelectExactly(CellSpot cell);
    // Shift-extension from the anchor to `cell`; `shift` holds the modifier bits.
    void ExtendSelection(CellSpot cell, std::int32_t shift);
    // Inverts the current cell, or every cell of the current row in RowMode.
    void InvertCurrent();
    // Deselects what ClearSelection deselects: everything with MultiSelect, else the
    // current cell or row.
    void DeselectForClear();

  private:
    CellRecord* RowCells(std::int32_t row);
    // Sets one cell's bit; false when it already had that state.
    bool Apply(CellRecord& cell, std::int32_t row, std::int32_t col, bool state);
    void RaiseSelectionChange(std::int32_t row, std::int32_t col, bool state);
    // In RowMode, rows whose first cell differs from `wanted(row)` get it in every cell.
    template <class Wanted>
    void SetRowsWhereFirstCellDiffers(Wanted wanted);
    // Every cell of the grid gets `wanted(row, col)`.
    template <class Wanted>
    void SetEveryCell(Wanted wanted);
    void WidenPartlySelectedRows();
    CellSpot ValidAnchorFor(CellSpot cell) const;

    GridStore& store_;
    EventSinks& events_;
    bool multiSelect_ = false;  // several cells may be selected at once
    bool rowMode_ = false;      // selection works on whole rows
    CellSpot anchor_;           // the cell Shift-extension spans from
    bool anchorValue_ = true;   // the state Ctrl+Shift extension writes into the span
    // The current cell as this role last stored it: the store may move the current cell
    // with its rows and columns, and the difference is what CurCellChange reports.
    CellSpot announced_;
    bool changePending_ = false;  // the current cell changed and CurCellChange is owed
};

}  // namespace vexa
