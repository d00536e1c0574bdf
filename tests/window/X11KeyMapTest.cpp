// The X key translation needs no server: keysyms and the layout's levels of a key map to the
// classic virtual keys, and a press delivers characters by the classic rules.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "vexa/system/display/X11KeyMap.h"
#include "vexa/system/window/Messages.h"

namespace vexa::sys {
namespace {

TEST(X11KeyMapTest, ModifiersKeepTheirSideAndAltGrIsTheRightAlt) {
    const std::pair<unsigned long, int> cases[] = {
        {XK_Shift_R, VK_RSHIFT},         {XK_Control_L, VK_LCONTROL}, {XK_Alt_L, VK_LMENU},
        {XK_ISO_Level3_Shift, VK_RMENU}, {XK_F24, VK_F12 + 12},       {XK_eacute, 0},
    };
    for (const auto& [keysym, virtualKey] : cases) {
        EXPECT_EQ(X11KeyMap::VirtualKeyFor(keysym), virtualKey) << std::hex << keysym;
    }
    EXPECT_TRUE(X11KeyMap::IsAltGr(XK_ISO_Level3_Shift));
    EXPECT_FALSE(X11KeyMap::IsAltGr(XK_Alt_R));
}

TEST(X11KeyMapTest, PhysicalKeysFollowTheActiveLayout) {
    const struct {
        const char* what;
        X11KeyLevels key;
        int virtualKey;
    } cases[] = {
        {"US a", {XK_a, XK_A, XK_a, 38}, 'A'},
        {"AZERTY a where US has q", {XK_a, XK_A, XK_a, 24}, 'A'},
        {"AZERTY q where US has a", {XK_q, XK_Q, XK_q, 38}, 'Q'},
        {"German z where US has y", {XK_z, XK_Z, XK_z, 29}, 'Z'},
        {"AZERTY top row: e acute over 2", {XK_eacute, XK_2, XK_eacute, 11}, '2'},
        {"AZERTY top row: ampersand over 1", {XK_ampersand, XK_1, XK_ampersand, 10}, '1'},
        {"Russian ef on the US a key", {XK_Cyrillic_ef, XK_Cyrillic_EF, XK_Cyrillic_ef, 38}, 'A'},
        {"keypad 1 with Num Lock", {XK_KP_End, XK_KP_1, XK_KP_1, 87}, VK_NUMPAD1},
        {"keypad 1 without Num Lock", {XK_KP_End, XK_KP_1, XK_KP_End, 87}, VK_END},
        {"German sharp s has no virtual key", {XK_ssharp, XK_question, XK_ssharp, 20}, 0},
        {"a key bound for one character", {0x1004E2D, 0x1004E2D, 0x1004E2D, 8}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(X11KeyMap::VirtualKeyOfKey(c.key), c.virtualKey) << c.what;
    }
}

TEST(X11KeyMapTest, PressesDeliverCharactersByTheClassicRules) {
    const X11KeyModifiers none{}, shift{true}, ctrl{false, true}, alt{false, false, true},
        ctrlAlt{false, true, true};
    const struct {
        const char* what;
        int virtualKey;
        X11KeyModifiers modifiers;
        std::u32string typed;
        std::u32string delivered;
    } cases[] = {
        {"letter", 'A', none, U"a", U"a"},
        {"layout character", '2', none, U"é", U"é"},
        {"AltGr character", 'E', none, U"€", U"€"},
        {"Alt letter (a system character)", 'A', alt, U"a", U"a"},
        {"Ctrl letter", 'A', ctrl, U"\x01", U"\x01"},
        {"Ctrl Shift letter", 'Z', {true, true}, U"\x1A", U"\x1A"},
        {"Ctrl space", VK_SPACE, ctrl, std::u32string(1, U'\0'), U" "},
        {"Ctrl bracket", VK_OEM_4, ctrl, U"\x1B", U"\x1B"},
        {"Ctrl Alt chord", 'A', ctrlAlt, U"\x01", U""},
        {"Delete", VK_DELETE, none, U"\x7F", U""},
        {"Shift Tab", VK_TAB, shift, U"", U"\t"},
        {"Enter", VK_RETURN, none, U"\r", U"\r"},
        {"Backspace", VK_BACK, none, U"\b", U"\b"},
        {"function key", VK_F5, none, U"", U""},
        {"no virtual key, outside the BMP", 0, none, U"\U0001F600", U"\U0001F600"},
        {"controls in committed text", 0, none, U"a\x1B\x85z", U"az"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(X11KeyMap::CharactersFor(c.virtualKey, c.modifiers, c.typed), c.delivered)
            << c.what;
    }
}

TEST(X11KeyMapTest, CharactersOfLatinAndUnicodeKeysyms) {
    EXPECT_EQ(X11KeyMap::CharacterFor(XK_exclam), U'!');
    EXPECT_EQ(X11KeyMap::CharacterFor(XK_eacute), U'\u00E9');
    EXPECT_EQ(X11KeyMap::CharacterFor(0x010003B1), U'\u03B1');  // Greek alpha
    EXPECT_EQ(X11KeyMap::CharacterFor(XK_EuroSign), U'\u20AC');
    EXPECT_FALSE(X11KeyMap::CharacterFor(XK_F5).has_value());
    EXPECT_FALSE(X11KeyMap::CharacterFor(XK_Shift_L).has_value());
}

}  // namespace
}  // namespace vexa::sys
