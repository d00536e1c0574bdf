// The mouse over the cells area. Pure classifiers say what a press, a move and a release ask
// for; the role keeps the press under way (where and on which cell it happened, whether it may
// still start a cell drag), the cell the pointer is over, and the hot cell control: the check
// box or combo button under the pointer, drawn hot while visual styles are in use, with the
// 25 ms timer that notices the pointer has left the grid.
//
// The sequences that act on the answers (selection, current cell, editing, the host's mouse
// events) are the control's. This role raises MouseEnter and MouseLeave itself, at the moment
// the pointer crosses into or out of a cell.
#pragma once

#include <cstdint>

#include "vexa/interact/CellSpot.h"
#include "vexa/platform/CTimer.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {

class GridStore;
class Geometry;
class Painter;
class EventSinks;

// Where a left press on a cell stands until its release.
enum class DragState : std::uint8_t {
    None,               // no left press on a cell's body is under way
    CellPressed,        // a press on a cell, off its control: a cell drag may start
    SelectionDeferred,  // the same on a cell selected already: the selection waits for the release
    Selecting,          // the pointer took the selection on to other cells with the button held
};

enum class CellControlKind : std::uint8_t { None = 0, ComboButton = 1, CheckBox = 2 };

// A cell's check box or combo button where it is painted, client coordinates.
struct CellControl {
    CellControlKind kind = CellControlKind::None;
    sys::RECT rect{};
};

// What a press does to the selection (a deferred press does it at its release).
enum class PressStep : std::uint8_t {
    None,        // MouseDown only: another button, the host said no, or no cell was hit
    Defer,       // a cell selected already, off its control: decided at the release
    Extend,      // Shift: from the anchor to the cell
    OnlyCell,    // the cell (its row in RowMode) becomes the whole selection
    Invert,      // Ctrl: the cell (every cell of its row in RowMode) is inverted
    MoveSingle,  // without MultiSelect: the selection follows the current cell
};

struct PressFacts {
    std::int16_t button = 1;  // 1 left, 2 right, 4 middle
    std::int16_t shift = 0;   // 1 Shift, 2 Ctrl, 4 Alt, as MouseDown left it
    bool doDefault = true;    // as MouseDown left it
    bool onCell = false;
    bool onControl = false;  // on the cell's check box or combo button
    bool cellSelected = false;
    bool multiSelect = false;
};

// Which way the view scrolls while the pointer is held beyond an edge of the cells area
// (-1, 0 or 1 in each direction).
struct EdgeScroll {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    friend bool operator==(const EdgeScroll&, const EdgeScroll&) = default;
};

// What the mouse needs from the control above it.
class MouseHost {
  public:
    virtual ~MouseHost() = default;
    virtual sys::HWND MouseWindow() const = 0;
    // The cell's check box or combo button as painted now (kind None when it shows none).
    virtual CellControl ControlOf(CellSpot cell) const = 0;
    // Cell controls are drawn with visual styles, which give them a hot look.
    virtual bool ControlsHaveHotLook() const = 0;
    // The pointer is still held beyond an edge of the cells area while a press is under way.
    virtual void MouseDidHoldBeyondEdge() = 0;
};

class Mouse {
  public:
    static constexpr std::int32_t kLeaveTimerMs = 25;
    static constexpr std::int32_t kEdgeScrollMs = 50;
    // A move of more than this many pixels from the press, in either direction, is a drag.
    static constexpr std::int32_t kDragDistance = 2;

    Mouse(GridStore& store, Geometry& geometry, Painter& painter, EventSinks& events,
          MouseHost& host);
    Mouse(const Mouse&) = delete;
    Mouse& operator=(const Mouse&) = delete;

    // ---- Classifiers ----
    static PressStep PressStepFor(const PressFacts& facts);
    // The step a deferred press takes at its release.
    static PressStep DeferredStepFor(std::int16_t shift, bool multiSelect);
    // left <= x < right and top <= y < bottom.
    static bool Contains(const sys::RECT& rect, sys::POINT point);
    static bool BeyondDragDistance(sys::POINT down, sys::POINT at);
    // The buttons (1, 2, 4) and modifiers (1, 2, 4) a mouse message's key flags name.
    static std::int16_t ButtonsOf(sys::WPARAM keys);
    static std::int16_t ShiftOf(sys::WPARAM keys, bool altDown);
    static EdgeScroll EdgeScrollFor(const sys::RECT& cellsArea, sys::POINT at);

    // ---- The press under way ----
    // A press at `at` on `cell` (0s when none): the cell drag may be raised again.
    void BeginPress(sys::POINT at, CellSpot cell, std::int16_t shift);
    DragState State() const { return state_; }
    void SetState(DragState state) { state_ = state; }
    sys::POINT DownPoint() const { return downPoint_; }
    CellSpot DownCell() const { return downCell_; }
    std::int16_t PressShift() const { return pressShift_; }
    void SetPressShift(std::int16_t shift) { pressShift_ = shift; }
    // True once per press: a cell press has gone beyond the drag distance.
    bool TakeCellDragStart(sys::POINT at);
    // The cell a drag selection reached last (the down cell to begin with).
    CellSpot SelectionEnd() const { return selectionEnd_; }
    void SetSelectionEnd(CellSpot cell) { selectionEnd_ = cell; }
    // The press is over (released, or the capture went elsewhere).
    void EndPress();
    // Scrolls while the pointer is held beyond an edge; stops when it is not.
    void HoldBeyondEdge(bool beyond);

    // ---- The pointer and the hot control ----
    CellSpot PointerCell() const { return pointerCell_; }
    void SetPointerCell(CellSpot cell) { pointerCell_ = cell; }
    // A hot control the pointer is no longer on is drawn normal again.
    void CoolIfLeft(sys::POINT at);
    // The candidate control of the pointer's cell is drawn hot once the pointer is on it.
    void HeatIfOn(sys::POINT at, CellSpot pointerCell);
    // MouseLeave for the cell left and MouseEnter for the cell entered, when they differ.
    void TrackEnterLeave(CellSpot pointerCell);
    // Asks again which control of the pointer's cell may turn hot (a press may have shown a
    // combo button there).
    void RefreshCandidate();
    // The cell whose control is drawn hot (0s: none).
    CellSpot HotCell() const;
    // The view scrolled by (dx, dy) pixels: the hot control's rectangle follows its cell.
    void ScrollHotControl(std::int32_t dx, std::int32_t dy);

  private:
    void TakeCandidateOf(CellSpot cell);
    void LeaveTick();
    bool PointerOverCells() const;
    void Cool();
    void RedrawControlOf(CellSpot cell);
    void RunTimer(CTimer& timer, std::int32_t interval);

    GridStore& store_;
    Geometry& geometry_;
    Painter& painter_;
    EventSinks& events_;
    MouseHost& host_;

    DragState state_ = DragState::None;
    sys::POINT downPoint_{};       // where the last press happened, client coordinates
    CellSpot downCell_;            // the cell under the last press (0s: none)
    std::int16_t pressShift_ = 0;  // the modifiers of the last press, as MouseDown left them
    bool dragRaised_ = false;      // StartCellDrag was raised for the last press
    CellSpot selectionEnd_;        // where the drag selection reached
    CellSpot pointerCell_;         // the cell under the pointer at the last move
    CellSpot lastEntered_;         // the cell MouseEnter was raised for last
    // The control of the pointer's cell that may turn hot, and whether it is drawn hot.
    CellSpot candidateCell_;
    CellControl candidate_;
    bool hot_ = false;
    CTimer leaveTimer_;  // polls whether the pointer has left the grid
    CTimer edgeTimer_;   // scrolls while the pointer is held beyond an edge
};

}  // namespace vexa
