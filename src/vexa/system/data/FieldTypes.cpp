#include "vexa/system/data/FieldTypes.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "vexa/system/automation/DecimalValue.h"
#include "vexa/system/data/Recordset.h"

namespace vexa {

namespace {

constexpr std::int64_t kCurrencyScale = 10000;

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return upper;
}

bool Has(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// A double from number text in the C locale's form ("1e30", "NaN", "-Infinity").
bool ParseReal(std::string_view text, double& value) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first < last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
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

std::int32_t DefinedSizeOf(std::int32_t type, std::int32_t declaredLength) {
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
        case kTypeVarWChar:
            return declaredLength > 0 ? declaredLength : 255;
        default:
            return 2147483647;  // long text and binary: no declared limit
    }
}

Variant CurrencyOfWhole(std::int64_t value) {
    if (value <= INT64_MAX / kCurrencyScale && value >= INT64_MIN / kCurrencyScale) {
        return Variant::Currency(value * kCurrencyScale);
    }
    if (value >= INT32_MIN && value <= INT32_MAX) return Variant(int(value));
    return Variant(static_cast<long long>(value));
}

Variant CurrencyOfReal(double value) {
    const double scaled = value * double(kCurrencyScale);
    // 2^63 is exactly representable; every double below it in magnitude fits an int64.
    constexpr double kLimit = 9223372036854775808.0;
    if (std::isfinite(scaled) && scaled < kLimit && scaled >= -kLimit) {
        return Variant::Currency(static_cast<std::int64_t>(std::round(scaled)));
    }
    return Variant(value);
}

Variant CurrencyOfText(std::string_view text) {
    try {
        const DecimalValue number = DecimalFromText(text);
        if (const auto scaled = number.MantissaAt(4);
            scaled && *scaled <= INT64_MAX && *scaled >= INT64_MIN) {
            return Variant::Currency(static_cast<std::int64_t>(*scaled));
        }
        return Variant(number.ToDouble());
    } catch (const Error&) {
        return Variant(text);
    }
}

Variant DecimalOfText(std::string_view text) {
    try {
        return Variant::Decimal(text);
    } catch (const Error&) {
        double value = 0;
        if (ParseReal(text, value)) return Variant(value);
        return Variant(text);
    }
}

}  // namespace vexa
