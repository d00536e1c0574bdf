// The editing rules that need no window, as tables: what a key asks for, the text an editor
// opens with, the text editor a cell uses, check values and typed-text conversions.
#include <gtest/gtest.h>

#include "vexa/interact/EditRules.h"

namespace vexa {
namespace {

TEST(EditRules, ControlCharactersOtherThanEnterNeverStartAnEdit) {
    EXPECT_EQ(ClassifyEditRequest('x', 99), EditRequest::Ignore) << "an unknown behaviour";
    for (int key : {1, 9, 27, 31}) EXPECT_FALSE(MayStartEdit(std::int16_t(key))) << key;
    for (int key : {0, 13, 32, int('a'), -2}) EXPECT_TRUE(MayStartEdit(std::int16_t(key))) << key;
}

TEST(EditRules, TheInitialTextAppendsOrReplacesWithTheTypedCharacter) {
    struct Case {
        std::int16_t key;
        std::int32_t behaviour;
        const char* expected;
    };
    const Case cases[] = {
        {' ', vxKeyPressEditAppend, "ab "},
        {std::int16_t(0xE9), vxKeyPressEditReplace, "\xC3\xA9"},
        {std::int16_t(0x20AC), vxKeyPressEditAppend, "ab\xE2\x82\xAC"},
    };
    for (const Case& c : cases) EXPECT_EQ(InitialEditText("ab", c.key, c.behaviour), c.expected);
}

TEST(EditRules, TextIsCutToWholeCharacters) {
    EXPECT_EQ(FirstCharacters("abcdef", 3), "abc");
    EXPECT_EQ(FirstCharacters("abc", 0), "abc");
    EXPECT_EQ(FirstCharacters("abc", 5), "abc");
    EXPECT_EQ(FirstCharacters("\xC3\xA9t\xC3\xA9", 2), "\xC3\xA9t");
    EXPECT_EQ(FirstCharacters("\xF0\x9F\x98\x80z", 1), "\xF0\x9F\x98\x80");
}

TEST(EditRules, WordBreakAndScrollBarsChooseTheTextEditor) {
    EXPECT_EQ(TextEditorInstanceFor(0, vxTextBoxVScrollBar | vxTextBoxHScrollBar), 0);
    EXPECT_EQ(TextEditorInstanceFor(vxTextWordBreak, 0), 1);
    EXPECT_EQ(TextEditorInstanceFor(vxTextWordBreak, vxTextBoxVScrollBar), 2);
    EXPECT_EQ(TextEditorInstanceFor(vxTextWordBreak, vxTextBoxHScrollBar), 3);
    EXPECT_EQ(TextEditorInstanceFor(vxTextWordBreak, vxTextBoxVScrollBar | vxTextBoxHScrollBar), 4);
}

TEST(EditRules, CheckValuesToggleOrCycle) {
    struct Case {
        Variant value;
        std::int32_t flags;
        Variant expected;
    };
    const Case cases[] = {
        {Variant(0), 0, Variant(1)},
        {Variant(1), 0, Variant(0)},
        {Variant(true), 0, Variant(false)},
        {Variant(2), 0, Variant(1)},
        {Variant("1"), 0, Variant(1)},
        {Variant(std::make_shared<Object>()), 0, Variant(1)},
        {Variant(0), vxCheckBox3State, Variant(1)},
        {Variant(2.0), vxCheckBox3State, Variant(0)},
        {Variant(true), vxCheckBox3State, Variant(2)},
        {Variant(false), vxCheckBox3State, Variant(1)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextCheckValue(c.value, c.flags), c.expected) << TypeName(c.value);
    }
}

TEST(EditRules, TypedTextTakesTheTypeOfTheOldValue) {
    struct Case {
        const char* text;
        Variant old;
        Variant value;
        std::int32_t error;
    };
    const auto object = Variant(std::make_shared<Object>());
    const Case cases[] = {
        {"12", Variant(1), Variant(12), 0},
        {"1,234.5", Variant(1.0), Variant(1234.5), 0},
        {"x", Variant(1), Variant(), 13},
        {"", Variant(1), Variant(), 13},
        {"70000", Variant(std::int16_t(1)), Variant(), 6},
        {"300", Variant(std::uint8_t(1)), Variant(), 6},
        {"true", Variant(false), Variant(true), 0},
        {"text", Variant("old"), Variant("text"), 0},
        {"new", Variant(), Variant("new"), 0},
        {"", Variant(), Variant(), 0},
        {"", Variant::Null(), Variant::Null(), 0},
        {"ignored", object, object, 0},
        {"ignored", Variant::ErrorValue(7), Variant::ErrorValue(7), 0},
    };
    for (const Case& c : cases) {
        const ConvertedText converted = ConvertEditText(c.text, c.old);
        EXPECT_EQ(converted.value, c.value) << c.text << " over " << TypeName(c.old);
        EXPECT_EQ(converted.error, c.error) << c.text << " over " << TypeName(c.old);
    }
    EXPECT_EQ(ConversionErrorText(13), "Invalid value (Error 13).");
}

}  // namespace
}  // namespace vexa
