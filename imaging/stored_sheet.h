// Steps the makers and loaders of tiles, sprites, fonts and the cursor
// share: reading an image as it is stored, copying a caller's surface, and
// bringing a stored sheet without per-pixel alpha into the form the SDK
// draws.
#ifndef VELTRANO_IMAGING_STORED_SHEET_H
#define VELTRANO_IMAGING_STORED_SHEET_H

#include <SDL.h>

#include <cstdint>

#include "core/video_surface.h"

namespace stored_sheet {

// Runs a surface load with the core's automatic conversion off, then puts
// the setting back as it was: the surface comes as it is stored.
template <typename Load>
SDL_Surface* LoadUnconverted(Load load) {
    const bool converting = video_surface::AutomaticConversion();
    video_surface::SetAutomaticConversion(false);
    SDL_Surface* surface = load();
    video_surface::SetAutomaticConversion(converting);
    return surface;
}

// Reads a BMP (or, when allowed, PNG) file as it is stored; null when it is
// no such image.
SDL_Surface* ReadImageFile(const char* file, bool pngAllowed = true);

// A copy in the source's own format and flags that keeps its surface alpha
// as well as its key; null when SDL cannot make it.
SDL_Surface* CopyOf(SDL_Surface* source);

// A 32-bit surface without per-pixel alpha becomes 24 bits (SDL's default
// masks); the 32-bit one is freed. Kept as it is when SDL cannot copy it.
SDL_Surface* ReduceTo24Bits(SDL_Surface* surface);

// Surface alpha: 255 switches blending off.
void SetSurfaceAlpha(SDL_Surface* surface, uint8_t alpha);

}  // namespace stored_sheet

#endif
