// Mirror, Flip and Resize: new surfaces made from a source rectangle, in
// 16.16 fixed point for the scaling.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Veltrano_IScreenFX.h"
#include "Veltrano_Main.h"
#include "core/surface_ptr.h"
#include "platform/gl_transform.h"
#include "imaging/screen_fx_internal.h"
#include "imaging/screen_fx_transform.h"
#include "veltrano_cpu.h"

namespace screen_fx {

bool Refused(SDL_Surface* src, SDL_Surface* dst) { return src == nullptr || src == dst; }

SDL_Surface* DrawTexture(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect,
                         const platform::TextureTransform& transform, int shiftX, int shiftY) {
    SDL_Rect at = dstRect ? *dstRect : SDL_Rect{0, 0, 0, 0};
    at.x = static_cast<Sint16>(at.x + shiftX);
    at.y = static_cast<Sint16>(at.y + shiftY);
    platform::BlitTextureTransformed(src, srcRect, Veltrano.screen, &at, transform);
    return dst;
}

namespace {

int SourceWidth(SDL_Surface* src, SDL_Rect* srcRect) { return ClipSource(src, srcRect).w; }
int SourceHeight(SDL_Surface* src, SDL_Rect* srcRect) { return ClipSource(src, srcRect).h; }

Uint8* PixelAddress(SDL_Surface* surface, int x, int y) {
    return Row8(surface, y) + x * surface->format->BytesPerPixel;
}

// The new surface of an area's size in the source's format, or null.
SDL_Surface* ResultFor(SDL_Surface* src, const Area& area) {
    return area.Empty() ? nullptr : CreateLike(src, area.w, area.h);
}

// Source positions (16.16 steps of size * 65536 / count, integer part) of
// count result pixels; reversed for a flip, so a flipped result is exactly
// the mirror of the unflipped one.
std::vector<int> NearestPositions(int size, int count, bool flip) {
    std::vector<int> positions(count);
    const int64_t step = int64_t{size} * 65536 / count;
    for (int i = 0; i < count; ++i) positions[flip ? count - 1 - i : i] = static_cast<int>((i * step) >> 16);
    return positions;
}

template <typename Pixel>
void ScaleNearest(SDL_Surface* src, const Area& area, SDL_Surface* out, bool flipX, bool flipY) {
    const std::vector<int> columns = NearestPositions(area.w, out->w, flipX);
    const std::vector<int> rows = NearestPositions(area.h, out->h, flipY);
    // Sizes and the column table in locals: the stores below may alias
    // anything reached through a pointer, which would reload them each pixel.
    const int width = out->w, height = out->h;
    const int* const column = columns.data();
    const size_t rowBytes = static_cast<size_t>(width) * sizeof(Pixel);
    for (int y = 0; y < height; ++y) {
        Pixel* target = reinterpret_cast<Pixel*>(Row8(out, y));
        // An enlarged result repeats source rows: copy the row just made.
        if (y > 0 && rows[y] == rows[y - 1]) {
            std::memcpy(target, Row8(out, y - 1), rowBytes);
            continue;
        }
        const Pixel* in = reinterpret_cast<const Pixel*>(PixelAddress(src, area.x, area.y + rows[y]));
        for (int x = 0; x < width; ++x) target[x] = in[column[x]];
    }
}

// Bilinear sampling positions along one axis: the pixel, its next neighbour
// (the last pixel repeats) and the 16-bit fraction between them.
struct Sample {
    int first, second, fraction;
};

std::vector<Sample> SmoothPositions(int size, int count) {
    std::vector<Sample> samples(count);
    const int64_t step = int64_t{size - 1} * 65536 / count;
    for (int i = 0; i < count; ++i) {
        const int64_t position = i * step;
        const int first = static_cast<int>(position >> 16);
        samples[i] = Sample{first, first + 1 < size ? first + 1 : size - 1, static_cast<int>(position & 0xFFFF)};
    }
    return samples;
}

void ScaleSmooth32(SDL_Surface* src, const Area& area, SDL_Surface* out) {
    const std::vector<Sample> columns = SmoothPositions(area.w, out->w);
    const std::vector<Sample> rows = SmoothPositions(area.h, out->h);
    for (int y = 0; y < out->h; ++y) {
        const Uint32* upper = Row32(src, area.y + rows[y].first) + area.x;
        const Uint32* lower = Row32(src, area.y + rows[y].second) + area.x;
        const int fy = rows[y].fraction;
        Uint32* target = Row32(out, y);
        for (int x = 0; x < out->w; ++x) {
            const Sample& c = columns[x];
            target[x] = Blend32(upper[c.first], upper[c.second], lower[c.first], lower[c.second], c.fraction, fy);
        }
    }
}

// Scales the area of a working surface (8 or 32 bits) to |width| x |height|.
SDL_Surface* ScaleWorking(SDL_Surface* working, const Area& area, bool smooth, int64_t width, int64_t height) {
    SDL_Surface* out = CreateLike(working, static_cast<int>(std::llabs(width)), static_cast<int>(std::llabs(height)));
    if (out == nullptr) return nullptr;
    {
        SurfaceLock lock(working);
        if (working->format->BytesPerPixel == 1)
            ScaleNearest<Uint8>(working, area, out, width < 0, height < 0);
        else if (smooth)
            ScaleSmooth32(working, area, out);
        else
            ScaleNearest<Uint32>(working, area, out, width < 0, height < 0);
    }
    CopyKeyAndAlpha(working, out);
    return out;
}

}  // namespace

SDL_Surface* ResizeArea(SDL_Surface* src, const Area& area, bool smooth, int64_t width, int64_t height) {
    if (area.Empty() || width == 0 || height == 0 || !AcceptableSize(std::llabs(width), std::llabs(height)))
        return nullptr;
    const int depth = src->format->BitsPerPixel;
    if (depth == 8 || depth == 32) return ScaleWorking(src, area, smooth, width, height);
    const SurfacePtr working(CopyTo32Bits(src, area, 0xFF, 0xFF00, 0xFF0000, 0xFF000000));
    if (working == nullptr) return nullptr;
    return ScaleWorking(working.get(), Area{0, 0, area.w, area.h}, smooth, width, height);
}

SDL_Surface* DeliverCentred(SDL_Surface* result, const Area& area, SDL_Surface* dst, const SDL_Rect* dstRect) {
    if (result == nullptr) return nullptr;
    return Deliver(result, dst, dstRect, (area.w - result->w) / 2, (area.h - result->h) / 2);
}

}  // namespace screen_fx

using namespace screen_fx;

SDL_Surface* Veltrano_IScreenFX::Mirror(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect) {
    if (Refused(src, dst)) return nullptr;
    if (TexturePath(src, dst)) {
        platform::TextureTransform mirrored;
        mirrored.scaleX = -1.0;
        return DrawTexture(src, srcRect, dst, dstRect, mirrored, SourceWidth(src, srcRect), 0);
    }
    const Area area = ClipSource(src, srcRect);
    SDL_Surface* out = ResultFor(src, area);
    if (out == nullptr) return nullptr;
    const int bytes = src->format->BytesPerPixel;
    {
        SurfaceLock lock(src);
        for (int y = 0; y < area.h; ++y)
            for (int x = 0; x < area.w; ++x)
                std::memcpy(PixelAddress(out, area.w - 1 - x, y), PixelAddress(src, area.x + x, area.y + y), bytes);
    }
    CopyKeyAndAlpha(src, out);
    return Deliver(out, dst, dstRect);
}

SDL_Surface* Veltrano_IScreenFX::Flip(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect) {
    if (Refused(src, dst)) return nullptr;
    if (TexturePath(src, dst)) {
        platform::TextureTransform flipped;
        flipped.scaleY = -1.0;
        return DrawTexture(src, srcRect, dst, dstRect, flipped, 0, SourceHeight(src, srcRect));
    }
    const Area area = ClipSource(src, srcRect);
    SDL_Surface* out = ResultFor(src, area);
    if (out == nullptr) return nullptr;
    const size_t rowBytes = static_cast<size_t>(area.w) * src->format->BytesPerPixel;
    {
        SurfaceLock lock(src);
        for (int y = 0; y < area.h; ++y)
            Veltrano_memcpy(Row8(out, y), PixelAddress(src, area.x, area.y + area.h - 1 - y), rowBytes);
    }
    CopyKeyAndAlpha(src, out);
    return Deliver(out, dst, dstRect);
}

SDL_Surface* Veltrano_IScreenFX::Resize(SDL_Surface* src, SDL_Rect* srcRect, int smooth, int width, int height,
                                        SDL_Surface* dst, SDL_Rect* dstRect) {
    if (Refused(src, dst)) return nullptr;
    // A side of 0 is one pixel, so a size animated down to nothing still
    // gives a surface.
    if (width == 0) width = 1;
    if (height == 0) height = 1;
    const Area area = ClipSource(src, srcRect);
    if (TexturePath(src, dst)) {
        if (area.Empty()) return nullptr;
        platform::TextureTransform scaled;
        scaled.scaleX = static_cast<double>(width) / area.w;
        scaled.scaleY = static_cast<double>(height) / area.h;
        scaled.smooth = smooth != 0;
        return DrawTexture(src, srcRect, dst, dstRect, scaled, 0, 0);
    }
    return DeliverCentred(ResizeArea(src, area, smooth != 0, width, height), area, dst, dstRect);
}

namespace {

// (int)(length * factor) with 0 made 1 (a factor of 0 included), or 0 when
// the factor is not finite or the product is too large for a result.
int64_t ScaledLength(int length, double factor) {
    if (!std::isfinite(factor)) return 0;
    const double product = length * factor;
    if (!(std::fabs(product) < kMaxSide + 1.0)) return 0;
    const int64_t scaled = static_cast<int64_t>(product);
    return scaled == 0 ? 1 : scaled;
}

}  // namespace

SDL_Surface* Veltrano_IScreenFX::Resize(SDL_Surface* src, SDL_Rect* srcRect, int smooth, double factorX,
                                        double factorY, SDL_Surface* dst, SDL_Rect* dstRect) {
    if (Refused(src, dst) || !std::isfinite(factorX) || !std::isfinite(factorY)) return nullptr;
    if (TexturePath(src, dst)) {
        // A factor of 0 draws one pixel, as the software path makes a side of 1.
        const Area area = ClipSource(src, srcRect);
        platform::TextureTransform scaled;
        scaled.scaleX = factorX != 0.0 || area.w <= 0 ? factorX : 1.0 / area.w;
        scaled.scaleY = factorY != 0.0 || area.h <= 0 ? factorY : 1.0 / area.h;
        scaled.smooth = smooth != 0;
        return DrawTexture(src, srcRect, dst, dstRect, scaled, 0, 0);
    }
    const Area area = ClipSource(src, srcRect);
    const int64_t width = ScaledLength(area.w, factorX), height = ScaledLength(area.h, factorY);
    return DeliverCentred(ResizeArea(src, area, smooth != 0, width, height), area, dst, dstRect);
}
