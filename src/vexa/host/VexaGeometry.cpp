// The visible range, hit testing, cell rectangles, bringing cells into view, and painting.
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"

namespace vexa {

void Vexa::GetStartEndCell(std::int32_t& lStartRow, std::int32_t& lStartCol, std::int32_t& lStartX,
                           std::int32_t& lStartY, std::int32_t& lEndRow, std::int32_t& lEndCol,
                           std::int32_t& lEndX, std::int32_t& lEndY) {
    GridParts& p = *parts_;
    const VisibleRange& range = p.geometry.Visible();
    const ColumnTable& columns = p.store.Columns();
    lStartRow = range.startRow;
    lStartCol = columns.At(std::clamp(range.startPos, 0, columns.Count())).index;
    lStartX = range.startX;
    lStartY = range.startY;
    lEndRow = range.endRow;
    lEndCol = columns.At(std::clamp(range.endPos, 0, columns.Count())).index;
    lEndX = range.endX;
    lEndY = range.endY;
}

void Vexa::CellFromPoint(std::int32_t xPixels, std::int32_t yPixels, std::int32_t& lRow,
                         std::int32_t& lCol) {
    const CellHit hit = parts_->geometry.HitTest(sys::POINT{xPixels, yPixels});
    lRow = hit.row;
    lCol = hit.col;
}

void Vexa::CellBoundary(const Variant& vRow, const Variant& vCol, std::int32_t& lLeft,
                        std::int32_t& lTop, std::int32_t& lWidth, std::int32_t& lHeight) {
    GridParts& p = *parts_;
    const std::int32_t row = p.store.ResolveRowArg(vRow);
    const std::int32_t col = p.store.ResolveColArg(vCol);
    const CellBox box = p.geometry.CellBoundary(row, col);
    lLeft = box.left;
    lTop = box.top;
    lWidth = box.width;
    lHeight = box.height;
}

void Vexa::EnsureVisibleRow(const Variant& vRow, EEnsureVisibleRowMode eMode, std::int32_t lGap) {
    GridParts& p = *parts_;
    const std::int32_t row = p.store.ResolveRowArg(vRow);
    CancelEdit();
    if (const auto value = p.geometry.EnsureVisibleRowValue(row, eMode, lGap)) {
        SetScrollValue(vxScrollBarV, *value);
    }
}

void Vexa::EnsureVisibleCol(const Variant& vCol, EEnsureVisibleColMode eMode, std::int32_t lGap) {
    GridParts& p = *parts_;
    const std::int32_t position = p.store.ColPositionOf(vCol);
    CancelEdit();
    if (const auto value = p.geometry.EnsureVisibleColValue(position, eMode, lGap)) {
        SetScrollValue(vxScrollBarH, *value);
    }
}

void Vexa::EnsureVisibleCell(const Variant& vRow, const Variant& vCol) {
    GridParts& p = *parts_;
    const std::int32_t row = p.store.ResolveRowArg(vRow);
    const std::int32_t position = p.store.ColPositionOf(vCol);
    CancelEdit();
    const RowRecord& record = p.store.Row(row);
    const ColumnRecord& column = p.store.Columns().At(position);
    if (!record.visible) return;
    std::int32_t target = column.index;
    if (column.rowTextColumn || record.groupRow) {
        if (p.store.RowTextStartCol() > 0) {
            target = p.store.RowTextStartCol();
        } else {
            target = 0;
            for (std::int32_t q = 1; q <= p.store.ColCount(); ++q) {
                const ColumnRecord& candidate = p.store.Columns().At(q);
                if (candidate.visible && !candidate.rowTextColumn && candidate.includeInSelect) {
                    target = candidate.index;
                    break;
                }
            }
            if (target == 0) return;
        }
    } else if (!column.visible) {
        return;
    }
    MakeCellVisible(row, target);
}

// ---- Painting ----

void Vexa::Draw() {
    parts_->painter.Draw();
}

// Painting shows the visible range only. While nothing else waits to be painted (no full
// repaint, no area below the rows, a valid range, no rows to ask for, no column being
// resized), a change outside that range would leave every pixel as it is: the painter need
// not look over every cell in view to find that out after each change.
bool Vexa::PaintingIdle() {
    GridParts& p = *parts_;
    const PaintFlags& flags = p.painter.Flags();
    return p.appearance.redraw && flags.shown && !flags.fullRepaint && !flags.repaintBelow &&
           !flags.columnResize && p.geometry.State() == RangeState::Valid &&
           !p.virtualRows.enabled && !p.virtualRows.requesting;
}

bool Vexa::RowOutOfView(std::int32_t row) {
    const VisibleRange& range = parts_->geometry.Visible();
    return range.endRow < 1 || row < range.startRow || row > range.endRow;
}

void Vexa::DrawChangedRow(std::int32_t row) {
    if (PaintingIdle() && RowOutOfView(row)) return;
    Draw();
}

void Vexa::DrawCell(const Variant& vRow, const Variant& vCol) {
    GridParts& p = *parts_;
    p.store.ResolveCellArgs(vRow, vCol);
    p.store.Cell(p.store.ResolvedCol(), p.store.ResolvedRow()).SetFlag(kCellNeedsRepaint, true);
    p.painter.Draw();
}

bool Vexa::Redraw() const {
    return parts_->appearance.redraw;
}

// Switching painting on repaints everything, the area below the rows too: while it was off
// the window may have been uncovered or rows removed.
void Vexa::SetRedraw(bool redraw) {
    parts_->appearance.redraw = redraw;
    if (redraw) RepaintAll(true);
}

}  // namespace vexa
