// The grid over a PostgreSQL server on loopback: FillFromRS of 100,000 rows x 10 columns, and
// virtual mode over tables of 1,000,000 and 10,000,000 rows through a server cursor: opening
// (the first screen of a 1920x1080 grid) at the first row or at the middle of the table, and
// a page further down (PgDn) from there. The server is named by the libpq connection string in
// VEXA_TEST_POSTGRES (scripts/postgres-server starts a private one:
// `scripts/postgres-server build-release/bench_data`); without it nothing runs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "common/BenchFrame.h"
#include "vexa/binding/CursorBinding.h"
#include "vexa/system/data/PostgresConnection.h"
#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"
#include "vexa/vexa.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// The server's connection string; empty (with a message, once) when none is set.
const std::string& ServerConnectionString() {
    static const std::string value = [] {
        const char* set = std::getenv("VEXA_TEST_POSTGRES");
        if (set == nullptr || *set == '\0') {
            std::fprintf(stderr,
                         "bench_data: VEXA_TEST_POSTGRES is not set; the PostgreSQL benchmarks "
                         "are skipped (run them through scripts/postgres-server)\n");
            return std::string();
        }
        return std::string(set);
    }();
    return value;
}

// A connection to the server, or nullptr after skipping the benchmark.
std::unique_ptr<vexa::PostgresConnection> Connect(benchmark::State& state) {
    if (ServerConnectionString().empty()) {
        state.SkipWithError("no PostgreSQL server");
        return nullptr;
    }
    return std::make_unique<vexa::PostgresConnection>(ServerConnectionString());
}

// A table of `rows` rows with five columns of different kinds, made once per run on the
// server itself.
std::string TableOf(vexa::PostgresConnection& db, std::int64_t rows) {
    static std::set<std::int64_t> made;
    const std::string name = "bench_rows_" + std::to_string(rows);
    if (made.insert(rows).second) {
        db.Execute("DROP TABLE IF EXISTS " + name);
        db.Execute("CREATE UNLOGGED TABLE " + name +
                   " AS SELECT g AS id, 'item ' || g AS name, g % 1000 AS qty, "
                   "(g * 0.25)::numeric(14, 2) AS price, g % 7 = 0 AS boxed "
                   "FROM generate_series(1, " +
                   std::to_string(rows) + ") g");
        db.Execute("ALTER TABLE " + name + " ADD PRIMARY KEY (id)");
        db.Execute("ANALYZE " + name);
    }
    return name;
}

// A borderless grid filling a 1920x1080 top-level window with the keyboard focus.
struct ScreenGrid {
    ScreenGrid() {
        frame = vexa::bench::MakeBenchFrame(kWidth, kHeight);
        grid = std::make_unique<vexa::Vexa>(frame, vexa::sys::RECT{0, 0, kWidth, kHeight});
        grid->SetBorderStyle(vexa::vxBorderNone);
        vexa::sys::SetFocus(grid->hwnd());
        vexa::sys::PumpMessages();
    }
    ~ScreenGrid() {
        grid.reset();
        vexa::sys::DestroyWindow(frame);
    }
    void PageDown() {
        vexa::sys::HeadlessDisplay::Instance().KeyPress(vexa::sys::VK_NEXT);
        vexa::sys::PumpMessages();
    }
    vexa::sys::HWND frame = 0;
    std::unique_ptr<vexa::Vexa> grid;
};

// The query of 100,000 rows x 10 columns: integers, texts, doubles, numerics, booleans,
// dates and timestamps.
constexpr const char* kHundredThousandByTen =
    "SELECT g AS id, 'name ' || g AS name, g % 97 AS qty, g * 0.5::float8 AS weight, "
    "(g * 0.25)::numeric(14, 2) AS price, g % 3 = 0 AS active, "
    "date '2020-01-01' + g % 3650 AS due, timestamp '2020-01-01' + g * interval '1 minute' AS "
    "stamp, 'note ' || g % 13 AS note, g::bigint * 1000 AS big FROM generate_series(1, 100000) g";

void BM_FillFromRS_100000x10(benchmark::State& state) {
    auto db = Connect(state);
    if (!db) return;
    for (auto _ : state) {
        vexa::Vexa grid;
        grid.FillFromRS(vexa::Variant(db->OpenRecordset(kHundredThousandByTen)));
        benchmark::DoNotOptimize(grid.RowCount());
    }
    state.counters["rows"] = 100000;
}
BENCHMARK(BM_FillFromRS_100000x10)->Unit(benchmark::kMillisecond);

// The query of the virtual benchmarks: the table in key order from row 1, or from its middle
// row on, as a host jumps there (the primary key finds the row, whatever the table's size).
std::string KeyOrderQuery(const std::string& table) {
    return "SELECT * FROM " + table + " WHERE id >= $1 ORDER BY id";
}
vexa::Variant FirstKey(const benchmark::State& state) {
    return vexa::Variant(state.range(1) == 0 ? 1 : std::int32_t(state.range(0) / 2));
}

// The resident memory of the process.
std::int64_t ResidentBytes() {
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return std::int64_t(resident) * 4096;
}

// Opening: the binding declares the cursor and the grid asks for the rows of its first
// screen. Arguments: the table's rows, and 0 to open at its first row or 1 at its middle.
void BM_VirtualOpen(benchmark::State& state) {
    auto db = Connect(state);
    if (!db) return;
    const std::string table = TableOf(*db, state.range(0));
    ScreenGrid screen;
    std::int32_t shown = 0;
    for (auto _ : state) {
        vexa::CursorBinding binding(*screen.grid, *db, KeyOrderQuery(table), {FirstKey(state)});
        shown = screen.grid->RowCount();
        state.PauseTiming();
        screen.grid->Clear();
        state.ResumeTiming();
    }
    state.counters["rows_shown"] = shown;
}
BENCHMARK(BM_VirtualOpen)
    ->Args({1000000, 0})
    ->Args({10000000, 0})
    ->Args({10000000, 1})
    ->Unit(benchmark::kMillisecond);

// A page further down each time (PgDn), from the first screen on: the grid asks for the rows
// coming into view and the cursor fetches the server's next page when they pass the one at
// hand. Arguments as for BM_VirtualOpen.
void BM_VirtualPageDown(benchmark::State& state) {
    auto db = Connect(state);
    if (!db) return;
    const std::string table = TableOf(*db, state.range(0));
    ScreenGrid screen;
    vexa::CursorBinding binding(*screen.grid, *db, KeyOrderQuery(table), {FirstKey(state)});
    const std::int64_t residentBefore = ResidentBytes();
    const std::int32_t rowsBefore = screen.grid->RowCount();
    for (auto _ : state) screen.PageDown();
    const std::int32_t rowsAdded = screen.grid->RowCount() - rowsBefore;
    state.counters["rows_per_page"] = double(rowsAdded) / double(state.iterations());
    state.counters["bytes_per_grid_row"] =
        double(ResidentBytes() - residentBefore) / double(rowsAdded);
}
BENCHMARK(BM_VirtualPageDown)
    ->Args({1000000, 0})
    ->Args({10000000, 0})
    ->Args({10000000, 1})
    ->Iterations(2000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
