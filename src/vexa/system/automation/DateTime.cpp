#include "vexa/system/automation/DateTime.h"

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace vexa {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kMinDay = -657434;  // 100-01-01
constexpr std::int64_t kMaxDay = 2958465;  // 9999-12-31

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 12> kMonthAbbreviations = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 7> kWeekdayAbbreviations = {"Sun", "Mon", "Tue", "Wed",
                                                                   "Thu", "Fri", "Sat"};

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    return a - FloorDiv(a, b) * b;
}

// Days since 1970-01-01 of a proleptic Gregorian date (the well-known era algorithm).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2));
}

const std::int64_t kEpochOffset = -DaysFromCivil(1899, 12, 30);

std::int64_t SerialDayOf(std::int64_t year, int month, int day) {
    return DaysFromCivil(year, month, day) + kEpochOffset;
}

// A serial split into its calendar day number and the second of that day.
struct DayAndSecond {
    std::int64_t day;
    std::int64_t second;
};

std::optional<DayAndSecond> SplitSerial(double serial) {
    if (!std::isfinite(serial) || serial < double(kMinDay) - 1 || serial > double(kMaxDay) + 1)
        return std::nullopt;
    const double whole = std::trunc(serial);
    const double fraction = std::fabs(serial - whole);
    DayAndSecond result{std::int64_t(whole), std::llround(fraction * double(kSecondsPerDay))};
    if (result.second >= kSecondsPerDay) {
        result.second -= kSecondsPerDay;
        ++result.day;
    }
    if (result.day < kMinDay || result.day > kMaxDay) return std::nullopt;
    return result;
}

double JoinSerial(std::int64_t day, std::int64_t second) {
    const double time = double(second) / double(kSecondsPerDay);
    return day >= 0 ? double(day) + time : double(day) - time;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Weekday with Sunday = 1 of a serial day number; day 0 (1899-12-30) was a Saturday.
int SundayBasedWeekday(std::int64_t day) {
    return int(FloorMod(day + 6, 7)) + 1;
}

int RelativeWeekday(std::int64_t day, int firstDayOfWeek) {
    return int(FloorMod(SundayBasedWeekday(day) - firstDayOfWeek, 7)) + 1;
}

// Serial day on which week 1 of the year begins.
std::int64_t FirstWeekStart(int year, int firstDayOfWeek, int firstWeekOfYear) {
    const std::int64_t jan1 = SerialDayOf(year, 1, 1);
    const int weekday = RelativeWeekday(jan1, firstDayOfWeek);
    const std::int64_t weekOfJan1 = jan1 - (weekday - 1);
    const std::int64_t nextWeek = jan1 + (8 - weekday);
    switch (firstWeekOfYear) {
        case kFirstFourDays:
            return weekday <= 4 ? weekOfJan1 : nextWeek;
        case kFirstFullWeek:
            return weekday == 1 ? jan1 : nextWeek;
        default:
            return weekOfJan1;
    }
}

// ---- Parsing ---------------------------------------------------------------------------

enum class TokenKind { Number, Word, Colon, DateSeparator, Comma };

struct Token {
    explicit Token(TokenKind k) : kind(k) {}
    TokenKind kind;
    std::int64_t number = 0;
    int digits = 0;
    std::string word;
};

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// U+3000, which East Asian text puts between a date and a time.
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

std::optional<std::vector<Token>> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (IsBlank(c)) {
            ++i;
        } else if (text.substr(i, kIdeographicSpace.size()) == kIdeographicSpace) {
            i += kIdeographicSpace.size();
        } else if (c == '.' && i > 0 && IsDigit(text[i - 1]) && i + 1 < text.size() &&
                   IsDigit(text[i + 1])) {
            // Between two numbers a dot separates hours, minutes and seconds: "2.5" is 2:05.
            tokens.emplace_back(TokenKind::Colon);
            ++i;
        } else if (IsDigit(c)) {
            Token token(TokenKind::Number);
            while (i < text.size() && IsDigit(text[i])) {
                if (token.digits < 9) token.number = token.number * 10 + (text[i] - '0');
                ++token.digits;
                ++i;
            }
            if (token.digits > 4) return std::nullopt;  // no date field is that long
            tokens.push_back(token);
        } else if (IsAlpha(c)) {
            Token token(TokenKind::Word);
            while (i < text.size() && (IsAlpha(text[i]) || text[i] == '.')) {
                if (text[i] != '.') token.word.push_back(LowerAscii(text[i]));
                ++i;
            }
            tokens.push_back(std::move(token));
        } else if (c == ':') {
            tokens.emplace_back(TokenKind::Colon);
            ++i;
        } else if (c == '/' || c == '-') {
            tokens.emplace_back(TokenKind::DateSeparator);
            ++i;
        } else if (c == ',') {
            tokens.emplace_back(TokenKind::Comma);
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

// Month number of a month name or its three-letter (or longer) abbreviation, else 0.
int MonthFromWord(const std::string& word) {
    if (word.size() < 3) return 0;
    for (int m = 0; m < 12; ++m) {
        std::string name(kMonthNames[m]);
        for (char& ch : name) ch = LowerAscii(ch);
        if (name.compare(0, word.size(), word) == 0) return m + 1;
    }
    return 0;
}

bool IsWeekdayWord(const std::string& word) {
    if (word.size() < 3) return false;
    for (std::string_view name : kWeekdayNames) {
        std::string lower(name);
        for (char& ch : lower) ch = LowerAscii(ch);
        if (lower.compare(0, word.size(), word) == 0) return true;
    }
    return false;
}

// +0 for AM, +12 for PM, nullopt when the word is neither.
std::optional<int> MeridiemOffset(const std::string& word) {
    if (word == "am" || word == "a") return 0;
    if (word == "pm" || word == "p") return 12;
    return std::nullopt;
}

struct ParsedTime {
    bool present = false;
    int hour = 0, minute = 0, second = 0;
};

struct DateParts {
    std::vector<const Token*> numbers;
    int month = 0;  // from a month name
};

int ExpandYear(const Token& token) {
    const int year = int(token.number);
    if (token.digits <= 2) return year < 30 ? 2000 + year : 1900 + year;
    return year;
}

// Consumes "h[:m[:s]] [am|pm]" or "h am|pm" starting at tokens[i]; returns false on a
// malformed or out-of-range time.
bool ParseTimeAt(const std::vector<Token>& tokens, std::size_t& i, ParsedTime& time) {
    std::array<std::int64_t, 3> parts{};
    int count = 0;
    while (i < tokens.size() && tokens[i].kind == TokenKind::Number && count < 3) {
        parts[count++] = tokens[i].number;
        ++i;
        if (i < tokens.size() && tokens[i].kind == TokenKind::Colon) {
            ++i;
            if (count == 3 || i >= tokens.size() || tokens[i].kind != TokenKind::Number)
                return false;
        } else {
            break;
        }
    }
    std::optional<int> meridiem;
    if (i < tokens.size() && tokens[i].kind == TokenKind::Word)
        if ((meridiem = MeridiemOffset(tokens[i].word))) ++i;
    if (count == 1 && !meridiem) return false;
    std::int64_t hour = parts[0];
    // 12 AM is midnight and 12 PM noon; 0 PM is noon too, and an hour above 12 already
    // says which half of the day it is, whatever the marker.
    if (meridiem && hour <= 12) hour = hour == 0 ? *meridiem : hour % 12 + *meridiem;
    if (hour > 23 || parts[1] > 59 || parts[2] > 59) return false;
    time = {true, int(hour), int(parts[1]), int(parts[2])};
    return true;
}

// A number starts a time when a colon or an AM/PM word follows it.
bool StartsTime(const std::vector<Token>& tokens, std::size_t i) {
    if (tokens[i].kind != TokenKind::Number || i + 1 >= tokens.size()) return false;
    const Token& next = tokens[i + 1];
    return next.kind == TokenKind::Colon ||
           (next.kind == TokenKind::Word && MeridiemOffset(next.word).has_value());
}

bool IsValidCalendarDate(const DateFields& date) {
    return date.year >= 100 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

DateFields CalendarDate(int year, std::int64_t month, std::int64_t day) {
    DateFields date;
    date.year = year, date.month = int(month), date.day = int(day);
    return date;
}

// Numbers alone leave the order open: the parser takes the first order that gives a real
// date, month first as en-US writes it, then day first, then with the year ("14 1" is
// 14 January, "30 2" February 1930). A number of three or four digits is a year.
std::optional<DateFields> ResolveNumericDate(const std::vector<const Token*>& n,
                                             int yearWhenMissing) {
    std::vector<DateFields> orders;
    if (n.size() == 3) {
        const Token &a = *n[0], &b = *n[1], &c = *n[2];
        if (a.digits >= 3) {
            orders = {CalendarDate(int(a.number), b.number, c.number)};
        } else {
            orders = {CalendarDate(ExpandYear(c), a.number, b.number),
                      CalendarDate(ExpandYear(c), b.number, a.number),
                      CalendarDate(ExpandYear(a), b.number, c.number)};
        }
    } else if (n.size() == 2) {
        const Token &a = *n[0], &b = *n[1];
        if (a.digits >= 3) {
            orders = {CalendarDate(int(a.number), b.number, 1)};
        } else if (b.digits >= 3) {
            orders = {CalendarDate(int(b.number), a.number, 1)};
        } else {
            orders = {CalendarDate(yearWhenMissing, a.number, b.number),
                      CalendarDate(yearWhenMissing, b.number, a.number),
                      CalendarDate(ExpandYear(b), a.number, 1),
                      CalendarDate(ExpandYear(a), b.number, 1)};
        }
    }
    for (const DateFields& date : orders) {
        if (IsValidCalendarDate(date)) return date;
    }
    return std::nullopt;
}

std::optional<DateFields> ResolveNamedMonthDate(const DateParts& parts, int yearWhenMissing) {
    DateFields date;
    date.month = parts.month;
    const auto& n = parts.numbers;
    if (n.size() == 1) {
        if (n[0]->digits >= 3 || n[0]->number > 31) {
            date.year = ExpandYear(*n[0]), date.day = 1;
        } else {
            date.day = int(n[0]->number), date.year = yearWhenMissing;
        }
    } else if (n.size() == 2) {
        const bool yearFirst = n[0]->digits >= 3 || n[0]->number > 31;
        date.day = int(n[yearFirst ? 1 : 0]->number);
        date.year = ExpandYear(*n[yearFirst ? 0 : 1]);
    } else {
        return std::nullopt;
    }
    return date;
}

int CurrentYear() {
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return int(std::chrono::year_month_day(today).year());
}

}  // namespace

bool IsValidDateSerial(double serial) {
    return SplitSerial(serial).has_value();
}

bool SerialToFields(double serial, DateFields& fields) {
    const auto split = SplitSerial(serial);
    if (!split) return false;
    CivilFromDays(split->day - kEpochOffset, fields.year, fields.month, fields.day);
    fields.hour = int(split->second / 3600);
    fields.minute = int(split->second / 60 % 60);
    fields.second = int(split->second % 60);
    return true;
}

std::optional<double> FieldsToSerial(const DateFields& fields) {
    const int year = fields.year >= 0 && fields.year <= 99
                         ? fields.year + (fields.year < 30 ? 2000 : 1900)
                         : fields.year;
    const std::int64_t months = std::int64_t(year) * 12 + (fields.month - 1);
    const std::int64_t wholeYear = FloorDiv(months, 12);
    if (wholeYear < -100000 || wholeYear > 100000) return std::nullopt;
    const int month = int(FloorMod(months, 12)) + 1;
    std::int64_t day = SerialDayOf(wholeYear, month, 1) + (std::int64_t(fields.day) - 1);
    std::int64_t seconds = std::int64_t(fields.hour) * 3600 + std::int64_t(fields.minute) * 60 +
                           std::int64_t(fields.second);
    day += FloorDiv(seconds, kSecondsPerDay);
    seconds = FloorMod(seconds, kSecondsPerDay);
    if (day < kMinDay || day > kMaxDay) return std::nullopt;
    return JoinSerial(day, seconds);
}

std::optional<double> DateSerial(int year, int month, int day) {
    return FieldsToSerial({year, month, day, 0, 0, 0});
}

double TimeSerial(int hour, int minute, int second) {
    return (double(hour) * 3600 + double(minute) * 60 + double(second)) / double(kSecondsPerDay);
}

int Weekday(double serial, int firstDayOfWeek) {
    if (firstDayOfWeek == kUseSystemDayOfWeek) firstDayOfWeek = kSunday;
    const auto split = SplitSerial(serial);
    if (!split || firstDayOfWeek < kSunday || firstDayOfWeek > kSaturday) return 0;
    return RelativeWeekday(split->day, firstDayOfWeek);
}

int WeekOfYear(double serial, int firstDayOfWeek, int firstWeekOfYear) {
    if (firstDayOfWeek == kUseSystemDayOfWeek) firstDayOfWeek = kSunday;
    if (firstWeekOfYear == kUseSystemWeek) firstWeekOfYear = kFirstJan1;
    DateFields fields;
    if (!SerialToFields(serial, fields) || firstDayOfWeek < kSunday || firstDayOfWeek > kSaturday ||
        firstWeekOfYear < kFirstJan1 || firstWeekOfYear > kFirstFullWeek)
        return 0;
    const std::int64_t day = SplitSerial(serial)->day;
    // Under the four-day rule the last days of December may already open week 1 of the
    // next year; that is the rule's meaning, so honour it. (Under the 1-January rule the
    // classic count keeps running into week 53 or 54 instead, and so does this one.)
    if (firstWeekOfYear == kFirstFourDays && fields.year < 9999) {
        const std::int64_t nextStart =
            FirstWeekStart(fields.year + 1, firstDayOfWeek, firstWeekOfYear);
        if (day >= nextStart) return 1;
    }
    std::int64_t start = FirstWeekStart(fields.year, firstDayOfWeek, firstWeekOfYear);
    if (day < start) start = FirstWeekStart(fields.year - 1, firstDayOfWeek, firstWeekOfYear);
    return int((day - start) / 7) + 1;
}

std::optional<double> ParseDateTime(std::string_view text) {
    return ParseDateTime(text, CurrentYear());
}

std::optional<double> ParseDateTime(std::string_view text, int yearWhenMissing) {
    const auto tokens = Tokenize(text);
    // A leading dash or slash would make "-1/2/2003" read as a date; it is a number instead.
    if (!tokens || tokens->empty() || tokens->front().kind == TokenKind::DateSeparator)
        return std::nullopt;
    ParsedTime time;
    DateParts date;
    for (std::size_t i = 0; i < tokens->size();) {
        const Token& token = (*tokens)[i];
        if (StartsTime(*tokens, i)) {
            if (time.present || !ParseTimeAt(*tokens, i, time)) return std::nullopt;
            continue;
        }
        switch (token.kind) {
            case TokenKind::Number:
                date.numbers.push_back(&token);
                break;
            case TokenKind::Word:
                if (int month = MonthFromWord(token.word); month != 0 && date.month == 0) {
                    date.month = month;
                } else if (!IsWeekdayWord(token.word)) {
                    return std::nullopt;
                }
                break;
            case TokenKind::Colon:
                return std::nullopt;
            default:
                break;  // separators between date fields
        }
        ++i;
    }
    if (date.numbers.empty() && date.month == 0) {
        if (!time.present) return std::nullopt;
        return JoinSerial(0, time.hour * 3600 + time.minute * 60 + time.second);
    }
    const auto fields = date.month != 0 ? ResolveNamedMonthDate(date, yearWhenMissing)
                                        : ResolveNumericDate(date.numbers, yearWhenMissing);
    if (!fields || !IsValidCalendarDate(*fields)) return std::nullopt;
    const std::int64_t day = SerialDayOf(fields->year, fields->month, fields->day);
    return JoinSerial(day, time.hour * 3600 + time.minute * 60 + time.second);
}

std::string GeneralDate(double serial) {
    const auto split = SplitSerial(serial);
    if (!split) return {};
    DateFields f;
    SerialToFields(serial, f);
    std::string text;
    if (split->day != 0) {
        text = std::to_string(f.month) + '/' + std::to_string(f.day) + '/' + std::to_string(f.year);
    }
    if (split->second != 0 || split->day == 0) {
        if (!text.empty()) text.push_back(' ');
        const int hour12 = f.hour % 12 == 0 ? 12 : f.hour % 12;
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, f.minute, f.second,
                      f.hour < 12 ? "AM" : "PM");
        text += buffer;
    }
    return text;
}

std::string_view MonthName(int month, bool abbreviated) {
    if (month < 1 || month > 12) return {};
    return abbreviated ? kMonthAbbreviations[month - 1] : kMonthNames[month - 1];
}

std::string_view WeekdayName(int weekday, bool abbreviated) {
    if (weekday < 1 || weekday > 7) return {};
    return abbreviated ? kWeekdayAbbreviations[weekday - 1] : kWeekdayNames[weekday - 1];
}

}  // namespace vexa
