#include "support/surface_support.h"

#include <random>

#include "imaging/pixel_access.h"
#include "veltrano.h"

namespace testing_support {

SDL_Surface* PatternSurface(int w, int h, int depth, Masks masks, uint32_t seed) {
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, depth, masks.r, masks.g, masks.b, masks.a);
    if (surface == nullptr) return nullptr;
    std::mt19937 random(seed);
    if (depth == 8) {
        SDL_Color colors[256];
        for (int i = 0; i < 256; ++i)
            colors[i] = {static_cast<Uint8>(i), static_cast<Uint8>(255 - i), static_cast<Uint8>(random()), 0};
        SDL_SetColors(surface, colors, 0, 256);
    }
    const Uint32 valid = depth == 8 ? 0xFF : (masks.r | masks.g | masks.b | masks.a);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixel_access::Write(surface, x, y, static_cast<Uint32>(random()) & valid);
    return surface;
}

void SurfaceTest::SetUp() { ASSERT_EQ(Veltrano.Init(SDL_INIT_VIDEO), 1); }

void SurfaceTest::TearDown() {
    Veltrano.SurfaceAutomaticConversion(1);
    Veltrano.Quit();
}

void SurfaceTest::OpenScreen(int depth) {
    Veltrano.Config.renderer = 1;
    Veltrano.Config.accel = 1;
    Veltrano.Config.window = 1;
    Veltrano.Config.colordepth = static_cast<unsigned char>(depth);
    Veltrano.Config.resolutionx = 64;
    Veltrano.Config.resolutiony = 64;
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    ASSERT_NE(Veltrano.screen, nullptr);
}

Uint32 PixelAt(SDL_Surface* surface, int x, int y) { return pixel_access::Read(surface, x, y); }

std::string FirstPixelDifference(SDL_Surface* a, SDL_Surface* b) {
    if (a->w != b->w || a->h != b->h) return "sizes differ";
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            if (PixelAt(a, x, y) != PixelAt(b, x, y))
                return "pixel (" + std::to_string(x) + "," + std::to_string(y) + ")";
    return "";
}

}  // namespace testing_support
