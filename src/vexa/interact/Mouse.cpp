#include "vexa/interact/Mouse.h"

#include <cstdlib>

#include "vexa/events/EventSinks.h"
#include "vexa/model/GridStore.h"
#include "vexa/render/Geometry.h"
#include "vexa/render/Painter.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr std::int16_t kShift = 1;
constexpr std::int16_t kCtrl = 2;
constexpr std::int16_t kAlt = 4;

bool IsRealCell(CellSpot cell) {
    return cell.row != 0 && cell.col != 0;
}

}  // namespace

Mouse::Mouse(GridStore& store, Geometry& geometry, Painter& painter, EventSinks& events,
             MouseHost& host)
    : store_(store), geometry_(geometry), painter_(painter), events_(events), host_(host) {
    leaveTimer_.SetThatTimeHandler([this] { LeaveTick(); });
    edgeTimer_.SetThatTimeHandler([this] { host_.MouseDidHoldBeyondEdge(); });
}

// ---- Classifiers ----

PressStep Mouse::PressStepFor(const PressFacts& facts) {
    if (facts.button != 1 || !facts.doDefault || !facts.onCell) return PressStep::None;
    if (facts.multiSelect && facts.cellSelected && !facts.onControl) return PressStep::Defer;
    return DeferredStepFor(facts.shift, facts.multiSelect);
}

PressStep Mouse::DeferredStepFor(std::int16_t shift, bool multiSelect) {
    if (!multiSelect) return PressStep::MoveSingle;
    if ((shift & kShift) != 0) return PressStep::Extend;
    return (shift & kCtrl) != 0 ? PressStep::Invert : PressStep::OnlyCell;
}

bool Mouse::Contains(const sys::RECT& rect, sys::POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

bool Mouse::BeyondDragDistance(sys::POINT down, sys::POINT at) {
    return std::abs(at.x - down.x) > kDragDistance || std::abs(at.y - down.y) > kDragDistance;
}

std::int16_t Mouse::ButtonsOf(sys::WPARAM keys) {
    return std::int16_t(((keys & sys::MK_LBUTTON) != 0 ? 1 : 0) |
                        ((keys & sys::MK_RBUTTON) != 0 ? 2 : 0) |
                        ((keys & sys::MK_MBUTTON) != 0 ? 4 : 0));
}

std::int16_t Mouse::ShiftOf(sys::WPARAM keys, bool altDown) {
    return std::int16_t(((keys & sys::MK_SHIFT) != 0 ? kShift : 0) |
                        ((keys & sys::MK_CONTROL) != 0 ? kCtrl : 0) | (altDown ? kAlt : 0));
}

EdgeScroll Mouse::EdgeScrollFor(const sys::RECT& cellsArea, sys::POINT at) {
    EdgeScroll scroll;
    if (at.x < cellsArea.left) scroll.dx = -1;
    if (at.x >= cellsArea.right) scroll.dx = 1;
    if (at.y < cellsArea.top) scroll.dy = -1;
    if (at.y >= cellsArea.bottom) scroll.dy = 1;
    return scroll;
}

// ---- The press under way ----

void Mouse::BeginPress(sys::POINT at, CellSpot cell, std::int16_t shift) {
    EndPress();
    dragRaised_ = false;
    downPoint_ = at;
    downCell_ = cell;
    pressShift_ = shift;
    selectionEnd_ = cell;
}

bool Mouse::TakeCellDragStart(sys::POINT at) {
    if (state_ == DragState::None || dragRaised_ || !BeyondDragDistance(downPoint_, at)) {
        return false;
    }
    dragRaised_ = true;
    return true;
}

void Mouse::EndPress() {
    state_ = DragState::None;
    HoldBeyondEdge(false);
}

void Mouse::HoldBeyondEdge(bool beyond) {
    RunTimer(edgeTimer_, beyond ? kEdgeScrollMs : 0);
}

// A timer the platform cannot give leaves that help out; the mouse works without it.
void Mouse::RunTimer(CTimer& timer, std::int32_t interval) {
    try {
        timer.SetInterval(interval);
    } catch (...) {
    }
}

// ---- The pointer and the hot control ----

CellSpot Mouse::HotCell() const {
    return hot_ ? candidateCell_ : CellSpot{};
}

void Mouse::CoolIfLeft(sys::POINT at) {
    if (hot_ && !Contains(candidate_.rect, at)) Cool();
}

void Mouse::HeatIfOn(sys::POINT at, CellSpot pointerCell) {
    if (hot_ || candidate_.kind == CellControlKind::None || candidateCell_ != pointerCell ||
        !Contains(candidate_.rect, at)) {
        return;
    }
    hot_ = true;
    RedrawControlOf(candidateCell_);
}

void Mouse::TrackEnterLeave(CellSpot pointerCell) {
    if (pointerCell == lastEntered_) return;
    const CellSpot left = lastEntered_;
    lastEntered_ = pointerCell;
    if (hot_) Cool();
    candidateCell_ = {};
    candidate_ = {};
    if (IsRealCell(left)) {
        RunTimer(leaveTimer_, 0);
        events_.Raise("MouseLeave", [&](VexaEvents& e) { e.MouseLeave(left.row, left.col); });
    }
    const bool inside = pointerCell.row >= 1 && pointerCell.row <= store_.RowCount() &&
                        pointerCell.col >= 1 && pointerCell.col <= store_.ColCount();
    if (!inside || lastEntered_ != pointerCell) return;  // a handler moved on meanwhile
    events_.Raise("MouseEnter",
                  [&](VexaEvents& e) { e.MouseEnter(pointerCell.row, pointerCell.col); });
    RunTimer(leaveTimer_, kLeaveTimerMs);
    if (lastEntered_ == pointerCell) TakeCandidateOf(pointerCell);
}

void Mouse::RefreshCandidate() {
    if (!hot_ && IsRealCell(lastEntered_) && lastEntered_ == pointerCell_) {
        TakeCandidateOf(pointerCell_);
    }
}

void Mouse::TakeCandidateOf(CellSpot cell) {
    candidateCell_ = cell;
    candidate_ = host_.ControlsHaveHotLook() ? host_.ControlOf(cell) : CellControl{};
}

void Mouse::ScrollHotControl(std::int32_t dx, std::int32_t dy) {
    if (candidate_.kind == CellControlKind::None) return;
    candidate_.rect.left -= dx;
    candidate_.rect.right -= dx;
    candidate_.rect.top -= dy;
    candidate_.rect.bottom -= dy;
}

void Mouse::LeaveTick() {
    if (PointerOverCells()) return;
    RunTimer(leaveTimer_, 0);
    if (hot_) Cool();
    candidateCell_ = {};
    candidate_ = {};
    // Forgotten, so that coming back to the same cell is an entry again.
    const CellSpot left = lastEntered_;
    lastEntered_ = {};
    events_.Raise("MouseLeave", [&](VexaEvents& e) { e.MouseLeave(left.row, left.col); });
}

bool Mouse::PointerOverCells() const {
    sys::POINT cursor;
    sys::GetCursorPos(&cursor);
    return Contains(geometry_.CellsArea(true, true), cursor) &&
           sys::WindowFromPoint(cursor) == host_.MouseWindow();
}

void Mouse::Cool() {
    hot_ = false;
    RedrawControlOf(candidateCell_);
}

void Mouse::RedrawControlOf(CellSpot cell) {
    if (cell.row < 1 || cell.row > store_.RowCount() || cell.col < 1 ||
        cell.col > store_.ColCount()) {
        return;
    }
    store_.Cell(cell.col, cell.row).SetFlag(kCellNeedsRepaint, true);
    painter_.Draw();
}

}  // namespace vexa
