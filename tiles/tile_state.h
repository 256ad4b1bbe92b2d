// The private record of a tile and the steps its creation and loading share.
#ifndef VELTRANO_TILES_TILE_STATE_H
#define VELTRANO_TILES_TILE_STATE_H

#include <SDL.h>

#include <cstdint>
#include <vector>

struct TileState {
    int32_t posX = 0;
    int32_t posY = 0;
    SDL_Surface* surface = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t alpha = 255;
    int32_t colorKey = -1;
    bool loaded = false;
    char name[32] = {};
    bool perPixelAlpha = false;
    // The surface's pixels, for refilling video memory that was lost.
    std::vector<uint8_t> backup;
    bool tileSet = false;
    int32_t tilesPerRow = 0;
    int32_t tilesPerColumn = 0;
    int32_t cellCount = 0;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
};

namespace tile_state {

// Takes the finished surface: size, name (cut to the field), the backup when
// the core checks for lost surfaces, and the loaded mark.
void Adopt(TileState& tile, SDL_Surface* surface, const char* name);

// Copies name into the field, cut to 31 characters.
void StoreName(TileState& tile, const char* name);

// The backup of the surface's pixels when the core checks for lost surfaces.
void RefreshBackup(TileState& tile);

}  // namespace tile_state

#endif
