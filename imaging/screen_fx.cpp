// The IScreenFX interface's life and the helpers its transformations share.
#include "Veltrano_IScreenFX.h"

#include <algorithm>

#include "Veltrano_IPrimitives.h"
#include "Veltrano_Main.h"
#include "core/surface_ptr.h"
#include "imaging/display_format.h"
#include "imaging/pixel_access.h"
#include "imaging/screen_fx_internal.h"
#include "imaging/screen_fx_render.h"
#include "log/interface_lines.h"

namespace {

// The primitives object this interface made because none existed.
Veltrano_IPrimitives* ownPrimitives = nullptr;

}  // namespace

Veltrano_IScreenFX::Veltrano_IScreenFX() {
    if (IPrimitives == nullptr) IPrimitives = ownPrimitives = new Veltrano_IPrimitives;
    screen_fx::ResetFrameCounter();
    LogInterfaceCreated("IScreenFX");
}

Veltrano_IScreenFX::~Veltrano_IScreenFX() {
    LogInterfaceDeleted("IScreenFX");
    if (ownPrimitives == nullptr) return;
    if (IPrimitives == ownPrimitives) IPrimitives = nullptr;
    delete ownPrimitives;
    ownPrimitives = nullptr;
}

namespace screen_fx {

bool AcceptableSize(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels;
}

namespace {

// One axis of the source clipping: start into 0..limit, length cut to fit.
void ClipAxis(int& start, int& length, int limit) {
    start = std::clamp(start, 0, limit);
    length = std::min(length, limit - start);
}

}  // namespace

Area ClipSource(const SDL_Surface* surface, const SDL_Rect* rect) {
    Area area{0, 0, surface->w, surface->h};
    if (rect == nullptr) return area;
    area = Area{rect->x, rect->y, rect->w, rect->h};
    ClipAxis(area.x, area.w, surface->w);
    ClipAxis(area.y, area.h, surface->h);
    return area;
}

SDL_Surface* CreateLike(const SDL_Surface* like, int w, int h) {
    if (!AcceptableSize(w, h)) return nullptr;
    const SDL_PixelFormat* f = like->format;
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (surface == nullptr) return nullptr;
    if (f->palette != nullptr && surface->format->palette != nullptr)
        SDL_SetColors(surface, f->palette->colors, 0, f->palette->ncolors);
    SDL_FillRect(surface, nullptr, 0);
    return surface;
}

void CopyKeyAndAlpha(const SDL_Surface* from, SDL_Surface* to) {
    if (from->flags & SDL_SRCCOLORKEY)
        SDL_SetColorKey(to, SDL_SRCCOLORKEY, from->format->colorkey);
    else
        display_format::MarkNoColorKey(to);
    SDL_SetAlpha(to, from->flags & SDL_SRCALPHA, from->format->alpha);
}

SDL_Surface* CopyTo32Bits(SDL_Surface* src, const Area& area, Uint32 rmask, Uint32 gmask, Uint32 bmask,
                          Uint32 amask) {
    if (!AcceptableSize(area.w, area.h)) return nullptr;
    SDL_Surface* copy = SDL_CreateRGBSurface(SDL_SWSURFACE, area.w, area.h, 32, rmask, gmask, bmask, amask);
    if (copy == nullptr) return nullptr;
    {
        SurfaceLock lock(src);
        for (int y = 0; y < area.h; ++y) {
            Uint32* out = Row32(copy, y);
            for (int x = 0; x < area.w; ++x)
                out[x] = Encode(copy->format, Decode(src->format, pixel_access::Read(src, area.x + x, area.y + y)));
        }
    }
    CopyKeyAndAlpha(src, copy);
    if (src->flags & SDL_SRCCOLORKEY)
        SDL_SetColorKey(copy, SDL_SRCCOLORKEY, Encode(copy->format, Decode(src->format, src->format->colorkey)));
    return copy;
}

SDL_Surface* Deliver(SDL_Surface* result, SDL_Surface* dst, const SDL_Rect* dstRect, int offsetX, int offsetY) {
    if (result == nullptr || dst == nullptr) return result;
    // Drawn into dst, the result is no longer needed.
    const SurfacePtr delivered(result);
    const int x = (dstRect ? dstRect->x : 0) + offsetX;
    const int y = (dstRect ? dstRect->y : 0) + offsetY;
    // A position outside SDL's 16-bit range cannot show any of the result.
    if (x >= INT16_MIN && x <= INT16_MAX && y >= INT16_MIN && y <= INT16_MAX) {
        const Uint32 alphaFlag = result->flags & SDL_SRCALPHA;
        const Uint8 alpha = result->format->alpha;
        SDL_SetAlpha(result, 0, alpha);
        SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
        Veltrano.Blit(result, nullptr, dst, &at);
        SDL_SetAlpha(result, alphaFlag, alpha);
    }
    return dst;
}

bool TexturePath(SDL_Surface* src, SDL_Surface* dst) { return dst != nullptr && Veltrano.IsTexture(src); }

SurfaceLock::SurfaceLock(SDL_Surface* surface) : surface_(surface) {
    if (IPrimitives != nullptr) IPrimitives->Lock(surface_);
}

SurfaceLock::~SurfaceLock() {
    if (IPrimitives != nullptr) IPrimitives->UnLock(surface_);
}

}  // namespace screen_fx
