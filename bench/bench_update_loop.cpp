// The frame loop as a player feels it: Veltrano.Update at logic 60 / render
// 60 on the real clock, a light scene drawn in the render callback, for ten
// seconds on the headless driver. Reported: the time between rendered frames
// (median, 99th percentile, largest), logic frames per second, and the
// processor time the process used per second of play, once with
// Config.mtfriendly 0 (the loop never sleeps) and once with 1 (Update sleeps
// a millisecond per call).
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "headless_screen.h"
#include "veltrano.h"

namespace {

constexpr double kPlaySeconds = 10.0;

double Seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Start times of the rendered frames, in seconds on the monotonic clock.
std::vector<double> renderTimes;
int scenePosition = 0;

// A light scene: the background, a floor and a few moving boxes.
void DrawLightScene(int) {
    renderTimes.push_back(Seconds(CLOCK_MONOTONIC));
    SDL_Surface* screen = Veltrano.screen;
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 16, 24, 48));
    IPrimitives->BoxColor(screen, 0, 460, 639, 479, 0x3C5A8CFF);
    for (int i = 0; i < 8; ++i) {
        const short x = static_cast<short>((scenePosition * (i + 1) + i * 70) % 600);
        const short y = static_cast<short>(40 + i * 50);
        IPrimitives->BoxColor(screen, x, y, static_cast<short>(x + 32), static_cast<short>(y + 32), 0xE0C040FF);
    }
}

struct LoopFigures {
    double medianMs = 0.0;
    double p99Ms = 0.0;
    double largestMs = 0.0;
    double logicPerSecond = 0.0;
    double renderPerSecond = 0.0;
    double cpuPercent = 0.0;  // of one core
};

// Nearest-rank percentile of sorted values.
double Percentile(const std::vector<double>& sorted, double fraction) {
    if (sorted.empty()) return 0.0;
    size_t rank = static_cast<size_t>(fraction * static_cast<double>(sorted.size()) + 0.999999);
    rank = std::clamp<size_t>(rank, 1, sorted.size());
    return sorted[rank - 1];
}

LoopFigures PlayFor(double seconds, int mtfriendly) {
    Veltrano.Config.mtfriendly = static_cast<signed char>(mtfriendly);
    ITimeSystem->Init(0);
    ITimeSystem->SetRate(60, 60);
    Veltrano.SetRenderCallback(DrawLightScene);
    renderTimes.clear();
    renderTimes.reserve(static_cast<size_t>(seconds * 200));
    scenePosition = 0;
    long logicFrames = 0;

    const double wallStart = Seconds(CLOCK_MONOTONIC);
    const double cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    double wallNow = wallStart;
    while (wallNow - wallStart < seconds) {
        if (Veltrano.Update(nullptr) == 0) {
            ++logicFrames;
            ++scenePosition;
        }
        wallNow = Seconds(CLOCK_MONOTONIC);
    }
    const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    const double wall = wallNow - wallStart;
    Veltrano.SetRenderCallback(nullptr);
    Veltrano.Config.mtfriendly = 0;

    std::vector<double> intervals;
    for (size_t i = 1; i < renderTimes.size(); ++i) intervals.push_back((renderTimes[i] - renderTimes[i - 1]) * 1e3);
    std::sort(intervals.begin(), intervals.end());
    LoopFigures figures;
    figures.medianMs = Percentile(intervals, 0.5);
    figures.p99Ms = Percentile(intervals, 0.99);
    figures.largestMs = intervals.empty() ? 0.0 : intervals.back();
    figures.logicPerSecond = static_cast<double>(logicFrames) / wall;
    figures.renderPerSecond = static_cast<double>(renderTimes.size()) / wall;
    figures.cpuPercent = 100.0 * cpu / wall;
    return figures;
}

std::vector<std::pair<int, LoopFigures>> results;

void BM_FrameLoop(benchmark::State& state) {
    const int mtfriendly = static_cast<int>(state.range(0));
    LoopFigures figures;
    for (auto _ : state) figures = PlayFor(kPlaySeconds, mtfriendly);
    state.counters["render_median_ms"] = figures.medianMs;
    state.counters["render_p99_ms"] = figures.p99Ms;
    state.counters["render_max_ms"] = figures.largestMs;
    state.counters["render_fps"] = figures.renderPerSecond;
    state.counters["logic_fps"] = figures.logicPerSecond;
    state.counters["cpu_percent"] = figures.cpuPercent;
    results.emplace_back(mtfriendly, figures);
}

}  // namespace

int main(int argc, char** argv) {
    if (!StartHeadlessScreen()) return 1;

    benchmark::RegisterBenchmark("frame_loop/60_60/mtfriendly", BM_FrameLoop)
        ->Arg(0)
        ->Arg(1)
        ->Iterations(1)
        ->Unit(benchmark::kSecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\nFrame loop at logic 60 / render 60 for %.0f s (a frame every 16.7 ms; "
                "goal: 99th percentile within 2 ms of it, under 15 %% of a core with mtfriendly 1)\n",
                kPlaySeconds);
    for (const auto& [mtfriendly, f] : results)
        std::printf("mtfriendly %d: render interval median %.2f ms, 99th percentile %.2f ms, largest %.2f ms; "
                    "%.1f rendered and %.1f logic frames/s; processor %.1f %% of one core\n",
                    mtfriendly, f.medianMs, f.p99Ms, f.largestMs, f.renderPerSecond, f.logicPerSecond,
                    f.cpuPercent);
    benchmark::Shutdown();
    Veltrano.Quit();
    return 0;
}
