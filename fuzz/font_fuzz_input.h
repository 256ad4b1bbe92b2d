// How the font fuzz target turns bytes into a small surface for the cutter
// (shared with the test that keeps its seeds meaningful):
//   depth selector (16, 24, 32, 32 with an alpha channel), width - 1 (two
//   bytes, little-endian, modulo 1024), height - 1 (modulo 32), flags (bit 0
//   alpha channel at 32 bits, bit 1 magenta mark row), then pixel bytes
//   filling the rows in memory order. With the mark row, column 0 and every
//   column whose first stored byte is odd get a magenta top pixel.
#ifndef VELTRANO_FUZZ_FONT_FUZZ_INPUT_H
#define VELTRANO_FUZZ_FONT_FUZZ_INPUT_H

#include <SDL.h>

#include <cstdint>
#include <cstring>

inline SDL_Surface* FontFuzzSurface(const uint8_t* data, size_t size) {
    if (size < 5) return nullptr;
    const int depths[4] = {16, 24, 32, 32};
    const int depth = depths[data[0] % 4];
    const int width = 1 + ((data[1] | data[2] << 8) % 1024);
    const int height = 1 + data[3] % 32;
    const bool alpha = depth == 32 && (data[4] & 1);
    const bool markRow = (data[4] & 2) != 0;
    Uint32 r = 0xFF0000, g = 0xFF00, b = 0xFF;
    if (depth == 16) r = 0xF800, g = 0x07E0, b = 0x001F;
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, depth, r, g, b, alpha ? 0xFF000000 : 0);
    if (image == nullptr) return nullptr;
    const size_t pixelBytes = static_cast<size_t>(image->pitch) * height;
    std::memcpy(image->pixels, data + 5, size - 5 < pixelBytes ? size - 5 : pixelBytes);
    if (markRow) {
        const Uint32 magenta = SDL_MapRGB(image->format, 255, 0, 255);
        auto* row = static_cast<uint8_t*>(image->pixels);
        const int bytes = image->format->BytesPerPixel;
        for (int x = 0; x < width; ++x)
            if (x == 0 || (row[x * bytes] & 1)) std::memcpy(row + x * bytes, &magenta, bytes);
    }
    return image;
}

#endif
