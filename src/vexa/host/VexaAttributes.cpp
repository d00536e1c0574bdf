// Column and row attributes, and the control-level row settings. Every Let checks all its
// arguments first, so a refused call leaves the grid as it was.
#include <algorithm>

#include "vexa/host/Vexa.h"
#include "vexa/model/GridErrors.h"

namespace vexa {

namespace {

constexpr std::int32_t kInvalidateAll = 1;
constexpr std::int32_t kInvalidateColumns = 4;

bool HasHeaderItem(const ColumnRecord& column) {
    return column.visible && !column.rowTextColumn;
}

std::int32_t ClampToLimits(const ColumnRecord& column, std::int32_t width) {
    if (column.minWidth >= 0) width = std::max(width, column.minWidth);
    if (column.maxWidth >= 0) width = std::min(width, column.maxWidth);
    return width;
}

}  // namespace

// ---- Internal operations ----

void Vexa::SetColumnWidth(std::int32_t position, std::int32_t width) {
    InvalidateVisibleRange(kInvalidateColumns);
    CancelEdit();
    ColumnRecord& column = mStore.Columns().At(position);
    column.width = width;
    mStore.Columns().RecomputePositions();
    if (HasHeaderItem(column)) HeaderSetItemWidth(position, width);
    ResetPainterState();
    Draw();
}

void Vexa::RefreshHeaderItem(std::int32_t position) {
    if (HasHeaderItem(mStore.Columns().At(position))) HeaderUpdateItem(position);
}

void Vexa::ContentChangeAutoHeight() {
    if (!HeaderAutoHeightWants(vxHAHOnContentsChange)) return;
    HeaderFitHeight();
    ResetPainterState();
    Draw();
}

void Vexa::MarkRowForRepaint(std::int32_t row) {
    CellRecord* cells = mStore.Cells().Row(row);
    if (!cells) return;
    for (std::int32_t c = 0; c < mStore.ColCount(); ++c) cells[c].SetFlag(kCellNeedsRepaint, true);
}

// ---- Column widths ----

std::int32_t Vexa::ColWidth(const Variant& vCol) const {
    return ColumnAt(vCol).width;
}

void Vexa::SetColWidth(const Variant& vCol, std::int32_t width) {
    const std::int32_t position = mStore.ColPositionOf(vCol);
    if (width < 0) RaiseGridError(kErrInvalidArgument);
    SetColumnWidth(position, ClampToLimits(mStore.Columns().At(position), width));
}

std::int32_t Vexa::ColMinWidth(const Variant& vCol) const {
    return ColumnAt(vCol).minWidth;
}

void Vexa::SetColMinWidth(const Variant& vCol, std::int32_t width) {
    const std::int32_t position = mStore.ColPositionOf(vCol);
    ColumnRecord& column = mStore.Columns().At(position);
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
    const std::int32_t position = mStore.ColPositionOf(vCol);
    ColumnRecord& column = mStore.Columns().At(position);
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
    const std::int32_t position = mStore.ColPositionOf(vCol);
    InvalidateVisibleRange(kInvalidateColumns);
    ColumnRecord& column = mStore.Columns().At(position);
    if (column.rowTextColumn || column.visible == visible) return;

    CancelEdit();
    column.visible = visible;
    if (visible) {
        // Header items exist for visible columns other than the row-text column only.
        std::int32_t headerIndex = 0;
        for (std::int32_t p = 1; p < position; ++p) {
            if (HasHeaderItem(mStore.Columns().At(p))) ++headerIndex;
        }
        HeaderInsertItem(headerIndex, position, column.width);
        if (HeaderAutoHeightWants(vxHAHOnShowCol)) HeaderFitHeight();
    } else {
        HeaderDeleteItem(position);
        if (HeaderAutoHeightWants(vxHAHOnHideCol)) HeaderFitHeight();
    }
    mStore.Columns().RecomputePositions();
    ResetPainterState();
    Draw();
}

void Vexa::SetColOrder(const Variant& vCol, std::int32_t order) {
    const std::int32_t position = mStore.ColPositionOf(vCol);
    if (order < 1 || order > mStore.ColCount()) RaiseGridError(kErrSubscriptOutOfRange);
    CancelEdit();
    if (order == position) return;

    HeaderMoveItem(position, order - 1);
    // Swapping neighbours moves whole records (keys, tags and default cells move with
    // their columns); the cells, addressed by column index, stay where they are.
    ColumnTable& columns = mStore.Columns();
    const std::int32_t step = order > position ? 1 : -1;
    for (std::int32_t p = position; p != order; p += step)
        std::swap(columns.At(p), columns.At(p + step));
    columns.RecomputePositions();
    ResetPainterState();
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
    const std::int32_t position = mStore.ColPositionOf(vCol);
    mStore.Columns().At(position).headerText = text;
    RefreshHeaderItem(position);
    ContentChangeAutoHeight();
}

std::int16_t Vexa::ColHeaderIcon(const Variant& vCol) const {
    return ColumnAt(vCol).headerIcon;
}

void Vexa::SetColHeaderIcon(const Variant& vCol, std::int16_t icon) {
    const std::int32_t position = mStore.ColPositionOf(vCol);
    mStore.Columns().At(position).headerIcon = icon;
    RefreshHeaderItem(position);
    ContentChangeAutoHeight();
}

std::int32_t Vexa::ColHeaderTextFlags(const Variant& vCol) const {
    return ColumnAt(vCol).headerTextFlags;
}

void Vexa::SetColHeaderTextFlags(const Variant& vCol, std::int32_t flags) {
    const std::int32_t position = mStore.ColPositionOf(vCol);
    mStore.Columns().At(position).headerTextFlags = flags;
    RefreshHeaderItem(position);
}

OLE_COLOR Vexa::ColHeaderBackColor(const Variant& vCol) const {
    return ColumnAt(vCol).headerBackColor;
}

void Vexa::SetColHeaderBackColor(const Variant& vCol, OLE_COLOR color) {
    const std::int32_t position = mStore.ColPositionOf(vCol);
    mStore.Columns().At(position).headerBackColor = color;
    RefreshHeaderItem(position);
}

OLE_COLOR Vexa::ColHeaderForeColor(const Variant& vCol) const {
    return ColumnAt(vCol).headerForeColor;
}

void Vexa::SetColHeaderForeColor(const Variant& vCol, OLE_COLOR color) {
    const std::int32_t position = mStore.ColPositionOf(vCol);
    mStore.Columns().At(position).headerForeColor = color;
    RefreshHeaderItem(position);
}

// ---- Rows ----

std::int32_t Vexa::RowHeight(const Variant& vRow) {
    return mStore.Row(mStore.ResolveRowArg(vRow)).height;
}

void Vexa::SetRowHeight(const Variant& vRow, std::int32_t height) {
    const std::int32_t row = mStore.ResolveRowArg(vRow);
    InvalidateVisibleRange(kInvalidateAll);
    CancelEdit();
    mStore.Row(row).height = height;
    mStore.RecomputeTopsFrom(row + 1);
    EnlargeRowBuffer(height);
    ResetPainterState();
    Draw();
}

bool Vexa::RowVisible(const Variant& vRow) {
    return mStore.Row(mStore.ResolveRowArg(vRow)).visible;
}

void Vexa::SetRowVisible(const Variant& vRow, bool visible) {
    const std::int32_t row = mStore.ResolveRowArg(vRow);
    InvalidateVisibleRange(kInvalidateAll);
    CancelEdit();
    if (mStore.Row(row).visible == visible) return;

    mStore.Row(row).visible = visible;
    mStore.RecomputeTopsFrom(row + 1);
    if (mStore.EagerParity()) {
        mStore.RecomputeParityFrom(visible ? row : row + 1);
    } else {
        mStore.SetParityDirty(true);
    }
    ResetPainterState();
    Draw();
}

bool Vexa::RowIsGroup(const Variant& vRow) {
    return mStore.Row(mStore.ResolveRowArg(vRow)).groupRow;
}

void Vexa::SetRowIsGroup(const Variant& vRow, bool group) {
    const std::int32_t row = mStore.ResolveRowArg(vRow);
    if (mStore.Row(row).groupRow == group) return;
    mStore.SetRowGroup(row, group);
    MarkRowForRepaint(row);
    Draw();
}

std::int32_t Vexa::RowGroupStartCol(const Variant& vRow) {
    return mStore.Row(mStore.ResolveRowArg(vRow)).groupStartCol;
}

void Vexa::SetRowGroupStartCol(const Variant& vRow, std::int32_t col) {
    const std::int32_t row = mStore.ResolveRowArg(vRow);
    if (mStore.Row(row).groupStartCol == col) return;
    mStore.Row(row).groupStartCol = col;
    MarkRowForRepaint(row);
    Draw();
}

Variant Vexa::RowTag(const Variant& vRow) {
    return mStore.Row(mStore.ResolveRowArg(vRow)).tag;
}

void Vexa::SetRowTag(const Variant& vRow, const Variant& tag) {
    mStore.Row(mStore.ResolveRowArg(vRow)).tag = tag;
}

// ---- Control-level ----

std::int32_t Vexa::DefaultRowHeight() const {
    return mStore.DefaultRowHeight();
}

void Vexa::SetDefaultRowHeight(std::int32_t height) {
    if (height < 1) RaiseGridError(kErrInvalidArgument);
    if (height != mStore.DefaultRowHeight()) {
        mStore.SetDefaultRowHeight(height);
        // Existing rows keep their heights; only what is drawn below the last row or in
        // the row-text band depends on the default.
        if (HorizontalGridLinesExtendDown() || (DrawRowTextOn() && mStore.RowTextColumn() > 0)) {
            ResetPainterState();
            Draw();
        }
    }
    PropertyChanged("DefaultRowHeight");
}

std::int32_t Vexa::RowTextStartCol() const {
    return mStore.RowTextStartCol();
}

void Vexa::SetRowTextStartCol(std::int32_t col) {
    mStore.CheckColIndex(col);
    mStore.SetRowTextStartCol(col);
}

}  // namespace vexa
