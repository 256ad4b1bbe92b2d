// Shared fixture and helpers of the sprite tests.
#ifndef VELTRANO_TESTS_OBJECTS_SPRITE_TEST_HELPERS_H
#define VELTRANO_TESTS_OBJECTS_SPRITE_TEST_HELPERS_H

#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "Veltrano_CSprite.h"

#include "support/tile_test_helpers.h"

namespace sprite_test {

using SpriteTest = testing_support::SurfaceTest;
using testing_support::FirstPixelDifference;
using testing_support::PixelAt;
using tile_test::Masks;

// A sheet of frameWidth x frameHeight frames, one row per entry of
// framesPerRow: that many painted frames (varied pixels), the rest of the
// row one flat background colour. The width holds the longest row plus
// spareColumns empty frames.
SDL_Surface* SheetSurface(int frameWidth, int frameHeight, const std::vector<int>& framesPerRow, int depth,
                          Masks masks, int spareColumns = 1);

// What the information dump tells of one animation.
struct AnimSummary {
    int state;
    int frameCount;
    int startFrame;  // from 1, as the dump prints it
    int endFrame;
    int hotSpotX, hotSpotY;
    std::vector<int> times;
    std::string type;
};

// The animations of the sprite, read back from its information dump.
std::vector<AnimSummary> Animations(Veltrano_CSprite& sprite, testing_support::LogCapture& log);

}  // namespace sprite_test

#endif
