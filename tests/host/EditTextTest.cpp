// Editing text cells as a user does: the editor opens over the current cell, takes typed
// keys, commits on Enter and cancels on Esc, with the host's events in their order.
#include "host/EditTestSupport.h"
#include "vexa/system/controls/ControlMessages.h"

namespace vexa::test {
namespace {

using EditText = EditingGrid;

TEST_F(EditText, ACommittedEditRaisesItsEventsInOrderAndStoresTheText) {
    Type("xy");  // the first key opens the editor, the second goes into it
    ASSERT_NE(Editor(), 0u);
    EXPECT_EQ(sys::GetFocus(), Editor());
    Press(sys::VK_RETURN);
    EXPECT_EQ(EditEvents(),
              (std::vector<std::string>{
                  "RequestEdit(2,1,120,x)", "TextEditChange(2,1)", "TextEditChange(2,1)",
                  "BeforeCommitEdit(2,1,xy,String:xy,0)", "AfterCommitEdit(2,1)"}));
    EXPECT_EQ(log.Of("KeyPress"), std::vector<std::string>{"KeyPress(120)"});
    EXPECT_EQ(log.Of("TextEditKeyPress").front(), "TextEditKeyPress(2,1,121)");
    EXPECT_EQ(grid().CellValue(2, 1), Variant("xy"));
    EXPECT_EQ(Editor(), 0u);
    EXPECT_EQ(sys::GetFocus(), grid().hwnd());
}

TEST_F(EditText, EscapeCancelsKeepsTheValueAndGivesTheCellItsSelectionBack) {
    ASSERT_TRUE(grid().CellSelected(2, 1));
    Edit();
    EXPECT_FALSE(grid().CellSelected(2, 1)) << "painted unselected under the editor";
    Type("xy");
    sys::RECT editor;
    sys::GetWindowRect(Editor(), &editor);
    Press(sys::VK_ESCAPE);
    EXPECT_EQ(EditEvents(),
              (std::vector<std::string>{"RequestEdit(2,1,0,2.1)", "TextEditChange(2,1)",
                                        "TextEditChange(2,1)", "CancelEdit(2,1)"}));
    EXPECT_EQ(grid().CellValue(2, 1), Variant("2.1"));
    EXPECT_EQ(Editor(), 0u);
    EXPECT_TRUE(grid().CellSelected(2, 1));
    sys::POINT where{editor.right - 3, editor.top + 3};
    sys::ScreenToClient(grid().hwnd(), &where);
    EXPECT_EQ(Pixel(where.x, where.y), sys::GetSysColor(sys::COLOR_HIGHLIGHT))
        << "the cell is painted again where the editor was";
}

struct KeyCase {
    EKeyPressBehaviour behaviour;
    const char* typed;  // typed on the grid; empty: the key below is pressed
    int key;
    bool opens;
    const char* text;
    std::int32_t selStart, selLength;
};

class KeyPressModes : public EditingGrid, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyPressModes, DecideWhetherAndWithWhatTheEditorOpens) {
    const KeyCase& c = GetParam();
    grid().SetCellValue(2, 1, "ab");
    grid().SetKeyPressBehaviour(c.behaviour);
    if (*c.typed != '\0') {
        Type(c.typed);
    } else {
        Press(c.key);
    }
    ASSERT_EQ(Editor() != 0, c.opens);
    EXPECT_EQ(log.Of("RequestEdit").size(), c.opens ? 1u : 0u);
    EXPECT_EQ(grid().CurRow(), 2) << "a typed key moves nothing";
    if (!c.opens) return;
    EXPECT_EQ(grid().TextEditText(), c.text);
    EXPECT_EQ(grid().TextEditSelStart(), c.selStart);
    EXPECT_EQ(grid().TextEditSelLength(), c.selLength);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyPressModes,
    ::testing::Values(KeyCase{vxKeyPressNone, "x", 0, false, "", 0, 0},
                      KeyCase{vxKeyPressNone, "", sys::VK_RETURN, true, "ab", 0, 2},
                      KeyCase{vxKeyPressNone, "", sys::VK_F2, true, "ab", 0, 2},
                      KeyCase{vxKeyPressEditAppend, "x", 0, true, "abx", 3, 0},
                      KeyCase{vxKeyPressEditReplace, "x", 0, true, "x", 1, 0},
                      KeyCase{vxKeyPressEditReplace, "\xC3\xA9", 0, true, "\xC3\xA9", 1, 0},
                      KeyCase{vxKeyPressSearchCurCol, "x", 0, false, "", 0, 0},
                      KeyCase{vxKeyPressSearchDefCol, "", sys::VK_RETURN, true, "ab", 0, 2}));

struct ShapeCase {
    const char* text;  // what the host puts in; null leaves the cell's text
    std::int32_t maxLength;
    ETextEditFlags options;
    std::int16_t key;
    const char* typed;
    const char* expected;  // null: no editor opens
};

class HostShapes : public EditingGrid, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(HostShapes, TheEditorThroughRequestEdit) {
    const ShapeCase& c = GetParam();
    handlers.onRequest = [&](bool&, std::string& text, std::int32_t& maxLength,
                             ETextEditFlags& options) {
        if (c.text != nullptr) text = c.text;
        maxLength = c.maxLength;
        options = c.options;
    };
    Edit(c.key);
    ASSERT_EQ(Editor() != 0, c.expected != nullptr);
    if (c.expected == nullptr) return;
    Press(sys::VK_END);
    Type(c.typed);
    EXPECT_EQ(grid().TextEditText(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostShapes,
    ::testing::Values(ShapeCase{"abcdef", 3, ETextEditFlags(0), 0, "xyz", "abc"},
                      ShapeCase{"", 0, vxTextEditUpperCase, 0, "q", "Q"},
                      ShapeCase{"", 0, vxTextEditLowerCase, 0, "Q", "q"},
                      ShapeCase{nullptr, 0, vxTextEditNumberOnly, 'x', "", nullptr},
                      ShapeCase{nullptr, 0, vxTextEditNumberOnly, '7', "a8", "78"}));

TEST_F(EditText, NothingOpensWithoutEditableACurrentCellOrTheHostsConsent) {
    grid().SetEditable(false);
    Edit();
    grid().SetEditable(true);
    grid().SetCurCell(0, 0);
    Edit();
    EXPECT_TRUE(log.Of("RequestEdit").empty());
    grid().SetCurCell(2, 1);
    handlers.onRequest = [](bool& cancel, std::string&, std::int32_t&, ETextEditFlags&) {
        cancel = true;
    };
    Edit();
    EXPECT_EQ(Editor(), 0u);
    handlers.onRequest = nullptr;
    Edit();
    EXPECT_NE(Editor(), 0u) << "the refused request left no editing state behind";
}

struct ConversionCase {
    Variant before;
    const char* typed;
    const char* event;
    Variant after;
};

class Conversions : public EditingGrid, public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(Conversions, FollowTheTypeOfTheOldValueQuietlyWithSilentValidation) {
    const ConversionCase& c = GetParam();
    grid().SetSilentValidation(true);
    display().ClearMessageBoxCalls();
    grid().SetCellValue(2, 1, c.before);
    Edit();
    ASSERT_NE(Editor(), 0u);
    grid().SetTextEditText(c.typed);
    Press(sys::VK_RETURN);
    ASSERT_EQ(log.Of("BeforeCommitEdit").size(), 1u);
    EXPECT_EQ(log.Of("BeforeCommitEdit").back(), c.event);
    EXPECT_EQ(grid().CellValue(2, 1), c.after);
    EXPECT_TRUE(display().MessageBoxCalls().empty());
}

// The whole matrix of types is the conversion rules' own table; these rows check the path.
INSTANTIATE_TEST_SUITE_P(
    Table, Conversions,
    ::testing::Values(
        ConversionCase{Variant(5), "42", "BeforeCommitEdit(2,1,42,Long:42,0)", Variant(42)},
        ConversionCase{Variant(5), "abc", "BeforeCommitEdit(2,1,abc,Empty,13)", Variant()},
        ConversionCase{Variant(), "", "BeforeCommitEdit(2,1,,Empty,0)", Variant()}));

void AnswerMessageBoxWithEnter(sys::HWND, sys::UINT, std::uintptr_t id, sys::DWORD) {
    sys::KillTimer(0, id);
    sys::HeadlessDisplay::Instance().KeyPress(sys::VK_RETURN);
}

TEST_F(EditText, AValueThatDoesNotConvertIsShownInAMessageBoxAndEditingGoesOn) {
    grid().SetCellValue(2, 1, 5);
    display().ShowMessageBoxWindows(true);
    display().ClearMessageBoxCalls();
    Edit();
    Type("abc");
    sys::SetTimer(0, 0, 50, &AnswerMessageBoxWithEnter);
    Press(sys::VK_RETURN);
    display().ShowMessageBoxWindows(false);
    ASSERT_EQ(display().MessageBoxCalls().size(), 1u);
    const sys::MessageBoxCall& box = display().MessageBoxCalls().front();
    EXPECT_EQ(box.text, "Invalid value (Error 13).");
    EXPECT_EQ(box.caption, "Input validation");
    EXPECT_EQ(box.type & sys::MB_ICONMASK, sys::MB_ICONERROR);
    EXPECT_TRUE(log.Of("BeforeCommitEdit").empty());
    EXPECT_EQ(sys::GetFocus(), Editor()) << "the editor has the focus back";
    EXPECT_EQ(grid().TextEditText(), "abc");

    grid().SetTextEditText("8");
    Press(sys::VK_RETURN);
    EXPECT_EQ(grid().CellValue(2, 1), Variant(8));
}

TEST_F(EditText, TheHostsResultDecidesTheEnd) {
    handlers.onBeforeCommit = [](EEditResults& result, Variant&) { result = vxEditResProceed; };
    Edit();
    Type("a");
    Press(sys::VK_RETURN);
    EXPECT_EQ(sys::GetFocus(), Editor()) << "Proceed keeps editing";
    handlers.onBeforeCommit = [](EEditResults& result, Variant&) { result = vxEditResCancel; };
    Press(sys::VK_RETURN);
    EXPECT_EQ(Editor(), 0u);
    EXPECT_EQ(grid().CellValue(2, 1), Variant("2.1"));
    EXPECT_TRUE(log.Of("CancelEdit").empty()) << "a host's cancel raises no CancelEdit";
    handlers.onBeforeCommit = [](EEditResults&, Variant& value) { value = 99; };
    Edit();
    Press(sys::VK_RETURN);
    EXPECT_EQ(grid().CellValue(2, 1), Variant(99));
}

TEST_F(EditText, TheEditorIsPaintedInTheCellsColoursUnselectedAndLeavingItCommits) {
    grid().SetCellBackColor(2, 1, 0x00FFCC);
    grid().SetCellForeColor(2, 1, 0x0000C0);
    Edit();
    sys::RECT editor;
    sys::GetWindowRect(Editor(), &editor);
    EXPECT_EQ(editor.top, ToScreen({0, CellRect(2, 1).top}).y);
    // Right of the selected text, the editor's own background.
    const int right = editor.right - editor.left - 2;
    EXPECT_EQ(display().WindowPixel(Editor(), right, 2), sys::COLORREF(0x00FFCC));
    Type("gone");
    const sys::POINT elsewhere = CellCentre(4, 3);
    display().Click(elsewhere.x, elsewhere.y);
    EXPECT_EQ(grid().CellValue(2, 1), Variant("gone"));
    EXPECT_EQ(Editor(), 0u);
}

TEST_F(EditText, WordBreakingCellsGetAMultiLineEditorWithTheirScrollBars) {
    const auto style = [&] { return sys::UINT(sys::GetWindowLongPtr(Editor(), sys::GWL_STYLE)); };
    grid().SetCellTypeFlags(2, 1, vxTextBoxVScrollBar);
    Edit();
    EXPECT_EQ(style() & (sys::ES_MULTILINE | sys::WS_VSCROLL), 0u);
    grid().CancelEdit();
    grid().SetCellTextFlags(2, 1, vxTextWordBreak);
    Edit();
    EXPECT_EQ(style() & (sys::ES_MULTILINE | sys::WS_VSCROLL | sys::WS_HSCROLL),
              sys::ES_MULTILINE | sys::WS_VSCROLL);
}

TEST_F(EditText, TheSelectionMembersReachTheEditor) {
    grid().SetCellValue(2, 1, "hello world");
    EXPECT_EQ(grid().TextEditSelText(), "");
    Edit();
    grid().SetTextEditSelStart(6);
    grid().SetTextEditSelLength(5);
    EXPECT_EQ(grid().TextEditSelText(), "world");
    grid().SetTextEditSelText("grid");
    EXPECT_EQ(grid().TextEditText(), "hello grid");
    Press(sys::VK_RETURN);
    EXPECT_EQ(grid().CellValue(2, 1), Variant("hello grid"));
    grid().SetTextEditText("ignored");
    EXPECT_EQ(grid().TextEditText(), "");
}

TEST_F(EditText, TheCustomContextMenuReplacesTheEditorsMenu) {
    grid().SetTextEditCustomContextMenu(true);
    Edit();
    sys::RECT editor;
    sys::GetWindowRect(Editor(), &editor);
    display().Click(editor.left + 4, editor.top + 4, 2);
    EXPECT_EQ(log.Of("TextEditCustomContextMenu"),
              std::vector<std::string>{"TextEditCustomContextMenu(2,1)"});
    EXPECT_EQ(sys::GetCapture(), 0u) << "no menu shows";
    grid().SetTextEditCustomContextMenu(false);
    display().Click(editor.left + 4, editor.top + 4, 2);
    EXPECT_EQ(log.Of("TextEditCustomContextMenu").size(), 1u);
    EXPECT_NE(sys::GetCapture(), 0u) << "the editor's own menu shows";
    EXPECT_EQ(sys::GetFocus(), Editor()) << "and editing goes on";
}

}  // namespace
}  // namespace vexa::test
