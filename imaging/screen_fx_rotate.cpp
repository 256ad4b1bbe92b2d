// RotateResize and Rotate: exact quarter turns, and an inverse mapping in
// 16.16 fixed point for every other angle and zoom.
#include <algorithm>
#include <cmath>

#include "Veltrano_IScreenFX.h"
#include "core/surface_ptr.h"
#include "imaging/display_format.h"
#include "imaging/screen_fx_internal.h"
#include "imaging/screen_fx_transform.h"

namespace screen_fx {
namespace {

constexpr double kRadiansPerDegree = 0.017453292522222223;
constexpr double kSmallestZoom = 0.001;
constexpr Uint32 kMagenta = 0xFF00FF;

// The result's size and the inverse mapping's 16.16 steps.
struct Rotation {
    int quarterTurns = -1;  // 0..3 for an exact quarter turn, else -1
    int64_t width = 0, height = 0;
    int64_t sine = 0, cosine = 0;
};

Rotation PlanRotation(double angle, double zoom, int w, int h) {
    Rotation plan;
    const double quarters = angle / 90.0;
    if (zoom == 1.0 && quarters == std::floor(quarters)) {
        const int turns = static_cast<int>(std::fmod(quarters, 4.0));
        plan.quarterTurns = turns < 0 ? turns + 4 : turns;
        const bool swapped = plan.quarterTurns % 2 == 1;
        plan.width = swapped ? h : w;
        plan.height = swapped ? w : h;
        return plan;
    }
    zoom = std::max(zoom, kSmallestZoom);
    const double radians = -angle * kRadiansPerDegree;
    const double s = std::sin(radians) * zoom, c = std::cos(radians) * zoom;
    const double width = std::max(std::fabs(c * w - s * h), std::fabs(c * w + s * h));
    const double height = std::max(std::fabs(c * h - s * w), std::fabs(c * h + s * w));
    // Too large a result is refused before the conversion to integers.
    if (!(width <= kMaxSide && height <= kMaxSide)) return plan;
    plan.width = std::max<int64_t>(1, static_cast<int64_t>(std::ceil(width)));
    plan.height = std::max<int64_t>(1, static_cast<int64_t>(std::ceil(height)));
    plan.sine = static_cast<int64_t>(s * 65536.0 / (zoom * zoom));
    plan.cosine = static_cast<int64_t>(c * 65536.0 / (zoom * zoom));
    return plan;
}

// Colour key (unless the working surface blends its own alpha channel) and
// alpha setting. Returns the value of the pixels no source position reaches:
// the key, or 0 (the new surface's contents) with per-pixel alpha. With fill
// the whole result is set to it; without, the caller writes every pixel.
Uint32 PrepareResult(SDL_Surface* working, SDL_Surface* out, bool fill) {
    SDL_SetAlpha(out, working->flags & SDL_SRCALPHA, working->format->alpha);
    if (display_format::HasPerPixelAlpha(working)) {
        display_format::MarkNoColorKey(out);
        return 0;
    }
    Uint32 key = working->format->BytesPerPixel == 1 ? 255 : kMagenta;
    if (working->flags & SDL_SRCCOLORKEY) key = working->format->colorkey;
    SDL_SetColorKey(out, SDL_SRCCOLORKEY, key);
    if (fill) SDL_FillRect(out, nullptr, key);
    return key;
}

template <typename Pixel>
Pixel* At(SDL_Surface* surface, int x, int y) {
    return reinterpret_cast<Pixel*>(Row8(surface, y)) + x;
}

// Source (x, y) moves clockwise: one turn to (W' - 1 - y, x), two to
// (W' - 1 - x, H' - 1 - y), three to (y, H' - 1 - x); W', H' the result's size.
template <typename Pixel>
void TurnQuarters(SDL_Surface* src, const Area& area, SDL_Surface* out, int turns) {
    for (int y = 0; y < area.h; ++y) {
        const Pixel* in = At<Pixel>(src, area.x, area.y + y);
        for (int x = 0; x < area.w; ++x) {
            switch (turns) {
                case 0: *At<Pixel>(out, x, y) = in[x]; break;
                case 1: *At<Pixel>(out, out->w - 1 - y, x) = in[x]; break;
                case 2: *At<Pixel>(out, out->w - 1 - x, out->h - 1 - y) = in[x]; break;
                default: *At<Pixel>(out, y, out->h - 1 - x) = in[x]; break;
            }
        }
    }
}

// Walks the result in rows; sample(X, Y, target) reads the source at the
// 16.16 position and writes the target pixel when the position is usable.
template <typename Pixel, typename Sampler>
void MapInverse(const Area& area, SDL_Surface* out, const Rotation& plan, Sampler sample) {
    const int64_t s = plan.sine, c = plan.cosine;
    const int64_t halfW = out->w / 2, halfH = out->h / 2;
    int64_t rowX = (65536 - c) * halfW + s * halfH + int64_t{area.w - out->w} * 32768;
    int64_t rowY = int64_t{area.h - out->h} * 32768 - s * halfW - halfH * (c - 65536);
    for (int y = 0; y < out->h; ++y, rowX -= s, rowY += c) {
        Pixel* target = At<Pixel>(out, 0, y);
        int64_t X = rowX, Y = rowY;
        for (int x = 0; x < out->w; ++x, X += c, Y += s) sample(X, Y, target[x]);
    }
}

// The columns [first, last) of a result row whose 16.16 source positions
// (X + i * stepX, Y + i * stepY) fall inside w x h. The positions are linear
// in i, so the usable ones are one run: an estimate in floating point is
// corrected with the exact integer test at both ends.
struct Span {
    int first, last;
};

Span UsableSpan(int64_t X, int64_t Y, int64_t stepX, int64_t stepY, int64_t w, int64_t h, int count) {
    const auto usable = [&](int64_t i) {
        const int64_t x = (X + i * stepX) >> 16, y = (Y + i * stepY) >> 16;
        return x >= 0 && y >= 0 && x < w && y < h;
    };
    // Where one coordinate lies in [0, limit << 16): the run of i as doubles.
    double low = 0.0, high = count;
    const auto within = [&](int64_t start, int64_t step, int64_t limit) {
        const double top = static_cast<double>(limit) * 65536.0;
        if (step == 0) {
            if (start < 0 || start >= limit * 65536) high = low;
            return;
        }
        double a = -static_cast<double>(start) / step, b = (top - static_cast<double>(start)) / step;
        if (a > b) std::swap(a, b);
        low = std::max(low, a);
        high = std::min(high, b);
    };
    within(X, stepX, w);
    within(Y, stepY, h);
    if (!(low < high)) {
        // Nothing estimated; a boundary pixel may still be usable.
        low = high = std::clamp(low, 0.0, static_cast<double>(count));
    }
    int first = static_cast<int>(std::clamp(std::floor(low), 0.0, static_cast<double>(count)));
    int last = static_cast<int>(std::clamp(std::ceil(high), 0.0, static_cast<double>(count)));
    if (first > last) first = last;
    // Corrections: shrink from each end while unusable, then grow while usable.
    while (first < last && !usable(first)) ++first;
    while (last > first && !usable(last - 1)) --last;
    if (first == last) {
        // The estimate missed entirely (rounding at a corner): search the row.
        for (first = 0; first < count && !usable(first); ++first) {
        }
        for (last = first; last < count && usable(last); ++last) {
        }
        return Span{first, last};
    }
    while (first > 0 && usable(first - 1)) --first;
    while (last < count && usable(last)) ++last;
    return Span{first, last};
}

// Every result pixel is written: the source pixel inside each row's usable
// run, the background outside it (so the result needs no fill first).
template <typename Pixel>
void MapNearest(SDL_Surface* src, const Area& area, SDL_Surface* out, const Rotation& plan, Uint32 background) {
    const Pixel outside = static_cast<Pixel>(background);
    const int64_t s = plan.sine, c = plan.cosine;
    const int width = out->w, height = out->h;
    const int64_t halfW = width / 2, halfH = height / 2;
    int64_t rowX = (65536 - c) * halfW + s * halfH + int64_t{area.w - width} * 32768;
    int64_t rowY = int64_t{area.h - height} * 32768 - s * halfW - halfH * (c - 65536);
    const Uint8* const origin = reinterpret_cast<const Uint8*>(At<Pixel>(src, area.x, area.y));
    const int pitch = src->pitch;
    for (int y = 0; y < height; ++y, rowX -= s, rowY += c) {
        const Span span = UsableSpan(rowX, rowY, c, s, area.w, area.h, width);
        Pixel* target = At<Pixel>(out, 0, y);
        std::fill(target, target + span.first, outside);
        std::fill(target + span.last, target + width, outside);
        // Inside the run every position is within the area, so the 16.16
        // values fit 32 bits; positions are recomputed from the row start to
        // stay exact.
        int64_t X = rowX + span.first * c, Y = rowY + span.first * s;
        for (int x = span.first; x < span.last; ++x, X += c, Y += s) {
            const Pixel* row = reinterpret_cast<const Pixel*>(origin + static_cast<ptrdiff_t>(Y >> 16) * pitch);
            target[x] = row[X >> 16];
        }
    }
}

// Positions down to -1 pixel are blended; neighbours outside the area are
// replaced by the nearest pixel inside it.
void MapSmooth32(SDL_Surface* src, const Area& area, SDL_Surface* out, const Rotation& plan) {
    MapInverse<Uint32>(area, out, plan, [&](int64_t X, int64_t Y, Uint32& target) {
        const int64_t x = X >> 16, y = Y >> 16;
        if (x < -1 || y < -1 || x >= area.w || y >= area.h) return;
        const int x0 = area.x + static_cast<int>(std::max<int64_t>(x, 0));
        const int x1 = area.x + static_cast<int>(std::min<int64_t>(x + 1, area.w - 1));
        const Uint32* upper = Row32(src, area.y + static_cast<int>(std::max<int64_t>(y, 0)));
        const Uint32* lower = Row32(src, area.y + static_cast<int>(std::min<int64_t>(y + 1, area.h - 1)));
        target = Blend32(upper[x0], upper[x1], lower[x0], lower[x1], static_cast<int>(X & 0xFFFF),
                         static_cast<int>(Y & 0xFFFF));
    });
}

SDL_Surface* RotateWorking(SDL_Surface* working, const Area& area, bool smooth, double angle, double zoom) {
    const Rotation plan = PlanRotation(angle, zoom, area.w, area.h);
    if (!AcceptableSize(plan.width, plan.height)) return nullptr;
    SDL_Surface* out = CreateLike(working, static_cast<int>(plan.width), static_cast<int>(plan.height));
    if (out == nullptr) return nullptr;
    const bool eightBits = working->format->BytesPerPixel == 1;
    const bool nearestMapping = plan.quarterTurns < 0 && (eightBits || !smooth);
    const Uint32 background = PrepareResult(working, out, !nearestMapping);
    SurfaceLock lock(working);
    if (plan.quarterTurns >= 0 && eightBits)
        TurnQuarters<Uint8>(working, area, out, plan.quarterTurns);
    else if (plan.quarterTurns >= 0)
        TurnQuarters<Uint32>(working, area, out, plan.quarterTurns);
    else if (eightBits)
        MapNearest<Uint8>(working, area, out, plan, background);
    else if (smooth)
        MapSmooth32(working, area, out, plan);
    else
        MapNearest<Uint32>(working, area, out, plan, background);
    return out;
}

// SDL's default 32-bit layout, used for the depths the rotation has no code for.
SDL_Surface* RotateArea(SDL_Surface* src, const Area& area, bool smooth, double angle, double zoom) {
    const int depth = src->format->BitsPerPixel;
    if (depth == 8 || depth == 32) return RotateWorking(src, area, smooth, angle, zoom);
    const SurfacePtr working(CopyTo32Bits(src, area, 0xFF0000, 0xFF00, 0xFF, 0));
    if (working == nullptr) return nullptr;
    return RotateWorking(working.get(), Area{0, 0, area.w, area.h}, smooth, angle, zoom);
}

}  // namespace
}  // namespace screen_fx

using namespace screen_fx;

SDL_Surface* Veltrano_IScreenFX::RotateResize(SDL_Surface* src, SDL_Rect* srcRect, int smooth, double angle,
                                              double zoom, SDL_Surface* dst, SDL_Rect* dstRect) {
    if (Refused(src, dst) || !std::isfinite(angle) || !std::isfinite(zoom)) return nullptr;
    // A zoom animated down to nothing (or below) shrinks to the smallest one
    // rather than failing.
    zoom = std::max(zoom, kSmallestZoom);
    if (std::fabs(angle) < 0.001) return Resize(src, srcRect, smooth, zoom, zoom, dst, dstRect);
    const Area area = ClipSource(src, srcRect);
    if (TexturePath(src, dst)) {
        platform::TextureTransform turned;
        turned.scaleX = turned.scaleY = zoom;
        turned.angle = -angle;
        turned.centreX = area.w / 2;
        turned.centreY = area.h / 2;
        turned.smooth = smooth != 0;
        DrawTexture(src, srcRect, dst, dstRect, turned, 0, 0);
        return nullptr;
    }
    if (area.Empty()) return nullptr;
    return DeliverCentred(RotateArea(src, area, smooth != 0, angle, zoom), area, dst, dstRect);
}

SDL_Surface* Veltrano_IScreenFX::Rotate(SDL_Surface* src, SDL_Rect* srcRect, int smooth, double angle,
                                        SDL_Surface* dst, SDL_Rect* dstRect) {
    return RotateResize(src, srcRect, smooth, angle, 1.0, dst, dstRect);
}
