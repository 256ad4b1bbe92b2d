// What every loader does to a freshly loaded surface before handing it out:
// conversion to the screen's format while the core's automatic conversion is
// on, the upload to a texture under OpenGL, and the "no colour key" mark.
// Tiles, fonts and sprites finish their sheets the same way.
#ifndef VELTRANO_IMAGING_DISPLAY_FORMAT_H
#define VELTRANO_IMAGING_DISPLAY_FORMAT_H

#include <SDL.h>

#include "core/surface_ptr.h"

namespace display_format {

// The colour key field's value for "no colour key".
constexpr Uint32 kNoColorKey = 0xFFFFFFFF;

// A screen exists and the surface is not in its format: the screen is in
// video memory while the surface is not, or bytes per pixel or a mask differ.
bool DiffersFromScreen(const SDL_Surface* surface);

// Whether the surface blends with its own alpha channel.
bool HasPerPixelAlpha(const SDL_Surface* surface);

// Whether the core converts loaded surfaces and this one needs it.
bool WantsConversion(const SDL_Surface* surface);

// Converts to the screen's format (SDL_DisplayFormatAlpha for per-pixel
// alpha, with format alpha 255 after it; SDL_DisplayFormat otherwise) and
// frees the original. When SDL cannot convert, the original is kept.
SDL_Surface* ConvertToScreen(SDL_Surface* surface);

// Hands the surface to the OpenGL back-end when the core runs on it and
// converts loaded surfaces.
void UploadWhenGL(SDL_Surface* surface);

// Writes "no colour key" into the format's colour key field.
void MarkNoColorKey(SDL_Surface* surface);

// The surface to save: a 32-bit copy of the screen's image when surface is
// the screen under OpenGL (held by owned), else surface itself (owned empty).
SDL_Surface* ReadableSurface(SDL_Surface* surface, SurfacePtr& owned);

}  // namespace display_format

#endif
