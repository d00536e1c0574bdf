// The combo box's messages: results and refusals, item data and heights, the owner-draw
// measuring protocol, fonts, and the structure of the box and its list.
#include "controls/ComboTestSupport.h"

namespace vexa::sys::combo_testing {
namespace {

using ComboBoxMessageTest = ComboTest;

TEST_F(ComboBoxMessageTest, MessagesAnswerAsTheClassicBoxAndRefuseBadIndicesWithCbErr) {
    MakeCombo(CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS, {"alpha", "beta", "gamma"});
    char text[32] = {};
    const LPARAM buffer = LPARAM(text);
    const WPARAM none = WPARAM(-1);
    const struct {
        const char* what;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
    } rows[] = {
        {"count", CB_GETCOUNT, 0, 0, 3},
        {"select", CB_SETCURSEL, 2, 0, 2},
        {"select past the end", CB_SETCURSEL, 3, 0, CB_ERR},
        {"nothing selected after a refused selection", CB_GETCURSEL, 0, 0, CB_ERR},
        {"text", CB_GETLBTEXT, 1, buffer, 4},
        {"text past the end", CB_GETLBTEXT, 3, buffer, CB_ERR},
        {"text length", CB_GETLBTEXTLEN, 2, 0, 5},
        {"text length of -2", CB_GETLBTEXTLEN, WPARAM(-2), 0, CB_ERR},
        {"set data", CB_SETITEMDATA, 1, 77, CB_OKAY},
        {"data", CB_GETITEMDATA, 1, 0, 77},
        {"set data past the end", CB_SETITEMDATA, 3, 77, CB_ERR},
        {"data past the end", CB_GETITEMDATA, 3, 0, CB_ERR},
        {"insert beyond the end", CB_INSERTSTRING, 4, Text("x"), CB_ERR},
        {"delete past the end", CB_DELETESTRING, 3, 0, CB_ERR},
        {"item height", CB_SETITEMHEIGHT, 1, 25, CB_OKAY},
        {"the item's height", CB_GETITEMHEIGHT, 1, 0, 25},
        {"height of a missing item", CB_SETITEMHEIGHT, 9, 20, CB_ERR},
        {"height 0", CB_SETITEMHEIGHT, 0, 0, CB_ERR},
        {"asking a missing item's height", CB_GETITEMHEIGHT, 3, 0, CB_ERR},
        {"top index", CB_SETTOPINDEX, 1, 0, CB_OKAY},
        {"top index past the end", CB_SETTOPINDEX, 3, 0, CB_ERR},
        {"find a prefix", CB_FINDSTRING, none, Text("GA"), 2},
        {"find nothing", CB_FINDSTRING, none, Text("delta"), CB_ERR},
        {"find exactly", CB_FINDSTRINGEXACT, 0, Text("ALPHA"), 0},
        {"select by prefix", CB_SELECTSTRING, none, Text("be"), 1},
        {"select by a missing prefix", CB_SELECTSTRING, none, Text("z"), CB_ERR},
        {"selection kept by a failed search", CB_GETCURSEL, 0, 0, 1},
        {"dropped width", CB_SETDROPPEDWIDTH, 250, 0, 250},
        {"dropped width below the box's", CB_SETDROPPEDWIDTH, 50, 0, 160},
        {"not dropped", CB_GETDROPPEDSTATE, 0, 0, 0},
        {"delete", CB_DELETESTRING, 0, 0, 2},
        {"the selection follows its item", CB_GETCURSEL, 0, 0, 0},
        {"insert before the selection", CB_INSERTSTRING, 0, Text("first"), 0},
        {"the selection moves with it", CB_GETCURSEL, 0, 0, 1},
        {"delete the selected item", CB_DELETESTRING, 1, 0, 2},
        {"no selection left", CB_GETCURSEL, 0, 0, CB_ERR},
        {"reset", CB_RESETCONTENT, 0, 0, CB_OKAY},
        {"empty", CB_GETCOUNT, 0, 0, 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SendMessage(combo, row.msg, row.wParam, row.lParam), row.result) << row.what;
    }
}

// Searches fold case by Unicode rules, start after an item and wrap round.
TEST_F(ComboBoxMessageTest, SearchesIgnoreCaseStartAfterAnItemAndWrap) {
    MakeCombo(0, {"apple", "Banana", "avocado", "ÉCLAIR", "Straße", "", "APPLE"});
    const struct {
        const char* text;
        int after;
        LRESULT prefix;  // CB_FINDSTRING
        LRESULT exact;   // CB_FINDSTRINGEXACT
    } rows[] = {{"a", -1, 0, CB_ERR},   {"a", 0, 2, CB_ERR},          {"APP", 6, 0, CB_ERR},
                {"apple", 0, 6, 6},     {"éclair", -1, 3, 3},         {"STRASSE", -1, 4, 4},
                {"ban", 99, 1, CB_ERR}, {"kiwi", -1, CB_ERR, CB_ERR}, {"", 2, 3, 5}};
    for (const auto& row : rows) {
        const WPARAM after = WPARAM(row.after);
        EXPECT_EQ(SendMessage(combo, CB_FINDSTRING, after, Text(row.text)), row.prefix)
            << row.text << " after " << row.after;
        EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, after, Text(row.text)), row.exact)
            << row.text << " after " << row.after;
    }
}

TEST_F(ComboBoxMessageTest, TextItemsAndTheBoxFollowTheFontAndTheListIsAnOwnedPopup) {
    MakeCombo(0, {"one", "two"});
    SendMessage(combo, CB_SETCURSEL, 1);
    const LRESULT small = SendMessage(combo, CB_GETITEMHEIGHT, 0);
    const int smallBox = RectOf(combo).bottom - RectOf(combo).top;
    LOGFONT big;
    big.lfHeight = -30;
    HFONT font = CreateFontIndirect(&big);
    SendMessage(combo, WM_SETFONT, font, 1);
    EXPECT_EQ(HFONT(SendMessage(combo, WM_GETFONT)), font);
    EXPECT_GT(SendMessage(combo, CB_GETITEMHEIGHT, 0), small + 10);
    EXPECT_EQ(RectOf(combo).bottom - RectOf(combo).top - smallBox,
              SendMessage(combo, CB_GETITEMHEIGHT, WPARAM(-1)) - small);
    char text[8];
    EXPECT_EQ(SendMessage(combo, WM_GETTEXT, sizeof text, LPARAM(text)), 3);
    EXPECT_STREQ(text, "two");
    // The list is a hidden topmost popup owned by the form, gone with the box.
    const COMBOBOXINFO info = Info();
    EXPECT_EQ(info.hwndCombo, combo);
    EXPECT_EQ(info.hwndItem, combo);
    EXPECT_EQ(GetClassName(info.hwndList), "ComboLBox");
    EXPECT_EQ(GetWindow(list, GW_OWNER), form);
    EXPECT_NE(GetWindowLongPtr(list, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(info.rcButton.right, 160 - 2);
    EXPECT_FALSE(GetComboBoxInfo(form, nullptr));
    COMBOBOXINFO other;
    EXPECT_FALSE(GetComboBoxInfo(form, &other));
    DestroyWindow(combo);
    EXPECT_FALSE(IsWindow(list));
    DeleteObject(font);
}

TEST_F(ComboBoxMessageTest, VariableHeightsAreAskedOncePerItemWhenFirstNeeded) {
    Form().heightOf = [](int item) { return item < 0 ? 22 : 16 + item % 3 * 4; };
    MakeCombo(CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, WPARAM(-1)), 22);
    for (int i = 0; i < 5; ++i) SendMessage(combo, CB_ADDSTRING, 0, Text("item"));
    SendMessage(combo, CB_SETITEMHEIGHT, 4, 40);
    EXPECT_TRUE(Form().measured.empty());
    EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, 2), 24);
    SendMessage(combo, CB_SHOWDROPDOWN, 1);
    PumpMessages();
    EXPECT_EQ(Form().measured, (std::vector<int>{2, 0, 1, 3}));
    EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, 4), 40);
    EXPECT_EQ(RectOf(list).bottom - RectOf(list).top, 16 + 20 + 24 + 16 + 40 + 2);
}

TEST_F(ComboBoxMessageTest, FixedOwnerDrawnHeightsAreAskedAtCreationAndItemsKeepTheirValue) {
    Form().heightOf = [](int item) { return item < 0 ? 21 : 19; };
    MakeCombo(CBS_OWNERDRAWFIXED);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, WPARAM(-1)), 21);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, 0), 19);
    EXPECT_EQ(SendMessage(combo, CB_ADDSTRING, 0, 1234), 0);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMDATA, 0), 1234);
    EXPECT_EQ(SendMessage(combo, CB_FINDSTRING, WPARAM(-1), 1234), 0);
    EXPECT_EQ(SendMessage(combo, CB_GETLBTEXTLEN, 0), LRESULT(sizeof(std::uintptr_t)));
    EXPECT_TRUE(Form().measured.empty());
}

}  // namespace
}  // namespace vexa::sys::combo_testing
