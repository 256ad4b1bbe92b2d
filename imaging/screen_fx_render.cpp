// RenderFX: twelve per-frame effects from a source onto a destination (which
// may be the same surface), some animated by a module frame counter.
#include <cmath>
#include <cstdlib>

#include "Veltrano_IPrimitives.h"
#include "Veltrano_IScreenFX.h"
#include "Veltrano_Main.h"
#include "platform/gl_transform.h"
#include "imaging/pixel_access.h"
#include "imaging/screen_fx_internal.h"
#include "imaging/screen_fx_render.h"

namespace screen_fx {
namespace {

int frameCounter = 0;

}  // namespace

int FrameCounter() { return frameCounter; }

void ResetFrameCounter() { frameCounter = 0; }

namespace {

Rgba ReadColor(SDL_Surface* surface, int x, int y) {
    return Decode(surface->format, pixel_access::Read(surface, x, y));
}

// Writes like PutPixelColor: nothing outside the surface or its clip rectangle.
void WriteColor(SDL_Surface* surface, int x, int y, Rgba color) {
    if (pixel_access::InsideClip(surface, x, y)) pixel_access::Write(surface, x, y, Encode(surface->format, color));
}

// Both surfaces locked (once when they are the same) for the lifetime of the object.
struct LockedPair {
    SurfaceLock first, second;
    LockedPair(SDL_Surface* src, SDL_Surface* dst) : first(src), second(src == dst ? nullptr : dst) {}
};

// Every source pixel recoloured to the same place of dst.
template <typename Recolor>
void RecolorEachPixel(SDL_Surface* src, SDL_Surface* dst, Recolor recolor) {
    LockedPair lock(src, dst);
    if (src->pixels == nullptr || dst->pixels == nullptr) return;
    for (int y = 0; y < src->h; ++y)
        for (int x = 0; x < src->w; ++x) WriteColor(dst, x, y, recolor(ReadColor(src, x, y), x, y));
}

Rgba Grey(Rgba c, int level) { return Rgba{ClampByte(level), ClampByte(level), ClampByte(level), c.a}; }

Rgba Posterize(Rgba c, int, int) {
    return Rgba{Uint8(c.r / 85 * 85), Uint8(c.g / 85 * 85), Uint8(c.b / 85 * 85), c.a};
}

Rgba ColorMask(Rgba c, int x, int y) {
    switch ((x + y) % 3) {
        case 0: return Rgba{c.r, Uint8(c.g / 2), Uint8(c.b / 2), c.a};
        case 1: return Rgba{Uint8(c.r / 2), c.g, Uint8(c.b / 2), c.a};
        default: return Rgba{Uint8(c.r / 2), Uint8(c.g / 2), c.b, c.a};
    }
}

Rgba Negative(Rgba c, int, int) { return Rgba{Uint8(255 - c.r), Uint8(255 - c.g), Uint8(255 - c.b), c.a}; }

Rgba Average(Rgba c, int, int) { return Grey(c, (c.r + c.g + c.b) / 3); }

Rgba DarkGrey(Rgba c, int, int) { return Grey(c, (77 * c.r + 153 * c.g + 6 * c.b) / 765); }

Rgba BlackAndWhite(Rgba c, int, int) { return Grey(c, (c.r + c.g + c.b) / 3 > 127 ? 255 : 0); }

// Each row shifted horizontally along a cosine that moves with the frames.
void Wave(SDL_Surface* src, SDL_Surface* dst) {
    for (int y = 0; y < src->h && y <= INT16_MAX; ++y) {
        const double degrees = 8.0 * frameCounter + 2.0 * y;
        SDL_Rect row{0, static_cast<Sint16>(y), static_cast<Uint16>(src->w), 1};
        SDL_Rect at{static_cast<Sint16>(static_cast<int>(20 * std::cos(degrees * 3.1416 / 180))),
                    static_cast<Sint16>(y), 0, 0};
        Veltrano.Blit(src, &row, dst, &at);
    }
}

// Blocks growing from 1 to 11 pixels and back over 80 frames.
int PixelateSize() {
    const int phase = frameCounter / 4 % 20;
    return phase <= 9 ? phase + 1 : 21 - phase;
}

void Pixelate(SDL_Surface* src, SDL_Surface* dst) {
    const int size = PixelateSize();
    if (size < 2) {
        if (src != dst) Veltrano.Blit(src, nullptr, dst, nullptr);
        return;
    }
    SurfaceLock lock(src);
    if (src->pixels == nullptr) return;
    for (int y = 0; y < dst->h && y < src->h && y <= INT16_MAX; y += size)
        for (int x = 0; x < dst->w && x < src->w && x <= INT16_MAX; x += size) {
            SDL_Rect block{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(size),
                           static_cast<Uint16>(size)};
            SDL_FillRect(dst, &block, Encode(dst->format, ReadColor(src, x, y)));
        }
}

// Each row averaged over four pixels and moved right by 0..3 pixels.
void Smear(SDL_Surface* src, SDL_Surface* dst) {
    LockedPair lock(src, dst);
    if (src->pixels == nullptr || dst->pixels == nullptr) return;
    for (int y = 0; y < src->h; ++y) {
        const int shift = std::rand() % 4;
        for (int x = 3; x < src->w; ++x) {
            int r = 0, g = 0, b = 0, a = 0;
            for (int i = x - 3; i <= x; ++i) {
                const Rgba c = ReadColor(src, i, y);
                r += c.r, g += c.g, b += c.b, a += c.a;
            }
            WriteColor(dst, x + shift, y, Rgba{Uint8(r / 4), Uint8(g / 4), Uint8(b / 4), Uint8(a / 4)});
        }
    }
}

// Every whole 2 x 2 block takes its top-left pixel recoloured to the hue,
// with saturation and value pulled towards the middle.
void Tint(SDL_Surface* src, SDL_Surface* dst, float hue) {
    LockedPair lock(src, dst);
    if (src->pixels == nullptr || dst->pixels == nullptr) return;
    for (int y = 0; y + 1 < src->h; y += 2)
        for (int x = 0; x + 1 < src->w; x += 2) {
            const Rgba c = ReadColor(src, x, y);
            float h, s, v;
            IPrimitives->RGBtoHSV(c.r, c.g, c.b, &h, &s, &v);
            Rgba tinted{0, 0, 0, c.a};
            IPrimitives->HSVtoRGB(hue, s * 0.5f + 0.5f, v * 0.5f + 0.25f, &tinted.r, &tinted.g, &tinted.b);
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) WriteColor(dst, x + dx, y + dy, tinted);
        }
}

void TintTexture(SDL_Surface* src, Uint8 r, Uint8 g, Uint8 b) {
    platform::TextureTransform tinted;
    tinted.modulateR = r, tinted.modulateG = g, tinted.modulateB = b;
    platform::BlitTextureTransformed(src, nullptr, Veltrano.screen, nullptr, tinted);
}

// The per-pixel effects a texture cannot give.
bool NeedsPixels(int effect) { return effect == 1 || (effect >= 4 && effect <= 9); }

}  // namespace
}  // namespace screen_fx

using namespace screen_fx;

void Veltrano_IScreenFX::RenderFX(SDL_Surface* src, SDL_Surface* dst, int effect) {
    if (src == nullptr || dst == nullptr) return;
    const bool texture = Veltrano.IsTexture(src) != 0;
    if (texture && NeedsPixels(effect)) return;
    switch (effect) {
        case 1: RecolorEachPixel(src, dst, Posterize); break;
        case 2: Wave(src, dst); break;
        case 3: Pixelate(src, dst); break;
        case 4: RecolorEachPixel(src, dst, ColorMask); break;
        case 5: Smear(src, dst); break;
        case 6: RecolorEachPixel(src, dst, Negative); break;
        case 7: RecolorEachPixel(src, dst, Average); break;
        case 8: RecolorEachPixel(src, dst, DarkGrey); break;
        case 9: RecolorEachPixel(src, dst, BlackAndWhite); break;
        case 10: texture ? TintTexture(src, 255, 128, 128) : Tint(src, dst, 40.0f); break;
        case 11: texture ? TintTexture(src, 128, 255, 128) : Tint(src, dst, 110.0f); break;
        case 12: texture ? TintTexture(src, 128, 128, 255) : Tint(src, dst, 240.0f); break;
        default: break;
    }
    ++frameCounter;
}
