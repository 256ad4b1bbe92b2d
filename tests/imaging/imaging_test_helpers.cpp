#include "imaging/imaging_test_helpers.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "Veltrano_Main.h"
#include "imaging/pixel_access.h"

namespace imaging_test {

bool SameColors(SDL_Surface* a, SDL_Surface* b, bool compareAlpha, int tolerance) {
    if (a->w != b->w || a->h != b->h) return false;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x) {
            Uint8 c1[4], c2[4];
            SDL_GetRGBA(PixelAt(a, x, y), a->format, &c1[0], &c1[1], &c1[2], &c1[3]);
            SDL_GetRGBA(PixelAt(b, x, y), b->format, &c2[0], &c2[1], &c2[2], &c2[3]);
            for (int i = 0; i < (compareAlpha ? 4 : 3); ++i)
                if (std::abs(c1[i] - c2[i]) > tolerance) return false;
        }
    return true;
}

int CountPixels(SDL_Surface* surface, Uint32 value) {
    int count = 0;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) count += PixelAt(surface, x, y) == value;
    return count;
}

void WritePalettePng(const std::string& path, int w, int h, const std::vector<uint8_t>& alphas) {
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, out);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color palette[16];
    for (int i = 0; i < 16; ++i)
        palette[i] = {static_cast<png_byte>(i * 16), static_cast<png_byte>(255 - i * 16), static_cast<png_byte>(i * 5)};
    png_set_PLTE(png, info, palette, 16);
    if (!alphas.empty())
        png_set_tRNS(png, info, const_cast<png_bytep>(alphas.data()), static_cast<int>(alphas.size()), nullptr);
    png_write_info(png, info);
    std::vector<png_byte> row(w);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) row[x] = static_cast<png_byte>((x + y) % 16);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(out);
}

std::string ReadBytes(const std::string& path) { return testing_support::ReadFile(path); }

}  // namespace imaging_test
