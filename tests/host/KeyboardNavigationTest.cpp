// Moving through the grid with the keyboard, as a table of key strokes from a start cell on a
// grid with a hidden column (3), a hidden row (4), a group row (6) and a row-text column (5):
// the cell reached, the selection left, and the selection and current-cell events in order.
#include "SelectionTestSupport.h"

namespace vexa::test {
namespace {

using namespace sys;
constexpr int S = kShift, C = kCtrl, A = kAlt;

struct NavCase {
    const char* name;
    bool rowMode, multiSelect;
    int startRow, startCol;  // 0: no current cell
    std::vector<Key> keys;
    const char* current;
    const char* selected;
    const char* changes;
};

class KeyboardNavigation : public SelectionGrid, public ::testing::WithParamInterface<NavCase> {};

TEST_P(KeyboardNavigation, KeysMoveTheCellAndTheSelection) {
    const NavCase& c = GetParam();
    Fill({60, 60, 60, 60}, 8);
    grid().AddCol({.sKey = "text", .bRowTextCol = true});
    grid().SetColVisible(3, false);
    grid().SetRowVisible(4, false);
    grid().SetRowIsGroup(6, true);
    grid().SetRowMode(c.rowMode);
    grid().SetMultiSelect(c.multiSelect);
    if (c.startRow != 0) grid().SetCurCell(c.startRow, c.startCol);
    Focus();
    log.Clear();
    Press(c.keys);
    EXPECT_EQ(Current(), c.current);
    EXPECT_EQ(Selected(), c.selected);
    EXPECT_EQ(Changes(), c.changes);
}

// clang-format off
const std::vector<NavCase> kCases = {
    {"FirstKeyGoesToFirstCell", false, false, 0, 0, {{VK_DOWN}}, "1.1", "1.1", "+1.1 @1.1"},
    {"ShiftTabWrapsBack", false, false, 2, 1, {{VK_TAB, S}}, "1.4", "1.4", "-2.1 +1.4 @1.4"},
    {"GroupRowIsEnteredAtItsText", false, false, 5, 2, {{VK_DOWN}}, "6.5", "6.5",
     "-5.2 +6.5 @6.5"},
    {"TabInRowModeMovesDown", true, false, 2, 2, {{VK_TAB}}, "3.2", "3.1 3.2 3.3 3.4 3.5",
     "-2.1 -2.2 -2.3 -2.4 -2.5 +3.1 +3.2 +3.3 +3.4 +3.5 @3.2"},
    {"RightInRowModeNeverMoves", true, false, 2, 2, {{VK_RIGHT, S}, {VK_RIGHT}}, "2.2",
     "2.1 2.2 2.3 2.4 2.5", ""},
    {"ShiftDownSpansHiddenRow", false, true, 2, 2, {{VK_DOWN, S}, {VK_DOWN, S}}, "5.2",
     "2.2 3.2 4.2 5.2", "+3.2 @3.2 +4.2 +5.2 @5.2"},
    {"ShiftRightSpansHiddenColumn", false, true, 2, 2, {{VK_RIGHT, S}}, "2.4", "2.2 2.3 2.4",
     "+2.3 +2.4 @2.4"},
    {"CtrlMovesAndCtrlSpaceToggles", false, true, 2, 2, {{VK_DOWN, C}, {VK_SPACE, C}}, "3.2",
     "2.2 3.2", "@3.2 +3.2"},
    {"AltMovesWithoutSelecting", false, true, 2, 2, {{VK_DOWN, A}}, "3.2", "2.2", "@3.2"},
    {"ShiftSpansFromTheCtrlAnchor", false, true, 2, 2, {{VK_DOWN, C}, {VK_DOWN, S}}, "5.2",
     "3.2 4.2 5.2", "@3.2 -2.2 +3.2 +4.2 +5.2 @5.2"},
    {"HomeSelectsTheTargetAlone", false, true, 3, 2, {{VK_DOWN, S}, {VK_HOME}}, "1.2", "1.2",
     "+4.2 +5.2 @5.2 +1.2 -3.2 -4.2 -5.2 @1.2"},
    {"CtrlSpaceInvertsTheRow", true, true, 2, 1, {{VK_SPACE, C}}, "2.1", "",
     "-2.1 -2.2 -2.3 -2.4 -2.5"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Keys, KeyboardNavigation, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vexa::test
