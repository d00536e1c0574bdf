// What the user sees of the current cell and the selection: the highlight in the focused or
// unfocused colour, the dotted focus rectangle only while the grid has the focus (around the
// cell, or along the row in RowMode), and CurCellChange arriving after the repaint.
#include "SelectionTestSupport.h"

namespace vexa::test {
namespace {

using namespace sys;

class SelectionPaint : public SelectionGrid {
  public:
    // A pixel inside a cell, clear of its text, lines and focus rectangle, as shown now.
    COLORREF Inside(int row, int col) {
        const RECT r = CellRect(row, col);
        return display().WindowPixel(grid().hwnd(), r.right - 6, r.top + 4);
    }
    // How many pixels of the cell's top edge have the colour.
    int OnTopEdge(int row, int col, COLORREF colour) {
        const RECT r = CellRect(row, col);
        int count = 0;
        for (int x = r.left + 1; x < r.right - 2; ++x) count += Pixel(x, r.top) == colour;
        return count;
    }
};

TEST_F(SelectionPaint, FocusDecidesTheColoursAndTheFocusRectangleAndCurCellChangeSeesThem) {
    Fill({60, 60, 60}, 5);
    struct Looker : VexaEvents {
        SelectionPaint* test;
        COLORREF seen = 0;
        void CurCellChange(std::int32_t r, std::int32_t c) override { seen = test->Inside(r, c); }
    } looker;
    looker.test = this;
    grid().Advise(&looker);
    Focus();
    Press({{VK_DOWN}, {VK_DOWN}});
    EXPECT_EQ(looker.seen, GetSysColor(COLOR_HIGHLIGHT)) << "the event comes after the repaint";
    grid().Unadvise(&looker);
    const COLORREF dot = GetSysColor(COLOR_WINDOWTEXT);
    for (bool rowMode : {false, true}) {
        for (bool focused : {true, false}) {
            grid().SetRowMode(rowMode);
            grid().SetCurCell(3, 2);
            SetFocus(focused ? grid().hwnd() : 0);
            PumpMessages();
            const COLORREF highlight = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
            EXPECT_EQ(Inside(3, 2), highlight) << rowMode << focused;
            EXPECT_EQ(Inside(3, 1), rowMode ? highlight : GetSysColor(COLOR_WINDOW));
            EXPECT_EQ(OnTopEdge(3, 2, dot) > 0, focused) << rowMode << focused;
            EXPECT_EQ(OnTopEdge(3, 1, dot) > 0, focused && rowMode) << rowMode << focused;
            EXPECT_EQ(OnTopEdge(2, 2, dot), 0);
        }
    }
}

}  // namespace
}  // namespace vexa::test
