// Every copy code path against the runtime memcpy, at sizes from a cache
// line to well past the second-level cache. Besides the usual per-benchmark
// lines, a table at the end gives each path's speed as a share of memcpy's.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cpu/cpu_paths.h"

namespace {

constexpr size_t kSizes[] = {64, 4 << 10, 64 << 10, 1 << 20, 8 << 20};
constexpr size_t kLargest = 8 << 20;

struct Routine {
    std::string name;
    VeltranoCopyFn copy;
};

std::vector<Routine> Routines() {
    std::vector<Routine> routines = {{"memcpy", std::memcpy}};
    const std::pair<int, const char*> paths[] = {
        {0, "normal"},        {1, "MMX-I"},         {2, "MMX-II"},        {3, "MMX-V"},
        {4, "SSE-2"},         {5, "K7"},            {10, "Athlon"},       {11, "AthlonXP"},
        {12, "Banias"},       {13, "Dothan"},       {14, "PentiumIII"},   {15, "P4-Willamette"},
        {16, "P4-Northwood"}, {17, "P4-Prescott"},  {18, "P4-Prescott+"}, {19, "Athlon64"},
        {20, "Core-Core2"},   {21, "i5-i7"},
    };
    for (const auto& [number, name] : paths)
        routines.push_back({"path" + std::to_string(number) + "_" + name, CopyRoutineForPath(number)});
    return routines;
}

// Buffers shared by every benchmark, written once so no page fault lands
// inside a measurement. Both start on a cache line, but the target is moved
// half a page further so loads from the source do not falsely alias the
// previous stores to the target (same address bits below 4 KiB).
constexpr size_t kTargetShift = 2048 + 64;

struct Buffers {
    Buffers()
        : sourceStorage(static_cast<unsigned char*>(std::aligned_alloc(4096, kLargest))),
          targetStorage(static_cast<unsigned char*>(std::aligned_alloc(4096, kLargest + 4096))),
          source(sourceStorage),
          target(targetStorage + kTargetShift) {
        for (size_t i = 0; i < kLargest; ++i) source[i] = static_cast<unsigned char>(i * 7);
        std::memset(target, 0, kLargest);
    }
    ~Buffers() {
        std::free(sourceStorage);
        std::free(targetStorage);
    }
    unsigned char* sourceStorage;
    unsigned char* targetStorage;
    unsigned char* source;
    unsigned char* target;
};

void BM_Copy(benchmark::State& state, Buffers* buffers, VeltranoCopyFn copy, size_t size) {
    for (auto _ : state) {
        copy(buffers->target, buffers->source, size);
        benchmark::DoNotOptimize(buffers->target);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}

std::string BenchmarkName(const std::string& routine, size_t size) {
    return "copy/" + routine + "/" + std::to_string(size);
}

// Keeps each benchmark's rate (the median when repetitions are asked for).
class RateCollector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            const auto rate = run.counters.find("bytes_per_second");
            if (rate == run.counters.end()) continue;
            // Repetitions come before their aggregates, so the median wins.
            rates_[run.run_name.str()] = rate->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    bool Empty() const { return rates_.empty(); }

    // GB/s, or 0 when the benchmark did not run (filtered out).
    double GigabytesPerSecond(const std::string& name) const {
        const auto found = rates_.find(name);
        return found == rates_.end() ? 0.0 : found->second / 1e9;
    }

private:
    std::map<std::string, double> rates_;
};

std::string SizeText(size_t size) {
    if (size >= (1 << 20)) return std::to_string(size >> 20) + " MiB";
    if (size >= (1 << 10)) return std::to_string(size >> 10) + " KiB";
    return std::to_string(size) + " B";
}

void PrintSummary(const RateCollector& rates, const std::vector<Routine>& routines) {
    std::printf("\nGB/s (10^9 bytes per second) and share of memcpy's speed\n%-20s", "routine");
    for (size_t size : kSizes) std::printf(" | %16s", SizeText(size).c_str());
    std::printf("\n");
    for (const Routine& routine : routines) {
        std::printf("%-20s", routine.name.c_str());
        for (size_t size : kSizes) {
            const double speed = rates.GigabytesPerSecond(BenchmarkName(routine.name, size));
            const double reference = rates.GigabytesPerSecond(BenchmarkName("memcpy", size));
            if (speed == 0.0 || reference == 0.0) {
                std::printf(" | %16s", "-");
            } else {
                std::printf(" | %6.2f (%5.2fx)", speed, speed / reference);
            }
        }
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    Buffers buffers;
    const std::vector<Routine> routines = Routines();
    // Per size, memcpy first and then every path, so each ratio compares
    // runs made close together.
    for (size_t size : kSizes)
        for (const Routine& routine : routines)
            benchmark::RegisterBenchmark(BenchmarkName(routine.name, size).c_str(), BM_Copy, &buffers,
                                         routine.copy, size);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RateCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    if (!collector.Empty()) PrintSummary(collector, routines);
    benchmark::Shutdown();
    return 0;
}
