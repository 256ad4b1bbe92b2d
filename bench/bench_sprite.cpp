// Sprite drawing's own cost: 1,000 sprites (one master and its slaves on
// one sheet) drawn a frame onto a 32-bit screen on the headless driver,
// against the same 1,000 frame blits done with raw SDL_BlitSurface; then
// the cost of background restore, of each special effect with its cached
// frame and with the frame rebuilt at every draw, and of collisions
// between large frames under each collision method. (Load has its own
// benchmark, bench_sprite_load.)
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "headless_screen.h"
#include "time_collector.h"
#include "veltrano.h"

namespace {

constexpr int kSprites = 1000;
constexpr int kFrame = 32;
constexpr int kFramesPerRow = 4;
constexpr int kRows = 4;
constexpr int kLargeFrame = 256;

std::vector<std::unique_ptr<Veltrano_CSprite>> sprites;  // sprites[0] is the master

int ScreenX(int i) { return (i * 37) % (Veltrano.screen->w - kFrame); }
int ScreenY(int i) { return (i * 53) % (Veltrano.screen->h - kFrame); }
int RowOf(int i) { return i % kRows; }
int FrameOf(int i) { return (i / kRows) % kFramesPerRow; }

// A sheet whose every frame is painted (no frame counts as empty) with a
// transparent (colour key 0) border.
SDL_Surface* PaintedSheet(int frame, int columns, int rows) {
    SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, frame * columns, frame * rows, 32, 0xFF0000, 0xFF00,
                                              0xFF, 0);
    SDL_FillRect(sheet, nullptr, 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            SDL_Rect inner{static_cast<Sint16>(c * frame + 2), static_cast<Sint16>(r * frame + 2),
                           static_cast<Uint16>(frame - 4), static_cast<Uint16>(frame - 4)};
            SDL_FillRect(sheet, &inner, SDL_MapRGB(sheet->format, 40 + 50 * r, 40 + 50 * c, 200));
        }
    return sheet;
}

bool MakeSprites() {
    SDL_Surface* sheet = PaintedSheet(kFrame, kFramesPerRow, kRows);
    sprites.push_back(std::make_unique<Veltrano_CSprite>());
    if (sprites[0]->Create(sheet, "bench", kFrame, kFrame) != kRows) return false;
    SDL_FreeSurface(sheet);
    for (int i = 1; i < kSprites; ++i) {
        sprites.push_back(std::make_unique<Veltrano_CSprite>());
        if (sprites.back()->Clone(sprites[0].get()) != kRows) return false;
    }
    for (int i = 0; i < kSprites; ++i) {
        Veltrano_CSprite& sprite = *sprites[static_cast<size_t>(i)];
        // Frames that never step, so every draw shows the same frame.
        for (int anim = 1; anim <= kRows; ++anim) sprite.SetFrameProperties(anim, 0, 0xFFFFFFFFu);
        sprite.SelectAnim(0x8000 + RowOf(i));
        sprite.SelectFrame(FrameOf(i));
        sprite.SetPosition(ScreenX(i), ScreenY(i), 0);
    }
    return true;
}

void ForAll(void (*apply)(Veltrano_CSprite&)) {
    for (auto& sprite : sprites) apply(*sprite);
}

void RawFrame(SDL_Surface* sheet) {
    for (int i = 0; i < kSprites; ++i) {
        SDL_Rect src{static_cast<Sint16>(FrameOf(i) * kFrame), static_cast<Sint16>(RowOf(i) * kFrame), kFrame,
                     kFrame};
        SDL_Rect dst{static_cast<Sint16>(ScreenX(i)), static_cast<Sint16>(ScreenY(i)), kFrame, kFrame};
        SDL_BlitSurface(sheet, &src, Veltrano.screen, &dst);
    }
}

void SpriteFrame() {
    for (auto& sprite : sprites) sprite->Draw(nullptr);
}

void BM_RawBlits(benchmark::State& state) {
    SDL_Surface* sheet = sprites[0]->GetSurface();
    for (auto _ : state) RawFrame(sheet);
    state.SetItemsProcessed(state.iterations() * kSprites);
}

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Raw and sprite frames taken in turns, so both meet the same load of a
// shared machine: the ratio of their summed processor times.
double InterleavedRatio(int frames) {
    ForAll([](Veltrano_CSprite& s) { s.AutoRestore(0); });
    SDL_Surface* sheet = sprites[0]->GetSurface();
    double raw = 0.0;
    double drawn = 0.0;
    for (int frame = 0; frame < frames; ++frame) {
        const double start = ThreadSeconds();
        RawFrame(sheet);
        const double middle = ThreadSeconds();
        SpriteFrame();
        raw += middle - start;
        drawn += ThreadSeconds() - middle;
    }
    return raw > 0.0 ? drawn / raw : 0.0;
}

void DrawAll(benchmark::State& state) {
    for (auto _ : state) SpriteFrame();
    state.SetItemsProcessed(state.iterations() * kSprites);
}

void BM_SpriteDraws(benchmark::State& state) {
    ForAll([](Veltrano_CSprite& s) { s.AutoRestore(0); });
    DrawAll(state);
}

void BM_SpriteDrawsWithRestore(benchmark::State& state) {
    ForAll([](Veltrano_CSprite& s) { s.AutoRestore(1); });
    DrawAll(state);
    ForAll([](Veltrano_CSprite& s) { s.AutoRestore(0); });
}

// Each effect with its cached frame (nothing steps between draws).
void BM_EffectDraws(benchmark::State& state) {
    const int effect = static_cast<int>(state.range(0));
    for (auto& sprite : sprites) sprite->SetEffect(effect, 0, effect == SPRITE_FX_ROTATE ? 30.0 : 1.5, 1.5);
    DrawAll(state);
    ForAll([](Veltrano_CSprite& s) { s.SetEffect(SPRITE_FX_NONE, 0, 0, 0); });
}

// The transformed frame made anew at every draw (the effect changes).
void BM_EffectRebuilt(benchmark::State& state) {
    const int effect = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (auto& sprite : sprites) {
            sprite->SetEffect(SPRITE_FX_NONE, 0, 0, 0);
            sprite->SetEffect(effect, 0, effect == SPRITE_FX_ROTATE ? 30.0 : 1.5, 1.5);
            sprite->Draw(nullptr);
        }
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
    ForAll([](Veltrano_CSprite& s) { s.SetEffect(SPRITE_FX_NONE, 0, 0, 0); });
}

// Two large frames laid over each other whose opaque halves never meet,
// so the pixel methods test the whole overlap.
void BM_LargeCollision(benchmark::State& state) {
    SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, kLargeFrame, kLargeFrame, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(sheet, nullptr, 0);
    SDL_Rect left{0, 0, kLargeFrame / 2, kLargeFrame};
    SDL_FillRect(sheet, &left, 0xC08040);
    Veltrano_CSprite a;
    Veltrano_CSprite b;
    a.Create(sheet, "a", kLargeFrame, kLargeFrame);
    b.Create(sheet, "b", kLargeFrame, kLargeFrame);
    SDL_FreeSurface(sheet);
    b.SetEffect(SPRITE_FX_MIRROR, 0, 0, 0);
    a.SetCollisionMethod(static_cast<int>(state.range(0)));
    int hits = 0;
    for (auto _ : state) hits += a.Collision(&b, 0, 0, 0, 0, 0);
    benchmark::DoNotOptimize(hits);
}

const char* const kEffectNames[] = {"none", "flip", "mirror", "resize", "rotate", "rotate_resize"};

}  // namespace

int main(int argc, char** argv) {
    if (!StartHeadlessScreen() || !MakeSprites()) return 1;
    benchmark::RegisterBenchmark("frame/raw_SDL_BlitSurface", BM_RawBlits)->MinTime(1.0);
    benchmark::RegisterBenchmark("frame/sprite_Draw", BM_SpriteDraws)->MinTime(1.0);
    benchmark::RegisterBenchmark("frame/sprite_Draw_restore", BM_SpriteDrawsWithRestore)->MinTime(1.0);
    for (int effect = SPRITE_FX_FLIP; effect <= SPRITE_FX_ROTATERESIZE; ++effect) {
        const std::string name = kEffectNames[effect];
        benchmark::RegisterBenchmark(("effect_cached/" + name).c_str(), BM_EffectDraws)->Arg(effect)->MinTime(0.5);
        benchmark::RegisterBenchmark(("effect_rebuilt/" + name).c_str(), BM_EffectRebuilt)->Arg(effect)->MinTime(0.5);
    }
    benchmark::RegisterBenchmark("collision_256/method", BM_LargeCollision)->DenseRange(0, 2)->MinTime(0.5);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    // Processor time: the machine is shared, and drawing never waits.
    const double raw = collector.CpuTime("frame/raw_SDL_BlitSurface");
    const double draws = collector.CpuTime("frame/sprite_Draw");
    const double restored = collector.CpuTime("frame/sprite_Draw_restore");
    if (raw > 0.0 && draws > 0.0) {
        std::printf("\n%d sprite Draws of %dx%d (processor time): %.3f ms a frame; raw blits: %.3f ms; ratio %.3fx (goal <= 1.1x)\n",
                    kSprites, kFrame, kFrame, draws / 1e6, raw / 1e6, draws / raw);
        std::printf("taken in turns over 300 frames: ratio %.3fx\n", InterleavedRatio(300));
        if (restored > 0.0)
            std::printf("with background restore: %.3f ms a frame (%.3fx raw)\n", restored / 1e6, restored / raw);
        for (int effect = SPRITE_FX_FLIP; effect <= SPRITE_FX_ROTATERESIZE; ++effect) {
            const std::string name = kEffectNames[effect];
            const double cached = collector.CpuTime("effect_cached/" + name);
            const double rebuilt = collector.CpuTime("effect_rebuilt/" + name);
            if (cached <= 0.0 || rebuilt <= 0.0) continue;
            std::printf("%-14s cached %.3f ms (%.2fx raw), rebuilt every draw %.3f ms (%.2fx raw)\n", name.c_str(),
                        cached / 1e6, cached / raw, rebuilt / 1e6, rebuilt / raw);
        }
    }
    benchmark::Shutdown();
    while (!sprites.empty()) sprites.pop_back();  // slaves before their master
    Veltrano.Quit();
    return 0;
}
