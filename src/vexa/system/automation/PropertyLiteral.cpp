#include "vexa/system/automation/PropertyLiteral.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "vexa/system/automation/Base64.h"
#include "vexa/system/automation/DateTime.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/automation/Picture.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

// ---- UTF-8 ----

// Length of the well-formed UTF-8 sequence starting at text[i], 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    }
    return length;
}

// ---- writing ----

template <class Number>
std::string ShortestText(Number value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

const char* NonFiniteName(double value) {
    if (std::isnan(value)) return "NaN";
    return value > 0 ? "Infinity" : "-Infinity";
}

std::string CurrencyText(std::int64_t scaled) {
    const bool negative = scaled < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t(0) - std::uint64_t(scaled) : std::uint64_t(scaled);
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / 10000);
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        text += '.';
        for (std::uint64_t unit = 1000; fraction != 0; unit /= 10) {
            text += char('0' + fraction / unit);
            fraction %= unit;
        }
    }
    return text;
}

std::string TwoDigits(int value) {
    return std::string(1, char('0' + value / 10)) + char('0' + value % 10);
}

// "#yyyy-mm-dd hh:mm:ss#" when that text reads back to exactly the same serial; otherwise
// the serial itself, so no fraction of a second is lost.
std::string DateLiteral(double serial) {
    DateFields fields;
    if (IsValidDateSerial(serial) && SerialToFields(serial, fields)) {
        std::string year = std::to_string(fields.year);
        year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
        const std::string text = year + "-" + TwoDigits(fields.month) + "-" +
                                 TwoDigits(fields.day) + " " + TwoDigits(fields.hour) + ":" +
                                 TwoDigits(fields.minute) + ":" + TwoDigits(fields.second);
        const std::optional<double> back = ParseDateTime(text);
        if (back && *back == serial) return "#" + text + "#";
    }
    if (!std::isfinite(serial)) return std::string("CDate(\"") + NonFiniteName(serial) + "\")";
    return "CDate(" + ShortestText(serial) + ")";
}

bool IsControlByte(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// Printable text goes between quotes; control characters become Chr(n) and bytes that are
// not UTF-8 become ChrB(n), so the file stays one line per value and valid UTF-8.
std::string StringLiteral(std::string_view text) {
    std::string out;
    bool inQuotes = false;
    const auto separate = [&] {
        if (inQuotes) out += '"';
        inQuotes = false;
        if (!out.empty()) out += " & ";
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0 || IsControlByte(c)) {
            separate();
            out += (length == 0 ? "ChrB(" : "Chr(") + std::to_string(c) + ")";
            ++i;
            continue;
        }
        if (!inQuotes) {
            if (!out.empty()) out += " & ";
            out += '"';
            inQuotes = true;
        }
        if (c == '"') out += '"';
        out.append(text.substr(i, length));
        i += length;
    }
    if (inQuotes) out += '"';
    return out.empty() ? "\"\"" : out;
}

std::string BooleanText(bool value) {
    return value ? "True" : "False";
}

std::string FontLiteral(const Font& font) {
    return "Font{Name=" + StringLiteral(font.Name()) + ",Size=" + CurrencyText(font.SizeScaled()) +
           ",Bold=" + BooleanText(font.Bold()) + ",Italic=" + BooleanText(font.Italic()) +
           ",Underline=" + BooleanText(font.Underline()) +
           ",Strikethrough=" + BooleanText(font.Strikethrough()) +
           ",Weight=" + std::to_string(font.Weight()) +
           ",Charset=" + std::to_string(font.Charset()) + "}";
}

std::string ObjectLiteral(const std::shared_ptr<Object>& object) {
    if (!object) return "Nothing";
    if (const auto* font = dynamic_cast<const Font*>(object.get())) return FontLiteral(*font);
    if (const auto* picture = dynamic_cast<const Picture*>(object.get())) {
        return "Picture{" + Base64Encode(picture->SavePngBytes()) + "}";
    }
    RaiseRuntimeError(rtTypeMismatch);
}

template <class Number>
std::string FloatLiteral(Number value, const char* suffix, const char* conversion) {
    if (std::isfinite(value)) return ShortestText(value) + suffix;
    return std::string(conversion) + "(\"" + NonFiniteName(double(value)) + "\")";
}

void AppendLiteral(std::string& out, const Variant& value, int depth);

void AppendArray(std::string& out, const Variant& value, int depth) {
    if (depth >= kMaxLiteralNesting) RaiseRuntimeError(rtTypeMismatch);
    out += "Array(";
    bool first = true;
    for (const Variant& item : value.Items()) {
        if (!first) out += ", ";
        first = false;
        AppendLiteral(out, item, depth + 1);
    }
    out += ")";
}

void AppendLiteral(std::string& out, const Variant& value, int depth) {
    if (value.IsArray()) return AppendArray(out, value, depth);
    switch (value.Type()) {
        case vtEmpty:
            out += "Empty";
            return;
        case vtNull:
            out += "Null";
            return;
        case vtInteger:
            out += std::to_string(value.ToInteger()) + "%";
            return;
        case vtLong:
            out += std::to_string(value.ToLong()) + "&";
            return;
        case vtSingle:
            out += FloatLiteral(value.ToSingle(), "!", "CSng");
            return;
        case vtDouble:
            out += FloatLiteral(value.ToDouble(), "#", "CDbl");
            return;
        case vtCurrency:
            out += CurrencyText(value.ToCurrencyScaled()) + "@";
            return;
        case vtDate:
            // The serial as held: one outside the calendar still writes (as CDate(serial)).
            out += DateLiteral(value.ToDouble());
            return;
        case vtString:
            out += StringLiteral(value.StringRef());
            return;
        case vtObject:
            out += ObjectLiteral(value.ToObject());
            return;
        case vtError:
            out += "CVErr(" + std::to_string(value.ErrorCode()) + ")";
            return;
        case vtBoolean:
            out += BooleanText(value.ToBoolean());
            return;
        case vtDecimal:
            out += "CDec(\"" + value.ToString() + "\")";
            return;
        case vtByte:
            out += "CByte(" + std::to_string(value.ToByte()) + ")";
            return;
        default:
            RaiseRuntimeError(rtTypeMismatch);
    }
}

}  // namespace

std::string FormatPropertyLiteral(const Variant& value) {
    std::string out;
    AppendLiteral(out, value, 0);
    return out;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

}  // namespace vexa
