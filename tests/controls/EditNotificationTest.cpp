// What the parent hears: EN_ notifications in order, the change drawn before EN_CHANGE, focus
// and scroll notifications, a parent destroying the edit while being told, and the clipboard.
#include "controls/EditTestSupport.h"

namespace vexa::sys::testing {
namespace {

struct NotificationCase {
    const char* name;
    void (*act)(HWND edit);
    std::vector<UINT> expected;
};

const NotificationCase kNotificationCases[] = {
    {"TypingTwoCharacters",
     [](HWND) { EditTest::Play("ab"); },
     {EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}},
    {"SetTextToTheSameText", [](HWND edit) { SetWindowText(edit, "start"); }, {}},
    {"SetTextToANewText", [](HWND edit) { SetWindowText(edit, "new"); }, {EN_UPDATE, EN_CHANGE}},
    {"SelectingOnly", [](HWND) { EditTest::Play("{HOME}{S-END}{C-C}"); }, {}},
    {"ReplaceSel",
     [](HWND edit) { SendMessage(edit, EM_REPLACESEL, 1, LPARAM("x")); },
     {EN_UPDATE, EN_CHANGE}},
    {"TypingAtTheLimit",
     [](HWND edit) {
         SendMessage(edit, EM_LIMITTEXT, 5, 0);
         EditTest::Play("x");
     },
     {EN_MAXTEXT}},
    {"PasteCutToTheLimit",
     [](HWND edit) {
         SendMessage(edit, EM_LIMITTEXT, 6, 0);
         EditTest::PutOnClipboard("xyz");
         EditTest::Play("{C-V}");
     },
     {EN_MAXTEXT, EN_UPDATE, EN_CHANGE}},
    {"BackspaceAtTheStart", [](HWND) { EditTest::Play("{HOME}{BACK}"); }, {}},
    {"Undo",
     [](HWND) { EditTest::Play("{BACK}{C-Z}"); },
     {EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}},
};

class EditNotificationTest : public EditTest,
                             public ::testing::WithParamInterface<NotificationCase> {};

TEST_P(EditNotificationTest, ParentHearsInOrder) {
    HWND edit = FocusedEdit();
    SetWindowText(edit, "start");
    SendMessage(edit, EM_SETSEL, 5, 5);
    Log().Clear();
    GetParam().act(edit);
    EXPECT_EQ(Notifications(), GetParam().expected);
    for (const Received& r : Log().Of(WM_COMMAND)) {
        EXPECT_EQ(LOWORD(r.wParam), kEditId);
        EXPECT_EQ(HWND(r.lParam), edit);
    }
}

INSTANTIATE_TEST_SUITE_P(Notifications, EditNotificationTest,
                         ::testing::ValuesIn(kNotificationCases),
                         [](const auto& info) { return std::string(info.param.name); });

bool HasInk(HWND edit) {
    return EditTest::PixelsOf(edit, GetSysColor(COLOR_WINDOW)) <
           EditTest::CountPixels(
               edit, [](COLORREF, int) { return true; });
}

TEST_F(EditTest, ChangeIsSentOnceTheChangeIsDrawnAndUpdateBefore) {
    HWND edit = Edit(0, RECT{10, 10, 60, 30});
    std::vector<std::pair<UINT, bool>> seen;
    Log().handlers[WM_COMMAND] = [&](HWND, WPARAM wParam, LPARAM) {
        seen.emplace_back(HIWORD(wParam), HasInk(edit));
        return LRESULT(0);
    };
    SendMessage(edit, EM_REPLACESEL, 1, LPARAM("W"));
    const std::vector<std::pair<UINT, bool>> expected = {{EN_UPDATE, false}, {EN_CHANGE, true}};
    EXPECT_EQ(seen, expected);
}

TEST_F(EditTest, FocusAndScrollNotifications) {
    HWND edit = Edit(ES_AUTOHSCROLL, RECT{10, 10, 60, 34});
    HWND other = Edit(0, RECT{10, 200, 210, 224});
    Log().Clear();
    POINT inside{5, 5};
    ClientToScreen(edit, &inside);
    ClickAt(inside);
    SetFocus(other);
    EXPECT_EQ(Log().Of(WM_COMMAND, form_).size(), 3u);
    const std::vector<UINT> focus = {EN_SETFOCUS, EN_KILLFOCUS, EN_SETFOCUS};
    EXPECT_EQ(Notifications(), focus);
    SetFocus(edit);
    Log().Clear();
    Play("a long line that cannot fit");
    const std::vector<UINT> codes = Notifications();
    EXPECT_NE(std::find(codes.begin(), codes.end(), EN_HSCROLL), codes.end());
    HWND multi = FocusedEdit(ES_MULTILINE, RECT{10, 50, 110, 90});
    SetWindowText(multi, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8");
    Log().Clear();
    display().Wheel(-WHEEL_DELTA);
    SendMessage(multi, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Notifications(), (std::vector<UINT>{EN_VSCROLL, EN_VSCROLL}));
    EXPECT_EQ(SendMessage(multi, EM_GETFIRSTVISIBLELINE, 0, 0), 4);
}

TEST_F(EditTest, AParentDestroyingTheEditWhileToldOfAChangeIsSafe) {
    HWND edit = FocusedEdit();
    Log().handlers[WM_COMMAND] = [edit](HWND, WPARAM wParam, LPARAM) {
        if (HIWORD(wParam) == EN_UPDATE) DestroyWindow(edit);
        return LRESULT(0);
    };
    Play("abc{C-Z}");
    EXPECT_FALSE(IsWindow(edit));
}

TEST_F(EditTest, ClipboardRoundTripKeepsWholeCharacters) {
    HWND edit = FocusedEdit();
    Play("héllo 😀 wörld{C-LEFT}{S-LEFT}{S-LEFT}{C-C}");
    EXPECT_EQ(ClipboardText(), "😀 ");
    Play("{C-X}");
    EXPECT_EQ(GetWindowText(edit), "héllo wörld");
    Play("{END}{C-V}");
    EXPECT_EQ(GetWindowText(edit), "héllo wörld😀 ");
    Play("{C-Z}");
    EXPECT_EQ(GetWindowText(edit), "héllo wörld");
}

TEST_F(EditTest, WhatTheClipboardGivesDependsOnTheStyle) {
    struct {
        UINT style;
        const char* clip;
        const char* script;
        const char* text;
        const char* clipAfter;
    } cases[] = {
        {0, "first\r\nsecond", "{C-V}", "first", "first\r\nsecond"},
        {ES_MULTILINE, "first\r\nsecond", "{C-V}", "first\r\nsecond", "first\r\nsecond"},
        {ES_NUMBER, "12x", "7{C-V}", "7", "12x"},
        {ES_NUMBER, "345", "{C-V}", "345", "345"},
        {ES_PASSWORD, "kept", "secret{C-A}{C-C}{C-X}", "secret", "kept"},
        {ES_READONLY, "kept", "{C-A}{C-V}{C-X}{DEL}", "", "kept"},
    };
    for (const auto& c : cases) {
        HWND edit = FocusedEdit(c.style | ES_AUTOHSCROLL | ES_AUTOVSCROLL, RECT{10, 10, 210, 90});
        PutOnClipboard(c.clip);
        Play(c.script);
        EXPECT_EQ(GetWindowText(edit), c.text) << c.style;
        EXPECT_EQ(ClipboardText(), c.clipAfter) << c.style;
        DestroyWindow(edit);
    }
}

}  // namespace
}  // namespace vexa::sys::testing
