#include "vexa/system/data/SqliteValues.h"

#include <sqlite3.h>

#include <string>
#include <vector>

#include "vexa/system/automation/DateTime.h"
#include "vexa/system/data/FieldTypes.h"
#include "vexa/system/data/Recordset.h"

namespace vexa {

namespace {

std::string ColumnText(sqlite3_stmt* statement, int col) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, col));
    return text ? std::string(text, std::size_t(sqlite3_column_bytes(statement, col)))
                : std::string();
}

Variant StoredValue(sqlite3_stmt* statement, int col) {
    switch (sqlite3_column_type(statement, col)) {
        case SQLITE_NULL:
            return Variant::Null();
        case SQLITE_INTEGER: {
            const sqlite3_int64 value = sqlite3_column_int64(statement, col);
            if (value >= INT32_MIN && value <= INT32_MAX) return Variant(int(value));
            return Variant(static_cast<long long>(value));
        }
        case SQLITE_FLOAT:
            return Variant(sqlite3_column_double(statement, col));
        case SQLITE_BLOB: {
            const auto* bytes =
                static_cast<const std::uint8_t*>(sqlite3_column_blob(statement, col));
            std::vector<Variant> items;
            const int size = sqlite3_column_bytes(statement, col);
            items.reserve(std::size_t(size));
            for (int i = 0; i < size; ++i) items.emplace_back(bytes[i]);
            return Variant(std::move(items));
        }
        default:
            return Variant(ColumnText(statement, col));
    }
}

bool IsNumberStored(sqlite3_stmt* statement, int col) {
    const int stored = sqlite3_column_type(statement, col);
    return stored == SQLITE_INTEGER || stored == SQLITE_FLOAT;
}

// Dates are kept as ISO text ('2026-12-07 10:30:00') or as a serial number.
Variant DateValue(sqlite3_stmt* statement, int col) {
    if (IsNumberStored(statement, col)) return Variant::Date(sqlite3_column_double(statement, col));
    if (auto serial = ParseDateTime(ColumnText(statement, col))) return Variant::Date(*serial);
    return StoredValue(statement, col);
}

Variant IntegerValue(sqlite3_stmt* statement, int col, std::int32_t type) {
    if (sqlite3_column_type(statement, col) != SQLITE_INTEGER) return StoredValue(statement, col);
    const sqlite3_int64 value = sqlite3_column_int64(statement, col);
    if (type == kTypeSmallInt && value >= INT16_MIN && value <= INT16_MAX) {
        return Variant(static_cast<std::int16_t>(value));
    }
    if (type == kTypeBigInt) return Variant(static_cast<long long>(value));
    return StoredValue(statement, col);
}

Variant CurrencyValue(sqlite3_stmt* statement, int col) {
    if (sqlite3_column_type(statement, col) == SQLITE_INTEGER) {
        return CurrencyOfWhole(sqlite3_column_int64(statement, col));
    }
    return CurrencyOfReal(sqlite3_column_double(statement, col));
}

}  // namespace

Variant ReadSqliteValue(sqlite3_stmt* statement, int col, std::int32_t type) {
    if (sqlite3_column_type(statement, col) == SQLITE_NULL) return Variant::Null();
    const bool number = IsNumberStored(statement, col);
    switch (type) {
        case kTypeBoolean:
            if (number) return Variant(sqlite3_column_double(statement, col) != 0.0);
            break;
        case kTypeSmallInt:
        case kTypeInteger:
        case kTypeBigInt:
            return IntegerValue(statement, col, type);
        case kTypeSingle:
            if (number) return Variant(float(sqlite3_column_double(statement, col)));
            break;
        case kTypeDouble:
            if (number) return Variant(sqlite3_column_double(statement, col));
            break;
        case kTypeCurrency:
            if (number) return CurrencyValue(statement, col);
            break;
        case kTypeDecimal:
        case kTypeNumeric:
            if (number) return DecimalOfText(ColumnText(statement, col));
            break;
        case kTypeDate:
            return DateValue(statement, col);
        default:
            break;
    }
    return StoredValue(statement, col);
}

}  // namespace vexa
