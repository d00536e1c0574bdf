// What the roles above the painter hand it for a pass (PaintState: the current cell, focus,
// row mode, an edit in progress, the cell whose control the mouse tracks, a pending key
// search) and how it shows: focus rectangles, the key-search overlay, pressed and hot glyphs.
#include <gtest/gtest.h>

#include "vexa/events/EventSinks.h"
#include "vexa/model/CellValues.h"
#include "vexa/model/GridStore.h"
#include "vexa/render/Appearance.h"
#include "vexa/render/Painter.h"
#include "vexa/render/UxTheme.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {
namespace {

using sys::COLORREF;
using sys::RGB;

constexpr COLORREF kDots = RGB(255, 0, 0), kGaps = RGB(0, 0, 255), kGreen = RGB(0, 160, 0);

struct Hosts : GeometryHost, PainterHost {
    sys::HWND window = 0;
    PaintState state;
    bool rowText = false;

    sys::RECT WindowRect() const override {
        sys::RECT rect;
        sys::GetWindowRect(window, &rect);
        return rect;
    }
    std::int32_t BorderWidth() const override { return 0; }
    std::int32_t HeaderHeight() const override { return 0; }
    bool BarVisible(EScrollBar) const override { return false; }
    std::int32_t BarValue(EScrollBar) const override { return 0; }
    std::int32_t BarMin(EScrollBar) const override { return 0; }
    std::int32_t BarMax(EScrollBar) const override { return 0; }
    bool MoreRowsMayCome() const override { return false; }
    bool RowTextActive() const override { return rowText; }
    bool UsesRowParity() const override { return false; }
    sys::HWND Window() const override { return window; }
    PaintState GatherPaintState() const override { return state; }
    bool RowRequestInProgress() const override { return false; }
    bool RequestRow(std::int32_t) override { return false; }
    void ApplyLayout(const LayoutDecision&) override {}
};

// Three 100-pixel columns and a row-text column, four 20-pixel rows; row 3 is a group row.
class PainterTest : public ::testing::Test {
  protected:
    PainterTest() {
        sys::DestroyAllWindowsForTesting();
        sys::WNDCLASS window;
        window.lpfnWndProc = &sys::DefWindowProc;
        window.lpszClassName = "VexaPainterTest";
        sys::RegisterClass(window);  // a second registration fails harmlessly
        hosts.window = sys::CreateWindowEx(0, "VexaPainterTest", "",
                                           sys::WS_POPUP | sys::WS_VISIBLE, 0, 0, 400, 200);
        for (bool band : {false, false, false, true}) {
            NewColumn column;
            column.width = 100;
            column.rowTextColumn = band;
            store.InsertColumn(column, store.CheckNewColumn(column), 0);
        }
        geometry.RecomputeColumnPositions();
        for (int r = 0; r < 4; ++r) {
            NewRow row;
            row.height = 20;
            store.InsertRow(row, 0, store.CheckNewRow(row));
        }
        geometry.RecomputeRowPositionsFrom(1);
        store.SetRowGroup(3, true);
        for (int r = 1; r <= 4; ++r) store.Cell(1, r).value = Variant("row text");
        appearance.focusRectColor1 = kDots;
        appearance.focusRectColor2 = kGaps;
        painter.Flags().shown = true;
        painter.EnlargeRowBuffer(20);
    }
    ~PainterTest() override { sys::DestroyAllWindowsForTesting(); }

    void Paint() {
        geometry.Invalidate(RangeState::RecomputeAll);
        painter.Flags().fullRepaint = true;
        painter.Draw();
    }
    COLORREF At(int x, int y) {
        const sys::HDC dc = sys::GetDC(hosts.window);
        const COLORREF color = sys::GetPixel(dc, x, y);
        sys::ReleaseDC(hosts.window, dc);
        return color;
    }
    int Count(const sys::RECT& r, COLORREF color) {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) count += At(x, y) == color ? 1 : 0;
        return count;
    }
    // Whether the square at (x, y) shows the frame control drawn with `state`.
    bool ShowsFrameControl(int x, int y, int size, std::uint32_t type, std::uint32_t state) {
        const sys::HDC dc = sys::CreateCompatibleDC(0);
        const sys::HBITMAP bitmap = sys::CreateCompatibleBitmap(dc, size, size);
        const sys::HGDIOBJ previous = sys::SelectObject(dc, bitmap);
        sys::RECT rect{0, 0, size, size};
        sys::FillRect(dc, &rect, sys::GetSysColorBrush(sys::COLOR_WINDOW));
        sys::DrawFrameControl(dc, &rect, type, state);
        int differing = 0;
        for (int gy = 0; gy < size; ++gy)
            for (int gx = 0; gx < size; ++gx)
                differing += At(x + gx, y + gy) != sys::GetPixel(dc, gx, gy);
        sys::SelectObject(dc, previous);
        sys::DeleteObject(bitmap);
        sys::DeleteDC(dc);
        return differing == 0;
    }

    Hosts hosts;
    GridStore store;
    CellValues cellValues{store, [](const Font&) {}};
    EventSinks events;
    Appearance appearance;
    VisualStyles styles;
    cUxTheme theme;
    Geometry geometry{store, hosts};
    Painter painter{store, cellValues, geometry, appearance, styles, theme, events, hosts};
};

struct FocusCase {
    bool hasFocus, editing, rowMode, enabled, focusRect;
    bool cellDots, rowDots;
};

class FocusRectTest : public PainterTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(FocusRectTest, TheFocusRectangleIsDottedInItsTwoColoursOnlyWhenItsConditionsHold) {
    const FocusCase& c = GetParam();
    hosts.state = PaintState{.currentRow = 2,
                             .currentCol = 2,
                             .hasFocus = c.hasFocus,
                             .rowMode = c.rowMode,
                             .editing = c.editing};
    appearance.enabled = c.enabled;
    appearance.focusRect = c.focusRect;
    Paint();
    // Cell (2, 2) spans x 100..200, y 20..40; the frame leaves the grid lines' last pixels
    // alone, and its dots alternate from the row's corner.
    EXPECT_EQ(At(100, 22) == kDots && At(100, 21) == kGaps && At(101, 38) == kGaps &&
                  At(198, 38) == kDots,
              c.cellDots);
    // The row rectangle runs from the first column to the last one's right edge.
    EXPECT_EQ(At(0, 20) == kDots && At(298, 20) == kDots && At(299, 20) != kDots, c.rowDots);
}

INSTANTIATE_TEST_SUITE_P(Conditions, FocusRectTest,
                         ::testing::Values(FocusCase{true, false, false, true, true, true, false},
                                           FocusCase{false, false, false, true, true, false, false},
                                           FocusCase{true, true, false, true, true, false, false},
                                           FocusCase{true, false, false, false, true, false, false},
                                           FocusCase{true, false, false, true, false, false, false},
                                           FocusCase{true, false, true, true, true, false, true},
                                           FocusCase{false, false, true, true, true, false, false},
                                           FocusCase{true, true, true, true, true, false, true}));

TEST_F(PainterTest, AGroupRowWhoseBandIsCurrentGetsTheFocusRectangleEvenInRowMode) {
    hosts.state = PaintState{.currentRow = 3, .currentCol = 4, .hasFocus = true, .rowMode = true};
    Paint();
    EXPECT_EQ(At(0, 40), kDots);
    EXPECT_EQ(At(1, 40), kGaps);
    EXPECT_EQ(At(298, 58), kDots);
}

TEST_F(PainterTest, WithRowTextTheBandFillsTheRowBelowItsNormalCellsFromTheStartColumn) {
    hosts.rowText = true;
    store.Row(2).normalCellHeight = 8;
    store.SetRowTextStartCol(2);
    store.Cell(4, 2).backColor = kGreen;
    store.Cell(1, 2).backColor = kDots;
    store.Cell(2, 2).backColor = kGaps;
    Paint();
    EXPECT_EQ(At(50, 34), kDots) << "a column before the band keeps the full height";
    EXPECT_EQ(At(150, 24), kGaps);
    EXPECT_EQ(At(150, 34), kGreen);
    EXPECT_EQ(At(298, 30), kGreen);
    EXPECT_EQ(At(350, 34), sys::GetSysColor(sys::COLOR_WINDOW));
}

TEST_F(PainterTest, APendingKeySearchIsDrawnOverTheSearchedCellOfTheCurrentRowOnly) {
    appearance.highlightBackColor = kGreen;
    hosts.state =
        PaintState{.currentRow = 2, .currentCol = 2, .keySearchText = "row", .keySearchCol = 1};
    for (bool enabled : {true, false}) {
        appearance.enabled = enabled;
        Paint();
        EXPECT_EQ(Count({0, 20, 100, 40}, kGreen) > 0, enabled);
        EXPECT_EQ(Count({0, 0, 100, 20}, kGreen), 0);
        EXPECT_EQ(Count({0, 60, 100, 80}, kGreen), 0);
    }
}

TEST_F(PainterTest, TheCurrentComboCellShowsItsButtonPressedWhileItIsEdited) {
    CellRecord& cell = store.Cell(3, 2);
    cell.flags = std::uint8_t(cell.flags | vxCellCombo);
    for (bool editing : {false, true}) {
        hosts.state = PaintState{.currentRow = 2, .currentCol = 3, .editing = editing};
        Paint();
        EXPECT_TRUE(ShowsFrameControl(300 - 18, 21, 16, sys::DFC_SCROLL,
                                      sys::DFCS_SCROLLCOMBOBOX | (editing ? sys::DFCS_PUSHED : 0)));
    }
    hosts.state.editable = false;
    Paint();
    EXPECT_EQ(Count({300 - 18, 21, 300 - 2, 37}, sys::GetSysColor(sys::COLOR_WINDOW)), 16 * 16);
}

TEST_F(PainterTest, TheTrackedCheckBoxIsHotOnlyWithVisualStyles) {
    CellRecord& cell = store.Cell(2, 2);
    cell.flags = std::uint8_t(cell.flags | vxCellCheck);
    cell.value = Variant(1);
    hosts.state = PaintState{.hotRow = 2, .hotCol = 2};
    Paint();
    EXPECT_TRUE(
        ShowsFrameControl(142, 21, 16, sys::DFC_BUTTON, sys::DFCS_BUTTONCHECK | sys::DFCS_CHECKED));
    styles.Refresh(theme, hosts.window);
    ASSERT_TRUE(styles.inUse);
    painter.DropGlyphCaches();
    auto accent = [&] { return Count({100, 20, 200, 40}, RGB(25, 126, 214)); };
    Paint();
    EXPECT_GT(accent(), 20) << "the hot checked look";
    hosts.state = PaintState{};
    Paint();
    EXPECT_EQ(accent(), 0);
}

}  // namespace
}  // namespace vexa
