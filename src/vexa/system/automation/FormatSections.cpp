#include <algorithm>

#include "vexa/system/automation/FormatSections.h"

namespace vexa::format {

std::vector<std::string_view> SplitSections(std::string_view format) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == '\\') {
            ++i;
        } else if (!quoted && c == ';') {
            sections.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(format.substr(std::min(start, format.size())));
    return sections;
}

bool FormatScanner::Next(std::string& literal, char& character) {
    literal.clear();
    const char c = text_[position_++];
    if (c == '\\') {
        if (position_ < text_.size()) literal += text_[position_++];
        return true;
    }
    if (c == '"') {
        const std::size_t close = text_.find('"', position_);
        const std::size_t end = close == std::string_view::npos ? text_.size() : close;
        literal.assign(text_.substr(position_, end - position_));
        position_ = close == std::string_view::npos ? text_.size() : close + 1;
        return true;
    }
    character = c;
    return false;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
    }
    return true;
}

FormatKind ClassifyFormat(std::string_view format) {
    bool number = false, text = false, date = false, numberMarks = false;
    FormatScanner scanner(format);
    std::string literal;
    char c = 0;
    while (!scanner.AtEnd()) {
        if (scanner.Next(literal, c)) continue;
        switch (LowerAscii(c)) {
            case '0':
            case '#':
                number = true;
                break;
            case '@':
            case '&':
            case '<':
            case '>':
            case '!':
                text = true;
                break;
            case 'd':
            case 'm':
            case 'y':
            case 'h':
            case 'n':
            case 's':
            case 'w':
            case 'q':
            case 'c':
            case 't':
                date = true;
                break;
            case 'a':
                if (StartsWithNoCase(scanner.Rest(), "m/pm") ||
                    StartsWithNoCase(scanner.Rest(), "/p") ||
                    StartsWithNoCase(scanner.Rest(), "mpm")) {
                    date = true;
                }
                break;
            case '.':
            case ',':
            case '%':
                numberMarks = true;
                break;
            default:
                break;
        }
    }
    if (number) return FormatKind::Number;
    if (text) return FormatKind::Text;
    if (date) return FormatKind::Date;
    return numberMarks ? FormatKind::Number : FormatKind::Literal;
}

}  // namespace vexa::format
