#include "vexa/system/automation/Variant.h"

#include <cmath>
#include <limits>

#include "vexa/system/automation/RuntimeError.h"
#include "vexa/system/automation/VariantBox.h"

namespace vexa {

namespace {

template <class Integral>
Variant FromWideInteger(Integral value) {
    if (value >= Integral(0) ? std::uint64_t(value) <= std::uint64_t(INT32_MAX)
                             : std::int64_t(value) >= std::int64_t(INT32_MIN)) {
        return Variant(static_cast<int>(value));
    }
    return Variant(static_cast<double>(value));
}

}  // namespace

Variant::Variant(unsigned value) noexcept : Variant(FromWideInteger(value)) {}
Variant::Variant(long value) noexcept : Variant(FromWideInteger(value)) {}
Variant::Variant(unsigned long value) noexcept : Variant(FromWideInteger(value)) {}
Variant::Variant(long long value) noexcept : Variant(FromWideInteger(value)) {}
Variant::Variant(unsigned long long value) noexcept : Variant(FromWideInteger(value)) {}
Variant::Variant(const char* text) : Variant(std::string(text ? text : "")) {}
Variant::Variant(std::string_view text) : Variant(std::string(text)) {}
Variant::Variant(const std::string& text) : Variant(std::string(text)) {}
// Every cell starts as an empty string: they all share one box, so a fresh cell costs no
// allocation. The box is never freed (it keeps its own reference).
static detail::VariantBox* SharedEmptyString() {
    static detail::VariantBox* const box = new detail::StringBox(std::string());
    box->references.fetch_add(1, std::memory_order_relaxed);
    return box;
}

Variant::Variant(std::string&& text) : type_(vtString) {
    payload_.box = text.empty() ? SharedEmptyString() : new detail::StringBox(std::move(text));
}
Variant::Variant(std::shared_ptr<Object> object) : type_(vtObject) {
    payload_.box = object ? new detail::ObjectBox(std::move(object)) : nullptr;
}
Variant::Variant(std::vector<Variant> items) : type_(VariantType(vtArray | vtVariant)) {
    payload_.box = new detail::ArrayBox(std::move(items));
}

void Variant::Retain() const noexcept {
    if (HoldsBox() && payload_.box) {
        payload_.box->references.fetch_add(1, std::memory_order_relaxed);
    }
}

void Variant::Release() noexcept {
    if (HoldsBox() && payload_.box &&
        payload_.box->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        delete payload_.box;
    }
}

Variant& Variant::operator=(const Variant& other) noexcept {
    if (this != &other) {
        other.Retain();
        Release();
        type_ = other.type_;
        payload_ = other.payload_;
    }
    return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        Release();
        type_ = other.type_;
        payload_ = other.payload_;
        other.type_ = vtEmpty;
        other.payload_.i64 = 0;
    }
    return *this;
}

Variant Variant::Boxed(VariantType type, detail::VariantBox* box) noexcept {
    Variant v;
    v.type_ = type;
    v.payload_.box = box;
    return v;
}

Variant Variant::Null() noexcept {
    Variant v;
    v.type_ = vtNull;
    return v;
}

Variant Variant::Date(double serial) noexcept {
    Variant v(serial);
    v.type_ = vtDate;
    return v;
}

Variant Variant::Currency(std::int64_t scaledBy10000) noexcept {
    Variant v;
    v.type_ = vtCurrency;
    v.payload_.i64 = scaledBy10000;
    return v;
}

Variant Variant::ErrorValue(std::int32_t code) noexcept {
    Variant v;
    v.type_ = vtError;
    v.payload_.i32 = code;
    return v;
}

Variant Variant::Nothing() noexcept {
    return Boxed(vtObject, nullptr);
}

Variant Variant::Decimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    __int128 mantissa = 0;
    int scale = -1;
    int digits = 0;
    const __int128 limit = (__int128(1) << 96);
    for (; i < text.size() && text[i] != ' '; ++i) {
        char c = text[i];
        if (c == '.' && scale < 0) {
            scale = 0;
            continue;
        }
        if (c < '0' || c > '9') RaiseRuntimeError(rtTypeMismatch);
        ++digits;
        if (scale >= 28) continue;  // digits beyond the 28th decimal are dropped
        mantissa = mantissa * 10 + (c - '0');
        if (mantissa >= limit) RaiseRuntimeError(rtOverflow);
        if (scale >= 0) ++scale;
    }
    while (i < text.size() && text[i] == ' ') ++i;
    if (digits == 0 || i != text.size()) RaiseRuntimeError(rtTypeMismatch);
    return VariantAccess::FromDecimal({negative ? -mantissa : mantissa, scale < 0 ? 0 : scale});
}

bool Variant::IsNumericType() const noexcept {
    switch (type_) {
        case vtInteger:
        case vtLong:
        case vtSingle:
        case vtDouble:
        case vtCurrency:
        case vtDecimal:
        case vtByte:
            return true;
        default:
            return false;
    }
}

bool Variant::IsNumberLike() const noexcept {
    return IsNumericType() || type_ == vtDate || type_ == vtBoolean;
}

bool Variant::IsNumeric() const {
    if (IsNumberLike() || type_ == vtEmpty) return type_ != vtDate;
    if (type_ == vtString) {
        double ignored;
        return ParseNumberText(StringRef(), ignored);
    }
    return false;
}

const std::string& Variant::StringRef() const {
    static const std::string empty;
    if (type_ != vtString) return empty;
    return static_cast<const detail::StringBox*>(payload_.box)->text;
}

const std::vector<Variant>& Variant::Items() const {
    static const std::vector<Variant> none;
    if (!IsArray()) return none;
    return static_cast<const detail::ArrayBox*>(payload_.box)->items;
}

std::shared_ptr<Object> Variant::ToObject() const {
    if (type_ != vtObject) RaiseRuntimeError(rtTypeMismatch);
    if (!payload_.box) return nullptr;
    return static_cast<const detail::ObjectBox*>(payload_.box)->object;
}

bool Variant::operator==(const Variant& other) const {
    if (type_ != other.type_) return false;
    switch (type_) {
        case vtEmpty:
        case vtNull:
            return true;
        case vtInteger:
        case vtBoolean:
            return payload_.i16 == other.payload_.i16;
        case vtByte:
            return payload_.u8 == other.payload_.u8;
        case vtLong:
        case vtError:
            return payload_.i32 == other.payload_.i32;
        case vtSingle:
            return payload_.f32 == other.payload_.f32;
        case vtDouble:
        case vtDate:
            return payload_.f64 == other.payload_.f64;
        case vtCurrency:
            return payload_.i64 == other.payload_.i64;
        case vtString:
            return StringRef() == other.StringRef();
        case vtObject:
            return ToObject() == other.ToObject();
        case vtDecimal:
            return CompareVariants(*this, other) == 0;
        default:
            return Items() == other.Items();
    }
}

}  // namespace vexa
