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
