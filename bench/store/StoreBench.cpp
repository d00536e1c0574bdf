// Filling the grid and finding rows by key: 100,000 rows x 10 columns appended with AddRow,
// with and without a reservation window, the heap they take per cell, and RowIndex lookups.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>
#include <vector>

#include "vexa/vexa.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 10;

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

void AddColumns(vexa::Vexa& grid) {
    for (int c = 1; c <= kColumns; ++c) grid.AddCol(std::string("c").append(std::to_string(c)));
}

void FillRows(benchmark::State& state) {
    const std::int32_t wantedFreeRows = static_cast<std::int32_t>(state.range(0));
    double bytesPerCell = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::size_t heapBefore = HeapInUse();
        auto grid = std::make_unique<vexa::Vexa>();
        AddColumns(*grid);
        grid->SetMemMngWantFreeRows(wantedFreeRows);
        state.ResumeTiming();

        for (int r = 0; r < kRows; ++r) grid->AddRow();
        benchmark::DoNotOptimize(grid->RowCount());

        state.PauseTiming();
        bytesPerCell = double(HeapInUse() - heapBefore) / (double(kRows) * kColumns);
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_cell"] = bytesPerCell;
}
BENCHMARK(FillRows)
    ->Name("store_fill_100000x10_wantfree")
    ->Arg(0)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void RowIndexLookups(benchmark::State& state) {
    vexa::Vexa grid;
    AddColumns(grid);
    std::vector<std::string> keys;
    keys.reserve(kRows);
    for (int r = 0; r < kRows; ++r) {
        // Keys arrive out of order so the index really has to sort them.
        keys.push_back(std::string("k").append(std::to_string((r * 7919) % kRows)));
        grid.AddRow(keys.back());
    }
    std::size_t next = 0;
    std::int64_t lookups = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid.RowIndex(keys[next]));
        next = (next + 12347) % keys.size();
        ++lookups;
    }
    state.counters["lookups_per_second"] =
        benchmark::Counter(double(lookups), benchmark::Counter::kIsRate);
}
BENCHMARK(RowIndexLookups)->Name("store_rowindex_by_key_100000");

}  // namespace
