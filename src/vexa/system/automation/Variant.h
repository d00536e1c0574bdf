/// \file
/// The automation value: one of the classic variant types, 16 bytes, cheap to copy.
/// Numbers live inline; strings, objects, arrays and decimals live in a shared,
/// immutable, reference-counted box so copying a cell value never copies its text.
#pragma once

#include <concepts>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vexa/system/automation/Error.h"
#include "vexa/system/automation/Object.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// The type of a Variant's value, numbered as automation numbers them; vtArray is a flag added to
/// the type of the items.
enum VariantType : std::int32_t {
    vtEmpty = 0,
    vtNull = 1,
    vtInteger = 2,
    vtLong = 3,
    vtSingle = 4,
    vtDouble = 5,
    vtCurrency = 6,
    vtDate = 7,
    vtString = 8,
    vtObject = 9,
    vtError = 10,
    vtBoolean = 11,
    vtVariant = 12,
    vtDecimal = 14,
    vtByte = 17,
    vtArray = 0x2000,
};

namespace detail {
struct VariantBox;
}

/// An automation value: Empty, Null, a number, a date, a string, a Boolean, an error value, an
/// object or an array, converted and compared with the classic runtime's rules.
class VEXA_API Variant {
  public:
    /// Empty.
    Variant() noexcept : type_(vtEmpty) { payload_.i64 = 0; }
    /**@{*/
    /// The value as the matching type: bool as Boolean, 16-bit integers as Integer, bytes as Byte,
    /// int as Long, wider integers as Long when they fit and else as Double, float as Single,
    /// double as Double, text as String (UTF-8), an object as Object, a vector as an array of
    /// variants.
    Variant(bool value) noexcept : type_(vtBoolean) {
        payload_.i64 = 0;
        payload_.i16 = value ? -1 : 0;
    }
    Variant(std::int16_t value) noexcept : type_(vtInteger) {
        payload_.i64 = 0;
        payload_.i16 = value;
    }
    Variant(std::uint8_t value) noexcept : type_(vtByte) {
        payload_.i64 = 0;
        payload_.u8 = value;
    }
    Variant(int value) noexcept : type_(vtLong) {
        payload_.i64 = 0;
        payload_.i32 = value;
    }
    Variant(unsigned value) noexcept;
    Variant(long value) noexcept;
    Variant(unsigned long value) noexcept;
    Variant(long long value) noexcept;
    Variant(unsigned long long value) noexcept;
    Variant(float value) noexcept : type_(vtSingle) {
        payload_.i64 = 0;
        payload_.f32 = value;
    }
    Variant(double value) noexcept : type_(vtDouble) { payload_.f64 = value; }
    Variant(const char* text);
    Variant(std::string_view text);
    Variant(const std::string& text);
    Variant(std::string&& text);
    Variant(std::shared_ptr<Object> object);
    template <class T>
    requires(std::derived_from<T, Object> && !std::same_as<T, Object>)
        Variant(std::shared_ptr<T> object)
        : Variant(std::shared_ptr<Object>(std::move(object))) {}
    Variant(std::vector<Variant> items);
    /**@}*/

    /**@{*/
    /// Copying is cheap: strings, objects and arrays are shared, not duplicated.
    // Numbers are copied and dropped inline; only a boxed value calls out, to count.
    Variant(const Variant& other) noexcept : type_(other.type_), payload_(other.payload_) {
        if (HoldsBox()) Retain();
    }
    Variant(Variant&& other) noexcept : type_(other.type_), payload_(other.payload_) {
        other.type_ = vtEmpty;
        other.payload_.i64 = 0;
    }
    Variant& operator=(const Variant& other) noexcept;
    Variant& operator=(Variant&& other) noexcept;
    /**@}*/
    /// Releases the value.
    ~Variant() {
        if (HoldsBox()) Release();
    }

    /**@{*/
    /// Values of the types no constructor gives: Null, a date (an automation date serial, see
    /// DateTime.h), currency (scaled by 10,000) and an error value.
    static Variant Null() noexcept;
    static Variant Date(double serial) noexcept;
    static Variant Currency(std::int64_t scaledBy10000) noexcept;
    static Variant ErrorValue(std::int32_t code) noexcept;
    /**@}*/
    static Variant Nothing() noexcept;  ///< an Object variant holding no object
    /// Decimal from text such as "-123.4500" (up to 28 digits after the point); 13 when
    /// the text is not a number, 6 when it does not fit.
    static Variant Decimal(std::string_view text);

    /// The type of the value.
    VariantType Type() const noexcept { return type_; }
    /**@{*/
    /// Whether the value is of that type (IsArray: an array of any item type).
    bool IsEmpty() const noexcept { return type_ == vtEmpty; }
    bool IsNull() const noexcept { return type_ == vtNull; }
    bool IsString() const noexcept { return type_ == vtString; }
    bool IsObject() const noexcept { return type_ == vtObject; }
    bool IsError() const noexcept { return type_ == vtError; }
    bool IsArray() const noexcept { return (type_ & vtArray) != 0; }
    /**@}*/
    /// Integer, Long, Single, Double, Currency, Decimal or Byte.
    bool IsNumericType() const noexcept;
    /// A number, date or Boolean: the kinds that compare numerically.
    bool IsNumberLike() const noexcept;
    /// True when the value converts to a number: IsNumeric of the classic runtime.
    bool IsNumeric() const;

    /**@{*/
    /// Conversions with the classic rules: integers round half to even, out-of-range values
    /// raise 6 "Overflow", values of the wrong kind raise 13 "Type mismatch", Null raises 94
    /// "Invalid use of Null", Empty converts to 0 / "" / False.
    std::int16_t ToInteger() const;
    std::int32_t ToLong() const { return type_ == vtLong ? payload_.i32 : ConvertToLong(); }
    float ToSingle() const;
    double ToDouble() const;
    std::int64_t ToCurrencyScaled() const;
    double ToDate() const;
    bool ToBoolean() const;
    std::uint8_t ToByte() const;
    std::string ToString() const;
    /**@}*/
    std::shared_ptr<Object> ToObject() const;  ///< 13 unless Object (Nothing gives nullptr)
    /// A Decimal: exact from integers, currency and number text, 15 significant digits of a
    /// double and 7 of a single.
    Variant ToDecimal() const;
    /// The value as `type`; Empty, Error and Variant are no target types (13).
    Variant ConvertTo(VariantType type) const;

    /// Direct access without conversion; meaningful only for the matching type.
    const std::string& StringRef() const;  ///< "" unless a String
    /// The code of an error value; 0 for any other value.
    std::int32_t ErrorCode() const noexcept { return type_ == vtError ? payload_.i32 : 0; }
    const std::vector<Variant>& Items() const;  ///< empty unless an array

    /// Strict identity of type and value (objects by identity).
    bool operator==(const Variant& other) const;

  private:
    // Strings, objects, decimals and arrays live in a counted box; the rest inline.
    bool HoldsBox() const noexcept {
        return type_ == vtString || type_ == vtObject || type_ == vtDecimal ||
               (type_ & vtArray) != 0;
    }
    void Release() noexcept;
    void Retain() const noexcept;
    std::int32_t ConvertToLong() const;
    static Variant Boxed(VariantType type, detail::VariantBox* box) noexcept;
    const detail::VariantBox* Box() const noexcept { return payload_.box; }

    VariantType type_;
    union Payload {
        std::int16_t i16;
        std::int32_t i32;
        float f32;
        double f64;
        std::int64_t i64;
        std::uint8_t u8;
        detail::VariantBox* box;
    } payload_;

    friend struct VariantAccess;
};

/// The classic comparison of two values: numbers (dates and Booleans included, True = -1)
/// numerically, a single against a double at the single's precision and a Decimal against a
/// double or single at the digits they convert with; strings by character code or, with
/// `textCompare`, by en-US collation without regard to case (CompareTextNoCase); a number
/// against a string is less, Empty is 0 against a number and "" against a string.
/// Null orders before every other value and two Nulls are equal; error values, arrays and
/// objects without a default value raise 13. Returns -1, 0 or 1.
int CompareVariants(const Variant& a, const Variant& b, bool textCompare = false);

/// Compares two texts as CompareVariants does: binary or case-insensitive. -1, 0 or 1.
int CompareText(std::string_view a, std::string_view b, bool textCompare);

/// "Integer", "String", "Nothing", the object's class name, "Long()" for arrays...
std::string TypeName(const Variant& value);

/// Parses number text with the en-US rules of the classic runtime: surrounding spaces, a
/// sign or parentheses, a currency sign, thousands separators, a decimal point, an exponent
/// and &H / &O prefixes. Returns false when the text is not a number.
bool ParseNumberText(std::string_view text, double& result);

/**@{*/
/// The runtime's text of a double (15 significant digits) and of a single (7), rounded half
/// away from zero: fixed notation while every digit fits within 15 (7) places of the point
/// ("0.000056789", "0.000000000000001"), else E notation ("3.33333333333333E-02", "1E+15").
std::string DoubleToText(double value);
std::string SingleToText(float value);
/**@}*/

}  // namespace vexa

VEXA_PUBLIC_END
