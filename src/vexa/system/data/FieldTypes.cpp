#include "vexa/system/data/FieldTypes.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "vexa/system/automation/DateTime.h"
#include "vexa/system/data/Recordset.h"

namespace vexa {

namespace {

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return upper;
}

bool Has(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// The first number in parentheses of a declaration such as VARCHAR(40), 0 when none.
std::int32_t DeclaredLength(std::string_view declaredType) {
    const auto open = declaredType.find('(');
    if (open == std::string_view::npos) return 0;
    std::int32_t length = 0;
    const char* first = declaredType.data() + open + 1;
    const char* last = declaredType.data() + declaredType.size();
    while (first < last && *first == ' ') ++first;
    std::from_chars(first, last, length);
    return length;
}

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

// Currency keeps four decimals in a 64-bit integer. Whole numbers scale exactly; a number
// outside the currency range stays the number it is instead of wrapping into another.
Variant CurrencyValue(sqlite3_stmt* statement, int col) {
    constexpr std::int64_t kScale = 10000;
    if (sqlite3_column_type(statement, col) == SQLITE_INTEGER) {
        const sqlite3_int64 value = sqlite3_column_int64(statement, col);
        if (value <= INT64_MAX / kScale && value >= INT64_MIN / kScale) {
            return Variant::Currency(value * kScale);
        }
        return StoredValue(statement, col);
    }
    const double scaled = sqlite3_column_double(statement, col) * double(kScale);
    // 2^63 is exactly representable; every double below it in magnitude fits an int64.
    constexpr double kLimit = 9223372036854775808.0;
    if (std::isfinite(scaled) && scaled < kLimit && scaled >= -kLimit) {
        return Variant::Currency(static_cast<std::int64_t>(std::round(scaled)));
    }
    return StoredValue(statement, col);
}

}  // namespace

std::int32_t FieldTypeOfDeclared(std::string_view declaredType) {
    const std::string type = UpperAscii(declaredType);
    if (type.empty()) return 0;
    if (Has(type, "BOOL") || type == "BIT") return kTypeBoolean;
    if (Has(type, "BIGINT") || Has(type, "INT8")) return kTypeBigInt;
    if (Has(type, "SMALLINT") || Has(type, "TINYINT") || Has(type, "INT2")) return kTypeSmallInt;
    if (Has(type, "INT")) return kTypeInteger;
    if (Has(type, "MONEY") || Has(type, "CURRENCY")) return kTypeCurrency;
    if (Has(type, "DECIMAL")) return kTypeDecimal;
    if (Has(type, "NUMERIC")) return kTypeNumeric;
    if (Has(type, "SINGLE")) return kTypeSingle;
    if (Has(type, "REAL") || Has(type, "FLOA") || Has(type, "DOUB")) return kTypeDouble;
    if (Has(type, "DATE") || Has(type, "TIME")) return kTypeDate;
    if (Has(type, "BLOB") || Has(type, "BINARY")) return kTypeLongVarBinary;
    if (Has(type, "NCHAR") || Has(type, "NVARCHAR")) return kTypeVarWChar;
    if (Has(type, "CHAR")) return kTypeVarChar;
    if (Has(type, "TEXT") || Has(type, "CLOB") || Has(type, "MEMO")) return kTypeLongVarChar;
    return kTypeVarChar;
}

std::int32_t FieldTypeOfValue(const Variant& value) {
    if (value.IsArray()) return kTypeLongVarBinary;
    switch (value.Type()) {
        case vtInteger:
            return kTypeSmallInt;
        case vtLong:
            return kTypeInteger;
        case vtSingle:
            return kTypeSingle;
        case vtDouble:
            return kTypeDouble;
        case vtCurrency:
            return kTypeCurrency;
        case vtDate:
            return kTypeDate;
        case vtBoolean:
            return kTypeBoolean;
        case vtDecimal:
            return kTypeDecimal;
        case vtByte:
            return 17;  // unsigned tiny integer
        default:
            return kTypeVarWChar;
    }
}

std::int32_t DefinedSizeOf(std::int32_t type, std::string_view declaredType) {
    switch (type) {
        case kTypeSmallInt:
            return 2;
        case kTypeBoolean:
            return 2;
        case kTypeInteger:
        case kTypeSingle:
            return 4;
        case kTypeDouble:
        case kTypeCurrency:
        case kTypeDate:
        case kTypeBigInt:
            return 8;
        case kTypeDecimal:
        case kTypeNumeric:
            return 19;
        case kTypeVarChar:
        case kTypeVarWChar: {
            const std::int32_t length = DeclaredLength(declaredType);
            return length > 0 ? length : 255;
        }
        default:
            return 2147483647;  // long text and binary: no declared limit
    }
}

Variant ReadFieldValue(sqlite3_stmt* statement, int col, std::int32_t type) {
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
            if (number) return Variant::Decimal(ColumnText(statement, col));
            break;
        case kTypeDate:
            return DateValue(statement, col);
        default:
            break;
    }
    return StoredValue(statement, col);
}

}  // namespace vexa
