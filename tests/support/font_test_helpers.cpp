#include "support/font_test_helpers.h"

#include "Veltrano_Main.h"
#include "imaging/pixel_access.h"

namespace font_test {

void FontTest::SetUp() { ASSERT_EQ(Veltrano.Init(SDL_INIT_VIDEO), 1); }

void FontTest::TearDown() {
    Veltrano.SurfaceAutomaticConversion(1);
    Veltrano.Quit();
}

int GlyphWidth(int k) { return 1 + k % 4; }

int GlyphStart(const FontImage& spec, int k) {
    int x = 1;  // the empty first column
    for (int i = 0; i < k; ++i) x += GlyphWidth(i) + spec.gap;
    return x;
}

int ImageWidth(const FontImage& spec) { return GlyphStart(spec, spec.glyphs); }

SDL_Color GlyphColor(int k) {
    return {static_cast<Uint8>(20 + 2 * k), static_cast<Uint8>(250 - 2 * k), static_cast<Uint8>(60 + k), 0};
}

bool GlyphInk(int k, int column, int row) { return row == 1 || (row + column + k) % 3 == 0; }

SDL_Surface* MakeFontImage(const FontImage& spec) {
    Uint32 r = 0xFF0000, g = 0xFF00, b = 0xFF, a = 0;
    if (spec.depth == 16) r = 0xF800, g = 0x07E0, b = 0x001F;
    if (spec.depth == 32 && spec.alphaChannel) a = 0xFF000000;
    const int width = ImageWidth(spec);
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, width, spec.height, spec.depth, r, g, b, a);
    if (image == nullptr) return nullptr;
    SDL_FillRect(image, nullptr, SDL_MapRGBA(image->format, 0, 0, 0, 0));
    const Uint32 magenta = SDL_MapRGB(image->format, 255, 0, 255);
    int x = 0;
    for (int k = 0; k <= spec.glyphs; ++k) {
        const int start = k < spec.glyphs ? GlyphStart(spec, k) : width;
        for (; x < start; ++x)
            if (spec.markRow) pixel_access::Write(image, x, 0, magenta);
        if (k == spec.glyphs) break;
        const SDL_Color c = GlyphColor(k);
        const Uint32 ink = SDL_MapRGBA(image->format, c.r, c.g, c.b, 255);
        for (int column = 0; column < GlyphWidth(k); ++column, ++x)
            for (int row = 1; row < spec.height; ++row)
                if (GlyphInk(k, column, row)) pixel_access::Write(image, x, row, ink);
    }
    return image;
}

SDL_Surface* MakeTarget(int w, int h, SDL_Color fill) {
    SDL_Surface* target = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, fill.r, fill.g, fill.b));
    return target;
}

SDL_Color ColorAt(SDL_Surface* surface, int x, int y) {
    SDL_Color c{0, 0, 0, 0};
    SDL_GetRGB(PixelAt(surface, x, y), surface->format, &c.r, &c.g, &c.b);
    return c;
}

bool SameColor(SDL_Color a, SDL_Color b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

int CountMagenta(SDL_Surface* surface) {
    int count = 0;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) count += SameColor(ColorAt(surface, x, y), {255, 0, 255, 0});
    return count;
}

}  // namespace font_test
