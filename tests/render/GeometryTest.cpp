// Pixel geometry on a store with a stand-in for the control: positions, parity, the layout
// pass, the visible range (checked against the plain row scan on random grids), hit tests
// and the scroll values that bring rows and columns into view.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "vexa/model/GridStore.h"
#include "vexa/render/Geometry.h"

namespace vexa {
namespace {

struct FakeHost : GeometryHost {
    sys::RECT window{100, 50, 100 + 400, 50 + 300};
    std::int32_t border = 0;
    std::int32_t header = 0;
    bool bars[2] = {false, false};
    std::int32_t values[2] = {0, 0};
    std::int32_t maxima[2] = {0, 0};
    bool moreRows = false;
    bool rowText = false;
    bool parity = false;

    sys::RECT WindowRect() const override { return window; }
    std::int32_t BorderWidth() const override { return border; }
    std::int32_t HeaderHeight() const override { return header; }
    bool BarVisible(EScrollBar bar) const override { return bars[bar]; }
    std::int32_t BarValue(EScrollBar bar) const override { return values[bar]; }
    std::int32_t BarMin(EScrollBar) const override { return 0; }
    std::int32_t BarMax(EScrollBar bar) const override { return maxima[bar]; }
    bool MoreRowsMayCome() const override { return moreRows; }
    bool RowTextActive() const override { return rowText; }
    bool UsesRowParity() const override { return parity; }
};

class GeometryTest : public ::testing::Test {
  protected:
    void AddColumns(std::initializer_list<std::int32_t> widths) {
        for (std::int32_t width : widths) {
            NewColumn column;
            column.width = width;
            store.InsertColumn(column, store.CheckNewColumn(column), 0);
        }
        geometry.RecomputeColumnPositions();
    }
    void AddRow(std::int32_t height, bool visible = true, std::int32_t before = 0) {
        NewRow row;
        row.height = height;
        row.visible = visible;
        const std::int32_t added = store.InsertRow(row, before, store.CheckNewRow(row));
        geometry.RecomputeRowPositionsFrom(added);
        geometry.RecomputeParityFrom(added);
    }
    std::vector<std::int32_t> Tops() const {
        std::vector<std::int32_t> tops;
        for (std::int32_t r = 1; r <= store.RowCount(); ++r) tops.push_back(store.Row(r).top);
        return tops;
    }
    // Lays out and scrolls vertically to `offset`, as the scroll bar does.
    void ScrollTo(std::int32_t offset, RangeState state) {
        host.values[vxScrollBarV] = offset;
        geometry.SetVerticalOffset(offset);
        geometry.Invalidate(state);
    }

    GridStore store;
    FakeHost host;
    Geometry geometry{store, host};
};

TEST_F(GeometryTest, RowTopsStackVisibleRowsAndHiddenRowsShareTheNextTop) {
    AddColumns({64});
    AddRow(20);
    AddRow(30, false);
    AddRow(15);
    AddRow(40, true, 1);  // inserted first
    EXPECT_EQ(Tops(), (std::vector<std::int32_t>{0, 40, 60, 60}));
    store.RemoveRowAt(1);
    geometry.RecomputeRowPositionsFrom(1);
    EXPECT_EQ(Tops(), (std::vector<std::int32_t>{0, 20, 20}));
}

TEST_F(GeometryTest, ParityAlternatesOverVisibleRowsOnly) {
    AddColumns({64});
    for (bool visible : {true, true, false, true, true}) AddRow(15, visible);
    EXPECT_NE(store.Row(1).parity, store.Row(2).parity);
    EXPECT_EQ(store.Row(4).parity, !store.Row(2).parity);
    EXPECT_EQ(store.Row(5).parity, store.Row(2).parity);
    host.parity = false;
    geometry.RowParityChangedFrom(1);
    EXPECT_TRUE(geometry.ParityDirty());
    geometry.RecomputeParityFrom(1);
    EXPECT_FALSE(geometry.ParityDirty());
}

TEST_F(GeometryTest, ColumnLeftsSkipHiddenColumns) {
    AddColumns({30, 40, 50});
    store.Columns().At(2).visible = false;
    geometry.RecomputeColumnPositions();
    EXPECT_EQ(store.Columns().At(2).left, 30);
    EXPECT_EQ(store.Columns().At(3).left, 30);
    EXPECT_EQ(geometry.ContentRight(), 80);
}

TEST_F(GeometryTest, AbsurdSizesSaturateInsteadOfOverflowing) {
    AddColumns({64});
    for (int i = 0; i < 3000; ++i) AddRow(GridStore::kMaxRowHeight);
    EXPECT_LE(store.Row(3000).top, 1 << 30);
    EXPECT_GE(store.Row(3000).top, store.Row(2999).top);
    geometry.Layout();
    EXPECT_GT(geometry.Visible().endRow, 0);
}

TEST_F(GeometryTest, TheVerticalBarCanMakeTheHorizontalBarNecessary) {
    struct Case {
        std::int32_t width;
        std::int32_t rows;
        bool horizontal;
        bool vertical;
    };
    const std::int32_t vBar = geometry.BarThickness(vxScrollBarV);
    for (const Case& c : {Case{390, 1, false, false}, Case{390, 40, true, true},
                          Case{400 - vBar, 40, false, true}, Case{401, 1, true, false}}) {
        SCOPED_TRACE(c.width);
        store.ClearRows();
        store.ClearColumns();
        AddColumns({c.width});
        for (int r = 0; r < c.rows; ++r) AddRow(15);
        const LayoutDecision layout = geometry.Layout();
        EXPECT_EQ(layout.horizontalBar, c.horizontal);
        EXPECT_EQ(layout.verticalBar, c.vertical);
    }
}

// The plain scans, word for word, that the bisecting ones must agree with.
VisibleRange PlainForwardScan(const GridStore& store, std::int32_t from, std::int32_t offset,
                              std::int32_t height) {
    VisibleRange range;
    range.startRow = range.endRow = 0;
    for (std::int32_t r = from; r <= store.RowCount(); ++r) {
        const RowRecord& row = store.Row(r);
        if (!row.visible || row.height <= 0) continue;
        if (range.startRow == 0) {
            if (row.top + row.height > offset) {
                range.startRow = r;
                range.startY = row.top - offset;
            }
            continue;
        }
        range.endRow = r;
        range.endY = row.top - offset + row.height;
        if (row.top > offset + height) break;
    }
    if (range.startRow == 0) range.endRow = -1;
    if (range.startRow != 0 && range.endRow == 0) {
        range.endRow = range.startRow;
        range.endY = range.startY + store.Row(range.startRow).height;
    }
    return range;
}

VisibleRange PlainBackwardScan(const GridStore& store, std::int32_t from, std::int32_t offset,
                               std::int32_t height) {
    VisibleRange range;
    range.startRow = range.endRow = 0;
    for (std::int32_t r = from; r >= 1; --r) {
        const RowRecord& row = store.Row(r);
        if (!row.visible || row.height <= 0) continue;
        if (range.endRow == 0) {
            if (row.top < offset + height) {
                range.endRow = r;
                range.endY = row.top - offset + row.height;
            }
            continue;
        }
        range.startRow = r;
        range.startY = row.top - offset;
        if (row.top <= offset) break;
    }
    if (range.endRow == 0) range.endRow = -1;
    if (range.endRow > 0 && range.startRow == 0) {
        range.startRow = range.endRow;
        range.startY = store.Row(range.endRow).top - offset;
    }
    return range;
}

TEST_F(GeometryTest, BisectingScansAgreeWithThePlainScanOnRandomGrids) {
    std::mt19937 random(20261207);
    AddColumns({64, 64});
    for (int grid = 0; grid < 40; ++grid) {
        store.ClearRows();
        const int rows = std::uniform_int_distribution<int>(0, 300)(random);
        for (int r = 0; r < rows; ++r) {
            const int kind = std::uniform_int_distribution<int>(0, 9)(random);
            AddRow(kind == 0 ? 0 : std::uniform_int_distribution<int>(1, 40)(random), kind != 1);
        }
        const LayoutDecision layout = geometry.Layout();
        host.maxima[vxScrollBarV] = layout.verticalMax;
        const std::int32_t height = geometry.VisibleHeight();
        for (int probe = 0; probe < 30; ++probe) {
            const std::int32_t offset =
                std::uniform_int_distribution<int>(1, std::max(1, layout.verticalMax - 1))(random);
            // From row 1 (a fresh state) and onwards from the row where the last range
            // started (scrolled down).
            ScrollTo(0, RangeState::RecomputeAll);
            geometry.Visible();
            ScrollTo(offset, RangeState::RecomputeAll);
            VisibleRange got = geometry.Visible();
            VisibleRange want = PlainForwardScan(store, 1, offset, height);
            ASSERT_EQ(got.startRow, want.startRow) << "grid " << grid << " offset " << offset;
            ASSERT_EQ(got.endRow, want.endRow);
            if (want.endRow > 0) {
                ASSERT_EQ(got.endY, want.endY);
            }
            const std::int32_t from = got.startRow;
            ScrollTo(offset + 7, RangeState::ScrolledDown);
            got = geometry.Visible();
            want = PlainForwardScan(store, from, offset + 7, height);
            ASSERT_EQ(got.startRow, want.startRow);
            ASSERT_EQ(got.endRow, want.endRow);
            const std::int32_t backFrom = got.endRow;
            if (backFrom > 0) {
                ScrollTo(offset, RangeState::ScrolledUp);
                got = geometry.Visible();
                want = PlainBackwardScan(store, backFrom, offset, height);
                ASSERT_EQ(got.startRow, want.startRow);
                ASSERT_EQ(got.endRow, want.endRow);
            }
        }
        // At the bottom the scan runs backwards from the last row.
        ScrollTo(layout.verticalMax, RangeState::RecomputeAll);
        const VisibleRange got = geometry.Visible();
        const VisibleRange want =
            PlainBackwardScan(store, store.RowCount(), layout.verticalMax, height);
        ASSERT_EQ(got.startRow, want.startRow);
        ASSERT_EQ(got.endRow, want.endRow);
    }
}

TEST_F(GeometryTest, HitTestsGiveEdgePixelsToTheRowAndColumnBefore) {
    AddColumns({50, 60});
    for (int r = 0; r < 5; ++r) AddRow(20);
    geometry.Layout();
    struct Case {
        std::int32_t x, y;
        CellHit hit;
    };
    for (const Case& c :
         {Case{1, 1, {1, 1}}, Case{50, 20, {1, 1}}, Case{51, 21, {2, 2}}, Case{0, 0, {0, 0}},
          Case{110, 100, {5, 2}}, Case{111, 50, {3, 0}}, Case{30, 150, {0, 1}}}) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(geometry.HitTest(sys::POINT{c.x, c.y}), c.hit);
    }
}

// Columns 1-3 (50, 60, 70 wide) and the row-text column 4; rows 40 high with 20-pixel
// normal cells, the band starting at column 2, row 2 a group row from column 2.
class RowTextGeometryTest : public GeometryTest {
  protected:
    void SetUp() override {
        AddColumns({50, 60, 70});
        NewColumn band;
        band.rowTextColumn = true;
        store.InsertColumn(band, store.CheckNewColumn(band), 0);
        geometry.RecomputeColumnPositions();
        for (int r = 0; r < 3; ++r) AddRow(40);
        for (int r = 1; r <= 3; ++r) store.Row(r).normalCellHeight = 20;
        store.SetRowGroup(2, true);
        store.Row(2).groupStartCol = 2;
        store.SetRowTextStartCol(2);
        host.rowText = true;
        geometry.Layout();
    }
};

TEST_F(RowTextGeometryTest, HitsBelowTheNormalCellsFromTheStartColumnOnAreTheRowText) {
    struct Case {
        std::int32_t x, y;
        bool rowText;
        CellHit hit;
    };
    for (const Case& c :
         {Case{10, 10, true, {1, 1}}, Case{10, 30, true, {1, 1}}, Case{60, 10, true, {1, 2}},
          Case{60, 20, true, {1, 4}}, Case{170, 39, true, {1, 4}}, Case{60, 30, false, {1, 2}},
          Case{10, 50, true, {2, 0}}, Case{60, 50, true, {2, 4}}, Case{60, 50, false, {2, 4}},
          Case{185, 50, true, {2, 0}}}) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " " << c.rowText);
        host.rowText = c.rowText;
        EXPECT_EQ(geometry.HitTest(sys::POINT{c.x, c.y}), c.hit);
    }
}

TEST_F(RowTextGeometryTest, BandsSpanToTheLastColumnAndNormalCellsStopAboveTheBand) {
    struct Case {
        std::int32_t row, col;
        CellBox box;
    };
    for (const Case& c :
         {Case{1, 1, {0, 0, 50, 40}}, Case{1, 3, {110, 0, 70, 20}}, Case{1, 4, {50, 20, 130, 20}},
          Case{2, 1, {50, 40, 130, 40}}, Case{2, 4, {50, 40, 130, 40}}}) {
        SCOPED_TRACE(::testing::Message() << c.row << "," << c.col);
        EXPECT_EQ(geometry.CellBoundary(c.row, c.col), c.box);
    }
}

TEST_F(GeometryTest, EnsureVisibleValuesFollowTheirModes) {
    AddColumns({64});
    for (int r = 0; r < 100; ++r) AddRow(20);
    geometry.Layout();
    ScrollTo(200, RangeState::RecomputeAll);  // rows 11.. start at the top edge
    struct Case {
        std::int32_t row;
        EEnsureVisibleRowMode mode;
        std::optional<std::int32_t> value;
    };
    const std::int32_t h = geometry.VisibleHeight();
    for (const Case& c : {
             Case{12, vxEnsVisRowAuto, std::nullopt},
             Case{12, vxEnsVisRowTop, std::nullopt},
             Case{12, vxEnsVisRowTopForce, 200 + 220 - 200 - 8},
             Case{5, vxEnsVisRowAuto, 200 + 80 - 200 - 8},
             Case{60, vxEnsVisRowAuto, 200 + 1200 - (200 + h) + 8},
             Case{60, vxEnsVisRowBottom, 200 + 1200 - (200 + h) + 8},
             Case{12, vxEnsVisRowBottomForce, 200 + 240 - (200 + h) + 8},
         }) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(geometry.EnsureVisibleRowValue(c.row, c.mode, 8), c.value);
    }
}

}  // namespace
}  // namespace vexa
