// Reading typed literals back (the writer is in PropertyLiteral.cpp). A recursive-descent
// parser over one line; any flaw makes the whole literal unreadable rather than half-read.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <span>

#include "vexa/system/automation/Base64.h"
#include "vexa/system/automation/DateTime.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/automation/Picture.h"
#include "vexa/system/automation/PropertyLiteral.h"

namespace vexa {

namespace {

// Literals are ASCII; the C library's classification would follow its locale.
bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char LowerAscii(char c) {
    return IsAsciiLetter(c) ? char(c | 0x20) : c;
}

struct ParseFailure {};

[[noreturn]] void Fail() {
    throw ParseFailure{};
}

bool SameWord(std::string_view a, std::string_view b) {
    return MemberIs(a, b);
}

class LiteralParser {
  public:
    explicit LiteralParser(std::string_view text) : text_(text) {}

    Variant ParseWhole() {
        Variant value = ParseValue(0);
        SkipSpaces();
        if (!AtEnd()) Fail();  // trailing junk
        return value;
    }

  private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    void SkipSpaces() {
        while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }

    void Expect(char c) {
        SkipSpaces();
        if (Peek() != c) Fail();
        ++pos_;
    }

    bool Accept(char c) {
        SkipSpaces();
        if (Peek() != c) return false;
        ++pos_;
        return true;
    }

    std::string_view Identifier() {
        const std::size_t start = pos_;
        while (!AtEnd() &&
               (IsAsciiLetter(text_[pos_]) || IsAsciiDigit(text_[pos_]) || text_[pos_] == '_')) {
            ++pos_;
        }
        if (pos_ == start) Fail();
        return text_.substr(start, pos_ - start);
    }

    Variant ParseValue(int depth) {
        if (depth > kMaxLiteralNesting) Fail();
        SkipSpaces();
        const char c = Peek();
        if (c == '"') return Variant(ParseStringExpression());
        if (c == '#') return ParseDate();
        if (c == '-' || c == '.' || IsAsciiDigit(c)) {
            return ParseNumber();
        }
        if (IsAsciiLetter(c)) return ParseWord(depth);
        Fail();
    }

    Variant ParseWord(int depth) {
        const std::size_t start = pos_;
        const std::string_view word = Identifier();
        if (SameWord(word, "Empty")) return Variant();
        if (SameWord(word, "Null")) return Variant::Null();
        if (SameWord(word, "Nothing")) return Variant::Nothing();
        if (SameWord(word, "True")) return Variant(true);
        if (SameWord(word, "False")) return Variant(false);
        if (SameWord(word, "Chr") || SameWord(word, "ChrB")) {
            pos_ = start;
            return Variant(ParseStringExpression());
        }
        if (SameWord(word, "CByte")) return Variant(std::uint8_t(ParseIntegerCall(0, 255)));
        if (SameWord(word, "CVErr")) {
            return Variant::ErrorValue(std::int32_t(ParseIntegerCall(INT32_MIN, INT32_MAX)));
        }
        if (SameWord(word, "CDate")) return Variant::Date(ParseFloatCall<double>());
        if (SameWord(word, "CDbl")) return Variant(ParseFloatCall<double>());
        if (SameWord(word, "CSng")) return Variant(ParseFloatCall<float>());
        if (SameWord(word, "CDec")) return ParseDecimal();
        if (SameWord(word, "Array")) return ParseArray(depth);
        if (SameWord(word, "Font")) return ParseFont(depth);
        if (SameWord(word, "Picture")) return ParsePicture();
        Fail();  // a type this reader does not know
    }

    // ---- strings ----

    std::string ParseStringExpression() {
        std::string out;
        do {
            SkipSpaces();
            if (Peek() == '"') {
                AppendQuoted(out);
            } else {
                AppendCharacterCall(out);
            }
        } while (Accept('&'));
        return out;
    }

    void AppendQuoted(std::string& out) {
        ++pos_;  // opening quote
        for (;;) {
            const std::size_t close = text_.find('"', pos_);
            if (close == std::string_view::npos) Fail();  // unterminated
            out.append(text_.substr(pos_, close - pos_));
            pos_ = close + 1;
            if (Peek() != '"') return;
            out += '"';  // a doubled quote stands for one
            ++pos_;
        }
    }

    void AppendCharacterCall(std::string& out) {
        const std::string_view word = Identifier();
        if (SameWord(word, "ChrB")) {
            out += char(ParseIntegerCall(0, 255));
        } else if (SameWord(word, "Chr")) {
            const auto code = std::uint32_t(ParseIntegerCall(0, 0x10FFFF));
            if (code >= 0xD800 && code <= 0xDFFF) Fail();
            AppendCodePoint(out, code);
        } else {
            Fail();
        }
    }

    static void AppendCodePoint(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }

    // ---- numbers ----

    struct NumberToken {
        std::string_view text;
        bool integral = true;
    };

    NumberToken ScanNumber() {
        SkipSpaces();
        const std::size_t start = pos_;
        bool digits = false, integral = true;
        if (Peek() == '-') ++pos_;
        while (!AtEnd() && (IsAsciiDigit(Peek()) || Peek() == '.')) {
            if (Peek() == '.') integral = false;
            digits = digits || Peek() != '.';
            ++pos_;
        }
        if (!digits) Fail();
        if (Peek() == 'e' || Peek() == 'E') {
            integral = false;
            ++pos_;
            if (Peek() == '+' || Peek() == '-') ++pos_;
            if (!IsAsciiDigit(Peek())) Fail();
            while (IsAsciiDigit(Peek())) ++pos_;
        }
        return {text_.substr(start, pos_ - start), integral};
    }

    template <class Number>
    static Number Convert(std::string_view text) {
        // from_chars takes no leading '+' and no lone '.', both excluded by ScanNumber.
        Number value{};
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec != std::errc() || result.ptr != text.data() + text.size()) Fail();
        return value;
    }

    Variant ParseNumber() {
        const NumberToken token = ScanNumber();
        const char suffix = Peek();
        switch (suffix) {
            case '%':
                ++pos_;
                return Variant(RequireIntegral<std::int16_t>(token));
            case '&':
                ++pos_;
                return Variant(RequireIntegral<std::int32_t>(token));
            case '!':
                ++pos_;
                return Variant(Finite(Convert<float>(token.text)));
            case '#':
                ++pos_;
                return Variant(Finite(Convert<double>(token.text)));
            case '@':
                ++pos_;
                return Variant::Currency(ParseCurrency(token.text));
            default:
                return UnsuffixedNumber(token);
        }
    }

    template <class Number>
    static Number Finite(Number value) {
        if (!std::isfinite(value)) Fail();  // out of range; infinities are written by name
        return value;
    }

    template <class Integer>
    static Integer RequireIntegral(const NumberToken& token) {
        if (!token.integral) Fail();
        return Convert<Integer>(token.text);
    }

    // As the classic source language types a literal without a suffix: the narrowest
    // integer that holds it, otherwise a Double.
    static Variant UnsuffixedNumber(const NumberToken& token) {
        std::int32_t wide = 0;
        const char* end = token.text.data() + token.text.size();
        const auto result = std::from_chars(token.text.data(), end, wide);
        if (token.integral && result.ec == std::errc() && result.ptr == end) {
            if (wide >= INT16_MIN && wide <= INT16_MAX) return Variant(std::int16_t(wide));
            return Variant(wide);
        }
        return Variant(Finite(Convert<double>(token.text)));
    }

    // Exact: "-12.3456" -> -123456, at most four decimals.
    static std::int64_t ParseCurrency(std::string_view text) {
        const bool negative = !text.empty() && text.front() == '-';
        if (negative) text.remove_prefix(1);
        if (text.find_first_of("eE") != std::string_view::npos) Fail();
        const std::size_t point = text.find('.');
        const std::string_view whole = text.substr(0, point);
        std::string_view fraction =
            point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
        if (fraction.size() > 4 || fraction.find('.') != std::string_view::npos) Fail();
        __int128 scaled = 0;
        for (char c : whole) {
            scaled = scaled * 10 + (c - '0');
            if (scaled > (__int128(1) << 63)) Fail();
        }
        for (std::size_t i = 0; i < 4; ++i) {
            scaled = scaled * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
        }
        if (negative) scaled = -scaled;
        if (scaled < INT64_MIN || scaled > INT64_MAX) Fail();
        return std::int64_t(scaled);
    }

    long long ParseIntegerCall(long long minimum, long long maximum) {
        Expect('(');
        const NumberToken token = ScanNumber();
        if (!token.integral) Fail();
        const auto value = Convert<long long>(token.text);
        if (value < minimum || value > maximum) Fail();
        Expect(')');
        return value;
    }

    // CDbl(1.5), CDbl("NaN"), CDbl("Infinity"), CDbl("-Infinity").
    template <class Number>
    Number ParseFloatCall() {
        Expect('(');
        SkipSpaces();
        Number value{};
        if (Peek() == '"') {
            const std::string name = ParseStringExpression();
            if (name == "NaN") {
                value = std::numeric_limits<Number>::quiet_NaN();
            } else if (name == "Infinity" || name == "-Infinity") {
                value = std::numeric_limits<Number>::infinity();
                if (name.front() == '-') value = -value;
            } else {
                value = Finite(Convert<Number>(name));
            }
        } else {
            value = Finite(Convert<Number>(ScanNumber().text));
        }
        Expect(')');
        return value;
    }

    Variant ParseDecimal() {
        Expect('(');
        SkipSpaces();
        if (Peek() != '"') Fail();
        const std::string digits = ParseStringExpression();
        Expect(')');
        return Variant::Decimal(digits);  // raises on bad digits; reported as unreadable
    }

    // ---- dates ----

    Variant ParseDate() {
        ++pos_;  // opening '#'
        const std::size_t close = text_.find('#', pos_);
        if (close == std::string_view::npos) Fail();
        const std::optional<double> serial = ParseDateTime(text_.substr(pos_, close - pos_));
        if (!serial) Fail();
        pos_ = close + 1;
        return Variant::Date(*serial);
    }

    // ---- compound values ----

    Variant ParseArray(int depth) {
        Expect('(');
        std::vector<Variant> items;
        if (!Accept(')')) {
            do {
                items.push_back(ParseValue(depth + 1));
            } while (Accept(','));
            Expect(')');
        }
        return Variant(std::move(items));
    }

    // Attributes are applied in a fixed order whatever the order in the text, so that an
    // explicit Weight refines Bold. Unknown attributes are ignored, which lets a newer
    // file with more attributes still load its font.
    Variant ParseFont(int depth) {
        Expect('{');
        std::map<std::string, Variant> given;
        if (!Accept('}')) {
            do {
                SkipSpaces();
                std::string key(Identifier());
                for (char& c : key) c = LowerAscii(c);
                Expect('=');
                given[key] = ParseValue(depth + 1);
            } while (Accept(','));
            Expect('}');
        }
        auto font = Font::Create();
        for (const char* name : {"name", "size", "bold", "weight", "italic", "underline",
                                 "strikethrough", "charset"}) {
            const auto found = given.find(name);
            if (found == given.end()) continue;
            font->Invoke(name, std::span<const Variant>(&found->second, 1),
                         InvokeKind::PropertyPut);
        }
        return Variant(font);
    }

    Variant ParsePicture() {
        Expect('{');
        const std::size_t close = text_.find('}', pos_);
        if (close == std::string_view::npos) Fail();
        const auto bytes = Base64Decode(text_.substr(pos_, close - pos_));
        if (!bytes) Fail();
        pos_ = close + 1;
        return Variant(Picture::FromPngBytes(*bytes));
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::optional<Variant> ParsePropertyLiteral(std::string_view text) {
    try {
        return LiteralParser(text).ParseWhole();
    } catch (const ParseFailure&) {
        return std::nullopt;
    } catch (const Error&) {  // a value the object refused (font size, picture data...)
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace vexa
