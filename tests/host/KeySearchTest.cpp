// Typing to find a row: the typed text grows, shrinks and ends with the keys a user presses,
// shows over the current cell while it lasts, and searches from the current row, in a loop,
// in a fixed column with formatted values, never in hidden rows.
#include "SelectionTestSupport.h"

namespace vexa::test {
namespace {

using namespace sys;

class KeySearchTyping : public SelectionGrid {
  protected:
    KeySearchTyping() {
        Fill({80, 80}, 5);
        const char* words[] = {"Apple", "Banana", "Blueberry", "Cherry", "blackberry"};
        for (int r = 1; r <= 5; ++r) {
            grid().SetCellValue(r, 1, words[r - 1]);
            grid().SetCellValue(r, 2, 1000.5 * r);
        }
        grid().SetCellFmtString(4, 2, "#,##0.00");
        grid().SetKeyPressBehaviour(vxKeyPressSearchCurCol);
        grid().SetHighlightSelCells(false);  // the search text alone shows in highlight
        grid().SetCurCell(1, 1);
        Focus();
        log.Clear();
    }
    // Pixels of the current cell in the highlight colour: the search text's background.
    int Overlay() {
        const RECT r = CellRect(grid().CurRow(), grid().CurCol());
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                count += Pixel(x, y) == GetSysColor(COLOR_HIGHLIGHT);
            }
        }
        return count;
    }
};

TEST_F(KeySearchTyping, TypingFindsRowsAndKeysEndTheSearch) {
    struct Step {
        const char* typed;
        int row;
        bool showing;
    } steps[] = {
        {"b", 2, true},     {"L", 3, true},   {"x", 3, true},   {"\b", 2, true},
        {"\x1B", 2, false}, {"bla", 5, true}, {"\r", 5, false}, {"c", 4, true},
    };
    grid().SetEditable(false);  // Enter only ends the search: no editor opens over the cell
    for (const Step& step : steps) {
        display().TypeText(step.typed);
        EXPECT_EQ(grid().CurRow(), step.row) << step.typed;
        EXPECT_EQ(Overlay() > 0, step.showing) << step.typed;
    }
    Press({{VK_UP}});  // a navigation key ends it too
    EXPECT_EQ(grid().CurRow(), 3);
    EXPECT_EQ(Overlay(), 0);
    EXPECT_EQ(Changes(),
              "-1.1 +2.1 @2.1 -2.1 +3.1 @3.1 -3.1 +2.1 @2.1 -2.1 +3.1 @3.1 -3.1 +5.1 "
              "@5.1 -5.1 +4.1 @4.1 -4.1 +3.1 @3.1");
}

TEST_F(KeySearchTyping, StartRowLoopColumnsAndHiddenRows) {
    grid().SetCurCell(3, 1);
    grid().SetKeySearchFromCurRow(true);
    display().TypeText("a");  // Apple lies above the current row
    EXPECT_EQ(grid().CurRow(), 3);
    grid().SetKeySearchLoop(true);
    display().TypeText("a");
    EXPECT_EQ(grid().CurRow(), 1);
    display().TypeText("\x1B");

    grid().SetKeyPressBehaviour(vxKeyPressSearchDefCol);
    display().TypeText("4");  // KeySearchCol 0: nothing is searched
    EXPECT_EQ(Current(), "1.1");
    grid().SetKeySearchCol(2);
    display().TypeText("4,0");
    EXPECT_EQ(Current(), "4.2");
    EXPECT_EQ(grid().FindSearchMatchRow("c2", "4,002.00", 0), 4);

    grid().SetRowVisible(5, false);
    EXPECT_EQ(grid().FindSearchMatchRow(1, "BLACK"), 0);
    EXPECT_EQ(grid().FindSearchMatchRow(1, "BLACK", 1, false), 5);
}

}  // namespace
}  // namespace vexa::test
