// Measuring cell text and fitting columns and rows to their content.
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/model/GridErrors.h"

namespace vexa {

namespace {

bool RowTextActive(const GridParts& p) {
    return p.adapters.geometry.RowTextActive();
}

}  // namespace

std::int32_t Vexa::EvaluateTextWidth(const Variant& vRow, const Variant& vCol,
                                     bool bForceNoModify) {
    GridParts& p = *parts_;
    const std::int32_t row = p.store.ResolveRowArg(vRow);
    const std::int32_t col = p.store.ResolveColArg(vCol);
    return p.measure.TextWidth(row, col, 0, bForceNoModify);
}

std::int32_t Vexa::EvaluateTextHeight(const Variant& vRow, const Variant& vCol) {
    GridParts& p = *parts_;
    const std::int32_t row = p.store.ResolveRowArg(vRow);
    const std::int32_t col = p.store.ResolveColArg(vCol);
    return p.measure.TextHeight(row, col);
}

void Vexa::CellTextBoundary(const Variant& vRow, const Variant& vCol, std::int32_t& lLeft,
                            std::int32_t& lTop, std::int32_t& lWidth, std::int32_t& lHeight) {
    GridParts& p = *parts_;
    const std::int32_t row = p.store.ResolveRowArg(vRow);
    const std::int32_t col = p.store.ResolveColArg(vCol);
    const CellBox box = p.measure.TextBoundary(row, col);
    lLeft = box.left;
    lTop = box.top;
    lWidth = box.width;
    lHeight = box.height;
}

void Vexa::AutoWidthCol(const Variant& vCol) {
    GridParts& p = *parts_;
    const std::int32_t position = p.store.ColPositionOf(vCol);
    p.geometry.Invalidate(RangeState::RecomputeAll);
    CancelEdit();
    const std::int32_t header = p.autoWidthColWithHeader ? HeaderFittedWidth(position) : 0;
    std::int32_t width = 0;
    {
        // Custom-drawn cells ask the host for their size on the way.
        TableWalk walk(p.store);
        width = p.measure.FitColumn(position, header);
    }
    if (width > 0) SetColumnWidth(position, std::min(width, GridStore::kMaxColumnWidth));
}

void Vexa::AutoHeightRow(const Variant& vRow, std::int32_t lMinimumHeight) {
    GridParts& p = *parts_;
    const std::int32_t row = p.store.ResolveRowArg(vRow);
    const std::int32_t minimum = lMinimumHeight == -1 ? p.store.DefaultRowHeight() : lMinimumHeight;
    const bool rowText = RowTextActive(p);
    RowFit fit;
    {
        TableWalk walk(p.store);
        fit = p.measure.FitRow(row, minimum, rowText);
    }
    p.store.Row(row).normalCellHeight = rowText ? fit.normalCellHeight : 0;
    SetRowHeight(row, fit.height);
}

bool Vexa::AutoWidthColWithHeader() const {
    return parts_->autoWidthColWithHeader;
}

void Vexa::SetAutoWidthColWithHeader(bool value) {
    parts_->autoWidthColWithHeader = value;
    PropertyChanged("AutoWidthColWithHeader");
}

std::int32_t Vexa::RowNormalCellHeight(const Variant& vRow) {
    GridParts& p = *parts_;
    return p.store.Row(p.store.ResolveRowArg(vRow)).normalCellHeight;
}

void Vexa::SetRowNormalCellHeight(const Variant& vRow, std::int32_t height) {
    GridParts& p = *parts_;
    const std::int32_t row = p.store.ResolveRowArg(vRow);
    CancelEdit();
    p.store.Row(row).normalCellHeight = height;
    MarkRowForRepaint(row);
    Draw();
}

}  // namespace vexa
