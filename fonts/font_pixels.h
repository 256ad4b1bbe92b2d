// Pixel access on a font's own surface and the marking of the gaps between
// glyphs: every empty column gets a magenta pixel in the top row.
#ifndef VELTRANO_FONTS_FONT_PIXELS_H
#define VELTRANO_FONTS_FONT_PIXELS_H

#include <SDL.h>

// 1 to 4 bytes per pixel, locking when SDL requires it. A failed read logs
// and answers 0; a failed write logs and changes nothing.
Uint32 CFontGetPixel(SDL_Surface* surface, int x, int y);
void CFontSetPixel(SDL_Surface* surface, int x, int y, Uint32 pixel);

// Marks the empty columns of image and returns the number of changes between
// empty and non-empty columns (189 for a well-formed font image).
int CreateUpperMark(SDL_Surface* image);

namespace font_pixels {

// Red 255, green 0, blue 255 in the surface's format.
Uint32 Magenta(const SDL_Surface* surface);

// Whether the column's top pixel is the magenta mark.
bool IsMarkColumn(SDL_Surface* surface, int x);

// The number of changes that a well-formed image gives: an empty first
// column, then 94 glyphs each followed by empty columns.
constexpr int kWellFormedChanges = 189;

}  // namespace font_pixels

#endif
