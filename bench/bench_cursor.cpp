// The software cursor's cost per rendered frame while the mouse moves:
// restore the background at the old place, save it at the new one, draw the
// image. Measured as the difference between frame-loop passes with and
// without a visible cursor, against the same three blits done raw.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "headless_screen.h"
#include "time_collector.h"
#include "veltrano.h"

namespace {

constexpr int kCursorSize = 32;

SDL_Surface* cursorImage = nullptr;
SDL_Surface* background = nullptr;

// The mouse walks a diagonal, so every frame moves the cursor.
void MoveMouse(int step) {
    SDL_WarpMouse(static_cast<Uint16>(100 + step % 400), static_cast<Uint16>(80 + step % 300));
}

void RunPasses(benchmark::State& state) {
    int step = 0;
    for (auto _ : state) {
        MoveMouse(++step);
        Veltrano.Update(nullptr);
    }
}

void BM_PassWithCursor(benchmark::State& state) {
    ICursor->Show();
    RunPasses(state);
}

void BM_PassWithoutCursor(benchmark::State& state) {
    ICursor->Hide();
    RunPasses(state);
}

// What the cursor does, as three plain blits of its size.
void BM_ThreeRawBlits(benchmark::State& state) {
    SDL_Surface* screen = Veltrano.screen;
    int step = 0;
    for (auto _ : state) {
        ++step;
        SDL_Rect old{static_cast<Sint16>(100 + (step - 1) % 400), static_cast<Sint16>(80 + (step - 1) % 300), 0, 0};
        SDL_Rect now{static_cast<Sint16>(100 + step % 400), static_cast<Sint16>(80 + step % 300), kCursorSize,
                     kCursorSize};
        SDL_Rect origin{0, 0, 0, 0};
        SDL_Rect draw = now;
        SDL_BlitSurface(background, nullptr, screen, &old);
        SDL_BlitSurface(screen, &now, background, &origin);
        SDL_BlitSurface(cursorImage, nullptr, screen, &draw);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!StartHeadlessScreen()) return 1;
    ITimeSystem->Init(0);
    ICursor->Init();
    ICursor->SetSmooth(0);
    SDL_Surface* image = SDL_CreateRGBSurface(0, kCursorSize, kCursorSize, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(image, nullptr, 0xFF00FF);
    SDL_Rect arrow{4, 4, 12, 20};
    SDL_FillRect(image, &arrow, 0xFFFFFF);
    ICursor->Select(ICursor->Create(image, 0));
    cursorImage = SDL_DisplayFormat(image);
    SDL_SetColorKey(cursorImage, SDL_SRCCOLORKEY, 0xFF00FF);
    background = SDL_DisplayFormat(image);
    SDL_FreeSurface(image);

    benchmark::RegisterBenchmark("cursor/pass_with_cursor", BM_PassWithCursor)->MinTime(1.0);
    benchmark::RegisterBenchmark("cursor/pass_without_cursor", BM_PassWithoutCursor)->MinTime(1.0);
    benchmark::RegisterBenchmark("cursor/three_raw_blits", BM_ThreeRawBlits)->MinTime(1.0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double with = collector.Time("cursor/pass_with_cursor");
    const double without = collector.Time("cursor/pass_without_cursor");
    const double raw = collector.Time("cursor/three_raw_blits");
    if (raw > 0.0 && with > 0.0)
        std::printf("\nCursor of %dx%d, moving every frame: %.0f ns per frame (pass %.0f ns - %.0f ns without); "
                    "three raw blits %.0f ns; ratio %.2fx (goal <= 1.2x)\n",
                    kCursorSize, kCursorSize, with - without, with, without, raw, (with - without) / raw);
    benchmark::Shutdown();
    SDL_FreeSurface(cursorImage);
    SDL_FreeSurface(background);
    Veltrano.Quit();
    return 0;
}
