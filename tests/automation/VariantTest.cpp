#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

#include "automation/AutomationTestSupport.h"
#include "vexa/system/automation/Variant.h"

using namespace vexa;
using vexa::testing::ErrorOf;

namespace {

class Greeter : public Object {
  public:
    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override {
        if (MemberIs(member, "ToString")) return Variant("hello");
        if (MemberIs(member, "Value") && kind == InvokeKind::PropertyGet) return Variant(value);
        if (MemberIs(member, "Value") && kind == InvokeKind::PropertyPut) {
            value = args.back().ToLong();
            return {};
        }
        return Object::Invoke(member, args, kind);
    }
    std::string ClassName() const override { return "Greeter"; }
    int value = 7;
};

}  // namespace

TEST(VariantTypes, ConstructorsPickTheClassicTypes) {
    const std::pair<Variant, VariantType> cases[] = {
        {Variant(), vtEmpty},
        {Variant(std::int16_t(3)), vtInteger},
        {Variant(3), vtLong},
        {Variant(3L), vtLong},
        {Variant(5'000'000'000LL), vtDouble},
        {Variant(1.5f), vtSingle},
        {Variant(1.5), vtDouble},
        {Variant(true), vtBoolean},
        {Variant(std::uint8_t(9)), vtByte},
        {Variant("key"), vtString},
        {Variant::Null(), vtNull},
        {Variant::Nothing(), vtObject},
        {Variant(std::make_shared<Greeter>()), vtObject}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first.Type(), cases[i].second) << "case " << i;
    EXPECT_TRUE(Variant(std::vector<Variant>{1, "a"}).IsArray());
    EXPECT_LE(sizeof(Variant), 16u);
}

TEST(VariantTypes, CopiesShareTextAndReleaseIt) {
    Variant a("some longer text that lives on the heap");
    Variant b = a;
    Variant c = std::move(a);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(b.StringRef(), c.StringRef());
    b = Variant(4);
    c = c;
    EXPECT_EQ(c.ToString(), "some longer text that lives on the heap");
    EXPECT_EQ(b.ToLong(), 4);
}

TEST(VariantConversion, IntegersRoundHalfToEvenAndCheckRange) {
    EXPECT_EQ(Variant(2.5).ToInteger(), 2);
    EXPECT_EQ(Variant(3.5).ToInteger(), 4);
    EXPECT_EQ(Variant(-2.5).ToLong(), -2);
    EXPECT_EQ(Variant(true).ToLong(), -1);
    EXPECT_EQ(Variant().ToLong(), 0);
    EXPECT_EQ(ErrorOf([] { Variant(32767.5).ToInteger(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant(256).ToByte(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant(-1).ToByte(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant(3e9).ToLong(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant(1e300).ToSingle(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant::Null().ToLong(); }), 94);
    EXPECT_EQ(ErrorOf([] { Variant::ErrorValue(7).ToLong(); }), 13);
}

TEST(VariantConversion, NumberTextEnUs) {
    EXPECT_EQ(Variant(" 1,234.5 ").ToDouble(), 1234.5);
    EXPECT_EQ(Variant("-12").ToLong(), -12);
    EXPECT_EQ(Variant("(12)").ToLong(), -12);
    EXPECT_EQ(Variant("$3.25").ToDouble(), 3.25);
    EXPECT_EQ(Variant("1.5E3").ToDouble(), 1500);
    EXPECT_EQ(Variant("&H1F").ToLong(), 31);
    EXPECT_EQ(Variant("&HFFFFFFFF").ToLong(), -1);
    EXPECT_EQ(Variant("&O17").ToLong(), 15);
    EXPECT_EQ(Variant(".5").ToDouble(), 0.5);
    EXPECT_EQ(ErrorOf([] { Variant("12abc").ToDouble(); }), 13);
    EXPECT_EQ(ErrorOf([] { Variant("").ToDouble(); }), 13);
    EXPECT_EQ(ErrorOf([] { Variant(",5").ToDouble(); }), 13);
    EXPECT_EQ(ErrorOf([] { Variant("1e").ToDouble(); }), 13);
    EXPECT_EQ(ErrorOf([] { Variant("1e999").ToDouble(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant("70000").ToInteger(); }), 6);
    EXPECT_TRUE(Variant("12").IsNumeric());
    EXPECT_FALSE(Variant("x").IsNumeric());
}

TEST(VariantConversion, BooleansAndDates) {
    EXPECT_TRUE(Variant(" true ").ToBoolean());
    EXPECT_FALSE(Variant("FALSE").ToBoolean());
    EXPECT_TRUE(Variant("2").ToBoolean());
    EXPECT_FALSE(Variant(0.0).ToBoolean());
    EXPECT_EQ(Variant("1/2/2003").ToDate(), 37623);
    EXPECT_EQ(Variant(37623).ConvertTo(vtDate).Type(), vtDate);
    EXPECT_EQ(ErrorOf([] { Variant("maybe").ToBoolean(); }), 13);
    EXPECT_EQ(ErrorOf([] { Variant(1e7).ToDate(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant("not a date").ToDate(); }), 13);
}

TEST(VariantConversion, TextOfEveryType) {
    const std::pair<Variant, const char*> cases[] = {
        {Variant(0.1), "0.1"},
        {Variant(1e16), "1E+16"},
        {Variant(1.5e-5), "0.000015"},
        {Variant(-0.0), "0"},
        {Variant(1.0 / 3), "0.333333333333333"},
        {Variant(0.1f), "0.1"},
        {Variant(true), "True"},
        {Variant(false), "False"},
        {Variant::Currency(12345), "1.2345"},
        {Variant::Currency(-15000), "-1.5"},
        {Variant::ErrorValue(2042), "Error 2042"},
        {Variant(), ""},
        {Variant::Date(37623.5), "1/2/2003 12:00:00 PM"},
        {Variant::Decimal("-12.500"), "-12.5"},
        {Variant::Decimal("0.0000000000000000000000000001"), "0.0000000000000000000000000001"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(value.ToString(), text) << text;
    EXPECT_EQ(ErrorOf([] { Variant::Decimal("1.2.3"); }), 13);
    EXPECT_EQ(ErrorOf([] { Variant::Null().ToString(); }), 94);
}

TEST(VariantConversion, ConvertToEachType) {
    EXPECT_EQ(Variant("42").ConvertTo(vtInteger), Variant(std::int16_t(42)));
    EXPECT_EQ(Variant(2.75).ConvertTo(vtCurrency).ToCurrencyScaled(), 27500);
    EXPECT_EQ(Variant(12).ConvertTo(vtString), Variant("12"));
    EXPECT_EQ(Variant("3.25").ConvertTo(vtDecimal).ToString(), "3.25");
    EXPECT_EQ(Variant(0.5).ConvertTo(vtDecimal).ToDouble(), 0.5);
    EXPECT_EQ(Variant(-1).ConvertTo(vtBoolean), Variant(true));
    EXPECT_EQ(Variant(true).ConvertTo(vtByte), Variant(std::uint8_t(255)));
    EXPECT_EQ(Variant(false).ToByte(), 0);
    EXPECT_EQ(ErrorOf([] { Variant(1).ConvertTo(vtObject); }), 13);
    // Empty, Error and Variant are no conversion targets.
    for (const Variant& value : {Variant(), Variant(1), Variant::ErrorValue(5)}) {
        for (VariantType target : {vtEmpty, vtError, vtVariant}) {
            EXPECT_EQ(ErrorOf([&] { value.ConvertTo(target); }), 13) << target;
        }
    }
}

// Each pair compares with the sign given, and the other way round with the opposite sign.
TEST(VariantCompare, EveryTypeMeetsEveryOtherAtTheRightPrecision) {
    const Variant big = Variant::Decimal("12345678901234567890.123456789");
    const Variant bigger = Variant::Decimal("12345678901234567890.123456790");
    const Variant widest = Variant::Decimal("79228162514264337593543950335");
    const Variant tiny = Variant::Decimal("-0.0000000000000000000000000001");
    const std::tuple<Variant, Variant, int> cases[] = {
        {Variant(2), Variant(2.5), -1},
        {Variant(std::int16_t(3)), Variant(3.0f), 0},
        {Variant(true), Variant(0), -1},  // True is -1
        {Variant::Date(2), Variant(1), 1},
        {Variant(999), Variant("1"), -1},  // a number is less
        {Variant(), Variant(-1), 1},       // Empty is 0
        {Variant(), Variant(""), 0},       // Empty is ""
        {Variant(), Variant("a"), -1},
        {Variant(), Variant(), 0},
        {Variant::Null(), Variant(-5), -1},
        {Variant(""), Variant::Null(), 1},
        {Variant::Null(), Variant::Null(), 0},
        {Variant::Currency(1), Variant::Currency(2), -1},
        // Decimals compare exactly beyond the digits of a double, against integers and
        // currency scaled without rounding.
        {big, bigger, -1},
        {Variant::Decimal("1.50"), Variant::Decimal("1.5"), 0},
        {Variant::Decimal("9007199254740993"), Variant(std::int32_t(7)), 1},
        {Variant::Decimal("-2"), Variant(std::int16_t(-2)), 0},
        {Variant::Currency(12345), Variant::Decimal("1.2345"), 0},
        {Variant::Currency(12345), Variant::Decimal("1.23450000001"), -1},
        {Variant(true), Variant::Decimal("-1"), 0},
        {Variant(), Variant::Decimal("0.0000000000000000000000000001"), -1},
        {widest, tiny, 1},  // the widest mantissa against the smallest step
        {Variant::Decimal("-79228162514264337593543950335"), tiny, -1},
        {Variant(0.25), Variant::Decimal("0.25"), 0},
        // A single meets a double as singles; a Decimal meets a double or single as the
        // Decimal of its digits; a value beyond the Decimal range compares as a double.
        {Variant(1.0f), Variant(1 + 1e-8), 0},
        {Variant(0.1), Variant(0.1f), 0},
        {Variant(1.0f), Variant(1.0000001), -1},
        {Variant(3.4e38f), Variant(1e39), -1},
        {Variant(16777216.0f), Variant(16777217), -1},  // a Long is no double: exact
        {Variant::Decimal("1.00000000000000000001"), Variant(1.0), 1},
        {Variant::Decimal("0.3"), Variant(0.1 + 0.2), 0},
        {Variant::Decimal("0.60000002"), Variant(0.6f), 1},
        {Variant::Decimal("-79228162514264337593543950335"), Variant(-1e30), 1}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [a, b, sign] = cases[i];
        EXPECT_EQ(CompareVariants(a, b), sign) << "case " << i;
        EXPECT_EQ(CompareVariants(b, a), -sign) << "case " << i;
    }
    EXPECT_FALSE(big == bigger);
    // Text by character code, or case-blind.
    EXPECT_EQ(CompareVariants(Variant("B"), Variant("a")), -1);
    EXPECT_EQ(CompareVariants(Variant("B"), Variant("a"), true), 1);
    EXPECT_EQ(CompareVariants(Variant("straße"), Variant("STRASSE"), true), 1);
    EXPECT_EQ(ErrorOf([] { CompareVariants(Variant::ErrorValue(1), Variant(1)); }), 13);
}

TEST(VariantObjects, LateBoundMembersAndDefaultValue) {
    auto greeter = std::make_shared<Greeter>();
    Variant v(greeter);
    EXPECT_EQ(CallMember(v.ToObject(), "tostring").ToString(), "hello");
    EXPECT_EQ(v.ToLong(), 7);  // through the default "Value" member
    PutMember(greeter, "Value", Variant(9));
    EXPECT_EQ(GetMember(greeter, "VALUE").ToLong(), 9);
    EXPECT_EQ(CompareVariants(v, Variant(10)), -1);
    EXPECT_EQ(TypeName(v), "Greeter");
    EXPECT_EQ(TypeName(Variant::Nothing()), "Nothing");
    EXPECT_EQ(ErrorOf([&] { CallMember(greeter, "Missing"); }), 438);
    EXPECT_EQ(ErrorOf([] { CallMember(nullptr, "ToString"); }), 91);
    EXPECT_EQ(ErrorOf([] { Variant(std::make_shared<Object>()).ToString(); }), 438);
    EXPECT_EQ(Variant(greeter), Variant(greeter));
    EXPECT_FALSE(Variant(greeter) == Variant(std::make_shared<Greeter>()));
}

TEST(VariantConversion, BooleanTextMayBeADateLiteral) {
    for (const auto& [text, value] : {std::pair{"#TRUE#", true}, {" #false# ", false}}) {
        EXPECT_EQ(Variant(text).ToBoolean(), value) << text;
    }
    for (const char* text : {"#TRUE", "# TRUE#", "#YES#"}) {
        EXPECT_EQ(ErrorOf([&] { Variant(text).ToBoolean(); }), 13) << text;
    }
}

// Floating-point values bring the digits their text shows into a Decimal, and Decimals and
// number text never pass through a double on their way to Currency or an integer.
TEST(DecimalConversion, SinglesBringSevenDigitsDoublesFifteenTextAll) {
    const std::pair<Variant, const char*> cases[] = {
        {Variant(0.6f), "0.6"},
        {Variant(1.0f / 3), "0.3333333"},
        {Variant(123456789.0f), "123456800"},
        {Variant(-1e-10f), "-0.0000000001"},
        {Variant(1.0 / 3), "0.333333333333333"},
        {Variant(2.5e-28), "0.0000000000000000000000000002"},  // half-way: the even digit
        {Variant(1e-29), "0"},
        {Variant::Currency(INT64_MAX), "922337203685477.5807"},
        {Variant(" $1,234.50 "), "1234.5"},
        {Variant("(2.5E-3)"), "-0.0025"},
        {Variant("1.23456789012345678901234567891"), "1.2345678901234567890123456789"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(value.ConvertTo(vtDecimal).Type(), vtDecimal) << text;
        EXPECT_EQ(value.ConvertTo(vtDecimal).ToString(), text);
    }
    for (const Variant& beyond : {Variant(1e30f), Variant(7.93e28), Variant("-1E+29")}) {
        EXPECT_EQ(ErrorOf([&] { beyond.ConvertTo(vtDecimal); }), 6) << beyond.ToString();
    }
}

TEST(DecimalConversion, DecimalsAndNumberTextBecomeCurrencyAndIntegersExactly) {
    const std::pair<Variant, std::int64_t> currencies[] = {
        {Variant::Decimal("922337203685477"), 9223372036854770000},
        {Variant::Decimal("-922337203685477.5808"), INT64_MIN},
        {Variant::Decimal("1.23455"), 12346},  // half-way: the even digit
        {Variant::Decimal("-1.23445"), -12344},
        {Variant::Decimal("1.234451"), 12345},
        {Variant("922337203685477.5807"), INT64_MAX}};
    for (const auto& [value, scaled] : currencies) {
        EXPECT_EQ(value.ConvertTo(vtCurrency).ToCurrencyScaled(), scaled) << value.ToString();
    }
    for (const Variant& beyond :
         {Variant::Decimal("922337203685477.5808"), Variant("-922337203685477.5809")}) {
        EXPECT_EQ(ErrorOf([&] { beyond.ToCurrencyScaled(); }), 6) << beyond.ToString();
    }
    EXPECT_EQ(Variant::Decimal("-2.5000000000000000000000001").ToLong(), -3);
    EXPECT_EQ(Variant::Decimal("3.5").ToInteger(), 4);
    EXPECT_EQ(Variant::Decimal("255.4999999999999999").ToByte(), 255);
    EXPECT_EQ(ErrorOf([] { Variant::Decimal("2147483647.5").ToLong(); }), 6);
}
