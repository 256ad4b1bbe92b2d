// Tile drawing's own cost: 10,000 grid-cell Draws a frame onto a 32-bit
// screen on the headless driver, against the same 10,000 cell blits done
// with raw SDL_BlitSurface.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "headless_screen.h"
#include "time_collector.h"
#include "veltrano.h"

namespace {

constexpr int kDrawsPerFrame = 10000;
constexpr int kCell = 32;
constexpr int kCellsPerRow = 8;

Veltrano_CTile* tile = nullptr;

// Where the i-th draw of a frame lands and which cell it takes.
int CellOf(int i) { return 1 + i % (kCellsPerRow * kCellsPerRow); }
int ScreenX(int i) { return (i * 37) % (Veltrano.screen->w - kCell); }
int ScreenY(int i) { return (i * 53) % (Veltrano.screen->h - kCell); }

void BM_RawBlits(benchmark::State& state) {
    SDL_Surface* sheet = tile->GetSurface();
    for (auto _ : state) {
        for (int i = 0; i < kDrawsPerFrame; ++i) {
            const int cell = CellOf(i) - 1;
            SDL_Rect src{static_cast<Sint16>(cell % kCellsPerRow * kCell), static_cast<Sint16>(cell / kCellsPerRow * kCell),
                         kCell, kCell};
            SDL_Rect dst{static_cast<Sint16>(ScreenX(i)), static_cast<Sint16>(ScreenY(i)), kCell, kCell};
            SDL_BlitSurface(sheet, &src, Veltrano.screen, &dst);
        }
    }
    state.SetItemsProcessed(state.iterations() * kDrawsPerFrame);
}

void BM_TileDraws(benchmark::State& state) {
    for (auto _ : state) {
        for (int i = 0; i < kDrawsPerFrame; ++i) {
            tile->SetPosition(ScreenX(i), ScreenY(i));
            tile->Draw(nullptr, CellOf(i));
        }
    }
    state.SetItemsProcessed(state.iterations() * kDrawsPerFrame);
}

}  // namespace

int main(int argc, char** argv) {
    if (!StartHeadlessScreen()) return 1;
    const int side = kCell * kCellsPerRow;
    SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, side, side, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side * 3; ++x) static_cast<Uint8*>(sheet->pixels)[y * sheet->pitch + x] = x ^ y;
    tile = new Veltrano_CTile;
    if (tile->Create(sheet, "sheet") != 1) return 1;
    SDL_FreeSurface(sheet);
    tile->SetTileSet(1, kCell, kCell);

    benchmark::RegisterBenchmark("frame/raw_SDL_BlitSurface", BM_RawBlits)->MinTime(1.0);
    benchmark::RegisterBenchmark("frame/tile_Draw", BM_TileDraws)->MinTime(1.0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double raw = collector.Time("frame/raw_SDL_BlitSurface");
    const double draws = collector.Time("frame/tile_Draw");
    if (raw > 0.0 && draws > 0.0)
        std::printf("\n%d grid-cell Draws of %dx%d: %.2f ms a frame; raw blits: %.2f ms; ratio %.3fx (goal <= 1.1x)\n",
                    kDrawsPerFrame, kCell, kCell, draws / 1e6, raw / 1e6, draws / raw);
    benchmark::Shutdown();
    delete tile;
    Veltrano.Quit();
    return 0;
}
