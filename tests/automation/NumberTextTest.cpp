// The text of doubles and singles: fixed notation while every digit fits within 15 (7)
// places of the point, else E notation; a half-way value rounds away from zero.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "vexa/system/automation/Format.h"
#include "vexa/system/automation/Variant.h"

using namespace vexa;

TEST(NumberText, DoublesKeepFixedNotationWhileFifteenPlacesHoldTheDigits) {
    const std::pair<double, const char*> cases[] = {
        {-1e-16, "-1E-16"},
        {1.5e-15, "1.5E-15"},
        {9.999999999999999e-16, "0.000000000000001"},  // rounds into fixed notation
        {1.23456789012345e-11, "1.23456789012345E-11"},
        {-5.6789e-05, "-0.000056789"},
        {0.1 / 3, "3.33333333333333E-02"},
        {-2.0 / 3, "-0.666666666666667"},
        {-999999999999999.4, "-999999999999999"},
        {999999999999999.5, "1E+15"},  // rounds into E notation
        {1234567890123.125, "1234567890123.13"},
        {5e-324, "4.94065645841247E-324"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(Variant(value).ToString(), text) << value;
}

TEST(NumberText, SinglesKeepFixedNotationWhileSevenPlacesHoldTheDigits) {
    const std::pair<float, const char*> cases[] = {
        {1e-08f, "1E-08"},           {1.5e-07f, "1.5E-07"},
        {-1e-07f, "-0.0000001"},     {0.01401764f, "1.401764E-02"},
        {0.7055475f, "0.7055475"},   {99999.99609375f, "100000"},
        {9999999.0f, "9999999"},     {-1e7f, "-1E+07"},
        {654322.23456f, "654322.3"},  // held as 654322.25: half-way, away from zero
        {-1677720.5f, "-1677721"},   {999999.9375f, "999999.9"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(Variant(value).ToString(), text) << value;
}

namespace {

// 15 significant digits rounded half away from zero on the value's exact decimal expansion,
// written as "d.ddddddddddddddE+xx".
std::string ExactScientific(double value) {
    char text[800];
    const char* const end = std::to_chars(text, text + sizeof text, std::fabs(value),
                                          std::chars_format::scientific, 770)
                                .ptr;
    std::string digits;
    const char* p = text;
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits += *p;
    }
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
    const bool up = digits[15] >= '5';
    digits.resize(15);
    int i = 14;
    for (; up && i >= 0 && digits[std::size_t(i)] == '9'; --i) digits[std::size_t(i)] = '0';
    if (up && i < 0) {
        digits[0] = '1';
        ++exponent;
    } else if (up) {
        ++digits[std::size_t(i)];
    }
    std::string power = std::to_string(std::abs(exponent));
    if (power.size() < 2) power.insert(0, "0");
    return (value < 0 ? "-" : "") + digits.substr(0, 1) + "." + digits.substr(1) +
           (exponent < 0 ? "E-" : "E+") + power;
}

}  // namespace

TEST(NumberText, FifteenDigitsMatchTheExactExpansionAtEveryMagnitude) {
    std::mt19937_64 random(20);
    std::vector<double> values;
    for (int power = -330; power <= 308; power += 3) {
        for (int i = 0; i < 20; ++i) {
            const double mantissa = std::uniform_real_distribution<double>(1, 10)(random);
            values.push_back((i % 2 ? -1 : 1) * mantissa * std::pow(10.0, power));
        }
    }
    // Half-way at the fifteenth digit: 16-digit integers ending in 5, and 15 digits plus .5.
    std::uniform_int_distribution<long long> fifteenDigits(100000000000000, 899999999999999);
    for (int i = 0; i < 2000; ++i) {
        values.push_back(double(fifteenDigits(random) * 10 + 5));
        values.push_back(double(fifteenDigits(random)) + 0.5);
        values.push_back(std::nextafter(values.back(), 0.0));
        values.push_back(std::uniform_int_distribution<long long>(1, 9999999)(random) / 1024.0);
    }
    for (double value : values) {
        if (value == 0 || !std::isfinite(value)) continue;
        EXPECT_EQ(Format(value, "0.00000000000000E+00"), ExactScientific(value)) << value;
    }
}

namespace {

// A fixed-point format's text built from ExactScientific's fifteen digits, rounded half away
// from zero at the last decimal shown, with thousands separators when asked.
std::string FixedFromFifteenDigits(double value, int decimals, bool grouping) {
    const std::string scientific = ExactScientific(std::fabs(value));
    const auto digits = std::stoull(scientific.substr(0, 1) + scientific.substr(2, 14));
    const int power = std::stoi(scientific.substr(17)) - 14 + decimals;
    unsigned long long units = 0;
    if (power > 4) return {};  // past 64 bits here; the other test covers those magnitudes
    if (power >= 0) {
        units = digits * static_cast<unsigned long long>(std::pow(10, power));
    } else if (power >= -15) {
        const auto dropped = static_cast<unsigned long long>(std::pow(10, -power));
        units = digits / dropped + (digits % dropped >= dropped / 2);
    }
    const auto scale = static_cast<unsigned long long>(std::pow(10, decimals));
    std::string integer = std::to_string(units / scale);
    for (int at = int(integer.size()) - 3; grouping && at > 0; at -= 3) integer.insert(at, ",");
    std::string fraction = decimals > 0 ? "." + std::to_string(units % scale) : "";
    if (decimals > 0) fraction.insert(1, std::size_t(decimals + 1) - fraction.size(), '0');
    return (value < 0 && units != 0 ? "-" : "") + integer + fraction;
}

}  // namespace

TEST(NumberText, FixedFormatsRoundTheFifteenDigitsHalfAwayFromZero) {
    const struct {
        const char* format;
        int decimals;
        bool grouping;
    } formats[] = {
        {"#,##0.00", 2, true}, {"0.000", 3, false}, {"#,##0", 0, true}, {"0.0000000", 7, false}};
    std::mt19937_64 random(7);
    std::vector<double> values{0.005, 0.015, 2.675, 1.0005, 999999.995, 4503599627370495.5};
    for (int i = 0; i < 3000; ++i) {
        const double power = std::uniform_real_distribution<double>(-9, 13)(random);
        values.push_back((i % 3 ? 1 : -1) * std::pow(10.0, power));
        values.push_back(double(std::uniform_int_distribution<long long>(0, 99999999)(random)) /
                             std::pow(10.0, i % 8) +
                         0.005);
    }
    for (const auto& format : formats) {
        for (double value : values) {
            const std::string expected =
                FixedFromFifteenDigits(value, format.decimals, format.grouping);
            if (!expected.empty()) {
                EXPECT_EQ(Format(value, format.format), expected) << value;
            }
        }
    }
}
