// The pointer moving over a grid of 1,000,000 rows x 10 columns scrolled to its middle, moves
// entering through the display's input path with a host sink connected: from cell to cell
// (hit test, MouseMove, MouseEnter and MouseLeave), within one cell (nothing changes, so
// nothing may be painted) and on and off a check box (the box turns hot and cold, its row
// repainted). Every figure gives ns per move and the rows painted per move, counted by the
// custom-drawn first column of the page in view.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Window.h"
#include "vexa/vexa.h"

namespace {

using namespace vexa;
constexpr std::int32_t kRows = 1000000;
constexpr std::int32_t kColumns = 10;
constexpr std::int32_t kTopRow = kRows / 2;
constexpr std::int32_t kCheckColumn = 2;
constexpr std::int32_t kPageRows = 20;  // fewer than the grid shows

// A host that listens to the pointer, as a real one would, and counts painted rows.
struct CountingSink : VexaEvents {
    long long events = 0;
    long long paintedRows = 0;
    void MouseMove(std::int16_t, std::int16_t, float, float, std::int32_t, std::int32_t) override {
        ++events;
    }
    void MouseEnter(std::int32_t, std::int32_t) override { ++events; }
    void MouseLeave(std::int32_t, std::int32_t) override { ++events; }
    void CustomDrawCell(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                        std::int32_t, std::int32_t, bool) override {
        ++paintedRows;
    }
};

sys::HeadlessDisplay& Display() {
    return sys::HeadlessDisplay::Instance();
}

// A grid on a shown form, rows of 22 pixels; in the page in view, column 1 is custom-drawn
// and column 2 holds check boxes drawn with visual styles, which have a hot look.
struct BenchGrid {
    BenchGrid() {
        sys::WNDCLASS formClass;
        formClass.lpfnWndProc = &sys::DefWindowProc;
        formClass.lpszClassName = "VexaBenchForm";
        sys::RegisterClass(formClass);
        form = sys::CreateWindowEx(0, "VexaBenchForm", "form", sys::WS_POPUP | sys::WS_VISIBLE, 0,
                                   0, 900, 700);
        grid = std::make_unique<Vexa>(form, sys::RECT{10, 10, 890, 690});
        for (std::int32_t c = 1; c <= kColumns; ++c) grid->AddCol({.lWidth = 80});
        grid->SetRowCount(kRows);
        grid->SetDefaultRowHeight(22);
        grid->SetUseXPStyles(true);
        for (std::int32_t r = kTopRow; r < kTopRow + kPageRows; ++r) {
            grid->SetCellType(r, 1, vxCellCustomDraw);
            grid->SetCellType(r, kCheckColumn, vxCellCheck);
            grid->SetCellValue(r, kCheckColumn, r % 2);
            for (std::int32_t c = kCheckColumn + 1; c <= kColumns; ++c) {
                grid->SetCellValue(r, c, "item " + std::to_string(r));
            }
        }
        grid->EnsureVisibleRow(kTopRow, vxEnsVisRowTopForce);
        grid->Advise(&sink);
        sys::PumpMessages();
    }
    ~BenchGrid() {
        grid.reset();
        sys::DestroyWindow(form);
    }
    // A screen point `dx`, `dy` from the cell's top-left corner.
    sys::POINT At(std::int32_t row, std::int32_t col, int dx, int dy) const {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        grid->CellBoundary(row, col, left, top, width, height);
        sys::POINT p{left + dx, top + dy};
        sys::ClientToScreen(grid->hwnd(), &p);
        return p;
    }
    sys::POINT Centre(std::int32_t row, std::int32_t col) const { return At(row, col, 40, 11); }

    sys::HWND form = 0;
    std::unique_ptr<Vexa> grid;
    CountingSink sink;
};

// Moves to each point in turn, round and round, and reports ns and painted rows per move.
void MoveAmong(benchmark::State& state, BenchGrid& g, const std::vector<sys::POINT>& points) {
    Display().MouseMove(points.back().x, points.back().y);
    sys::PumpMessages();
    g.sink.paintedRows = 0;
    std::size_t next = 0;
    long long moves = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        Display().MouseMove(points[next].x, points[next].y);
        next = (next + 1) % points.size();
        ++moves;
    }
    const double ns =
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
    state.counters["ns_per_move"] = ns / double(moves);
    state.counters["painted_rows_per_move"] = double(g.sink.paintedRows) / double(moves);
    if (g.sink.events == 0) state.SkipWithError("the host heard no pointer events");
}

void AcrossCells(benchmark::State& state) {
    BenchGrid g;
    std::vector<sys::POINT> points;
    for (std::int32_t r = kTopRow; r < kTopRow + kPageRows; ++r) {
        for (std::int32_t c = kCheckColumn + 1; c <= kColumns; ++c) {
            points.push_back(g.Centre(r, c));
        }
    }
    MoveAmong(state, g, points);
}

void WithinOneCell(benchmark::State& state) {
    BenchGrid g;
    const std::int32_t row = kTopRow + kPageRows / 2;
    std::vector<sys::POINT> points;
    for (int dx = 10; dx <= 70; dx += 6) points.push_back(g.At(row, kColumns, dx, 11));
    MoveAmong(state, g, points);
}

// The check box sits in the middle of its cell; the left edge is beside it.
void OnAndOffCheckBox(benchmark::State& state) {
    BenchGrid g;
    const std::int32_t row = kTopRow + kPageRows / 2;
    MoveAmong(state, g, {g.Centre(row, kCheckColumn), g.At(row, kCheckColumn, 4, 11)});
}

BENCHMARK(AcrossCells)->Name("pointer_move_across_cells_1000000x10")->Unit(benchmark::kMicrosecond);
BENCHMARK(WithinOneCell)
    ->Name("pointer_move_within_one_cell_1000000x10")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(OnAndOffCheckBox)
    ->Name("pointer_move_on_and_off_check_box_1000000x10")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
