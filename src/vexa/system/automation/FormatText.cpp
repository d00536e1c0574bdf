// Text formats: @ and & placeholders, < and > case, ! for left-to-right filling.
#include <cctype>

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

std::string WithCase(std::string text, int caseChange) {
    for (char& c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (caseChange < 0) c = static_cast<char>(std::tolower(u));
        if (caseChange > 0) c = static_cast<char>(std::toupper(u));
    }
    return text;
}

}  // namespace

std::string FormatTextSections(const std::string& value, std::string_view format) {
    const auto sections = SplitSections(format);
    const std::string_view section =
        value.empty() && sections.size() > 1 ? sections[1] : sections[0];
    const TextLayout layout = LayoutOf(section);
    const std::string text = WithCase(value, layout.caseChange);
    const int length = static_cast<int>(text.size());
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
            out.append(text, 0, std::size_t(surplus));
        }
        if (index >= 0 && index < length) {
            out += text[std::size_t(index)];
        } else if (c == '@') {
            out += ' ';
        }
        ++placeholder;
    }
    if (layout.placeholders == 0) {
        out += text;
    } else if (layout.leftToRight && surplus > 0) {
        out.append(text, std::size_t(layout.placeholders), std::string::npos);
    }
    return out;
}

}  // namespace vexa::format
