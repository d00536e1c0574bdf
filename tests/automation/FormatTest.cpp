#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "automation/AutomationTestSupport.h"
#include "vexa/system/automation/DateTime.h"
#include "vexa/system/automation/Format.h"

using namespace vexa;
using vexa::testing::ErrorOf;

namespace {

Variant DateAt(int y, int m, int d, int hh = 0, int nn = 0, int ss = 0) {
    return Variant::Date(*DateSerial(y, m, d) + TimeSerial(hh, nn, ss));
}

struct FormatCase {
    Variant value;
    const char* format;
    const char* text;
};

void ExpectFormats(std::span<const FormatCase> cases) {
    for (const auto& [value, format, text] : cases) {
        EXPECT_EQ(Format(value, format), text) << format;
    }
}
void ExpectFormats(std::initializer_list<FormatCase> cases) {
    ExpectFormats(std::span(cases.begin(), cases.size()));
}

const FormatCase kPlaceholders[] = {
    {1234.5, "#,##0.00", "1,234.50"},
    {1234567.891, "#,##0", "1,234,568"},
    {0.5, "#.##", ".5"},
    {0.5, "0.##", "0.5"},
    {5, "#.##", "5."},
    {5.5, ".00", "5.50"},
    {7, "000", "007"},
    {2.5, "0", "3"},  // half away from zero, unlike the integer conversions
    {-2.5, "0", "-3"},
    {1.005, "0.00", "1.01"},  // on 15 significant digits, not binary
    {9.999, "0.00", "10.00"},
    {5551234, "000-0000", "555-1234"},
    {1234567, "#,##0,", "1,235"},  // a trailing comma scales by 1000
    {1234567, "0,,.0", "1.2"},
    {-1234.5, "#,##0.00", "-1,234.50"},
    {3, "\"n=\"0\" pcs\"", "n=3 pcs"},
    {3, "\\#0", "#3"},
    {-5, "$0", "-$5"},
};

TEST(FormatNumbers, PlaceholdersSeparatorsAndRounding) {
    ExpectFormats(kPlaceholders);
}

const FormatCase kPercentAndScientific[] = {
    {0.256, "0.0%", "25.6%"},         {1, "0%", "100%"},
    {0.1234, "0.00%", "12.34%"},      {1234.5, "0.00E+00", "1.23E+03"},
    {0.00012, "0.0E-0", "1.2E-4"},    {12000, "0.0E-0", "1.2E4"},
    {9.99, "0.0E+00", "1.0E+01"},     {0, "0.00E+00", "0.00E+00"},
    {123456, "0.00e+00", "1.23e+05"},
};

TEST(FormatNumbers, PercentAndScientific) {
    ExpectFormats(kPercentAndScientific);
}

const FormatCase kSections[] = {
    {-5, "0;(0)", "(5)"},
    {5, "0;(0)", "5"},
    {0, "0;-0;\"zero\"", "zero"},
    {-3, "0;;\"zero\"", "-3"},  // an empty section falls back to the first
    {Variant::Null(), "0;-0;0;\"none\"", "none"},
    {Variant::Null(), "0.00", ""},
    {Variant(), "0.00", ""},
};

TEST(FormatNumbers, Sections) {
    ExpectFormats(kSections);
}

const FormatCase kOtherTypes[] = {
    {"1234.5", "#,##0.00", "1,234.50"},  // numeric text converts
    {"apples", "0.00", "apples"},
    {true, "0", "-1"},
    {Variant::Currency(123456), "0.00", "12.35"},
    {Variant(1.5f), "0.000", "1.500"},
};

TEST(FormatNumbers, ValuesOfOtherTypes) {
    ExpectFormats(kOtherTypes);
}

const FormatCase kNumberNames[] = {
    {1234.5, "Currency", "$1,234.50"},
    {-1234.5, "Currency", "($1,234.50)"},
    {1234.567, "Fixed", "1234.57"},
    {1234.567, "Standard", "1,234.57"},
    {0.1234, "Percent", "12.34%"},
    {1234.5, "Scientific", "1.23E+03"},
    {1234.5, "General Number", "1234.5"},
    {0, "Yes/No", "No"},
    {-2, "Yes/No", "Yes"},
    {true, "True/False", "True"},
    {0, "on/off", "Off"},
    {1234.5, "currency", "$1,234.50"},  // names in any case
    {"word", "Fixed", "word"},
};

TEST(FormatNamed, NumberNames) {
    ExpectFormats(kNumberNames);
}

TEST(FormatDates, NamedDateFormats) {
    const Variant when = DateAt(2003, 1, 2, 22, 30, 15);
    EXPECT_EQ(Format(when, "General Date"), "1/2/2003 10:30:15 PM");
    EXPECT_EQ(Format(when, "Long Date"), "Thursday, January 2, 2003");
    EXPECT_EQ(Format(when, "Medium Date"), "02-Jan-03");
    EXPECT_EQ(Format(when, "Short Date"), "1/2/2003");
    EXPECT_EQ(Format(when, "Long Time"), "10:30:15 PM");
    EXPECT_EQ(Format(when, "Medium Time"), "10:30 PM");
    EXPECT_EQ(Format(when, "Short Time"), "22:30");
    EXPECT_EQ(Format("1/2/2003", "Long Date"), "Thursday, January 2, 2003");
}

TEST(FormatDates, UserTokens) {
    const Variant when = DateAt(2003, 1, 2, 9, 5, 7);
    EXPECT_EQ(Format(when, "dddd, mmm d yyyy"), "Thursday, Jan 2 2003");
    EXPECT_EQ(Format(when, "dd/mm/yyyy hh:nn"), "02/01/2003 09:05");
    EXPECT_EQ(Format(when, "h:mm:ss"), "9:05:07");  // m after h is minutes
    EXPECT_EQ(Format(when, "nn:ss"), "05:07");
    EXPECT_EQ(Format(when, "hh:mm AM/PM"), "09:05 AM");
    EXPECT_EQ(Format(DateAt(2003, 1, 2, 0, 30), "h:nn am/pm"), "12:30 am");
    EXPECT_EQ(Format(DateAt(2003, 1, 2, 13, 0), "h A/P"), "1 P");
    EXPECT_EQ(Format(DateAt(2003, 1, 2, 13, 0), "h AMPM"), "1 PM");
    EXPECT_EQ(Format(when, "ddd mmmm yy"), "Thu January 03");
    EXPECT_EQ(Format(when, "ddddd"), "1/2/2003");
    EXPECT_EQ(Format(when, "dddddd"), "Thursday, January 2, 2003");
    EXPECT_EQ(Format(when, "ttttt"), "9:05:07 AM");
    EXPECT_EQ(Format(when, "c"), "1/2/2003 9:05:07 AM");
    EXPECT_EQ(Format(DateAt(2003, 8, 20), "q"), "3");
    EXPECT_EQ(Format(DateAt(2003, 2, 1), "y"), "32");
    EXPECT_EQ(Format(when, "\"Day\" d"), "Day 2");
}

TEST(FormatDates, WeekdayAndWeekOfYear) {
    // 1 January 2005 was a Saturday: week 1 when the first week contains 1 January.
    EXPECT_EQ(Format(DateAt(2005, 1, 1), "w"), "7");
    EXPECT_EQ(Format(DateAt(2005, 1, 1), "ww"), "1");
    EXPECT_EQ(Format(DateAt(2005, 1, 2), "ww"), "2");
    EXPECT_EQ(Format(DateAt(2005, 1, 1), "w", kMonday), "6");
    EXPECT_EQ(Format(DateAt(2005, 1, 1), "ww", kSunday, kFirstFullWeek), "52");  // 2004's last week
}

TEST(FormatText, PlaceholdersAndCase) {
    EXPECT_EQ(Format("abc", "@@@@@"), "  abc");
    EXPECT_EQ(Format("abc", "!@@@@@"), "abc  ");
    EXPECT_EQ(Format("abc", "&&&&&"), "abc");
    EXPECT_EQ(Format("abcdef", "@@@"), "abcdef");
    EXPECT_EQ(Format("5551234", "@@@-@@@@"), "555-1234");
    EXPECT_EQ(Format("Hello", "<"), "hello");
    EXPECT_EQ(Format("Hello", ">"), "HELLO");
    EXPECT_EQ(Format("", "@;\"(empty)\""), "(empty)");
    EXPECT_EQ(Format(42, "@@@@"), "  42");
}

TEST(FormatPlain, EmptyFormatGivesThePlainText) {
    EXPECT_EQ(Format(0.1), "0.1");
    EXPECT_EQ(Format(Variant::Null()), "");
    EXPECT_EQ(Format(Variant()), "");
    EXPECT_EQ(Format(Variant::ErrorValue(5), "0.00"), "Error 5");
    EXPECT_EQ(Format(true), "True");
}

TEST(FormatRobustness, MalformedAndHostileFormatsAndValuesNeverFail) {
    const std::string huge(10000, '0');
    EXPECT_EQ(Format(5, huge).size(), 10000u);
    EXPECT_EQ(Format(1.5, "0." + huge).size(), 10002u);
    EXPECT_EQ(Format(5, "\"unterminated"), "unterminated");
    EXPECT_EQ(Format(5, ";;;;;;"), "5");
    EXPECT_EQ(Format(5, "\\"), "");
    EXPECT_EQ(Format(1e300, "#,##0").size(), 301u + 100u);  // every digit, grouped
    const double inf = std::numeric_limits<double>::infinity();
    const Variant values[] = {Variant(-1234.567),
                              Variant(0),
                              Variant("text"),
                              Variant::Date(37623.75),
                              Variant::Null(),
                              Variant(inf),
                              Variant(-inf),
                              Variant(std::nan("")),
                              Variant(5e-324),
                              Variant(-1.7e308),
                              Variant::Date(inf),
                              Variant::Date(kMaxDateSerial),
                              Variant::Date(kMinDateSerial),
                              Variant::Currency(INT64_MIN),
                              Variant::Decimal("79228162514264337593543950335"),
                              Variant("1e-320"),
                              Variant(-0.0)};
    std::mt19937 random(7);
    const std::string alphabet = "0#.,;%E+-e\"\\@&<>!dmyhnswqcAMP/: xt";
    for (int i = 0; i < 2000; ++i) {
        std::string format;
        for (int n = int(random() % 24); n > 0; --n) format += alphabet[random() % alphabet.size()];
        for (const Variant& value : values) EXPECT_NO_THROW(Format(value, format)) << format;
    }
}

TEST(FormatNumbers, AZeroHoldsEveryDigitPositionUpToThePoint) {
    EXPECT_EQ(Format(5, "0#"), "05");
    EXPECT_EQ(Format(5, "#0#"), "05");
    EXPECT_EQ(Format(5, "0##"), "005");
    EXPECT_EQ(Format(1234, "0#"), "1234");
    EXPECT_EQ(Format(0, "#0"), "0");
    EXPECT_EQ(Format(0, "0#.#"), "00.");
}

TEST(FormatNumbers, ExtremeMagnitudesUnderEveryScale) {
    EXPECT_EQ(Format(5e-324, "0.00E+00"), "4.94E-324");
    EXPECT_EQ(Format(1.7e308, "0.00E+00"), "1.70E+308");
    EXPECT_EQ(Format(1e-300, "0.0"), "0.0");
    // Percent and thousands scaling beyond the range of a double still give every digit.
    const std::string percent = Format(1e308, "0%");
    EXPECT_EQ(percent.size(), 311u + 1u);
    EXPECT_EQ(percent.substr(0, 2), "10");
    EXPECT_EQ(percent.back(), '%');
    EXPECT_EQ(Format(5, "0" + std::string(120, ',') + ".0"), "0.0");
    EXPECT_EQ(Format(1e300, "0" + std::string(100, ',')), "1");
    EXPECT_EQ(Format(1e300, "0" + std::string(99, ',')), "1000");
    EXPECT_EQ(Format(4e-300, "0" + std::string(101, '%')), "0%" + std::string(100, '%'));
}

TEST(FormatNumbers, InfinityAndNaNShowTheirPlainText) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Format(inf, "0.00"), "Infinity");
    EXPECT_EQ(Format(-inf, "#,##0.00"), "-Infinity");
    EXPECT_EQ(Format(-inf, "0;(0)"), "-Infinity");
    EXPECT_EQ(Format(std::nan(""), "0.00E+00"), "NaN");
    EXPECT_EQ(Format(inf, "Currency"), "Infinity");
    EXPECT_EQ(Format(inf, "Percent"), "Infinity");
    EXPECT_EQ(Format(Variant::Date(inf), "Long Date"), "");
    EXPECT_EQ(Format(Variant::Date(std::nan("")), "yyyy"), "");
}

TEST(FormatText, PlaceholdersTakeWholeCharactersAndCaseFollowsUnicode) {
    EXPECT_EQ(Format("été", "@@@@@"), "  été");
    EXPECT_EQ(Format("été", "!@@@@"), "été ");
    EXPECT_EQ(Format("Ωmega", "@@-@@@"), "Ωm-ega");
    EXPECT_EQ(Format("日本語", "@@"), "日本語");  // the surplus goes to the first placeholder
    EXPECT_EQ(Format("日本語", "!@@"), "日本語");
    EXPECT_EQ(Format("Crème Brûlée", ">"), "CRÈME BRÛLÉE");
    EXPECT_EQ(Format("ÀÉÎ", "<@@@"), "àéî");
    // A byte that starts no character is kept as it is, never split or dropped.
    const std::string broken = std::string("a") + char(0xC3) + "b";
    EXPECT_EQ(Format(broken, "@@@@"), " " + broken);
}

TEST(FormatText, NullTakesTheSecondSection) {
    EXPECT_EQ(Format(Variant::Null(), "@;\"(none)\""), "(none)");
    EXPECT_EQ(Format(Variant::Null(), ">@;\"n/a\""), "n/a");
    EXPECT_EQ(Format(Variant::Null(), "@@@"), "");
    EXPECT_EQ(Format("x", "@;\"(none)\""), "x");
}

// A percent sign anywhere, after the exponent too, scales the number before the mantissa is
// chosen; with no digit placeholder before the point the mantissa is all fraction.
TEST(FormatNumbers, ScientificFormatsWithPercentOrNoIntegerDigits) {
    ExpectFormats({{3.0401e-13, "#####.####e-0%", "30401.e-15%"},
                   {0.5, "0.00%E+00", "5.00%E+01"},
                   {-0.25, "0E+0%", "-3E+1%"},
                   {47.11, ".0000E+0", ".4711E+2"},
                   {-0.004711, ".##E-00", "-.47E-02"},
                   {99.96, ".000E+0", ".100E+3"},  // rounding reaches the next power of ten
                   {0, ".00E+0", ".00E+0"}});
}

// m and mm are minutes only right after an hour; elsewhere, before seconds too, the month.
TEST(FormatDates, MinutesOnlyRightAfterAnHour) {
    const Variant when = Variant::Date(2.525);  // 1 January 1900, 12:36:00
    ExpectFormats({{when, "mm :mm:ss", "01 :01:00"},
                   {when, "h:m:s", "12:36:0"},
                   {when, "hh \"h\" mm", "12 h 36"},
                   {when, "h:ss:mm", "12:00:01"},
                   {when, "h:nn:mm", "12:36:01"},
                   {when, "h:mmm", "12:Jan"}});
}

// Placeholders take the characters in order; missing ones leave the first placeholders
// blank (the last with '!'), surplus ones follow the whole format. Asking for both lower
// and upper case keeps the case.
TEST(FormatText, PlaceholdersBetweenLiteralsAndCaseMarks) {
    ExpectFormats({{"testing", "@\\x", "txesting"},
                   {"testing", "\\x&\\x&", "xtxesting"},
                   {"testing", "@\\x@@@@@@@", " xtesting"},
                   {"abcd", "(@@@)", "(abc)d"},
                   {"ab", "&-&-&", "-a-b"},
                   {"ab", "!@-@-@", "a-b- "},
                   {"Testing", "<&>&", "Testing"},
                   {"Testing", ">&<&", "Testing"},
                   {"Testing", ">&&", "TESTING"},
                   {"Testing", "<<@", "testing"}});
}

TEST(FormatDates, FirstDayAndFirstWeekArgumentsAreChecked) {
    const Variant when = DateAt(2005, 1, 1);
    for (const auto& [day, week] : {std::pair{-1, 1}, {8, 1}, {1, -1}, {1, 4}}) {
        EXPECT_EQ(ErrorOf([&] { Format(when, "", day, week); }), 5) << day << ", " << week;
    }
    EXPECT_EQ(Format(when, "w", 0, 0), "7");
    EXPECT_EQ(Format(when, "w", 7, 3), "1");
}

TEST(FormatNumbers, AFormatUsedAgainAfterManyOthersGivesTheSameText) {
    const std::span<const FormatCase> tables[] = {kPlaceholders, kPercentAndScientific, kSections,
                                                  kOtherTypes, kNumberNames};
    for (int round = 0; round < 2; ++round) {
        for (const auto cases : tables) ExpectFormats(cases);
        // More distinct formats than a program keeps at once, each with its own literal.
        for (int i = 0; i < 300; ++i) {
            const std::string tag = std::to_string(i + 1000 * round);
            ASSERT_EQ(Format(i, "\"" + tag + ":\"0.0"), tag + ":" + std::to_string(i) + ".0");
        }
    }
}

// A number shown in one run of digits is written straight from its rounded amount; an empty
// literal inside the run makes the same format take the general writer. Both must agree.
TEST(FormatNumbers, DigitsInOneRunReadAsTheGeneralWriterWritesThem) {
    const std::string longLiteral =
        "\" in units, as counted each day..\"";  // 32 characters, the most of a plain section
    const std::string formats[][2] = {
        {"#,##0.00", "#,##0\"\".00"},
        {"00", "0\"\"0"},
        {"##", "#\"\"#"},
        {"0.0%", "0.\"\"0%"},
        {"$#,##0.00", "$#,##0.\"\"00"},
        {"#.##", "#.\"\"##"},
        {".00", ".\"\"00"},
        {"#,##0,.0", "#,##0,.\"\"0"},
        {"0.00\" pcs\"", "0.\"\"00\" pcs\""},
        {"(#,##0.00)", "(#,##0.\"\"00)"},
        {"0#.#", "0#.\"\"#"},
        {"#,##0.00;(#,##0.00);\"nil\"", "#,##0.\"\"00;(#,##0.\"\"00);\"nil\""},
        {"0." + std::string(18, '0'), "0.\"\"" + std::string(18, '0')},
        {"0." + std::string(18, '0') + longLiteral, "0.\"\"" + std::string(18, '0') + longLiteral},
        {longLiteral + "#,##0", longLiteral + "#,##\"\"0"},
        {"-0," + std::string(19, '0'), "-0," + std::string(18, '0') + "\"\"0"},
    };
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<Variant> values = {Variant::Null(),
                                   Variant(),
                                   Variant("12.345"),
                                   Variant("abc"),
                                   Variant(true),
                                   Variant::Date(37623.75),
                                   Variant::Currency(-123456789),
                                   Variant::Decimal("-0.0050"),
                                   Variant(std::int16_t(-7)),
                                   Variant(std::uint8_t(200)),
                                   Variant(2147483647)};
    for (double number :
         {0.0, -0.0, 1.005, 2.675, 0.125, 0.005, 0.0049999999, 1234.565, 999.995, 999999.9999,
          123456789012345.0, 9.99e18, 1e20, 1.5e-9, inf, std::nan("")}) {
        values.emplace_back(number);
        values.emplace_back(-number);
    }
    std::mt19937 random(11);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    for (int i = 0; i < 400; ++i) {
        values.emplace_back(mantissa(random) * std::pow(10.0, i % 24 - 8));
    }
    for (const auto& [plain, general] : formats) {
        for (const Variant& value : values) {
            EXPECT_EQ(Format(value, plain), Format(value, general))
                << plain << " " << TypeName(value);
        }
    }
}

}  // namespace
