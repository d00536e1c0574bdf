// The current cell and KeyPressBehaviour in their simplest form, enough for editing: the
// selection and keyboard roles replace this file with the whole of their behaviour.
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/model/GridErrors.h"

namespace vexa {

namespace {

std::int32_t ResolveIndex(const Variant& v, std::int32_t count,
                          std::int32_t (GridStore::*byKey)(const std::string&) const,
                          const GridStore& store) {
    std::int32_t index = 0;
    if (v.IsString()) {
        index = (store.*byKey)(v.StringRef());
    } else if (v.IsNumericType()) {
        index = v.ToLong();
    } else {
        RaiseGridError(kErrSubscriptOutOfRange);
    }
    if (index < 0 || index > count) RaiseGridError(kErrSubscriptOutOfRange);
    return index;
}

}  // namespace

void Vexa::SetCurCell(const Variant& vRow, const Variant& vCol) {
    GridParts& p = *parts_;
    const std::int32_t row = ResolveIndex(vRow, p.store.RowCount(), &GridStore::RowIndex, p.store);
    const std::int32_t col = ResolveIndex(vCol, p.store.ColCount(), &GridStore::ColIndex, p.store);
    if (row == p.store.CurrentRow() && col == p.store.CurrentCol()) return;
    CancelEdit();
    MarkCurrentCellForRepaint();
    p.store.SetCurrentCell(row, col);
    MarkCurrentCellForRepaint();
    Draw();
    p.events.Raise("CurCellChange", [&](VexaEvents& e) { e.CurCellChange(row, col); });
}

EKeyPressBehaviour Vexa::KeyPressBehaviour() const {
    return parts_->keyPressBehaviour;
}

void Vexa::SetKeyPressBehaviour(EKeyPressBehaviour eBehaviour) {
    parts_->keyPressBehaviour = eBehaviour;
}

}  // namespace vexa
