// Shared fixture and helpers of the imaging tests.
#ifndef VELTRANO_TESTS_IMAGING_TEST_HELPERS_H
#define VELTRANO_TESTS_IMAGING_TEST_HELPERS_H

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace imaging_test {

// Each test runs inside a fresh folder with an initialised SDK (video
// started, no screen until OpenScreen) and the log captured at every level.
class ImagingTest : public ::testing::Test {
protected:
    testing_support::TempDir dir{true};
    testing_support::LogCapture log{5};

    void SetUp() override;
    void TearDown() override;
    // A 64x64 window at the given depth through the SDK's SetVideoMode.
    void OpenScreen(int depth);
};

struct Masks {
    Uint32 r, g, b, a;
};

// A software surface whose every pixel holds a different, deterministic
// value the format can represent (8-bit surfaces get a varied palette).
SDL_Surface* PatternSurface(int w, int h, int depth, Masks masks, uint32_t seed = 1);
// The first pixel where the two surfaces differ as raw values, or "" when
// sizes and every pixel agree.
std::string FirstPixelDifference(SDL_Surface* a, SDL_Surface* b);
// Whether every RGB(A) of the two surfaces agrees through SDL_GetRGBA,
// within tolerance.
bool SameColors(SDL_Surface* a, SDL_Surface* b, bool compareAlpha, int tolerance = 0);
Uint32 PixelAt(SDL_Surface* surface, int x, int y);
// Counts pixels holding the value.
int CountPixels(SDL_Surface* surface, Uint32 value);

// An 8-bit palette PNG of w x h pixels cycling through the palette, with
// the given tRNS alphas (none when empty), written with libpng.
void WritePalettePng(const std::string& path, int w, int h, const std::vector<uint8_t>& alphas);

std::string ReadBytes(const std::string& path);

}  // namespace imaging_test

#endif
