// Scrolling the grid as a user does: the wheel (Ctrl for horizontal), arrows held down, the
// track and the thumb of the window's own scroll bars; what the host sees of the bars; and
// their values' limits.
#include <array>
#include <functional>
#include <utility>

#include "common/GridOnForm.h"
#include "vexa/system/controls/WindowScrollBars.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Messages.h"

namespace vexa::test {
namespace {

using sys::POINT;
using sys::RECT;

class ScrollingTest : public GridOnForm {
  protected:
    void SetUp() override {
        Fill({120, 120, 120, 120, 120, 120}, 200);
        sys::SetFocus(grid().hwnd());
        log.Clear();
    }
    std::int32_t VValue() { return grid().VScrollBar()->Value(); }
    std::int32_t HValue() { return grid().HScrollBar()->Value(); }
    // Screen points on the vertical bar, inside the default 3D border of 2 pixels: the middle
    // of its down arrow, and of the thumb while it is at the top.
    POINT OnVBar(bool downArrow) {
        RECT w;
        sys::GetWindowRect(grid().hwnd(), &w);
        const int cx = sys::GetSystemMetrics(sys::SM_CXVSCROLL);
        return {w.right - 2 - cx / 2,
                downArrow ? w.bottom - 2 - sys::GetSystemMetrics(sys::SM_CYHSCROLL) - cx / 2
                          : w.top + 2 + cx + 3};
    }
    RECT Client() {
        RECT client;
        sys::GetClientRect(grid().hwnd(), &client);
        return client;
    }
    int Count(const std::string& prefix) { return int(log.Of(prefix).size()); }
};

TEST_F(ScrollingTest, TheWheelScrollsALineOfDefaultRowHeightAndCtrlScrollsHorizontally) {
    display().Wheel(-120);
    display().Wheel(-360);  // one line, whatever the delta's size
    display().Wheel(120);
    EXPECT_EQ(VValue(), grid().DefaultRowHeight());
    display().KeyDown(sys::VK_CONTROL);
    display().Wheel(-120);
    display().KeyUp(sys::VK_CONTROL);
    EXPECT_EQ(HValue(), 20);
    EXPECT_EQ(log.Of("ScrollBarPosChanged"),
              (std::vector<std::string>{"ScrollBarPosChanged(1,15)", "ScrollBarPosChanged(1,30)",
                                        "ScrollBarPosChanged(1,15)", "ScrollBarPosChanged(0,20)"}));
}

TEST_F(ScrollingTest, AnArrowHeldDownRepeatsLinesOnTheClockAndEndsTheScroll) {
    const POINT arrow = OnVBar(true);
    display().MouseMove(arrow.x, arrow.y);
    display().MouseDown();
    display().AdvanceClock(500);
    display().MouseUp();
    const int lines = Count("ScrollBarPosChanged");
    EXPECT_GT(lines, 3);
    EXPECT_EQ(VValue(), lines * grid().DefaultRowHeight());
    EXPECT_EQ(log.entries.back(), "ScrollBarEndScroll(1)");
    // The rows moved up by as many pixels.
    EXPECT_EQ(CellRect(1, 1).top, grid().Header()->Height() - VValue());
}

TEST_F(ScrollingTest, TheThumbDragsThroughTheRowsAndTheTrackPages) {
    const POINT thumb = OnVBar(false);
    display().Drag(thumb.x, thumb.y, thumb.x, thumb.y + 100, 4);
    EXPECT_GE(Count("ScrollBarThumbTrack"), 2);
    EXPECT_EQ(log.entries.back(), "ScrollBarEndScroll(1)");
    const std::int32_t dragged = VValue();
    EXPECT_GT(dragged, 0);
    std::int32_t startRow = 0, startCol = 0, x0 = 0, y0 = 0, endRow = 0, endCol = 0, x1 = 0, y1 = 0;
    grid().GetStartEndCell(startRow, startCol, x0, y0, endRow, endCol, x1, y1);
    EXPECT_EQ(startRow, dragged / grid().DefaultRowHeight() + 1);
    const POINT arrow = OnVBar(true);
    display().Click(arrow.x, arrow.y - 30);  // on the track below the thumb
    EXPECT_EQ(VValue(), dragged + grid().VScrollBar()->LargeChange());
}

TEST_F(ScrollingTest, ValuesAreClampedAndTheSameValueRaisesNothing) {
    const auto bar = grid().VScrollBar();
    bar->SetValue(1000000);
    const std::int32_t bottom = bar->Value();
    EXPECT_LT(bottom, 1000000);
    EXPECT_EQ(log.Of("ScrollBarPosChanged"),
              (std::vector<std::string>{"ScrollBarPosChanged(1," + std::to_string(bottom) + ")"}));
    bar->SetValue(bottom);
    bar->SetValue(-5);
    EXPECT_EQ(bar->Value(), 0);
    EXPECT_EQ(Count("ScrollBarPosChanged"), 2);
    // Scrolled to the bottom, the last row shows in full.
    const RECT last = CellRect(200, 1);
    bar->SetValue(1000000);
    EXPECT_LE(CellRect(200, 1).bottom, Client().bottom);
    EXPECT_LT(CellRect(200, 1).top, last.top);
}

TEST_F(ScrollingTest, AHiddenBarGoesBackToZeroAndTellsTheHost) {
    grid().HScrollBar()->SetValue(100);
    ASSERT_EQ(HValue(), 100);
    log.Clear();
    for (std::int32_t c = 2; c <= 6; ++c) grid().SetColWidth(c, 10);
    EXPECT_FALSE(grid().HScrollBar()->Visible());
    EXPECT_EQ(HValue(), 0);
    EXPECT_EQ(log.Of("ScrollBarVisibilityChanged"),
              (std::vector<std::string>{"ScrollBarVisibilityChanged(0,0)"}));
    EXPECT_EQ(CellRect(1, 1).left, 0);
}

TEST_F(ScrollingTest, ScrollBarObjectsOutliveTheirGrid) {
    const auto bar = grid().VScrollBar();
    bar->SetValue(30);
    EXPECT_EQ(bar->Value(), 30);
    EXPECT_EQ(bar->SmallChange(), grid().DefaultRowHeight());
    EXPECT_EQ(bar->Thickness(), sys::GetSystemMetrics(sys::SM_CXVSCROLL));
    grid().SetScrollBarStyle(EScrollBarStyles(77));  // any value is taken
    EXPECT_EQ(grid().ScrollBarStyle(), 77);
    ResetGrid();
    EXPECT_EQ(bar->Value(), 0);
    EXPECT_FALSE(bar->Visible());
    bar->SetValue(10);
    EXPECT_EQ(bar->Max(), 0);
}

TEST_F(ScrollingTest, EnsureVisibleScrollsTheRowOrColumnIntoView) {
    struct Case {
        std::int32_t row;
        EEnsureVisibleRowMode mode;
        bool atTop;  // else at the bottom
    };
    const RECT client = Client();
    for (const Case& c :
         {Case{150, vxEnsVisRowAuto, false}, Case{20, vxEnsVisRowAuto, true},
          Case{100, vxEnsVisRowTopForce, true}, Case{140, vxEnsVisRowBottom, false}}) {
        SCOPED_TRACE(c.row);
        grid().EnsureVisibleRow(c.row, c.mode, 8);
        const RECT cell = CellRect(c.row, 1);
        if (c.atTop) {
            EXPECT_EQ(cell.top, grid().Header()->Height() + 8);
        } else {
            EXPECT_EQ(cell.bottom, client.bottom - 8);
        }
    }
    grid().EnsureVisibleCol(5, vxEnsVisColAuto, 8);
    EXPECT_EQ(CellRect(1, 5).right, client.right - 8);
    grid().EnsureVisibleCol(6, vxEnsVisColAuto, 8);  // the last column: as far as the bar goes
    EXPECT_EQ(CellRect(1, 6).right, client.right - 1);
    grid().EnsureVisibleCell(1, 1);
    EXPECT_EQ(CellRect(1, 1).left, 0);
    EXPECT_EQ(CellRect(1, 1).top, grid().Header()->Height());
}

TEST_F(ScrollingTest, AppendedRowsKeepTheHorizontalBarAndHeaderAndAWiderColumnMovesThem) {
    display().KeyDown(sys::VK_CONTROL);
    display().Wheel(-120);
    display().KeyUp(sys::VK_CONTROL);
    const auto bar = grid().HScrollBar();
    const auto headerLeft = [&] {
        RECT header;
        sys::GetWindowRect(grid().Header()->hwnd(), &header);
        POINT origin{0, 0};
        sys::ClientToScreen(grid().hwnd(), &origin);
        return header.left - origin.x;
    };
    const std::array before{bar->Max(), bar->LargeChange(), HValue(), headerLeft()};
    for (int r = 0; r < 50; ++r) grid().AddRow();
    EXPECT_EQ((std::array{bar->Max(), bar->LargeChange(), HValue(), headerLeft()}), before);
    EXPECT_EQ(before[3], -before[2]);
    grid().SetColWidth(1, grid().ColWidth(1) + 200);
    grid().AddRow();
    EXPECT_GT(bar->Max(), before[0]);
    EXPECT_EQ(headerLeft(), -HValue());
}

// Rows appended one after another leave the vertical bar as it is until something looks;
// whatever looks first, the bar must then be exactly what a grid shows whose bar was read
// after every row and messages pumped: range, page, position, pixels, and where the rows are.
TEST_F(ScrollingTest, AppendedRowsShowOnTheBarAsSoonAsAnythingLooksAtIt) {
    const sys::HWND twinForm = sys::CreateWindowEx(
        0, "VexaTestForm", "twin", sys::WS_POPUP | sys::WS_VISIBLE, 0, 0, kFormWidth, kFormHeight);
    Vexa twin(twinForm, kGridRect);
    for (int c = 1; c <= grid().ColCount(); ++c) twin.AddCol({.lWidth = grid().ColWidth(c)});
    twin.SetRowCount(grid().RowCount());
    for (Vexa* g : {&grid(), &twin}) g->VScrollBar()->SetValue(3 * g->DefaultRowHeight());
    sys::PumpMessages();

    const auto barInfo = [](Vexa& g) {
        sys::SCROLLINFO si;
        si.fMask = sys::SIF_ALL;
        sys::GetScrollInfo(g.hwnd(), sys::SB_VERT, &si);
        return std::array{si.nMin, si.nMax, std::int32_t(si.nPage), si.nPos};
    };
    const auto barPixels = [](Vexa& g) {
        RECT client;
        sys::GetClientRectInWindow(g.hwnd(), &client);
        const int width = sys::GetSystemMetrics(sys::SM_CXVSCROLL);
        const sys::HDC dc = sys::GetWindowDC(g.hwnd());
        std::vector<sys::COLORREF> pixels;
        for (int y = client.top; y < client.bottom; ++y) {
            for (int x = client.right; x < client.right + width; ++x) {
                pixels.push_back(sys::GetPixel(dc, x, y));
            }
        }
        sys::ReleaseDC(g.hwnd(), dc);
        return pixels;
    };
    const auto firstRowTop = [](Vexa& g) {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        g.CellBoundary(1, 1, left, top, width, height);
        return top;
    };
    const auto barObject = [](Vexa& g) {
        const auto bar = g.VScrollBar();
        return std::array{bar->Min(), bar->Max(), bar->LargeChange(), bar->Value()};
    };
    // Each way of looking is the first to look after a round of rows; the others follow.
    const std::vector<std::pair<const char*, std::function<bool()>>> firstLooks = {
        {"the bar's pixels", [&] { return barPixels(grid()) == barPixels(twin); }},
        {"the window's scroll info", [&] { return barInfo(grid()) == barInfo(twin); }},
        {"the bar object", [&] { return barObject(grid()) == barObject(twin); }},
        {"the rows' places", [&] { return firstRowTop(grid()) == firstRowTop(twin); }},
    };
    for (const auto& [what, sameAsTwin] : firstLooks) {
        const auto pixelsBefore = barPixels(grid());
        const auto infoBefore = barInfo(grid());
        for (int r = 0; r < 50; ++r) {
            twin.AddRow();
            barInfo(twin);
            sys::PumpMessages();
        }
        for (int r = 0; r < 50; ++r) grid().AddRow();
        EXPECT_TRUE(sameAsTwin()) << what;
        EXPECT_EQ(barPixels(grid()), barPixels(twin)) << what;
        EXPECT_NE(barPixels(grid()), pixelsBefore) << what;
        EXPECT_EQ(barInfo(grid()), barInfo(twin)) << what;
        EXPECT_GT(barInfo(grid())[1], infoBefore[1]) << what;
        sys::PumpMessages();
        EXPECT_EQ(barPixels(grid()), barPixels(twin)) << what;
        EXPECT_EQ(barObject(grid()), barObject(twin)) << what;
    }
}

}  // namespace
}  // namespace vexa::test
