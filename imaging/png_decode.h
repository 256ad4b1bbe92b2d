// PNG decoding with libpng into an 8, 24 or 32-bit SDL surface.
#ifndef VELTRANO_IMAGING_PNG_DECODE_H
#define VELTRANO_IMAGING_PNG_DECODE_H

#include <SDL.h>

namespace png_decode {

// Largest image accepted: SDL keeps a surface's pitch in 16 bits, and the
// pixel buffer is bounded so a damaged header cannot ask for gigabytes.
constexpr unsigned kMaxSide = 16383;
constexpr unsigned long long kMaxPixelBytes = 256ull << 20;

// Reads one PNG from the stream's current position. On failure the stream
// is put back where reading began, SDL's error text says why and the
// result is null. The surface carries a colour key when the image's
// transparency gave one.
SDL_Surface* Decode(SDL_RWops* stream);

}  // namespace png_decode

#endif
