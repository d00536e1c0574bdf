#include "vexa/model/CellValues.h"

#include "vexa/model/CellText.h"
#include "vexa/model/GridErrors.h"
#include "vexa/model/GridStore.h"

namespace vexa {

CellValues::CellValues(GridStore& store, std::function<void(const Font&)> liveFontChanged)
    : liveFontChanged_(std::move(liveFontChanged)), link_(std::make_shared<CellObjectHostLink>()) {
    link_->host = this;
    store.SetDefaultCellSource(this);
    liveFontToken_ = liveFont_->Subscribe([this](std::string_view) { LiveFontChanged(); });
}

CellValues::~CellValues() {
    // Default cells and the live font may outlive the grid in a host's hands.
    link_->host = nullptr;
    liveFont_->Unsubscribe(liveFontToken_);
}

Variant CellValues::InitValue(std::int32_t cellType) {
    switch (cellType) {
        case vxCellText:
            return Variant(std::string());
        case vxCellCombo:
        case vxCellCustomDraw:
            return Variant();
        case vxCellCheck:
            return Variant(std::int32_t{0});
        default:
            RaiseGridError(kErrInvalidArgument);
    }
}

std::shared_ptr<Font> CellValues::FontOf(const CellRecord& cell) const {
    auto font = fonts_.At(cell.fontIndex);
    return font ? font : gridFont_;
}

std::shared_ptr<Font> CellValues::LiveFontFor(const CellRecord& cell) {
    fillingLiveFont_ = true;
    try {
        liveFont_->SetAttributes(FontOf(cell)->Attributes());
    } catch (...) {
        fillingLiveFont_ = false;
        throw;
    }
    fillingLiveFont_ = false;
    return liveFont_;
}

void CellValues::LiveFontChanged() {
    if (fillingLiveFont_ || !liveFontChanged_) return;
    liveFontChanged_(*liveFont_);
}

std::string CellValues::DisplayText(const CellRecord& cell) const {
    if (cell.CellType() != vxCellCombo || cell.comboItemIndex < 0 || comboLists_ == nullptr) {
        return DisplayTextOf(cell, formats_);
    }
    return DisplayTextOf(cell, formats_,
                         comboLists_->ItemText(cell.ctrlKeyIndex, cell.comboItemIndex));
}

std::string CellValues::ComboKey(const CellRecord& cell) const {
    if (cell.ctrlKeyIndex == 0 || comboLists_ == nullptr) return {};
    return comboLists_->KeyOfList(cell.ctrlKeyIndex);
}

std::shared_ptr<CellObject> CellValues::CreateDefaultCell() {
    return std::make_shared<CellObject>(link_);
}

std::int16_t CellValues::DefaultCellFontIndex(const CellObject& defaultCell) {
    const std::shared_ptr<Font>& font = defaultCell.oFont();
    if (!font) return 0;
    // The font is entered as it is now, so changes the host made to its font object since
    // handing it to the default cell reach the new cells.
    try {
        return fonts_.Enter(*font);
    } catch (...) {
        // A full table cannot take the font; a new row must still be made, so its cells fall
        // back to the grid font rather than failing half-way through.
        return 0;
    }
}

bool CellValues::FontStillEnters(const CellObject& defaultCell, std::int16_t fontIndex) const {
    // Entries are distinct: an entry equal to the font is the one entering it would find.
    const std::shared_ptr<Font>& font = defaultCell.oFont();
    const std::shared_ptr<Font> entry = fonts_.At(fontIndex);
    return font ? entry && entry->IsEqual(*font) : fontIndex == 0;
}

void CellValues::InitCellFromDefault(const CellObject& defaultCell, CellRecord& cell) {
    cell.backColor = defaultCell.oBackColor();
    cell.foreColor = defaultCell.oForeColor();
    cell.textFlags = defaultCell.eTextFlags();
    cell.icon = defaultCell.iIconIndex();
    cell.extraIcon = defaultCell.iExtraIconIndex();
    cell.indent = defaultCell.iIndent();
    cell.rightIndent = defaultCell.iRightIndent();
    cell.hatch = static_cast<std::uint8_t>(defaultCell.eHatch());
    cell.fontIndex = DefaultCellFontIndex(defaultCell);
    cell.fmtStringIndex = defaultCell.FmtStringIndex();
    cell.ctrlKeyIndex = defaultCell.CtrlKeyIndex();
    cell.value = defaultCell.vValue();
    cell.flags = static_cast<std::uint8_t>((defaultCell.eType() & kCellTypeMask) |
                                           (defaultCell.eTypeFlags() & kCellTypeFlagsMask));
    cell.SetFlag(kCellSelected, defaultCell.bSelected());
    cell.SetFlag(kCellNeedsRepaint, true);
    cell.comboItemIndex = -1;
    if (defaultCell.eType() == vxCellCombo && defaultCell.ComboItemIndex() >= 0) {
        cell.comboItemIndex = defaultCell.ComboItemIndex();
        cell.icon = defaultCell.ComboItemIcon();
    }
}

std::int16_t CellValues::ComboListIndex(const std::string& key) const {
    return comboLists_ != nullptr ? comboLists_->ListIndexOfKey(key) : 0;
}

ComboMatch CellValues::MatchComboItem(std::int16_t listIndex, const Variant& value) const {
    if (comboLists_ == nullptr || listIndex == 0) return {};
    return comboLists_->MatchItem(listIndex, value);
}

std::int32_t CellValues::CheckState(const CellRecord& cell) {
    const Variant& value = cell.value;
    if (value.IsObject()) return 0;
    if (value.Type() == vtBoolean) return value.ToBoolean() ? 1 : 0;
    if (!value.IsNumericType()) return 0;
    const double number = value.ToDouble();
    if (number == 1) return 1;
    const bool threeState = (cell.TypeFlags() & vxCheckBox3State) != 0;
    return threeState && number == 2 ? 2 : 0;
}

}  // namespace vexa
