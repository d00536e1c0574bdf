#include "vexa/system/automation/Format.h"

#include <array>
#include <cmath>

#include "vexa/system/automation/DateTime.h"
#include "vexa/system/automation/FormatSections.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

using format::FormatKind;

struct NamedFormat {
    std::string_view name;
    std::string_view pattern;  // empty: handled in code
    FormatKind kind;
};

constexpr std::array kNamedFormats{
    NamedFormat{"General Number", "", FormatKind::Number},
    NamedFormat{"Currency", "$#,##0.00;($#,##0.00)", FormatKind::Number},
    NamedFormat{"Fixed", "0.00", FormatKind::Number},
    NamedFormat{"Standard", "#,##0.00", FormatKind::Number},
    NamedFormat{"Percent", "0.00%", FormatKind::Number},
    NamedFormat{"Scientific", "0.00E+00", FormatKind::Number},
    NamedFormat{"Yes/No", "\"Yes\";\"Yes\";\"No\"", FormatKind::Number},
    NamedFormat{"True/False", "\"True\";\"True\";\"False\"", FormatKind::Number},
    NamedFormat{"On/Off", "\"On\";\"On\";\"Off\"", FormatKind::Number},
    NamedFormat{"General Date", "", FormatKind::Date},
    NamedFormat{"Long Date", "dddd, mmmm d, yyyy", FormatKind::Date},
    NamedFormat{"Medium Date", "dd-mmm-yy", FormatKind::Date},
    NamedFormat{"Short Date", "m/d/yyyy", FormatKind::Date},
    NamedFormat{"Long Time", "h:mm:ss AM/PM", FormatKind::Date},
    NamedFormat{"Medium Time", "hh:mm AM/PM", FormatKind::Date},
    NamedFormat{"Short Time", "hh:mm", FormatKind::Date},
};

const NamedFormat* FindNamedFormat(std::string_view format) {
    for (const NamedFormat& named : kNamedFormats) {
        if (named.name.size() == format.size() && format::StartsWithNoCase(format, named.name)) {
            return &named;
        }
    }
    return nullptr;
}

// The plain text of a value: "" for Empty and Null.
std::string PlainText(const Variant& value) {
    return value.IsNull() ? std::string() : value.ToString();
}

bool AsNumber(const Variant& value, double& number) {
    if (value.IsNumberLike()) {
        number = value.ToDouble();
        return true;
    }
    return value.IsString() && ParseNumberText(value.StringRef(), number) && std::isfinite(number);
}

bool AsDate(const Variant& value, double& serial) {
    if (value.IsString()) {
        if (auto parsed = ParseDateTime(value.StringRef())) {
            serial = *parsed;
            return true;
        }
    }
    return AsNumber(value, serial) && IsValidDateSerial(serial);
}

std::string FormatNumber(double number, std::string_view pattern) {
    const auto sections = format::SplitSections(pattern);
    const auto section = [&](std::size_t i) {
        return i < sections.size() ? sections[i] : std::string_view();
    };
    if (number < 0 && !section(1).empty()) {
        return format::FormatNumberSection(number, section(1), false);
    }
    if (number == 0 && !section(2).empty()) {
        return format::FormatNumberSection(number, section(2), false);
    }
    if (section(0).empty()) return DoubleToText(number);
    return format::FormatNumberSection(number, section(0), number < 0);
}

std::string FormatNull(std::string_view pattern, FormatKind kind) {
    const auto sections = format::SplitSections(pattern);
    if (kind == FormatKind::Number && sections.size() >= 4) {
        return format::FormatNumberSection(0, sections[3], false);
    }
    // The second text section serves Null as it serves the zero-length string.
    if (kind == FormatKind::Text && sections.size() >= 2) {
        return format::FormatTextSections(std::string(), pattern);
    }
    return {};
}

std::string FormatNamed(const Variant& value, const NamedFormat& named) {
    double number = 0;
    if (named.kind == FormatKind::Date) {
        if (!AsDate(value, number)) return PlainText(value);
        return named.pattern.empty()
                   ? GeneralDate(number)
                   : format::FormatDateSection(number, named.pattern, kSunday, kFirstJan1);
    }
    if (!AsNumber(value, number)) return PlainText(value);
    if (named.pattern.empty()) return DoubleToText(number);
    return FormatNumber(number, named.pattern);
}

std::string FormatUser(const Variant& value, std::string_view pattern, int firstDayOfWeek,
                       int firstWeekOfYear) {
    const FormatKind kind = format::ClassifyFormat(pattern);
    if (value.IsNull()) return FormatNull(pattern, kind);
    if (value.IsEmpty()) return {};
    double number = 0;
    switch (kind) {
        case FormatKind::Date:
            if (!AsDate(value, number)) return PlainText(value);
            return format::FormatDateSection(number, format::SplitSections(pattern)[0],
                                             firstDayOfWeek, firstWeekOfYear);
        case FormatKind::Text:
            return format::FormatTextSections(PlainText(value), pattern);
        case FormatKind::Number:
        case FormatKind::Literal:
            if (!AsNumber(value, number)) {
                return kind == FormatKind::Literal
                           ? format::FormatTextSections(PlainText(value), pattern)
                           : PlainText(value);
            }
            return FormatNumber(number, pattern);
    }
    return PlainText(value);
}

}  // namespace

std::string Format(const Variant& input, std::string_view pattern, int firstDayOfWeek,
                   int firstWeekOfYear) {
    if (firstDayOfWeek < kUseSystemDayOfWeek || firstDayOfWeek > kSaturday ||
        firstWeekOfYear < kUseSystemWeek || firstWeekOfYear > kFirstFullWeek) {
        RaiseRuntimeError(rtInvalidProcedureCall);
    }
    const Variant value = input.IsObject() ? GetMember(input.ToObject(), "Value") : input;
    if (pattern.empty() || value.IsArray() || value.IsError()) return PlainText(value);
    if (const NamedFormat* named = FindNamedFormat(pattern)) {
        return value.IsNull() ? std::string() : FormatNamed(value, *named);
    }
    return FormatUser(value, pattern, firstDayOfWeek == 0 ? kSunday : firstDayOfWeek,
                      firstWeekOfYear == 0 ? kFirstJan1 : firstWeekOfYear);
}

}  // namespace vexa
