// X keysyms to the classic virtual-key codes and to the characters a key press delivers: pure
// rules, independent of any server, so that they can be read and tested as tables.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexa::sys {

// What the keyboard layout in effect puts on one physical key.
struct X11KeyLevels {
    unsigned long unshifted = 0;  // the keysym of the key alone, in the active layout group
    unsigned long shifted = 0;    // the keysym of the key with Shift
    unsigned long effective = 0;  // the keysym with the modifiers and locks in effect
    unsigned int keycode = 0;     // the server's code of the key (evdev numbering)
};

// The modifiers of an X key event that decide which character a key delivers.
struct X11KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;  // the Alt key itself; AltGr chooses characters and is not Alt here
    bool capsLock = false;
};

class X11KeyMap {
  public:
    // The virtual key of a keysym taken alone: named keys, keypad keys, Latin letters and
    // digits; 0 when the classic keyboard has no key for it.
    static int VirtualKeyFor(unsigned long keysym);
    // The virtual key of a physical key in the active layout. Letters and digits follow the
    // layout (the key that types 'a' on AZERTY is VK 'A'); a key whose shifted level is a digit
    // is that digit (the top row of AZERTY); a key of a non-Latin layout is named after its
    // place on a US keyboard; the keypad follows Num Lock. 0 for keys with no virtual key.
    static int VirtualKeyOfKey(const X11KeyLevels& key);
    // AltGr, which the classic keyboard presents as Ctrl+Alt.
    static bool IsAltGr(unsigned long keysym);
    // The character a keysym types, nullopt for function and modifier keys.
    static std::optional<char32_t> CharacterFor(unsigned long keysym);
    // The characters a key press delivers, from what the layout and input method typed for it,
    // with the classic rules for control keys: Ctrl+letter gives the control code, Ctrl+Alt
    // gives nothing, Tab, Enter, Backspace and Escape always give their control character,
    // and no other control character (such as the DEL that X gives for Delete) comes through.
    static std::u32string CharactersFor(int virtualKey, X11KeyModifiers modifiers,
                                        std::u32string_view typed);
};

}  // namespace vexa::sys
