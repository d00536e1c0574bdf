// The text of doubles and singles: fixed notation while every digit fits within 15 (7)
// places of the point, else E notation; a half-way value rounds away from zero.
#include <gtest/gtest.h>

#include <utility>

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
