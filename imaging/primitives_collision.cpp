// Pixel-exact collision of two images placed on the screen.
#include <algorithm>

#include "Veltrano_IPrimitives.h"
#include "Veltrano_Main.h"
#include "platform/gl_textures.h"
#include "imaging/pixel_access.h"

namespace {

// Inclusive screen-space extent.
struct Span {
    int left, top, right, bottom;
    bool Empty() const { return left > right || top > bottom; }
};

Span BoxSpan(const SDL_Rect& box) { return {box.x, box.y, box.x + box.w - 1, box.y + box.h - 1}; }

Span Intersect(const Span& a, const Span& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// One image inside its surface: where screen point (x, y) reads from.
struct Sampler {
    SDL_Surface* surface;
    int shiftX, shiftY;  // surface coordinate = screen coordinate + shift
    bool perPixelAlpha;

    // The screen-space part whose samples lie inside the surface; checking
    // it once keeps the sampling loop free of bounds tests.
    Span Readable() const { return {-shiftX, -shiftY, surface->w - 1 - shiftX, surface->h - 1 - shiftY}; }

    bool Transparent(int x, int y) const {
        const Uint32 pixel = pixel_access::Read(surface, x + shiftX, y + shiftY);
        if (!perPixelAlpha) return pixel == surface->format->colorkey;
        Uint8 r, g, b, a;
        SDL_GetRGBA(pixel, surface->format, &r, &g, &b, &a);
        return a == 0 || (r == 0 && g == 0 && b == 0);
    }
};

Sampler MakeSampler(SDL_Surface* surface, const SDL_Rect& box, const SDL_Rect* offset) {
    const int offsetX = offset != nullptr ? offset->x : 0;
    const int offsetY = offset != nullptr ? offset->y : 0;
    const bool texture = platform::SurfaceHasTexture(surface);
    const bool perPixel = texture || ((surface->flags & SDL_SRCALPHA) && surface->format->alpha == 255);
    return {surface, offsetX - box.x, offsetY - box.y, perPixel};
}

void Outline(Veltrano_IPrimitives& primitives, const Span& span, Uint8 r, Uint8 b) {
    primitives.RectangleRGBA(Veltrano.screen, static_cast<short>(span.left), static_cast<short>(span.top),
                             static_cast<short>(span.right), static_cast<short>(span.bottom), r, 0, b, 255);
}

// The first sample at or after value on the grid that starts at origin.
int OnGrid(int value, int origin, int step) { return origin + (value - origin + step - 1) / step * step; }

bool OpaquePixelsMeet(const Sampler& a, const Sampler& b, const Span& overlap, int step) {
    const Span area = Intersect(Intersect(overlap, a.Readable()), b.Readable());
    if (area.Empty()) return false;
    // Samples stay on the grid of the whole overlap.
    const int left = OnGrid(area.left, overlap.left, step);
    for (int y = OnGrid(area.top, overlap.top, step); y <= area.bottom; y += step)
        for (int x = left; x <= area.right; x += step)
            if (!a.Transparent(x, y) && !b.Transparent(x, y)) return true;
    return false;
}

}  // namespace

unsigned char Veltrano_IPrimitives::PixelCollision(SDL_Surface* a, SDL_Rect* boxA, SDL_Surface* b, SDL_Rect* boxB,
                                                   unsigned char debug, SDL_Rect* offsetA, SDL_Rect* offsetB) {
    if (boxA == nullptr || boxB == nullptr) return 0;
    const Span spanA = BoxSpan(*boxA);
    const Span spanB = BoxSpan(*boxB);
    if (debug) {
        Outline(*this, spanA, 0, 255);
        Outline(*this, spanB, 0, 255);
    }
    const Span overlap = Intersect(spanA, spanB);
    if (spanA.Empty() || spanB.Empty() || overlap.Empty()) return 0;
    const int step = GetCollisionMethod();
    if (step == 0) return 1;
    if (debug) Outline(*this, overlap, 255, 0);
    if (a == nullptr || b == nullptr) return 0;

    const Sampler samplerA = MakeSampler(a, *boxA, offsetA);
    const Sampler samplerB = MakeSampler(b, *boxB, offsetB);
    // Texture-held surfaces are not locked or read in memory.
    const bool inMemory = !platform::SurfaceHasTexture(a) && !platform::SurfaceHasTexture(b);
    if (inMemory) {
        Lock(a);
        Lock(b);
    }
    const bool hit = inMemory && a->pixels != nullptr && b->pixels != nullptr &&
                     OpaquePixelsMeet(samplerA, samplerB, overlap, step);
    if (inMemory) {
        UnLock(b);
        UnLock(a);
    }
    return hit ? 1 : 0;
}
