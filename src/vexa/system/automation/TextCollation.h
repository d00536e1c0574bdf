// Text compared without regard to case the way people read en-US text: a linguistic
// collation at secondary strength, so that case does not count but accents do, and an
// accented letter sorts beside its base letter ("apfel" < "Äpfel" < "apfelbaum" < "zebra").
// The classic text comparison, the case-blind sort, key search and keyed lists all use it.
#pragma once

#include <string>
#include <string_view>

namespace vexa {

// -1, 0 or 1. Texts that are not valid UTF-8 compare with U+FFFD for each bad sequence.
int CompareTextNoCase(std::string_view a, std::string_view b);

// A key whose byte order (std::string's operator<) is the order of CompareTextNoCase, equal
// exactly when the texts compare equal: build it once for a text that is compared many
// times (a sort), or keep it as the lookup key of a case-blind keyed collection.
std::string TextNoCaseKey(std::string_view text);

// For texts of ASCII characters alone: appends to `key` one byte per character (none for a
// character the comparison ignores) so that these keys order byte by byte as
// CompareTextNoCase orders the texts, equal exactly when the texts compare equal. Far
// cheaper than TextNoCaseKey, but its keys compare only with keys of this kind. Returns
// false, appending nothing, for a text with any other character.
bool AppendAsciiNoCaseKey(std::string_view text, std::string& key);

// True when `text` begins with `prefix` compared as CompareTextNoCase does, taking whole
// characters: "e" followed by a combining accent does not begin with "e".
bool TextStartsWithNoCase(std::string_view text, std::string_view prefix);

}  // namespace vexa
