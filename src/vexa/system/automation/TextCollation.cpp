#include "vexa/system/automation/TextCollation.h"

#include <unicode/coll.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <numeric>

namespace vexa {

namespace {

std::unique_ptr<icu::Collator> CreateCollator() {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(
        icu::Collator::createInstance(icu::Locale::getUS(), status));
    // Without collation data ICU still answers with its root collation; a null collator
    // would only come from running out of memory.
    if (!collator) throw std::bad_alloc();
    collator->setStrength(icu::Collator::SECONDARY);
    return collator;
}

// One collator per thread: comparing needs no locking then, whatever ICU promises about
// sharing one.
const icu::Collator& Collator() {
    thread_local const std::unique_ptr<icu::Collator> collator = CreateCollator();
    return *collator;
}

icu::StringPiece Piece(std::string_view text) {
    return icu::StringPiece(text.data(), std::int32_t(text.size()));
}

// The offset after the code point starting at `offset`.
std::size_t NextCodePoint(std::string_view text, std::size_t offset, UChar32& codePoint) {
    std::int32_t i = std::int32_t(offset);
    U8_NEXT(text.data(), i, std::int32_t(text.size()), codePoint);
    return std::size_t(i);
}

// A head of the text that ends here would split a character from its combining mark.
bool StartsWithCombiningMark(std::string_view text, std::size_t offset) {
    if (offset >= text.size()) return false;
    UChar32 codePoint = 0;
    NextCodePoint(text, offset, codePoint);
    return u_getCombiningClass(codePoint) != 0;
}

std::size_t CodePointCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t offset = 0; offset < text.size(); ++count) {
        UChar32 ignored = 0;
        offset = NextCodePoint(text, offset, ignored);
    }
    return count;
}

// The place of each ASCII character in the collation's order, 0 for the characters it
// ignores, asked of the collation itself so that the table cannot drift from it. ASCII has
// no contractions or expansions there, so texts of these characters compare as the
// sequences of their places.
std::array<std::uint8_t, 128> AsciiPlaces() {
    std::array<char, 128> characters{};
    std::iota(characters.begin(), characters.end(), char(0));
    auto text = [](const char& c) { return std::string_view(&c, 1); };
    std::stable_sort(characters.begin(), characters.end(), [&](const char& a, const char& b) {
        return CompareTextNoCase(text(a), text(b)) < 0;
    });
    std::array<std::uint8_t, 128> places{};
    std::uint8_t place = 0;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const char& c = characters[i];
        if (CompareTextNoCase(text(c), {}) == 0) continue;  // ignored: stays 0
        if (place == 0 || CompareTextNoCase(text(characters[i - 1]), text(c)) != 0) ++place;
        places[std::size_t(c)] = place;
    }
    return places;
}

}  // namespace

bool AppendAsciiNoCaseKey(std::string_view text, std::string& key) {
    static const std::array<std::uint8_t, 128> places = AsciiPlaces();
    if (!std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        return false;
    }
    for (const char c : text) {
        if (const std::uint8_t place = places[std::size_t(c)]) key.push_back(char(place));
    }
    return true;
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = Collator().compareUTF8(Piece(a), Piece(b), status);
    return result == UCOL_LESS ? -1 : result == UCOL_GREATER ? 1 : 0;
}

std::string TextNoCaseKey(std::string_view text) {
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(Piece(text));
    // Most keys fit the stack buffer; the string made from it then keeps short keys inline,
    // where a sort reads them without another cache miss.
    std::uint8_t buffer[256];
    const std::int32_t length = Collator().getSortKey(unicode, buffer, sizeof buffer);
    if (length <= std::int32_t(sizeof buffer)) {
        return std::string(reinterpret_cast<const char*>(buffer), std::size_t(length));
    }
    std::string key(std::size_t(length), '\0');
    Collator().getSortKey(unicode, reinterpret_cast<std::uint8_t*>(key.data()), length);
    return key;
}

bool TextStartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (prefix.empty()) return true;
    // A head that matches has about as many characters as the prefix: one letter may stand
    // for a few ("ß" for "ss", a ligature for "ffi"), never for more than four.
    const std::size_t longestHead = CodePointCount(prefix) * 4 + 4;
    std::size_t end = 0;
    for (std::size_t length = 1; end < text.size() && length <= longestHead; ++length) {
        UChar32 ignored = 0;
        end = NextCodePoint(text, end, ignored);
        if (StartsWithCombiningMark(text, end)) continue;
        // Longer heads never sort before shorter ones: once past the prefix, stop.
        const int sign = CompareTextNoCase(text.substr(0, end), prefix);
        if (sign == 0) return true;
        if (sign > 0) return false;
    }
    return false;
}

}  // namespace vexa
