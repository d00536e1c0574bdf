#include "vexa/system/data/PostgresTypes.h"

#include <libpq-fe.h>

#include <charconv>
#include <string>

#include "vexa/system/automation/DateTime.h"
#include "vexa/system/data/FieldTypes.h"

namespace vexa {

namespace {

// The server's built-in type numbers (pg_type.oid), fixed across versions.
enum PostgresType : unsigned {
    kPgBool = 16,
    kPgBytea = 17,
    kPgChar = 18,
    kPgName = 19,
    kPgInt8 = 20,
    kPgInt2 = 21,
    kPgInt4 = 23,
    kPgText = 25,
    kPgOid = 26,
    kPgFloat4 = 700,
    kPgFloat8 = 701,
    kPgMoney = 790,
    kPgBpchar = 1042,
    kPgVarchar = 1043,
    kPgDate = 1082,
    kPgTime = 1083,
    kPgTimestamp = 1114,
    kPgTimestampTz = 1184,
    kPgTimeTz = 1266,
    kPgNumeric = 1700,
};

constexpr int kVarHeaderSize = 4;  // a character type's modifier is its length plus this
constexpr std::int32_t kNameLength = 63;

// Reads a run of digits as a number; false when there is none.
bool ReadNumber(std::string_view text, std::size_t& at, int& value) {
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() + at) return false;
    at = std::size_t(end - text.data());
    return true;
}

bool Take(std::string_view text, std::size_t& at, char expected) {
    if (at >= text.size() || text[at] != expected) return false;
    ++at;
    return true;
}

// "HH:MM:SS[.ffffff]" from `at`; the fraction of a second goes to `fraction`.
bool ReadTime(std::string_view text, std::size_t& at, DateFields& fields, double& fraction) {
    if (!ReadNumber(text, at, fields.hour) || !Take(text, at, ':') ||
        !ReadNumber(text, at, fields.minute) || !Take(text, at, ':') ||
        !ReadNumber(text, at, fields.second)) {
        return false;
    }
    if (at < text.size() && text[at] == '.') {
        const std::size_t start = at;
        ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
        std::from_chars(text.data() + start, text.data() + at, fraction);
    }
    return true;
}

// The text's date and time fields; false for text in another form (a BC date, infinity).
bool ReadDateTime(std::string_view text, DateFields& fields, double& fraction, bool& hasDate) {
    std::size_t at = 0;
    hasDate = text.size() > 4 && text.find('-') < text.find(':');
    if (hasDate) {
        if (!ReadNumber(text, at, fields.year) || !Take(text, at, '-') ||
            !ReadNumber(text, at, fields.month) || !Take(text, at, '-') ||
            !ReadNumber(text, at, fields.day)) {
            return false;
        }
        if (at == text.size()) return true;
        if (!Take(text, at, ' ')) return false;
    }
    if (!ReadTime(text, at, fields, fraction)) return false;
    // What may follow is the time zone offset, which the serial does not keep.
    return at == text.size() || text[at] == '+' || text[at] == '-';
}

std::string_view CellText(const pg_result* result, int row, int col) {
    return {PQgetvalue(result, row, col), std::size_t(PQgetlength(result, row, col))};
}

template <class Number>
Variant NumberValue(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return Variant(text);
    return Variant(value);
}

Variant BytesValue(std::string_view text) {
    std::size_t size = 0;
    unsigned char* bytes =
        PQunescapeBytea(reinterpret_cast<const unsigned char*>(text.data()), &size);
    if (bytes == nullptr) return Variant(text);
    std::vector<Variant> items;
    items.reserve(size);
    for (std::size_t i = 0; i < size; ++i) items.emplace_back(std::uint8_t(bytes[i]));
    PQfreemem(bytes);
    return Variant(std::move(items));
}

Variant DateValue(std::string_view text) {
    if (const auto serial = PostgresDateSerial(text)) return Variant::Date(*serial);
    return Variant(text);
}

std::int32_t DeclaredLengthOf(const pg_result* result, int col, unsigned typeOid) {
    switch (typeOid) {
        case kPgVarchar:
        case kPgBpchar: {
            const int modifier = PQfmod(result, col);
            return modifier >= kVarHeaderSize ? modifier - kVarHeaderSize : 0;
        }
        case kPgName:
            return kNameLength;
        case kPgChar:
            return 1;
        default:
            return 0;
    }
}

}  // namespace

std::int32_t FieldTypeOfPostgres(unsigned typeOid) {
    switch (typeOid) {
        case kPgBool:
            return kTypeBoolean;
        case kPgInt2:
            return kTypeSmallInt;
        case kPgInt4:
            return kTypeInteger;
        case kPgInt8:
        case kPgOid:  // unsigned 32-bit: only a 64-bit integer holds every value
            return kTypeBigInt;
        case kPgFloat4:
            return kTypeSingle;
        case kPgFloat8:
            return kTypeDouble;
        case kPgMoney:
            return kTypeCurrency;
        case kPgNumeric:
            return kTypeNumeric;
        case kPgDate:
        case kPgTime:
        case kPgTimeTz:
        case kPgTimestamp:
        case kPgTimestampTz:
            return kTypeDate;
        case kPgBytea:
            return kTypeLongVarBinary;
        case kPgVarchar:
        case kPgBpchar:
        case kPgChar:
        case kPgName:
            return kTypeVarChar;
        case kPgText:
            return kTypeLongVarChar;
        default:  // uuid, json, intervals, arrays, ...: their text
            return kTypeVarWChar;
    }
}

std::vector<FieldInfo> DescribePostgresFields(const pg_result* result) {
    std::vector<FieldInfo> fields(std::size_t(PQnfields(result)));
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int col = int(i);
        const unsigned typeOid = PQftype(result, col);
        fields[i].name = PQfname(result, col);
        fields[i].type = FieldTypeOfPostgres(typeOid);
        fields[i].definedSize =
            DefinedSizeOf(fields[i].type, DeclaredLengthOf(result, col, typeOid));
    }
    return fields;
}

Variant ReadPostgresValue(const pg_result* result, int row, int col, unsigned typeOid) {
    if (PQgetisnull(result, row, col)) return Variant::Null();
    const std::string_view text = CellText(result, row, col);
    switch (typeOid) {
        case kPgBool:
            return Variant(text == "t");
        case kPgInt2:
            return NumberValue<std::int16_t>(text);
        case kPgInt4:
            return NumberValue<int>(text);
        case kPgInt8:
        case kPgOid:
            return NumberValue<long long>(text);
        case kPgFloat4:
            return NumberValue<float>(text);
        case kPgFloat8:
            return NumberValue<double>(text);
        case kPgMoney:
            return CurrencyOfText(text);
        case kPgNumeric:
            return DecimalOfText(text);
        case kPgDate:
        case kPgTime:
        case kPgTimeTz:
        case kPgTimestamp:
        case kPgTimestampTz:
            return DateValue(text);
        case kPgBytea:
            return BytesValue(text);
        default:
            return Variant(text);
    }
}

std::vector<Variant> ReadPostgresRows(const pg_result* result) {
    const int rows = PQntuples(result);
    const int fields = PQnfields(result);
    std::vector<unsigned> types(std::size_t(fields), 0);
    for (int f = 0; f < fields; ++f) types[std::size_t(f)] = PQftype(result, f);
    std::vector<Variant> values;
    values.reserve(std::size_t(rows) * std::size_t(fields));
    for (int r = 0; r < rows; ++r) {
        for (int f = 0; f < fields; ++f) {
            values.push_back(ReadPostgresValue(result, r, f, types[std::size_t(f)]));
        }
    }
    return values;
}

std::optional<double> PostgresDateSerial(std::string_view text) {
    DateFields fields;
    double fraction = 0;
    bool hasDate = false;
    if (!ReadDateTime(text, fields, fraction, hasDate)) return std::nullopt;
    // Years below 100 would read as two-digit years; they lie outside the range anyway.
    if (hasDate && fields.year < 100) return std::nullopt;
    const std::optional<double> serial =
        hasDate ? FieldsToSerial(fields)
                : std::optional(TimeSerial(fields.hour, fields.minute, fields.second));
    if (!serial) return std::nullopt;
    // Before 1899-12-30 the whole days count back while the time of day still counts forward.
    const double exact = *serial < 0 ? *serial - fraction / 86400.0 : *serial + fraction / 86400.0;
    if (!IsValidDateSerial(exact)) return std::nullopt;
    return exact;
}

}  // namespace vexa
