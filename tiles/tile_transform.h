// The transformations a tile can be drawn with, chosen by the top three bits
// of Draw's argument, and the one place that draws them.
#ifndef VELTRANO_TILES_TILE_TRANSFORM_H
#define VELTRANO_TILES_TILE_TRANSFORM_H

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace tile_transform {

enum class Kind { Plain, Flip, Rotate270, Mirror, Rotate90, Rotate180 };

// 0x4... flip, 0x6... 270 degrees, 0x8... mirror, 0xA... 90 degrees,
// 0xC... 180 degrees; 0x0..., 0x2... and 0xE... draw as they are.
Kind FromFlags(uint32_t idAndFlags);

// The cell id below the transformation bits.
constexpr uint32_t kIdMask = 0x1FFFFFFF;

// Draws srcRect of src at dstRect of dst, transformed through the screen
// effects; a plain draw refills lost video memory from backup. 0 when drawn.
int Draw(Kind kind, SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect,
         const std::vector<uint8_t>& backup);

}  // namespace tile_transform

#endif
