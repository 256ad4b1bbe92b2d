#include "core/surface_text.h"

#include <cstdio>

namespace surface_text {

std::string AlphaText(const SDL_Surface* surface) {
    if (!(surface->flags & SDL_SRCALPHA)) return "disabled";
    if (surface->format->alpha == 255) return "per-pixel";
    return "per-surface (" + std::to_string(surface->format->alpha) + ")";
}

std::string ColorKeyText(const SDL_Surface* surface) {
    const SDL_PixelFormat* format = surface->format;
    if (!(surface->flags & SDL_SRCCOLORKEY)) return "disabled\n";
    char text[64];
    if (format->BitsPerPixel == 8) {
        std::snprintf(text, sizeof text, "palette color number %d\n", static_cast<int>(format->colorkey));
    } else {
        Uint8 r, g, b;
        SDL_GetRGB(format->colorkey, const_cast<SDL_PixelFormat*>(format), &r, &g, &b);
        std::snprintf(text, sizeof text, "RGB(%d,%d,%d)\n", r, g, b);
    }
    return text;
}

}  // namespace surface_text
