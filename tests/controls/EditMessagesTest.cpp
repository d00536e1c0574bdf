// The edit messages: characters counted as code points, selection rules, repair of bad UTF-8,
// the length limit, line queries, wrapping, positions, flags, margins and scrolling.
#include "controls/EditTestSupport.h"
#include "vexa/system/paint/Gdi.h"

namespace vexa::sys::testing {
namespace {

LRESULT Send(HWND edit, UINT msg, std::intptr_t wParam = 0, LPARAM lParam = 0) {
    return SendMessage(edit, msg, WPARAM(wParam), lParam);
}

int CharacterCount(HWND edit) {
    const LRESULT lastLine = Send(edit, EM_GETLINECOUNT) - 1;
    const LRESULT start = Send(edit, EM_LINEINDEX, lastLine);
    return int(start + Send(edit, EM_LINELENGTH, start));
}

int LineHeight(HWND edit) {
    return GET_Y_LPARAM(Send(edit, EM_POSFROMCHAR, Send(edit, EM_LINEINDEX, 1))) -
           GET_Y_LPARAM(Send(edit, EM_POSFROMCHAR, 0));
}

std::size_t Count(const std::vector<UINT>& codes, UINT code) {
    return std::size_t(std::count(codes.begin(), codes.end(), code));
}

TEST_F(EditTest, PositionsAndLengthsCountCharactersNotBytes) {
    HWND edit = Edit(0, RECT{10, 10, 210, 34}, 0, "é中😀x");
    EXPECT_EQ(Send(edit, EM_LINELENGTH, 0), 4);
    EXPECT_EQ(Send(edit, WM_GETTEXTLENGTH), 10);  // bytes: what a buffer needs
    char buffer[7];
    EXPECT_EQ(Send(edit, WM_GETTEXT, sizeof buffer, LPARAM(buffer)), 5);
    EXPECT_STREQ(buffer, "é中");  // the emoji did not fit whole, so none of it is copied
    Send(edit, EM_SETSEL, 1, 3);
    Send(edit, EM_REPLACESEL, 1, LPARAM("ü"));
    EXPECT_EQ(GetWindowText(edit), "éüx");
    EXPECT_EQ(Send(edit, EM_GETSEL), MAKELPARAM(2, 2));
}

TEST_F(EditTest, SetSelTakesMinusOneAsTheClassicControlDoes) {
    HWND edit = Edit(0, RECT{10, 10, 210, 34}, 0, "hello");
    struct {
        std::intptr_t start;
        LPARAM end;
        std::pair<int, int> selection;
    } steps[] = {{0, -1, {0, 5}}, {4, 2, {2, 4}}, {-1, 0, {2, 2}}, {1, 99, {1, 5}}, {3, 3, {3, 3}}};
    for (const auto& step : steps) {
        Send(edit, EM_SETSEL, step.start, step.end);
        EXPECT_EQ(Selection(edit), step.selection) << step.start << "," << step.end;
    }
}

TEST_F(EditTest, BadUtf8IsRepairedWhereverItComesFrom) {
    const std::pair<const char*, const char*> cases[] = {
        {"a\xC3(b", "a\uFFFD(b"},
        {"x\xF0\x9F\x98", "x\uFFFD"},
        {"\xE0\x80\x80", "\uFFFD\uFFFD\uFFFD"},
        {"\xED\xA0\x80z", "\uFFFD\uFFFD\uFFFDz"},
        {"\xF4\x90\x80\x80", "\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xFF\xC0\xAF", "\uFFFD\uFFFD\uFFFD"},
    };
    HWND edit = FocusedEdit();
    for (const auto& [bad, repaired] : cases) {
        SetWindowText(edit, bad);
        EXPECT_EQ(GetWindowText(edit), repaired);
        SetWindowText(edit, "");
        PutOnClipboard(bad);
        Play("{C-V}");
        EXPECT_EQ(GetWindowText(edit), repaired);
    }
}

TEST_F(EditTest, TheLimitCutsTypedPastedAndReplacedTextButNotSetText) {
    HWND edit = FocusedEdit();
    EXPECT_EQ(Send(edit, EM_GETLIMITTEXT), LRESULT(kEditDefaultLimit));
    Send(edit, EM_LIMITTEXT, 5);
    Play("abcdefg");
    EXPECT_EQ(GetWindowText(edit), "abcde");
    EXPECT_EQ(Count(Notifications(), EN_MAXTEXT), 2u);
    Send(edit, EM_SETSEL, 1, 3);
    PutOnClipboard("XYZW");
    Play("{C-V}");
    EXPECT_EQ(GetWindowText(edit), "aXYde");
    Send(edit, EM_REPLACESEL, 1, LPARAM("123"));
    EXPECT_EQ(GetWindowText(edit), "aXYde");
    Send(edit, EM_LIMITTEXT, 6);
    Send(edit, EM_SETSEL, 5, 5);
    PutOnClipboard("👍🏽");  // two code points shown as one: not split by the limit
    Play("{C-V}");
    EXPECT_EQ(GetWindowText(edit), "aXYde");
    SetWindowText(edit, "longer than the limit");
    EXPECT_EQ(GetWindowText(edit), "longer than the limit");
    Send(edit, EM_LIMITTEXT, 0);
    EXPECT_EQ(Send(edit, EM_GETLIMITTEXT), LRESULT(kEditMaxSingleLineLimit));
    HWND multi = Edit(ES_MULTILINE);
    Send(multi, EM_LIMITTEXT, 0);
    EXPECT_EQ(std::uint32_t(Send(multi, EM_GETLIMITTEXT)), kEditMaxMultiLineLimit);
}

TEST_F(EditTest, WithoutAutoScrollOnlyWhatFitsIsTaken) {
    HWND narrow = FocusedEdit(0, RECT{10, 10, 60, 34});
    Play("abcdefghijklmnopqrstuvwxyz");
    const int taken = int(Send(narrow, EM_LINELENGTH, 0));
    EXPECT_GT(taken, 0);
    EXPECT_LT(taken, 26);
    EXPECT_EQ(Count(Notifications(), EN_MAXTEXT), std::size_t(26 - taken));
    RECT client;
    GetClientRect(narrow, &client);
    EXPECT_LE(GET_X_LPARAM(Send(narrow, EM_POSFROMCHAR, taken - 1)), client.right);
    HWND twoLines = FocusedEdit(ES_MULTILINE, RECT{10, 50, 110, 86});
    Play("one two three four five six seven eight nine ten eleven twelve");
    GetClientRect(twoLines, &client);
    EXPECT_EQ(Send(twoLines, EM_GETLINECOUNT), client.bottom / LineHeight(twoLines));
}

TEST_F(EditTest, LineQueriesOfAMultiLineEdit) {
    HWND edit = Edit(ES_MULTILINE | ES_AUTOHSCROLL, RECT{10, 10, 210, 110}, 0, "ab\r\ncde\nf");
    EXPECT_EQ(Send(edit, EM_GETLINECOUNT), 3);
    const std::pair<std::intptr_t, LRESULT> indexes[] = {{0, 0}, {1, 4}, {2, 8}, {3, -1}};
    for (auto [line, start] : indexes) EXPECT_EQ(Send(edit, EM_LINEINDEX, line), start);
    const std::pair<std::intptr_t, LRESULT> lineOfChar[] = {
        {0, 0}, {3, 0}, {5, 1}, {8, 2}, {99, 2}};
    for (auto [c, line] : lineOfChar) EXPECT_EQ(Send(edit, EM_LINEFROMCHAR, c), line);
    EXPECT_EQ(Send(edit, EM_LINELENGTH, 5), 3);
    Send(edit, EM_SETSEL, 1, 5);
    EXPECT_EQ(Send(edit, EM_LINELENGTH, -1), 3);  // "a" before and "de" after the selection
    char line[8] = {8, 0};
    EXPECT_EQ(Send(edit, EM_GETLINE, 1, LPARAM(line)), 3);
    EXPECT_EQ(std::string(line, 3), "cde");
    SetWindowText(edit, "a\r\n");
    EXPECT_EQ(Send(edit, EM_GETLINECOUNT), 2);
}

TEST_F(EditTest, WordWrappingFollowsTheWidth) {
    const std::string text =
        "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda "
        "supercalifragilisticexpialidocious";
    HWND edit = Edit(ES_MULTILINE, RECT{10, 10, 130, 210}, 0, text.c_str());
    RECT client;
    GetClientRect(edit, &client);
    const int lines = int(Send(edit, EM_GETLINECOUNT));
    ASSERT_GT(lines, 3);
    const std::size_t longWord = text.find("super");
    for (int i = 1; i < lines; ++i) {
        const auto start = std::size_t(Send(edit, EM_LINEINDEX, i));
        const auto length = std::size_t(Send(edit, EM_LINELENGTH, std::intptr_t(start)));
        // Lines start after a space, unless a word wider than the window had to be split.
        EXPECT_TRUE(text[start - 1] == ' ' || start > longWord) << i;
        const std::size_t last = text.find_last_not_of(' ', start + length - 1);
        EXPECT_LT(GET_X_LPARAM(Send(edit, EM_POSFROMCHAR, std::intptr_t(last))), client.right) << i;
    }
    MoveWindow(edit, 10, 10, 390, 200);
    EXPECT_LT(Send(edit, EM_GETLINECOUNT), lines);
}

TEST_F(EditTest, PositionOfEachCharacterMapsBackToIt) {
    const std::string text = "wrap me around é中😀 please\r\nsecond\r\n\r\nlast";
    HWND edit = Edit(ES_MULTILINE, RECT{10, 10, 110, 210}, 0, text.c_str());
    const int length = CharacterCount(edit);
    ASSERT_EQ(length, 41);
    for (int i = 0; i < length; ++i) {
        const LPARAM pos = Send(edit, EM_POSFROMCHAR, i);
        ASSERT_NE(pos, -1) << i;
        const LRESULT back =
            Send(edit, EM_CHARFROMPOS, 0, MAKELPARAM(GET_X_LPARAM(pos) + 1, GET_Y_LPARAM(pos) + 1));
        const int line = int(Send(edit, EM_LINEFROMCHAR, i));
        const int lineEnd = int(Send(edit, EM_LINEINDEX, line) + Send(edit, EM_LINELENGTH, i));
        if (i < lineEnd) {
            EXPECT_EQ(LOWORD(back), i) << i;
        }
        EXPECT_EQ(HIWORD(back), line) << i;
    }
    EXPECT_EQ(Send(edit, EM_POSFROMCHAR, length), -1);
}

TEST_F(EditTest, ModifyAndUndoFlags) {
    HWND edit = FocusedEdit();
    EXPECT_EQ(Send(edit, EM_GETMODIFY) | Send(edit, EM_CANUNDO), 0);
    Play("ab");
    EXPECT_EQ(Send(edit, EM_GETMODIFY) & Send(edit, EM_CANUNDO), 1);
    Send(edit, EM_SETMODIFY, 0);
    EXPECT_EQ(Send(edit, EM_GETMODIFY), 0);
    SetWindowText(edit, "xyz");
    EXPECT_EQ(Send(edit, EM_GETMODIFY) | Send(edit, EM_CANUNDO), 0);
    Send(edit, EM_REPLACESEL, 0, LPARAM("1"));
    EXPECT_EQ(Send(edit, EM_CANUNDO), 0);
    EXPECT_EQ(Send(edit, EM_GETMODIFY), 1);
    Send(edit, EM_REPLACESEL, 1, LPARAM("2"));
    Send(edit, WM_UNDO);
    EXPECT_EQ(GetWindowText(edit), "1xyz");
    Send(edit, EM_EMPTYUNDOBUFFER);
    EXPECT_EQ(Send(edit, EM_CANUNDO), 0);
}

TEST_F(EditTest, MarginsMoveTheFormattingRectangleAndAFontChangesLineHeightAndWidths) {
    HWND edit = Edit(ES_MULTILINE, RECT{10, 10, 210, 110}, 0, "abc\r\ncd");
    Send(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(5, 7));
    EXPECT_EQ(Send(edit, EM_GETMARGINS), MAKELPARAM(5, 7));
    RECT client;
    RECT format;
    GetClientRect(edit, &client);
    Send(edit, EM_GETRECT, 0, LPARAM(&format));
    EXPECT_EQ(format.left, 5);
    EXPECT_EQ(format.right, client.right - 7);
    EXPECT_EQ(GET_X_LPARAM(Send(edit, EM_POSFROMCHAR, 0)), 5);
    const RECT chosen{20, 0, 100, 20};
    Send(edit, EM_SETRECT, 0, LPARAM(&chosen));
    EXPECT_EQ(GET_X_LPARAM(Send(edit, EM_POSFROMCHAR, 0)), 20);
    Send(edit, EM_SETRECT, 0, 0);
    EXPECT_EQ(GET_X_LPARAM(Send(edit, EM_POSFROMCHAR, 0)), 5);
    // A font changes the line height and the widths, and no font brings the old ones back.
    const int height = LineHeight(edit);
    const int width = GET_X_LPARAM(Send(edit, EM_POSFROMCHAR, 1));
    const HFONT big = CreateFontFromFields(FontFields{.Size = 20});
    Send(edit, WM_SETFONT, std::intptr_t(big), 1);
    EXPECT_EQ(Send(edit, WM_GETFONT), LRESULT(big));
    EXPECT_GT(LineHeight(edit), height);
    EXPECT_GT(GET_X_LPARAM(Send(edit, EM_POSFROMCHAR, 1)), width);
    Send(edit, WM_SETFONT, 0, 1);
    EXPECT_EQ(Send(edit, WM_GETFONT), 0);
    EXPECT_EQ(LineHeight(edit), height);
    DeleteObject(big);
}

TEST_F(EditTest, ScrollingMessagesMoveTheFirstVisibleLine) {
    std::string text;
    for (int i = 0; i < 20; ++i) text += "line " + std::to_string(i) + "\r\n";
    HWND edit = Edit(ES_MULTILINE | ES_AUTOVSCROLL, RECT{10, 10, 210, 70}, 0, text.c_str());
    RECT client;
    GetClientRect(edit, &client);
    const int visible = client.bottom / LineHeight(edit);
    ASSERT_GT(visible, 1);
    Send(edit, EM_LINESCROLL, 0, 5);
    EXPECT_EQ(Send(edit, EM_GETFIRSTVISIBLELINE), 5);
    Send(edit, EM_SCROLL, SB_PAGEDOWN);
    EXPECT_EQ(Send(edit, EM_GETFIRSTVISIBLELINE), 5 + visible);
    Send(edit, WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(Send(edit, EM_GETFIRSTVISIBLELINE), 21 - visible);
    Send(edit, EM_SETSEL, 2, 2);
    EXPECT_EQ(Send(edit, EM_GETFIRSTVISIBLELINE), 0);  // the caret was brought into view
}

}  // namespace
}  // namespace vexa::sys::testing
