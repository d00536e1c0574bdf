// How two variants compare, and the names of their types.
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include "vexa/system/automation/Error.h"

#include "vexa/system/automation/RuntimeError.h"
#include "vexa/system/automation/Variant.h"

namespace vexa {

namespace {

template <class T>
int Sign(T difference) {
    return difference < T(0) ? -1 : difference > T(0) ? 1 : 0;
}

int CompareNumbers(const Variant& a, const Variant& b) {
    if (a.Type() == vtCurrency && b.Type() == vtCurrency) {
        return Sign(a.ToCurrencyScaled() - b.ToCurrencyScaled());
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
