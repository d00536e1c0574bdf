// Scrolling and fitting: a page and a line further with the repaint at 1920x1080 over 1,000
// and 1,000,000 rows (the anchors' grid_scroll_page workload: 10 columns, 20-pixel rows, the
// cells of the cell-values workload), thumb-drag steps across 1,000,000 rows, AutoWidthCol
// over 100,000 rows beside measuring the same texts alone, and AutoHeightRow of a row of 12
// word-wrapped cells.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "common/BenchFrame.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"
#include "vexa/vexa.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kColumns = 10;
constexpr int kRowHeight = 20;

double CellNumber(int r, int c) {
    return r * 0.25 + c;
}

// A borderless grid filling a 1920x1080 top-level window, its cells as the anchors fill
// theirs: numbers "#,##0.00" in even columns, "row text" elsewhere.
struct ScreenGrid {
    explicit ScreenGrid(int rows) {
        frame = vexa::bench::MakeBenchFrame(kWidth, kHeight);
        grid = std::make_unique<vexa::Vexa>(frame, vexa::sys::RECT{0, 0, kWidth, kHeight});
        grid->SetRedraw(false);
        grid->SetBorderStyle(vexa::vxBorderNone);
        grid->SetDefaultRowHeight(kRowHeight);
        for (int c = 1; c <= kColumns; ++c) {
            grid->AddCol({.sKey = std::string("c").append(std::to_string(c)),
                          .lWidth = (kWidth - 60) / kColumns});
            if (c % 2 == 0) {
                grid->ColDefaultCell(c)->SeteTextFlags(vexa::vxTextSingleLine | vexa::vxTextRight);
            }
        }
        grid->SetRowCount(rows);
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= kColumns; ++c) {
                if (c % 2 == 0) {
                    grid->SetCellValue(r, c, CellNumber(r, c));
                    grid->SetCellFmtString(r, c, "#,##0.00");
                } else {
                    grid->SetCellValue(r, c, "row text");
                }
            }
        }
        grid->SetRedraw(true);
        vexa::sys::PumpMessages();
    }
    ~ScreenGrid() {
        grid.reset();
        vexa::sys::DestroyWindow(frame);
    }
    vexa::sys::HWND frame = 0;
    std::unique_ptr<vexa::Vexa> grid;
};

// Scrolls by `step(bar)` pixels per iteration (with the repaint), starting over at the top.
template <class Step>
void Scroll(benchmark::State& state, Step step) {
    ScreenGrid screen(int(state.range(0)));
    const auto bar = screen.grid->VScrollBar();
    for (auto _ : state) {
        const std::int32_t before = bar->Value();
        bar->SetValue(before + step(*bar));
        if (bar->Value() == before) bar->SetValue(0);
        benchmark::DoNotOptimize(bar->Value());
    }
}

void ScrollPage(benchmark::State& state) {
    Scroll(state, [](vexa::ScrollBarObject& bar) { return bar.LargeChange(); });
}

void ScrollLine(benchmark::State& state) {
    Scroll(state, [](vexa::ScrollBarObject& bar) { return bar.SmallChange(); });
}

// A thumb dragged across the rows: each step is one track position and its repaint.
void ThumbDrag(benchmark::State& state) {
    ScreenGrid screen(int(state.range(0)));
    const auto bar = screen.grid->VScrollBar();
    const std::int32_t stride = bar->Max() / 500;
    for (auto _ : state) {
        const std::int32_t next = bar->Value() + stride;
        bar->SetValue(next > bar->Max() - bar->LargeChange() ? 0 : next);
        benchmark::DoNotOptimize(bar->Value());
    }
}

std::string Word(int r) {
    return std::string("Entry ")
        .append(std::to_string((r * 7919) % 100000))
        .append(r % 3 ? " wide" : "");
}

void AutoWidthColumn(benchmark::State& state) {
    vexa::Vexa grid;
    grid.AddCol("text");
    grid.SetRowCount(100000);
    for (int r = 1; r <= 100000; ++r) grid.SetCellValue(r, 1, Word(r));
    for (auto _ : state) {
        grid.SetColWidth(1, 10);
        grid.AutoWidthCol(1);
        benchmark::DoNotOptimize(grid.ColWidth(1));
    }
}

// The floor AutoWidthCol is held to: the drawing layer measuring the same texts, nothing else.
void MeasureTextsAlone(benchmark::State& state) {
    using namespace vexa::sys;
    std::vector<std::string> texts;
    for (int r = 1; r <= 100000; ++r) texts.push_back(Word(r));
    const HDC dc = CreateCompatibleDC(0);
    FontFields fields;
    const HFONT font = CreateFontFromFields(fields);
    const HGDIOBJ previous = SelectObject(dc, font);
    for (auto _ : state) {
        int widest = 0;
        for (const std::string& text : texts) {
            RECT rect{};
            DrawText(dc, text, -1, &rect, DT_SINGLELINE | DT_CALCRECT);
            widest = std::max(widest, int(rect.right));
        }
        benchmark::DoNotOptimize(widest);
    }
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
}

void AutoHeightWrappedRow(benchmark::State& state) {
    vexa::Vexa grid;
    for (int c = 1; c <= 12; ++c) grid.AddCol({.lWidth = 90});
    grid.SetRowCount(1);
    for (int c = 1; c <= 12; ++c) {
        grid.SetCellValue(1, c, "A longer text of several words that wraps over a few lines");
        grid.SetCellTextFlags(1, c, vexa::vxTextWordBreak);
    }
    for (auto _ : state) {
        grid.AutoHeightRow(1);
        benchmark::DoNotOptimize(grid.RowHeight(1));
    }
}

BENCHMARK(ScrollPage)
    ->Name("grid_scroll_page_1920x1080_10cols")
    ->Arg(1000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollLine)
    ->Name("grid_scroll_line_1920x1080_10cols")
    ->Arg(1000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ThumbDrag)->Name("grid_thumb_drag_step")->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(AutoWidthColumn)->Name("autowidthcol_100000_rows")->Unit(benchmark::kMillisecond);
BENCHMARK(MeasureTextsAlone)->Name("measure_100000_texts_alone")->Unit(benchmark::kMillisecond);
BENCHMARK(AutoHeightWrappedRow)
    ->Name("autoheightrow_12_wrapped_cells")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
