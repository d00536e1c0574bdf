// The character-level knowledge the edit control needs: UTF-8 in and out (bad input repaired,
// never split), Unicode case mapping, the classes that make words, and where a caret may stop
// between code points (not inside a user-perceived character such as an emoji sequence, a
// base letter with its accents or a CR LF pair).
#pragma once

#include <string>
#include <string_view>

#include "vexa/system/automation/Utf8Text.h"

namespace vexa::sys::edit_text {

// UTF-8 in and out, bad input repaired (one U+FFFD per maximal bad subpart).
using vexa::DecodeUtf8;
using vexa::EncodeUtf8;
using vexa::Utf8Length;

enum class CaseMapping { None, Upper, Lower };
// Full Unicode mapping (the length may change: ß becomes SS).
std::u32string MapCase(std::u32string_view text, CaseMapping mapping);

// Line breaks: CR LF, a lone CR or a lone LF.
bool IsLineBreak(char32_t c);
// The length of the line break starting at position, 0 when none starts there.
int LineBreakLengthAt(std::u32string_view text, std::size_t position);

// Word classes for word moves, word selection and word wrapping.
enum class CharClass { Space, Break, Word, Ideograph, Other };
CharClass ClassOf(char32_t c);

// Whether a caret may stand at position (0 and the length always qualify).
bool IsCaretStop(std::u32string_view text, std::size_t position);
std::size_t NextCaretStop(std::u32string_view text, std::size_t position);
std::size_t PreviousCaretStop(std::u32string_view text, std::size_t position);

}  // namespace vexa::sys::edit_text
