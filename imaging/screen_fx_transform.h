// What the rotation shares with the resize: refusals, the scaler, centred
// delivery and drawing through the OpenGL back-end.
#ifndef VELTRANO_IMAGING_SCREEN_FX_TRANSFORM_H
#define VELTRANO_IMAGING_SCREEN_FX_TRANSFORM_H

#include <SDL.h>

#include <cstdint>

#include "platform/gl_transform.h"
#include "imaging/screen_fx_internal.h"

namespace screen_fx {

// A null source, or the source drawn onto itself.
bool Refused(SDL_Surface* src, SDL_Surface* dst);

// The area scaled to |width| x |height| (negative values flip unless
// smoothing), in the source's format for 8 and 32 bits and in 32-bit RGBA
// otherwise; null when refused.
SDL_Surface* ResizeArea(SDL_Surface* src, const Area& area, bool smooth, int64_t width, int64_t height);

// Deliver, centred over the area's size (integer division).
SDL_Surface* DeliverCentred(SDL_Surface* result, const Area& area, SDL_Surface* dst, const SDL_Rect* dstRect);

// Draws the texture's rectangle on the screen through the back-end's
// transform at dstRect moved by (shiftX, shiftY); returns dst.
SDL_Surface* DrawTexture(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect,
                         const platform::TextureTransform& transform, int shiftX, int shiftY);

}  // namespace screen_fx

#endif
