// Typing and editing keys through the real input path: the text and the selection after each
// key script.
#include "controls/EditTestSupport.h"

namespace vexa::sys::testing {
namespace {

struct KeyCase {
    const char* name;
    UINT style;
    UINT exStyle;
    const char* initial;
    const char* script;
    const char* text;
    int selStart;
    int selEnd;
};

constexpr UINT kMulti = ES_MULTILINE | ES_WANTRETURN;

const KeyCase kKeyCases[] = {
    {"Backspace", 0, 0, "", "hello{BACK}", "hell", 4, 4},
    {"InsertInside", 0, 0, "", "hello{LEFT}{LEFT}X", "helXlo", 4, 4},
    {"ShiftEndSelects", 0, 0, "", "hello{HOME}{S-END}", "hello", 0, 5},
    {"CtrlLeftByWord", 0, 0, "", "one two three{C-LEFT}", "one two three", 8, 8},
    {"CtrlShiftRightByWord", 0, 0, "", "one two three{C-LEFT}{C-LEFT}{CS-RIGHT}", "one two three",
     4, 8},
    {"CtrlASelectsAll", 0, 0, "", "one two{C-A}z", "z", 1, 1},
    {"Delete", 0, 0, "", "abc{HOME}{DEL}", "bc", 0, 0},
    {"CtrlDeleteWord", 0, 0, "", "one two{HOME}{C-DEL}", "two", 0, 0},
    {"CtrlBackspaceWord", 0, 0, "", "one two{C-BACK}", "one ", 4, 4},
    {"LeftCollapsesSelection", 0, 0, "", "abcd{S-LEFT}{S-LEFT}{LEFT}", "abcd", 2, 2},
    {"EmojiIsOneCharacter", 0, 0, "", "a😀é{LEFT}", "a😀é", 2, 2},
    {"BackspaceRemovesEmoji", 0, 0, "", "a😀é{LEFT}{BACK}", "aé", 1, 1},
    {"AccentStaysWithLetter", 0, 0, "", "e\u0301x{LEFT}{LEFT}", "e\u0301x", 0, 0},
    {"FlagIsOneStop", 0, 0, "", "🇫🇷🇩🇪{LEFT}", "🇫🇷🇩🇪", 2, 2},
    {"NumberOnly", ES_NUMBER, 0, "", "12a3-4", "1234", 4, 4},
    {"UpperCaseFullMapping", ES_UPPERCASE, 0, "", "straße", "STRASSE", 7, 7},
    {"LowerCase", ES_LOWERCASE, 0, "", "ÀBÇ", "àbç", 3, 3},
    {"ReadOnlyMovesOnly", ES_READONLY, 0, "abc", "x{BACK}{END}{S-LEFT}", "abc", 2, 3},
    {"EnterBreaksLine", kMulti, 0, "", "ab{ENTER}cd", "ab\r\ncd", 6, 6},
    {"UpKeepsToShortLine", kMulti, 0, "", "ab{ENTER}cdef{UP}", "ab\r\ncdef", 2, 2},
    {"EndThenDown", kMulti, 0, "", "abc{ENTER}d{UP}{END}{DOWN}", "abc\r\nd", 6, 6},
    {"CtrlHomeCtrlShiftEnd", kMulti, 0, "", "ab{ENTER}cd{C-HOME}{CS-END}", "ab\r\ncd", 0, 6},
    {"EnterWhenParentHasNoDefault", ES_MULTILINE, 0, "", "ab{ENTER}c", "ab\r\nc", 5, 5},
    {"CtrlEnterBreaks", ES_MULTILINE, 0, "", "ab{C-ENTER}c", "ab\r\nc", 5, 5},
    {"SingleLineIgnoresEnterAndTab", 0, 0, "", "ab{ENTER}{TAB}c", "abc", 3, 3},
    {"MultiLineTypesTab", ES_MULTILINE, 0, "", "a{TAB}b", "a\tb", 3, 3},
    {"UndoTyping", 0, 0, "", "abc{C-Z}", "", 0, 0},
    {"UndoTwiceRedoes", 0, 0, "", "abc{C-Z}{C-Z}", "abc", 0, 3},
    {"BackspacesUndoTogether", 0, 0, "", "abc{BACK}{BACK}{C-Z}", "abc", 1, 3},
    {"MovingStartsNewUndoStep", 0, 0, "", "ab{LEFT}c{C-Z}", "ab", 1, 1},
    {"RightToLeftArrowsFollowReading", 0, WS_EX_RTLREADING, "", "abc{HOME}{LEFT}", "abc", 1, 1},
    {"UpIsLeftInSingleLine", 0, 0, "", "abc{UP}", "abc", 2, 2},
    {"ShiftDeleteCutsShiftInsertPastes", 0, 0, "", "abc{S-LEFT}{S-DEL}{HOME}{S-INS}", "cab", 1, 1},
};

class EditKeyTest : public EditTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(EditKeyTest, ScriptLeavesTextAndSelection) {
    const KeyCase& c = GetParam();
    HWND edit =
        FocusedEdit(c.style | ES_AUTOHSCROLL | ES_AUTOVSCROLL, RECT{10, 10, 310, 110}, c.exStyle);
    SetWindowText(edit, c.initial);
    Play(c.script);
    EXPECT_EQ(GetWindowText(edit), c.text);
    EXPECT_EQ(Selection(edit), std::make_pair(c.selStart, c.selEnd));
}

INSTANTIATE_TEST_SUITE_P(Keys, EditKeyTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditTest, EnterGoesToADialogParentsDefaultButton) {
    constexpr int kDefaultButton = 42;
    Log().handlers[DM_GETDEFID] = [](HWND, WPARAM, LPARAM) {
        return LRESULT(MAKELPARAM(kDefaultButton, DC_HASDEFID));
    };
    HWND plain = FocusedEdit(ES_MULTILINE, RECT{10, 10, 210, 110});
    Play("a{ENTER}b");
    EXPECT_EQ(GetWindowText(plain), "ab");
    const auto commands = Log().Of(WM_COMMAND);
    EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                            [](const Received& r) {
                                return r.wParam == MAKEWPARAM(kDefaultButton, BN_CLICKED);
                            }),
              1);
    HWND wantsReturn = FocusedEdit(ES_MULTILINE | ES_WANTRETURN, RECT{10, 120, 210, 220});
    Play("a{ENTER}b");
    EXPECT_EQ(GetWindowText(wantsReturn), "a\r\nb");
}

TEST_F(EditTest, DialogCodesLeaveEnterAndEscapeToTheParentOfAMultiLineEdit) {
    const LRESULT base = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    struct {
        UINT style;
        int key;
        LRESULT code;
    } cases[] = {
        {0, VK_RETURN, base},
        {ES_MULTILINE, 'A', base | DLGC_WANTALLKEYS},
        {ES_MULTILINE, VK_RETURN, base},
        {ES_MULTILINE | ES_WANTRETURN, VK_RETURN, base | DLGC_WANTALLKEYS},
        {ES_MULTILINE | ES_WANTRETURN, VK_ESCAPE, base},
    };
    for (const auto& c : cases) {
        HWND edit = Edit(c.style);
        MSG key{edit, WM_KEYDOWN, WPARAM(c.key), 0, 0, {}};
        EXPECT_EQ(SendMessage(edit, WM_GETDLGCODE, WPARAM(c.key), LPARAM(&key)), c.code)
            << c.style << " " << c.key;
        DestroyWindow(edit);
    }
}

TEST_F(EditTest, StyleBitsChangedAtRunTimeApplyToTheNextCharactersAndHalvesAreJoined) {
    HWND edit = FocusedEdit();
    Play("ab");
    SetWindowLongPtr(edit, GWL_STYLE, GetWindowLongPtr(edit, GWL_STYLE) | ES_UPPERCASE);
    Play("cd");
    SetWindowLongPtr(edit, GWL_STYLE,
                     (GetWindowLongPtr(edit, GWL_STYLE) & ~LPARAM(ES_UPPERCASE)) | ES_NUMBER);
    Play("e1");
    SendMessage(edit, EM_SETREADONLY, 1, 0);
    Play("2{BACK}");
    EXPECT_EQ(GetWindowText(edit), "abCD1");
    EXPECT_NE(GetWindowLongPtr(edit, GWL_STYLE) & ES_READONLY, 0);
    // Character halves from sixteen-bit senders are joined; a lone half is replaced.
    SendMessage(edit, EM_SETREADONLY, 0, 0);
    SetWindowLongPtr(edit, GWL_STYLE, GetWindowLongPtr(edit, GWL_STYLE) & ~LPARAM(ES_NUMBER));
    SetWindowText(edit, "");
    for (WPARAM unit : {0xD83DU, 0xDE00U, 0xDE00U, 0x41U}) SendMessage(edit, WM_CHAR, unit, 1);
    EXPECT_EQ(GetWindowText(edit), "😀\uFFFDA");
}

}  // namespace
}  // namespace vexa::sys::testing
