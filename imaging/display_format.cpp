#include "imaging/display_format.h"

#include "Veltrano_Main.h"
#include "core/video_surface.h"

namespace display_format {

bool DiffersFromScreen(const SDL_Surface* surface) {
    const SDL_Surface* screen = Veltrano.screen;
    if (screen == nullptr || surface == nullptr) return false;
    if ((screen->flags & SDL_HWSURFACE) && !(surface->flags & SDL_HWSURFACE)) return true;
    const SDL_PixelFormat* a = screen->format;
    const SDL_PixelFormat* b = surface->format;
    return a->BytesPerPixel != b->BytesPerPixel || a->Rmask != b->Rmask || a->Gmask != b->Gmask ||
           a->Bmask != b->Bmask || a->Amask != b->Amask;
}

bool HasPerPixelAlpha(const SDL_Surface* surface) {
    return surface->format->Amask != 0 && (surface->flags & SDL_SRCALPHA) && surface->format->alpha == 255;
}

bool WantsConversion(const SDL_Surface* surface) {
    return video_surface::AutomaticConversion() && DiffersFromScreen(surface);
}

SDL_Surface* ConvertToScreen(SDL_Surface* surface) {
    const bool perPixel = HasPerPixelAlpha(surface);
    SDL_Surface* converted = perPixel ? SDL_DisplayFormatAlpha(surface) : SDL_DisplayFormat(surface);
    if (converted == nullptr) return surface;
    if (perPixel) converted->format->alpha = 255;
    SDL_FreeSurface(surface);
    return converted;
}

void UploadWhenGL(SDL_Surface* surface) {
    if (Veltrano.IsGL() && video_surface::AutomaticConversion()) Veltrano.Surface2Texture(surface);
}

void MarkNoColorKey(SDL_Surface* surface) { surface->format->colorkey = kNoColorKey; }

SDL_Surface* ReadableSurface(SDL_Surface* surface, SurfacePtr& owned) {
    owned.reset();
    if (surface == nullptr || surface != Veltrano.screen || !Veltrano.IsGL()) return surface;
    owned.reset(SDL_CreateRGBSurface(SDL_SWSURFACE, surface->w, surface->h, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000));
    if (owned == nullptr) return nullptr;
    SDL_SetAlpha(owned.get(), 0, 255);
    if (SDL_BlitSurface(surface, nullptr, owned.get(), nullptr) != 0) {
        owned.reset();
        return nullptr;
    }
    return owned.get();
}

}  // namespace display_format
