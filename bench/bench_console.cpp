// The developer windows' cost in the frame loop: Update passes with the
// console shown over 500 printed lines and the debug window shown with 50
// watches, redrawn on every render and only when they ask, against the
// same loop with both windows disabled. And ConPrint's rate against formatting the same lines
// into a vector of strings.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "headless_screen.h"
#include "time_collector.h"
#include "veltrano.h"

namespace {

constexpr int kPrintedLines = 500;
constexpr int kWatches = 50;
constexpr int kClearEvery = 100000;

int values[kWatches];
double reals[kWatches];
std::vector<std::string> watchNames;

void ShowWindows() {
    Veltrano.ConEnable();
    Veltrano.DwEnable();
    Veltrano.ConFeatures(4);
    Veltrano.ConSetVisible(1);
    Veltrano.DwSetVisible(1);
    Veltrano.DwResize(400, 200);
    for (int i = 0; i < kPrintedLines; ++i) Veltrano.ConPrint("line %d of the console's text, %s", i, "printed");
    for (int i = 0; i < kWatches; ++i) {
        watchNames.push_back("watch" + std::to_string(i));
        values[i] = i;
        reals[i] = i * 0.5;
        Veltrano.DwAddWatch(watchNames.back().c_str(), &values[i], i % 2 ? &reals[i] : nullptr);
    }
}

// redrawEveryFrame: the windows drawn on every render, the worst case;
// otherwise only when they ask (the cursor blink and the watch refresh).
void UpdatePasses(benchmark::State& state, bool redrawEveryFrame) {
    SDL_Event event;
    Veltrano.RenderNeeded(redrawEveryFrame ? 2 : 0);
    for (auto _ : state) {
        ++values[0];  // a live value, as a game's would be
        benchmark::DoNotOptimize(Veltrano.Update(&event));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_UpdateWindowsShown(benchmark::State& state) {
    Veltrano.ConEnable();
    Veltrano.DwEnable();
    UpdatePasses(state, true);
}

void BM_UpdateWindowsShownRedrawnOnRequest(benchmark::State& state) {
    Veltrano.ConEnable();
    Veltrano.DwEnable();
    UpdatePasses(state, false);
}

void BM_UpdateWindowsDisabled(benchmark::State& state) {
    Veltrano.ConDisable();
    Veltrano.DwDisable();
    UpdatePasses(state, true);
    Veltrano.ConEnable();
    Veltrano.DwEnable();
}

void BM_ConPrint(benchmark::State& state) {
    int printed = 0;
    for (auto _ : state) {
        Veltrano.ConPrint("player %d at (%d,%d) score %s", printed, printed % 640, printed % 480, "1234");
        if (++printed % kClearEvery == 0) {
            state.PauseTiming();
            Veltrano.ConCmd("con clear");
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}

// The work ConPrint cannot avoid: format the line and keep it.
void BM_FormatIntoVector(benchmark::State& state) {
    std::vector<std::string> lines;
    int printed = 0;
    char text[128];
    for (auto _ : state) {
        std::snprintf(text, sizeof text, "player %d at (%d,%d) score %s", printed, printed % 640, printed % 480, "1234");
        lines.emplace_back(text);
        if (++printed % kClearEvery == 0) {
            state.PauseTiming();
            lines.clear();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

int main(int argc, char** argv) {
    if (!StartHeadlessScreen()) return 1;
    ITimeSystem->Init(0);
    ITimeSystem->SetRate(0, 0);
    ShowWindows();

    benchmark::RegisterBenchmark("update/windows_disabled", BM_UpdateWindowsDisabled)->MinTime(1.0);
    benchmark::RegisterBenchmark("update/windows_shown_redrawn_always", BM_UpdateWindowsShown)->MinTime(1.0);
    benchmark::RegisterBenchmark("update/windows_shown_redrawn_on_request", BM_UpdateWindowsShownRedrawnOnRequest)
        ->MinTime(1.0);
    benchmark::RegisterBenchmark("print/format_into_vector", BM_FormatIntoVector)->MinTime(0.5);
    benchmark::RegisterBenchmark("print/ConPrint", BM_ConPrint)->MinTime(0.5);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double disabled = collector.Time("update/windows_disabled");
    const double shown = collector.Time("update/windows_shown_redrawn_always");
    if (disabled > 0.0 && shown > 0.0)
        std::printf("\nUpdate with both windows shown and redrawn: %.0f passes/s; both disabled: %.0f passes/s; "
                    "ratio %.2fx\n",
                    1e9 / shown, 1e9 / disabled, shown / disabled);
    const double onRequest = collector.Time("update/windows_shown_redrawn_on_request");
    if (disabled > 0.0 && onRequest > 0.0)
        std::printf("Shown, redrawn only when they ask: %.0f passes/s; ratio %.2fx\n", 1e9 / onRequest,
                    onRequest / disabled);
    const double print = collector.Time("print/ConPrint");
    const double format = collector.Time("print/format_into_vector");
    if (print > 0.0 && format > 0.0)
        std::printf("ConPrint: %.0f lines/s; snprintf into a vector: %.0f lines/s; ratio %.2fx\n", 1e9 / print,
                    1e9 / format, print / format);
    benchmark::Shutdown();
    Veltrano.Quit();
    return 0;
}
