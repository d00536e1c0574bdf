#include "vexa/system/automation/Format.h"

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

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

// What a format text compiles to, kept per text: a column of cells that share a format reads
// it once, not once per cell.
struct PreparedFormat {
    const NamedFormat* named = nullptr;
    FormatKind kind = FormatKind::Number;
    // The sections of a number (or literal-only) format, or of a named number format.
    std::vector<format::NumberSection> numberSections;
};

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};

// Programs use a handful of formats; one that makes up new ones without end starts over
// now and then rather than growing.
constexpr std::size_t kMaxPreparedFormats = 256;

const PreparedFormat& Prepared(std::string_view pattern) {
    thread_local std::unordered_map<std::string, PreparedFormat, TextHash, std::equal_to<>> cache;
    // Cells are mostly read in runs that share a format: the last one found is tried first.
    thread_local const std::pair<const std::string, PreparedFormat>* last = nullptr;
    if (last != nullptr && last->first == pattern) return last->second;
    if (auto found = cache.find(pattern); found != cache.end()) {
        last = &*found;
        return found->second;
    }
    if (cache.size() >= kMaxPreparedFormats) cache.clear();
    PreparedFormat prepared;
    prepared.named = FindNamedFormat(pattern);
    prepared.kind = prepared.named ? prepared.named->kind : format::ClassifyFormat(pattern);
    if (prepared.kind == FormatKind::Number || prepared.kind == FormatKind::Literal) {
        const std::string_view numbers = prepared.named ? prepared.named->pattern : pattern;
        for (std::string_view section : format::SplitSections(numbers)) {
            prepared.numberSections.emplace_back(section);
        }
    }
    last = &*cache.emplace(std::string(pattern), std::move(prepared)).first;
    return last->second;
}

std::string FormatNumber(double number, const PreparedFormat& prepared) {
    const auto& sections = prepared.numberSections;
    const auto has = [&](std::size_t i) { return i < sections.size() && !sections[i].Empty(); };
    if (number < 0 && has(1)) return sections[1].Format(number, false);
    if (number == 0 && has(2)) return sections[2].Format(number, false);
    if (!has(0)) return DoubleToText(number);
    return sections[0].Format(number, number < 0);
}

std::string FormatNull(std::string_view pattern, const PreparedFormat& prepared) {
    if (prepared.kind == FormatKind::Number && prepared.numberSections.size() >= 4) {
        return prepared.numberSections[3].Format(0, false);
    }
    // The second text section serves Null as it serves the zero-length string.
    if (prepared.kind == FormatKind::Text && format::SplitSections(pattern).size() >= 2) {
        return format::FormatTextSections(std::string(), pattern);
    }
    return {};
}

std::string FormatNamed(const Variant& value, const PreparedFormat& prepared) {
    const NamedFormat& named = *prepared.named;
    double number = 0;
    if (named.kind == FormatKind::Date) {
        if (!AsDate(value, number)) return PlainText(value);
        return named.pattern.empty()
                   ? GeneralDate(number)
                   : format::FormatDateSection(number, named.pattern, kSunday, kFirstJan1);
    }
    if (!AsNumber(value, number)) return PlainText(value);
    if (named.pattern.empty()) return DoubleToText(number);
    return FormatNumber(number, prepared);
}

std::string FormatUser(const Variant& value, std::string_view pattern,
                       const PreparedFormat& prepared, int firstDayOfWeek, int firstWeekOfYear) {
    const FormatKind kind = prepared.kind;
    if (value.IsNull()) return FormatNull(pattern, prepared);
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
            return FormatNumber(number, prepared);
    }
    return PlainText(value);
}

std::string FormatValue(const Variant& value, std::string_view pattern, int firstDayOfWeek,
                        int firstWeekOfYear) {
    if (pattern.empty() || value.IsArray() || value.IsError()) return PlainText(value);
    const PreparedFormat& prepared = Prepared(pattern);
    if (prepared.named) return value.IsNull() ? std::string() : FormatNamed(value, prepared);
    return FormatUser(value, pattern, prepared, firstDayOfWeek == 0 ? kSunday : firstDayOfWeek,
                      firstWeekOfYear == 0 ? kFirstJan1 : firstWeekOfYear);
}

}  // namespace

std::string Format(const Variant& input, std::string_view pattern, int firstDayOfWeek,
                   int firstWeekOfYear) {
    if (firstDayOfWeek < kUseSystemDayOfWeek || firstDayOfWeek > kSaturday ||
        firstWeekOfYear < kUseSystemWeek || firstWeekOfYear > kFirstFullWeek) {
        RaiseRuntimeError(rtInvalidProcedureCall);
    }
    // An object formats as its default value; any other value is used where it is.
    if (input.IsObject()) {
        return FormatValue(GetMember(input.ToObject(), "Value"), pattern, firstDayOfWeek,
                           firstWeekOfYear);
    }
    return FormatValue(input, pattern, firstDayOfWeek, firstWeekOfYear);
}

}  // namespace vexa
