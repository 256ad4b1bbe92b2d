// A surface owned by one place for a while: freed when the owner goes, so
// no exit path can forget it.
#ifndef VELTRANO_CORE_SURFACE_PTR_H
#define VELTRANO_CORE_SURFACE_PTR_H

#include <SDL.h>

#include <memory>

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

#endif
