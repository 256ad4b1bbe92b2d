// Shared fixture and helpers of the tile tests.
#ifndef VELTRANO_TESTS_OBJECTS_TILE_TEST_HELPERS_H
#define VELTRANO_TESTS_OBJECTS_TILE_TEST_HELPERS_H

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/surface_support.h"

namespace tile_test {

using TileTest = testing_support::SurfaceTest;
using testing_support::FirstPixelDifference;
using testing_support::PixelAt;

using testing_support::Masks;
using testing_support::PatternSurface;
using testing_support::kRGB24;
using testing_support::kRGB565;
using testing_support::kRGBA32;
using testing_support::kXRGB32;

// Whether the w x h area of a at (ax, ay) has the colours of b's at (bx, by).
bool SameArea(SDL_Surface* a, int ax, int ay, SDL_Surface* b, int bx, int by, int w, int h);

// Adds bytes as a block of the archive file (made when missing), stored raw.
void AddRawBlock(const std::string& archive, const std::string& name, const std::string& type,
                 const std::vector<uint8_t>& bytes);
// The names and types of the live blocks, "name/type" each, in file order.
std::vector<std::string> LiveBlocks(const std::string& archive);
// The bytes of a block as the game sees them (empty when it is missing).
std::vector<uint8_t> BlockBytes(const std::string& archive, const std::string& name, const std::string& type);

// A version 1 block of a 24-bit surface: the 64-byte header, the rows.
std::vector<uint8_t> Version1Block(SDL_Surface* surface, int posX, int posY, int tileSet, int step,
                                   uint32_t colorKey, uint8_t alpha);

}  // namespace tile_test

#endif
