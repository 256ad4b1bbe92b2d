// The 40-byte little-endian pixel-format record that image, tile and font
// blocks keep beside their pixel rows.
#ifndef VELTRANO_IMAGING_PIXEL_FORMAT_RECORD_H
#define VELTRANO_IMAGING_PIXEL_FORMAT_RECORD_H

#include <SDL.h>

#include <cstdint>

namespace pixel_format_record {

constexpr int kSize = 40;

struct Record {
    uint8_t bitsPerPixel;
    uint8_t bytesPerPixel;
    uint32_t rmask, gmask, bmask, amask;
    uint32_t colorkey;  // 0xFFFFFFFF: no colour key
    uint8_t alpha;
};

// The surface's format with the given colour key and alpha; the first four
// bytes (a memory reference in the original layout) are written as zeros.
void Encode(const SDL_PixelFormat& format, uint32_t colorkey, uint8_t alpha, uint8_t out[kSize]);
Record Decode(const uint8_t in[kSize]);

// Depth and bytes per pixel agree and the masks fit the depth without
// overlapping (masks are not looked at for 8 bits per pixel).
bool IsPlausible(const Record& record);

// SDL's pitch for the width at the record's depth: rows rounded up to 4 bytes.
int64_t Pitch(const Record& record, int64_t width);

}  // namespace pixel_format_record

#endif
