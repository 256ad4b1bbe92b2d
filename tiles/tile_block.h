// The tile's block layout. Version 2 ("TILE2", "TILB2"), little-endian:
// width, height, posX, posY, grid flag, grid step x (4 bytes each), the
// 40-byte pixel-format record holding the tile's alpha and key, the pixel
// rows (and the palette for 8 bits per pixel), grid step y, 60 zero bytes.
// Version 1 ("TILE", "TILB") ends after the rows: its one grid step serves
// both directions and a key of 0 means none.
#ifndef VELTRANO_TILES_TILE_BLOCK_H
#define VELTRANO_TILES_TILE_BLOCK_H

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "imaging/pixel_rows.h"

namespace tile_block {

constexpr int kHeaderSize = 64;
// What version 2 adds behind the rows: grid step y and the zero tail.
constexpr int kTrailerSize = 64;

// A block read and checked against its own header.
struct Contents {
    int32_t posX = 0;
    int32_t posY = 0;
    bool tileSet = false;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
    pixel_rows::Geometry geometry;
    const uint8_t* rows = nullptr;  // inside the block's bytes
};

// Reads a version 2 block (version1 false) or a version 1 block; false when
// it is shorter or longer than its header says, or its format is unusable.
bool Read(const uint8_t* bytes, int64_t size, bool version1, Contents& contents);

// The version 2 form of a whole version 1 block: 64 zero bytes more, the
// one grid step copied into grid step y, a key of 0 turned into "none".
std::vector<uint8_t> Upgrade(const uint8_t* bytes, int64_t size);

// What the tile's fields describe, for a version 2 block.
struct Fields {
    int32_t posX, posY;
    bool tileSet;
    int32_t offsetX, offsetY;
    uint32_t colorKey;
    uint8_t alpha;
};

// The version 2 block of a software surface (its rows read as they are).
std::vector<uint8_t> Build(SDL_Surface* surface, const Fields& fields);

}  // namespace tile_block

#endif
