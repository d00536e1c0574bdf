// What every database adapter shares about fields: how declared column types and values map
// to field data type codes and defined sizes, and how numbers become currency and decimal
// values without losing what does not fit.
#pragma once

#include <cstdint>
#include <string_view>

#include "vexa/system/automation/Variant.h"

namespace vexa {

// The data type code of a column declared as `declaredType` (empty: none declared, 0 back).
std::int32_t FieldTypeOfDeclared(std::string_view declaredType);
// The data type code for a value of an undeclared column (an expression), by its variant.
std::int32_t FieldTypeOfValue(const Variant& value);
// The first number in parentheses of a declaration such as VARCHAR(40), 0 when none.
std::int32_t DeclaredLength(std::string_view declaredType);
// The defined size of a field: the declared length of character types (0: none declared),
// else the type's size.
std::int32_t DefinedSizeOf(std::int32_t type, std::int32_t declaredLength);

// Currency keeps four decimals in a 64-bit integer. A number outside the currency range stays
// the number it is instead of wrapping into another.
Variant CurrencyOfWhole(std::int64_t value);
Variant CurrencyOfReal(double value);
// Number text such as "$1,234.56" or "-5.00", exact to the fourth decimal; text that is no
// number stays text.
Variant CurrencyOfText(std::string_view text);
// Digit text as a Decimal; a number beyond the Decimal range (or written with an exponent,
// or NaN) becomes a Double, and text that is no number stays text.
Variant DecimalOfText(std::string_view text);

}  // namespace vexa
