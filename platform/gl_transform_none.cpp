// No OpenGL 2D back-end in this SDL: there is no texture to draw.
#include "platform/gl_transform.h"

namespace platform {

int BlitTextureTransformed(SDL_Surface*, SDL_Rect*, SDL_Surface*, SDL_Rect*, const TextureTransform&) { return -1; }

}  // namespace platform
