// Painting what a careless or hostile host gives it: rows taller than the screen, negative
// heights, zero widths, colours that name no system colour, group rows starting nowhere, and
// custom-draw handlers that throw or change cells. Nothing crashes and every pixel is
// painted.
#include "host/PaintTestSupport.h"
#include "vexa/system/automation/Error.h"

namespace vexa::test {
namespace {

class PaintRobustnessTest : public PaintedGrid {
  protected:
    void SetUp() override {
        for (int c = 0; c < 3; ++c) grid().AddCol({.lWidth = 100});
        grid().SetRowCount(30);
        for (int r = 1; r <= 30; ++r) grid().SetCellValue(r, 2, "row " + std::to_string(r));
    }
};

TEST_F(PaintRobustnessTest, ARowTallerThanTheScreenIsPaintedStraightOntoTheWindow) {
    grid().SetCellBackColor(2, 1, kGreen);
    grid().SetRowHeight(2, 5000);
    EXPECT_EQ(LeftUnpainted(), 0);
    const sys::RECT cell = CellRect(2, 1);
    const int bottom = Client().bottom;
    ASSERT_LT(cell.top, bottom);
    EXPECT_EQ(Shot().Count({cell.left, cell.top, cell.right - 1, bottom}, kGreen),
              (cell.Width() - 1) * (bottom - cell.top));
    grid().VScrollBar()->SetValue(2000);
    EXPECT_EQ(Shot().Count({cell.left, 0, cell.right - 1, bottom}, kGreen),
              (cell.Width() - 1) * bottom);
}

TEST_F(PaintRobustnessTest, NegativeHeightsAndZeroWidthsTakeNoRoom) {
    grid().SetRowHeight(3, -40);
    grid().SetColWidth(2, 0);
    EXPECT_EQ(CellRect(4, 1).top, CellRect(3, 1).top);
    EXPECT_EQ(CellRect(1, 3).left, CellRect(1, 2).left);
    EXPECT_EQ(LeftUnpainted(), 0);
}

TEST_F(PaintRobustnessTest, ColoursNamingNoSystemColourStillPaintEverything) {
    for (OLE_COLOR bad : {0x80000040u, 0x800000FFu, 0x8000FFFFu, 0xFF123456u}) {
        SCOPED_TRACE(bad);
        grid().SetBackColor(bad);
        grid().SetForeColor(bad);
        grid().SetGridLineColor(bad);
        grid().SetBackColorOddRows(bad);
        grid().SetCellBackColor(1, 1, bad);
        grid().SetCellForeColor(1, 2, bad);
        grid().SetHighlightBackColorNoFocus(bad);
        EXPECT_EQ(LeftUnpainted(), 0);
    }
}

TEST_F(PaintRobustnessTest, GroupRowsStartingAtColumnsThatDoNotExistStillPaint) {
    grid().AddCol({.sKey = "text", .bRowTextCol = true});
    grid().SetRowIsGroup(2, true);
    for (std::int32_t start : {-5, 3, 4, 99}) {
        grid().SetRowGroupStartCol(2, start);
        EXPECT_EQ(LeftUnpainted(), 0) << start;
    }
}

// Throws from every custom-drawn cell, or changes another cell while it is painted.
struct Meddler : VexaEvents {
    Vexa* grid = nullptr;
    bool throws = false;
    void CustomDrawCell(std::int32_t row, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                        std::int32_t, std::int32_t, bool) override {
        if (throws) throw std::runtime_error("host");
        grid->SetCellBackColor(row, 3, kGreen);
    }
};

TEST_F(PaintRobustnessTest, CustomDrawHandlersThatThrowOrChangeCellsLeaveAWholePicture) {
    Meddler meddler;
    meddler.grid = &grid();
    grid().Advise(&meddler);
    for (int r = 1; r <= 30; ++r) grid().SetCellType(r, 1, vxCellCustomDraw);
    meddler.throws = true;
    EXPECT_EQ(LeftUnpainted(), 0);
    meddler.throws = false;
    RepaintAll();
    // The cells changed while painting are painted again once the pass is over.
    const ClientPixels shot = Shot();
    std::int32_t startRow, startCol, x0, y0, endRow, endCol, x1, y1;
    grid().GetStartEndCell(startRow, startCol, x0, y0, endRow, endCol, x1, y1);
    for (std::int32_t row = startRow; row < endRow; ++row) {
        const sys::RECT cell = CellRect(row, 3);
        EXPECT_EQ(shot.At(cell.left + 5, cell.top + 5), kGreen) << "row " << row;
    }
}

}  // namespace
}  // namespace vexa::test
