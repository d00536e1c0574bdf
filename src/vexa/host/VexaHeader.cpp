// The column header in the grid: its items kept in step with the columns, and what the user
// does with it turned into grid behaviour and the grid's header events: sorting on a click,
// moving a column by dragging its title, resizing by dragging or double-clicking a divider,
// right clicks, the mouse entering and leaving titles.
#include <algorithm>
#include <optional>

#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/system/automation/Log.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr std::int16_t kShiftBit = 1;
constexpr std::int16_t kCtrlBit = 2;
constexpr std::int16_t kAltBit = 4;

bool HasHeaderItem(const ColumnRecord& column) {
    return column.visible && !column.rowTextColumn;
}

// The position a column at `p` takes when the column at `from` moves to `to`.
std::int32_t PositionAfterMove(std::int32_t p, std::int32_t from, std::int32_t to) {
    if (p == from) return to;
    if (from < to && p > from && p <= to) return p - 1;
    if (from > to && p >= to && p < from) return p + 1;
    return p;
}

// True when the text editor the grid shows for a cell lies under the cursor.
bool CursorOverTextEditor(sys::HWND grid) {
    sys::POINT cursor;
    sys::GetCursorPos(&cursor);
    for (sys::HWND child : sys::GetChildWindows(grid)) {
        sys::RECT rect;
        if (sys::GetClassName(child) != "EDIT" || !sys::IsWindowVisible(child)) continue;
        sys::GetWindowRect(child, &rect);
        if (cursor.x >= rect.left && cursor.x < rect.right && cursor.y >= rect.top &&
            cursor.y < rect.bottom)
            return true;
    }
    return false;
}

}  // namespace

std::shared_ptr<HeaderObject> Vexa::Header() const {
    return parts_->headerObject.Shared();
}

// ---- Messages of the control's window ----

sys::LRESULT Vexa::OnNotify(sys::WPARAM wParam, sys::LPARAM lParam) {
    const auto* header = reinterpret_cast<const sys::NMHDR*>(lParam);
    if (header != nullptr && header->hwndFrom != 0 && header->hwndFrom == parts_->header.Handle()) {
        return parts_->header.OnNotify(*header);
    }
    return sys::DefWindowProc(hwnd(), sys::WM_NOTIFY, wParam, lParam);
}

sys::LRESULT Vexa::OnDrawItem(sys::WPARAM wParam, sys::LPARAM lParam) {
    const auto* draw = reinterpret_cast<const sys::DRAWITEMSTRUCT*>(lParam);
    if (draw != nullptr && draw->CtlType == sys::ODT_HEADER && draw->hwndItem != 0 &&
        draw->hwndItem == parts_->header.Handle()) {
        parts_->header.OnDrawItem(*draw);
        return 1;
    }
    return sys::DefWindowProc(hwnd(), sys::WM_DRAWITEM, wParam, lParam);
}

// ---- Mapping ----

std::int32_t Vexa::ColumnOfHeaderItem(std::int32_t item) const {
    if (item < 0) return 0;
    const std::int32_t position = parts_->header.ItemPosition(item);
    if (position < 1 || position > parts_->store.ColCount()) return 0;
    return parts_->store.Columns().At(position).index;
}

std::int16_t Vexa::ShiftState() const {
    std::int16_t shift = 0;
    if (sys::GetKeyState(sys::VK_SHIFT) < 0) shift |= kShiftBit;
    if (sys::GetKeyState(sys::VK_CONTROL) < 0) shift |= kCtrlBit;
    if (sys::GetKeyState(sys::VK_MENU) < 0) shift |= kAltBit;
    return shift;
}

// ---- Clicks ----

void Vexa::OnHeaderColumnClick(std::int32_t item, std::int32_t x, std::int32_t y) {
    GridParts& p = *parts_;
    CancelEdit();
    const std::int32_t col = ColumnOfHeaderItem(item);
    const std::int16_t shift = ShiftState();
    bool doDefault = true;
    p.events.Raise("ColHeaderClick",
                   [&](VexaEvents& e) { e.ColHeaderClick(col, doDefault, shift, x, y); });
    if (!doDefault || col == 0) return;
    try {
        DoDefaultSort(col, shift, -1);
    } catch (...) {
        // The handler changed the grid so that the column cannot be sorted now.
        LogSwallowedException("DoDefaultSort");
        return;
    }
    p.events.Raise("ContentsSorted", [&](VexaEvents& e) { e.ContentsSorted(); });
}

void Vexa::OnHeaderColumnDblClick(std::int32_t item) {
    const std::int32_t col = ColumnOfHeaderItem(item);
    parts_->events.Raise("ColHeaderDblClick", [&](VexaEvents& e) { e.ColHeaderDblClick(col); });
}

void Vexa::OnHeaderRightClick(std::int32_t x, std::int32_t y) {
    GridParts& p = *parts_;
    CancelEdit();
    std::int32_t col = 0;
    std::int32_t right = 0;
    for (std::int32_t position = 1; position <= p.store.ColCount(); ++position) {
        const ColumnRecord& column = p.store.Columns().At(position);
        if (!HasHeaderItem(column)) continue;
        right += column.width;
        if (right > x) {
            col = column.index;
            break;
        }
    }
    const std::int16_t shift = ShiftState();
    p.events.Raise("HeaderRightClick",
                   [&](VexaEvents& e) { e.HeaderRightClick(col, shift, x, y); });
}

void Vexa::OnHeaderMouseEnter(std::int32_t item) {
    const std::int32_t col = ColumnOfHeaderItem(item);
    parts_->events.Raise("ColHeaderMouseEnter", [&](VexaEvents& e) { e.ColHeaderMouseEnter(col); });
}

void Vexa::OnHeaderMouseLeave(std::int32_t item) {
    const std::int32_t col = ColumnOfHeaderItem(item);
    parts_->events.Raise("ColHeaderMouseLeave", [&](VexaEvents& e) { e.ColHeaderMouseLeave(col); });
}

void Vexa::OnHeaderMouseActivate(bool& cancel) {
    // A click meant for the cell's text editor must not activate the header.
    if (CursorOverTextEditor(hwnd())) cancel = true;
}

// ---- Moving columns ----

void Vexa::OnHeaderBeginDrag(std::int32_t item, bool& cancel) {
    CancelEdit();
    const std::int32_t col = ColumnOfHeaderItem(item);
    parts_->events.Raise("ColHeaderBeginDrag",
                         [&](VexaEvents& e) { e.ColHeaderBeginDrag(col, cancel); });
}

void Vexa::OnHeaderEndDrag(std::int32_t item, std::int32_t newOrder, bool& cancel) {
    GridParts& p = *parts_;
    if (newOrder == -1) return;
    p.geometry.Invalidate(RangeState::ScrolledHorizontally);
    const std::int32_t from = p.header.ItemPosition(item);
    // The target is the display position of the shown column that stands at the item's new
    // place among the header items (the row-text column has no item, so it does not count).
    std::int32_t to = 0;
    std::int32_t shown = 0;
    for (std::int32_t position = 1; position <= p.store.ColCount() && to == 0; ++position) {
        if (HasHeaderItem(p.store.Columns().At(position)) && ++shown == newOrder + 1) to = position;
    }
    if (from < 1 || from > p.store.ColCount() || to == 0 || p.store.Walking()) {
        cancel = true;  // nothing the columns could follow: the header keeps its order too
        return;
    }
    if (to == from) return;
    const std::int32_t col = p.store.Columns().At(from).index;
    const std::int32_t before = p.store.Columns().At(to).index;
    p.events.Raise("ColHeaderEndDrag",
                   [&](VexaEvents& e) { e.ColHeaderEndDrag(col, before, cancel); });
    // A handler may have changed the columns; the move then no longer fits them.
    if (cancel || p.store.Columns().PositionOfIndex(col) != from) {
        cancel = true;
        return;
    }
    MoveColumn(from, to);
}

void Vexa::MoveColumn(std::int32_t from, std::int32_t to) {
    GridParts& p = *parts_;
    ColumnTable& columns = p.store.Columns();
    ColumnRecord moved = std::move(columns.At(from));
    const std::int32_t step = from < to ? 1 : -1;
    for (std::int32_t position = from; position != to; position += step)
        columns.At(position) = std::move(columns.At(position + step));
    columns.At(to) = std::move(moved);
    RenumberHeaderItems(from, to);
    p.geometry.RecomputeColumnPositions();
    p.painter.ResetCachedState();
    Draw();
}

void Vexa::RenumberHeaderItems(std::int32_t from, std::int32_t to) {
    cHeaderControl& header = parts_->header;
    const std::int32_t count = header.ItemCount();
    for (std::int32_t item = 0; item < count; ++item) {
        const std::int32_t position = header.ItemPosition(item);
        const std::int32_t moved = PositionAfterMove(position, from, to);
        if (moved != position) header.SetItemPosition(item, moved);
    }
}

// ---- Resizing columns ----

void Vexa::OnHeaderStartResize(std::int32_t item, std::int32_t width) {
    GridParts& p = *parts_;
    CancelEdit();
    const std::int32_t position = p.header.ItemPosition(item);
    const std::int32_t col = ColumnOfHeaderItem(item);
    p.events.Raise("StartColWidthChange",
                   [&](VexaEvents& e) { e.StartColWidthChange(col, width); });
    if (position < 1 || position > p.store.ColCount()) return;
    p.painter.Flags().columnResize = true;
    // The cursor stays where the width keeps within the column's limits.
    const ColumnRecord& column = p.store.Columns().At(position);
    sys::RECT confine;
    sys::GetWindowRect(sys::GetDesktopWindow(), &confine);
    sys::POINT cursor;
    sys::GetCursorPos(&cursor);
    if (column.minWidth >= 0) confine.left = cursor.x + (column.minWidth - width);
    if (column.maxWidth >= 0) confine.right = cursor.x + (column.maxWidth - width) + 1;
    if (column.minWidth >= 0 || column.maxWidth >= 0) sys::ClipCursor(&confine);
    if (!p.appearance.immediateColumnResizing) {
        p.painter.MoveResizeMarker(position, std::nullopt, false, true);
    }
}

void Vexa::OnHeaderTrackResize(std::int32_t item, std::int32_t width) {
    GridParts& p = *parts_;
    const std::int32_t position = p.header.ItemPosition(item);
    const std::int32_t col = ColumnOfHeaderItem(item);
    if (col == 0) return;
    if (!p.appearance.immediateColumnResizing) {
        p.painter.MoveResizeMarker(position, width, true, true);
        p.events.Raise("ColWidthChanging", [&](VexaEvents& e) { e.ColWidthChanging(col, width); });
        return;
    }
    p.geometry.Invalidate(RangeState::ScrolledHorizontally);
    p.events.Raise("ColWidthChanging", [&](VexaEvents& e) { e.ColWidthChanging(col, width); });
    const std::int32_t now = p.store.Columns().PositionOfIndex(col);
    if (now == 0) return;
    p.store.Columns().At(now).width = width;
    p.geometry.RecomputeColumnPositions();
    p.painter.ResetCachedState();
    Draw();
}

void Vexa::OnHeaderResized(std::int32_t item, std::int32_t width) {
    GridParts& p = *parts_;
    sys::ClipCursor(nullptr);
    const std::int32_t position = p.header.ItemPosition(item);
    const std::int32_t col = ColumnOfHeaderItem(item);
    if (!p.appearance.immediateColumnResizing) {
        p.geometry.Invalidate(RangeState::ScrolledHorizontally);
        p.painter.MoveResizeMarker(position, std::nullopt, true, false);
    }
    p.painter.Flags().columnResize = false;
    if (col == 0) return;
    SetColumnWidth(position, std::clamp(width, 0, GridStore::kMaxColumnWidth));
    p.events.Raise("ColWidthChanged", [&](VexaEvents& e) { e.ColWidthChanged(col, width); });
}

void Vexa::OnHeaderDividerDblClick(std::int32_t item) {
    GridParts& p = *parts_;
    CancelEdit();
    const std::int32_t col = ColumnOfHeaderItem(item);
    bool doDefault = true;
    p.events.Raise("ColDividerDblClick",
                   [&](VexaEvents& e) { e.ColDividerDblClick(col, doDefault); });
    const std::int32_t position = p.store.Columns().PositionOfIndex(col);
    if (!doDefault || col == 0 || position == 0) return;
    try {
        AutoWidthCol(col);
    } catch (...) {
        // A handler left the grid where the column cannot be fitted now.
        LogSwallowedException("AutoWidthCol");
        return;
    }
    Draw();
    const std::int32_t width = p.store.Columns().At(position).width;
    p.events.Raise("ColWidthChanged", [&](VexaEvents& e) { e.ColWidthChanged(col, width); });
}

// ---- The header window ----

void Vexa::OnHeaderRecreated() {
    InsertHeaderItems();
}

void Vexa::OnHeaderHeightChanged() {
    parts_->geometry.Invalidate(RangeState::RecomputeAll);
    parts_->painter.ResetCachedState();
    Draw();
}

void Vexa::OnHeaderVisibilityChanged() {
    parts_->geometry.Invalidate(RangeState::RecomputeAll);
    CancelEdit();
    RepositionHeader();
    parts_->painter.ResetCachedState();
    Draw();
}

void Vexa::HeaderThemeChanged() {
    parts_->header.ChangeTheme();
    if (HeaderAutoHeightWants(vxHAHOnThemeChange)) HeaderFitHeight();
}

void Vexa::RepositionHeader() {
    GridParts& p = *parts_;
    if (!p.header.Visible()) return;
    sys::RECT client;
    sys::GetClientRect(hwnd(), &client);
    const std::int32_t width = p.scrollBars->Max(vxScrollBarH) + client.right + 1;
    const std::int32_t left =
        p.scrollBars->Visible(vxScrollBarH) ? -p.scrollBars->Value(vxScrollBarH) : 0;
    const sys::RECT& now = p.header.Rect();
    if (now.left == left && now.right - now.left == width) return;
    p.header.Place(left, width);
}

// ---- Items in step with the columns ----

void Vexa::InsertHeaderItems() {
    const ColumnTable& columns = parts_->store.Columns();
    for (std::int32_t position = 1; position <= columns.Count(); ++position) {
        const ColumnRecord& column = columns.At(position);
        if (HasHeaderItem(column)) parts_->header.InsertItem(column.width, position, -1);
    }
}

void Vexa::RebuildHeaderItems() {
    // The items there are stand for the first shown columns, so that a layout of as many
    // shown columns as before costs no item made or removed; the order is then as made.
    cHeaderControl& header = parts_->header;
    const ColumnTable& columns = parts_->store.Columns();
    std::int32_t item = 0;
    const std::int32_t count = header.ItemCount();
    for (std::int32_t position = 1; position <= columns.Count(); ++position) {
        const ColumnRecord& column = columns.At(position);
        if (!HasHeaderItem(column)) continue;
        if (item < count) {
            header.SetItemWidthAndPosition(item, column.width, position);
        } else {
            header.InsertItem(column.width, position, -1);
        }
        ++item;
    }
    for (std::int32_t last = count - 1; last >= item; --last) header.DeleteItem(last);
    header.ResetItemOrder();
}

void Vexa::HeaderColumnInserted(std::int32_t position, bool append) {
    // The items of the columns after the new one stand for positions one further on (an
    // appended column has none after it).
    cHeaderControl& header = parts_->header;
    const std::int32_t count = append ? 0 : header.ItemCount();
    for (std::int32_t item = 0; item < count; ++item) {
        const std::int32_t stored = header.ItemPosition(item);
        if (stored >= position) header.SetItemPosition(item, stored + 1);
    }
    // Among the items it stands where its position puts it, whatever hidden columns lie
    // around it.
    std::int32_t headerIndex = 0;
    for (std::int32_t p = 1; p < position; ++p) {
        if (HasHeaderItem(parts_->store.Columns().At(p))) ++headerIndex;
    }
    HeaderInsertItem(headerIndex, position, parts_->store.Columns().At(position).width);
}

void Vexa::HeaderColumnRemoved(std::int32_t position, bool hadItem) {
    cHeaderControl& header = parts_->header;
    if (hadItem) HeaderDeleteItem(position);
    const std::int32_t count = header.ItemCount();
    for (std::int32_t item = 0; item < count; ++item) {
        const std::int32_t stored = header.ItemPosition(item);
        if (stored > position) header.SetItemPosition(item, stored - 1);
    }
}

void Vexa::HeaderRemoveAllItems() {
    for (std::int32_t item = parts_->header.ItemCount() - 1; item >= 0; --item)
        parts_->header.DeleteItem(item);
}

void Vexa::HeaderAutoHeight(std::int32_t occasion) {
    if (HeaderAutoHeightWants(occasion)) HeaderFitHeight();
}

void Vexa::RepaintHeaderNow() {
    parts_->header.UpdateNow();
}

void Vexa::RefreshEntireHeader() {
    parts_->header.RefreshEntireHeader();
}

void Vexa::HeaderInsertItem(std::int32_t headerIndex, std::int32_t position, std::int32_t width) {
    parts_->header.InsertItem(width, position, headerIndex);
}

void Vexa::HeaderDeleteItem(std::int32_t position) {
    const std::int32_t item = parts_->header.FindItem(position);
    if (item >= 0) parts_->header.DeleteItem(item);
}

void Vexa::HeaderMoveItem(std::int32_t from, std::int32_t toOrder) {
    // The item goes after the items of the shown columns that end up left of the column,
    // which hidden columns and the row-text column (having no items) do not count among.
    const std::int32_t to = toOrder + 1;
    const std::int32_t item = parts_->header.FindItem(from);
    if (item >= 0) {
        std::int32_t order = 0;
        for (std::int32_t p = 1; p <= parts_->store.ColCount(); ++p) {
            if (p == from || PositionAfterMove(p, from, to) >= to) continue;
            if (HasHeaderItem(parts_->store.Columns().At(p))) ++order;
        }
        parts_->header.SetItemOrder(item, order);
    }
    RenumberHeaderItems(from, to);
}

void Vexa::HeaderSetItemWidth(std::int32_t position, std::int32_t width) {
    const std::int32_t item = parts_->header.FindItem(position);
    if (item >= 0) parts_->header.SetItemWidth(item, width);
}

void Vexa::HeaderUpdateItem(std::int32_t position) {
    const std::int32_t item = parts_->header.FindItem(position);
    if (item >= 0) parts_->header.RepaintItem(item);
}

std::int32_t Vexa::HeaderFittedWidth(std::int32_t position) const {
    const std::int32_t item = parts_->header.FindItem(position);
    if (item < 0) return 0;
    return parts_->header.CalcItemAutoSize(item, 0, false).cx;
}

bool Vexa::HeaderAutoHeightWants(std::int32_t flag) const {
    return (parts_->headerObject->AutoHeightFlags() & flag) != 0;
}

void Vexa::HeaderFitHeight() {
    parts_->header.AutoHeight();
}

}  // namespace vexa
