// Noise, GammaCorrect and Blur: in-place filters on the colour channels of
// any surface held in memory. Alpha is left as it is.
#include <cstdlib>
#include <vector>

#include "Veltrano_IScreenFX.h"
#include "Veltrano_Main.h"
#include "imaging/pixel_access.h"
#include "imaging/screen_fx_internal.h"

namespace screen_fx {
namespace {

bool FilterRefused(SDL_Surface* surface) { return surface == nullptr || Veltrano.IsTexture(surface); }

// Amounts are compared unsigned, so negative ones are refused too.
bool Above(int value, unsigned int limit) { return static_cast<unsigned int>(value) > limit; }

// Hands every pixel's colour to change (which says whether it changed it)
// and writes back only changed pixels, so a palette surface whose colours
// stay keeps its exact indices.
template <typename Change>
void ChangeEachPixel(SDL_Surface* surface, Change change) {
    SurfaceLock lock(surface);
    if (surface->pixels == nullptr) return;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) {
            Rgba color = Decode(surface->format, pixel_access::Read(surface, x, y));
            if (change(color)) pixel_access::Write(surface, x, y, Encode(surface->format, color));
        }
}

template <typename Adjust>
bool AdjustChannels(Rgba& color, Adjust adjust) {
    const Rgba before = color;
    color.r = adjust(color.r, 0);
    color.g = adjust(color.g, 1);
    color.b = adjust(color.b, 2);
    return color.r != before.r || color.g != before.g || color.b != before.b;
}

}  // namespace
}  // namespace screen_fx

using namespace screen_fx;

int Veltrano_IScreenFX::Noise(SDL_Surface* surface, int amount) {
    if (FilterRefused(surface) || Above(amount, 100)) return 0;
    // No noise at all: the formula's modulo has nothing to draw from.
    if (amount == 0) return 1;
    ChangeEachPixel(surface, [amount](Rgba& color) {
        return AdjustChannels(color, [amount](Uint8 value, int) {
            if (value < 31 || value > 219) return value;
            return ClampByte(value + std::rand() % amount - amount / 2);
        });
    });
    return 1;
}

int Veltrano_IScreenFX::GammaCorrect(SDL_Surface* surface, int red, int green, int blue) {
    if (FilterRefused(surface) || Above(red, 255) || Above(green, 255) || Above(blue, 255)) return 0;
    const int percent[3] = {red, green, blue};
    ChangeEachPixel(surface, [&percent](Rgba& color) {
        return AdjustChannels(color, [&percent](Uint8 value, int channel) {
            if (value < 71 || value > 179) return value;
            return ClampByte(value * percent[channel] / 100);
        });
    });
    return 1;
}

namespace {

// The surface's colours, updated as the blur writes, so each pixel sees its
// upper and left neighbours already blurred (as written to the surface).
struct ColorGrid {
    int w, h;
    std::vector<Rgba> colors;
    const Rgba& At(int x, int y) const {
        x = x < 0 ? 0 : x >= w ? w - 1 : x;
        y = y < 0 ? 0 : y >= h ? h - 1 : y;
        return colors[static_cast<size_t>(y) * w + x];
    }
};

// Each term of a blurred channel is an integer division of its own.
struct BlurWeights {
    int neighbour[256];
    int centre[256];
    explicit BlurWeights(int amount) {
        const int weight = amount / 8;
        for (int v = 0; v < 256; ++v) {
            neighbour[v] = weight * v / 100;
            centre[v] = v * (100 - amount) / 100;
        }
    }
};

Rgba BlurredColor(const ColorGrid& grid, const BlurWeights& weights, int x, int y) {
    const Rgba& centre = grid.At(x, y);
    int r = weights.centre[centre.r], g = weights.centre[centre.g], b = weights.centre[centre.b];
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx == 0 && dy == 0) continue;
            const Rgba& n = grid.At(x + dx, y + dy);
            r += weights.neighbour[n.r];
            g += weights.neighbour[n.g];
            b += weights.neighbour[n.b];
        }
    return Rgba{ClampByte(r), ClampByte(g), ClampByte(b), centre.a};
}

}  // namespace

int Veltrano_IScreenFX::Blur(SDL_Surface* surface, int amount) {
    if (FilterRefused(surface) || Above(amount, 100)) return 0;
    if (amount == 0) return 1;
    SurfaceLock lock(surface);
    if (surface->pixels == nullptr) return 1;
    ColorGrid grid{surface->w, surface->h, {}};
    grid.colors.reserve(static_cast<size_t>(surface->w) * surface->h);
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) grid.colors.push_back(Decode(surface->format, pixel_access::Read(surface, x, y)));
    const BlurWeights weights(amount);
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) {
            const Uint32 pixel = Encode(surface->format, BlurredColor(grid, weights, x, y));
            pixel_access::Write(surface, x, y, pixel);
            grid.colors[static_cast<size_t>(y) * grid.w + x] = Decode(surface->format, pixel);
        }
    return 1;
}
