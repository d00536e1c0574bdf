// Throughput of the conversions cells go through all the time: number text to double,
// double to text, and the classic comparison the sort routine runs on every pair.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "vexa/system/automation/Variant.h"

namespace {

constexpr std::size_t kItems = 4096;

std::vector<double> SampleDoubles() {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> magnitude(-1e6, 1e6);
    std::vector<double> values(kItems);
    for (double& value : values) value = magnitude(random);
    return values;
}

void StringToDouble(benchmark::State& state) {
    std::vector<vexa::Variant> texts;
    for (double value : SampleDoubles()) {
        // Thousands separators as hosts type them: "1,234.5".
        const std::int64_t whole = std::int64_t(value);
        const std::string digits = std::to_string(whole < 0 ? -whole : whole);
        std::string text = whole < 0 ? "-" : "";
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
            text += digits[i];
        }
        texts.emplace_back(text + ".5");
    }
    for (auto _ : state) {
        for (const vexa::Variant& text : texts) benchmark::DoNotOptimize(text.ToDouble());
    }
    state.counters["items_per_second"] =
        benchmark::Counter(double(texts.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(StringToDouble)->Name("conversion_string_to_double");

void DoubleToString(benchmark::State& state) {
    std::vector<vexa::Variant> numbers;
    for (double value : SampleDoubles()) numbers.emplace_back(value);
    for (auto _ : state) {
        for (const vexa::Variant& number : numbers) benchmark::DoNotOptimize(number.ToString());
    }
    state.counters["items_per_second"] =
        benchmark::Counter(double(numbers.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(DoubleToString)->Name("conversion_double_to_string");

void SingleToString(benchmark::State& state) {
    std::vector<vexa::Variant> numbers;
    for (double value : SampleDoubles()) numbers.emplace_back(float(value / 1000));
    for (auto _ : state) {
        for (const vexa::Variant& number : numbers) benchmark::DoNotOptimize(number.ToString());
    }
    state.counters["items_per_second"] =
        benchmark::Counter(double(numbers.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(SingleToString)->Name("conversion_single_to_string");

// Cells typed as Decimal: a double brings its 15 significant digits.
void DoubleToDecimal(benchmark::State& state) {
    std::vector<vexa::Variant> numbers;
    for (double value : SampleDoubles()) numbers.emplace_back(value);
    for (auto _ : state) {
        for (const vexa::Variant& number : numbers) {
            benchmark::DoNotOptimize(number.ConvertTo(vexa::vtDecimal));
        }
    }
    state.counters["items_per_second"] =
        benchmark::Counter(double(numbers.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(DoubleToDecimal)->Name("conversion_double_to_decimal");

// Mixed pairs as a sorted column sees them: numbers, number against text, text against
// text without regard to case.
void CompareMixed(benchmark::State& state) {
    const bool textCompare = state.range(0) != 0;
    std::vector<vexa::Variant> values;
    const std::vector<double> doubles = SampleDoubles();
    for (std::size_t i = 0; i < kItems; ++i) {
        if (i % 3 == 0) {
            values.emplace_back(doubles[i]);
        } else if (i % 3 == 1) {
            values.emplace_back(std::int32_t(doubles[i]));
        } else {
            values.emplace_back("Item " + std::to_string(std::int64_t(doubles[i])));
        }
    }
    for (auto _ : state) {
        for (std::size_t i = 1; i < values.size(); ++i) {
            benchmark::DoNotOptimize(vexa::CompareVariants(values[i - 1], values[i], textCompare));
        }
    }
    const double pairs = double(values.size() - 1);
    state.counters["items_per_second"] =
        benchmark::Counter(pairs, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(CompareMixed)->Name("conversion_compare_variants")->ArgName("text")->Arg(0)->Arg(1);

void CompareStrings(benchmark::State& state) {
    std::vector<vexa::Variant> values;
    for (double value : SampleDoubles()) {
        values.emplace_back("Customer " + std::to_string(std::int64_t(value)));
    }
    for (auto _ : state) {
        for (std::size_t i = 1; i < values.size(); ++i) {
            benchmark::DoNotOptimize(vexa::CompareVariants(values[i - 1], values[i], true));
        }
    }
    const double pairs = double(values.size() - 1);
    state.counters["items_per_second"] =
        benchmark::Counter(pairs, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(CompareStrings)->Name("conversion_compare_text_nocase");

}  // namespace
