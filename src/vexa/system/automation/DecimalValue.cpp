#include "vexa/system/automation/DecimalValue.h"

#include <algorithm>
#include <charconv>

#include "vexa/system/automation/SignificantDigits.h"

namespace vexa {

namespace {

// A 96-bit mantissa has at most 29 digits.
constexpr int kMaxDigits = 29;
constexpr __int128 kWideLimit = __int128(1) << 126;

__int128 Magnitude(__int128 value) {
    return value < 0 ? -value : value;
}

// Rounds `kept` (the digits before the dropped ones) half to even; `dropped` has no
// trailing zeros, so any digit after its first one makes it more than a half.
bool RoundsUp(__int128 kept, std::string_view dropped) {
    if (dropped.empty() || dropped[0] < '5') return false;
    return dropped[0] > '5' || dropped.size() > 1 || kept % 2 != 0;
}

// value × 10^power, or std::nullopt once the magnitude reaches `limit`.
std::optional<__int128> Scaled(__int128 value, int power, __int128 limit) {
    for (int i = 0; i < power; ++i) {
        if (Magnitude(value) >= limit / 10) return std::nullopt;
        value *= 10;
    }
    return value;
}

}  // namespace

std::optional<DecimalValue> DecimalValue::FromDigits(bool negative, std::string_view digits,
                                                     int exponent) {
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) return DecimalValue{};
    digits.remove_prefix(first);
    const std::size_t last = digits.find_last_not_of('0');
    exponent += int(digits.size() - 1 - last);  // now the power of ten of the last digit
    digits = digits.substr(0, last + 1);
    const int count = int(digits.size());

    // Digits past the 28th decimal go first, then more while the mantissa is too wide.
    for (int drop = std::max({0, -kMaxScale - exponent, count - kMaxDigits});; ++drop) {
        const int lastPlace = exponent + drop;
        if (drop > 0 && lastPlace > 0) return std::nullopt;  // integer digits never drop
        if (drop > count) return DecimalValue{};
        __int128 mantissa = 0;
        for (char digit : digits.substr(0, std::size_t(count - drop))) {
            mantissa = mantissa * 10 + (digit - '0');
        }
        if (RoundsUp(mantissa, digits.substr(std::size_t(count - drop)))) ++mantissa;
        const auto scaled = Scaled(mantissa, std::max(lastPlace, 0), kMantissaLimit * 10);
        if (scaled && *scaled < kMantissaLimit) {
            return DecimalValue{negative ? -*scaled : *scaled, std::max(-lastPlace, 0)};
        }
        if (lastPlace >= 0) return std::nullopt;
    }
}

std::optional<DecimalValue> DecimalValue::FromSignificant(const SignificantDigits& significant) {
    const std::string_view digits = significant.Digits();
    return FromDigits(significant.Negative(), digits,
                      significant.Exponent() - int(digits.size()) + 1);
}

std::optional<__int128> DecimalValue::MantissaAt(int decimals) const {
    if (decimals >= scale) return Scaled(mantissa, decimals - scale, kWideLimit);
    __int128 divisor = 1;
    for (int i = decimals; i < scale; ++i) divisor *= 10;
    __int128 quotient = mantissa / divisor;
    const __int128 twiceRemainder = Magnitude(mantissa % divisor) * 2;
    if (twiceRemainder > divisor || (twiceRemainder == divisor && quotient % 2 != 0)) {
        quotient += mantissa < 0 ? -1 : 1;
    }
    return quotient;
}

int DecimalValue::Compare(const DecimalValue& other) const {
    // Brought to the finer scale, a value that leaves 127 bits is beyond any 96-bit
    // mantissa, so its sign decides.
    const int common = std::max(scale, other.scale);
    const auto x = MantissaAt(common), y = other.MantissaAt(common);
    if (!x) return mantissa < 0 ? -1 : 1;
    if (!y) return other.mantissa < 0 ? 1 : -1;
    return (*x > *y) - (*x < *y);
}

std::string DecimalValue::Text() const {
    __int128 magnitude = Magnitude(mantissa);
    std::string digits;
    do {
        digits += char('0' + int(magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (int(digits.size()) <= scale) digits.append(std::size_t(scale) + 1 - digits.size(), '0');
    std::reverse(digits.begin(), digits.end());
    if (scale > 0) {
        digits.insert(digits.size() - std::size_t(scale), 1, '.');
        while (digits.back() == '0') digits.pop_back();
        if (digits.back() == '.') digits.pop_back();
    }
    if (mantissa < 0) digits.insert(digits.begin(), '-');
    return digits;
}

double DecimalValue::ToDouble() const {
    const std::string text = Text();
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace vexa
