// Conversions into and out of Decimal and Currency: floating-point values bring the digits
// their text shows, and the exact types never pass through a double.
#include <gtest/gtest.h>

#include <cstdint>

#include "vexa/system/automation/Error.h"
#include "vexa/system/automation/Variant.h"

using namespace vexa;

namespace {

std::int32_t ErrorOf(auto&& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace

TEST(DecimalConversion, SinglesBringSevenDigitsAndDoublesFifteen) {
    const struct {
        Variant value;
        const char* decimal;
    } cases[] = {
        {Variant(0.6f), "0.6"},
        {Variant(-2.5f), "-2.5"},
        {Variant(1.0f / 3), "0.3333333"},
        {Variant(654322.25f), "654322.3"},
        {Variant(123456789.0f), "123456800"},
        {Variant(1e20f), "100000000000000000000"},
        {Variant(1e-10f), "0.0000000001"},
        {Variant(0.6), "0.6"},
        {Variant(1.0 / 3), "0.333333333333333"},
        {Variant(0.1 + 0.2), "0.3"},
        {Variant(7.9e28), "79000000000000000000000000000"},
        {Variant(1e-28), "0.0000000000000000000000000001"},
        {Variant(1.5e-28), "0.0000000000000000000000000002"},  // half-way: to the even digit
        {Variant(2.5e-28), "0.0000000000000000000000000002"},
        {Variant(1e-29), "0"},
        {Variant::Date(1.5), "1.5"},
        {Variant::Currency(INT64_MAX), "922337203685477.5807"},
        {Variant(std::int16_t(-7)), "-7"},
        {Variant(true), "-1"},
        {Variant(" $1,234.50 "), "1234.5"},
        {Variant("(2.5E-3)"), "-0.0025"},
        {Variant("&HFF"), "255"},
        {Variant("1.23456789012345678901234567891"), "1.2345678901234567890123456789"},
    };
    for (const auto& [value, decimal] : cases) {
        const Variant converted = value.ConvertTo(vtDecimal);
        EXPECT_EQ(converted.Type(), vtDecimal) << decimal;
        EXPECT_EQ(converted.ToString(), decimal);
    }
    for (const Variant& tooLarge : {Variant(1e30f), Variant(7.93e28), Variant("1E+29")}) {
        EXPECT_EQ(ErrorOf([&] { tooLarge.ConvertTo(vtDecimal); }), 6) << tooLarge.ToString();
    }
    EXPECT_EQ(ErrorOf([] { Variant("1.2.3").ConvertTo(vtDecimal); }), 13);
}

// 922337203685477 and its neighbours hold more digits than a double.
TEST(DecimalConversion, DecimalsAndNumberTextBecomeCurrencyExactly) {
    const struct {
        Variant value;
        std::int64_t scaled;
    } cases[] = {
        {Variant::Decimal("922337203685477"), 9223372036854770000},
        {Variant::Decimal("922337203685477.5807"), INT64_MAX},
        {Variant::Decimal("-922337203685477.5808"), INT64_MIN},
        {Variant::Decimal("1.23455"), 12346},  // half-way: to the even digit
        {Variant::Decimal("1.23445"), 12344},
        {Variant::Decimal("1.234451"), 12345},
        {Variant::Decimal("-1.23455"), -12346},
        {Variant("922337203685477.5807"), INT64_MAX},
        {Variant("$1,234.56785"), 12345678},
    };
    for (const auto& [value, scaled] : cases) {
        EXPECT_EQ(value.ConvertTo(vtCurrency).ToCurrencyScaled(), scaled) << value.ToString();
    }
    EXPECT_EQ(Variant::Decimal("922337203685477").ConvertTo(vtCurrency).ToString(),
              "922337203685477");
    for (const char* beyond : {"922337203685477.5808", "-922337203685477.5809"}) {
        EXPECT_EQ(ErrorOf([&] { Variant::Decimal(beyond).ToCurrencyScaled(); }), 6) << beyond;
        EXPECT_EQ(ErrorOf([&] { Variant(beyond).ToCurrencyScaled(); }), 6) << beyond;
    }
}

TEST(DecimalConversion, DecimalsRoundToWholeNumbersExactly) {
    EXPECT_EQ(Variant::Decimal("2.5").ToLong(), 2);
    EXPECT_EQ(Variant::Decimal("3.5").ToInteger(), 4);
    EXPECT_EQ(Variant::Decimal("2.5000000000000000000000001").ToLong(), 3);
    EXPECT_EQ(Variant::Decimal("-2.5000000000000000000000001").ToLong(), -3);
    EXPECT_EQ(Variant::Decimal("2147483647.4999999999").ToLong(), 2147483647);
    EXPECT_EQ(Variant::Decimal("255.4999999999999999").ToByte(), 255);
    EXPECT_EQ(ErrorOf([] { Variant::Decimal("2147483647.5").ToLong(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant::Decimal("-0.5000000001").ToByte(); }), 6);
}
