// The screen effects against a reference measured in the same run: Resize
// against SDL_gfx's zoomSurface, Rotate and RotateResize against its
// rotozoomSurface (32 bits, smoothed and not, 256 and 1024 pixels square),
// and Blur and every RenderFX effect on a 640 x 480 screen in frames per
// second, next to one plain full-screen blit.
#include <benchmark/benchmark.h>

#include <SDL_rotozoom.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "headless_screen.h"
#include "time_collector.h"
#include "veltrano.h"

namespace {

SDL_Surface* PatternSurface(int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    Uint32 value = 12345;
    for (int y = 0; y < h; ++y) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < w; ++x) row[x] = value = value * 1103515245u + 12345u;
    }
    return s;
}

// One transformation measured against its reference.
struct Pair {
    std::string ours, reference;
};
std::vector<Pair> pairs;

template <typename Make>
void RegisterTransform(const std::string& name, int size, Make make) {
    benchmark::RegisterBenchmark(name.c_str(), [size, make](benchmark::State& state) {
        SDL_Surface* src = PatternSurface(size, size);
        for (auto _ : state) {
            SDL_Surface* out = make(src);
            benchmark::DoNotOptimize(out);
            SDL_FreeSurface(out);
        }
        SDL_FreeSurface(src);
    })->MinTime(0.5);
}

void RegisterTransforms() {
    for (int size : {256, 1024})
        for (int smooth : {0, 1}) {
            const std::string tail = std::string(smooth ? "smooth/" : "nearest/") + std::to_string(size);
            RegisterTransform("resize_x1.5/veltrano/" + tail, size, [smooth, size](SDL_Surface* s) {
                return IScreenFX->Resize(s, nullptr, smooth, size * 3 / 2, size * 3 / 2, nullptr, nullptr);
            });
            RegisterTransform("resize_x1.5/zoomSurface/" + tail, size,
                              [smooth](SDL_Surface* s) { return zoomSurface(s, 1.5, 1.5, smooth); });
            RegisterTransform("rotate_30/veltrano/" + tail, size, [smooth](SDL_Surface* s) {
                return IScreenFX->Rotate(s, nullptr, smooth, 30.0, nullptr, nullptr);
            });
            RegisterTransform("rotate_30/rotozoomSurface/" + tail, size,
                              [smooth](SDL_Surface* s) { return rotozoomSurface(s, -30.0, 1.0, smooth); });
            RegisterTransform("rotozoom_30_x1.5/veltrano/" + tail, size, [smooth](SDL_Surface* s) {
                return IScreenFX->RotateResize(s, nullptr, smooth, 30.0, 1.5, nullptr, nullptr);
            });
            RegisterTransform("rotozoom_30_x1.5/rotozoomSurface/" + tail, size,
                              [smooth](SDL_Surface* s) { return rotozoomSurface(s, -30.0, 1.5, smooth); });
            for (const char* kind : {"resize_x1.5", "rotate_30"})
                pairs.push_back({std::string(kind) + "/veltrano/" + tail,
                                 std::string(kind) + (kind[1] == 'e' ? "/zoomSurface/" : "/rotozoomSurface/") + tail});
            pairs.push_back({"rotozoom_30_x1.5/veltrano/" + tail, "rotozoom_30_x1.5/rotozoomSurface/" + tail});
        }
}

// Per-frame work on the 640 x 480 screen.
template <typename Frame>
void RegisterFrame(const std::string& name, Frame frame) {
    benchmark::RegisterBenchmark(name.c_str(), [frame](benchmark::State& state) {
        SDL_Surface* scene = PatternSurface(640, 480);
        for (auto _ : state) frame(scene, Veltrano.screen);
        SDL_FreeSurface(scene);
    })->MinTime(0.5);
}

std::vector<std::string> frames;

void RegisterFrames() {
    RegisterFrame("frame/reference_blit", [](SDL_Surface* scene, SDL_Surface* screen) {
        SDL_BlitSurface(scene, nullptr, screen, nullptr);
    });
    RegisterFrame("frame/blur_50", [](SDL_Surface* scene, SDL_Surface* screen) {
        SDL_BlitSurface(scene, nullptr, screen, nullptr);
        IScreenFX->Blur(screen, 50);
    });
    frames.push_back("frame/blur_50");
    for (int effect = 1; effect <= 12; ++effect) {
        const std::string name = "frame/renderfx_" + std::to_string(effect);
        RegisterFrame(name, [effect](SDL_Surface* scene, SDL_Surface* screen) {
            IScreenFX->RenderFX(scene, screen, effect);
        });
        frames.push_back(name);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!StartHeadlessScreen()) return 1;

    RegisterTransforms();
    RegisterFrames();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    std::printf("\nTransformations against SDL_gfx (ratio = our time / reference time, goal <= 1.0):\n");
    for (const Pair& pair : pairs) {
        const double ours = collector.Time(pair.ours), reference = collector.Time(pair.reference);
        if (ours > 0.0 && reference > 0.0)
            std::printf("  %-40s %10.0f us  reference %10.0f us  ratio %.2f\n", pair.ours.c_str(), ours / 1e3,
                        reference / 1e3, ours / reference);
    }
    const double blit = collector.Time("frame/reference_blit");
    std::printf("\nFrames on 640x480 (reference: one full-screen blit, %.0f fps):\n", blit > 0 ? 1e9 / blit : 0.0);
    for (const std::string& name : frames) {
        const double t = collector.Time(name);
        if (t > 0.0 && blit > 0.0)
            std::printf("  %-24s %8.0f fps  ratio to the blit %.1f\n", name.c_str(), 1e9 / t, t / blit);
    }
    benchmark::Shutdown();
    Veltrano.Quit();
    return 0;
}
