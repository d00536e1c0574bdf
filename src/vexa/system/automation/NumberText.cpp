// Number text in both directions, en-US, as the classic runtime reads and prints it.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "vexa/system/automation/DecimalValue.h"
#include "vexa/system/automation/RuntimeError.h"
#include "vexa/system/automation/SignificantDigits.h"
#include "vexa/system/automation/Variant.h"

namespace vexa {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// "&H1F" / "&O17": a 32-bit pattern read as a signed value, as the runtime does.
bool ParseRadixText(std::string_view text, std::int32_t& result) {
    if (text.size() < 3 || text[0] != '&') return false;
    const char kind = static_cast<char>(text[1] | 0x20);
    const int radix = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
    if (radix == 0) return false;
    std::uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), value, radix);
    if (error != std::errc() || end != text.data() + text.size() || value > 0xFFFFFFFFull) {
        return false;
    }
    result = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return true;
}

// Removes a leading or trailing sign, parentheses and one currency sign; keeps the
// digits, thousands separators, point and exponent in `body`.
bool SplitSign(std::string_view text, bool& negative, std::string_view& body) {
    negative = false;
    bool currencySeen = false;
    auto takeCurrency = [&](std::string_view& t, bool front) {
        if (!t.empty() && (front ? t.front() : t.back()) == '$' && !currencySeen) {
            currencySeen = true;
            front ? t.remove_prefix(1) : t.remove_suffix(1);
            t = Trimmed(t);
        }
    };
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        negative = true;
        text = Trimmed(text.substr(1, text.size() - 2));
    }
    takeCurrency(text, true);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        if (text.front() == '-') negative = !negative;
        text = Trimmed(text.substr(1));
    } else if (!text.empty() && (text.back() == '-' || text.back() == '+')) {
        if (text.back() == '-') negative = !negative;
        text = Trimmed(text.substr(0, text.size() - 1));
    }
    takeCurrency(text, true);
    takeCurrency(text, false);
    body = text;
    return !body.empty();
}

// Digits with thousands separators before the point, then the fraction and exponent;
// produces plain text from_chars can read.
bool NormaliseDigits(std::string_view body, std::string& plain) {
    plain.clear();
    bool digitSeen = false, pointSeen = false, exponentSeen = false;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c >= '0' && c <= '9') {
            digitSeen = true;
            plain += c;
        } else if (c == ',' && !pointSeen && !exponentSeen && digitSeen) {
            continue;
        } else if (c == '.' && !pointSeen && !exponentSeen) {
            pointSeen = true;
            plain += c;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && digitSeen && !exponentSeen) {
            exponentSeen = true;
            plain += 'e';
            if (i + 1 < body.size() && (body[i + 1] == '+' || body[i + 1] == '-'))
                plain += body[++i];
            if (i + 1 >= body.size()) return false;
        } else {
            return false;
        }
    }
    return digitSeen;
}

}  // namespace

bool ParseNumberText(std::string_view text, double& result) {
    text = Trimmed(text);
    if (std::int32_t radixValue = 0; ParseRadixText(text, radixValue)) {
        result = radixValue;
        return true;
    }
    bool negative = false;
    std::string_view body;
    std::string plain;
    if (!SplitSign(text, negative, body) || !NormaliseDigits(body, plain)) return false;
    double value = 0;
    auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (end != plain.data() + plain.size()) return false;
    if (error == std::errc::result_out_of_range) {
        value = plain.find("e-") != std::string::npos ? 0.0 : HUGE_VAL;
    } else if (error != std::errc()) {
        return false;
    }
    result = negative ? -value : value;
    return true;
}

DecimalValue DecimalFromText(std::string_view text) {
    text = Trimmed(text);
    if (std::int32_t radixValue = 0; ParseRadixText(text, radixValue)) {
        return DecimalValue{radixValue, 0};
    }
    bool negative = false;
    std::string_view body;
    std::string plain;
    if (!SplitSign(text, negative, body) || !NormaliseDigits(body, plain)) {
        RaiseRuntimeError(rtTypeMismatch);
    }
    // plain is "digits[.digits][e[+-]digits]".
    const std::size_t e = plain.find('e');
    const std::string_view mantissa = std::string_view(plain).substr(0, e);
    long long exponent = 0;
    if (e != std::string::npos) {
        const char* from = plain.data() + e + 1;
        if (*from == '+') ++from;
        const auto [end, error] = std::from_chars(from, plain.data() + plain.size(), exponent);
        if (error != std::errc() || end != plain.data() + plain.size()) {
            exponent = *from == '-' ? -100000 : 100000;  // far beyond either end of the range
        }
    }
    std::string digits;
    const std::size_t point = mantissa.find('.');
    digits.append(mantissa.substr(0, point));
    if (point != std::string_view::npos) {
        digits.append(mantissa.substr(point + 1));
        exponent -= static_cast<long long>(mantissa.size() - point - 1);
    }
    exponent = std::clamp<long long>(exponent, -100000, 100000);
    const auto value = DecimalValue::FromDigits(negative, digits, int(exponent));
    if (!value) RaiseRuntimeError(rtOverflow);
    return *value;
}

std::string DoubleToText(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    return SignificantDigits(value, 15).Text(15);
}

std::string SingleToText(float value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    return SignificantDigits(value, 7).Text(7);
}

}  // namespace vexa
