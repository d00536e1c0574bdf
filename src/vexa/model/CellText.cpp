#include "vexa/model/CellText.h"

#include "vexa/model/FormatStringTable.h"
#include "vexa/system/automation/Format.h"
#include "vexa/system/automation/Object.h"

namespace vexa {

namespace {

// Sunday first and the week containing 1 January first, as the classic runtime formats.
constexpr int kFirstDayOfWeekSunday = 1;
constexpr int kFirstWeekOfYearJan1 = 1;

std::string ConvertValue(const Variant& value, const std::string& format) {
    if (value.IsObject()) return CallMember(value.ToObject(), "ToString").ToString();
    if (!format.empty()) return Format(value, format, kFirstDayOfWeekSunday, kFirstWeekOfYearJan1);
    if (value.IsNull()) return {};
    return value.ToString();
}

}  // namespace

std::string TextOfValue(const Variant& value, const std::string& format) {
    try {
        return ConvertValue(value, format);
    } catch (...) {
        // A value that cannot be shown shows nothing; reading the text never fails.
        return {};
    }
}

std::string DisplayTextOf(const CellRecord& cell, const FormatStringTable& formats,
                          const std::string& comboItemText) {
    switch (cell.CellType()) {
        case vxCellText:
            return TextOfValue(cell.value, formats.At(cell.fmtStringIndex));
        case vxCellCombo:
            return cell.comboItemIndex >= 0 ? comboItemText : std::string();
        default:
            return {};
    }
}

}  // namespace vexa
