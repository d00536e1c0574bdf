// The automation Decimal: mantissa / 10^scale with |mantissa| < 2^96 and scale 0..28, and
// the exact conversions between it, digit strings, currency and integers. Whatever has to
// drop digits rounds half to even, as the runtime's conversions do.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexa {

class SignificantDigits;

struct DecimalValue {
    __int128 mantissa = 0;
    int scale = 0;

    static constexpr __int128 kMantissaLimit = __int128(1) << 96;
    static constexpr int kMaxScale = 28;

    // The number `digits` × 10^exponent (digits '0'..'9', any count); std::nullopt when its
    // integer part does not fit.
    static std::optional<DecimalValue> FromDigits(bool negative, std::string_view digits,
                                                  int exponent);
    // A double at 15 significant digits or a single at 7, as the runtime converts them.
    static std::optional<DecimalValue> FromSignificant(const SignificantDigits& significant);

    // The value rounded to `decimals` places (0..28), as a mantissa at that scale; std::nullopt
    // when it does not fit in 127 bits.
    std::optional<__int128> MantissaAt(int decimals) const;
    // -1, 0 or 1 without rounding.
    int Compare(const DecimalValue& other) const;
    // "-12.5": no exponent, no trailing zeros after the point.
    std::string Text() const;
    double ToDouble() const;
};

// Reads number text with the rules of ParseNumberText ("$1,234.5", "(2)", "1E-3", "&HFF"),
// keeping every digit. Raises 13 when the text is not a number, 6 when it is beyond the
// Decimal range.
DecimalValue DecimalFromText(std::string_view text);

}  // namespace vexa
