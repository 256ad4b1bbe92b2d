// Reading and writing one pixel of a locked surface at any depth; 3-byte
// pixels go through the format's shifts so either byte order works.
#ifndef VELTRANO_IMAGING_PIXEL_ACCESS_H
#define VELTRANO_IMAGING_PIXEL_ACCESS_H

#include <SDL.h>

namespace pixel_access {

inline bool Inside(const SDL_Surface* surface, int x, int y) {
    return x >= 0 && y >= 0 && x < surface->w && y < surface->h;
}

inline bool InsideClip(const SDL_Surface* surface, int x, int y) {
    const SDL_Rect& clip = surface->clip_rect;
    return Inside(surface, x, y) && x >= clip.x && y >= clip.y && x < clip.x + clip.w && y < clip.y + clip.h;
}

inline Uint8* Address(SDL_Surface* surface, int x, int y) {
    return static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * surface->format->BytesPerPixel;
}

inline Uint32 Read(SDL_Surface* surface, int x, int y) {
    const Uint8* p = Address(surface, x, y);
    const SDL_PixelFormat* f = surface->format;
    switch (f->BytesPerPixel) {
        case 1: return *p;
        case 2: return *reinterpret_cast<const Uint16*>(p);
        case 3:
            return static_cast<Uint32>(p[f->Rshift / 8]) << f->Rshift |
                   static_cast<Uint32>(p[f->Gshift / 8]) << f->Gshift |
                   static_cast<Uint32>(p[f->Bshift / 8]) << f->Bshift;
        default: return *reinterpret_cast<const Uint32*>(p);
    }
}

inline void Write(SDL_Surface* surface, int x, int y, Uint32 color) {
    Uint8* p = Address(surface, x, y);
    const SDL_PixelFormat* f = surface->format;
    switch (f->BytesPerPixel) {
        case 1: *p = static_cast<Uint8>(color); break;
        case 2: *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(color); break;
        case 3:
            p[f->Rshift / 8] = static_cast<Uint8>(color >> f->Rshift);
            p[f->Gshift / 8] = static_cast<Uint8>(color >> f->Gshift);
            p[f->Bshift / 8] = static_cast<Uint8>(color >> f->Bshift);
            break;
        default: *reinterpret_cast<Uint32*>(p) = color; break;
    }
}

}  // namespace pixel_access

#endif
