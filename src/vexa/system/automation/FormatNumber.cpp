// Numeric user formats: 0 and # placeholders, the decimal point, thousands separators and
// scaling, percent, exponents and literal text, with rounding half away from zero on the
// runtime's 15 significant digits.
#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "vexa/system/automation/FormatSections.h"
#include "vexa/system/automation/SignificantDigits.h"
#include "vexa/system/automation/Variant.h"

namespace vexa::format {

namespace {

bool IsExponentAt(std::string_view rest, char c) {
    return (c == 'E' || c == 'e') && !rest.empty() && (rest[0] == '+' || rest[0] == '-');
}

NumberLayout LayoutOf(std::string_view section) {
    NumberLayout layout;
    int pendingCommas = 0;  // commas after the last integer placeholder so far
    int firstIntZero = -1;  // integer placeholder index of the leftmost 0
    FormatScanner scanner(section);
    std::string literal;
    char c = 0;
    while (!scanner.AtEnd()) {
        if (scanner.Next(literal, c)) continue;
        // Past the exponent only a percent sign still counts: it scales the whole number.
        if (layout.scientific && c != '%') continue;
        if (c == '0' || c == '#') {
            if (layout.hasPoint) {
                ++layout.fracPlaceholders;
                if (c == '0') layout.fracZeros = layout.fracPlaceholders;
            } else {
                if (pendingCommas > 0 && layout.intPlaceholders > 0) layout.grouping = true;
                pendingCommas = 0;
                if (c == '0' && firstIntZero < 0) firstIntZero = layout.intPlaceholders;
                ++layout.intPlaceholders;
            }
        } else if (c == '.' && !layout.hasPoint) {
            layout.hasPoint = true;
            layout.thousandsScaling += pendingCommas;
            pendingCommas = 0;
        } else if (c == ',' && !layout.hasPoint) {
            ++pendingCommas;
        } else if (c == '%') {
            ++layout.percents;
        } else if (IsExponentAt(scanner.Rest(), c)) {
            layout.scientific = true;
        }
    }
    if (!layout.hasPoint && layout.intPlaceholders > 0) layout.thousandsScaling += pendingCommas;
    // A 0 holds its digit position, so the # placeholders between it and the point do too.
    if (firstIntZero >= 0) layout.intZeros = layout.intPlaceholders - firstIntZero;
    return layout;
}

// Adds one unit in the last place of a digit string; returns false when it carried out
// of the leftmost digit (the caller prefixes a 1).
bool IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return true;
        }
        *it = '0';
    }
    return false;
}

// The digits the placeholders show, in one buffer: the integer part (without leading
// zeros, then padded to the minimum digit count) followed by the fraction.
struct Digits {
    Digits() = default;
    Digits(const Digits&) = delete;  // `all` points into the object itself
    Digits& operator=(const Digits&) = delete;

    std::string text;      // where the general path builds them
    char fixed[48];        // where amounts in 64 bits are written
    std::string_view all;  // the digits, in one of the two
    std::size_t integerLength = 0;
    int exponent = 0;

    std::string_view Integer() const { return all.substr(0, integerLength); }
    std::string_view Fraction() const { return all.substr(integerLength); }
};

// The significant digits times 10^shift to `decimals` places, rounded half away from zero.
// Percent signs, thousands scaling and exponents move the point within the digits instead
// of multiplying the double, so no scale can overflow, underflow or add binary error.
void DecimalParts(const SignificantDigits& value, int shift, int decimals, Digits& d) {
    const std::string_view significant = value.Digits();
    int pointPosition = value.IsZero() ? 1 : value.Exponent() + 1 + shift;
    std::string& digits = d.text;
    digits.clear();
    const int keep = pointPosition + decimals;
    if (keep >= 0) {
        const std::size_t kept = std::min(significant.size(), std::size_t(keep));
        digits.append(significant.substr(0, kept));
        const bool roundUp = kept < significant.size() && significant[kept] >= '5';
        if (roundUp && !IncrementDigits(digits)) {
            digits.insert(digits.begin(), '1');
            ++pointPosition;
        }
        if (digits.size() < std::size_t(keep))
            digits.append(std::size_t(keep) - digits.size(), '0');
    }
    if (pointPosition > 0) {
        d.integerLength = std::min(digits.size(), std::size_t(pointPosition));
    } else {
        d.integerLength = 0;
        digits.insert(0, std::size_t(-pointPosition), '0');
    }
    digits.resize(d.integerLength + std::size_t(decimals), '0');
    std::size_t leadingZeros = 0;
    while (leadingZeros < d.integerLength && digits[leadingZeros] == '0') ++leadingZeros;
    digits.erase(0, leadingZeros);
    d.integerLength -= leadingZeros;
}

constexpr std::array<std::uint64_t, 20> TensUpTo19() {
    std::array<std::uint64_t, 20> tens{};
    std::uint64_t ten = 1;
    for (std::uint64_t& entry : tens) {
        entry = ten;
        ten *= 10;
    }
    return tens;
}
constexpr std::array<std::uint64_t, 20> kTens = TensUpTo19();

// The value in units of the last place `layout` shows, rounded half away from zero on the
// fifteen significant digits as DecimalParts rounds them, worked out as one integer: the
// amounts grids show fit in 64 bits. False when they do not.
bool FixedUnits(double value, int shift, const NumberLayout& layout, std::uint64_t& units) {
    constexpr int kPrecision = 15;
    const int decimals = layout.fracPlaceholders;
    if (decimals > 18 || layout.intZeros > 20) return false;
    units = 0;
    if (value == 0) return true;
    std::uint64_t digits = 0;
    int exponent = 0;
    if (!SignificantDigits::Scaled(std::fabs(value), kPrecision, digits, exponent)) return false;
    const int kept = exponent + 1 + shift + decimals;
    if (kept > 19) return false;
    if (kept >= kPrecision) {
        units = digits * kTens[std::size_t(kept - kPrecision)];
    } else if (kept >= 0) {
        const std::uint64_t dropped = kTens[std::size_t(kPrecision - kept)];
        units = digits / dropped + (digits % dropped >= dropped / 2 ? 1 : 0);
    }
    return true;
}

int ShiftOf(const NumberLayout& layout) {
    return 2 * layout.percents - 3 * layout.thousandsScaling;
}

// What DecimalParts gives, from FixedUnits. False when the amount does not fit.
bool FixedDigits(double value, int shift, const NumberLayout& layout, Digits& d) {
    std::uint64_t units = 0;
    if (!FixedUnits(value, shift, layout, units)) return false;
    const int decimals = layout.fracPlaceholders;
    const std::uint64_t integer = units / kTens[std::size_t(decimals)];
    std::uint64_t fraction = units % kTens[std::size_t(decimals)];
    // The integer part padded to the digits the placeholders always show, then the fraction
    // to `decimals` places (zeros first) less the trailing zeros no placeholder demands.
    char* const text = d.fixed;
    char integerText[20];
    const int integerDigits =
        integer > 0 ? int(std::to_chars(integerText, integerText + 20, integer).ptr - integerText)
                    : 0;
    char* end = std::fill_n(text, std::max(layout.intZeros - integerDigits, 0), '0');
    end = std::copy_n(integerText, integerDigits, end);
    d.integerLength = std::size_t(end - text);
    char* fractionEnd = std::fill_n(end, decimals, '0');
    for (char* digit = fractionEnd; fraction > 0; fraction /= 10) {
        *--digit = char('0' + fraction % 10);
    }
    while (fractionEnd - end > layout.fracZeros && fractionEnd[-1] == '0') --fractionEnd;
    d.all = std::string_view(text, std::size_t(fractionEnd - text));
    return true;
}

void DigitsFor(double value, const NumberLayout& layout, Digits& d) {
    const int shift = ShiftOf(layout);
    const int decimals = layout.fracPlaceholders;
    if (!layout.scientific && FixedDigits(value, shift, layout, d)) return;
    if (layout.scientific && value != 0) {
        const SignificantDigits significant(value, 15);
        // Without integer placeholders the mantissa is all fraction: ".4711E+2".
        const int leading = layout.intPlaceholders;
        d.exponent = significant.Exponent() + shift - (leading - 1);
        DecimalParts(significant, shift - d.exponent, decimals, d);
        if (int(d.integerLength) > leading) {  // rounding reached the next power of ten
            ++d.exponent;
            DecimalParts(significant, shift - d.exponent, decimals, d);
        }
    } else {
        DecimalParts(SignificantDigits(value, 15), shift, decimals, d);
    }
    if (int(d.integerLength) < layout.intZeros) {
        const std::size_t padding = std::size_t(layout.intZeros) - d.integerLength;
        d.text.insert(0, padding, '0');
        d.integerLength += padding;
    }
    std::size_t fractionLength = d.text.size() - d.integerLength;
    while (int(fractionLength) > layout.fracZeros && d.text.back() == '0') {
        d.text.pop_back();
        --fractionLength;
    }
    d.all = d.text;
}

class NumberWriter {
  public:
    // `room` bounds what the section's literals and exponent add to the digits.
    NumberWriter(const NumberLayout& layout, const Digits& digits, std::size_t room,
                 std::string& out)
        : layout_(layout),
          digits_(digits),
          integer_(digits.Integer()),
          fraction_(digits.Fraction()),
          out_(out) {
        // A sign, each integer digit with a separator, a point and the fraction: short texts
        // are written on the stack and copied out once, longer ones in place.
        bound_ = 1 + 2 * integer_.size() + 1 + fraction_.size() + room;
        if (bound_ > sizeof buffer_) {
            out_.resize(bound_);
            begin_ = out_.data();
        } else {
            begin_ = buffer_;
        }
        end_ = begin_;
    }

    void Finish() {
        const auto length = std::size_t(end_ - begin_);
        assert(length <= bound_);
        if (begin_ == buffer_) {
            out_.assign(buffer_, length);
        } else {
            out_.resize(length);
        }
    }

    void IntegerPlaceholder() {
        const int length = int(integer_.size());
        if (placeholder_ == 0) {
            for (int i = 0; i < length - layout_.intPlaceholders; ++i) EmitIntegerDigit(i);
        }
        const int fromRight = layout_.intPlaceholders - 1 - placeholder_;
        if (fromRight < length) EmitIntegerDigit(length - 1 - fromRight);
        ++placeholder_;
    }

    // A format without integer placeholders (".00") still shows the integer digits.
    void Point() {
        if (layout_.intPlaceholders == 0) {
            for (int i = 0; i < int(integer_.size()); ++i) EmitIntegerDigit(i);
        }
        *end_++ = '.';
    }

    void FractionPlaceholder() {
        if (fractionIndex_ < int(fraction_.size())) {
            *end_++ = fraction_[std::size_t(fractionIndex_)];
        }
        ++fractionIndex_;
    }

    void Exponent(char e, char sign, int minimumDigits) {
        *end_++ = e;
        if (digits_.exponent < 0) {
            *end_++ = '-';
        } else if (sign == '+') {
            *end_++ = '+';
        }
        char text[16];
        const int length =
            int(std::to_chars(text, text + sizeof text, std::abs(digits_.exponent)).ptr - text);
        if (length < minimumDigits) end_ = std::fill_n(end_, minimumDigits - length, '0');
        end_ = std::copy_n(text, length, end_);
    }

    void Literal(std::string_view text) { end_ = std::copy(text.begin(), text.end(), end_); }
    void Literal(char c) { *end_++ = c; }

  private:
    void EmitIntegerDigit(int index) {
        *end_++ = integer_[std::size_t(index)];
        const int fromRight = int(integer_.size()) - 1 - index;
        if (layout_.grouping && fromRight > 0 && fromRight % 3 == 0) *end_++ = ',';
    }

    const NumberLayout& layout_;
    const Digits& digits_;
    std::string_view integer_;
    std::string_view fraction_;
    std::string& out_;
    char buffer_[64];
    std::size_t bound_ = 0;  // what the text can take at most
    char* begin_ = nullptr;  // the buffer or the string
    char* end_ = nullptr;
    int placeholder_ = 0;
    int fractionIndex_ = 0;
};

// Reads the exponent placeholders after "E+" / "E-" and returns how many digits they
// demand at least.
int ReadExponentDigits(FormatScanner& scanner) {
    int zeros = 0;
    std::string_view rest = scanner.Rest();
    std::size_t count = 0;
    while (count < rest.size() && (rest[count] == '0' || rest[count] == '#')) {
        if (rest[count] == '0') ++zeros;
        ++count;
    }
    scanner.Skip(count);
    return zeros;
}

bool AllZero(const Digits& d) {
    return d.all.find_first_not_of('0') == std::string_view::npos;
}

// Writes `integer` right to left ending at `end`, padded with zeros to `minimumDigits` and
// grouped by thousands when `grouping`; returns where it starts.
char* WriteIntegerBackwards(std::uint64_t integer, int minimumDigits, bool grouping, char* end) {
    int written = 0;
    while (integer > 0 || written < minimumDigits) {
        if (grouping && written > 0 && written % 3 == 0) *--end = ',';
        *--end = char('0' + integer % 10);
        integer /= 10;
        ++written;
    }
    return end;
}

// Writes the last `decimals` digits of `units` from `begin`, less the trailing zeros past
// `minimumDigits`, and leaves the digits before them in `units`; returns where they end.
char* WriteFractionOf(std::uint64_t& units, int decimals, int minimumDigits, char* begin) {
    for (int i = decimals - 1; i >= 0; --i) {
        begin[i] = char('0' + units % 10);
        units /= 10;
    }
    int length = decimals;
    while (length > minimumDigits && begin[length - 1] == '0') --length;
    return begin + length;
}

}  // namespace

NumberSection::NumberSection(std::string_view section) : empty_(section.empty()) {
    // The walk the writer would make, done once: what each format character stands for does
    // not depend on the number.
    FormatScanner scanner(section);
    std::string literal;
    char c = 0;
    bool afterPoint = false, exponentDone = false;
    while (!scanner.AtEnd()) {
        if (scanner.Next(literal, c)) {
            AddLiteral(literal);
        } else if ((c == '0' || c == '#') && !exponentDone) {
            items_.push_back({afterPoint ? Item::kFraction : Item::kInteger});
        } else if (c == '.' && !afterPoint && !exponentDone) {
            afterPoint = true;
            items_.push_back({Item::kPoint});
        } else if (c == ',' && !exponentDone) {
            continue;
        } else if (!exponentDone && IsExponentAt(scanner.Rest(), c)) {
            const char sign = scanner.Rest()[0];
            scanner.Skip(1);
            const int minimumDigits = ReadExponentDigits(scanner);
            items_.push_back({Item::kExponent, c, sign, minimumDigits});
            // The letter, a sign and the digits of any int.
            exponentRoom_ = 2 + std::size_t(std::max(minimumDigits, 11));
            exponentDone = true;
        } else {
            AddLiteral(std::string_view(&c, 1));
        }
    }
    layout_ = LayoutOf(section);
    plain_ = IsPlain();
}

bool NumberSection::IsPlain() const {
    // Literal? Integer* (Point Fraction*)? Literal?, with a digit position to show.
    std::size_t i = 0;
    const auto skip = [&](Item::Kind kind) {
        while (i < items_.size() && items_[i].kind == kind) ++i;
    };
    if (i < items_.size() && items_[i].kind == Item::kLiteral) ++i;
    const std::size_t integerBegin = i;
    skip(Item::kInteger);
    const bool integers = i > integerBegin;
    bool point = false;
    if (i < items_.size() && items_[i].kind == Item::kPoint) {
        point = true;
        ++i;
        skip(Item::kFraction);
    }
    if (i < items_.size() && items_[i].kind == Item::kLiteral) ++i;
    return i == items_.size() && (integers || point) && literals_.size() <= kPlainLiteralRoom;
}

bool NumberSection::FormatPlain(double value, bool withMinus, std::string& text) const {
    std::uint64_t units = 0;
    if (!FixedUnits(value, ShiftOf(layout_), layout_, units)) return false;
    std::string_view prefix, suffix;
    if (!items_.empty() && items_.front().kind == Item::kLiteral)
        prefix = LiteralOf(items_.front());
    if (items_.size() > 1 && items_.back().kind == Item::kLiteral)
        suffix = LiteralOf(items_.back());
    // Before the point: a sign, a literal, 20 digits with 6 separators; from it: the point,
    // 18 decimals, a literal.
    constexpr std::size_t kBeforePoint = 1 + kPlainLiteralRoom + 26;
    char buffer[kBeforePoint + 1 + 18 + kPlainLiteralRoom];
    char* const point = buffer + kBeforePoint;
    const bool negative = withMinus && units != 0;
    // The fraction first: what it leaves of the amount is the integer part.
    char* end = point;
    if (layout_.hasPoint) {
        *end++ = '.';
        end = WriteFractionOf(units, layout_.fracPlaceholders, layout_.fracZeros, end);
    }
    end = std::copy(suffix.begin(), suffix.end(), end);
    char* begin = WriteIntegerBackwards(units, layout_.intZeros, layout_.grouping, point);
    begin = std::copy_backward(prefix.begin(), prefix.end(), begin);
    if (negative) *--begin = '-';
    text.assign(begin, end);
    return true;
}

std::string_view NumberSection::LiteralOf(const Item& item) const {
    return std::string_view(literals_).substr(item.begin, item.end - item.begin);
}

void NumberSection::AddLiteral(std::string_view text) {
    // Adjacent literals are written as one.
    if (!items_.empty() && items_.back().kind == Item::kLiteral &&
        items_.back().end == literals_.size()) {
        literals_ += text;
        items_.back().end = std::uint32_t(literals_.size());
        return;
    }
    Item item{Item::kLiteral};
    item.begin = std::uint32_t(literals_.size());
    literals_ += text;
    item.end = std::uint32_t(literals_.size());
    items_.push_back(item);
}

std::string NumberSection::Format(double value, bool withMinus) const {
    std::string text;  // the one text every path writes, returned in place
    if (!std::isfinite(value)) {
        // Placeholders have no digits for these; they read as the number's plain text.
        text = DoubleToText(value);
    } else if (!plain_ || !FormatPlain(value, withMinus, text)) {
        FormatAnySection(value, withMinus, text);
    }
    return text;
}

void NumberSection::FormatAnySection(double value, bool withMinus, std::string& text) const {
    Digits digits;
    DigitsFor(value, layout_, digits);
    NumberWriter writer(layout_, digits, literals_.size() + exponentRoom_, text);
    if (withMinus && !AllZero(digits)) writer.Literal('-');
    for (const Item& item : items_) {
        switch (item.kind) {
            case Item::kLiteral:
                writer.Literal(LiteralOf(item));
                break;
            case Item::kInteger:
                writer.IntegerPlaceholder();
                break;
            case Item::kPoint:
                writer.Point();
                break;
            case Item::kFraction:
                writer.FractionPlaceholder();
                break;
            case Item::kExponent:
                writer.Exponent(item.e, item.sign, item.minimumDigits);
                break;
        }
    }
    writer.Finish();
}

std::string FormatNumberSection(double value, std::string_view section, bool withMinus) {
    return NumberSection(section).Format(value, withMinus);
}

}  // namespace vexa::format
