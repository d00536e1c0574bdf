// The keyboard and the selection on 100,000 rows x 10 columns, keys entering through the
// display's input path with a host sink connected: an arrow-key move with its repaint (also
// on 1,000 rows, to show it does not grow with the rows), Page Down, Ctrl+End, ClearSelection
// with everything selected, RowMode switched with MultiSelect, and a key-search keystroke
// matching the last row. Selection-wide figures also give ns and heap allocations per cell.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <string>

#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"
#include "vexa/vexa.h"

namespace {

std::atomic<long long> allocations{0};

}  // namespace

// Counted allocations; kept out of line, where the library's own delete pairs with them.
[[gnu::noinline]] void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace vexa;
constexpr int kColumns = 10;

// A host that listens to the selection, as a real one would.
struct CountingSink : VexaEvents {
    long long events = 0;
    void CellSelectionChange(std::int32_t, std::int32_t, bool) override { ++events; }
    void CurCellChange(std::int32_t, std::int32_t) override { ++events; }
};

sys::HeadlessDisplay& Display() {
    return sys::HeadlessDisplay::Instance();
}

// A focused grid of `rows` x 10 with texts "item <row>"; the last row reads "zz last".
struct BenchGrid {
    explicit BenchGrid(int rows) {
        for (int c = 1; c <= kColumns; ++c) grid.AddCol({.lWidth = 60});
        grid.SetRowCount(rows);
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= kColumns; ++c)
                grid.SetCellValue(r, c, "item " + std::to_string(r));
        }
        grid.SetCellValue(rows, 1, "zz last");
        grid.Advise(&sink);
        sys::SetFocus(grid.hwnd());
        sys::PumpMessages();
    }
    std::int64_t Cells() const { return std::int64_t(grid.RowCount()) * kColumns; }
    Vexa grid;
    CountingSink sink;
};

void PressWith(int modifier, int key) {
    if (modifier != 0) Display().KeyDown(modifier);
    Display().KeyPress(key);
    if (modifier != 0) Display().KeyUp(modifier);
}

void ArrowMove(benchmark::State& state) {
    BenchGrid g(int(state.range(0)));
    g.grid.SetCurCell(g.grid.RowCount() / 2, 5);
    g.grid.EnsureVisibleRow(g.grid.RowCount() / 2, vxEnsVisRowTopForce, 100);
    bool down = true;
    for (auto _ : state) {
        Display().KeyPress(down ? sys::VK_DOWN : sys::VK_UP);
        down = !down;
    }
    benchmark::DoNotOptimize(g.grid.CurRow());
}

// Times `key` (with `modifier`) from row 1 each time.
void KeyFromTop(benchmark::State& state, int modifier, int key) {
    BenchGrid g(100000);
    for (auto _ : state) {
        state.PauseTiming();
        g.grid.SetCurCell(1, 1);
        state.ResumeTiming();
        PressWith(modifier, key);
    }
    benchmark::DoNotOptimize(g.grid.CurRow());
}

void PageDown(benchmark::State& state) {
    KeyFromTop(state, 0, sys::VK_NEXT);
}
void CtrlEnd(benchmark::State& state) {
    KeyFromTop(state, sys::VK_CONTROL, sys::VK_END);
}

// Times the selection-wide calls and counts their heap allocations.
struct CellMeter {
    template <class Call>
    void Measure(Call&& call) {
        const long long before = allocations.load();
        const auto start = std::chrono::steady_clock::now();
        call();
        ns += std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start)
                  .count();
        allocated += allocations.load() - before;
        ++calls;
    }
    void Report(benchmark::State& state, std::int64_t cells) const {
        state.counters["ns_per_cell"] = ns / (double(cells) * double(calls));
        // The repaint of the visible cells allocates; the walk over every cell must not, so
        // this stays the same whatever the row count.
        state.counters["allocations_per_call"] = double(allocated) / double(calls);
    }
    double ns = 0;
    long long allocated = 0;
    long long calls = 0;
};

void ClearAllSelected(benchmark::State& state) {
    BenchGrid g(int(state.range(0)));
    g.grid.SetMultiSelect(true);
    g.grid.SetRowMode(true);
    CellMeter meter;
    for (auto _ : state) {
        state.PauseTiming();
        g.grid.SetCurCell(1, 1);
        PressWith(sys::VK_SHIFT, sys::VK_END);  // every row, so every cell
        state.ResumeTiming();
        meter.Measure([&] { g.grid.ClearSelection(); });
    }
    meter.Report(state, g.Cells());
}

void SwitchRowMode(benchmark::State& state) {
    BenchGrid g(int(state.range(0)));
    g.grid.SetMultiSelect(true);
    for (int r = 1; r <= g.grid.RowCount(); r += 10) {
        g.grid.SetCellSelected(r, 1 + r % kColumns, true);
    }
    CellMeter meter;
    bool on = true;
    for (auto _ : state) {
        meter.Measure([&] { g.grid.SetRowMode(on); });
        on = !on;
    }
    meter.Report(state, g.Cells());
}

void KeySearchLastRow(benchmark::State& state) {
    BenchGrid g(100000);
    g.grid.SetKeyPressBehaviour(vxKeyPressSearchCurCol);
    for (auto _ : state) {
        state.PauseTiming();
        g.grid.SetCurCell(1, 1);
        state.ResumeTiming();
        Display().TypeText("z");
        state.PauseTiming();
        if (g.grid.CurRow() != g.grid.RowCount()) state.SkipWithError("no match");
        Display().KeyPress(sys::VK_ESCAPE);
        state.ResumeTiming();
    }
}

BENCHMARK(ArrowMove)
    ->Name("arrow_key_move_with_repaint")
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(PageDown)->Name("page_down_100000x10")->Unit(benchmark::kMicrosecond);
BENCHMARK(CtrlEnd)->Name("ctrl_end_100000x10")->Unit(benchmark::kMicrosecond);
BENCHMARK(ClearAllSelected)
    ->Name("clear_selection_all_selected")
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(SwitchRowMode)
    ->Name("switch_rowmode_multiselect")
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK(KeySearchLastRow)
    ->Name("key_search_match_last_row_100000x10")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
