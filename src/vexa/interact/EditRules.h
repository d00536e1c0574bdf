// The rules of in-place editing that need no window: what a key asks for, the text an editor
// opens with, which text editor a cell uses, the next value of a check cell and the
// conversion of typed text to the type of the value it replaces.
#pragma once

#include <cstdint>
#include <string>

#include "vexa/model/Enums.h"
#include "vexa/system/automation/Variant.h"

namespace vexa {

// What RequestEdit does with a key.
enum class EditRequest { Edit, Search, Ignore };

// Editing for every key with the editing behaviours, and for 0 (no key) and Enter whatever
// the behaviour; the key search for the searching behaviours; nothing otherwise.
EditRequest ClassifyEditRequest(std::int16_t keyAscii, std::int32_t keyPressBehaviour);
// A typed character (not 0, not a control character): a key code read as a UTF-16 unit.
bool IsTypedKey(std::int16_t keyAscii);
// A control character other than Enter never starts an edit.
bool MayStartEdit(std::int16_t keyAscii);
// The display text, followed by the typed character when appending, or the typed character
// alone when replacing.
std::string InitialEditText(const std::string& displayText, std::int16_t keyAscii,
                            std::int32_t keyPressBehaviour);
// With exactly the number-only option, a typed key that is not a digit ends the attempt.
bool RefusedByNumberOnly(std::int16_t keyAscii, std::int32_t textEditOptions);
// The first `count` characters (code points) of UTF-8 text; below 1 the whole text.
std::string FirstCharacters(const std::string& utf8, std::int32_t count);

// Text editor 0 for single-line cells; word-wrapping cells take 1..4 by their scroll bars.
std::int16_t TextEditorInstanceFor(std::int32_t textFlags, std::int32_t typeFlags);

// A two-state cell negates a Boolean and otherwise flips between 0 and 1 (a Long); a
// three-state cell cycles 0, 1, 2 (a Long).
Variant NextCheckValue(const Variant& value, std::int32_t typeFlags);

struct ConvertedText {
    Variant value;           // Empty when the conversion failed
    std::int32_t error = 0;  // the runtime's error number (13 type mismatch, 6 overflow), 0
};
// Typed text as the type of the value it replaces: the text itself for Empty and Null (the
// old value when the text is empty), the standard conversion for numbers, dates, strings and
// Booleans, the old value unchanged for anything else (objects, errors, arrays).
ConvertedText ConvertEditText(const std::string& text, const Variant& oldValue);
// "Invalid value (Error 13)."
std::string ConversionErrorText(std::int32_t error);

}  // namespace vexa
