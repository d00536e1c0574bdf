// The leading decimal digits of a binary floating-point value, taken as the classic runtime
// takes them: rounded half away from zero on the exact binary value (a single holding
// 654322.25 reads 654322.3 at 7 digits), and never through the C library's locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexa {

class SignificantDigits {
  public:
    // The first `precision` (1..17) significant digits of a finite value, trailing zeros
    // removed. Zero reads as the single digit "0" with exponent 0.
    SignificantDigits(double value, int precision);

    // '0'..'9', the first one non-zero unless the value is zero.
    std::string_view Digits() const { return {digits_, std::size_t(count_)}; }
    // The power of ten of the first digit: 1234.5 is "12345" at exponent 3.
    int Exponent() const { return exponent_; }
    bool Negative() const { return negative_; }
    bool IsZero() const { return digits_[0] == '0'; }

    // The same digits of a positive finite magnitude as one integer of exactly `precision`
    // digits (trailing zeros kept), with the power of ten of the first, where exact integer
    // arithmetic reaches them: from about 1e-8 up to 2^53 at 15 digits. False elsewhere.
    static bool Scaled(double magnitude, int precision, std::uint64_t& digits, int& exponent);

    // The runtime's text of the value at this precision: fixed notation while every digit
    // fits within `precision` places of the point, else "1.5E-07" / "1E+15" notation.
    std::string Text(int precision) const;

  private:
    void RoundAt(int precision, bool up);

    char digits_[24] = {};
    int count_ = 0;
    int exponent_ = 0;
    bool negative_ = false;
};

}  // namespace vexa
