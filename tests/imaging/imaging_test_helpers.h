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

using testing_support::Masks;
using testing_support::PatternSurface;
using testing_support::kRGB24;
using testing_support::kRGB565;
using testing_support::kRGBA32;
using testing_support::kXRGB32;
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
