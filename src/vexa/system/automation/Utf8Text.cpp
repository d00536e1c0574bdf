#include "vexa/system/automation/Utf8Text.h"

namespace vexa {

namespace {

constexpr char32_t kReplacement = U'\uFFFD';

// What a lead byte starts. The second byte's range is narrower after some leads: that is
// where overlong forms, surrogates and values past U+10FFFF are ruled out.
struct SequenceRule {
    int length;  // bytes in the sequence, 0 for a byte that cannot start one
    unsigned char secondLow;
    unsigned char secondHigh;
};

SequenceRule RuleFor(unsigned char lead) {
    if (lead < 0x80) return {1, 0, 0};
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// Decodes the sequence at text[i]; returns the bytes it takes (a malformed one takes its
// longest well-formed prefix, at least one byte) and stores the code point or U+FFFD.
std::size_t DecodeOne(std::string_view text, std::size_t i, char32_t& out) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const SequenceRule rule = RuleFor(lead);
    out = kReplacement;
    if (rule.length == 0) return 1;
    if (rule.length == 1) {
        out = lead;
        return 1;
    }
    char32_t value = lead & (0x7F >> rule.length);
    for (int k = 1; k < rule.length; ++k) {
        if (i + std::size_t(k) >= text.size()) return std::size_t(k);
        const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
        const unsigned char low = k == 1 ? rule.secondLow : 0x80;
        const unsigned char high = k == 1 ? rule.secondHigh : 0xBF;
        if (next < low || next > high) return std::size_t(k);
        value = (value << 6) | (next & 0x3F);
    }
    out = value;
    return std::size_t(rule.length);
}

}  // namespace

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        i += DecodeOne(text, i, codePoint);
        result.push_back(codePoint);
    }
    return result;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) AppendUtf8(out, c);
    return out;
}

int Utf8Length(char32_t c) {
    if (c < 0x80) return 1;
    if (c < 0x800) return 2;
    if (c < 0x10000) return 3;
    return 4;
}

std::string RepairUtf8(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        const std::size_t length = DecodeOne(text, i, codePoint);
        if (codePoint == kReplacement && text.substr(i, length) != "\xEF\xBF\xBD") {
            AppendUtf8(result, kReplacement);
        } else {
            result.append(text.substr(i, length));
        }
        i += length;
    }
    return result;
}

std::string Latin1ToUtf8(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) AppendUtf8(result, static_cast<unsigned char>(c));
    return result;
}

std::string Utf8ToLatin1(std::string_view text) {
    std::string result;
    for (char32_t c : DecodeUtf8(text)) result.push_back(c <= 0xFF ? char(c) : '?');
    return result;
}

}  // namespace vexa
