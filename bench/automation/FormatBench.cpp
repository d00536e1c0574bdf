// Format is called for every displayed cell that has a format string: a number with
// thousands separators and two decimals, and a date with a time.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "vexa/system/automation/Format.h"

namespace {

constexpr std::size_t kItems = 4096;

std::vector<vexa::Variant> Sample(bool dates) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> numbers(-1e6, 1e6), serials(30000, 50000);
    std::vector<vexa::Variant> values;
    for (std::size_t i = 0; i < kItems; ++i) {
        values.push_back(dates ? vexa::Variant::Date(serials(random))
                               : vexa::Variant(numbers(random)));
    }
    return values;
}

void FormatCalls(benchmark::State& state, bool dates, const char* format) {
    const auto values = Sample(dates);
    for (auto _ : state) {
        for (const vexa::Variant& value : values)
            benchmark::DoNotOptimize(vexa::Format(value, format));
    }
    state.counters["calls_per_second"] =
        benchmark::Counter(double(state.iterations() * kItems), benchmark::Counter::kIsRate);
}

void FormatNumber(benchmark::State& state) {
    FormatCalls(state, false, "#,##0.00");
}
void FormatDate(benchmark::State& state) {
    FormatCalls(state, true, "dd/mm/yyyy hh:nn");
}

// Text placeholders with literals between them, as a phone-number column shows its text.
void FormatText(benchmark::State& state) {
    std::vector<vexa::Variant> values;
    for (std::size_t i = 0; i < kItems; ++i) values.emplace_back(std::to_string(5550000 + i * 7));
    for (auto _ : state) {
        for (const vexa::Variant& value : values) {
            benchmark::DoNotOptimize(vexa::Format(value, "(@@@) @@@-@@@@"));
        }
    }
    state.counters["calls_per_second"] =
        benchmark::Counter(double(state.iterations() * kItems), benchmark::Counter::kIsRate);
}

BENCHMARK(FormatNumber)->Name("format_number_thousands_2dp")->Unit(benchmark::kMillisecond);
BENCHMARK(FormatDate)->Name("format_date_time")->Unit(benchmark::kMillisecond);
BENCHMARK(FormatText)->Name("format_text_placeholders")->Unit(benchmark::kMillisecond);

}  // namespace
