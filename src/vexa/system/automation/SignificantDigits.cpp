#include "vexa/system/automation/SignificantDigits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace vexa {

namespace {

// Three digits past those kept decide the rounding, unless they read exactly 500: then the
// value may lie a hair either side of the half, and only its exact expansion tells.
constexpr int kGuardDigits = 3;
// Every double's exact decimal expansion has fewer significant digits than this.
constexpr int kExactDigits = 780;

// Writes the first `fractionDigits + 1` significant digits of `magnitude`, correctly rounded,
// to `digits` and returns the power of ten of the first. std::to_chars writes "d.ddde-XX"
// the same in every locale.
int ScientificDigits(double magnitude, int fractionDigits, char* digits) {
    char text[kExactDigits + 16];
    const char* const end = std::to_chars(text, text + sizeof text, magnitude,
                                          std::chars_format::scientific, fractionDigits)
                                .ptr;
    const char* p = text;
    for (; *p != 'e'; ++p) {
        if (*p != '.') *digits++ = *p;
    }
    const bool negative = p[1] == '-';
    int exponent = 0;
    std::from_chars(p + 2, end, exponent);
    return negative ? -exponent : exponent;
}

using Wide = unsigned __int128;

constexpr std::array<Wide, 23> PowersOfTen() {
    std::array<Wide, 23> powers{};
    Wide power = 1;
    for (Wide& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}
constexpr std::array<Wide, 23> kPowersOfTen = PowersOfTen();

// The first `precision` significant digits of `magnitude` as an integer, rounded half away
// from zero on the exact value, and the power of ten of the first. A double is m * 2^e with
// a 53-bit m; for values from 1e-8 or so up to 2^53, m * 10^k fits in 128 bits, and shifting
// it right by -e gives the digits with the exact remainder to round on. Returns false for
// values outside that range.
bool ScaledDigits(double magnitude, int precision, std::uint64_t& scaled, int& exponent) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biasedExponent = int(bits >> 52);
    // Subnormals are far below the range.
    if (biasedExponent == 0) return false;
    const std::uint64_t mantissa =
        (bits & ((std::uint64_t(1) << 52) - 1)) | (std::uint64_t(1) << 52);
    // magnitude = mantissa * 2^-shift = [0.5, 1) * 2^binaryExponent.
    const int binaryExponent = biasedExponent - 1022;
    const int shift = 53 - binaryExponent;
    if (shift < 0 || shift > 127) return false;
    // magnitude lies in [2^(b-1), 2^b): its power of ten is this estimate or the next.
    // floor((b - 1) * log10(2)) in integers: 78913 / 2^18 is log10(2) closely enough for
    // every exponent a double has.
    exponent = ((binaryExponent - 1) * 78913) >> 18;
    const Wide limit = kPowersOfTen[std::size_t(precision)];
    for (int attempt = 0; attempt < 2; ++attempt, ++exponent) {
        const int scale = precision - 1 - exponent;
        if (scale < 0 || scale >= int(kPowersOfTen.size())) return false;
        const Wide product = Wide(mantissa) * kPowersOfTen[std::size_t(scale)];
        // The digits with the first binary place dropped after them: when that place is
        // set, what is dropped is half a unit or more, and the digits round up.
        const Wide withHalf = shift > 0 ? product >> (shift - 1) : product << 1;
        Wide digits = withHalf >> 1;
        if (digits >= limit) continue;
        digits += withHalf & 1;
        if (digits == limit) {  // 9.99… carried into the next power of ten
            digits = kPowersOfTen[std::size_t(precision - 1)];
            ++exponent;
        }
        scaled = std::uint64_t(digits);
        return true;
    }
    return false;
}

}  // namespace

SignificantDigits::SignificantDigits(double value, int precision) {
    negative_ = std::signbit(value) && value != 0;
    const double magnitude = std::fabs(value);
    if (magnitude == 0 || !std::isfinite(magnitude)) {
        digits_[0] = '0';
        count_ = 1;
        return;
    }
    std::uint64_t scaled = 0;
    if (Scaled(magnitude, precision, scaled, exponent_)) {
        count_ = int(std::to_chars(digits_, digits_ + precision, scaled).ptr - digits_);
        while (count_ > 1 && digits_[count_ - 1] == '0') --count_;
        return;
    }
    char guarded[24];
    exponent_ = ScientificDigits(magnitude, precision - 1 + kGuardDigits, guarded);
    const std::string_view tail(guarded + precision, kGuardDigits);
    bool up = tail > "500";
    if (tail == "500") {
        // (A carry out of the guard digits would have left them at 000, so the kept digits
        // are those of the exact expansion.)
        char exact[kExactDigits + 1];
        ScientificDigits(magnitude, kExactDigits, exact);
        up = exact[precision] >= '5';
    }
    std::copy(guarded, guarded + precision, digits_);
    count_ = precision;
    RoundAt(precision, up);
    while (count_ > 1 && digits_[count_ - 1] == '0') --count_;
}

bool SignificantDigits::Scaled(double magnitude, int precision, std::uint64_t& digits,
                               int& exponent) {
    return ScaledDigits(magnitude, precision, digits, exponent);
}

void SignificantDigits::RoundAt(int precision, bool up) {
    if (!up) return;
    for (int i = precision - 1; i >= 0; --i) {
        if (digits_[i] != '9') {
            ++digits_[i];
            return;
        }
        digits_[i] = '0';
    }
    // 9.99… carried into the next power of ten.
    digits_[0] = '1';
    ++exponent_;
}

std::string SignificantDigits::Text(int precision) const {
    std::string text;
    if (IsZero()) return "0";
    if (negative_) text += '-';
    const std::string_view digits = Digits();
    const int decimals = count_ - 1 - exponent_;
    if (exponent_ < precision && decimals <= precision) {
        if (exponent_ < 0) {
            text += "0.";
            text.append(std::size_t(-exponent_ - 1), '0');
            text += digits;
            return text;
        }
        const std::size_t integerDigits = std::size_t(exponent_ + 1);
        text += digits.substr(0, integerDigits);
        if (digits.size() < integerDigits) text.append(integerDigits - digits.size(), '0');
        if (digits.size() > integerDigits) {
            text += '.';
            text += digits.substr(integerDigits);
        }
        return text;
    }
    text += digits[0];
    if (digits.size() > 1) {
        text += '.';
        text += digits.substr(1);
    }
    text += exponent_ < 0 ? "E-" : "E+";
    const int power = std::abs(exponent_);
    if (power < 10) text += '0';
    text += std::to_string(power);
    return text;
}

}  // namespace vexa
