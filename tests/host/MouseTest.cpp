// Clicking, Shift/Ctrl-clicking, dragging and double-clicking the cells as a user does, through
// the display's input path: the selection, the current cell and the host's events.
#include "host/MouseTestSupport.h"

namespace vexa::test {
namespace {

using Log = std::vector<std::string>;

class MouseTest : public MouseGrid {};

struct ClickCase {
    const char* name;
    bool multi, rowMode;
    int shift, button;
    std::int32_t row, col;  // row 0: below the last row
    const char* selection;
    const char* current;
};

class ClickRules : public MouseTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickRules, ButtonsAndModifiersSelectAndMove) {
    const ClickCase& c = GetParam();
    grid().SetMultiSelect(c.multi);
    grid().SetRowMode(c.rowMode);
    ClickAt(At(2, 1));
    ClickAt(c.row == 0 ? BelowRows(c.col) : At(c.row, c.col), c.shift, c.button);
    EXPECT_EQ(Selection(), c.selection);
    EXPECT_EQ(Current(), c.current);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClickRules,
    ::testing::Values(
        ClickCase{"single", false, false, 0, 1, 4, 3, "000/000/000/001/000", "4,3"},
        ClickCase{"singleIgnoresKeys", false, false, 3, 1, 4, 3, "000/000/000/001/000", "4,3"},
        ClickCase{"singleRow", false, true, 0, 1, 4, 3, "000/000/000/111/000", "4,3"},
        ClickCase{"multi", true, false, 0, 1, 4, 3, "000/000/000/001/000", "4,3"},
        ClickCase{"multiAlt", true, false, 4, 1, 4, 3, "000/000/000/001/000", "4,3"},
        ClickCase{"multiShift", true, false, 1, 1, 4, 2, "000/110/110/110/000", "4,2"},
        ClickCase{"multiCtrl", true, false, 2, 1, 4, 3, "000/100/000/001/000", "4,3"},
        ClickCase{"multiCtrlShift", true, false, 3, 1, 3, 2, "000/110/110/000/000", "3,2"},
        ClickCase{"rows", true, true, 0, 1, 4, 3, "000/000/000/111/000", "4,3"},
        ClickCase{"rowsShift", true, true, 1, 1, 3, 3, "000/111/111/000/000", "3,3"},
        ClickCase{"rowsCtrl", true, true, 2, 1, 4, 1, "000/111/000/111/000", "4,1"},
        ClickCase{"right", true, false, 0, 2, 4, 3, "000/100/000/000/000", "2,1"},
        ClickCase{"middle", false, false, 0, 4, 4, 3, "000/100/000/000/000", "2,1"},
        ClickCase{"belowRows", true, false, 0, 1, 0, 3, "000/100/000/000/000", "2,1"},
        ClickCase{"belowRowsShift", true, false, 1, 1, 0, 3, "000/100/000/000/000", "2,1"}),
    [](const auto& info) { return info.param.name; });

TEST_F(MouseTest, AClickRaisesItsEventsInOrderWithClientPixels) {
    const sys::POINT p = At(4, 3, 5, -2);
    const std::string xy = Client(p);
    WithKeys(1, [&] { display().Click(p.x, p.y); });
    std::erase_if(log.entries, [](const std::string& e) { return e.starts_with("Key"); });
    EXPECT_EQ(log.entries, (Log{"MouseMove(0,1," + xy + ",4,3)", "MouseEnter(4,3)",
                                "MouseDown(1,1," + xy + ",4,3,1,0)", "CellSelectionChange(4,3,1)",
                                "CurCellChange(4,3)", "MouseUp(1,1," + xy + ",4,3,1)"}));
    log.Clear();
    const sys::POINT below = BelowRows(2);
    ClickAt(below, 0, 2);
    EXPECT_EQ(log.Of("MouseDown"), Log{"MouseDown(2,0," + Client(below) + ",0,2,1,0)"});
    EXPECT_EQ(log.Of("MouseLeave"), Log{"MouseLeave(4,3)"});
    EXPECT_TRUE(log.Of("Cur").empty());
}

TEST_F(MouseTest, APressOnASelectedCellWaitsForTheRelease) {
    grid().SetMultiSelect(true);
    ClickAt(At(2, 1));
    ClickAt(At(3, 2), 1);
    const std::string block = "000/110/110/000/000";
    ASSERT_EQ(Selection(), block);
    struct Case {
        int dx;  // the move between press and release
        bool dragged;
    } cases[] = {{2, false}, {3, true}};
    for (const Case& c : cases) {
        ClickAt(At(2, 1));
        ClickAt(At(3, 2), 1);
        log.Clear();
        PressAt(At(3, 1));
        EXPECT_EQ(Selection(), block) << "nothing before the release";
        MoveTo(At(3, 1, c.dx, 0));
        display().MouseUp();
        EXPECT_EQ(log.Of("StartCellDrag").size(), c.dragged ? 1u : 0u) << c.dx;
        EXPECT_EQ(Selection(), c.dragged ? block : "000/000/100/000/000") << c.dx;
        EXPECT_EQ(Current(), c.dragged ? "3,2" : "3,1") << c.dx;
    }
}

TEST_F(MouseTest, CtrlDeselectsAndCtrlShiftSpreadsThatState) {
    grid().SetMultiSelect(true);
    ClickAt(At(1, 1));
    ClickAt(At(4, 3), 1);
    ASSERT_EQ(Selection(), "111/111/111/111/000");
    ClickAt(At(2, 1), 2);
    EXPECT_EQ(Selection(), "111/011/111/111/000");
    ClickAt(At(3, 2), 3);
    EXPECT_EQ(Selection(), "111/001/001/111/000");
    EXPECT_EQ(Current(), "3,2");
}

TEST_F(MouseTest, TheHostsDoDefaultAndShiftDecide) {
    grid().SetMultiSelect(true);
    ClickAt(At(2, 1));
    handlers.onMouseDown = [](std::int16_t&, bool& doDefault) { doDefault = false; };
    log.Clear();
    ClickAt(At(4, 3));
    EXPECT_EQ(Selection(), "000/100/000/000/000");
    EXPECT_EQ(log.Of("MouseUp").size(), 1u) << "the release is still reported";
    handlers.onMouseDown = [](std::int16_t& shift, bool&) { shift = 1; };
    ClickAt(At(3, 2));
    EXPECT_EQ(Selection(), "000/110/110/000/000") << "a Shift the host added extends";
}

TEST_F(MouseTest, StartCellDragComesOncePerPressFromTheDownCell) {
    const sys::POINT down = At(2, 2);
    PressAt(down);
    MoveTo(At(2, 2, 0, 2));
    EXPECT_TRUE(log.Of("StartCellDrag").empty()) << "two pixels are no drag";
    for (int dy : {3, 6, 9}) MoveTo(At(2, 2, 1, dy));
    display().MouseUp();
    EXPECT_EQ(log.Of("StartCellDrag"),
              Log{"StartCellDrag(1,0," + Client(At(2, 2, 1, 3)) + ",2,2)"});
    ClickAt(At(3, 1));
    display().Drag(down.x, down.y, down.x + 30, down.y, 3);
    EXPECT_EQ(log.Of("StartCellDrag").size(), 2u);
    // Presses on a control or with another button start no cell drag.
    grid().SetCellType(4, 2, vxCellCheck);
    const sys::RECT box = CellRect(4, 2);
    const sys::POINT check = ToScreen({(box.left + box.right) / 2, box.top + 8});
    display().Drag(check.x, check.y, check.x, check.y + 10, 2);
    display().Drag(down.x, down.y, down.x + 30, down.y, 3, 2);
    EXPECT_EQ(log.Of("StartCellDrag").size(), 2u);
}

TEST_F(MouseTest, DraggingTakesTheSelectionAlong) {
    struct Case {
        bool multi;
        int shift;
        const char* selection;
    } cases[] = {{false, 0, "000/000/000/010/000"},
                 {true, 0, "000/110/110/110/000"},
                 {true, 2, "100/110/110/110/000"}};
    for (const Case& c : cases) {
        grid().SetMultiSelect(c.multi);
        ClickAt(At(1, 1));
        const sys::POINT from = At(2, 1), to = At(4, 2);
        WithKeys(c.shift, [&] { display().Drag(from.x, from.y, to.x, to.y, 6); });
        EXPECT_EQ(Selection(), c.selection) << c.multi << c.shift;
        EXPECT_EQ(Current(), "4,2");
        EXPECT_EQ(sys::GetCapture(), 0u);
    }
}

TEST_F(MouseTest, HeldBelowTheCellsTheViewScrollsAndTheSelectionFollows) {
    grid().SetRowCount(100);
    grid().SetMultiSelect(true);
    sys::PumpMessages();
    PressAt(At(2, 1));
    sys::RECT client;
    sys::GetClientRect(grid().hwnd(), &client);
    MoveTo(ToScreen({CellRect(2, 1).left + 5, client.bottom + 30}));
    const std::int32_t shownRow = grid().CurRow();
    EXPECT_GT(shownRow, 2);
    display().AdvanceClock(500);
    const std::int32_t value = grid().VScrollBar()->Value();
    EXPECT_GT(value, 0);
    EXPECT_GT(grid().CurRow(), shownRow);
    EXPECT_TRUE(grid().CellSelected(2, 1) && grid().CellSelected(grid().CurRow(), 1));
    display().MouseUp();
    display().AdvanceClock(500);
    EXPECT_EQ(grid().VScrollBar()->Value(), value) << "the release stops the scrolling";
}

TEST_F(MouseTest, ADoubleClickEditsUnlessTheHostSaysNo) {
    struct Case {
        bool below, refuse;
        const char* event;
        bool edits;
    } cases[] = {{false, false, "DblClick(3,2,1)", true},
                 {false, true, "DblClick(3,2,1)", false},
                 {true, false, "DblClick(0,2,0)", false}};
    for (const Case& c : cases) {
        handlers.onDblClick = [&](bool& requestEdit) { requestEdit = requestEdit && !c.refuse; };
        log.Clear();
        const sys::POINT p = c.below ? BelowRows(2) : At(3, 2);
        display().DoubleClick(p.x, p.y);
        EXPECT_EQ(log.Of("DblClick"), Log{c.event});
        EXPECT_EQ(grid().TextEditHwnd() != 0, c.edits) << c.event;
        grid().CancelEdit();
    }
}

TEST_F(MouseTest, APressWhileTheEditorHoldsAnInvalidValueOnlyShowsTheMessage) {
    grid().SetCellValue(2, 1, 5);
    ClickAt(At(2, 1));
    grid().RequestEdit(0);
    grid().SetTextEditText("five");
    display().ClearMessageBoxCalls();
    log.Clear();
    ClickAt(At(4, 3));
    EXPECT_EQ(display().MessageBoxCalls().size(), 1u);
    EXPECT_TRUE(log.Of("MouseDown").empty());
    EXPECT_EQ(Current(), "2,1");
    EXPECT_NE(grid().TextEditHwnd(), 0u);
}

TEST_F(MouseTest, ADisabledGridIgnoresTheMouse) {
    grid().SetEnabled(false);
    log.Clear();
    const sys::POINT p = At(3, 2);
    display().DoubleClick(p.x, p.y);
    display().Drag(p.x, p.y, p.x + 40, p.y + 40);
    EXPECT_EQ(log.entries, Log{});
    EXPECT_EQ(Current(), "0,0");
}

}  // namespace
}  // namespace vexa::test
