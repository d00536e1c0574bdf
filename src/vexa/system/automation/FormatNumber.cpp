// Numeric user formats: 0 and # placeholders, the decimal point, thousands separators and
// scaling, percent, exponents and literal text, with rounding half away from zero on the
// runtime's 15 significant digits.
#include <algorithm>
#include <cmath>

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

// The runtime's 15 significant digits of |x| (finite), and the power of ten of the first.
struct Significant {
    std::string digits;
    int exponent = 0;
};

Significant SignificantOf(double x) {
    const SignificantDigits significant(x, 15);
    return Significant{std::string(significant.Digits()), significant.Exponent()};
}

// The significant digits times 10^shift to `decimals` places, rounded half away from zero.
// Percent signs, thousands scaling and exponents move the point within the digits instead
// of multiplying the double, so no scale can overflow, underflow or add binary error.
// The integer part has no leading zeros ("" for zero); the fraction has `decimals` digits.
void DecimalParts(const Significant& value, int shift, int decimals, std::string& integer,
                  std::string& fraction) {
    std::string digits = value.digits;
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    int pointPosition = zero ? 1 : value.exponent + 1 + shift;

    const int keep = pointPosition + decimals;
    if (keep < 0) {
        digits.clear();
    } else if (keep < int(digits.size())) {
        const bool roundUp = digits[std::size_t(keep)] >= '5';
        digits.resize(std::size_t(keep));
        if (roundUp && !IncrementDigits(digits)) {
            digits.insert(digits.begin(), '1');
            ++pointPosition;
        }
    } else {
        digits.append(std::size_t(keep) - digits.size(), '0');
    }
    if (pointPosition > 0) {
        integer = digits.substr(0, std::min(digits.size(), std::size_t(pointPosition)));
        fraction = digits.substr(std::min(digits.size(), std::size_t(pointPosition)));
    } else {
        integer.clear();
        fraction = std::string(std::size_t(-pointPosition), '0') + digits;
    }
    fraction.resize(std::size_t(decimals), '0');
    const auto firstNonZero = integer.find_first_not_of('0');
    integer.erase(0, firstNonZero == std::string::npos ? integer.size() : firstNonZero);
}

struct Digits {
    std::string integer;   // padded to the minimum digit count
    std::string fraction;  // trimmed to what the placeholders show
    int exponent = 0;
};

Digits DigitsFor(double value, const NumberLayout& layout) {
    const Significant significant = SignificantOf(value);
    const int shift = 2 * layout.percents - 3 * layout.thousandsScaling;
    const int decimals = layout.fracPlaceholders;
    Digits d;
    if (layout.scientific && value != 0) {
        // Without integer placeholders the mantissa is all fraction: ".4711E+2".
        const int leading = layout.intPlaceholders;
        d.exponent = significant.exponent + shift - (leading - 1);
        DecimalParts(significant, shift - d.exponent, decimals, d.integer, d.fraction);
        if (int(d.integer.size()) > leading) {  // rounding reached the next power of ten
            ++d.exponent;
            DecimalParts(significant, shift - d.exponent, decimals, d.integer, d.fraction);
        }
    } else {
        DecimalParts(significant, shift, decimals, d.integer, d.fraction);
    }
    if (int(d.integer.size()) < layout.intZeros) {
        d.integer.insert(0, std::size_t(layout.intZeros) - d.integer.size(), '0');
    }
    while (int(d.fraction.size()) > layout.fracZeros && d.fraction.back() == '0') {
        d.fraction.pop_back();
    }
    return d;
}

class NumberWriter {
  public:
    NumberWriter(const NumberLayout& layout, const Digits& digits)
        : layout_(layout), digits_(digits) {}

    void IntegerPlaceholder() {
        const int length = int(digits_.integer.size());
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
            for (int i = 0; i < int(digits_.integer.size()); ++i) EmitIntegerDigit(i);
        }
        out_ += '.';
    }

    void FractionPlaceholder() {
        if (fractionIndex_ < int(digits_.fraction.size())) {
            out_ += digits_.fraction[std::size_t(fractionIndex_)];
        }
        ++fractionIndex_;
    }

    void Exponent(char e, char sign, int minimumDigits) {
        out_ += e;
        if (digits_.exponent < 0) {
            out_ += '-';
        } else if (sign == '+') {
            out_ += '+';
        }
        std::string text = std::to_string(std::abs(digits_.exponent));
        if (int(text.size()) < minimumDigits) {
            text.insert(0, std::size_t(minimumDigits) - text.size(), '0');
        }
        out_ += text;
    }

    void Literal(std::string_view text) { out_ += text; }
    void Literal(char c) { out_ += c; }
    std::string Result() && { return std::move(out_); }

  private:
    void EmitIntegerDigit(int index) {
        out_ += digits_.integer[std::size_t(index)];
        const int fromRight = int(digits_.integer.size()) - 1 - index;
        if (layout_.grouping && fromRight > 0 && fromRight % 3 == 0) out_ += ',';
    }

    const NumberLayout& layout_;
    const Digits& digits_;
    std::string out_;
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
    return d.integer.find_first_not_of('0') == std::string::npos &&
           d.fraction.find_first_not_of('0') == std::string::npos;
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
            exponentDone = true;
        } else {
            AddLiteral(std::string_view(&c, 1));
        }
    }
    layout_ = LayoutOf(section);
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
    // Placeholders have no digits for these; they read as the number's plain text.
    if (!std::isfinite(value)) return DoubleToText(value);
    const Digits digits = DigitsFor(value, layout_);
    NumberWriter writer(layout_, digits);
    if (withMinus && !AllZero(digits)) writer.Literal('-');
    for (const Item& item : items_) {
        switch (item.kind) {
            case Item::kLiteral:
                writer.Literal(
                    std::string_view(literals_).substr(item.begin, item.end - item.begin));
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
    return std::move(writer).Result();
}

std::string FormatNumberSection(double value, std::string_view section, bool withMinus) {
    return NumberSection(section).Format(value, withMinus);
}

}  // namespace vexa::format
