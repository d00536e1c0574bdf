// Number text and Format read and write en-US whatever locale the host program sets for the
// C library: a German locale, with its decimal comma, changes none of them.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "vexa/system/automation/Format.h"
#include "vexa/system/automation/Variant.h"

using namespace vexa;

namespace {

class GermanLocale {
  public:
    GermanLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {
        active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~GermanLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    bool Active() const { return active_; }

  private:
    std::string saved_;
    bool active_ = false;
};

}  // namespace

TEST(LocaleIndependence, GermanCLocaleChangesNoTextOrParse) {
    GermanLocale german;
    ASSERT_TRUE(german.Active()) << "the de_DE.UTF-8 locale is missing: run scripts/setup";
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 2.5);
    ASSERT_STREQ(printed, "2,5");  // the C library now writes a decimal comma

    const struct {
        Variant value;
        const char* format;
        const char* text;
    } formats[] = {
        {1234.5, "", "1234.5"},
        {1234.5f, "", "1234.5"},
        {5.6789e-05, "", "0.000056789"},
        {1e20, "", "1E+20"},
        {Variant::Currency(-15000), "", "-1.5"},
        {Variant::Decimal("-12.25"), "", "-12.25"},
        {Variant(0.6f).ConvertTo(vtDecimal), "", "0.6"},
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {0.256, "0.0%", "25.6%"},
        {1234.5, "0.00E+00", "1.23E+03"},
        {47.11, ".0000E+0", ".4711E+2"},
        {-1234.5, "Currency", "($1,234.50)"},
        {1234.567, "Standard", "1,234.57"},
        {Variant::Date(37623.75), "General Date", "1/2/2003 6:00:00 PM"},
        {Variant::Date(37623.75), "dddd, mmmm d, yyyy hh:nn", "Thursday, January 2, 2003 18:00"},
        {"1,234.5", "0.000", "1234.500"},
    };
    for (const auto& [value, format, text] : formats) {
        EXPECT_EQ(Format(value, format), text) << text;
    }
    EXPECT_EQ(Variant("1,234.5").ToDouble(), 1234.5);
    EXPECT_EQ(Variant("1.5E3").ToSingle(), 1500.0f);
    EXPECT_EQ(Variant("$2.5").ToCurrencyScaled(), 25000);
    EXPECT_EQ(Variant("0.25").ConvertTo(vtDecimal).ToString(), "0.25");
    EXPECT_EQ(Variant("1/2/2003 2.5").ToDate(), 37623 + (2 * 60 + 5) / 1440.0);
}
