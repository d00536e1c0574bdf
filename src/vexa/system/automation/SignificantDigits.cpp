#include "vexa/system/automation/SignificantDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

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

}  // namespace

SignificantDigits::SignificantDigits(double value, int precision) {
    negative_ = std::signbit(value) && value != 0;
    const double magnitude = std::fabs(value);
    if (magnitude == 0 || !std::isfinite(magnitude)) {
        digits_[0] = '0';
        count_ = 1;
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
