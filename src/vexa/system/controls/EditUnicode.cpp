#include "vexa/system/controls/EditUnicode.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>

#include <algorithm>

namespace vexa::sys::edit_text {

namespace {


int GraphemeBreakOf(char32_t c) {
    return u_getIntPropertyValue(UChar32(c), UCHAR_GRAPHEME_CLUSTER_BREAK);
}

bool IsPictographic(char32_t c) {
    return u_hasBinaryProperty(UChar32(c), UCHAR_EXTENDED_PICTOGRAPHIC);
}

// Hangul syllables stay together: L before L, V, LV, LVT; LV or V before V, T; LVT or T
// before T.
bool JoinsHangul(int before, int after) {
    switch (before) {
        case U_GCB_L:
            return after == U_GCB_L || after == U_GCB_V || after == U_GCB_LV || after == U_GCB_LVT;
        case U_GCB_LV:
        case U_GCB_V:
            return after == U_GCB_V || after == U_GCB_T;
        case U_GCB_LVT:
        case U_GCB_T:
            return after == U_GCB_T;
        default:
            return false;
    }
}

// Flags are pairs of regional indicators: a stop falls after an even number of them.
bool InsideFlag(std::u32string_view text, std::size_t position) {
    std::size_t run = 0;
    while (run < position && GraphemeBreakOf(text[position - 1 - run]) == U_GCB_REGIONAL_INDICATOR)
        ++run;
    return run % 2 == 1;
}

bool IsControlBreak(int gcb) {
    return gcb == U_GCB_CONTROL || gcb == U_GCB_CR || gcb == U_GCB_LF;
}

}  // namespace

std::u32string MapCase(std::u32string_view text, CaseMapping mapping) {
    if (mapping == CaseMapping::None || text.empty()) return std::u32string(text);
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF32(
        reinterpret_cast<const UChar32*>(text.data()), int32_t(text.size()));
    if (mapping == CaseMapping::Upper) {
        unicode.toUpper(icu::Locale::getRoot());
    } else {
        unicode.toLower(icu::Locale::getRoot());
    }
    std::u32string out(std::size_t(unicode.countChar32()), U'\0');
    UErrorCode status = U_ZERO_ERROR;
    unicode.toUTF32(reinterpret_cast<UChar32*>(out.data()), int32_t(out.size()), status);
    return U_SUCCESS(status) ? out : std::u32string(text);
}

bool IsLineBreak(char32_t c) {
    return c == U'\r' || c == U'\n';
}

int LineBreakLengthAt(std::u32string_view text, std::size_t position) {
    if (position >= text.size() || !IsLineBreak(text[position])) return 0;
    const bool crlf =
        text[position] == U'\r' && position + 1 < text.size() && text[position + 1] == U'\n';
    return crlf ? 2 : 1;
}

CharClass ClassOf(char32_t c) {
    if (IsLineBreak(c)) return CharClass::Break;
    if (c < 0x80) {  // the common case, without asking ICU
        if (c == U' ' || c == U'\t' || (c >= 0x0B && c <= 0x0C)) return CharClass::Space;
        const bool alnum = (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') ||
                           (c >= U'A' && c <= U'Z') || c == U'_';
        return alnum ? CharClass::Word : CharClass::Other;
    }
    const UChar32 u = UChar32(c);
    if (c == U'\t' || u_isUWhiteSpace(u)) return CharClass::Space;
    UErrorCode status = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(u, &status);
    if (u_hasBinaryProperty(u, UCHAR_IDEOGRAPHIC) || script == USCRIPT_HIRAGANA ||
        script == USCRIPT_KATAKANA) {
        return CharClass::Ideograph;
    }
    const std::int32_t category = u_charType(u);
    const bool mark = category == U_NON_SPACING_MARK || category == U_COMBINING_SPACING_MARK ||
                      category == U_ENCLOSING_MARK;
    if (u_isalnum(u) || mark || c == U'_') return CharClass::Word;
    return CharClass::Other;
}

bool IsCaretStop(std::u32string_view text, std::size_t position) {
    if (position == 0 || position >= text.size()) return true;
    const char32_t before = text[position - 1];
    const char32_t after = text[position];
    if (before == U'\r' && after == U'\n') return false;
    if (before < 0x80 && after < 0x80) return true;
    const int gcbBefore = GraphemeBreakOf(before);
    const int gcbAfter = GraphemeBreakOf(after);
    if (IsControlBreak(gcbBefore) || IsControlBreak(gcbAfter)) return true;
    if (JoinsHangul(gcbBefore, gcbAfter)) return false;
    if (gcbAfter == U_GCB_EXTEND || gcbAfter == U_GCB_ZWJ || gcbAfter == U_GCB_SPACING_MARK)
        return false;
    if (gcbBefore == U_GCB_PREPEND) return false;
    if (gcbBefore == U_GCB_ZWJ && IsPictographic(after)) return false;
    if (gcbBefore == U_GCB_REGIONAL_INDICATOR && gcbAfter == U_GCB_REGIONAL_INDICATOR)
        return !InsideFlag(text, position);
    return true;
}

std::size_t NextCaretStop(std::u32string_view text, std::size_t position) {
    if (position >= text.size()) return text.size();
    std::size_t next = position + 1;
    while (!IsCaretStop(text, next)) ++next;
    return next;
}

std::size_t PreviousCaretStop(std::u32string_view text, std::size_t position) {
    if (position == 0) return 0;
    std::size_t previous = std::min(position, text.size()) - 1;
    while (!IsCaretStop(text, previous)) --previous;
    return previous;
}

}  // namespace vexa::sys::edit_text
