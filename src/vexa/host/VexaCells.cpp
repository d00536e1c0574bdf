// Cell values and attributes. Every member resolves its cell first (513 before anything
// changes); every Let except CellCtrlKey ends by marking the cell and drawing it.
#include <utility>

#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/model/GridErrors.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

constexpr std::int32_t kLastCellType = vxCellCustomDraw;

void CheckCellType(std::int32_t type) {
    if (type < vxCellText || type > kLastCellType) RaiseGridError(kErrInvalidArgument);
}

void CheckTypeFlags(std::int32_t flags) {
    if ((flags & ~std::int32_t{kCellTypeFlagsMask}) != 0) RaiseGridError(kErrInvalidArgument);
}

void CheckHatch(std::int32_t hatch) {
    if (hatch < 0 || hatch > vxHatchNone) RaiseGridError(kErrInvalidArgument);
}

}  // namespace

const CellRecord& Vexa::ReadCell(const Variant& vRow, const Variant& vCol) {
    const CellIndices cell = parts_->store.ResolveCellArgs(vRow, vCol);
    parts_->lastCellRow = cell.row;
    parts_->lastCellCol = cell.col;
    // Read through the const path: a row still sharing its cells keeps sharing them.
    return std::as_const(parts_->store).Cell(cell.col, cell.row);
}

CellRecord& Vexa::ResolvedCell(const Variant& vRow, const Variant& vCol) {
    ReadCell(vRow, vCol);
    return parts_->store.Cell(parts_->lastCellCol, parts_->lastCellRow);
}

template <class Field>
void Vexa::SetCellField(const Variant& vRow, const Variant& vCol, Field CellRecord::*field,
                        Field value) {
    CellRecord& cell = ResolvedCell(vRow, vCol);
    cell.*field = value;
    CellChanged(cell);
}

void Vexa::CellChanged(CellRecord& cell) {
    cell.SetFlag(kCellNeedsRepaint, true);
    DrawChangedRow(parts_->lastCellRow);
}

void Vexa::RecomputeComboItem(CellRecord& cell) {
    const ComboMatch match = parts_->cellValues.MatchComboItem(cell.ctrlKeyIndex, cell.value);
    cell.comboItemIndex = match.itemIndex;
    cell.icon = match.icon;
}

Variant Vexa::CellValue(const Variant& vRow, const Variant& vCol) {
    return ReadCell(vRow, vCol).value;
}

void Vexa::SetCellValue(const Variant& vRow, const Variant& vCol, const Variant& value) {
    CellRecord& cell = ResolvedCell(vRow, vCol);
    cell.value = value;
    if (cell.CellType() == vxCellCombo) RecomputeComboItem(cell);
    CellChanged(cell);
}

std::string Vexa::CellText(const Variant& vRow, const Variant& vCol) {
    return parts_->cellValues.DisplayText(ReadCell(vRow, vCol));
}

std::int32_t Vexa::CellTextFlags(const Variant& vRow, const Variant& vCol) {
    return ReadCell(vRow, vCol).textFlags;
}

void Vexa::SetCellTextFlags(const Variant& vRow, const Variant& vCol, std::int32_t flags) {
    SetCellField(vRow, vCol, &CellRecord::textFlags, flags);
}

std::int16_t Vexa::CellIndent(const Variant& vRow, const Variant& vCol) {
    return ReadCell(vRow, vCol).indent;
}

void Vexa::SetCellIndent(const Variant& vRow, const Variant& vCol, std::int16_t indent) {
    SetCellField(vRow, vCol, &CellRecord::indent, indent);
}

std::int16_t Vexa::CellRightIndent(const Variant& vRow, const Variant& vCol) {
    return ReadCell(vRow, vCol).rightIndent;
}

void Vexa::SetCellRightIndent(const Variant& vRow, const Variant& vCol, std::int16_t indent) {
    SetCellField(vRow, vCol, &CellRecord::rightIndent, indent);
}

std::int32_t Vexa::CellType(const Variant& vRow, const Variant& vCol) {
    return ReadCell(vRow, vCol).CellType();
}

void Vexa::SetCellType(const Variant& vRow, const Variant& vCol, std::int32_t type) {
    CellRecord& cell = ResolvedCell(vRow, vCol);
    // The three type bits hold 0..7; a value outside the cell types would make a cell of no
    // known kind, so it is refused rather than stored.
    CheckCellType(type);
    cell.flags = static_cast<std::uint8_t>((cell.flags & ~kCellTypeMask) | type);
    if (type == vxCellCombo) RecomputeComboItem(cell);
    CellChanged(cell);
}

std::int32_t Vexa::CellTypeFlags(const Variant& vRow, const Variant& vCol) {
    return ReadCell(vRow, vCol).TypeFlags();
}

void Vexa::SetCellTypeFlags(const Variant& vRow, const Variant& vCol, std::int32_t flags) {
    CellRecord& cell = ResolvedCell(vRow, vCol);
    // Bits outside 3..5 would overwrite the selection and repaint bits of the cell.
    CheckTypeFlags(flags);
    cell.flags = static_cast<std::uint8_t>((cell.flags & ~kCellTypeFlagsMask) | flags);
    CellChanged(cell);
}

std::string Vexa::CellCtrlKey(const Variant& vRow, const Variant& vCol) {
    return parts_->cellValues.ComboKey(ReadCell(vRow, vCol));
}

void Vexa::SetCellCtrlKey(const Variant& vRow, const Variant& vCol, const std::string& key) {
    CellRecord& cell = ResolvedCell(vRow, vCol);
    if (cell.CellType() != vxCellCombo) return;
    cell.ctrlKeyIndex = parts_->cellValues.ComboListIndex(key);
    RecomputeComboItem(cell);
}

std::int16_t Vexa::CellIcon(const Variant& vRow, const Variant& vCol) {
    return ReadCell(vRow, vCol).icon;
}

void Vexa::SetCellIcon(const Variant& vRow, const Variant& vCol, std::int16_t icon) {
    SetCellField(vRow, vCol, &CellRecord::icon, icon);
}

std::int16_t Vexa::CellExtraIcon(const Variant& vRow, const Variant& vCol) {
    return ReadCell(vRow, vCol).extraIcon;
}

void Vexa::SetCellExtraIcon(const Variant& vRow, const Variant& vCol, std::int16_t icon) {
    SetCellField(vRow, vCol, &CellRecord::extraIcon, icon);
}

OLE_COLOR Vexa::CellBackColor(const Variant& vRow, const Variant& vCol) {
    return ReadCell(vRow, vCol).backColor;
}

void Vexa::SetCellBackColor(const Variant& vRow, const Variant& vCol, OLE_COLOR color) {
    SetCellField(vRow, vCol, &CellRecord::backColor, color);
}

OLE_COLOR Vexa::CellForeColor(const Variant& vRow, const Variant& vCol) {
    return ReadCell(vRow, vCol).foreColor;
}

void Vexa::SetCellForeColor(const Variant& vRow, const Variant& vCol, OLE_COLOR color) {
    SetCellField(vRow, vCol, &CellRecord::foreColor, color);
}

void Vexa::CellDefaultBackColor(std::int32_t vRow, const Variant& vCol) {
    SetCellBackColor(Variant(vRow), vCol, kDefaultColor);
}

void Vexa::CellDefaultForeColor(const Variant& vRow, const Variant& vCol) {
    SetCellForeColor(vRow, vCol, kDefaultColor);
}

std::int32_t Vexa::CellHatch(const Variant& vRow, const Variant& vCol) {
    return ReadCell(vRow, vCol).hatch;
}

void Vexa::SetCellHatch(const Variant& vRow, const Variant& vCol, std::int32_t hatch) {
    CellRecord& cell = ResolvedCell(vRow, vCol);
    // The cell keeps its hatch in one byte; only the hatch styles fit and mean something.
    CheckHatch(hatch);
    cell.hatch = static_cast<std::uint8_t>(hatch);
    CellChanged(cell);
}

std::string Vexa::CellFmtString(const Variant& vRow, const Variant& vCol) {
    return parts_->cellValues.Formats().At(ReadCell(vRow, vCol).fmtStringIndex);
}

void Vexa::SetCellFmtString(const Variant& vRow, const Variant& vCol, const std::string& format) {
    CellRecord& cell = ResolvedCell(vRow, vCol);
    cell.fmtStringIndex = parts_->cellValues.Formats().Enter(format);
    CellChanged(cell);
}

std::shared_ptr<vexa::Font> Vexa::CellFont(const Variant& vRow, const Variant& vCol) {
    return parts_->cellValues.LiveFontFor(ReadCell(vRow, vCol));
}

void Vexa::SetCellFont(const Variant& vRow, const Variant& vCol,
                       const std::shared_ptr<vexa::Font>& font) {
    CellRecord& cell = ResolvedCell(vRow, vCol);
    if (!font) RaiseRuntimeError(rtObjectNotSet);
    cell.fontIndex = parts_->cellValues.Fonts().Enter(*font);
    CellChanged(cell);
}

void Vexa::CellDefaultFont(const Variant& vRow, const Variant& vCol) {
    CellRecord& cell = ResolvedCell(vRow, vCol);
    cell.fontIndex = 0;
    CellChanged(cell);
}

void Vexa::LiveCellFontChanged(const vexa::Font& font) {
    // The cell addressed last may have gone since (rows removed, columns removed).
    const std::int32_t row = parts_->lastCellRow;
    const std::int32_t col = parts_->lastCellCol;
    if (row < 1 || row > parts_->store.RowCount() || col < 1 || col > parts_->store.ColCount())
        return;
    CellRecord& cell = parts_->store.Cell(col, row);
    cell.fontIndex = parts_->cellValues.Fonts().Enter(font);
    CellChanged(cell);
}

Variant Vexa::InitValue(std::int32_t eCellType) const {
    return CellValues::InitValue(eCellType);
}

std::shared_ptr<CellObject> Vexa::ColDefaultCell(const Variant& vCol) const {
    return parts_->store.Columns().At(parts_->store.ColPositionOf(vCol)).defaultCell;
}

}  // namespace vexa
