// Runs the benchmarks of one program and prints every figure as
// "anchor=vexa workload=<name> metric=<metric> value=<value> unit=<unit>", the form the
// comparison programs of other toolkits print too, so both can be read side by side.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

class AnchorReporter : public benchmark::BenchmarkReporter {
  public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string workload = run.benchmark_name();
            const double ms = run.GetAdjustedRealTime() * MillisecondsPer(run.time_unit);
            // Significant digits, not decimals: a lookup takes a ten-thousandth of a
            // millisecond.
            std::printf("anchor=vexa workload=%s metric=time value=%.6g unit=ms\n",
                        workload.c_str(), ms);
            for (const auto& [name, counter] : run.counters) {
                std::printf("anchor=vexa workload=%s metric=%s value=%.4f unit=%s\n",
                            workload.c_str(), name.c_str(), double(counter), UnitOf(name));
            }
        }
        std::fflush(stdout);
    }

  private:
    static double MillisecondsPer(benchmark::TimeUnit unit) {
        switch (unit) {
            case benchmark::kNanosecond:
                return 1e-6;
            case benchmark::kMicrosecond:
                return 1e-3;
            case benchmark::kMillisecond:
                return 1.0;
            case benchmark::kSecond:
                return 1e3;
        }
        return 1.0;
    }

    // Counters name their unit after the last underscore: "bytes_per_cell" -> "bytes".
    static const char* UnitOf(const std::string& counter) {
        if (counter.rfind("bytes", 0) == 0) return "bytes";
        if (counter.rfind("ns_", 0) == 0) return "ns";
        if (counter.find("per_second") != std::string::npos) return "1/s";
        return "count";
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    AnchorReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
