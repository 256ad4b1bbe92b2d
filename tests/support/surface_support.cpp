#include "support/surface_support.h"

#include "imaging/pixel_access.h"
#include "veltrano.h"

namespace testing_support {

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
