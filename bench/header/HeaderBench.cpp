// The column header: a click on a title that sorts 100,000 rows, with the repaint of the
// cells and the header, beside Sort alone over the same rows (the workload of bench/sort),
// and the two in turns for their ratio;
// writing and reading the column layout string of 1,000 and 4,000 columns (it should grow
// in step with the columns); repainting a header of 50 titles, sorted by two of them.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "common/BenchFrame.h"
#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"
#include "vexa/vexa.h"

namespace {

using namespace vexa;

constexpr int kRows = 100000;

sys::HeadlessDisplay& Display() {
    return sys::HeadlessDisplay::Instance();
}

// Two columns as bench/sort fills them: a pseudo-random integer and a word made from it.
void FillRows(Vexa& grid) {
    grid.Clear(true);
    grid.AddCol("number");
    grid.AddCol({.sKey = "name", .eSortType = vxSortByTextNoCase});
    grid.SetRowCount(kRows);
    for (int r = 1; r <= kRows; ++r) {
        const int value = int((std::int64_t(r) * 7919) % 1000003);
        grid.SetCellValue(r, 1, value);
        grid.SetCellValue(r, 2, std::string(value % 2 ? "Item " : "item ") + std::to_string(value));
    }
    sys::PumpMessages();
}

// The screen point at the middle of the first title.
sys::POINT FirstTitle(Vexa& grid) {
    sys::RECT title;
    sys::SendMessage(grid.Header()->hwnd(), sys::HDM_GETITEMRECT, 0, sys::LPARAM(&title));
    sys::POINT centre{(title.left + title.right) / 2, (title.top + title.bottom) / 2};
    sys::ClientToScreen(grid.Header()->hwnd(), &centre);
    return centre;
}

void ClickSort(benchmark::State& state) {
    Vexa grid;
    for (auto _ : state) {
        state.PauseTiming();
        FillRows(grid);
        grid.SortObject().SetColCount(0);  // every click sorts ascending
        const sys::POINT title = FirstTitle(grid);
        Display().AdvanceClock(1000);  // never a double click
        state.ResumeTiming();
        Display().Click(title.x, title.y);
        sys::PumpMessages();
        benchmark::DoNotOptimize(grid.CellValue(1, 1));
    }
}

void SortAlone(benchmark::State& state) {
    Vexa grid;
    for (auto _ : state) {
        state.PauseTiming();
        FillRows(grid);
        state.ResumeTiming();
        grid.Sort(1);
        sys::PumpMessages();
        benchmark::DoNotOptimize(grid.CellValue(1, 1));
    }
}

// Both of the above in turns, so that both see the same machine: the click's time over the
// sort's.
void ClickOverSort(benchmark::State& state) {
    Vexa grid;
    double click = 0, sort = 0;
    auto timed = [](auto&& body) {
        const auto start = std::chrono::steady_clock::now();
        body();
        sys::PumpMessages();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    for (auto _ : state) {
        FillRows(grid);
        grid.SortObject().SetColCount(0);
        const sys::POINT title = FirstTitle(grid);
        Display().AdvanceClock(1000);
        click += timed([&] { Display().Click(title.x, title.y); });
        FillRows(grid);
        sort += timed([&] { grid.Sort(1); });
    }
    state.counters["click_over_sort"] = click / sort;
}

void FillColumns(Vexa& grid, int columns) {
    for (int c = 1; c <= columns; ++c) grid.AddCol({.lWidth = 20 + c % 50});
    for (int c = 1; c <= columns; c += 7) grid.SetColVisible(c, false);
    for (int c = 2; c <= columns; c += 3) grid.SetColOrder(c, 1 + (c * 13) % columns);
}

void LayoutColWrite(benchmark::State& state) {
    Vexa grid;
    FillColumns(grid, int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(grid.LayoutCol());
}

// Alternates between two saved layouts, so that every assignment moves columns.
void LayoutColRead(benchmark::State& state) {
    Vexa grid;
    const int columns = int(state.range(0));
    FillColumns(grid, columns);
    const std::string first = grid.LayoutCol();
    grid.SetColOrder(columns, 1);
    grid.SetColVisible(2, false);
    const std::string second = grid.LayoutCol();
    bool flip = false;
    for (auto _ : state) {
        grid.SetLayoutCol(flip ? first : second);
        sys::PumpMessages();
        flip = !flip;
    }
}

void HeaderRepaint(benchmark::State& state) {
    const sys::HWND frame = vexa::bench::MakeBenchFrame(1920, 200);
    auto grid = std::make_unique<Vexa>(frame, sys::RECT{0, 0, 1920, 200});
    for (int c = 1; c <= 50; ++c)
        grid->AddCol({.sHeader = "Column " + std::to_string(c), .lWidth = 36});
    grid->SetRowCount(3);
    grid->DoDefaultSort(5);
    grid->DoDefaultSort(9, 1);
    const sys::HWND header = grid->Header()->hwnd();
    sys::PumpMessages();
    for (auto _ : state) {
        sys::InvalidateRect(header, nullptr, false);
        sys::UpdateWindow(header);
    }
    grid.reset();
    sys::DestroyWindow(frame);
}

BENCHMARK(ClickSort)
    ->Name("header_click_sort_100000_rows")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(SortAlone)
    ->Name("sort_alone_100000_rows_with_repaint")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(ClickOverSort)
    ->Name("header_click_sort_over_sort_alone")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(6);
BENCHMARK(LayoutColWrite)
    ->Name("layoutcol_write")
    ->Arg(1000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(LayoutColRead)
    ->Name("layoutcol_read")
    ->Arg(1000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(HeaderRepaint)->Name("header_repaint_50_titles")->Unit(benchmark::kMillisecond);

}  // namespace
