// Editing combo cells: the list drops at the cell with the cell's item chosen, the user picks
// by keys, by typing or by clicking, and the chosen item's value reaches the cell through the
// commit events; Escape, a click elsewhere or the list's removal cancel.
#include "host/EditTestSupport.h"
#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/paint/ImageList.h"

namespace vexa::test {
namespace {

class ComboEdit : public EditingGrid {
  protected:
    ComboEdit() {
        colors = grid().Combos().Add("colors");
        colors->AddItem("Red", Variant(1));
        colors->AddItem("Green", Variant(2));
        colors->AddItem("Blue", Variant(3));
        for (std::int32_t row = 1; row <= 4; ++row) {
            grid().SetCellType(row, 1, vxCellCombo);
            grid().SetCellCtrlKey(row, 1, "colors");
            grid().SetCellValue(row, 1, 2);
        }
        log.Clear();
    }

    // The open list holds the mouse capture; the combo box behind it has the focus.
    static bool Dropped() {
        return sys::GetClassName(sys::GetCapture()) == "ComboLBox" &&
               sys::IsWindowVisible(sys::GetCapture());
    }
    static sys::RECT ListRect() {
        sys::RECT rect;
        sys::GetWindowRect(sys::GetCapture(), &rect);
        return rect;
    }
    static int Selected() { return int(sys::SendMessage(sys::GetFocus(), sys::CB_GETCURSEL)); }
    static int ItemHeight() {
        return int(sys::SendMessage(sys::GetFocus(), sys::CB_GETITEMHEIGHT, 0));
    }
    sys::RECT CellOnScreen(std::int32_t row, std::int32_t col) {
        const sys::RECT cell = CellRect(row, col);
        const sys::POINT corner = ToScreen({cell.left, cell.top});
        return {corner.x, corner.y, corner.x + cell.right - cell.left,
                corner.y + cell.bottom - cell.top};
    }

    std::shared_ptr<ComboObject> colors;
};

TEST_F(ComboEdit, TheListDropsAtTheCellAndArrowsWithEnterOrAClickChoose) {
    EXPECT_EQ(grid().CellText(2, 1), "Green");
    Edit();
    ASSERT_TRUE(Dropped());
    EXPECT_EQ(ListRect().left, CellOnScreen(2, 1).left);
    EXPECT_EQ(ListRect().top, CellOnScreen(2, 1).bottom);
    EXPECT_EQ(Selected(), 1) << "the cell's own item";
    const sys::RECT list = ListRect();
    const int item = ItemHeight();
    EXPECT_EQ(display().ScreenPixel(list.right - 4, list.top + 1 + item + item / 2),
              sys::GetSysColor(sys::COLOR_HIGHLIGHT))
        << "the chosen item is drawn highlighted where the list is";
    EXPECT_EQ(display().ScreenPixel(list.right - 4, list.top + 1 + item / 2),
              sys::GetSysColor(sys::COLOR_WINDOW));
    Press(sys::VK_DOWN);
    Press(sys::VK_RETURN);
    EXPECT_EQ(EditEvents(), (std::vector<std::string>{"RequestEdit(2,1,0,Green)",
                                                      "BeforeCommitEdit(2,1,Blue,Long:3,0)",
                                                      "AfterCommitEdit(2,1)"}));
    EXPECT_EQ(grid().CellValue(2, 1), Variant(3));
    EXPECT_EQ(grid().CellText(2, 1), "Blue");
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(sys::GetFocus(), grid().hwnd());
    Edit();  // a click on an item chooses it too
    display().Click(list.left + 10, list.top + 1 + item / 2);
    EXPECT_EQ(grid().CellValue(2, 1), Variant(1));
    EXPECT_EQ(log.Of("AfterCommitEdit").size(), 2u);
}

struct TypedCase {
    std::int16_t key;
    int selected;
    Variant stored;
};

class ComboTyping : public ComboEdit, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(ComboTyping, ATypedInitialOpensTheListAtTheFirstItemItBegins) {
    display().TypeText(std::string(1, char(GetParam().key)));
    ASSERT_TRUE(Dropped());
    EXPECT_EQ(Selected(), GetParam().selected);
    Press(sys::VK_RETURN);
    EXPECT_EQ(grid().CellValue(2, 1), GetParam().stored);
    EXPECT_FALSE(Dropped());
}

INSTANTIATE_TEST_SUITE_P(Table, ComboTyping,
                         ::testing::Values(TypedCase{'r', 0, Variant(1)},
                                           TypedCase{'B', 2, Variant(3)},
                                           TypedCase{'g', 1, Variant(2)},
                                           // Enter with nothing chosen keeps the value.
                                           TypedCase{'z', -1, Variant(2)}));

TEST_F(ComboEdit, EscapeAClickElsewhereOrTheListsRemovalCancel) {
    const std::vector<std::function<void()>> endings = {
        [&] { Press(sys::VK_ESCAPE); },
        [&] { display().Click(kFormWidth - 10, kFormHeight - 10); },
        [&] { grid().Combos().Remove("colors"); },
    };
    for (const auto& end : endings) {
        log.Clear();
        Edit();
        ASSERT_TRUE(Dropped());
        Press(sys::VK_DOWN);
        end();
        EXPECT_EQ(EditEvents(),
                  (std::vector<std::string>{"RequestEdit(2,1,0,Green)", "CancelEdit(2,1)"}));
        EXPECT_FALSE(Dropped());
        EXPECT_EQ(grid().CellValue(2, 1), Variant(2));
    }
    Press(sys::VK_RETURN);  // keys after the list went reach no list
    EXPECT_EQ(grid().CellText(2, 1), "") << "the cell refers to no list now";
}

TEST_F(ComboEdit, CommitEditLeavesAnOpenListAloneAndNothingOpensWhenEditingIsOff) {
    Edit();
    grid().CommitEdit();
    EXPECT_TRUE(Dropped());
    EXPECT_TRUE(log.Of("BeforeCommitEdit").empty());
    grid().CancelEdit();
    EXPECT_FALSE(Dropped());
    grid().SetEditable(false);
    log.Clear();
    Edit();
    EXPECT_FALSE(Dropped());
    EXPECT_TRUE(log.Of("RequestEdit").empty());
}

// A host's message loop that takes Enter for its form's default button.
int gDefaultButtonPresses = 0;
void DefaultButtonLoop(sys::MSG* msg) {
    if (msg->message != sys::WM_KEYDOWN || msg->wParam != sys::WPARAM(sys::VK_RETURN)) return;
    ++gDefaultButtonPresses;
    msg->message = sys::WM_NULL;
}

TEST_F(ComboEdit, EnterInTheOpenListGoesToTheListAndTheHostMayChangeTheChosenValue) {
    handlers.onBeforeCommit = [](EEditResults&, Variant& value) { value = 1; };
    gDefaultButtonPresses = 0;
    const sys::GetMessageHook previous = sys::SetGetMessageHook(&DefaultButtonLoop);
    Edit();
    Press(sys::VK_DOWN);
    Press(sys::VK_RETURN);
    EXPECT_EQ(gDefaultButtonPresses, 0);
    EXPECT_EQ(grid().CellValue(2, 1), Variant(1));
    EXPECT_EQ(grid().CellText(2, 1), "Red") << "the item follows the stored value";
    Press(sys::VK_RETURN);
    EXPECT_EQ(gDefaultButtonPresses, 1) << "with the list closed the form has Enter again";
    sys::SetGetMessageHook(previous);
}

TEST_F(ComboEdit, TheListIsAsHighAsItsItemsUpToTheMaximumAsWideAsAskedAndAboveACellAtTheFoot) {
    int item = 0;
    const auto openSize = [&] {
        Edit();
        item = ItemHeight();
        const sys::SIZE size{ListRect().right - ListRect().left,
                             ListRect().bottom - ListRect().top};
        Press(sys::VK_ESCAPE);
        return size;
    };
    const sys::SIZE three = openSize();
    EXPECT_EQ(three.cy, 3 * item + 2);
    for (int i = 0; i < 7; ++i) colors->AddItem("A longer colour name " + std::to_string(i));
    colors->AutoAdjustWidth();
    const sys::SIZE wide = openSize();
    EXPECT_EQ(wide.cy, 8 * item + 2);
    for (int i = 0; i < 7; ++i) colors->RemoveItem(3);
    colors->AutoAdjustWidth();
    const sys::SIZE narrow = openSize();
    EXPECT_LT(narrow.cx, wide.cx) << "the widest item went";
    EXPECT_GT(narrow.cx, sys::GetSystemMetrics(sys::SM_CXVSCROLL) + 4 + 20);
    colors->SetWidth(333);
    EXPECT_EQ(openSize().cx, 333);
    // A cell near the bottom of the screen opens its list above.
    const int screenHeight = sys::GetSystemMetrics(sys::SM_CYSCREEN);
    sys::SetWindowPos(form(), 0, 0, screenHeight - 120, 0, 0, sys::SWP_NOSIZE);
    grid().SetCurCell(4, 1);
    Edit();
    ASSERT_TRUE(Dropped());
    EXPECT_EQ(ListRect().bottom, CellOnScreen(4, 1).top - 1);
}

TEST_F(ComboEdit, ItemsShowTheirIconsAndTheCellTakesTheChosenOne) {
    const sys::HIMAGELIST images = sys::ImageList_Create(24, 24, sys::ILC_COLOR32, 1, 1);
    cairo_surface_t* red = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 24, 24);
    cairo_t* cr = cairo_create(red);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    sys::ImageList_Add(images, red);  // one red icon
    cairo_surface_destroy(red);
    grid().SetImageList(Variant(std::int32_t(images)));
    const auto pets = grid().Combos().Add("pets");
    pets->AddItem("Plain", Variant(1));
    pets->AddItem("Red", Variant(2), 0);
    grid().SetCellCtrlKey(2, 1, "pets");
    Edit();
    ASSERT_TRUE(Dropped());
    EXPECT_EQ(ItemHeight(), 24) << "as tall as the tallest icon";
    const sys::RECT list = ListRect();
    EXPECT_EQ(display().ScreenPixel(list.left + 1 + 2 + 12, list.top + 1 + 24 + 1 + 12),
              sys::COLORREF(0x0000FF));
    EXPECT_NE(display().ScreenPixel(list.left + 1 + 2 + 12, list.top + 1 + 1 + 12),
              sys::COLORREF(0x0000FF));
    Press(sys::VK_RETURN);
    EXPECT_EQ(grid().CellIcon(2, 1), 0);
    sys::ImageList_Destroy(images);
}

}  // namespace
}  // namespace vexa::test
