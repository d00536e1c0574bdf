// How two variants compare, and the names of their types.
#include <cmath>
#include <limits>
#include <optional>

#include "vexa/system/automation/DecimalValue.h"
#include "vexa/system/automation/Error.h"
#include "vexa/system/automation/RuntimeError.h"
#include "vexa/system/automation/SignificantDigits.h"
#include "vexa/system/automation/TextCollation.h"
#include "vexa/system/automation/Variant.h"
#include "vexa/system/automation/VariantBox.h"

namespace vexa {

namespace {

template <class T>
int Sign(T difference) {
    return difference < T(0) ? -1 : difference > T(0) ? 1 : 0;
}

// The value as a Decimal when one side of the comparison is a Decimal: integers and currency
// exactly, floating-point types at the digits they convert with. std::nullopt when the value
// lies beyond the Decimal range (or is no number), where it compares as a double.
std::optional<DecimalValue> DecimalValueOf(const Variant& v) {
    switch (v.Type()) {
        case vtDecimal:
            return VariantAccess::DecimalOf(v);
        case vtCurrency:
            return DecimalValue{v.ToCurrencyScaled(), 4};
        case vtSingle:
        case vtDouble:
        case vtDate: {
            const double x = v.ToDouble();
            if (!std::isfinite(x)) return std::nullopt;
            return DecimalValue::FromSignificant(
                SignificantDigits(x, v.Type() == vtSingle ? 7 : 15));
        }
        default:
            return DecimalValue{v.ToLong(), 0};  // the integer types, Boolean and Empty
    }
}

template <class T>
int CompareAs(T x, T y) {
    return x < y ? -1 : x > y ? 1 : 0;
}

// A single against a double compares at the single's precision, so that a double
// holding the single's value to more digits than it has is not taken for another number.
bool ComparesAsSingles(const Variant& a, const Variant& b) {
    const auto isPair = [](const Variant& s, const Variant& d) {
        return s.Type() == vtSingle && d.Type() == vtDouble &&
               std::fabs(d.ToDouble()) <= std::numeric_limits<float>::max();
    };
    return isPair(a, b) || isPair(b, a);
}

int CompareNumbers(const Variant& a, const Variant& b) {
    if (a.Type() == vtDecimal || b.Type() == vtDecimal ||
        (a.Type() == vtCurrency && b.Type() == vtCurrency)) {
        const auto x = DecimalValueOf(a), y = DecimalValueOf(b);
        if (x && y) return x->Compare(*y);
    }
    if (ComparesAsSingles(a, b)) return CompareAs(a.ToSingle(), b.ToSingle());
    return CompareAs(a.ToDouble(), b.ToDouble());
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
    if (textCompare) return CompareTextNoCase(a, b);
    return Sign(a.compare(b));
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
