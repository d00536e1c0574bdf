// Keys reaching the grid: the command a key stands for (a pure decision, made before anything
// is done), how a move by key treats the selection, and the cells the navigation keys go to.
// Key codes are the classic virtual-key codes; the modifier bits are 1 Shift, 2 Ctrl, 4 Alt.
#pragma once

#include <cstdint>
#include <optional>

#include "vexa/interact/CellSpot.h"
#include "vexa/model/Enums.h"

namespace vexa {

class GridStore;

// What a key asks for.
enum class KeyAction : std::uint8_t {
    None,                // nothing (apart from ending the key search when the command says so)
    MoveVertical,        // to the next navigable row up (delta -1) or down (+1)
    MoveHorizontal,      // to the next navigable column left (-1) or right (+1)
    Home,                // to the first navigable row
    End,                 // to the last navigable row
    PageUp,              // a page up
    PageDown,            // a page down
    ScrollHorizontal,    // the horizontal position by `delta` small changes
    ScrollVertical,      // the vertical position by `delta` small changes
    ScrollVerticalPage,  // the vertical position by `delta` large changes
    InvertSelection,     // the current cell's (or row's) selection is inverted
    StartEdit,           // editing of the current cell is asked for
};

struct KeyCommand {
    KeyAction action = KeyAction::None;
    std::int32_t delta = 0;
    bool endsSearch = false;  // the key-search buffer is cleared first
    friend bool operator==(const KeyCommand&, const KeyCommand&) = default;
};

// The state of the grid a key's meaning depends on.
struct KeyModes {
    bool enabled = true;
    bool rowMode = false;
    bool multiSelect = false;
    // The current row is a group row and the horizontal bar can still move that way: the
    // unmodified Left or Right key scrolls instead of moving.
    bool groupRowScrollsLeft = false;
    bool groupRowScrollsRight = false;
};

// How a move by key treats the selection and the anchor.
enum class SelectionStep : std::uint8_t {
    MoveSingle,      // without MultiSelect the selection follows; the anchor goes to the target
    Extend,          // Shift: the selection spans from the anchor, which stays
    MarkTarget,      // Ctrl+arrow: selection kept, the target repainted, anchor to the target
    AnchorToTarget,  // Ctrl+Home/End: selection kept, anchor to the target
    Keep,            // Ctrl+PgUp/PgDn and Alt alone: selection and anchor kept
    OnlyTarget,      // no modifier: the target alone is selected; anchor to the target
};

// What the keyboard needs from the control: rows asked of the host in virtual mode.
class KeyboardHost {
  public:
    virtual ~KeyboardHost() = default;
    // Virtual mode while the host has not refused a row yet.
    virtual bool RowsMayFollow() const = 0;
    // Asks the host for one more row after the last; true when it came.
    virtual bool RequestRowAfterLast() = 0;
};

class Keyboard {
  public:
    static constexpr std::int32_t kShiftBit = 1;
    static constexpr std::int32_t kCtrlBit = 2;
    static constexpr std::int32_t kAltBit = 4;

    // Tab moves right (down in RowMode), Shift+Tab left (up); other keys stay as they are.
    static std::int32_t TranslateTab(std::int32_t key, std::int32_t shift, bool rowMode);
    static KeyCommand CommandFor(std::int32_t key, std::int32_t shift, const KeyModes& modes);
    static SelectionStep SelectionStepFor(KeyAction action, std::int32_t shift, bool multiSelect);
    // Moves that keep the column: a Shift-extension passes the current column for them.
    static bool KeepsColumn(KeyAction action);

    Keyboard(GridStore& store, KeyboardHost& host);

    EKeyPressBehaviour KeyPressBehaviour() const { return behaviour_; }
    void SetKeyPressBehaviour(EKeyPressBehaviour behaviour) { behaviour_ = behaviour; }
    bool SpaceConsumed() const { return spaceConsumed_; }
    void SetSpaceConsumed(bool consumed) { spaceConsumed_ = consumed; }

    // ---- Where the navigation keys go; none when the key moves nothing ----
    // One navigable row (dy) or column (dx) on; horizontal moves wrap to the next or the
    // previous navigable row.
    std::optional<CellSpot> StepTarget(CellSpot current, std::int32_t dx, std::int32_t dy);
    // The first (Home) or last (End) navigable row.
    std::optional<CellSpot> HomeEndTarget(CellSpot current, bool end) const;
    // A page of `pageHeight` pixels up or down.
    std::optional<CellSpot> PageTarget(CellSpot current, bool down, std::int32_t pageHeight);

    // ---- Navigable rows (visible, height above 0) and columns (visible, width above 0,
    // not the row-text column); 0 when there is none ----
    bool IsNavigableRow(std::int32_t row) const;
    bool IsNavigableColumn(std::int32_t col) const;
    std::int32_t FirstNavigableRow() const;
    std::int32_t LastNavigableRow() const;
    // Column indices, found in display order.
    std::int32_t FirstNavigableColumn() const;
    std::int32_t LastNavigableColumn() const;

  private:
    bool HasCurrentRow(CellSpot current) const;
    // The next navigable row from `row` in direction `dy`, asking the host for rows past
    // the last one in virtual mode; 0 when there is none.
    std::int32_t NextNavigableRow(std::int32_t row, std::int32_t dy);
    bool RowAfterLastCame();
    // The column a vertical move arriving at `row` takes: a group row is entered at its
    // row-text cell, an ordinary row never at the row-text column.
    std::int32_t ColumnArriving(std::int32_t row, std::int32_t col) const;
    // The cell a horizontal move reaches on a neighbouring row (first column below, last
    // column above).
    std::optional<CellSpot> WrapTo(std::int32_t row, bool forward) const;
    std::optional<CellSpot> Arrive(std::int32_t row, std::int32_t col) const;
    std::optional<CellSpot> FirstCell() const;

    GridStore& store_;
    KeyboardHost& host_;
    EKeyPressBehaviour behaviour_ = vxKeyPressEditReplace;  // what a typed character does
    // Ctrl+Space toggled the selection: the character of the same key starts no edit.
    bool spaceConsumed_ = false;
};

}  // namespace vexa
