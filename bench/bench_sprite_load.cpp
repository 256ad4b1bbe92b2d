// Loading a large sprite: a 2048 x 1024 sheet of 32-bit frames (8 rows of
// 16 frames of 128 x 128) from an archive with Veltrano_CSprite::Load,
// against the work no loader can skip done by hand in the same run: the
// block read from the archive (LoadBlock, which decompresses it) and the
// sheet's rows copied into a new surface converted for the screen. The
// ratio is the sprite reader's own cost on top of that.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "headless_screen.h"
#include "time_collector.h"
#include "veltrano.h"

namespace {

constexpr int kFrame = 128;
constexpr int kColumns = 16;
constexpr int kRows = 8;
constexpr char kArchive[] = "bench_sprite_load.dpf";

// Every frame painted with its own gradient, so none counts as empty and
// the archive's compressor has real pixels to work on.
SDL_Surface* LargeSheet() {
    SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, kFrame * kColumns, kFrame * kRows, 32, 0xFF0000,
                                              0xFF00, 0xFF, 0);
    if (sheet == nullptr) return nullptr;
    sheet->format->colorkey = 0xFFFFFFFFu;  // no key
    SDL_LockSurface(sheet);
    for (int y = 0; y < sheet->h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(sheet->pixels) + y * sheet->pitch);
        for (int x = 0; x < sheet->w; ++x) row[x] = static_cast<Uint32>((x * 7) ^ (y * 13) ^ (x * y)) & 0xFFFFFF;
    }
    SDL_UnlockSurface(sheet);
    return sheet;
}

bool WriteArchive() {
    std::remove(kArchive);
    SDL_Surface* sheet = LargeSheet();
    if (sheet == nullptr) return false;
    Veltrano_CSprite sprite;
    const bool made = sprite.Create(sheet, "large", kFrame, kFrame) == kRows;
    SDL_FreeSurface(sheet);
    return made && sprite.Save(kArchive, "SPR2") > 0;
}

void BM_SpriteLoad(benchmark::State& state) {
    const int handle = IStuffDPF->Open(kArchive);
    for (auto _ : state) {
        Veltrano_CSprite sprite;
        if (sprite.Load(handle, "large", "bench") != kRows) state.SkipWithError("Load failed");
    }
    IStuffDPF->Close(handle);
}

// What any reader must do: the block out of the archive, its rows in a
// surface, the surface in the screen's format.
void BM_BlockAndSurface(benchmark::State& state) {
    const int handle = IStuffDPF->Open(kArchive);
    for (auto _ : state) {
        DPF_BlockData block{};
        if (IStuffDPF->LoadBlock(handle, "SPR2", "large", &block) <= 0) state.SkipWithError("LoadBlock failed");
        SDL_Surface* sheet =
            SDL_CreateRGBSurface(0, kFrame * kColumns, kFrame * kRows, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        const size_t rows = static_cast<size_t>(sheet->pitch) * sheet->h;
        std::memcpy(sheet->pixels, block.data + block.size - rows, rows);
        IStuffDPF->FreeBlock(&block);
        SDL_Surface* converted = SDL_DisplayFormat(sheet);
        SDL_FreeSurface(sheet);
        SDL_FreeSurface(converted);
    }
    IStuffDPF->Close(handle);
}

}  // namespace

int main(int argc, char** argv) {
    if (!StartHeadlessScreen() || !WriteArchive()) return 1;
    benchmark::RegisterBenchmark("load_2048x1024/block_and_surface", BM_BlockAndSurface)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
    benchmark::RegisterBenchmark("load_2048x1024/sprite_Load", BM_SpriteLoad)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    // Times are in the benchmarks' unit, milliseconds. Processor time is the
    // steadier measure on a shared machine; wall time includes the reads.
    const double reference = collector.CpuTime("load_2048x1024/block_and_surface");
    const double load = collector.CpuTime("load_2048x1024/sprite_Load");
    const double referenceWall = collector.Time("load_2048x1024/block_and_surface");
    const double loadWall = collector.Time("load_2048x1024/sprite_Load");
    if (reference > 0.0 && load > 0.0)
        std::printf("\nLoad of a 2048x1024 sprite (8 animations of 16 frames): %.2f ms processor time; block and "
                    "surface alone: %.2f ms; ratio %.2fx (wall time %.2f ms against %.2f ms, %.2fx)\n",
                    load, reference, load / reference, loadWall, referenceWall, loadWall / referenceWall);
    std::remove(kArchive);
    Veltrano.Quit();
    return 0;
}
