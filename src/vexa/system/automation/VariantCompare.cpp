// How two variants compare, and the names of their types.
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <optional>
#include <utility>

#include "vexa/system/automation/Error.h"

#include "vexa/system/automation/RuntimeError.h"
#include "vexa/system/automation/Variant.h"
#include "vexa/system/automation/VariantBox.h"

namespace vexa {

namespace {

template <class T>
int Sign(T difference) {
    return difference < T(0) ? -1 : difference > T(0) ? 1 : 0;
}

// A value held exactly as mantissa / 10^scale: decimals, currency and the integer types.
struct ExactNumber {
    __int128 mantissa = 0;
    int scale = 0;
};

std::optional<ExactNumber> ExactValueOf(const Variant& v) {
    switch (v.Type()) {
        case vtDecimal: {
            const detail::DecimalBox& box = VariantAccess::DecimalOf(v);
            return ExactNumber{box.mantissa, box.scale};
        }
        case vtCurrency:
            return ExactNumber{v.ToCurrencyScaled(), 4};
        case vtInteger:
        case vtLong:
        case vtByte:
        case vtBoolean:
        case vtEmpty:
            return ExactNumber{v.ToLong(), 0};
        default:
            return std::nullopt;
    }
}

// Compares without rounding: decimals carry up to 29 significant digits, more than a
// double keeps, so two different decimals must not meet in the same double.
int CompareExact(ExactNumber a, ExactNumber b) {
    bool swapped = false;
    if (a.scale > b.scale) {
        std::swap(a, b);
        swapped = true;
    }
    // Bring a to b's scale; when that leaves the 128-bit range its magnitude is beyond any
    // 96-bit mantissa and its sign decides.
    constexpr __int128 kLimit = (__int128(1) << 126);
    int result = 0;
    bool decided = false;
    for (int i = a.scale; i < b.scale; ++i) {
        if (a.mantissa > kLimit / 10 || a.mantissa < -kLimit / 10) {
            result = a.mantissa < 0 ? -1 : 1;
            decided = true;
            break;
        }
        a.mantissa *= 10;
    }
    if (!decided) result = Sign(a.mantissa - b.mantissa);
    return swapped ? -result : result;
}

int CompareNumbers(const Variant& a, const Variant& b) {
    if (a.Type() == vtDecimal || b.Type() == vtDecimal ||
        (a.Type() == vtCurrency && b.Type() == vtCurrency)) {
        const auto x = ExactValueOf(a), y = ExactValueOf(b);
        if (x && y) return CompareExact(*x, *y);
    }
    const double x = a.ToDouble(), y = b.ToDouble();
    return x < y ? -1 : x > y ? 1 : 0;
}

// An object compares by its default value, as late binding does.
Variant Comparable(const Variant& value) {
    if (!value.IsObject()) return value;
    try {
        return GetMember(value.ToObject(), "Value");
    } catch (const Error&) {
        RaiseRuntimeError(rtTypeMismatch);
    }
}

}  // namespace

int CompareText(std::string_view a, std::string_view b, bool textCompare) {
    if (!textCompare) return Sign(a.compare(b));
    const auto x = icu::UnicodeString::fromUTF8(icu::StringPiece(a.data(), int32_t(a.size())));
    const auto y = icu::UnicodeString::fromUTF8(icu::StringPiece(b.data(), int32_t(b.size())));
    return Sign(x.caseCompare(y, U_FOLD_CASE_DEFAULT));
}

int CompareVariants(const Variant& first, const Variant& second, bool textCompare) {
    const Variant a = Comparable(first), b = Comparable(second);
    if (a.IsNull() || b.IsNull()) return a.IsNull() == b.IsNull() ? 0 : a.IsNull() ? -1 : 1;
    if (a.IsError() || b.IsError() || a.IsArray() || b.IsArray()) {
        RaiseRuntimeError(rtTypeMismatch);
    }
    if (a.IsEmpty() && b.IsEmpty()) return 0;
    if (a.IsString() && b.IsString()) return CompareText(a.StringRef(), b.StringRef(), textCompare);
    if (a.IsString()) return b.IsEmpty() ? CompareText(a.StringRef(), "", textCompare) : 1;
    if (b.IsString()) return a.IsEmpty() ? CompareText("", b.StringRef(), textCompare) : -1;
    return CompareNumbers(a, b);
}

std::string TypeName(const Variant& value) {
    if (value.IsArray()) return "Variant()";
    switch (value.Type()) {
        case vtEmpty:
            return "Empty";
        case vtNull:
            return "Null";
        case vtInteger:
            return "Integer";
        case vtLong:
            return "Long";
        case vtSingle:
            return "Single";
        case vtDouble:
            return "Double";
        case vtCurrency:
            return "Currency";
        case vtDate:
            return "Date";
        case vtString:
            return "String";
        case vtError:
            return "Error";
        case vtBoolean:
            return "Boolean";
        case vtDecimal:
            return "Decimal";
        case vtByte:
            return "Byte";
        case vtObject: {
            auto object = value.ToObject();
            return object ? object->ClassName() : "Nothing";
        }
        default:
            return "Unknown";
    }
}

}  // namespace vexa
