// Memory for loaded sprites: 1,000 sprites (64 different 128 x 32 sheets of
// four 32 x 32 frames, each loaded 15 or 16 times from one archive) held at
// once. The reference is the bytes their pixels take in the screen's 32-bit
// format, the least any loader must keep; the ratio is the growth of the
// peak resident memory (ru_maxrss) over it. Then the time to load the 1,000
// and free them again, against loading the same blocks with LoadBlock alone.
// Run it under the sanitizer build to check that nothing leaks.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "headless_screen.h"
#include "time_collector.h"
#include "veltrano.h"

namespace {

constexpr int kSprites = 1000;
constexpr int kSheets = 64;
constexpr int kFrame = 32;
constexpr int kFrames = 4;
constexpr char kArchive[] = "bench_sprite_memory.dpf";
constexpr char kType[] = "SPR2";

long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string SheetName(int index) { return "sheet" + std::to_string(index % kSheets); }

// Every sheet its own pattern, so the archive compresses real pixels.
bool WriteArchive() {
    std::remove(kArchive);
    for (int i = 0; i < kSheets; ++i) {
        SDL_Surface* sheet =
            SDL_CreateRGBSurface(SDL_SWSURFACE, kFrame * kFrames, kFrame, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        if (sheet == nullptr) return false;
        for (int y = 0; y < sheet->h; ++y) {
            auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(sheet->pixels) + y * sheet->pitch);
            for (int x = 0; x < sheet->w; ++x) row[x] = static_cast<Uint32>((x * (i + 3)) ^ (y * 29) ^ i) & 0xFFFFFF;
        }
        Veltrano_CSprite sprite;
        const bool made = sprite.Create(sheet, SheetName(i).c_str(), kFrame, kFrame) == 1;
        SDL_FreeSurface(sheet);
        if (!made || sprite.Save(kArchive, kType) <= 0) return false;
    }
    return true;
}

// Loads kSprites sprites from the open archive; empty when one fails.
std::vector<std::unique_ptr<Veltrano_CSprite>> LoadSprites(int handle) {
    std::vector<std::unique_ptr<Veltrano_CSprite>> sprites;
    for (int i = 0; i < kSprites; ++i) {
        auto sprite = std::make_unique<Veltrano_CSprite>();
        if (sprite->Load(handle, SheetName(i).c_str(), "bench") != 1) return {};
        sprites.push_back(std::move(sprite));
    }
    return sprites;
}

void BM_LoadSprites(benchmark::State& state) {
    const int handle = IStuffDPF->Open(kArchive);
    for (auto _ : state)
        if (LoadSprites(handle).size() != kSprites) state.SkipWithError("Load failed");
    IStuffDPF->Close(handle);
}

void BM_LoadBlocks(benchmark::State& state) {
    const int handle = IStuffDPF->Open(kArchive);
    for (auto _ : state)
        for (int i = 0; i < kSprites; ++i) {
            DPF_BlockData block{};
            if (IStuffDPF->LoadBlock(handle, kType, SheetName(i).c_str(), &block) <= 0)
                state.SkipWithError("LoadBlock failed");
            IStuffDPF->FreeBlock(&block);
        }
    IStuffDPF->Close(handle);
}

}  // namespace

int main(int argc, char** argv) {
    if (!StartHeadlessScreen() || !WriteArchive()) return 1;
    // Memory first: the peak only ever grows.
    const long before = PeakResidentKiB();
    {
        const int handle = IStuffDPF->Open(kArchive);
        const auto sprites = LoadSprites(handle);
        IStuffDPF->Close(handle);
        if (sprites.size() != kSprites) return 1;
        const long grown = PeakResidentKiB() - before;
        const double pixelsKiB = kSprites * double(kFrame * kFrames * kFrame * 4) / 1024.0;
        std::printf("%d sprites held: peak resident memory %.1f MiB (%.1f MiB before loading, %.1f MiB more); "
                    "their pixels %.1f MiB; ratio %.2fx\n",
                    kSprites, PeakResidentKiB() / 1024.0, before / 1024.0, grown / 1024.0, pixelsKiB / 1024.0,
                    grown / pixelsKiB);
    }

    benchmark::RegisterBenchmark("sprites/LoadBlock_1000", BM_LoadBlocks)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("sprites/sprite_Load_1000", BM_LoadSprites)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double reference = collector.CpuTime("sprites/LoadBlock_1000");
    const double load = collector.CpuTime("sprites/sprite_Load_1000");
    if (reference > 0.0 && load > 0.0)
        std::printf("\nLoad and free %d sprites: %.2f ms processor time; their blocks alone %.2f ms; ratio %.2fx\n",
                    kSprites, load, reference, load / reference);
    benchmark::Shutdown();
    std::remove(kArchive);
    Veltrano.Quit();
    return 0;
}
