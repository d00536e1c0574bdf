// The X key translation needs no server: keysyms map to the classic virtual keys and to the
// characters they type.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "vexa/system/display/X11KeyMap.h"
#include "vexa/system/window/Messages.h"

namespace vexa::sys {
namespace {

TEST(X11KeyMapTest, LettersDigitsAndFunctionKeysMapToTheirVirtualKeys) {
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_a), 'A');
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_z), 'Z');
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_7), '7');
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_KP_3), VK_NUMPAD3);
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_F1), VK_F1);
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_F12), VK_F12);
}

TEST(X11KeyMapTest, NavigationModifierAndPunctuationKeys) {
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_Return), VK_RETURN);
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_KP_Enter), VK_RETURN);
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_Left), VK_LEFT);
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_Next), VK_NEXT);
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_Shift_R), VK_SHIFT);
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_Control_L), VK_CONTROL);
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_Alt_L), VK_MENU);
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_semicolon), VK_OEM_1);
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_apostrophe), VK_OEM_7);
    EXPECT_EQ(X11KeyMap::VirtualKeyFor(XK_eacute), 0);  // no key of the US layout
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
