// The grid painting itself on a 1920x1080 window: the cell-values grid of the anchors (10
// columns, 20-pixel rows), a richer grid (12 columns with formats, icons, a hatched column
// and check boxes) over 1,000 and 1,000,000 rows, one changed cell, hit tests, the visible
// range after scrolling, and values set on cells out of view.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <memory>
#include <string>

#include "vexa/system/paint/ImageList.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"
#include "vexa/vexa.h"

namespace {

using namespace vexa;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kRowHeight = 20;

// A grid filling a 1920x1080 top-level window, without a border.
std::unique_ptr<Vexa> MakeGrid() {
    auto grid = std::make_unique<Vexa>();
    sys::MoveWindow(sys::GetParent(grid->hwnd()), 0, 0, kWidth, kHeight, true);
    grid->SetBorderStyle(vxBorderNone);
    grid->SetDefaultRowHeight(kRowHeight);
    sys::PumpMessages();
    return grid;
}

// The cells of the cell-values workload: numbers shown as "#,##0.00" in even columns,
// "row text" in odd ones.
std::unique_ptr<Vexa> CellValuesGrid(int rows) {
    auto grid = MakeGrid();
    grid->SetRedraw(false);
    for (int c = 1; c <= 10; ++c) {
        const auto cell = grid->AddCol({.sKey = "c" + std::to_string(c), .lWidth = 190});
        if (c % 2 == 0) {
            cell->SetsFmtString("#,##0.00");
            cell->SeteTextFlags(vxTextSingleLine | vxTextRight | vxTextVCenter | vxTextEndEllipsis);
        }
    }
    grid->SetRowCount(rows);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= 10; ++c) {
            grid->SetCellValue(r, c, c % 2 == 0 ? Variant(r * 0.25 + c) : Variant("row text"));
        }
    }
    grid->SetRedraw(true);
    sys::PumpMessages();
    return grid;
}

sys::HIMAGELIST Icons() {
    static const sys::HIMAGELIST list = [] {
        const sys::HIMAGELIST made = sys::ImageList_Create(16, 16, 0, 4, 0);
        for (int i = 0; i < 4; ++i) {
            cairo_surface_t* icon = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 16, 16);
            cairo_t* cr = cairo_create(icon);
            cairo_set_source_rgb(cr, i * 0.3, 0.5, 1 - i * 0.3);
            cairo_arc(cr, 8, 8, 6, 0, 6.3);
            cairo_fill(cr);
            cairo_destroy(cr);
            sys::ImageList_Add(made, icon);
            cairo_surface_destroy(icon);
        }
        return made;
    }();
    return list;
}

// Twelve columns as an application shows them: names with icons, prices, quantities, dates,
// check boxes, a hatched column, percentages, amounts, flat check boxes, notes, totals.
std::unique_ptr<Vexa> RichGrid(int rows) {
    auto grid = MakeGrid();
    grid->SetRedraw(false);
    grid->SetImageList(Variant(std::int32_t(Icons())));
    grid->SetBackColorOddRows(0xF8F4F0);
    constexpr std::int32_t kRight = vxTextSingleLine | vxTextRight | vxTextVCenter;
    struct Column {
        const char* format;
        std::int32_t flags;
        std::int32_t type;
        std::int32_t typeFlags;
    };
    const Column columns[] = {
        {"", vxTextSingleLine | vxTextVCenter | vxTextEndEllipsis, vxCellText, 0},
        {"#,##0.00", kRight, vxCellText, 0},
        {"0", kRight, vxCellText, 0},
        {"yyyy-mm-dd", kRight, vxCellText, 0},
        {"", 0, vxCellCheck, 0},
        {"", vxTextSingleLine | vxTextVCenter, vxCellText, 0},
        {"0.0%", kRight, vxCellText, 0},
        {"$#,##0.00", kRight, vxCellText, 0},
        {"", 0, vxCellCheck, vxCheckBoxFlat},
        {"", vxTextSingleLine | vxTextVCenter | vxTextEndEllipsis, vxCellText, 0},
        {"#,##0", kRight, vxCellText, 0},
        {"", vxTextSingleLine | vxTextVCenter, vxCellText, 0},
    };
    for (const Column& column : columns) {
        const auto cell = grid->AddCol({.lWidth = 158});
        cell->SetsFmtString(column.format);
        if (column.flags != 0) cell->SeteTextFlags(column.flags);
        cell->SeteType(column.type);
        cell->SeteTypeFlags(column.typeFlags);
    }
    grid->ColDefaultCell(1)->SetiIconIndex(1);
    grid->ColDefaultCell(6)->SeteHatch(vxHatchBDiagonal);
    grid->ColDefaultCell(6)->SetoBackColor(0x80C0FF);
    grid->ColDefaultCell(12)->SetiExtraIconIndex(2);
    grid->SetRowCount(rows);
    for (int r = 1; r <= rows; ++r) {
        grid->SetCellValue(r, 1, "Product " + std::to_string(r));
        grid->SetCellValue(r, 2, r * 1.25);
        grid->SetCellValue(r, 3, r % 97);
        grid->SetCellValue(r, 4, Variant::Date(45000.0 + r % 3000));
        grid->SetCellValue(r, 5, r % 3 == 0);
        grid->SetCellValue(r, 6, "hatched");
        grid->SetCellValue(r, 7, (r % 100) / 100.0);
        grid->SetCellValue(r, 8, r * 3.5);
        grid->SetCellValue(r, 9, r % 2);
        grid->SetCellValue(r, 10, "A note long enough to be cut at the end of the cell");
        grid->SetCellValue(r, 11, r * 1000);
        grid->SetCellValue(r, 12, "done");
    }
    grid->SetRedraw(true);
    sys::PumpMessages();
    return grid;
}

// One full repaint per iteration; what was painted is shown between timings.
void Repaint(benchmark::State& state, Vexa& grid) {
    int painted = 0;
    for (auto _ : state) {
        grid.SetRedraw(true);
        if (++painted % 16 == 0) {
            state.PauseTiming();
            sys::PumpMessages();
            state.ResumeTiming();
        }
    }
    std::int32_t startRow, startCol, x0, y0, endRow, endCol, x1, y1;
    grid.GetStartEndCell(startRow, startCol, x0, y0, endRow, endCol, x1, y1);
    state.counters["cells"] = double(endRow - startRow + 1) * grid.ColCount();
}

void PaintCellValuesGrid(benchmark::State& state) {
    const auto grid = CellValuesGrid(100000);
    Repaint(state, *grid);
}
BENCHMARK(PaintCellValuesGrid)->Name("grid_paint_1920x1080_10cols")->Unit(benchmark::kMillisecond);

void PaintRichGrid(benchmark::State& state) {
    const auto grid = RichGrid(int(state.range(0)));
    Repaint(state, *grid);
}
BENCHMARK(PaintRichGrid)
    ->Name("grid_paint_rich_1920x1080_12cols")
    ->Arg(1000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300);

// A cell in the middle of the view is drawn again (its row is painted and copied).
void DrawOneCell(benchmark::State& state) {
    const auto grid = RichGrid(int(state.range(0)));
    for (auto _ : state) grid->DrawCell(20, 2);
}
BENCHMARK(DrawOneCell)
    ->Name("grid_drawcell_rich_12cols")
    ->Arg(1000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(2000);

// Hit tests over the whole view, with the view in the middle of the rows.
void HitTests(benchmark::State& state) {
    const auto grid = RichGrid(int(state.range(0)));
    grid->EnsureVisibleRow(int(state.range(0)) / 2, vxEnsVisRowTopForce);
    std::int32_t row = 0, col = 0, hits = 0;
    for (auto _ : state) {
        for (int y = 3; y < kHeight; y += 37) {
            for (int x = 5; x < kWidth; x += 97) {
                grid->CellFromPoint(x, y, row, col);
                hits += row;
            }
        }
    }
    benchmark::DoNotOptimize(hits);
    state.counters["points"] = double((kHeight / 37 + 1) * (kWidth / 97 + 1));
}
BENCHMARK(HitTests)
    ->Name("grid_cellfrompoint_view")
    ->Arg(1000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);

// The visible range computed again after each scroll step around the middle of the rows
// (with painting off, so that only the range is worked out).
void RangeAfterScrolling(benchmark::State& state) {
    const auto grid = RichGrid(int(state.range(0)));
    grid->SetRedraw(false);
    const auto bar = grid->VScrollBar();
    const std::int32_t middle = int(state.range(0)) / 2 * kRowHeight;
    std::int32_t startRow, startCol, x0, y0, endRow, endCol, x1, y1, step = 0;
    for (auto _ : state) {
        bar->SetValue(middle + (++step % 2) * 7);
        grid->GetStartEndCell(startRow, startCol, x0, y0, endRow, endCol, x1, y1);
        benchmark::DoNotOptimize(endRow);
    }
}
BENCHMARK(RangeAfterScrolling)
    ->Name("grid_getstartendcell_scrolled_middle")
    ->Arg(1000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);

// Values set on 1,000,000 cells, nearly all of them out of view: each asks for painting,
// which has nothing to do for cells that are not shown.
void SetValuesOutOfView(benchmark::State& state) {
    auto grid = MakeGrid();
    grid->AddCol({.lWidth = 190});
    grid->SetRowCount(1000000);
    sys::PumpMessages();
    for (auto _ : state) {
        for (int r = 1; r <= 1000000; ++r) grid->SetCellValue(r, 1, r);
    }
}
BENCHMARK(SetValuesOutOfView)
    ->Name("cells_set_value_1000000_rows_painting_on")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
