// Date and time user formats: d w m q y h n s tokens, AM/PM markers, c and ttttt.
#include <algorithm>
#include <cmath>

#include "vexa/system/automation/DateTime.h"
#include "vexa/system/automation/FormatSections.h"

namespace vexa::format {

namespace {

struct DateParts {
    DateFields fields{};
    double serial = 0;
    int firstDayOfWeek = kSunday;
    int firstWeekOfYear = kFirstJan1;
};

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    if (text.size() < 2) text.insert(text.begin(), '0');
    return text;
}

int RunLength(std::string_view rest, char lower) {
    int n = 0;
    while (n < int(rest.size()) && LowerAscii(rest[std::size_t(n)]) == lower) ++n;
    return n;
}

// The AM/PM marker at the start of `rest` (which begins after its first letter 'a'),
// with its length including that letter; 0 when there is none.
int MarkerLength(std::string_view rest) {
    if (StartsWithNoCase(rest, "m/pm")) return 5;
    if (StartsWithNoCase(rest, "/p")) return 3;
    if (StartsWithNoCase(rest, "mpm")) return 4;
    return 0;
}

bool UsesTwelveHourClock(std::string_view section) {
    FormatScanner scanner(section);
    std::string literal;
    char c = 0;
    while (!scanner.AtEnd()) {
        if (!scanner.Next(literal, c) && (c == 'a' || c == 'A') && MarkerLength(scanner.Rest())) {
            return true;
        }
    }
    return false;
}

std::string MarkerText(std::string_view marker, bool pm) {
    if (marker.size() == 4) return pm ? "PM" : "AM";  // AMPM: the locale's designators
    if (marker.size() == 3) return std::string(1, pm ? marker[2] : marker[0]);
    return std::string(pm ? marker.substr(3, 2) : marker.substr(0, 2));
}

std::string ShortDate(const DateFields& f) {
    return std::to_string(f.month) + "/" + std::to_string(f.day) + "/" + std::to_string(f.year);
}

std::string LongDate(const DateParts& p) {
    const DateFields& f = p.fields;
    return std::string(WeekdayName(Weekday(p.serial))) + ", " + std::string(MonthName(f.month)) +
           " " + std::to_string(f.day) + ", " + std::to_string(f.year);
}

std::string LongTime(const DateFields& f) {
    const int hour = f.hour % 12 == 0 ? 12 : f.hour % 12;
    return std::to_string(hour) + ":" + TwoDigits(f.minute) + ":" + TwoDigits(f.second) +
           (f.hour < 12 ? " AM" : " PM");
}

int DayOfYear(const DateFields& f) {
    const auto first = DateSerial(f.year, 1, 1);
    const auto day = DateSerial(f.year, f.month, f.day);
    return first && day ? int(*day - *first) + 1 : 0;
}

class DateWriter {
  public:
    DateWriter(const DateParts& parts, bool twelveHour) : p_(parts), twelveHour_(twelveHour) {}

    // Handles the token starting with `c`; `rest` follows it. Returns the extra
    // characters of the token it consumed.
    int Token(char c, std::string_view rest) {
        const char lower = LowerAscii(c);
        const int run = 1 + RunLength(rest, lower);
        const DateFields& f = p_.fields;
        switch (lower) {
            case 'c':
                Emit(GeneralDate(p_.serial));
                return 0;
            case 'd':
                Day(run);
                return run - 1;
            case 'w':
                Emit(std::to_string(
                    run >= 2 ? WeekOfYear(p_.serial, p_.firstDayOfWeek, p_.firstWeekOfYear)
                             : Weekday(p_.serial, p_.firstDayOfWeek)));
                return std::min(run, 2) - 1;
            case 'm':
                Month(std::min(run, 4));
                return run - 1;
            case 'q':
                Emit(std::to_string((f.month - 1) / 3 + 1));
                return 0;
            case 'y':
                return Year(run);
            case 'h':
                Hour(std::min(run, 2));
                return std::min(run, 2) - 1;
            case 'n':
                Number(f.minute, std::min(run, 2));
                lastWasHour_ = false;
                return std::min(run, 2) - 1;
            case 's':
                Number(f.second, std::min(run, 2));
                lastWasHour_ = false;
                return std::min(run, 2) - 1;
            case 't':
                if (run >= 5) {
                    Emit(LongTime(f));
                    return 4;
                }
                out_ += c;
                return 0;
            case 'a':
                if (const int length = MarkerLength(rest)) {
                    out_ += MarkerText(std::string_view(rest.data() - 1, std::size_t(length)),
                                       f.hour >= 12);
                    return length - 1;
                }
                out_ += c;
                return 0;
            default:
                out_ += c;
                return 0;
        }
    }

    void Literal(std::string_view text) { out_ += text; }
    std::string Result() && { return std::move(out_); }

  private:
    void Emit(const std::string& text) {
        out_ += text;
        lastWasHour_ = false;
    }

    void Number(int value, int width) {
        out_ += width >= 2 ? TwoDigits(value) : std::to_string(value);
    }

    void Day(int run) {
        const DateFields& f = p_.fields;
        if (run == 1 || run == 2) Number(f.day, run);
        if (run == 3 || run == 4) out_ += WeekdayName(Weekday(p_.serial), run == 3);
        if (run == 5) out_ += ShortDate(f);
        if (run >= 6) out_ += LongDate(p_);
        lastWasHour_ = false;
    }

    // m and mm mean minutes only when the token before them is an hour ("h:mm", "hh mm");
    // anywhere else, before seconds too, they are the month.
    void Month(int run) {
        const DateFields& f = p_.fields;
        if (run <= 2 && lastWasHour_) {
            Number(f.minute, run);
        } else if (run <= 2) {
            Number(f.month, run);
        } else {
            out_ += MonthName(f.month, run == 3);
        }
        lastWasHour_ = false;
    }

    int Year(int run) {
        const DateFields& f = p_.fields;
        if (run >= 4) {
            const std::string year = std::to_string(f.year);
            out_.append(4 - std::min<std::size_t>(year.size(), 4), '0');
            out_ += year;
            lastWasHour_ = false;
            return 3;
        }
        if (run >= 2) {
            Number(f.year % 100, 2);
            lastWasHour_ = false;
            return 1;
        }
        out_ += std::to_string(DayOfYear(f));
        lastWasHour_ = false;
        return 0;
    }

    void Hour(int run) {
        int hour = p_.fields.hour;
        if (twelveHour_) hour = hour % 12 == 0 ? 12 : hour % 12;
        Number(hour, run);
        lastWasHour_ = true;
    }

    const DateParts& p_;
    bool twelveHour_;
    bool lastWasHour_ = false;
    std::string out_;
};

}  // namespace

std::string FormatDateSection(double serial, std::string_view section, int firstDayOfWeek,
                              int firstWeekOfYear) {
    DateParts parts;
    if (!SerialToFields(serial, parts.fields)) return {};
    parts.serial = serial;
    parts.firstDayOfWeek = firstDayOfWeek;
    parts.firstWeekOfYear = firstWeekOfYear;
    DateWriter writer(parts, UsesTwelveHourClock(section));
    FormatScanner scanner(section);
    std::string literal;
    char c = 0;
    while (!scanner.AtEnd()) {
        if (scanner.Next(literal, c)) {
            writer.Literal(literal);
        } else {
            scanner.Skip(std::size_t(writer.Token(c, scanner.Rest())));
        }
    }
    return std::move(writer).Result();
}

}  // namespace vexa::format
