#include "vexa/interact/Keyboard.h"

#include <algorithm>

#include "vexa/model/GridStore.h"
#include "vexa/system/window/Messages.h"

namespace vexa {

namespace {

// Rows asked of the host by one key at most: a host that keeps sending rows that cannot
// be navigated to must not hold the key forever.
constexpr std::int32_t kMaxRowRequestsPerKey = 1000;

constexpr std::int32_t kModifierMask = 7;

bool Navigable(const ColumnRecord& column) {
    return column.visible && column.width > 0 && !column.rowTextColumn;
}

KeyCommand DisabledCommandFor(std::int32_t key) {
    switch (key) {
        case sys::VK_UP:
            return {KeyAction::ScrollVertical, -1};
        case sys::VK_DOWN:
            return {KeyAction::ScrollVertical, 1};
        case sys::VK_LEFT:
            return {KeyAction::ScrollHorizontal, -1};
        case sys::VK_RIGHT:
            return {KeyAction::ScrollHorizontal, 1};
        case sys::VK_PRIOR:
            return {KeyAction::ScrollVerticalPage, -1};
        case sys::VK_NEXT:
            return {KeyAction::ScrollVerticalPage, 1};
        default:
            return {};
    }
}

KeyCommand HorizontalCommand(std::int32_t delta, std::int32_t shift, bool groupRowScrolls,
                             const KeyModes& modes) {
    const bool scrolls = modes.rowMode || ((shift & kModifierMask) == 0 && groupRowScrolls);
    return {scrolls ? KeyAction::ScrollHorizontal : KeyAction::MoveHorizontal, delta, true};
}

}  // namespace

// ---- Decisions ----

std::int32_t Keyboard::TranslateTab(std::int32_t key, std::int32_t shift, bool rowMode) {
    if (key != sys::VK_TAB) return key;
    const bool back = (shift & kShiftBit) != 0;
    if (rowMode) return back ? sys::VK_UP : sys::VK_DOWN;
    return back ? sys::VK_LEFT : sys::VK_RIGHT;
}

KeyCommand Keyboard::CommandFor(std::int32_t key, std::int32_t shift, const KeyModes& modes) {
    if (!modes.enabled) return DisabledCommandFor(key);
    switch (key) {
        case sys::VK_UP:
            return {KeyAction::MoveVertical, -1, true};
        case sys::VK_DOWN:
            return {KeyAction::MoveVertical, 1, true};
        case sys::VK_LEFT:
            return HorizontalCommand(-1, shift, modes.groupRowScrollsLeft, modes);
        case sys::VK_RIGHT:
            return HorizontalCommand(1, shift, modes.groupRowScrollsRight, modes);
        case sys::VK_HOME:
            return {KeyAction::Home, 0, true};
        case sys::VK_END:
            return {KeyAction::End, 0, true};
        case sys::VK_PRIOR:
            return {KeyAction::PageUp, 0, true};
        case sys::VK_NEXT:
            return {KeyAction::PageDown, 0, true};
        case sys::VK_SPACE:
            if ((shift & kCtrlBit) != 0 && modes.multiSelect) return {KeyAction::InvertSelection};
            return {};
        case sys::VK_RETURN:
        case sys::VK_ESCAPE:
            return {KeyAction::None, 0, true};
        case sys::VK_F2:
            return {KeyAction::StartEdit};
        default:
            return {};
    }
}

SelectionStep Keyboard::SelectionStepFor(KeyAction action, std::int32_t shift, bool multiSelect) {
    if (!multiSelect) return SelectionStep::MoveSingle;
    if ((shift & kShiftBit) != 0) return SelectionStep::Extend;
    if ((shift & kCtrlBit) != 0) {
        switch (action) {
            case KeyAction::MoveVertical:
            case KeyAction::MoveHorizontal:
                return SelectionStep::MarkTarget;
            case KeyAction::Home:
            case KeyAction::End:
                return SelectionStep::AnchorToTarget;
            default:
                return SelectionStep::Keep;
        }
    }
    if ((shift & kAltBit) != 0) return SelectionStep::Keep;
    return SelectionStep::OnlyTarget;
}

bool Keyboard::KeepsColumn(KeyAction action) {
    return action == KeyAction::MoveVertical || action == KeyAction::Home ||
           action == KeyAction::End || action == KeyAction::PageUp || action == KeyAction::PageDown;
}

// ---- Navigable rows and columns ----

Keyboard::Keyboard(GridStore& store, KeyboardHost& host) : store_(store), host_(host) {}

bool Keyboard::IsNavigableRow(std::int32_t row) const {
    if (row < 1 || row > store_.RowCount()) return false;
    const RowRecord& record = store_.Row(row);
    return record.visible && record.height > 0;
}

bool Keyboard::IsNavigableColumn(std::int32_t col) const {
    const std::int32_t position = store_.PositionOfIndex(col);
    return position != 0 && Navigable(store_.Columns().At(position));
}

std::int32_t Keyboard::FirstNavigableRow() const {
    for (std::int32_t r = 1; r <= store_.RowCount(); ++r) {
        if (IsNavigableRow(r)) return r;
    }
    return 0;
}

std::int32_t Keyboard::LastNavigableRow() const {
    for (std::int32_t r = store_.RowCount(); r >= 1; --r) {
        if (IsNavigableRow(r)) return r;
    }
    return 0;
}

std::int32_t Keyboard::FirstNavigableColumn() const {
    const ColumnTable& columns = store_.Columns();
    for (std::int32_t p = 1; p <= columns.Count(); ++p) {
        if (Navigable(columns.At(p))) return columns.At(p).index;
    }
    return 0;
}

std::int32_t Keyboard::LastNavigableColumn() const {
    const ColumnTable& columns = store_.Columns();
    for (std::int32_t p = columns.Count(); p >= 1; --p) {
        if (Navigable(columns.At(p))) return columns.At(p).index;
    }
    return 0;
}

// ---- Targets ----

bool Keyboard::HasCurrentRow(CellSpot current) const {
    return current.row >= 1 && current.row <= store_.RowCount();
}

std::int32_t Keyboard::ColumnArriving(std::int32_t row, std::int32_t col) const {
    const std::int32_t rowText = store_.RowTextColumn();
    if (store_.Row(row).groupRow && rowText > 0) return rowText;
    if (col < 1 || col > store_.ColCount() || (rowText > 0 && col == rowText)) {
        return FirstNavigableColumn();
    }
    return col;
}

std::optional<CellSpot> Keyboard::Arrive(std::int32_t row, std::int32_t col) const {
    if (row == 0) return std::nullopt;
    const std::int32_t target = ColumnArriving(row, col);
    if (target == 0) return std::nullopt;
    return CellSpot{row, target};
}

std::optional<CellSpot> Keyboard::FirstCell() const {
    return Arrive(FirstNavigableRow(), FirstNavigableColumn());
}

bool Keyboard::RowAfterLastCame() {
    const std::int32_t before = store_.RowCount();
    return host_.RowsMayFollow() && host_.RequestRowAfterLast() && store_.RowCount() > before;
}

std::int32_t Keyboard::NextNavigableRow(std::int32_t row, std::int32_t dy) {
    std::int32_t requests = 0;
    std::int32_t steps = 0;
    for (std::int32_t r = row + dy; r >= 1; r += dy) {
        if (r > store_.RowCount()) {
            if (dy < 0 || ++requests > kMaxRowRequestsPerKey || !RowAfterLastCame()) return 0;
            if (r > store_.RowCount()) return 0;
        }
        if (IsNavigableRow(r)) return r;
        if (++steps > store_.RowCount()) return 0;
    }
    return 0;
}

std::optional<CellSpot> Keyboard::WrapTo(std::int32_t row, bool forward) const {
    if (row == 0) return std::nullopt;
    const std::int32_t rowText = store_.RowTextColumn();
    if (store_.Row(row).groupRow && rowText > 0) return CellSpot{row, rowText};
    const std::int32_t col = forward ? FirstNavigableColumn() : LastNavigableColumn();
    if (col == 0) return std::nullopt;
    return CellSpot{row, col};
}

std::optional<CellSpot> Keyboard::StepTarget(CellSpot current, std::int32_t dx, std::int32_t dy) {
    if (!HasCurrentRow(current)) return FirstCell();
    if (dy != 0) return Arrive(NextNavigableRow(current.row, dy), current.col);

    const bool forward = dx > 0;
    // On a group row the keys leave the row at once, each in its own direction.
    if (!store_.Row(current.row).groupRow) {
        const ColumnTable& columns = store_.Columns();
        for (std::int32_t p = store_.PositionOfIndex(current.col) + dx;
             p >= 1 && p <= columns.Count(); p += dx) {
            if (Navigable(columns.At(p))) return CellSpot{current.row, columns.At(p).index};
        }
    }
    return WrapTo(NextNavigableRow(current.row, forward ? 1 : -1), forward);
}

std::optional<CellSpot> Keyboard::HomeEndTarget(CellSpot current, bool end) const {
    const std::int32_t col = HasCurrentRow(current) ? current.col : FirstNavigableColumn();
    return Arrive(end ? LastNavigableRow() : FirstNavigableRow(), col);
}

std::optional<CellSpot> Keyboard::PageTarget(CellSpot current, bool down, std::int32_t pageHeight) {
    std::int32_t start = current.row;
    std::int32_t col = current.col;
    if (!HasCurrentRow(current)) {
        start = FirstNavigableRow();
        col = FirstNavigableColumn();
        if (start == 0) return std::nullopt;
    }
    // Copies: asking the host for rows may move the row table.
    const std::int32_t top = store_.Row(start).top;
    const std::int32_t height = store_.Row(start).height;
    if (down) {
        const std::int32_t limit = top + pageHeight - height;
        for (std::int32_t r = NextNavigableRow(start, 1); r != 0; r = NextNavigableRow(r, 1)) {
            if (store_.Row(r).top > limit) return Arrive(r, col);
        }
        return Arrive(LastNavigableRow(), col);
    }
    const std::int32_t limit = top - pageHeight + height;
    for (std::int32_t r = NextNavigableRow(start, -1); r != 0; r = NextNavigableRow(r, -1)) {
        if (store_.Row(r).top < limit) return Arrive(r, col);
    }
    return Arrive(FirstNavigableRow(), col);
}

}  // namespace vexa
