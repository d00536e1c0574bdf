// X keysyms to the classic virtual-key codes, and keysyms to the Unicode characters they type.
#pragma once

#include <optional>

namespace vexa::sys {

class X11KeyMap {
  public:
    // The virtual key of an unshifted keysym (the key's first level), 0 when there is none.
    static int VirtualKeyFor(unsigned long keysym);
    // The character a keysym types, nullopt for function and modifier keys.
    static std::optional<char32_t> CharacterFor(unsigned long keysym);
};

}  // namespace vexa::sys
