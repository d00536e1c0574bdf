// Cell values on a 100,000 x 10 grid: setting values with a format string on every cell,
// and reading back the displayed text of every cell (formatted numbers and plain strings).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "vexa/vexa.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 10;

std::unique_ptr<vexa::Vexa> MakeGrid() {
    auto grid = std::make_unique<vexa::Vexa>();
    for (int c = 1; c <= kColumns; ++c) grid->AddCol(std::string("c").append(std::to_string(c)));
    grid->SetRowCount(kRows);
    return grid;
}

// Even columns are numbers with a two-decimal format, odd ones strings.
void FillCells(vexa::Vexa& grid) {
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kColumns; ++c) {
            if (c % 2 == 0) {
                grid.SetCellValue(r, c, vexa::Variant(r * 0.25 + c));
                grid.SetCellFmtString(r, c, "#,##0.00");
            } else {
                grid.SetCellValue(r, c, vexa::Variant("row text"));
            }
        }
    }
}

void SetValuesAndFormats(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = MakeGrid();
        state.ResumeTiming();
        FillCells(*grid);
        benchmark::DoNotOptimize(grid->RowCount());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["cells_per_second"] =
        benchmark::Counter(double(kRows) * kColumns, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(SetValuesAndFormats)
    ->Name("cells_set_value_and_format_100000x10")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

void ReadDisplayedText(benchmark::State& state) {
    auto grid = MakeGrid();
    FillCells(*grid);
    std::size_t characters = 0;
    for (auto _ : state) {
        for (int r = 1; r <= kRows; ++r) {
            for (int c = 1; c <= kColumns; ++c) characters += grid->CellText(r, c).size();
        }
    }
    benchmark::DoNotOptimize(characters);
    state.counters["cells_per_second"] =
        benchmark::Counter(double(kRows) * kColumns, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(ReadDisplayedText)
    ->Name("cells_text_100000x10")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
