#include "vexa/system/automation/SignificantDigits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vexa {

namespace {

// Three digits past those kept decide the rounding, unless they read exactly 500: then the
// value may lie a hair either side of the half, and only its exact expansion tells.
constexpr int kGuardDigits = 3;
// Every double's exact decimal expansion has fewer significant digits than this.
constexpr int kExactDigits = 780;

struct Scientific {
    std::string digits;  // digit count = precision + 1
    int exponent = 0;
};

// std::to_chars writes "d.ddde+XX" the same in every locale; its digits are correctly
// rounded at the precision asked for.
Scientific ScientificOf(double magnitude, int fractionDigits) {
    std::string buffer(std::size_t(fractionDigits) + 16, '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, fractionDigits);
    buffer.resize(std::size_t(result.ptr - buffer.data()));
    Scientific s;
    const std::size_t e = buffer.find('e');
    s.digits.reserve(e);
    for (std::size_t i = 0; i < e; ++i) {
        if (buffer[i] != '.') s.digits += buffer[i];
    }
    s.exponent = std::atoi(buffer.c_str() + e + 1);
    return s;
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
    const Scientific guarded = ScientificOf(magnitude, precision - 1 + kGuardDigits);
    const std::string_view tail = std::string_view(guarded.digits).substr(std::size_t(precision));
    bool up = tail > "500";
    if (tail == "500") {
        // (A carry out of the guard digits would have left them at 000, so the kept digits
        // are those of the exact expansion.)
        up = ScientificOf(magnitude, kExactDigits).digits[std::size_t(precision)] >= '5';
    }
    guarded.digits.copy(digits_, std::size_t(precision));
    count_ = precision;
    exponent_ = guarded.exponent;
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
