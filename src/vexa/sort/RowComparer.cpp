#include "vexa/sort/RowComparer.h"

#include <cmath>
#include <utility>

#include "vexa/model/GridStore.h"
#include "vexa/sort/SortCallbacks.h"
#include "vexa/system/automation/TextCollation.h"

namespace vexa {

namespace {

// A table of one slot per row, made at its first use: a criterion the sort keys by itself
// never needs one.
template <class Slot>
Slot& SlotOf(std::vector<Slot>& table, std::int32_t row, std::int32_t rowCount) {
    if (table.empty()) table.resize(std::size_t(rowCount) + 1);
    return table[std::size_t(row)];
}

// Ascending: the candidate may stay after a row it is not less than; descending: not greater.
bool InOrderBySign(int sign, bool ascending) {
    return ascending ? sign >= 0 : sign <= 0;
}

// Values the general comparison would compare as plain numbers; comparing them here spares
// it copying both values at every comparison of a long sort.
bool ComparesAsDouble(const Variant& value) {
    switch (value.Type()) {
        case vtInteger:
        case vtLong:
        case vtDouble:
        case vtDate:
        case vtBoolean:
        case vtByte:
            return true;  // an array carries its own flag, so never matches here
        default:
            return false;
    }
}

int CompareDoubles(double x, double y) {
    return x < y ? -1 : x > y ? 1 : 0;
}

}  // namespace

bool IsPlainNumber(const Variant& value) {
    switch (value.Type()) {
        case vtInteger:
        case vtLong:
        case vtDouble:
        case vtByte:
            return !std::isnan(value.ToDouble());
        default:
            return false;
    }
}

int WrappedSign16(std::int32_t x, std::int32_t y) {
    const auto difference =
        static_cast<std::int16_t>(static_cast<std::uint16_t>(x) - static_cast<std::uint16_t>(y));
    return (difference > 0) - (difference < 0);
}

int WrappedSign32(std::uint32_t x, std::uint32_t y) {
    const auto difference = static_cast<std::int32_t>(x - y);
    return (difference > 0) - (difference < 0);
}

RowComparer::RowComparer(GridStore& store, const std::vector<SortCriterion>& criteria,
                         SortCallbacks& callbacks)
    : store_(store),
      criteria_(criteria),
      callbacks_(callbacks),
      texts_(criteria.size()),
      noCaseKeys_(criteria.size()),
      numbers_(criteria.size()),
      numbersRead_(criteria.size(), false) {
    for (std::size_t k = 0; k < criteria.size(); ++k) {
        // The first criterion's numbers are read at its first comparison, before any host
        // answer could change a value; a sort that keys it by itself never needs them.
        if (k > 0 && criteria[k].type == vxSortByValue) CacheNumbers(k);
    }
}

void RowComparer::CacheNumbers(std::size_t k) {
    numbersRead_[k] = true;
    const std::int32_t col = criteria_[k].col;
    if (col < 1 || col > store_.ColCount()) return;
    std::vector<NumberKey>& numbers = numbers_[k];
    numbers.resize(std::size_t(store_.RowCount()) + 1);
    for (std::int32_t row = 1; row <= store_.RowCount(); ++row) {
        const Variant& value = std::as_const(store_).Cell(col, row).value;
        if (IsPlainNumber(value)) {
            numbers[std::size_t(row)] = NumberKey{true, value.ToDouble()};
        }
    }
}

bool RowComparer::InOrderFrom(std::size_t first, std::int32_t candidate, std::int32_t other) {
    for (std::size_t k = first; k < criteria_.size(); ++k) {
        const Outcome outcome = CompareCells(candidate, other, k);
        if (k + 1 == criteria_.size() || !outcome.equal) return outcome.inOrder;
    }
    return false;
}

RowComparer::Outcome RowComparer::CompareCells(std::int32_t x, std::int32_t y, std::size_t k) {
    const SortCriterion& criterion = criteria_[k];
    if (criterion.col < 1 || criterion.col > store_.ColCount()) throw SortAbandoned();
    const bool ascending = criterion.order != vxSortDesc;
    if (criterion.type == vxSortByValue && !numbersRead_[k]) CacheNumbers(k);
    if (!numbers_[k].empty()) {
        const NumberKey& nx = numbers_[k][std::size_t(x)];
        const NumberKey& ny = numbers_[k][std::size_t(y)];
        if (nx.plain && ny.plain) {
            const int sign = (nx.number > ny.number) - (nx.number < ny.number);
            return Outcome{sign == 0, InOrderBySign(sign, ascending)};
        }
    }
    // Only the host's comparison may change a cell; the others read, so rows that share
    // their cells go on sharing them.
    if (criterion.type == vxSortByCustomer) {
        return CompareCustom(store_.Cell(criterion.col, x), store_.Cell(criterion.col, y),
                             ascending);
    }
    const CellRecord& cx = std::as_const(store_).Cell(criterion.col, x);
    const CellRecord& cy = std::as_const(store_).Cell(criterion.col, y);
    auto bySign = [ascending](int sign) {
        return Outcome{sign == 0, InOrderBySign(sign, ascending)};
    };
    switch (criterion.type) {
        case vxSortByValue:
            return CompareValues(cx.value, cy.value, ascending);
        case vxSortByText:
        case vxSortByTextNoCase:
            return CompareTexts(x, y, k, ascending);
        case vxSortByIcon:
            return bySign(WrappedSign16(cx.icon, cy.icon));
        case vxSortByExtraIcon:
            return bySign(WrappedSign16(cx.extraIcon, cy.extraIcon));
        case vxSortByForeColor:
            return bySign(WrappedSign32(cx.foreColor, cy.foreColor));
        case vxSortByBackColor:
            return bySign(WrappedSign32(cx.backColor, cy.backColor));
        case vxSortByFontIndex:
            return bySign(WrappedSign16(cx.fontIndex, cy.fontIndex));
        case vxSortBySelected:
            return bySign(WrappedSign16(cx.Selected(), cy.Selected()));
        case vxSortByIndentation:
            return bySign(WrappedSign16(cx.indent, cy.indent));
        case vxSortByHatch:
            return bySign(WrappedSign16(cx.hatch, cy.hatch));
        case vxSortByCustomer:
            break;
    }
    throw SortAbandoned();  // a sort type the grid does not know
}

RowComparer::Outcome RowComparer::CompareValues(const Variant& x, const Variant& y,
                                                bool ascending) const {
    // A Null orders before anything and decides; it is never reported equal.
    if (x.IsNull()) return Outcome{false, !ascending};
    if (y.IsNull()) return Outcome{false, ascending};
    if (x.IsObject() || y.IsObject()) throw SortAbandoned();
    const int sign = ComparesAsDouble(x) && ComparesAsDouble(y)
                         ? CompareDoubles(x.ToDouble(), y.ToDouble())
                         : CompareVariants(x, y, false);
    return Outcome{sign == 0, InOrderBySign(sign, ascending)};
}

RowComparer::Outcome RowComparer::CompareTexts(std::int32_t x, std::int32_t y, std::size_t k,
                                               bool ascending) {
    const bool noCase = criteria_[k].type == vxSortByTextNoCase;
    int sign = 0;
    if (noCase) {
        sign = NoCaseKeyOf(x, k).compare(NoCaseKeyOf(y, k));
        sign = (sign > 0) - (sign < 0);
    } else {
        sign = CompareText(TextOf(x, k), TextOf(y, k), false);
    }
    return Outcome{sign == 0, InOrderBySign(sign, ascending)};
}

RowComparer::Outcome RowComparer::CompareCustom(CellRecord& x, CellRecord& y, bool ascending) {
    const bool isGreater = ascending ? callbacks_.CustomSortIsGreater(x.value, y.value)
                                     : callbacks_.CustomSortIsGreater(y.value, x.value);
    return Outcome{false, isGreater};
}

std::string RowComparer::BuildText(std::int32_t row, std::size_t k) {
    return callbacks_.SortCellText(criteria_[k].col, row);
}

const std::string& RowComparer::TextOf(std::int32_t row, std::size_t k) {
    std::optional<std::string>& text = SlotOf(texts_[k], row, store_.RowCount());
    if (!text) text.emplace(BuildText(row, k));
    return *text;
}

const std::string& RowComparer::NoCaseKeyOf(std::int32_t row, std::size_t k) {
    std::optional<std::string>& key = SlotOf(noCaseKeys_[k], row, store_.RowCount());
    if (!key) key.emplace(TextNoCaseKey(TextOf(row, k)));
    return *key;
}

}  // namespace vexa
