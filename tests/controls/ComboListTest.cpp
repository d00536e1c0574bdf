// The dropped list: where it opens, a parent moving it while asked for colours, what it draws
// (owner-drawn pixels, only the items in view), items removed while it is open, its scroll
// bar, the wheel and its themed look.
#include <set>

#include "controls/ComboTestSupport.h"

namespace vexa::sys::combo_testing {
namespace {

using ComboListTest = ComboTest;

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back("Item " + std::to_string(i));
    return items;
}

int TopIndex(HWND combo) {
    return int(SendMessage(combo, CB_GETTOPINDEX));
}

TEST_F(ComboListTest, OpensBelowTheBoxOrAboveItAtTheFootOfTheScreen) {
    MakeCombo(0, Numbered(4));
    SendMessage(combo, CB_SETDROPPEDWIDTH, 220);
    SendMessage(combo, CB_SHOWDROPDOWN, 1);
    RECT expected = RectOf(combo), dropped;
    expected.right = expected.left + 220;
    expected.top = expected.bottom;
    expected.bottom += 4 * int(SendMessage(combo, CB_GETITEMHEIGHT, 0)) + 2;
    EXPECT_EQ(RectOf(list), expected);
    SendMessage(combo, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&dropped));
    EXPECT_EQ(dropped,
              (RECT{RectOf(combo).left, RectOf(combo).top, expected.right, expected.bottom}));
    SendMessage(combo, CB_SHOWDROPDOWN, 0);

    MoveWindow(form, 100, GetSystemMetrics(SM_CYSCREEN) - 60, 400, 60);
    SendMessage(combo, CB_SHOWDROPDOWN, 1);
    EXPECT_EQ(RectOf(list).bottom, RectOf(combo).top);
}

TEST_F(ComboListTest, APlaceGivenWhileTheListAsksForColoursSticks) {
    MakeCombo(CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, Numbered(12));
    const RECT cell{640, 300, 790, 300 + 5 * 18 + 2};
    bool pending = true;
    Form().onListColors = [&](HWND dropped) {
        if (pending) MoveWindow(dropped, cell.left, cell.top, cell.right - cell.left, 5 * 18 + 2);
        pending = false;
    };
    SendMessage(combo, CB_SETCURSEL, 6);
    SendMessage(combo, CB_SHOWDROPDOWN, 1);
    EXPECT_EQ(RectOf(list), cell);
    EXPECT_EQ(TopIndex(combo), 2);  // the selection stays in view in the smaller list
    SetFocus(combo);
    display().KeyPress(VK_DOWN);
    SendMessage(combo, CB_ADDSTRING, 0, Text("one more"));
    PumpMessages();
    EXPECT_EQ(RectOf(list), cell);
    for (int i = 3; i < 8; ++i) {
        const POINT p = ItemPoint(i);
        EXPECT_EQ(display().ScreenPixel(p.x, p.y), i == 7 ? kSelectedInk : ItemInk(i)) << i;
    }
}

TEST_F(ComboListTest, OwnerDrawnItemsArePaintedWhereTheyAreWithTheirStates) {
    Form().heightOf = [](int item) { return 16 + (item + 3) % 3 * 6; };
    MakeCombo(CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS, Numbered(6));
    SendMessage(combo, CB_SETCURSEL, 2);
    SetFocus(combo);
    display().KeyPress(VK_F4);
    for (int i = 0; i < 6; ++i) {
        const POINT p = ItemPoint(i);
        EXPECT_EQ(display().ScreenPixel(p.x, p.y), i == 2 ? kSelectedInk : ItemInk(i)) << i;
    }
    std::vector<std::pair<int, UINT>> opened;
    for (const DrawRecord& d : Form().ListDraws()) {
        EXPECT_EQ(d.action, UINT(ODA_DRAWENTIRE));
        opened.push_back({d.itemId, d.state});
    }
    const UINT selected = ODS_SELECTED | ODS_FOCUS;
    EXPECT_EQ(opened, (std::vector<std::pair<int, UINT>>{
                          {0, 0}, {1, 0}, {2, selected}, {3, 0}, {4, 0}, {5, 0}}));

    Form().drawn.clear();
    display().KeyPress(VK_DOWN);
    std::vector<std::tuple<int, UINT, UINT>> moved;
    for (const DrawRecord& d : Form().ListDraws()) moved.push_back({d.itemId, d.action, d.state});
    EXPECT_EQ(moved, (std::vector<std::tuple<int, UINT, UINT>>{{2, ODA_SELECT, 0},
                                                               {3, ODA_SELECT, selected}}));
    const POINT p = ItemPoint(3);
    EXPECT_EQ(display().ScreenPixel(p.x, p.y), kSelectedInk);
    for (const DrawRecord& d : Form().drawn) {
        // The field shows the selection.
        if (d.state & ODS_COMBOBOXEDIT) {
            EXPECT_EQ(d.itemId, 3);
        }
    }
}

TEST_F(ComboListTest, TenThousandItemsMeasureAndDrawOnlyWhatIsInView) {
    Form().heightOf = [](int item) { return 17 + item % 2; };
    MakeCombo(CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS, Numbered(10000));
    EXPECT_TRUE(Form().measured.empty());
    SetFocus(combo);
    display().KeyPress(VK_F4);
    const auto inView = [&] {
        std::set<int> items;
        for (const DrawRecord& d : Form().ListDraws()) items.insert(d.itemId);
        return items;
    };
    const int page = (RectOf(list).bottom - RectOf(list).top) / 17 + 1;
    EXPECT_LE(int(Form().ListDraws().size()), page);
    EXPECT_EQ(*inView().begin(), 0);
    EXPECT_LT(Form().measured.size(), 3u * page);  // the first page and the last one

    Form().Clear();
    display().KeyPress(VK_END);
    const std::set<int> shown = inView();
    EXPECT_EQ(*shown.rbegin(), 9999);
    EXPECT_EQ(*shown.begin(), TopIndex(combo));
    EXPECT_LE(int(shown.size()), page);
    EXPECT_LE(int(Form().ListDraws().size()), page + 2);
    EXPECT_LT(Form().measured.size(), 3u * page);
}

TEST_F(ComboListTest, ItemsRemovedWhileOpenLeaveTheListInPlaceAndConsistent) {
    MakeCombo(CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, Numbered(30));
    SendMessage(combo, CB_SETCURSEL, 20);
    SetFocus(combo);
    display().KeyPress(VK_F4);
    Form().Clear();
    const RECT place = RectOf(list);
    SendMessage(combo, CB_DELETESTRING, 0);
    EXPECT_EQ(Selection(), 19);
    SendMessage(combo, CB_DELETESTRING, 19);
    EXPECT_EQ(Selection(), CB_ERR);
    while (SendMessage(combo, CB_GETCOUNT) > 3) SendMessage(combo, CB_DELETESTRING, 3);
    PumpMessages();
    EXPECT_EQ(RectOf(list), place);
    EXPECT_EQ(TopIndex(combo), 0);
    EXPECT_EQ(GetWindowLongPtr(list, GWL_STYLE) & WS_VSCROLL, 0);  // all items fit now
    const POINT below = ItemPoint(3);
    EXPECT_EQ(display().ScreenPixel(below.x, below.y), GetSysColor(COLOR_WINDOW));
    display().KeyPress(VK_DOWN);
    SendMessage(combo, CB_RESETCONTENT);
    display().KeyPress(VK_DOWN);
    display().KeyPress(VK_RETURN);
    EXPECT_EQ(Form().notifications, (std::vector<UINT>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(Selection(), CB_ERR);
}

TEST_F(ComboListTest, TheScrollBarAndTheWheelScrollWithoutClosingOrSelecting) {
    MakeCombo(0, Numbered(60));
    SetFocus(combo);
    display().KeyPress(VK_F4);
    Form().Clear();
    ASSERT_NE(GetWindowLongPtr(list, GWL_STYLE) & WS_VSCROLL, 0);
    const RECT outer = RectOf(list);
    const int barX = outer.right - 1 - GetSystemMetrics(SM_CXVSCROLL) / 2;
    const int arrow = GetSystemMetrics(SM_CXVSCROLL);
    display().Click(barX, outer.bottom - 1 - arrow / 2);
    EXPECT_EQ(TopIndex(combo), 1);
    display().MouseDown();
    display().AdvanceClock(350 + 3 * 50);  // the delay, then three repeats
    display().MouseUp();
    EXPECT_EQ(TopIndex(combo), 6);
    display().Wheel(-WHEEL_DELTA);
    EXPECT_EQ(TopIndex(combo), 9);
    display().Click(barX, outer.top + 1 + arrow / 2);
    EXPECT_EQ(TopIndex(combo), 8);
    display().Drag(barX, outer.top + arrow + 3 + 8 * (outer.bottom - outer.top) / 60, barX,
                   outer.bottom - 2, 6);
    const int lastPage = TopIndex(combo);
    EXPECT_GT(lastPage, 40);
    EXPECT_EQ(SendMessage(combo, CB_SETTOPINDEX, 59), CB_OKAY);
    EXPECT_EQ(TopIndex(combo), lastPage);
    EXPECT_TRUE(Dropped());
    EXPECT_EQ(Selection(), CB_ERR);
    EXPECT_TRUE(Form().notifications.empty());
}

TEST_F(ComboListTest, DraggingPastAnEdgeScrollsAndTracksTheItemComingIntoView) {
    MakeCombo(0, Numbered(60));
    SendMessage(combo, CB_SHOWDROPDOWN, 1);
    const POINT start = ItemPoint(2);
    const int page =
        (RectOf(list).bottom - RectOf(list).top - 2) / int(SendMessage(combo, CB_GETITEMHEIGHT, 0));
    display().MouseMove(start.x, start.y);
    display().MouseDown();
    display().MouseMove(start.x, RectOf(list).bottom + 10);
    display().AdvanceClock(3 * 50);
    EXPECT_EQ(TopIndex(combo), 3);
    EXPECT_EQ(Selection(), 3 + page - 1);
    display().MouseUp();
    display().AdvanceClock(100);
    EXPECT_EQ(TopIndex(combo), 3);
    EXPECT_TRUE(Dropped());
}

TEST_F(ComboListTest, VisualStylesOfTheListSwitchPerWindow) {
    MakeCombo(0, Numbered(40));
    SendMessage(combo, CB_SHOWDROPDOWN, 1);
    const RECT outer = RectOf(list);
    const auto border = [&] { return display().ScreenPixel(outer.left, outer.top + 10); };
    const auto track = [&] {
        return display().ScreenPixel(outer.right - 3, outer.bottom - 2 - 2 * 17);
    };
    const COLORREF themedBorder = border(), themedTrack = track();
    SetWindowTheme(list, "", "");
    PumpMessages();
    EXPECT_EQ(border(), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(track(), GetSysColor(COLOR_SCROLLBAR));
    EXPECT_NE(themedBorder, border());
    EXPECT_NE(themedTrack, track());
    SetWindowTheme(list, nullptr, nullptr);
    PumpMessages();
    EXPECT_EQ(border(), themedBorder);
    EXPECT_EQ(track(), themedTrack);
}

}  // namespace
}  // namespace vexa::sys::combo_testing
