// Helpers the surface tests of several subsystems share: a fixture with an
// initialised SDK in a fresh folder, pixel reads and comparisons.
#ifndef VELTRANO_TEST_SURFACE_SUPPORT_H
#define VELTRANO_TEST_SURFACE_SUPPORT_H

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <string>

#include "support/test_support.h"

namespace testing_support {

// Each test runs inside a fresh folder with an initialised SDK (video
// started, no screen until OpenScreen) and the log captured at every level.
class SurfaceTest : public ::testing::Test {
protected:
    TempDir dir{true};
    LogCapture log{5};

    void SetUp() override;
    void TearDown() override;
    // A 64x64 window at the given depth through the SDK's SetVideoMode.
    void OpenScreen(int depth);
};

struct Masks {
    Uint32 r, g, b, a;
};

constexpr Masks kRGB24{0xFF0000, 0xFF00, 0xFF, 0};
constexpr Masks kXRGB32{0xFF0000, 0xFF00, 0xFF, 0};
constexpr Masks kRGBA32{0xFF, 0xFF00, 0xFF0000, 0xFF000000};
constexpr Masks kRGB565{0xF800, 0x07E0, 0x001F, 0};

// A software surface whose pixels all differ in a deterministic way that the
// format can hold (8-bit surfaces get a palette of 256 distinct colours).
SDL_Surface* PatternSurface(int w, int h, int depth, Masks masks, uint32_t seed = 1);

// The raw pixel value at (x, y).
Uint32 PixelAt(SDL_Surface* surface, int x, int y);
// The first pixel where the two surfaces differ as raw values, or "" when
// sizes and every pixel agree.
std::string FirstPixelDifference(SDL_Surface* a, SDL_Surface* b);

}  // namespace testing_support

#endif
