// Pixel rows as image, tile and font blocks store them: height rows of
// SDL's pitch, then for 8 bits per pixel the 256-entry palette (red, green,
// blue, unused). Reading checks the stored geometry in 64 bits before any
// byte is trusted; writing takes a software copy that keeps key and alpha.
#ifndef VELTRANO_IMAGING_PIXEL_ROWS_H
#define VELTRANO_IMAGING_PIXEL_ROWS_H

#include <SDL.h>

#include <cstdint>

#include "imaging/pixel_format_record.h"

namespace pixel_rows {

constexpr int kPaletteSize = 256 * 4;

// The stored geometry of an image: its size, format and how many bytes its
// rows and palette take.
struct Geometry {
    int32_t width = 0;
    int32_t height = 0;
    pixel_format_record::Record format{};
    int64_t pitch = 0;
    int64_t pixelBytes = 0;
    int64_t paletteBytes = 0;
    int64_t StoredBytes() const { return pixelBytes + paletteBytes; }
};

// Fills geometry; false for a size that is not positive, a format record
// whose depth and bytes per pixel disagree, whose masks do not fit or whose
// paletted key is beyond the palette, or a pitch SDL cannot hold.
bool Describe(int32_t width, int32_t height, const pixel_format_record::Record& format, Geometry& geometry);

// A software surface of that geometry holding the stored rows (and palette);
// null when SDL cannot make it or would lay it out differently.
SDL_Surface* MakeSurface(const Geometry& geometry, const uint8_t* stored);

// A software copy in the surface's own format that keeps its colour key (a
// surface without SDL_SRCCOLORKEY gets the "no colour key" mark) and
// surface alpha; null when SDL cannot make it.
SDL_Surface* SoftwareCopy(SDL_Surface* surface);

// Bytes WriteRows writes for the surface.
int64_t StoredBytes(const SDL_Surface* surface);

// Writes the surface's rows and, for 8 bits per pixel, its palette.
void WriteRows(SDL_Surface* surface, uint8_t* out);

}  // namespace pixel_rows

#endif
