// The frame loop's own cost: Veltrano.Update passes with both rates
// unlimited (every pass polls, runs a logic frame, renders and flips) on the
// headless driver, against the bare SDL loop a game would otherwise write:
// drain the events, flip the screen.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "headless_screen.h"
#include "time_collector.h"
#include "veltrano.h"

namespace {

void BM_BareSdlLoop(benchmark::State& state) {
    SDL_Surface* screen = Veltrano.screen;
    SDL_Event event;
    for (auto _ : state) {
        while (SDL_PollEvent(&event)) {
        }
        SDL_Flip(screen);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_VeltranoUpdate(benchmark::State& state) {
    SDL_Event event;
    for (auto _ : state) benchmark::DoNotOptimize(Veltrano.Update(&event));
    state.SetItemsProcessed(state.iterations());
}

// What a pass must do beyond the bare loop, each call alone: the logic
// frame's event pump and mouse and keyboard reads, and the clock reading of
// the statistics update.
void BM_PumpEvents(benchmark::State& state) {
    for (auto _ : state) SDL_PumpEvents();
}

void BM_MouseAndKeyState(benchmark::State& state) {
    int x = 0, y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SDL_GetMouseState(&x, &y));
        benchmark::DoNotOptimize(SDL_GetKeyState(nullptr));
    }
}

void BM_GetTicks(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(SDL_GetTicks());
}

}  // namespace

int main(int argc, char** argv) {
    if (!StartHeadlessScreen()) return 1;
    ITimeSystem->Init(0);
    ITimeSystem->SetRate(0, 0);

    benchmark::RegisterBenchmark("loop/bare_poll_and_flip", BM_BareSdlLoop)->MinTime(1.0);
    benchmark::RegisterBenchmark("loop/veltrano_update", BM_VeltranoUpdate)->MinTime(1.0);
    benchmark::RegisterBenchmark("part/SDL_PumpEvents", BM_PumpEvents)->MinTime(0.5);
    benchmark::RegisterBenchmark("part/SDL_GetMouseState+SDL_GetKeyState", BM_MouseAndKeyState)->MinTime(0.5);
    benchmark::RegisterBenchmark("part/SDL_GetTicks", BM_GetTicks)->MinTime(0.5);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double bare = collector.Time("loop/bare_poll_and_flip");
    const double update = collector.Time("loop/veltrano_update");
    if (bare > 0.0 && update > 0.0)
        std::printf("\nUpdate pass: %.0f ns (%.0f passes/s); bare poll + flip: %.0f ns (%.0f passes/s); "
                    "ratio %.2fx (goal <= 1.2x)\n",
                    update, 1e9 / update, bare, 1e9 / bare, update / bare);
    const double required = collector.Time("part/SDL_PumpEvents") +
                            collector.Time("part/SDL_GetMouseState+SDL_GetKeyState") +
                            collector.Time("part/SDL_GetTicks");
    if (bare > 0.0 && required > 0.0)
        std::printf("SDL calls a pass makes beyond poll + flip: %.0f ns; the loop's own code: %.0f ns\n", required,
                    update - bare - required);
    benchmark::Shutdown();
    Veltrano.Quit();
    return 0;
}
