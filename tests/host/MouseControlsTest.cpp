// Check boxes and combo buttons under the mouse: a press on one edits the cell (after making
// it current), a press beside it only selects; with visual styles the control under the
// pointer is drawn hot until the pointer leaves it, the cell or the grid (found by the 25 ms
// timer); MouseEnter and MouseLeave follow the pointer from cell to cell.
#include "host/MouseTestSupport.h"
#include "host/PaintTestSupport.h"

namespace vexa::test {
namespace {

using Log = std::vector<std::string>;

constexpr std::int32_t kCheckRow = 3, kComboRow = 4, kCol = 2;
constexpr int kLeavePollMs = 25;  // how often the grid looks whether the pointer left it

class MouseControls : public MouseGrid {
  protected:
    MouseControls() {
        auto colors = grid().Combos().Add("colors");
        colors->AddItem("Red", Variant(1));
        colors->AddItem("Green", Variant(2));
        grid().SetCellType(kCheckRow, kCol, vxCellCheck);
        grid().SetCellValue(kCheckRow, kCol, 0);
        grid().SetCellType(kComboRow, kCol, vxCellCombo);
        grid().SetCellCtrlKey(kComboRow, kCol, "colors");
        grid().SetCellValue(kComboRow, kCol, 1);
        // Tall enough for whole glyphs.
        for (std::int32_t row : {kCheckRow, kComboRow}) grid().SetRowHeight(row, 22);
        sys::PumpMessages();
        log.Clear();
    }

    // Points on the check box (centred, from the top), on the combo button (at the right) and
    // on neither (at the left), in screen coordinates.
    sys::POINT OnCheckBox() {
        return Inside(kCheckRow, (Cell(kCheckRow).left + Cell(kCheckRow).right) / 2);
    }
    sys::POINT OnButton(std::int32_t row) { return Inside(row, Cell(row).right - 8); }
    sys::POINT Beside(std::int32_t row) { return Inside(row, Cell(row).left + 4); }

    sys::RECT Cell(std::int32_t row) { return CellRect(row, kCol); }
    sys::POINT Inside(std::int32_t row, int x) { return ToScreen({x, Cell(row).top + 6}); }

    // The grid shows the themed glyph of `themeClass` in `state` at the control's place.
    bool ShowsThemed(std::int32_t row, const char* themeClass, int part, int state) {
        const int size = row == kCheckRow ? 13 : 16;
        const sys::POINT at = GlyphOrigin(Cell(row), row == kCheckRow, size);
        return GlyphShown(ClientPixels(grid().hwnd()), at.x, at.y, size, Sys(sys::COLOR_BTNFACE),
                          ThemedGlyph(grid().hwnd(), themeClass, part, state));
    }
    bool CheckBoxShows(int state) { return ShowsThemed(kCheckRow, "Button", 3, state); }
    bool ButtonShows(int state) { return ShowsThemed(kComboRow, "ComboBox", 1, state); }

    static bool ListDropped() {
        return sys::GetClassName(sys::GetCapture()) == "ComboLBox" &&
               sys::IsWindowVisible(sys::GetCapture());
    }
};

struct PressCase {
    const char* name;
    std::int32_t row;
    bool allCells;      // ShowControlsInAllCells
    bool current;       // the cell is current before the press
    bool onControl;     // the press is on the control's place
    bool underControl;  // MouseDown says so
    bool edits;         // the check box toggles, the list drops
};

class ControlPress : public MouseControls, public ::testing::WithParamInterface<PressCase> {};

TEST_P(ControlPress, APressOnTheControlEditsTheCellAfterMakingItCurrent) {
    const PressCase& c = GetParam();
    grid().SetShowControlsInAllCells(c.allCells);
    if (c.current) grid().SetCurCell(c.row, kCol);
    sys::PumpMessages();
    log.Clear();
    const sys::POINT p =
        c.onControl ? (c.row == kCheckRow ? OnCheckBox() : OnButton(c.row)) : Beside(c.row);
    PressAt(p);
    const bool dropped = ListDropped();
    display().MouseUp();
    if (dropped) display().KeyPress(sys::VK_ESCAPE);
    const std::string cell = std::to_string(c.row) + "," + std::to_string(kCol);
    EXPECT_EQ(log.Of("MouseDown").at(0),
              "MouseDown(1,0," + Client(p) + "," + cell + ",1," + (c.underControl ? "1)" : "0)"));
    EXPECT_EQ(Current(), cell);
    if (c.row == kComboRow) {
        EXPECT_EQ(dropped, c.edits);
        return;
    }
    EXPECT_EQ(grid().CellValue(c.row, kCol), Variant(c.edits ? 1 : 0));
    const Log edits = log.Of("BeforeCommitEdit");
    ASSERT_EQ(edits.size(), c.edits ? 1u : 0u);
    if (!c.edits) return;
    const auto at = [&](const std::string& entry) {
        return std::find(log.entries.begin(), log.entries.end(), entry) - log.entries.begin();
    };
    EXPECT_LT(at("CurCellChange(" + cell + ")"), at(edits[0])) << "current first";
    EXPECT_LT(at(edits[0]), at("AfterCommitEdit(" + cell + ")"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ControlPress,
    ::testing::Values(PressCase{"checkBox", kCheckRow, false, false, true, true, true},
                      PressCase{"besideCheckBox", kCheckRow, false, false, false, false, false},
                      PressCase{"buttonInAllCells", kComboRow, true, false, true, true, true},
                      PressCase{"besideButton", kComboRow, true, false, false, false, false},
                      PressCase{"hiddenButton", kComboRow, false, false, true, false, false},
                      PressCase{"currentCellsButton", kComboRow, false, true, true, true, true}),
    [](const auto& info) { return info.param.name; });

TEST_F(MouseControls, ACheckBoxLightsUpUnderThePointerUntilItLeavesTheGrid) {
    grid().SetUseXPStyles(true);
    sys::PumpMessages();
    ASSERT_TRUE(CheckBoxShows(1));
    MoveTo(Beside(kCheckRow));
    MoveTo(OnCheckBox());
    EXPECT_TRUE(CheckBoxShows(2)) << "hot";
    MoveTo(Beside(kCheckRow));
    EXPECT_TRUE(CheckBoxShows(1)) << "the pointer left the box";
    MoveTo(OnCheckBox());
    EXPECT_TRUE(CheckBoxShows(2)) << "back on the box in the same cell";
    display().Click(OnCheckBox().x, OnCheckBox().y);
    EXPECT_TRUE(CheckBoxShows(6)) << "hot and checked";
    log.Clear();
    MoveTo(ToScreen({-10, -10}));  // onto the form: the grid hears of no move
    display().AdvanceClock(kLeavePollMs - 1);
    EXPECT_TRUE(log.Of("MouseLeave").empty());
    display().AdvanceClock(1);
    EXPECT_EQ(log.Of("MouseLeave"), Log{"MouseLeave(3,2)"});
    EXPECT_TRUE(CheckBoxShows(5)) << "normal and checked";
    MoveTo(OnCheckBox());
    EXPECT_EQ(log.Of("MouseEnter"), Log{"MouseEnter(3,2)"}) << "coming back is an entry again";
}

TEST_F(MouseControls, AHotBoxScrolledUnderThePointerStaysHotWhereItGoes) {
    grid().SetUseXPStyles(true);
    grid().SetRowCount(60);
    MoveTo(Beside(kCheckRow));
    MoveTo(OnCheckBox());
    ASSERT_TRUE(CheckBoxShows(2));
    const int top = Cell(kCheckRow).top;
    sys::RECT client;
    sys::GetClientRect(grid().hwnd(), &client);
    std::int32_t below = kCheckRow;  // the first row not wholly shown
    while (CellRect(below, 1).bottom <= client.bottom) ++below;
    grid().SetCurCell(below, 1);
    ASSERT_GT(top - Cell(kCheckRow).top, 13) << "the box scrolled off the pointer";
    ASSERT_GT(Cell(kCheckRow).top, CellRect(1, 1).top) << "and stays in view";
    MoveTo(OnCheckBox());  // where the box is now
    EXPECT_TRUE(CheckBoxShows(2)) << "still hot";
}

TEST_F(MouseControls, AComboButtonLightsUpOnlyWithVisualStyles) {
    grid().SetShowControlsInAllCells(true);
    for (bool themed : {true, false}) {
        grid().SetUseXPStyles(themed);
        MoveTo(ToScreen({-10, -10}));
        display().AdvanceClock(kLeavePollMs);
        MoveTo(Beside(kComboRow));
        MoveTo(OnButton(kComboRow));
        EXPECT_EQ(ButtonShows(2), themed);
    }
}

TEST_F(MouseControls, LeavingThroughAWindowOverTheGridIsNoticedWithinOnePoll) {
    const sys::POINT corner = ToScreen({CellRect(kRows, 3).left, CellRect(kRows, 3).top});
    const sys::HWND cover = sys::CreateWindowEx(
        0, "VexaTestForm", "cover", sys::WS_POPUP | sys::WS_VISIBLE, corner.x, corner.y, 60, 40);
    MoveTo(At(kRows, 2));
    log.Clear();
    MoveTo(At(kRows, 3));  // on the cover, inside the cells area
    EXPECT_TRUE(log.entries.empty()) << "the move went to the cover";
    display().AdvanceClock(kLeavePollMs);
    EXPECT_EQ(log.entries, Log{"MouseLeave(5,2)"});
    sys::DestroyWindow(cover);
}

TEST_F(MouseControls, EnterAndLeaveFollowThePointerFromCellToCell) {
    for (std::int32_t row : {1, 2}) MoveTo(At(row, 1));
    MoveTo(At(2, 1, 3, 0));
    MoveTo(BelowRows(1));
    MoveTo(At(2, 3));
    std::erase_if(log.entries, [](const std::string& e) { return e.starts_with("MouseMove"); });
    EXPECT_EQ(log.entries, (Log{"MouseEnter(1,1)", "MouseLeave(1,1)", "MouseEnter(2,1)",
                                "MouseLeave(2,1)", "MouseEnter(2,3)"}));
}

TEST_F(MouseControls, MovesThatChangeNothingPaintNothing) {
    grid().SetUseXPStyles(true);
    grid().SetCellType(1, 1, vxCellCustomDraw);
    grid().SetCellType(kCheckRow, 1, vxCellCustomDraw);
    MoveTo(At(1, 2));
    sys::PumpMessages();
    log.Clear();
    for (int dx = -20; dx <= 20; dx += 4) MoveTo(At(1, 2, dx, 0));
    EXPECT_TRUE(log.Of("CustomDraw").empty());
    MoveTo(Beside(kCheckRow));
    MoveTo(OnCheckBox());
    EXPECT_EQ(log.Of("CustomDrawCell").size(), 1u) << "the hot box's row, once";
}

}  // namespace
}  // namespace vexa::test
