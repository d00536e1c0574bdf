// The mouse through the real input path: placing the caret, dragging and extending the
// selection, selecting words, and the context menu (mouse and keyboard).
#include "controls/EditTestSupport.h"
#include "vexa/system/controls/EditContextMenu.h"

namespace vexa::sys::testing {
namespace {

class EditMouseTest : public EditTest {
  protected:
    HWND TextEdit(const char* text) {
        HWND edit = Edit(ES_AUTOHSCROLL, RECT{10, 10, 310, 34}, 0, text);
        SetFocus(edit);
        PumpMessages();
        return edit;
    }
    // The menu the edit opened: the top window under a point just inside its corner.
    static HWND MenuAt(POINT screen) {
        const HWND menu = WindowFromPoint(POINT{screen.x + 3, screen.y + 3});
        return GetClassName(menu) == "VexaEditMenu" ? menu : 0;
    }
    static POINT ItemCentre(HWND menu, int item) {
        const RECT r = EditContextMenu::ItemRect(menu, item);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(menu, &p);
        return p;
    }
};

TEST_F(EditMouseTest, AClickPlacesTheCaretBeforeTheCharacterClicked) {
    HWND edit = TextEdit("hello wörld 😀!");
    for (int index : {0, 3, 6, 8, 12, 13}) {
        ClickAt(ScreenPointOf(edit, index));
        EXPECT_EQ(Selection(edit), std::make_pair(index, index));
    }
}

TEST_F(EditMouseTest, DraggingSelectsAndShiftClickExtends) {
    HWND edit = TextEdit("drag across this text");
    const POINT from = ScreenPointOf(edit, 5);
    const POINT to = ScreenPointOf(edit, 11);
    display().Drag(from.x, from.y, to.x, to.y);
    EXPECT_EQ(Selection(edit), std::make_pair(5, 11));
    EXPECT_EQ(GetCapture(), 0u);
    display().KeyDown(VK_SHIFT);
    ClickAt(ScreenPointOf(edit, 16));
    display().KeyUp(VK_SHIFT);
    EXPECT_EQ(Selection(edit), std::make_pair(5, 16));
    display().Drag(to.x, to.y, from.x, from.y);  // backwards: the caret is the start
    Play("{S-LEFT}");
    EXPECT_EQ(Selection(edit), std::make_pair(4, 11));
}

TEST_F(EditMouseTest, DoubleClickSelectsTheWordUnderThePointer) {
    HWND edit = TextEdit("hello wonderful, world");
    const std::pair<int, std::pair<int, int>> cases[] = {
        {8, {6, 15}}, {14, {6, 15}}, {0, {0, 5}}, {15, {15, 16}}, {20, {17, 22}}};
    for (const auto& [index, word] : cases) {
        const POINT p = ScreenPointOf(edit, index, 2);
        display().AdvanceClock(GetDoubleClickTime() + 1);
        display().DoubleClick(p.x, p.y);
        EXPECT_EQ(Selection(edit), word) << index;
    }
}

TEST_F(EditMouseTest, RightClickOpensTheMenuWhoseItemsActAndAClickOutsideClosesIt) {
    HWND edit = TextEdit("menu text");
    const POINT at = ScreenPointOf(edit, 2);
    display().MouseMove(at.x, at.y);
    display().MouseDown(2);
    display().MouseUp(2);
    HWND menu = MenuAt(at);
    ASSERT_NE(menu, 0u);
    EXPECT_EQ(GetFocus(), edit);   // the menu never takes the focus
    ClickAt(ItemCentre(menu, 2));  // Copy: disabled without a selection, nothing happens
    EXPECT_TRUE(IsWindow(menu));
    ClickAt(ItemCentre(menu, 5));  // Select All
    EXPECT_FALSE(IsWindow(menu));
    EXPECT_EQ(Selection(edit), std::make_pair(0, 9));
    // A click outside closes the menu and does nothing else.
    Play("{APPS}");
    POINT elsewhere{5, 250};
    ClientToScreen(form_, &elsewhere);
    ClickAt(elsewhere);
    EXPECT_EQ(MenuAt(ScreenPointOf(edit, 0, 0, 0)), 0u);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Selection(edit), std::make_pair(0, 9));
    Play("{S-F10}");
    menu = MenuAt(ScreenPointOf(edit, 0, 0, 0));
    PutOnClipboard("old");
    Play("{DOWN}{DOWN}{ENTER}");  // Undo is disabled: Cut, then Copy is highlighted
    EXPECT_EQ(ClipboardText(), "menu text");
    EXPECT_EQ(GetWindowText(edit), "menu text");
    Play("{APPS}t");  // the mnemonic of Cut
    EXPECT_EQ(GetWindowText(edit), "");
    Play("{APPS}{ESC}x");
    EXPECT_EQ(GetWindowText(edit), "x");
}

LRESULT KeepContextMenu(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CONTEXTMENU) {
        Log().messages.push_back(Received{hwnd, msg, wParam, lParam});
        return 0;
    }
    return CallWindowProc(&EditWindowProc, hwnd, msg, wParam, lParam);
}

TEST_F(EditMouseTest, ASubclassCanTakeTheContextMenuRequest) {
    HWND edit = TextEdit("abc");
    SetWindowLongPtr(edit, GWLP_WNDPROC, LPARAM(&KeepContextMenu));
    Log().Clear();
    Play("{S-F10}");
    const POINT at = ScreenPointOf(edit, 1);
    display().MouseMove(at.x, at.y);
    display().Click(at.x, at.y, 2);
    ASSERT_EQ(Log().Of(WM_CONTEXTMENU, edit).size(), 2u);
    EXPECT_EQ(Log().Of(WM_CONTEXTMENU, edit)[0].lParam, -1);
    EXPECT_EQ(Log().Of(WM_CONTEXTMENU, edit)[1].lParam, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(MenuAt(at), 0u);
}

}  // namespace
}  // namespace vexa::sys::testing
