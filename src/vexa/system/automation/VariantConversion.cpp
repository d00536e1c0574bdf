// Variant conversions with the rules of the classic automation runtime.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "vexa/system/automation/DateTime.h"
#include "vexa/system/automation/RuntimeError.h"
#include "vexa/system/automation/Variant.h"
#include "vexa/system/automation/VariantBox.h"

namespace vexa {

namespace {

constexpr double kCurrencyScale = 10000.0;

double DecimalToDouble(const detail::DecimalBox& box) {
    return static_cast<double>(static_cast<long double>(box.mantissa) / std::pow(10.0L, box.scale));
}

std::string DecimalToText(const detail::DecimalBox& box) {
    __int128 magnitude = box.mantissa < 0 ? -box.mantissa : box.mantissa;
    std::string digits;
    do {
        digits += char('0' + int(magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    std::reverse(digits.begin(), digits.end());
    if (box.scale > 0) {
        if (int(digits.size()) <= box.scale) {
            std::string padded(std::size_t(box.scale) - digits.size() + 1, '0');
            digits.swap(padded.append(digits));
        }
        const std::size_t point = digits.size() - std::size_t(box.scale);
        std::string withPoint = digits.substr(0, point);
        withPoint += '.';
        digits.swap(withPoint.append(digits, point));
        while (digits.back() == '0') digits.pop_back();
        if (digits.back() == '.') digits.pop_back();
    }
    if (box.mantissa < 0 && digits != "0") digits.insert(digits.begin(), '-');
    return digits;
}

std::string CurrencyToText(std::int64_t scaled) {
    const bool negative = scaled < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - std::uint64_t(scaled) : std::uint64_t(scaled);
    std::string text = std::to_string(magnitude / 10000);
    if (const auto fraction = magnitude % 10000; fraction != 0) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, ".%04u", unsigned(fraction));
        std::string part = buffer;
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
            return DecimalToDouble(*static_cast<const detail::DecimalBox*>(Box()));
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
    return static_cast<std::int16_t>(RoundedInRange(ToDouble(), INT16_MIN, INT16_MAX));
}

std::int32_t Variant::ToLong() const {
    if (type_ == vtLong) return payload_.i32;
    return static_cast<std::int32_t>(RoundedInRange(ToDouble(), INT32_MIN, INT32_MAX));
}

std::uint8_t Variant::ToByte() const {
    if (type_ == vtByte) return payload_.u8;
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
    const double scaled = ToDouble() * kCurrencyScale;
    // The largest double below 2^63 keeps the cast defined.
    return static_cast<std::int64_t>(
        RoundedInRange(scaled, -9223372036854774784.0, 9223372036854774784.0));
}

double Variant::ToDate() const {
    double serial = 0;
    if (type_ == vtString) {
        if (auto parsed = ParseDateTime(StringRef())) return *parsed;
        serial = TextToDouble(StringRef());
    } else {
        serial = ToDouble();
    }
    if (!IsValidDateSerial(serial)) RaiseRuntimeError(rtOverflow);
    return serial;
}

bool Variant::ToBoolean() const {
    if (type_ == vtString) {
        const std::string_view text = TrimmedText(StringRef());
        if (EqualsIgnoringCase(text, "True")) return true;
        if (EqualsIgnoringCase(text, "False")) return false;
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
            return DecimalToText(*static_cast<const detail::DecimalBox*>(Box()));
        case vtError:
            return "Error " + std::to_string(payload_.i32);
        case vtObject:
            return DefaultValueOf(ToObject()).ToString();
        default:
            RaiseRuntimeError(rtTypeMismatch);
    }
}

static Variant DecimalFromDouble(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 7.9228162514264337593543950335e28) {
        RaiseRuntimeError(rtOverflow);
    }
    const int magnitude = value == 0 ? 0 : int(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(14 - magnitude, 0, 28);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return Variant::Decimal(buffer);
}

Variant Variant::ConvertTo(VariantType type) const {
    switch (type) {
        case vtEmpty:
            return Variant();
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
        case vtVariant:
            return *this;
        case vtDecimal:
            if (type_ == vtDecimal) return *this;
            if (type_ == vtString) return Decimal(TrimmedText(StringRef()));
            return DecimalFromDouble(ToDouble());
        case vtError:
            if (type_ == vtError) return *this;
            return ErrorValue(ToLong());
        default:
            RaiseRuntimeError(rtTypeMismatch);
    }
}

}  // namespace vexa
