#include "imaging/stored_sheet.h"

#include "Veltrano_IImage.h"

namespace stored_sheet {

SDL_Surface* ReadImageFile(const char* file, bool pngAllowed) {
    if (IImage == nullptr || file == nullptr) return nullptr;
    return LoadUnconverted([&]() -> SDL_Surface* {
        if (IImage->isBMP(file)) return IImage->LoadBMP(file);
        if (pngAllowed && IImage->isPNG(file)) return IImage->LoadPNG(file);
        return nullptr;
    });
}

SDL_Surface* CopyOf(SDL_Surface* source) {
    SDL_Surface* copy = SDL_ConvertSurface(source, source->format, source->flags);
    if (copy == nullptr) return nullptr;
    if ((source->flags & SDL_SRCALPHA) && source->format->alpha != 255)
        SDL_SetAlpha(copy, SDL_SRCALPHA, source->format->alpha);
    return copy;
}

SDL_Surface* ReduceTo24Bits(SDL_Surface* surface) {
    SDL_Surface* reduced = SDL_CreateRGBSurface(SDL_SWSURFACE, surface->w, surface->h, 24, 0, 0, 0, 0);
    if (reduced == nullptr) return surface;
    SDL_SetAlpha(surface, 0, 255);
    SDL_BlitSurface(surface, nullptr, reduced, nullptr);
    SDL_FreeSurface(surface);
    return reduced;
}

void SetSurfaceAlpha(SDL_Surface* surface, uint8_t alpha) {
    if (alpha == 255)
        SDL_SetAlpha(surface, 0, 255);
    else
        SDL_SetAlpha(surface, SDL_SRCALPHA, alpha);
}

}  // namespace stored_sheet
