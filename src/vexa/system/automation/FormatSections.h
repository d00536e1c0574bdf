// Shared pieces of the Format engines: splitting a format into sections and walking its
// characters with quotes and escapes taken as literal text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vexa::format {

// Splits at ';' outside "quoted" text and \ escapes.
std::vector<std::string_view> SplitSections(std::string_view format);

// Walks a section one item at a time: a literal run (from quotes or an escape) or a
// single format character.
class FormatScanner {
  public:
    explicit FormatScanner(std::string_view section) : text_(section) {}
    bool AtEnd() const { return position_ >= text_.size(); }
    // Reads the next item; returns true when it is literal text (in `literal`), false when
    // it is a format character (in `character`).
    bool Next(std::string& literal, char& character);
    // The unread rest of the section.
    std::string_view Rest() const { return text_.substr(position_); }
    void Skip(std::size_t count) { position_ += count; }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// ASCII case only: format characters are ASCII, and the C locale must not change them.
char LowerAscii(char c);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// User-format engines; each returns false when the value does not suit it.
std::string FormatNumberSection(double value, std::string_view section, bool withMinus);
std::string FormatDateSection(double serial, std::string_view section, int firstDayOfWeek,
                              int firstWeekOfYear);
std::string FormatTextSections(const std::string& text, std::string_view format);

// What a user format is made of.
enum class FormatKind { Number, Date, Text, Literal };
FormatKind ClassifyFormat(std::string_view format);

}  // namespace vexa::format
