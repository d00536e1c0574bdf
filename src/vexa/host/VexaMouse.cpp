// The mouse over the cells area: a press selects and makes current (or waits for the release
// on a cell selected already), presses on check boxes and combo buttons edit, a move tells the
// host where the pointer is, starts a cell drag once per press and takes the selection along
// with the button held, a release settles a deferred selection, a double click edits.
//
// Every host event may change the grid or destroy its window; each sequence looks again at
// what is left before its next step.
#include <algorithm>

#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

bool AltDown() {
    return sys::GetKeyState(sys::VK_MENU) < 0;
}

bool IsControlCell(std::int32_t type) {
    return type == vxCellCheck || type == vxCellCombo;
}

}  // namespace

// ---- Press ----

void Vexa::OnMouseDown(std::int16_t button, sys::WPARAM keys, sys::POINT at) {
    GridParts& p = *parts_;
    if (!p.appearance.enabled) return;
    // A refused value keeps its editor and swallows the press.
    if (CommitEditForInput() == vxEditResProceed || WindowGone()) return;
    sys::SetFocus(p.window.Handle());
    const CellHit hit = p.geometry.HitTest(at);
    const CellSpot cell{hit.row, hit.col};
    const bool underControl = Mouse::Contains(CellControlAt(cell).rect, at);
    std::int16_t shift = Mouse::ShiftOf(keys, AltDown());
    bool doDefault = true;
    const float x = float(at.x), y = float(at.y);
    p.mouse.BeginPress(at, cell, shift);
    p.events.Raise("MouseDown", [&](VexaEvents& e) {
        e.MouseDown(button, shift, x, y, cell.row, cell.col, doDefault, underControl);
    });
    if (WindowGone()) return;

    const PressStep step = Mouse::PressStepFor(PressFacts{
        .button = button,
        .shift = shift,
        .doDefault = doDefault,
        .onCell = p.selection.Inside(cell),
        .onControl = underControl,
        .cellSelected = p.selection.IsSelected(cell),
        .multiSelect = p.selection.MultiSelect(),
    });
    if (step == PressStep::None) return;
    EndKeySearch();
    p.mouse.SetPressShift(shift);
    if (!underControl) {
        p.mouse.SetState(step == PressStep::Defer ? DragState::SelectionDeferred
                                                  : DragState::CellPressed);
        sys::SetCapture(p.window.Handle());
    }
    if (step == PressStep::Defer) return;
    RunPressStep(step, cell, shift);
    if (WindowGone()) return;
    p.mouse.RefreshCandidate();  // a combo button may show now
    // A check box toggles, a combo button opens its list.
    if (underControl && p.selection.Current() == cell &&
        IsControlCell(p.store.Cell(cell.col, cell.row).CellType())) {
        RequestEdit(0);
    }
}

CellControl Vexa::CellControlAt(const CellSpot& cell) const {
    const GridParts& p = *parts_;
    if (!p.selection.Inside(cell) || p.store.Row(cell.row).groupRow ||
        cell.col == p.store.RowTextColumn()) {
        return {};
    }
    const std::int32_t type = p.store.Cell(cell.col, cell.row).CellType();
    const CellBox box = p.geometry.CellBoundary(cell.row, cell.col);
    const sys::RECT rect{box.left, box.top, box.left + box.width, box.top + box.height};
    if (type == vxCellCheck) return {CellControlKind::CheckBox, p.painter.CheckBoxSquare(rect)};
    const bool buttonShown = p.editor.Settings().editable &&
                             (p.selection.Current() == cell || p.appearance.showControlsInAllCells);
    if (type == vxCellCombo && buttonShown) {
        return {CellControlKind::ComboButton, Painter::ComboButtonSquare(rect)};
    }
    return {};
}

void Vexa::RunPressStep(PressStep step, const CellSpot& cell, std::int16_t shift) {
    Selection& selection = parts_->selection;
    switch (step) {
        case PressStep::Extend:
            selection.ExtendSelection(cell, shift);
            break;
        case PressStep::OnlyCell:
            selection.SelectOnlyCell(cell);
            selection.SetAnchor(cell);
            break;
        case PressStep::Invert:
            InvertCellOrRow(cell);
            // A following Ctrl+Shift press gives the rectangle this cell's new state.
            selection.SetAnchor(cell, selection.IsSelected(cell));
            break;
        case PressStep::MoveSingle:
            selection.MoveSingleSelection(cell);
            selection.SetAnchor(cell);
            break;
        case PressStep::None:
        case PressStep::Defer:
            return;
    }
    if (WindowGone() || !selection.Inside(cell)) return;
    SettleCurrentCell(cell.row, cell.col);
}

void Vexa::InvertCellOrRow(const CellSpot& cell) {
    GridParts& p = *parts_;
    TableWalk walk(p.store);
    if (!p.selection.RowMode()) {
        p.selection.SetCellSelection(cell, !p.selection.IsSelected(cell));
        return;
    }
    for (std::int32_t col = 1; col <= p.store.ColCount(); ++col) {
        const CellSpot each{cell.row, col};
        p.selection.SetCellSelection(each, !p.selection.IsSelected(each));
    }
}

// ---- Move ----

void Vexa::OnMouseMove(sys::WPARAM keys, sys::POINT at) {
    GridParts& p = *parts_;
    if (!p.appearance.enabled) return;
    Mouse& mouse = p.mouse;
    mouse.CoolIfLeft(at);
    const CellHit hit = p.geometry.HitTest(at);
    const CellSpot cell{hit.row, hit.col};
    mouse.SetPointerCell(cell);
    const std::int16_t buttons = Mouse::ButtonsOf(keys);
    const std::int16_t shift = Mouse::ShiftOf(keys, AltDown());
    const float x = float(at.x), y = float(at.y);
    p.events.Raise("MouseMove",
                   [&](VexaEvents& e) { e.MouseMove(buttons, shift, x, y, cell.row, cell.col); });
    if (WindowGone()) return;
    if (mouse.TakeCellDragStart(at)) {
        const CellSpot down = mouse.DownCell();
        p.events.Raise("StartCellDrag", [&](VexaEvents& e) {
            e.StartCellDrag(buttons, shift, x, y, down.row, down.col);
        });
        if (WindowGone()) return;
    }
    mouse.HeatIfOn(at, cell);
    mouse.TrackEnterLeave(cell);
    FollowPointer(keys, at);
}

void Vexa::FollowPointer(sys::WPARAM keys, sys::POINT at) {
    GridParts& p = *parts_;
    Mouse& mouse = p.mouse;
    const DragState state = mouse.State();
    if (state != DragState::CellPressed && state != DragState::Selecting) return;
    if ((keys & sys::MK_LBUTTON) == 0 || WindowGone()) {
        EndMousePress();  // the release went elsewhere
        return;
    }
    const EdgeScroll edge = Mouse::EdgeScrollFor(ClientCellsArea(), at);
    mouse.HoldBeyondEdge(edge != EdgeScroll{});
    ExtendDragSelectionTo(CellNearest(at));
}

void Vexa::ExtendDragSelectionTo(const CellSpot& cell) {
    GridParts& p = *parts_;
    Mouse& mouse = p.mouse;
    if (!p.selection.Inside(cell) || cell == mouse.SelectionEnd()) return;
    mouse.SetState(DragState::Selecting);
    mouse.SetSelectionEnd(cell);
    Selection& selection = p.selection;
    if (selection.MultiSelect()) {
        // As a Shift press there: from the anchor, Ctrl adding the rectangle.
        selection.ExtendSelection(cell, std::int16_t(mouse.PressShift() | Selection::kShiftBit));
    } else {
        selection.MoveSingleSelection(cell);
        selection.SetAnchor(cell);
    }
    if (WindowGone() || !selection.Inside(cell)) return;
    SettleCurrentCell(cell.row, cell.col);
}

CellSpot Vexa::CellNearest(sys::POINT at) {
    GridParts& p = *parts_;
    const sys::RECT area = ClientCellsArea();
    if (area.right - area.left < 2 || area.bottom - area.top < 2) return {};
    // The first pixel line of the area belongs to the row and column before the first shown.
    const sys::POINT inside{std::clamp(at.x, area.left + 1, area.right - 1),
                            std::clamp(at.y, area.top + 1, area.bottom - 1)};
    const CellHit hit = p.geometry.HitTest(inside);
    CellSpot cell{hit.row, hit.col};
    const VisibleRange& range = p.geometry.Visible();
    // Below the last row or right of the last column: the last one.
    if (cell.row == 0 && range.endRow >= 1) cell.row = range.endRow;
    if (cell.col == 0 && range.endPos >= 1 && range.endPos <= p.store.ColCount()) {
        cell.col = p.store.Columns().At(range.endPos).index;
    }
    return cell;
}

sys::RECT Vexa::ClientCellsArea() const {
    GridParts& p = *parts_;
    sys::RECT area = p.geometry.CellsArea(true, true);
    sys::MapWindowPoints(0, p.window.Handle(), &area);
    return area;
}

void Vexa::ScrollBeyondEdge() {
    GridParts& p = *parts_;
    Mouse& mouse = p.mouse;
    const bool pressing =
        mouse.State() == DragState::CellPressed || mouse.State() == DragState::Selecting;
    if (!pressing || WindowGone() || sys::GetKeyState(sys::VK_LBUTTON) >= 0) {
        EndMousePress();
        return;
    }
    sys::POINT at;
    sys::GetCursorPos(&at);
    sys::ScreenToClient(p.window.Handle(), &at);
    const EdgeScroll edge = Mouse::EdgeScrollFor(ClientCellsArea(), at);
    if (edge == EdgeScroll{}) {
        mouse.HoldBeyondEdge(false);
        return;
    }
    ScrollByKey(vxScrollBarH, edge.dx * p.scrollBars->SmallChange(vxScrollBarH));
    ScrollByKey(vxScrollBarV, edge.dy * p.scrollBars->SmallChange(vxScrollBarV));
    if (!WindowGone()) ExtendDragSelectionTo(CellNearest(at));
}

// ---- Release and double click ----

void Vexa::OnMouseUp(std::int16_t button, sys::WPARAM keys, sys::POINT at) {
    GridParts& p = *parts_;
    if (!p.appearance.enabled) return;
    Mouse& mouse = p.mouse;
    const bool deferred = button == 1 && mouse.State() == DragState::SelectionDeferred;
    if (button == 1) EndMousePress();
    const CellSpot pointer = mouse.PointerCell();
    const std::int16_t shift = Mouse::ShiftOf(keys, AltDown());
    const float x = float(at.x), y = float(at.y);
    bool doDefault = true;
    p.events.Raise("MouseUp", [&](VexaEvents& e) {
        e.MouseUp(button, shift, x, y, pointer.row, pointer.col, doDefault);
    });
    if (!deferred || !doDefault || WindowGone()) return;
    if (Mouse::BeyondDragDistance(mouse.DownPoint(), at)) return;  // it was a drag
    const CellSpot down = mouse.DownCell();
    if (!p.selection.Inside(down)) return;
    RunPressStep(Mouse::DeferredStepFor(mouse.PressShift(), p.selection.MultiSelect()), down,
                 mouse.PressShift());
}

void Vexa::OnDoubleClick(sys::WPARAM /*keys*/, sys::POINT /*at*/) {
    GridParts& p = *parts_;
    if (!p.appearance.enabled) return;
    if (CommitEditForInput() == vxEditResProceed || WindowGone()) return;
    const CellHit hit = p.geometry.HitTest(p.mouse.DownPoint());
    bool requestEdit = hit.row >= 1 && hit.col >= 1;
    p.events.Raise("DblClick", [&](VexaEvents& e) { e.DblClick(hit.row, hit.col, requestEdit); });
    if (requestEdit && !WindowGone() && HasCurrentCell()) RequestEdit(0);
}

void Vexa::OnMouseCaptureLost() {
    parts_->mouse.EndPress();
}

void Vexa::EndMousePress() {
    parts_->mouse.EndPress();
    if (sys::GetCapture() == parts_->window.Handle()) sys::ReleaseCapture();
}

bool Vexa::WindowGone() const {
    return !sys::IsWindow(parts_->window.Handle());
}

}  // namespace vexa
