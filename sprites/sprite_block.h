// The sprite's block layouts, little-endian. Version 2 ("SPR2"): frame
// width, frame height, x, y, animation count, sheet width (4 bytes each);
// per animation a 64-byte record followed by its 16-byte frame records; the
// 40-byte pixel-format record holding key and alpha; the sheet's rows (and
// the palette for 8 bits per pixel). Version 1 ("SPR") has the same header,
// 12-byte animation records followed by 4-byte frame times, the format
// record (a key of 0 meaning none) and the rows.
#ifndef VELTRANO_SPRITES_SPRITE_BLOCK_H
#define VELTRANO_SPRITES_SPRITE_BLOCK_H

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "imaging/pixel_rows.h"
#include "sprites/sprite_state.h"

namespace sprite_block {

constexpr int kHeaderSize = 24;
constexpr int kAnimSize = 64;
constexpr int kFrameSize = 16;

// A block read and checked against its own counts and sizes.
struct Contents {
    int32_t frameWidth = 0;
    int32_t frameHeight = 0;
    int32_t posX = 0;
    int32_t posY = 0;
    std::vector<SpriteAnim> anims;
    pixel_rows::Geometry geometry;           // the whole sheet
    const uint8_t* formatRecord = nullptr;   // inside the block's bytes
    const uint8_t* rows = nullptr;           // inside the block's bytes
};

// Reads a version 2 block (version1 false) or a version 1 one. False with
// the reason (a sentence without full stop) when any count or size does
// not agree with the block.
bool Read(const uint8_t* bytes, int64_t size, bool version1, Contents& contents, const char** reason);

// The version 2 block of a version 1 block that Read accepted: ranges over
// all frames, hot spot 0,0, a key of 0 turned into "none".
std::vector<uint8_t> Upgrade(const Contents& version1);

// The version 2 block of a sprite's sheet copy (software, its key and alpha
// in its format) and animations.
struct Fields {
    int32_t frameWidth, frameHeight, posX, posY;
    uint32_t colorKey;
    uint8_t alpha;
};
std::vector<uint8_t> Build(SDL_Surface* sheet, const Fields& fields, const std::vector<SpriteAnim>& anims);

}  // namespace sprite_block

#endif
