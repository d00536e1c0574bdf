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
    int caseChange = 0;  // -1 lower, +1 upper
};

TextLayout LayoutOf(std::string_view section) {
    TextLayout layout;
    FormatScanner scanner(section);
    std::string literal;
    char c = 0;
    while (!scanner.AtEnd()) {
        if (scanner.Next(literal, c)) continue;
        if (c == '@' || c == '&') ++layout.placeholders;
        if (c == '!') layout.leftToRight = true;
        if (c == '<') layout.caseChange = -1;
        if (c == '>') layout.caseChange = +1;
    }
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
    auto appendCharacters = [&](std::string& out, int from, int to) {
        for (int i = from; i < to; ++i) out += characters[std::size_t(i)];
    };
    // Right-to-left filling gives surplus characters to the first placeholder,
    // left-to-right filling to the end.
    const int surplus = std::max(0, length - layout.placeholders);

    std::string out;
    FormatScanner scanner(section);
    std::string literal;
    char c = 0;
    int placeholder = 0;
    while (!scanner.AtEnd()) {
        if (scanner.Next(literal, c)) {
            out += literal;
            continue;
        }
        if (c == '<' || c == '>' || c == '!') continue;
        if (c != '@' && c != '&') {
            out += c;
            continue;
        }
        int index = layout.leftToRight ? placeholder : length - layout.placeholders + placeholder;
        if (!layout.leftToRight && placeholder == 0 && surplus > 0) {
            appendCharacters(out, 0, surplus);
        }
        if (index >= 0 && index < length) {
            out += characters[std::size_t(index)];
        } else if (c == '@') {
            out += ' ';
        }
        ++placeholder;
    }
    if (layout.placeholders == 0) {
        out += text;
    } else if (layout.leftToRight && surplus > 0) {
        appendCharacters(out, layout.placeholders, length);
    }
    return out;
}

}  // namespace vexa::format
