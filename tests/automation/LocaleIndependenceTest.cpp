// Number text and Format stay en-US whatever locale the host program sets for the C library:
// a German locale, with its decimal comma, changes none of them.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <tuple>

#include "vexa/system/automation/Format.h"
#include "vexa/system/automation/Variant.h"

using namespace vexa;

TEST(LocaleIndependence, AGermanCLocaleChangesNoTextAndNoParse) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_TRUE(std::setlocale(LC_ALL, "de_DE.UTF-8")) << "no de_DE.UTF-8: run scripts/setup";
    char printed[8];
    std::snprintf(printed, sizeof printed, "%.1f", 2.5);
    EXPECT_STREQ(printed, "2,5");  // the C library itself now writes a decimal comma

    const std::tuple<Variant, const char*, const char*> formats[] = {
        {1234.5f, "", "1234.5"},
        {5.6789e-05, "", "0.000056789"},
        {Variant(0.6).ConvertTo(vtDecimal), "", "0.6"},
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {1234.5, "0.00E+00", "1.23E+03"},
        {-1234.5, "Currency", "($1,234.50)"},
        {Variant::Date(37623.75), "General Date", "1/2/2003 6:00:00 PM"},
        {"1,234.5", "0.000", "1234.500"}};
    for (const auto& [value, format, text] : formats) EXPECT_EQ(Format(value, format), text);
    EXPECT_EQ(Variant("1,234.5").ToDouble(), 1234.5);
    EXPECT_EQ(Variant("$2.5").ToCurrencyScaled(), 25000);
    EXPECT_EQ(Variant("0.25").ConvertTo(vtDecimal).ToString(), "0.25");
    EXPECT_EQ(Variant("2.5").ToDate(), (2 * 60 + 5) / 1440.0);
    std::setlocale(LC_ALL, saved.c_str());
}
