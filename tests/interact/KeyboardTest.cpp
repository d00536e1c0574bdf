// What keys mean and where the navigation keys go, as tables: the command of a key under the
// grid's modes, the selection step of a move, and the targets of the navigation step and the
// page moves over hidden rows and columns, a group row and the row-text column.
#include <gtest/gtest.h>

#include "vexa/interact/Keyboard.h"
#include "vexa/model/GridStore.h"
#include "vexa/system/window/Messages.h"

namespace vexa {
namespace {

using namespace sys;
constexpr std::int32_t S = Keyboard::kShiftBit, C = Keyboard::kCtrlBit, A = Keyboard::kAltBit;
using enum KeyAction;

TEST(KeyboardCommand, KeysMapToCommandsUnderTheirModes) {
    const KeyModes plain, rowMode{.rowMode = true}, multi{.multiSelect = true},
        groupRight{.groupRowScrollsRight = true}, disabled{.enabled = false};
    // clang-format off
    struct Case {
        int key, shift;
        KeyModes modes;
        KeyCommand expected;
    } cases[] = {
        {VK_DOWN, 0, plain, {MoveVertical, 1, true}},
        {VK_LEFT, C, plain, {MoveHorizontal, -1, true}},
        {VK_RIGHT, 0, rowMode, {ScrollHorizontal, 1, true}},
        {VK_RIGHT, 0, groupRight, {ScrollHorizontal, 1, true}},
        {VK_RIGHT, S, groupRight, {MoveHorizontal, 1, true}},
        {VK_LEFT, 0, groupRight, {MoveHorizontal, -1, true}},
        {VK_HOME, C, plain, {Home, 0, true}},           {VK_PRIOR, 0, plain, {PageUp, 0, true}},
        {VK_NEXT, A, plain, {PageDown, 0, true}},       {VK_SPACE, C, multi, {InvertSelection}},
        {VK_SPACE, C, plain, {}},                       {VK_RETURN, 0, plain, {None, 0, true}},
        {VK_F2, 0, plain, {StartEdit}},                 {'A', 0, plain, {}},
        {VK_DOWN, 0, disabled, {ScrollVertical, 1}},    {VK_HOME, 0, disabled, {}},
        {VK_PRIOR, 0, disabled, {ScrollVerticalPage, -1}}};
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(Keyboard::CommandFor(c.key, c.shift, c.modes), c.expected)
            << c.key << "/" << c.shift;
    }
    EXPECT_EQ(Keyboard::TranslateTab(VK_TAB, 0, false), VK_RIGHT);
    EXPECT_EQ(Keyboard::TranslateTab(VK_TAB, S, false), VK_LEFT);
    EXPECT_EQ(Keyboard::TranslateTab(VK_TAB, S | C, true), VK_UP);
}

TEST(KeyboardCommand, ModifiersChooseTheSelectionStep) {
    using enum SelectionStep;
    // clang-format off
    struct Case {
        KeyAction action;
        int shift;
        bool multi;
        SelectionStep expected;
    } cases[] = {
        {MoveVertical, S | C, false, MoveSingle}, {MoveVertical, S, true, Extend},
        {PageDown, S | C, true, Extend},          {MoveHorizontal, C, true, MarkTarget},
        {Home, C, true, AnchorToTarget},          {PageUp, C | A, true, Keep},
        {End, A, true, Keep},                     {End, 0, true, OnlyTarget}};
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(Keyboard::SelectionStepFor(c.action, c.shift, c.multi), c.expected)
            << int(c.action) << " shift " << c.shift;
    }
}

// Columns 1, 2, (3 hidden), 4 and the row-text column 5; rows of 15 pixels, row 4 hidden,
// row 6 a group row. In virtual mode the host grants rows up to `lastRow`.
class NavigationTest : public ::testing::Test, public KeyboardHost {
  protected:
    NavigationTest() {
        for (int c = 1; c <= 5; ++c) {
            NewColumn column;
            column.width = 60;
            column.visible = c != 3;
            column.rowTextColumn = c == 5;
            store.InsertColumn(column, store.CheckNewColumn(column), 0);
        }
        for (int r = 1; r <= 8; ++r) AddRow(r != 4, r == 6);
    }
    void AddRow(bool visible = true, bool group = false) {
        NewRow row;
        row.visible = visible;
        row.height = 15;
        row.groupRow = group;
        const std::int32_t r = store.InsertRow(row, 0, store.CheckNewRow(row));
        const RowRecord& above = store.Row(r - 1);
        store.Row(r).top = above.top + (above.visible ? above.height : 0);
    }
    bool RowsMayFollow() const override { return store.RowCount() < lastRow; }
    bool RequestRowAfterLast() override { return AddRow(), true; }

    GridStore store;
    std::int32_t lastRow = 0;
    Keyboard keyboard{store, *this};
};

TEST_F(NavigationTest, StepsSkipWhatCannotBeReachedAndWrapHorizontally) {
    struct Case {
        CellSpot from;
        int dx, dy;
        std::optional<CellSpot> to;
    } cases[] = {{{0, 0}, 0, 1, CellSpot{1, 1}}, {{1, 2}, 1, 0, CellSpot{1, 4}},
                 {{1, 4}, 1, 0, CellSpot{2, 1}}, {{3, 1}, -1, 0, CellSpot{2, 4}},
                 {{5, 4}, 1, 0, CellSpot{6, 5}}, {{6, 5}, -1, 0, CellSpot{5, 4}},
                 {{6, 5}, 1, 0, CellSpot{7, 1}}, {{3, 2}, 0, 1, CellSpot{5, 2}},
                 {{6, 5}, 0, 1, CellSpot{7, 1}}, {{7, 4}, 0, -1, CellSpot{6, 5}},
                 {{8, 2}, 0, 1, std::nullopt},   {{8, 4}, 1, 0, std::nullopt},
                 {{1, 1}, -1, 0, std::nullopt}};
    for (const Case& c : cases) {
        EXPECT_EQ(keyboard.StepTarget(c.from, c.dx, c.dy), c.to)
            << c.from.row << "," << c.from.col << " by " << c.dx << "," << c.dy;
    }
}

TEST_F(NavigationTest, HomeEndAndPagesStopWhereTheRulesSay) {
    const std::int32_t page = 45;  // three rows
    EXPECT_EQ(keyboard.HomeEndTarget({0, 0}, false), (CellSpot{1, 1}));
    EXPECT_EQ(keyboard.HomeEndTarget({5, 4}, true), (CellSpot{8, 4}));
    EXPECT_EQ(keyboard.PageTarget({1, 1}, true, page), (CellSpot{5, 1}));
    EXPECT_EQ(keyboard.PageTarget({0, 0}, true, page), (CellSpot{5, 1}));
    EXPECT_EQ(keyboard.PageTarget({7, 2}, true, page), (CellSpot{8, 2}));
    EXPECT_EQ(keyboard.PageTarget({8, 1}, false, page), (CellSpot{5, 1}));
    EXPECT_EQ(keyboard.PageTarget({2, 2}, false, page), (CellSpot{1, 2}));
}

TEST_F(NavigationTest, MovingPastTheLastRowAsksForRowsWhileTheyMayCome) {
    lastRow = 12;
    EXPECT_EQ(keyboard.StepTarget({8, 2}, 0, 1), (CellSpot{9, 2}));
    EXPECT_EQ(keyboard.PageTarget({9, 2}, true, 45), (CellSpot{12, 2}));
    EXPECT_EQ(store.RowCount(), 12);
    EXPECT_EQ(keyboard.StepTarget({12, 2}, 0, 1), std::nullopt);
}

}  // namespace
}  // namespace vexa
