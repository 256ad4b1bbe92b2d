// Shared fixture and helpers of the imaging tests.
#ifndef VELTRANO_TESTS_IMAGING_TEST_HELPERS_H
#define VELTRANO_TESTS_IMAGING_TEST_HELPERS_H

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/surface_support.h"

namespace imaging_test {

using ImagingTest = testing_support::SurfaceTest;
using testing_support::FirstPixelDifference;
using testing_support::PixelAt;

struct Masks {
    Uint32 r, g, b, a;
};

// A software surface whose every pixel holds a different, deterministic
// value the format can represent (8-bit surfaces get a varied palette).
SDL_Surface* PatternSurface(int w, int h, int depth, Masks masks, uint32_t seed = 1);
// Whether every RGB(A) of the two surfaces agrees through SDL_GetRGBA,
// within tolerance.
bool SameColors(SDL_Surface* a, SDL_Surface* b, bool compareAlpha, int tolerance = 0);
// Counts pixels holding the value.
int CountPixels(SDL_Surface* surface, Uint32 value);

// An 8-bit palette PNG of w x h pixels cycling through the palette, with
// the given tRNS alphas (none when empty), written with libpng.
void WritePalettePng(const std::string& path, int w, int h, const std::vector<uint8_t>& alphas);

std::string ReadBytes(const std::string& path);

}  // namespace imaging_test

#endif
