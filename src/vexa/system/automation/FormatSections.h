// Shared pieces of the Format engines: splitting a format into sections and walking its
// characters with quotes and escapes taken as literal text.
#pragma once

#include <cstdint>
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

// The placeholders of a numeric section.
struct NumberLayout {
    int intPlaceholders = 0;
    int intZeros = 0;  // integer digits always shown: from the leftmost 0 to the point
    int fracPlaceholders = 0;
    int fracZeros = 0;
    bool hasPoint = false;
    bool grouping = false;
    int thousandsScaling = 0;
    int percents = 0;
    bool scientific = false;
};

// A numeric section read once, to format any number of values with: the same text as
// FormatNumberSection gives, without reading the section again.
class NumberSection {
  public:
    explicit NumberSection(std::string_view section);
    bool Empty() const { return empty_; }
    std::string Format(double value, bool withMinus) const;

  private:
    struct Item {
        enum Kind : std::uint8_t { kLiteral, kInteger, kPoint, kFraction, kExponent } kind;
        char e = 0;               // an exponent's letter, as written
        char sign = 0;            // and the sign after it
        int minimumDigits = 0;    // and its 0 placeholders
        std::uint32_t begin = 0;  // a literal: its text in literals_
        std::uint32_t end = 0;
    };
    void AddLiteral(std::string_view text);
    std::string_view LiteralOf(const Item& item) const;
    // A plain section shows the digits in one run, at most between two literals ("$#,##0.00",
    // "0.0%"): its text is written straight from the rounded amount.
    static constexpr std::size_t kPlainLiteralRoom = 32;
    bool IsPlain() const;
    bool FormatPlain(double value, bool withMinus, std::string& text) const;
    void FormatAnySection(double value, bool withMinus, std::string& text) const;

    bool empty_ = false;
    bool plain_ = false;
    NumberLayout layout_;
    std::vector<Item> items_;
    std::string literals_;
    std::size_t exponentRoom_ = 0;  // what the exponent can add to the text
};

// User-format engines; each returns false when the value does not suit it.
std::string FormatNumberSection(double value, std::string_view section, bool withMinus);
std::string FormatDateSection(double serial, std::string_view section, int firstDayOfWeek,
                              int firstWeekOfYear);
std::string FormatTextSections(const std::string& text, std::string_view format);

// What a user format is made of.
enum class FormatKind { Number, Date, Text, Literal };
FormatKind ClassifyFormat(std::string_view format);

}  // namespace vexa::format
