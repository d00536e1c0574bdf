#include "vexa/model/ArgumentResolution.h"

#include "vexa/model/GridErrors.h"
#include "vexa/model/GridStore.h"

namespace vexa {

namespace {

constexpr int kTypeInteger = 2, kTypeCurrency = 6, kTypeString = 8, kTypeDecimal = 14,
              kTypeByte = 17;

int TypeCode(const Variant& v) {
    return static_cast<int>(v.Type());
}

bool IsStringArg(const Variant& v) {
    return TypeCode(v) == kTypeString;
}

// A numeric argument as a 32-bit index. A number no index can have (too large to convert)
// is reported as out of range like any other bad index, not as an overflow.
std::int32_t NumericIndex(const Variant& v) {
    try {
        return v.ToLong();
    } catch (const Error&) {
        RaiseGridError(kErrSubscriptOutOfRange);
    }
}

// The first position whose key equals `value` as two variants compare: an object by its
// default value, while Null, Booleans and dates never equal a text. A value that cannot be
// compared at all (an error value, an array, an object without a default value) names no
// column, so it is reported as out of range rather than as a type mismatch.
std::int32_t FirstPositionEqualTo(const ColumnTable& columns, const Variant& value) {
    try {
        // The default value is read once, not once per column.
        const Variant probe = value.IsObject() ? GetMember(value.ToObject(), "Value") : value;
        for (std::int32_t p = 1; p <= columns.Count(); ++p) {
            if (CompareVariants(probe, Variant(columns.At(p).key)) == 0) return p;
        }
    } catch (const Error&) {
        RaiseGridError(kErrSubscriptOutOfRange);
    }
    return 0;
}

}  // namespace

bool IsNumericArg(const Variant& v) {
    const int type = TypeCode(v);
    return (type >= kTypeInteger && type <= kTypeCurrency) || type == kTypeDecimal ||
           type == kTypeByte;
}

void GridStore::CheckRowIndex(std::int32_t row) const {
    if (row < 1 || row > rowCount_) RaiseGridError(kErrSubscriptOutOfRange);
}

void GridStore::CheckColIndex(std::int32_t col) const {
    if (col < 1 || col > ColCount()) RaiseGridError(kErrSubscriptOutOfRange);
}

std::int32_t GridStore::ColIndex(const std::string& key) const {
    const std::int32_t position = columns_.FirstPositionWithKey(key);
    if (position == 0) RaiseGridError(kErrSubscriptOutOfRange);
    return columns_.At(position).index;
}

std::int32_t GridStore::RowIndex(const std::string& key) const {
    if (key.empty()) RaiseGridError(kErrSubscriptOutOfRange);
    if (const std::int32_t row = keys_.HashedRow(key, rows_, rowCount_); row > 0) return row;
    const KeyLookup lookup = FindRowKey(key);
    if (!lookup.found) RaiseGridError(kErrSubscriptOutOfRange);
    return keys_.RowAt(lookup.position);
}

std::int32_t GridStore::ResolveRowArg(const Variant& vRow) {
    std::int32_t row = 0;
    if (IsNumericArg(vRow)) {
        row = NumericIndex(vRow);
    } else if (IsStringArg(vRow)) {
        row = RowIndex(vRow.ToString());
    }
    CheckRowIndex(row);
    resolvedRow_ = row;
    return row;
}

std::int32_t GridStore::ResolveColArg(const Variant& vCol) {
    std::int32_t col = 0;
    if (IsNumericArg(vCol)) {
        col = NumericIndex(vCol);
    } else if (IsStringArg(vCol)) {
        col = ColIndex(vCol.ToString());
    }
    CheckColIndex(col);
    resolvedCol_ = col;
    return col;
}

CellIndices GridStore::ResolveAnyCellArgs(const Variant& vRow, const Variant& vCol) {
    const std::int32_t col = ResolveColArg(vCol);
    const std::int32_t row = ResolveRowArg(vRow);
    resolvedCol_ = col;
    return {row, col};
}

std::int32_t GridStore::ColPositionOf(const Variant& vCol) const {
    std::int32_t position = 0;
    if (IsNumericArg(vCol)) {
        position = columns_.PositionOfIndex(NumericIndex(vCol));
    } else if (IsStringArg(vCol)) {
        position = columns_.FirstPositionWithKey(vCol.StringRef());
    } else if (vCol.IsEmpty()) {
        // Empty equals the empty string: the first column without a key.
        position = columns_.FirstPositionWithKey(std::string());
    } else {
        position = FirstPositionEqualTo(columns_, vCol);
    }
    if (position < 1 || position > ColCount()) RaiseGridError(kErrSubscriptOutOfRange);
    return position;
}

std::int32_t GridStore::ResolveRowToRemove(const Variant& vRow) const {
    std::int32_t row = 0;
    if (IsNumericArg(vRow)) {
        row = NumericIndex(vRow);
    } else if (IsStringArg(vRow)) {
        const KeyLookup lookup = FindRowKey(vRow.ToString());
        if (!lookup.found) RaiseGridError(kErrSubscriptOutOfRange);
        row = keys_.RowAt(lookup.position);
    } else {
        RaiseGridError(kErrSubscriptOutOfRange);
    }
    CheckRowIndex(row);
    return row;
}

std::int32_t GridStore::ResolveRowBefore(const Variant& vRowBefore) const {
    std::int32_t row = 0;
    if (IsNumericArg(vRowBefore)) {
        row = NumericIndex(vRowBefore);
    } else if (IsStringArg(vRowBefore)) {
        row = RowIndex(vRowBefore.ToString());
    }
    CheckRowIndex(row);
    return row;
}

}  // namespace vexa
