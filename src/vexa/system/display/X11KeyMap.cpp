#include "vexa/system/display/X11KeyMap.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <array>
#include <utility>

#include "vexa/system/window/Messages.h"

namespace vexa::sys {

namespace {

// Keys whose keysym does not follow from a character range.
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
    {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},
    {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},
    {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},
    {XK_Meta_R, VK_MENU},
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
    {XK_Mode_switch, VK_MENU},
    {XK_ISO_Level3_Shift, VK_MENU},
}};

std::optional<int> RangeKey(KeySym keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return int('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z) return int(keysym);
    if (keysym >= XK_0 && keysym <= XK_9) return int(keysym);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return VK_NUMPAD0 + int(keysym - XK_KP_0);
    if (keysym >= XK_F1 && keysym <= XK_F12) return VK_F1 + int(keysym - XK_F1);
    return std::nullopt;
}

}  // namespace

int X11KeyMap::VirtualKeyFor(unsigned long keysym) {
    if (const auto key = RangeKey(keysym)) return *key;
    for (const auto& [named, virtualKey] : kNamedKeys) {
        if (named == keysym) return virtualKey;
    }
    return 0;
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

}  // namespace vexa::sys
