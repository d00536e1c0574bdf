// Column and row attributes, and the control-level row settings. Every Let checks all its
// arguments first, so a refused call leaves the grid as it was.
#include <algorithm>

#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/model/GridErrors.h"

namespace vexa {

namespace {

bool HasHeaderItem(const ColumnRecord& column) {
    return column.visible && !column.rowTextColumn;
}

std::int32_t ClampToLimits(const ColumnRecord& column, std::int32_t width) {
    if (column.minWidth >= 0) width = std::max(width, column.minWidth);
    if (column.maxWidth >= 0) width = std::min(width, column.maxWidth);
    return std::min(width, GridStore::kMaxColumnWidth);
}

}  // namespace

// ---- Internal operations ----

ColumnRecord& Vexa::ColumnAt(const Variant& vCol) const {
    return parts_->store.Columns().At(parts_->store.ColPositionOf(vCol));
}

void Vexa::SetColumnWidth(std::int32_t position, std::int32_t width) {
    parts_->geometry.Invalidate(RangeState::ScrolledHorizontally);
    CancelEdit();
    ColumnRecord& column = parts_->store.Columns().At(position);
    column.width = width;
    parts_->geometry.RecomputeColumnPositions();
    if (HasHeaderItem(column)) HeaderSetItemWidth(position, width);
    parts_->painter.ResetCachedState();
    Draw();
}

void Vexa::RefreshHeaderItem(std::int32_t position) {
    if (HasHeaderItem(parts_->store.Columns().At(position))) HeaderUpdateItem(position);
}

void Vexa::ContentChangeAutoHeight() {
    if (!HeaderAutoHeightWants(vxHAHOnContentsChange)) return;
    HeaderFitHeight();
    parts_->painter.ResetCachedState();
    Draw();
}

void Vexa::MarkRowForRepaint(std::int32_t row) {
    CellRecord* cells = parts_->store.Cells().Row(row);
    if (!cells) return;
    for (std::int32_t c = 0; c < parts_->store.ColCount(); ++c)
        cells[c].SetFlag(kCellNeedsRepaint, true);
}

// ---- Column widths ----

std::int32_t Vexa::ColWidth(const Variant& vCol) const {
    return ColumnAt(vCol).width;
}

void Vexa::SetColWidth(const Variant& vCol, std::int32_t width) {
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    if (width < 0) RaiseGridError(kErrInvalidArgument);
    SetColumnWidth(position, ClampToLimits(parts_->store.Columns().At(position), width));
}

std::int32_t Vexa::ColMinWidth(const Variant& vCol) const {
    return ColumnAt(vCol).minWidth;
}

void Vexa::SetColMinWidth(const Variant& vCol, std::int32_t width) {
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    ColumnRecord& column = parts_->store.Columns().At(position);
    if (width >= 0 && column.maxWidth >= 0 && column.maxWidth < width) {
        RaiseGridError(kErrMaxBelowMin);
    }
    column.minWidth = width;
    if (width >= 0 && column.width < width) SetColumnWidth(position, width);
}

std::int32_t Vexa::ColMaxWidth(const Variant& vCol) const {
    return ColumnAt(vCol).maxWidth;
}

void Vexa::SetColMaxWidth(const Variant& vCol, std::int32_t width) {
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    ColumnRecord& column = parts_->store.Columns().At(position);
    if (width >= 0 && column.minWidth >= 0 && column.minWidth > width) {
        RaiseGridError(kErrMaxBelowMin);
    }
    column.maxWidth = width;
    if (width >= 0 && column.width > width) SetColumnWidth(position, width);
}

bool Vexa::ColAllowSizing(const Variant& vCol) const {
    return ColumnAt(vCol).allowSizing;
}

void Vexa::SetColAllowSizing(const Variant& vCol, bool allow) {
    ColumnAt(vCol).allowSizing = allow;
}

// ---- Visibility and order ----

bool Vexa::ColVisible(const Variant& vCol) const {
    return ColumnAt(vCol).visible;
}

void Vexa::SetColVisible(const Variant& vCol, bool visible) {
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    parts_->geometry.Invalidate(RangeState::ScrolledHorizontally);
    ColumnRecord& column = parts_->store.Columns().At(position);
    if (column.rowTextColumn || column.visible == visible) return;

    CancelEdit();
    column.visible = visible;
    if (visible) {
        // Header items exist for visible columns other than the row-text column only.
        std::int32_t headerIndex = 0;
        for (std::int32_t p = 1; p < position; ++p) {
            if (HasHeaderItem(parts_->store.Columns().At(p))) ++headerIndex;
        }
        HeaderInsertItem(headerIndex, position, column.width);
        if (HeaderAutoHeightWants(vxHAHOnShowCol)) HeaderFitHeight();
    } else {
        HeaderDeleteItem(position);
        if (HeaderAutoHeightWants(vxHAHOnHideCol)) HeaderFitHeight();
    }
    parts_->geometry.RecomputeColumnPositions();
    parts_->painter.ResetCachedState();
    Draw();
}

void Vexa::SetColOrder(const Variant& vCol, std::int32_t order) {
    parts_->store.CheckShapeUnlocked();
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    if (order < 1 || order > parts_->store.ColCount()) RaiseGridError(kErrSubscriptOutOfRange);
    CancelEdit();
    if (order == position) return;

    HeaderMoveItem(position, order - 1);
    // Swapping neighbours moves whole records (keys, tags and default cells move with
    // their columns); the cells, addressed by column index, stay where they are.
    ColumnTable& columns = parts_->store.Columns();
    const std::int32_t step = order > position ? 1 : -1;
    for (std::int32_t p = position; p != order; p += step)
        std::swap(columns.At(p), columns.At(p + step));
    parts_->geometry.RecomputeColumnPositions();
    parts_->painter.ResetCachedState();
    Draw();
}

// ---- Tags and header ----

Variant Vexa::ColTag(const Variant& vCol) const {
    return ColumnAt(vCol).tag;
}

void Vexa::SetColTag(const Variant& vCol, const Variant& tag) {
    ColumnAt(vCol).tag = tag;
}

std::string Vexa::ColHeaderText(const Variant& vCol) const {
    return ColumnAt(vCol).headerText;
}

void Vexa::SetColHeaderText(const Variant& vCol, const std::string& text) {
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    parts_->store.Columns().At(position).headerText = text;
    RefreshHeaderItem(position);
    ContentChangeAutoHeight();
}

std::int16_t Vexa::ColHeaderIcon(const Variant& vCol) const {
    return ColumnAt(vCol).headerIcon;
}

void Vexa::SetColHeaderIcon(const Variant& vCol, std::int16_t icon) {
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    parts_->store.Columns().At(position).headerIcon = icon;
    RefreshHeaderItem(position);
    ContentChangeAutoHeight();
}

std::int32_t Vexa::ColHeaderTextFlags(const Variant& vCol) const {
    return ColumnAt(vCol).headerTextFlags;
}

void Vexa::SetColHeaderTextFlags(const Variant& vCol, std::int32_t flags) {
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    parts_->store.Columns().At(position).headerTextFlags = flags;
    RefreshHeaderItem(position);
}

OLE_COLOR Vexa::ColHeaderBackColor(const Variant& vCol) const {
    return ColumnAt(vCol).headerBackColor;
}

void Vexa::SetColHeaderBackColor(const Variant& vCol, OLE_COLOR color) {
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    parts_->store.Columns().At(position).headerBackColor = color;
    RefreshHeaderItem(position);
}

OLE_COLOR Vexa::ColHeaderForeColor(const Variant& vCol) const {
    return ColumnAt(vCol).headerForeColor;
}

void Vexa::SetColHeaderForeColor(const Variant& vCol, OLE_COLOR color) {
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    parts_->store.Columns().At(position).headerForeColor = color;
    RefreshHeaderItem(position);
}

// ---- Rows ----

std::int32_t Vexa::RowHeight(const Variant& vRow) {
    return parts_->store.Row(parts_->store.ResolveRowArg(vRow)).height;
}

void Vexa::SetRowHeight(const Variant& vRow, std::int32_t height) {
    const std::int32_t row = parts_->store.ResolveRowArg(vRow);
    parts_->geometry.Invalidate(RangeState::RecomputeAll);
    CancelEdit();
    // Any height is taken (a negative one takes no room), but one beyond the pixel range
    // would run the rows below it off every coordinate: heights stop at what can be shown.
    height = std::min(height, GridStore::kMaxRowHeight);
    parts_->store.Row(row).height = height;
    parts_->geometry.RecomputeRowPositionsFrom(row + 1);
    parts_->painter.EnlargeRowBuffer(height);
    parts_->painter.ResetCachedState();
    Draw();
}

bool Vexa::RowVisible(const Variant& vRow) {
    return parts_->store.Row(parts_->store.ResolveRowArg(vRow)).visible;
}

void Vexa::SetRowVisible(const Variant& vRow, bool visible) {
    const std::int32_t row = parts_->store.ResolveRowArg(vRow);
    parts_->geometry.Invalidate(RangeState::RecomputeAll);
    CancelEdit();
    if (parts_->store.Row(row).visible == visible) return;

    parts_->store.Row(row).visible = visible;
    parts_->geometry.RecomputeRowPositionsFrom(row);
    parts_->geometry.RowParityChangedFrom(visible ? row : row + 1);
    parts_->painter.ResetCachedState();
    Draw();
}

bool Vexa::RowIsGroup(const Variant& vRow) {
    return parts_->store.Row(parts_->store.ResolveRowArg(vRow)).groupRow;
}

void Vexa::SetRowIsGroup(const Variant& vRow, bool group) {
    const std::int32_t row = parts_->store.ResolveRowArg(vRow);
    if (parts_->store.Row(row).groupRow == group) return;
    parts_->store.SetRowGroup(row, group);
    MarkRowForRepaint(row);
    Draw();
}

std::int32_t Vexa::RowGroupStartCol(const Variant& vRow) {
    return parts_->store.Row(parts_->store.ResolveRowArg(vRow)).groupStartCol;
}

void Vexa::SetRowGroupStartCol(const Variant& vRow, std::int32_t col) {
    const std::int32_t row = parts_->store.ResolveRowArg(vRow);
    if (parts_->store.Row(row).groupStartCol == col) return;
    parts_->store.Row(row).groupStartCol = col;
    MarkRowForRepaint(row);
    Draw();
}

Variant Vexa::RowTag(const Variant& vRow) {
    return parts_->store.Row(parts_->store.ResolveRowArg(vRow)).Tag();
}

void Vexa::SetRowTag(const Variant& vRow, const Variant& tag) {
    parts_->store.Row(parts_->store.ResolveRowArg(vRow)).SetTag(tag);
}

// ---- Control-level ----

std::int32_t Vexa::DefaultRowHeight() const {
    return parts_->store.DefaultRowHeight();
}

void Vexa::SetDefaultRowHeight(std::int32_t height) {
    if (height < 1) RaiseGridError(kErrInvalidArgument);
    if (height != parts_->store.DefaultRowHeight()) {
        parts_->store.SetDefaultRowHeight(height);
        // Existing rows keep their heights; only what is drawn below the last row or in
        // the row-text band depends on the default.
        const vexa::Appearance& look = parts_->appearance;
        const bool horizontalLines =
            look.gridLines == vxGridLinesHorizontal || look.gridLines == vxGridLinesBoth;
        const bool extendDown = look.gridLinesExtend == vxGridLinesExtendDown ||
                                look.gridLinesExtend == vxGridLinesExtendBoth;
        if ((horizontalLines && extendDown) ||
            (look.drawRowText && parts_->store.RowTextColumn() > 0)) {
            parts_->painter.ResetCachedState();
            Draw();
        }
    }
    PropertyChanged("DefaultRowHeight");
}

std::int32_t Vexa::RowTextStartCol() const {
    return parts_->store.RowTextStartCol();
}

void Vexa::SetRowTextStartCol(std::int32_t col) {
    parts_->store.CheckColIndex(col);
    parts_->store.SetRowTextStartCol(col);
}

}  // namespace vexa
