#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

#include "vexa/system/automation/DateTime.h"

using namespace vexa;

namespace {

DateFields Fields(double serial) {
    DateFields f{};
    EXPECT_TRUE(SerialToFields(serial, f)) << serial;
    return f;
}

void ExpectFields(double serial, int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    const DateFields f = Fields(serial);
    EXPECT_EQ(f.year, y) << serial;
    EXPECT_EQ(f.month, mo) << serial;
    EXPECT_EQ(f.day, d) << serial;
    EXPECT_EQ(f.hour, h) << serial;
    EXPECT_EQ(f.minute, mi) << serial;
    EXPECT_EQ(f.second, s) << serial;
}

}  // namespace

TEST(DateTimeSerial, EpochAndWellKnownDays) {
    ExpectFields(0, 1899, 12, 30);
    ExpectFields(1, 1899, 12, 31);
    ExpectFields(2, 1900, 1, 1);
    // 1900 is not a leap year: 1900-03-01 is 2 + 31 + 28 days after 1900-01-01.
    ExpectFields(61, 1900, 3, 1);
    // 2000 is: 100 years of 365 days plus 24 leap days after 1900-01-01.
    ExpectFields(2 + 100 * 365 + 24, 2000, 1, 1);
    EXPECT_EQ(FieldsToSerial({2003, 1, 2, 0, 0, 0}), 36526.0 + 3 * 365 + 1 + 1);
}

TEST(DateTimeSerial, TimeFractionAndNegativeSerials) {
    ExpectFields(0.5, 1899, 12, 30, 12);
    ExpectFields(37623.9375, 2003, 1, 2, 22, 30);
    // Before the epoch the integer part counts days back, the fraction still adds time.
    ExpectFields(-1.25, 1899, 12, 29, 6);
    ExpectFields(-0.75, 1899, 12, 30, 18);
    EXPECT_EQ(FieldsToSerial({1899, 12, 29, 6, 0, 0}), -1.25);
    EXPECT_EQ(FieldsToSerial({1899, 12, 30, 18, 0, 0}), 0.75);
}

TEST(DateTimeSerial, RoundsToNearestSecondAndCarriesIntoNextDay) {
    ExpectFields(0.4 / 86400, 1899, 12, 30, 0, 0, 0);
    ExpectFields(0.6 / 86400, 1899, 12, 30, 0, 0, 1);
    ExpectFields(1 - 0.2 / 86400, 1899, 12, 31, 0, 0, 0);
    ExpectFields(-1 - (1 - 0.2 / 86400), 1899, 12, 30, 0, 0, 0);
}

TEST(DateTimeSerial, RangeLimits) {
    ExpectFields(-657434, 100, 1, 1);
    ExpectFields(2958465 + 86399.0 / 86400, 9999, 12, 31, 23, 59, 59);
    DateFields f{};
    EXPECT_FALSE(SerialToFields(-657435, f));
    EXPECT_FALSE(SerialToFields(2958466, f));
    EXPECT_FALSE(SerialToFields(std::nan(""), f));
    EXPECT_FALSE(IsValidDateSerial(1e300));
    EXPECT_TRUE(IsValidDateSerial(kMinDateSerial));
    EXPECT_TRUE(IsValidDateSerial(kMaxDateSerial));
    EXPECT_FALSE(FieldsToSerial({10000, 1, 1, 0, 0, 0}).has_value());
    EXPECT_FALSE(FieldsToSerial({-1, 12, 31, 0, 0, 0}).has_value());
}

TEST(DateTimeSerial, FieldsRollOverLikeDateSerial) {
    EXPECT_EQ(FieldsToSerial({2002, 13, 2, 0, 0, 0}), DateSerial(2003, 1, 2));
    EXPECT_EQ(FieldsToSerial({2003, 3, 0, 0, 0, 0}), DateSerial(2003, 2, 28));
    EXPECT_EQ(FieldsToSerial({2003, 1, 1, 24, 0, 0}), DateSerial(2003, 1, 2));
    EXPECT_EQ(FieldsToSerial({2003, 1, 2, 0, -1, 0}), *DateSerial(2003, 1, 1) + 86340.0 / 86400);
    EXPECT_DOUBLE_EQ(TimeSerial(18, 0, 0), 0.75);
}

TEST(DateTimeWeekday, CountsFromTheFirstDayOfWeek) {
    const double thursday = *DateSerial(2003, 1, 2);
    EXPECT_EQ(Weekday(thursday), 5);
    EXPECT_EQ(Weekday(thursday, kMonday), 4);
    EXPECT_EQ(Weekday(thursday, kThursday), 1);
    EXPECT_EQ(Weekday(thursday, kFriday), 7);
    EXPECT_EQ(Weekday(thursday, kUseSystemDayOfWeek), 5);
    EXPECT_EQ(Weekday(0), 7);     // 1899-12-30 was a Saturday
    EXPECT_EQ(Weekday(-1.5), 6);  // the day before, whatever the time
    EXPECT_EQ(Weekday(thursday, 8), 0);
}

TEST(DateTimeWeekOfYear, RulesForTheFirstWeek) {
    // 2000 began on a Saturday: with Sunday weeks and week 1 holding 1 January, its last day
    // falls in week 54.
    EXPECT_EQ(WeekOfYear(*DateSerial(2000, 1, 1)), 1);
    EXPECT_EQ(WeekOfYear(*DateSerial(2000, 1, 2)), 2);
    EXPECT_EQ(WeekOfYear(*DateSerial(2000, 12, 31)), 54);
    // Monday weeks, four-day rule: 2004-12-27..2005-01-02 is week 53, Monday 2003-12-29
    // already opens week 1 of 2004, and 2010-01-03 still belongs to the last week of 2009.
    EXPECT_EQ(WeekOfYear(*DateSerial(2005, 1, 1), kMonday, kFirstFourDays), 53);
    EXPECT_EQ(WeekOfYear(*DateSerial(2003, 12, 29), kMonday, kFirstFourDays), 1);
    EXPECT_EQ(WeekOfYear(*DateSerial(2010, 1, 3), kMonday, kFirstFourDays), 53);
    EXPECT_EQ(WeekOfYear(*DateSerial(2010, 1, 4), kMonday, kFirstFourDays), 1);
    // Full weeks: 2003's first Sunday is 5 January; 4 January is in 2002's 52nd week.
    EXPECT_EQ(WeekOfYear(*DateSerial(2003, 1, 5), kSunday, kFirstFullWeek), 1);
    EXPECT_EQ(WeekOfYear(*DateSerial(2003, 1, 4), kSunday, kFirstFullWeek), 52);
    EXPECT_EQ(WeekOfYear(*DateSerial(2003, 1, 4), kSunday, 4), 0);
}

TEST(DateTimeParse, NumericDates) {
    const double expected = *DateSerial(2003, 1, 2);
    EXPECT_EQ(ParseDateTime("1/2/2003"), expected);
    EXPECT_EQ(ParseDateTime("01/02/03"), expected);
    EXPECT_EQ(ParseDateTime("1-2-2003"), expected);
    EXPECT_EQ(ParseDateTime("2003-01-02"), expected);
    EXPECT_EQ(ParseDateTime("2003/1/2"), expected);
    EXPECT_EQ(ParseDateTime("  1/2/2003  "), expected);
    EXPECT_EQ(ParseDateTime("13/1/2003"), DateSerial(2003, 1, 13));
    EXPECT_EQ(ParseDateTime("1/2", 2011), DateSerial(2011, 1, 2));
}

TEST(DateTimeParse, TwoDigitYearsPivotAt30) {
    EXPECT_EQ(ParseDateTime("1/1/29"), DateSerial(2029, 1, 1));
    EXPECT_EQ(ParseDateTime("1/1/30"), DateSerial(1930, 1, 1));
    EXPECT_EQ(ParseDateTime("1/1/00"), DateSerial(2000, 1, 1));
    EXPECT_EQ(ParseDateTime("1/1/99"), DateSerial(1999, 1, 1));
}

TEST(DateTimeParse, MonthNames) {
    const double expected = *DateSerial(2003, 1, 2);
    EXPECT_EQ(ParseDateTime("Jan 2, 2003"), expected);
    EXPECT_EQ(ParseDateTime("January 2 2003"), expected);
    EXPECT_EQ(ParseDateTime("2 Jan 2003"), expected);
    EXPECT_EQ(ParseDateTime("2-jan-03"), expected);
    EXPECT_EQ(ParseDateTime("Thursday, January 2, 2003"), expected);
    EXPECT_EQ(ParseDateTime("SEPT 30 2003"), DateSerial(2003, 9, 30));
}

TEST(DateTimeParse, TimesAndCombinations) {
    EXPECT_EQ(ParseDateTime("10:30 PM"), 0.9375);
    EXPECT_EQ(ParseDateTime("22:30"), 0.9375);
    EXPECT_EQ(ParseDateTime("10 pm"), 22.0 / 24);
    EXPECT_EQ(ParseDateTime("12:00 AM"), 0.0);
    EXPECT_EQ(ParseDateTime("12:00 PM"), 0.5);
    EXPECT_DOUBLE_EQ(*ParseDateTime("22:30:15"), TimeSerial(22, 30, 15));
    EXPECT_EQ(ParseDateTime("1/2/2003 10:30 PM"), *DateSerial(2003, 1, 2) + 0.9375);
    EXPECT_EQ(ParseDateTime("10:30 PM 1/2/2003"), *DateSerial(2003, 1, 2) + 0.9375);
    EXPECT_EQ(ParseDateTime("Jan 2, 2003 22:30"), *DateSerial(2003, 1, 2) + 0.9375);
    EXPECT_EQ(ParseDateTime("12/29/1899 6:00"), -1.25);
}

TEST(DateTimeParse, RejectsWhatIsNotADate) {
    for (const char* text : {"", "   ", "hello", "1", "2/30/2003", "13/13/2003", "25:00", "10:60",
                             "24 PM", "1/2/3/4", "1:2:3:4", "1/1/10000", "12/31/99 x", "1.5.",
                             "-1/2/2003", "99999999/1/1", "Jan Feb 2003", "1/2/2003 1:2 3:4"})
        EXPECT_FALSE(ParseDateTime(text, 2003).has_value()) << text;
}

TEST(DateTimeGeneralDate, ClassicRules) {
    EXPECT_EQ(GeneralDate(*DateSerial(2003, 1, 2) + 0.9375), "1/2/2003 10:30:00 PM");
    EXPECT_EQ(GeneralDate(*DateSerial(2003, 1, 2)), "1/2/2003");
    EXPECT_EQ(GeneralDate(0.5), "12:00:00 PM");
    EXPECT_EQ(GeneralDate(0), "12:00:00 AM");
    EXPECT_EQ(GeneralDate(TimeSerial(0, 5, 9)), "12:05:09 AM");
    EXPECT_EQ(GeneralDate(-1.25), "12/29/1899 6:00:00 AM");
    EXPECT_EQ(GeneralDate(1e10), "");
    // The text reads back to the same serial.
    const double serial = *DateSerial(1987, 6, 5) + TimeSerial(4, 3, 2);
    EXPECT_DOUBLE_EQ(*ParseDateTime(GeneralDate(serial)), serial);
}

// A dot between numbers separates a time; AM and PM make 12 into 0 and add 12 to 1..11,
// 0 PM is noon, and above 12 they change nothing; an ideographic space separates too.
TEST(DateTimeParse, DottedTimesAndHoursOutsideOneToTwelve) {
    const std::pair<const char*, double> cases[] = {
        {"2.5", TimeSerial(2, 5, 0)},
        {"1.2.3 PM", TimeSerial(13, 2, 3)},
        {"1/2/2003 2.5", *DateSerial(2003, 1, 2) + TimeSerial(2, 5, 0)},
        {"2003/1/2\xE3\x80\x80"
         "10:30 PM",
         *DateSerial(2003, 1, 2) + TimeSerial(22, 30, 0)},
        {"00 PM", TimeSerial(12, 0, 0)},
        {"0:30 AM", TimeSerial(0, 30, 0)},
        {"13:30 PM", TimeSerial(13, 30, 0)},
        {"23 am", TimeSerial(23, 0, 0)}};
    for (const auto& [text, serial] : cases) {
        ASSERT_TRUE(ParseDateTime(text, 2003).has_value()) << text;
        EXPECT_DOUBLE_EQ(*ParseDateTime(text, 2003), serial) << text;
    }
    for (const char* text : {"1.2.2003", "2.60", ".5", "1", "-1.1", "37623", "24 PM"}) {
        EXPECT_FALSE(ParseDateTime(text, 2003).has_value()) << text;
    }
}

// Two or three numbers take the first order that makes a real date.
TEST(DateTimeParse, NumberOrdersThatMakeARealDate) {
    const std::pair<const char*, std::tuple<int, int, int>> cases[] = {
        {"14 1", {2011, 1, 14}},   {"30 2", {1930, 2, 1}},     {"2 30", {1930, 2, 1}},
        {"1 99", {1999, 1, 1}},    {"2003 12", {2003, 12, 1}}, {"30/12/31", {1931, 12, 30}},
        {"31/2/28", {1931, 2, 28}}};
    for (const auto& [text, date] : cases) {
        const DateFields f = Fields(ParseDateTime(text, 2011).value());
        EXPECT_EQ(std::tuple(f.year, f.month, f.day), date) << text;
    }
}

TEST(DateTimeSerial, TwoDigitYearsOfDateFieldsPivotAt30) {
    EXPECT_EQ(DateSerial(90, 12, 31), DateSerial(1990, 12, 31));
    EXPECT_EQ(DateSerial(0, 1, 1), DateSerial(2000, 1, 1));
    EXPECT_EQ(DateSerial(29, 6, 1), DateSerial(2029, 6, 1));
    EXPECT_EQ(DateSerial(30, 6, 1), DateSerial(1930, 6, 1));
    EXPECT_EQ(DateSerial(99, 13, 1), DateSerial(2000, 1, 1));
    EXPECT_EQ(DateSerial(100, 1, 1), kMinDateSerial);  // three digits are the year itself
}
