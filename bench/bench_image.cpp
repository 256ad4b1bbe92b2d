// Image loading and drawing against the common SDL 1.2 add-on libraries:
// LoadPNG against SDL_image's IMG_Load_RW on the same 1024x1024 RGBA and
// palette PNGs in memory, and LineColor, BoxColor and PutPixelColor against
// SDL_gfx's lineColor, boxColor and pixelColor on 32 and 16-bit surfaces.
// Every measurement is printed with its ratio to the reference at the end.
#include <SDL/SDL_gfxPrimitives.h>
#include <SDL/SDL_image.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "Veltrano_IImage.h"
#include "Veltrano_IPrimitives.h"
#include "time_collector.h"

namespace {

constexpr int kImageSide = 1024;
constexpr int kSurfaceSide = 512;
constexpr int kShapes = 1000;

// A picture-like image: smooth gradients with a little noise, so the PNG
// compresses as real art does rather than as noise or as a flat colour.
SDL_Surface* ArtLikeSurface(bool paletted) {
    std::mt19937 random(7);
    SDL_Surface* s = paletted ? SDL_CreateRGBSurface(SDL_SWSURFACE, kImageSide, kImageSide, 8, 0, 0, 0, 0)
                              : SDL_CreateRGBSurface(SDL_SWSURFACE, kImageSide, kImageSide, 32, 0xFF, 0xFF00,
                                                     0xFF0000, 0xFF000000);
    if (paletted) {
        SDL_Color colors[256];
        for (int i = 0; i < 256; ++i) colors[i] = {Uint8(i), Uint8(255 - i), Uint8(i * 3), 0};
        SDL_SetColors(s, colors, 0, 256);
    }
    for (int y = 0; y < kImageSide; ++y) {
        auto* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < kImageSide; ++x) {
            const int noise = static_cast<int>(random() % 4);
            if (paletted) {
                row[x] = Uint8((x / 4 + y / 8 + noise) & 0xFF);
            } else {
                Uint8* p = row + 4 * x;
                p[0] = Uint8(x / 4 + noise);
                p[1] = Uint8(y / 4 + noise);
                p[2] = Uint8((x + y) / 8);
                p[3] = Uint8(255 - ((x * y) >> 12));
            }
        }
    }
    return s;
}

std::string PngBytes(Veltrano_IImage& images, SDL_Surface* surface, const std::string& path) {
    if (images.SavePNG(path.c_str(), surface, 6) != 0) std::abort();
    std::string bytes;
    FILE* in = std::fopen(path.c_str(), "rb");
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) bytes.append(buffer, n);
    std::fclose(in);
    std::remove(path.c_str());
    return bytes;
}

void BM_LoadPNG(benchmark::State& state, Veltrano_IImage* images, const std::string* png) {
    for (auto _ : state) {
        SDL_Surface* s = images->LoadPNG(const_cast<char*>(png->data()), static_cast<int>(png->size()));
        if (s == nullptr) std::abort();
        SDL_FreeSurface(s);
    }
}

void BM_IMG_Load(benchmark::State& state, const std::string* png) {
    for (auto _ : state) {
        SDL_Surface* s = IMG_Load_RW(SDL_RWFromConstMem(png->data(), static_cast<int>(png->size())), 1);
        if (s == nullptr) std::abort();
        SDL_FreeSurface(s);
    }
}

struct Shape {
    Sint16 x1, y1, x2, y2;
};

// Shapes inside the surface, the same for every benchmark.
const std::vector<Shape>& Shapes() {
    static const std::vector<Shape> shapes = [] {
        std::mt19937 random(11);
        std::vector<Shape> list;
        for (int i = 0; i < kShapes; ++i) {
            Sint16 a = Sint16(random() % kSurfaceSide), b = Sint16(random() % kSurfaceSide);
            Sint16 c = Sint16(random() % kSurfaceSide), d = Sint16(random() % kSurfaceSide);
            list.push_back({std::min(a, c), std::min(b, d), std::max(a, c), std::max(b, d)});
        }
        return list;
    }();
    return shapes;
}

SDL_Surface* DrawingSurface(int depth) {
    return depth == 32 ? SDL_CreateRGBSurface(SDL_SWSURFACE, kSurfaceSide, kSurfaceSide, 32, 0xFF0000, 0xFF00, 0xFF, 0)
                       : SDL_CreateRGBSurface(SDL_SWSURFACE, kSurfaceSide, kSurfaceSide, 16, 0xF800, 0x07E0, 0x1F, 0);
}

// Opaque white: a pixel value for the SDK, 0xRRGGBBAA for SDL_gfx.
constexpr Uint32 kGfxWhite = 0xFFFFFFFF;

enum class Drawing { Line, Box, Pixel };

void BM_Sdk(benchmark::State& state, Veltrano_IPrimitives* primitives, Drawing what, int depth) {
    SDL_Surface* s = DrawingSurface(depth);
    const Uint32 white = SDL_MapRGBA(s->format, 255, 255, 255, 255);
    for (auto _ : state) {
        if (what == Drawing::Pixel) {
            for (int y = 0; y < kSurfaceSide; y += 2)
                for (int x = 0; x < kSurfaceSide; x += 2) primitives->PutPixelColor(s, Sint16(x), Sint16(y), white, 1);
        } else {
            for (const Shape& sh : Shapes()) {
                if (what == Drawing::Line) primitives->LineColor(s, sh.x1, sh.y1, sh.x2, sh.y2, white);
                else primitives->BoxColor(s, sh.x1, sh.y1, Sint16(sh.x2 + 1), Sint16(sh.y2 + 1), white);
            }
        }
        benchmark::DoNotOptimize(s->pixels);
    }
    SDL_FreeSurface(s);
}

void BM_Gfx(benchmark::State& state, Drawing what, int depth) {
    SDL_Surface* s = DrawingSurface(depth);
    for (auto _ : state) {
        if (what == Drawing::Pixel) {
            for (int y = 0; y < kSurfaceSide; y += 2)
                for (int x = 0; x < kSurfaceSide; x += 2) pixelColor(s, Sint16(x), Sint16(y), kGfxWhite);
        } else {
            for (const Shape& sh : Shapes()) {
                if (what == Drawing::Line) lineColor(s, sh.x1, sh.y1, sh.x2, sh.y2, kGfxWhite);
                else boxColor(s, sh.x1, sh.y1, sh.x2, sh.y2, kGfxWhite);  // inclusive corners
            }
        }
        benchmark::DoNotOptimize(s->pixels);
    }
    SDL_FreeSurface(s);
}

struct Pair {
    std::string label;
    std::string sdk;
    std::string reference;
};

}  // namespace

int main(int argc, char** argv) {
    Veltrano_IImage images;
    Veltrano_IPrimitives primitives;
    char folder[] = "/tmp/veltrano-bench-image-XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    SDL_Surface* rgbaSurface = ArtLikeSurface(false);
    SDL_Surface* paletteSurface = ArtLikeSurface(true);
    const std::string rgba = PngBytes(images, rgbaSurface, std::string(folder) + "/rgba.png");
    const std::string palette = PngBytes(images, paletteSurface, std::string(folder) + "/palette.png");
    SDL_FreeSurface(rgbaSurface);
    SDL_FreeSurface(paletteSurface);
    rmdir(folder);

    std::vector<Pair> pairs;
    for (const auto& [name, png] : {std::pair<const char*, const std::string*>{"rgba", &rgba}, {"palette", &palette}}) {
        const std::string sdk = std::string("png/") + name + "/LoadPNG";
        const std::string reference = std::string("png/") + name + "/IMG_Load_RW";
        benchmark::RegisterBenchmark(reference.c_str(), BM_IMG_Load, png)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(sdk.c_str(), BM_LoadPNG, &images, png)->Unit(benchmark::kMillisecond);
        pairs.push_back({std::string("LoadPNG 1024x1024 ") + name, sdk, reference});
    }
    const struct {
        const char* name;
        const char* gfxName;
        Drawing what;
    } drawings[] = {{"LineColor", "lineColor", Drawing::Line},
                    {"BoxColor", "boxColor", Drawing::Box},
                    {"PutPixelColor", "pixelColor", Drawing::Pixel}};
    for (int depth : {32, 16}) {
        for (const auto& d : drawings) {
            const std::string prefix = "draw" + std::to_string(depth) + "/";
            const std::string sdk = prefix + d.name;
            const std::string reference = prefix + d.gfxName;
            benchmark::RegisterBenchmark(reference.c_str(), BM_Gfx, d.what, depth)->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(sdk.c_str(), BM_Sdk, &primitives, d.what, depth)
                ->Unit(benchmark::kMicrosecond);
            pairs.push_back({std::string(d.name) + " " + std::to_string(depth) + "-bit vs " + d.gfxName, sdk,
                             reference});
        }
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    // Processor time: nothing here waits, and the machine may be shared.
    std::printf("\nRatios of processor time to the reference (goal <= 1.0):\n");
    for (const Pair& pair : pairs) {
        const double sdk = collector.CpuTime(pair.sdk), reference = collector.CpuTime(pair.reference);
        if (sdk > 0.0 && reference > 0.0) std::printf("  %-36s %.2fx\n", pair.label.c_str(), sdk / reference);
    }
    benchmark::Shutdown();
    return 0;
}
