// UTF-8 as it arrives from outside the program (other programs' selections, the input
// method): decoded strictly, with every malformed sequence replaced by U+FFFD, never trusted.
#pragma once

#include <string>
#include <string_view>

namespace vexa {

// The code points of the text. Overlong forms, surrogates, values above U+10FFFF and cut
// sequences become one U+FFFD per maximal malformed part, as Unicode recommends.
std::u32string DecodeUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t codePoint);
// The code points as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
std::string EncodeUtf8(std::u32string_view text);
// The number of UTF-8 bytes of a code point.
int Utf8Length(char32_t codePoint);
// The text with every malformed sequence replaced by U+FFFD; valid text comes back unchanged.
std::string RepairUtf8(std::string_view text);
// ISO 8859-1 (the X STRING type) to UTF-8 and back; characters Latin-1 lacks become '?'.
std::string Latin1ToUtf8(std::string_view text);
std::string Utf8ToLatin1(std::string_view text);

}  // namespace vexa
