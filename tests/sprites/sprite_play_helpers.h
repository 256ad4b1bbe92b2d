// Fixture and helpers of the tests of playing sprites: a sheet whose frames
// each have a colour of their own, so a drawn frame can be told by a pixel.
#ifndef VELTRANO_TESTS_OBJECTS_SPRITE_PLAY_HELPERS_H
#define VELTRANO_TESTS_OBJECTS_SPRITE_PLAY_HELPERS_H

#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <vector>

#include "Veltrano_CSprite.h"
#include "support/surface_support.h"

namespace sprite_play {

using testing_support::ManualClock;
using testing_support::PixelAt;

constexpr int kFrameSize = 8;

// The colour of a frame: neither black (the key of a made sprite) nor white.
Uint32 FrameColor(int row, int column);
// A 32-bit sheet of rows x columns frames of kFrameSize pixels, each filled
// with its colour except a white pixel at its bottom-right corner.
SDL_Surface* FrameSheet(int columns, int rows);
// "row * 100 + column" of the frame whose colour is at (x, y), -1 if none.
int FrameAt(SDL_Surface* surface, int x, int y);
// A black 32-bit software surface.
SDL_Surface* BlackSurface(int width, int height);

// An initialised SDK, a manual clock and a sprite of 3 Loop animations
// (state ids 0x8000..0x8002) of 4 frames, 100 ms each, drawn at 0,0 on a
// black 64 x 64 target.
class SpritePlayTest : public testing_support::SurfaceTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Draws on the target and answers which frame is at the sprite's corner.
    int DrawnFrame();
    // Draws `draws` times, the clock advanced between draws; the frames shown.
    std::vector<int> PlayedFrames(int draws, uint32_t millisecondsPerDraw);

    // A screen of this depth is opened before the sprite is made (0: none).
    int screenDepth = 0;
    ManualClock clock{1000};
    std::unique_ptr<Veltrano_CSprite> sprite;
    SDL_Surface* target = nullptr;
};

}  // namespace sprite_play

#endif
