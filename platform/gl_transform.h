// The drawing transform of the OpenGL 2D video back-end: textures drawn
// scaled, rotated about a centre, colour-modulated and optionally smoothed.
// SDL builds on this platform have no such back-end, so no surface is ever a
// texture and these calls are never reached.
#ifndef VELTRANO_PLATFORM_GL_TRANSFORM_H
#define VELTRANO_PLATFORM_GL_TRANSFORM_H

#include <SDL.h>

namespace platform {

struct TextureTransform {
    double scaleX = 1.0;
    double scaleY = 1.0;
    double angle = 0.0;  // degrees
    int centreX = 0;
    int centreY = 0;
    Uint8 modulateR = 255, modulateG = 255, modulateB = 255;
    bool smooth = false;
};

// Sets the transform, blits the texture's rectangle onto dst at dstRect and
// puts the back-end's previous transform back. Returns the blit's result.
int BlitTextureTransformed(SDL_Surface* texture, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect,
                           const TextureTransform& transform);

}  // namespace platform

#endif
