// The text of doubles and singles: where fixed notation gives way to E notation, and how the
// last kept digit rounds.
#include <gtest/gtest.h>

#include "vexa/system/automation/Variant.h"

using namespace vexa;

namespace {

struct DoubleText {
    double value;
    const char* text;
};

struct SingleText {
    float value;
    const char* text;
};

}  // namespace

// Fixed notation while every one of the 15 digits fits within 15 places of the point.
TEST(NumberText, DoublesSwitchToENotationOnlyPastFifteenPlaces) {
    const DoubleText cases[] = {
        {1e-17, "1E-17"},
        {1e-16, "1E-16"},
        {-1e-16, "-1E-16"},
        {1.5e-15, "1.5E-15"},
        {1e-15, "0.000000000000001"},
        {9.999999999999999e-16, "0.000000000000001"},  // rounds up into fixed notation
        {9.99999999999999e-16, "9.99999999999999E-16"},
        {1.5e-14, "0.000000000000015"},
        {1e-14, "0.00000000000001"},
        {1e-11, "0.00000000001"},
        {1.23456789012345e-11, "1.23456789012345E-11"},
        {5.6789e-05, "0.000056789"},
        {-5.6789e-05, "-0.000056789"},
        {1.23456789012345e-05, "1.23456789012345E-05"},
        {9.999999999999999e-05, "0.0001"},
        {0.1 / 3, "3.33333333333333E-02"},
        {1.0 / 3, "0.333333333333333"},
        {-2.0 / 3, "-0.666666666666667"},
        {0.1 + 0.2, "0.3"},
        {1e14, "100000000000000"},
        {999999999999999.0, "999999999999999"},
        {-999999999999999.4, "-999999999999999"},
        {999999999999999.5, "1E+15"},  // rounds up into E notation
        {1e15, "1E+15"},
        {-1e15, "-1E+15"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {1e300, "1E+300"},
        {1.7976931348623157e308, "1.79769313486232E+308"},
        {5e-324, "4.94065645841247E-324"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(Variant(value).ToString(), text) << value;
    }
}

// The same rule at 7 digits.
TEST(NumberText, SinglesSwitchToENotationOnlyPastSevenPlaces) {
    const SingleText cases[] = {
        {1e-08f, "1E-08"},
        {9.99999e-08f, "9.99999E-08"},
        {1.5e-07f, "1.5E-07"},
        {1e-07f, "0.0000001"},
        {-1e-07f, "-0.0000001"},
        {1.5e-06f, "0.0000015"},
        {1e-06f, "0.000001"},
        {1e-05f, "0.00001"},
        {0.01401764f, "1.401764E-02"},
        {0.099999997f, "9.999999E-02"},
        {0.1f, "0.1"},
        {0.7055475f, "0.7055475"},
        {99999.99609375f, "100000"},  // rounds up into one digit more
        {1234567.0f, "1234567"},
        {9999999.0f, "9999999"},
        {1e7f, "1E+07"},
        {-12345678.0f, "-1.234568E+07"},
        {3.4028235e38f, "3.402823E+38"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(Variant(value).ToString(), text) << value;
    }
}

// A value exactly half-way between two texts rounds away from zero, not to the even digit.
TEST(NumberText, HalfWayValuesRoundAwayFromZero) {
    const SingleText singles[] = {
        {654322.23456f, "654322.3"},  // held as 654322.25
        {-654322.25f, "-654322.3"},  {1234.5625f, "1234.563"},
        {1677720.5f, "1677721"},     {999999.9375f, "999999.9"},  // not half-way: 999999.9|375
    };
    for (const auto& [value, text] : singles) {
        EXPECT_EQ(Variant(value).ToString(), text) << value;
    }
    EXPECT_EQ(Variant(1234567890123.125).ToString(), "1234567890123.13");
    EXPECT_EQ(Variant(-1234567890123.125).ToString(), "-1234567890123.13");
    // A single widened to a double shows the double's 15 digits of it.
    EXPECT_EQ(Variant(double(0.6f)).ToString(), "0.600000023841858");
}
