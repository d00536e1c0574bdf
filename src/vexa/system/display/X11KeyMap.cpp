#include "vexa/system/display/X11KeyMap.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <array>
#include <utility>

#include "vexa/system/window/KeyboardLayout.h"
#include "vexa/system/window/Messages.h"

namespace vexa::sys {

namespace {

// Keys whose keysym does not follow from a character range. Modifiers keep their side, as
// the classic key state does (GetKeyState(VK_LSHIFT)); messages carry the generic key.
constexpr std::array<std::pair<KeySym, int>, 72> kNamedKeys{{
    {XK_BackSpace, VK_BACK},
    {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},
    {XK_Return, VK_RETURN},
    {XK_KP_Enter, VK_RETURN},
    {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},
    {XK_Pause, VK_PAUSE},
    {XK_Caps_Lock, VK_CAPITAL},
    {XK_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},
    {XK_End, VK_END},
    {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},
    {XK_Select, VK_SELECT},
    {XK_Print, VK_SNAPSHOT},
    {XK_Execute, VK_EXECUTE},
    {XK_Insert, VK_INSERT},
    {XK_Delete, VK_DELETE},
    {XK_Help, VK_HELP},
    {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},
    {XK_Menu, VK_APPS},
    {XK_Num_Lock, VK_NUMLOCK},
    {XK_Scroll_Lock, VK_SCROLL},
    {XK_Shift_L, VK_LSHIFT},
    {XK_Shift_R, VK_RSHIFT},
    {XK_Control_L, VK_LCONTROL},
    {XK_Control_R, VK_RCONTROL},
    {XK_Alt_L, VK_LMENU},
    {XK_Alt_R, VK_RMENU},
    {XK_Meta_L, VK_LMENU},
    {XK_Meta_R, VK_RMENU},
    {XK_KP_Multiply, VK_MULTIPLY},
    {XK_KP_Add, VK_ADD},
    {XK_KP_Separator, VK_SEPARATOR},
    {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Decimal, VK_DECIMAL},
    {XK_KP_Divide, VK_DIVIDE},
    {XK_KP_Home, VK_HOME},
    {XK_KP_End, VK_END},
    {XK_KP_Prior, VK_PRIOR},
    {XK_KP_Next, VK_NEXT},
    {XK_KP_Left, VK_LEFT},
    {XK_KP_Right, VK_RIGHT},
    {XK_KP_Up, VK_UP},
    {XK_KP_Down, VK_DOWN},
    {XK_KP_Insert, VK_INSERT},
    {XK_KP_Delete, VK_DELETE},
    {XK_semicolon, VK_OEM_1},
    {XK_equal, VK_OEM_PLUS},
    {XK_comma, VK_OEM_COMMA},
    {XK_minus, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},
    {XK_slash, VK_OEM_2},
    {XK_grave, VK_OEM_3},
    {XK_bracketleft, VK_OEM_4},
    {XK_backslash, VK_OEM_5},
    {XK_bracketright, VK_OEM_6},
    {XK_apostrophe, VK_OEM_7},
    {XK_KP_Space, VK_SPACE},
    {XK_KP_Tab, VK_TAB},
    {XK_Cancel, VK_CANCEL},
    {XK_Clear, VK_CLEAR},
    {XK_KP_Begin, VK_CLEAR},
    {XK_Break, VK_CANCEL},
    {XK_Sys_Req, VK_SNAPSHOT},
    {XK_Mode_switch, VK_RMENU},
    {XK_ISO_Level3_Shift, VK_RMENU},
}};

std::optional<int> RangeKey(KeySym keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return int('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z) return int(keysym);
    if (keysym >= XK_0 && keysym <= XK_9) return int(keysym);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return VK_NUMPAD0 + int(keysym - XK_KP_0);
    if (keysym >= XK_F1 && keysym <= XK_F24) return VK_F1 + int(keysym - XK_F1);
    return std::nullopt;
}

bool IsKeypadKeysym(KeySym keysym) {
    return keysym >= XK_KP_Space && keysym <= XK_KP_Equal;
}

// The letter and digit keys of a US keyboard by their place (evdev key codes), for layouts
// whose keysyms are no Latin letters: shortcuts such as Ctrl+C then work on them too, as on
// the classic platform.
struct KeyRow {
    unsigned int firstKeycode;
    const char* virtualKeys;
};

constexpr KeyRow kUsRows[] = {
    {10, "1234567890"},
    {24, "QWERTYUIOP"},
    {38, "ASDFGHJKL"},
    {52, "ZXCVBNM"},
};

int UsKeyAt(unsigned int keycode) {
    for (const KeyRow& row : kUsRows) {
        const std::string_view keys(row.virtualKeys);
        if (keycode >= row.firstKeycode && keycode < row.firstKeycode + keys.size()) {
            return keys[keycode - row.firstKeycode];
        }
    }
    return 0;
}

bool IsControlCharacter(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

int X11KeyMap::VirtualKeyFor(unsigned long keysym) {
    if (const auto key = RangeKey(keysym)) return *key;
    for (const auto& [named, virtualKey] : kNamedKeys) {
        if (named == keysym) return virtualKey;
    }
    return 0;
}

int X11KeyMap::VirtualKeyOfKey(const X11KeyLevels& key) {
    if (IsKeypadKeysym(key.effective)) return VirtualKeyFor(key.effective);
    if (const int virtualKey = VirtualKeyFor(key.unshifted)) return virtualKey;
    if (key.shifted >= XK_0 && key.shifted <= XK_9) return int(key.shifted);
    if (const int virtualKey = UsKeyAt(key.keycode)) return virtualKey;
    return VirtualKeyFor(key.effective);
}

bool X11KeyMap::IsAltGr(unsigned long keysym) {
    return keysym == XK_ISO_Level3_Shift || keysym == XK_Mode_switch;
}

std::optional<char32_t> X11KeyMap::CharacterFor(unsigned long keysym) {
    // Latin-1 keysyms are their code points; Unicode keysyms carry it below 0x01000000.
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) {
        return char32_t(keysym);
    }
    if ((keysym & 0xFF000000) == 0x01000000) return char32_t(keysym & 0x00FFFFFF);
    if (keysym == XK_EuroSign) return U'\u20AC';
    return std::nullopt;
}

std::u32string X11KeyMap::CharactersFor(int virtualKey, X11KeyModifiers modifiers,
                                        std::u32string_view typed) {
    if (modifiers.ctrl && modifiers.alt) return {};
    const bool fixedKey = virtualKey == VK_TAB || virtualKey == VK_RETURN ||
                          virtualKey == VK_BACK || virtualKey == VK_ESCAPE;
    if (modifiers.ctrl || fixedKey) {
        const auto character = KeyboardLayout::CharacterFor(virtualKey, modifiers.shift,
                                                            modifiers.capsLock, modifiers.ctrl);
        return character ? std::u32string(1, *character) : std::u32string();
    }
    std::u32string result;
    for (char32_t c : typed) {
        if (!IsControlCharacter(c)) result.push_back(c);
    }
    return result;
}

}  // namespace vexa::sys
