// The US keyboard layout: which character a key produces with the modifiers held, and which
// key (with or without Shift) types a character.
#pragma once

#include <optional>

namespace vexa::sys {

struct KeyStroke {
    int virtualKey = 0;
    bool shift = false;
};

class KeyboardLayout {
  public:
    // The character of a key press, nullopt for keys that type nothing. Ctrl with a letter
    // gives the control code 1..26, as the classic translation does.
    static std::optional<char32_t> CharacterFor(int virtualKey, bool shift, bool capsLock,
                                                bool ctrl);
    // The key that types a character on this layout (Caps Lock off), nullopt when none does.
    static std::optional<KeyStroke> KeyFor(char32_t character);
};

}  // namespace vexa::sys
