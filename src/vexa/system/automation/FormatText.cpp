// Text formats: @ and & placeholders, < and > case, ! for left-to-right filling.
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <string>
#include <vector>

#include "vexa/system/automation/FormatSections.h"

namespace vexa::format {

namespace {

struct TextLayout {
    int placeholders = 0;
    bool leftToRight = false;
    int caseChange = 0;  // -1 lower, +1 upper; a format asking for both keeps the case
};

TextLayout LayoutOf(std::string_view section) {
    TextLayout layout;
    FormatScanner scanner(section);
    std::string literal;
    char c = 0;
    bool lower = false, upper = false;
    while (!scanner.AtEnd()) {
        if (scanner.Next(literal, c)) continue;
        if (c == '@' || c == '&') ++layout.placeholders;
        if (c == '!') layout.leftToRight = true;
        lower = lower || c == '<';
        upper = upper || c == '>';
    }
    layout.caseChange = lower == upper ? 0 : lower ? -1 : +1;
    return layout;
}

std::string WithCase(const std::string& text, int caseChange) {
    if (caseChange == 0) return text;
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    if (caseChange < 0) {
        unicode.toLower(icu::Locale::getUS());
    } else {
        unicode.toUpper(icu::Locale::getUS());
    }
    std::string result;
    unicode.toUTF8String(result);
    return result;
}

// The text's characters, each as its UTF-8 bytes, so that a placeholder takes a whole
// character; a byte that starts no valid sequence stands for itself.
std::vector<std::string_view> CharactersOf(std::string_view text) {
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80    ? 1
                             : lead >= 0xF0 ? 4
                             : lead >= 0xE0 ? 3
                             : lead >= 0xC0 ? 2
                                            : 1;
        if (i + length > text.size()) length = 1;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                length = 1;
                break;
            }
        }
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

}  // namespace

std::string FormatTextSections(const std::string& value, std::string_view format) {
    const auto sections = SplitSections(format);
    const std::string_view section =
        value.empty() && sections.size() > 1 ? sections[1] : sections[0];
    const TextLayout layout = LayoutOf(section);
    const std::string text = WithCase(value, layout.caseChange);
    const std::vector<std::string_view> characters = CharactersOf(text);
    const int length = static_cast<int>(characters.size());
    // Placeholders take the characters in order. When there are fewer characters, the
    // first placeholders go without one (the last ones with '!'); when there are more, the
    // rest follow everything the format shows: "@\x" gives "txesting" for "testing".
    const int unfilled = std::max(0, layout.placeholders - length);
    std::string out;
    FormatScanner scanner(section);
    std::string literal;
    char c = 0;
    int placeholder = 0, next = 0;
    while (!scanner.AtEnd()) {
        if (scanner.Next(literal, c)) {
            out += literal;
        } else if (c == '@' || c == '&') {
            const bool empty = layout.leftToRight ? placeholder >= length : placeholder < unfilled;
            if (!empty) {
                out += characters[std::size_t(next++)];
            } else if (c == '@') {
                out += ' ';
            }
            ++placeholder;
        } else if (c != '<' && c != '>' && c != '!') {
            out += c;
        }
    }
    for (; next < length; ++next) out += characters[std::size_t(next)];
    return out;
}

}  // namespace vexa::format
