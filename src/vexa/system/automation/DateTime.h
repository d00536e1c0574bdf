/// \file
/// Automation dates: a date is a double counting days since 1899-12-30, the time of day being
/// the fraction. For dates before 1899-12-30 the integer part counts days back while the
/// fraction still adds time forward, so -1.25 is 1899-12-29 06:00, as the classic automation
/// date does. Valid dates run from 100-01-01 to 9999-12-31 (proleptic Gregorian calendar).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// A date and time as calendar fields; the default is serial 0, 1899-12-30 00:00:00.
struct VEXA_API DateFields {
    /**@{*/
    /// Year, month (1..12), day (1..31), hour (0..23), minute and second (0..59).
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    /**@}*/
};

/**@{*/
/// Serial of 100-01-01 00:00:00 and of 9999-12-31 23:59:59.
inline constexpr double kMinDateSerial = -657434.0;
inline constexpr double kMaxDateSerial = 2958465.0 + 86399.0 / 86400.0;
/**@}*/

/// Days of the week as the runtime numbers them (1 = Sunday .. 7 = Saturday); 0 means the
/// system setting, which is Sunday for en-US.
enum : int {
    kUseSystemDayOfWeek = 0,
    kSunday = 1,
    kMonday,
    kTuesday,
    kWednesday,
    kThursday,
    kFriday,
    kSaturday
};

/// Rules for the first week of the year: 0 = system (en-US: the one containing 1 January).
enum : int { kUseSystemWeek = 0, kFirstJan1 = 1, kFirstFourDays = 2, kFirstFullWeek = 3 };

/// True when serial is a finite number inside the supported range (times are rounded to the
/// nearest second first, so 9999-12-31 23:59:59.6 is out of range).
bool IsValidDateSerial(double serial);

/// Splits a serial into calendar fields, rounding the time to the nearest second. Returns
/// false (and leaves fields untouched) when the serial is not a valid date.
bool SerialToFields(double serial, DateFields& fields);

/// The serial of the given fields. Years 0-29 are 2000-2029 and 30-99 are 1930-1999.
/// Out-of-range months, days, hours, minutes and seconds roll over into the next larger unit
/// (month 13 is January of the next year, day 0 the last day of the previous month), as
/// DateSerial and TimeSerial do. Returns std::nullopt when the result lies outside the
/// supported range.
std::optional<double> FieldsToSerial(const DateFields& fields);

/**@{*/
/// Serial of a date alone (no time) and of a time alone (a fraction of a day, may exceed 1).
std::optional<double> DateSerial(int year, int month, int day);
double TimeSerial(int hour, int minute, int second);
/**@}*/

/// Day of the week, 1..7, counted from firstDayOfWeek (1 = Sunday; 0 = system = Sunday).
/// Returns 0 for an invalid serial or an invalid firstDayOfWeek.
int Weekday(double serial, int firstDayOfWeek = kSunday);

/// Week of the year, 1..53, under the given first-day-of-week and first-week rules. A date
/// that falls before week 1 of its year belongs to the last week of the previous year.
/// Returns 0 for an invalid serial or invalid arguments.
int WeekOfYear(double serial, int firstDayOfWeek = kSunday, int firstWeekOfYear = kFirstJan1);

/// Parses an en-US date and/or time text: "1/2/2003", "1-2-2003", "2003-01-02", "2003/1/2",
/// "Jan 2, 2003", "January 2 2003", "2 Jan 2003", "1/2" (the current year), "14 1" (day and
/// month), "30 2" (year and month), "10:30 PM", "22:30:15", "2.5" (2:05, a dot between
/// numbers separates a time), "10 PM", "13:00 PM" (the marker does not matter above 12), and
/// a date followed (or preceded) by a time, apart by blanks or an ideographic space. Two-digit
/// years 00-29 are 2000-2029, 30-99 are 1930-1999. Case-insensitive; surrounding blanks are
/// ignored. Returns std::nullopt when the text is not a date (a bare number such as "1" is
/// none) or the date is out of range.
std::optional<double> ParseDateTime(std::string_view text);

/// Same as ParseDateTime, with the year to assume when the text gives only month and day.
std::optional<double> ParseDateTime(std::string_view text, int yearWhenMissing);

/// The general date text: "1/2/2003 10:30:00 PM"; the date alone when the time is midnight,
/// the time alone when the date part is 1899-12-30 (serial in [0, 1) or (-1, 0]). An
/// invalid serial gives an empty string.
std::string GeneralDate(double serial);

/**@{*/
/// Month and weekday names, en-US. month 1..12, weekday 1 = Sunday .. 7 = Saturday.
std::string_view MonthName(int month, bool abbreviated = false);
std::string_view WeekdayName(int weekday, bool abbreviated = false);
/**@}*/

}  // namespace vexa

VEXA_PUBLIC_END
