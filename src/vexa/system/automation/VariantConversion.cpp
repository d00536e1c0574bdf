// Variant conversions with the rules of the classic automation runtime.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "vexa/system/automation/DateTime.h"
#include "vexa/system/automation/DecimalValue.h"
#include "vexa/system/automation/RuntimeError.h"
#include "vexa/system/automation/SignificantDigits.h"
#include "vexa/system/automation/Variant.h"
#include "vexa/system/automation/VariantBox.h"

namespace vexa {

namespace {

constexpr double kCurrencyScale = 10000.0;
constexpr int kCurrencyDecimals = 4;

const DecimalValue& DecimalOf(const Variant& value) {
    return VariantAccess::DecimalOf(value);
}

std::string CurrencyToText(std::int64_t scaled) {
    const bool negative = scaled < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - std::uint64_t(scaled) : std::uint64_t(scaled);
    std::string text = std::to_string(magnitude / 10000);
    if (const auto fraction = magnitude % 10000; fraction != 0) {
        std::string part = std::to_string(fraction + 10000);  // "1" and four digits
        part[0] = '.';
        while (part.back() == '0') part.pop_back();
        text += part;
    }
    if (negative) text.insert(text.begin(), '-');
    return text;
}

// Round half to even, then check the range of the target type.
double RoundedInRange(double value, double low, double high) {
    if (std::isnan(value)) RaiseRuntimeError(rtOverflow);
    const double rounded = std::nearbyint(value);
    if (rounded < low || rounded > high) RaiseRuntimeError(rtOverflow);
    return rounded;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
    return MemberIs(text, word);
}

// A decimal at `decimals` places, rounded half to even, inside [low, high].
std::int64_t DecimalToScaledInteger(const DecimalValue& value, int decimals, std::int64_t low,
                                    std::int64_t high) {
    const auto scaled = value.MantissaAt(decimals);
    if (!scaled || *scaled < low || *scaled > high) RaiseRuntimeError(rtOverflow);
    return static_cast<std::int64_t>(*scaled);
}

// A double takes its 15 significant digits into a Decimal, a single its 7.
Variant DecimalFromFloating(double value, int precision) {
    if (!std::isfinite(value)) RaiseRuntimeError(rtOverflow);
    const auto decimal = DecimalValue::FromSignificant(SignificantDigits(value, precision));
    if (!decimal) RaiseRuntimeError(rtOverflow);
    return VariantAccess::FromDecimal(*decimal);
}

std::string_view TrimmedText(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

double TextToDouble(const std::string& text) {
    double value = 0;
    if (!ParseNumberText(text, value)) RaiseRuntimeError(rtTypeMismatch);
    if (std::isinf(value)) RaiseRuntimeError(rtOverflow);
    return value;
}

Variant DefaultValueOf(const std::shared_ptr<Object>& object) {
    return GetMember(object, "Value");
}

}  // namespace

double Variant::ToDouble() const {
    switch (type_) {
        case vtEmpty:
            return 0;
        case vtNull:
            RaiseRuntimeError(rtInvalidUseOfNull);
        case vtInteger:
        case vtBoolean:
            return payload_.i16;
        case vtLong:
            return payload_.i32;
        case vtByte:
            return payload_.u8;
        case vtSingle:
            return payload_.f32;
        case vtDouble:
        case vtDate:
            return payload_.f64;
        case vtCurrency:
            return double(payload_.i64) / kCurrencyScale;
        case vtDecimal:
            return DecimalOf(*this).ToDouble();
        case vtString:
            return TextToDouble(StringRef());
        case vtObject:
            return DefaultValueOf(ToObject()).ToDouble();
        default:
            RaiseRuntimeError(rtTypeMismatch);
    }
}

std::int16_t Variant::ToInteger() const {
    if (type_ == vtInteger || type_ == vtBoolean) return payload_.i16;
    if (type_ == vtDecimal) {
        return static_cast<std::int16_t>(
            DecimalToScaledInteger(DecimalOf(*this), 0, INT16_MIN, INT16_MAX));
    }
    return static_cast<std::int16_t>(RoundedInRange(ToDouble(), INT16_MIN, INT16_MAX));
}

std::int32_t Variant::ConvertToLong() const {
    if (type_ == vtDecimal) {
        return static_cast<std::int32_t>(
            DecimalToScaledInteger(DecimalOf(*this), 0, INT32_MIN, INT32_MAX));
    }
    return static_cast<std::int32_t>(RoundedInRange(ToDouble(), INT32_MIN, INT32_MAX));
}

std::uint8_t Variant::ToByte() const {
    if (type_ == vtByte) return payload_.u8;
    // True is all bits set, and a Byte keeps the low eight of them.
    if (type_ == vtBoolean) return payload_.i16 ? 255 : 0;
    if (type_ == vtDecimal) {
        return static_cast<std::uint8_t>(DecimalToScaledInteger(DecimalOf(*this), 0, 0, 255));
    }
    return static_cast<std::uint8_t>(RoundedInRange(ToDouble(), 0, 255));
}

float Variant::ToSingle() const {
    if (type_ == vtSingle) return payload_.f32;
    const double value = ToDouble();
    if (std::fabs(value) > std::numeric_limits<float>::max()) RaiseRuntimeError(rtOverflow);
    return static_cast<float>(value);
}

std::int64_t Variant::ToCurrencyScaled() const {
    if (type_ == vtCurrency) return payload_.i64;
    // Decimals and number text hold more digits than a double: they convert exactly.
    if (type_ == vtDecimal) {
        return DecimalToScaledInteger(DecimalOf(*this), kCurrencyDecimals, INT64_MIN, INT64_MAX);
    }
    if (type_ == vtString) {
        return DecimalToScaledInteger(DecimalFromText(StringRef()), kCurrencyDecimals, INT64_MIN,
                                      INT64_MAX);
    }
    const double scaled = ToDouble() * kCurrencyScale;
    // The largest double below 2^63 keeps the cast defined.
    return static_cast<std::int64_t>(
        RoundedInRange(scaled, -9223372036854774784.0, 9223372036854774784.0));
}

double Variant::ToDate() const {
    // Text must read as a date or a time; a bare number such as "1" is no date.
    if (type_ == vtString) {
        if (auto parsed = ParseDateTime(StringRef())) return *parsed;
        RaiseRuntimeError(rtTypeMismatch);
    }
    const double serial = ToDouble();
    if (!IsValidDateSerial(serial)) RaiseRuntimeError(rtOverflow);
    return serial;
}

bool Variant::ToBoolean() const {
    if (type_ == vtString) {
        // "#TRUE#" and "#FALSE#" are how Booleans are written to data files.
        const std::string_view text = TrimmedText(StringRef());
        if (EqualsIgnoringCase(text, "True") || EqualsIgnoringCase(text, "#True#")) return true;
        if (EqualsIgnoringCase(text, "False") || EqualsIgnoringCase(text, "#False#")) return false;
    }
    return ToDouble() != 0;
}

std::string Variant::ToString() const {
    switch (type_) {
        case vtEmpty:
            return {};
        case vtNull:
            RaiseRuntimeError(rtInvalidUseOfNull);
        case vtBoolean:
            return payload_.i16 ? "True" : "False";
        case vtInteger:
            return std::to_string(payload_.i16);
        case vtLong:
            return std::to_string(payload_.i32);
        case vtByte:
            return std::to_string(payload_.u8);
        case vtSingle:
            return SingleToText(payload_.f32);
        case vtDouble:
            return DoubleToText(payload_.f64);
        case vtCurrency:
            return CurrencyToText(payload_.i64);
        case vtDate:
            return GeneralDate(payload_.f64);
        case vtString:
            return StringRef();
        case vtDecimal:
            return DecimalOf(*this).Text();
        case vtError:
            return "Error " + std::to_string(payload_.i32);
        case vtObject:
            return DefaultValueOf(ToObject()).ToString();
        default:
            RaiseRuntimeError(rtTypeMismatch);
    }
}

Variant Variant::ToDecimal() const {
    switch (type_) {
        case vtDecimal:
            return *this;
        case vtString:
            return VariantAccess::FromDecimal(DecimalFromText(StringRef()));
        case vtCurrency:
            return VariantAccess::FromDecimal({payload_.i64, kCurrencyDecimals});
        case vtSingle:
            return DecimalFromFloating(payload_.f32, 7);
        case vtDouble:
        case vtDate:
            return DecimalFromFloating(payload_.f64, 15);
        case vtObject:
            return DefaultValueOf(ToObject()).ToDecimal();
        default:
            return VariantAccess::FromDecimal({ToLong(), 0});  // the integer types, Empty
    }
}

Variant Variant::ConvertTo(VariantType type) const {
    switch (type) {
        case vtNull:
            return Null();
        case vtInteger:
            return Variant(ToInteger());
        case vtLong:
            return Variant(ToLong());
        case vtSingle:
            return Variant(ToSingle());
        case vtDouble:
            return Variant(ToDouble());
        case vtCurrency:
            return Currency(ToCurrencyScaled());
        case vtDate:
            return Date(ToDate());
        case vtString:
            return Variant(ToString());
        case vtObject:
            return Variant(ToObject());
        case vtBoolean:
            return Variant(ToBoolean());
        case vtByte:
            return Variant(ToByte());
        case vtDecimal:
            return ToDecimal();
        default:  // Empty, Error and Variant are no conversion targets
            RaiseRuntimeError(rtTypeMismatch);
    }
}

}  // namespace vexa
