// Measuring cell text and fitting columns and rows to their content, checked against what
// the painter draws.
#include "common/GridOnForm.h"

namespace vexa::test {
namespace {

using sys::RECT;

class MeasureTest : public GridOnForm {
  protected:
    void SetUp() override {
        grid().AddCol({.sKey = "text", .lWidth = 80});
        grid().AddCol({.sKey = "check", .lWidth = 80});
        grid().AddCol({.sKey = "empty", .lWidth = 80});
        grid().SetRowCount(3);
        grid().SetCellValue(1, "text", "A short text");
        grid().SetCellValue(2, "text", "A rather longer text that ends far away");
        for (std::int32_t r = 1; r <= 3; ++r) grid().SetCellType(r, "check", vxCellCheck);
    }
    std::int32_t Width(const Variant& row, const Variant& col, bool force = true) {
        return grid().EvaluateTextWidth(row, col, force);
    }
};

TEST_F(MeasureTest, TextWidthsIgnoreEllipsisAndGrowWithTheText) {
    EXPECT_EQ(Width(1, "empty"), 0);
    const std::int32_t shortWidth = Width(1, "text");
    const std::int32_t longWidth = Width(2, "text");
    EXPECT_GT(shortWidth, 0);
    EXPECT_GT(longWidth, 80);  // wider than the column: measured whole despite the ellipsis
    grid().SetCellFont(1, "text", [] {
        auto font = vexa::Font::Create();
        font->SetSize(16);
        return font;
    }());
    EXPECT_GT(Width(1, "text"), shortWidth);
}

TEST_F(MeasureTest, WrappedTextWidensInSixteenPixelStepsUntilItFitsTheRow) {
    grid().SetCellTextFlags(2, "text", vxTextWordBreak);
    const std::int32_t wrapped = Width(2, "text");
    grid().SetCellTextFlags(2, "text", vxTextSingleLine);
    const std::int32_t oneLine = Width(2, "text");
    // The row is one line high: the text is widened until it stands on one line.
    EXPECT_GE(wrapped, oneLine - 16);
    EXPECT_LE(wrapped, oneLine);
    // A text with line breaks of its own stays as tall as it is instead of widening for ever.
    grid().SetCellValue(3, "text", "one\ntwo\nthree");
    grid().SetCellTextFlags(3, "text", vxTextWordBreak);
    EXPECT_LT(Width(3, "text"), 80);
    EXPECT_GE(grid().EvaluateTextHeight(3, "text"), 3 * grid().EvaluateTextHeight(1, "text"));
}

TEST_F(MeasureTest, AutoWidthFitsTextChecksAndEmptyColumns) {
    struct Case {
        const char* col;
        std::int32_t expected;
    };
    const std::int32_t indents = grid().CellIndent(1, "text") + grid().CellRightIndent(1, "text");
    grid().SetAutoWidthColWithHeader(false);  // the cells alone
    for (const Case& c : {Case{"check", 19}, Case{"empty", 3 + indents},
                          Case{"text", Width(2, "text") + 3 + indents}}) {
        SCOPED_TRACE(c.col);
        grid().AutoWidthCol(c.col);
        EXPECT_EQ(grid().ColWidth(c.col), c.expected);
    }
    grid().SetColMaxWidth("text", 100);
    grid().AutoWidthCol("text");
    EXPECT_EQ(grid().ColWidth("text"), 100);
}

TEST_F(MeasureTest, AutoHeightFitsRowsAndHonoursTheMinimum) {
    grid().RemoveCol("text");
    grid().RemoveCol("empty");
    grid().AutoHeightRow(1);  // only check boxes: 17, but not below the default row height
    EXPECT_EQ(grid().RowHeight(1), std::max(17, grid().DefaultRowHeight()));
    grid().AutoHeightRow(1, 0);
    EXPECT_EQ(grid().RowHeight(1), 17);
    grid().SetDefaultRowHeight(30);
    grid().AutoHeightRow(2);
    EXPECT_EQ(grid().RowHeight(2), 30);
}

TEST_F(MeasureTest, TheTextBoundaryHoldsTheTextAsPainted) {
    grid().SetColWidth("text", 200);
    grid().SetRowHeight(1, 30);
    grid().SetCellIndent(1, "text", 10);
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    grid().CellTextBoundary(1, "text", left, top, width, height);
    const RECT cell = CellRect(1, 1);
    EXPECT_EQ(left, cell.left + 1 + 10);
    // Every dark pixel of the cell lies inside the text rectangle.
    int ink = 0;
    for (int y = cell.top; y < cell.bottom - 1; ++y) {
        for (int x = cell.left; x < cell.right - 1; ++x) {
            const sys::COLORREF c = Pixel(x, y);
            if (sys::GetRValue(c) > 100) continue;
            ++ink;
            EXPECT_GE(x, left);
            EXPECT_LT(x, left + width);
            EXPECT_GE(y, top - 1);
            EXPECT_LE(y, top + height);
        }
    }
    EXPECT_GT(ink, 10);
}

}  // namespace
}  // namespace vexa::test
