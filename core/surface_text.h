// How the information dumps describe a surface's blending and colour key.
#ifndef VELTRANO_CORE_SURFACE_TEXT_H
#define VELTRANO_CORE_SURFACE_TEXT_H

#include <SDL.h>

#include <string>

namespace surface_text {

// "per-pixel" (alpha flag with surface alpha 255), "per-surface (N)" or
// "disabled".
std::string AlphaText(const SDL_Surface* surface);

// "palette color number N\n" (8 bits), "RGB(R,G,B)\n" or "disabled\n".
std::string ColorKeyText(const SDL_Surface* surface);

}  // namespace surface_text

#endif
