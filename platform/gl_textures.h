// The texture side of the OpenGL 2D video back-end. SDL builds on this
// platform have no such back-end, so no surface is ever a texture and every
// upload fails; the SDK's OpenGL branches then behave as "not under OpenGL".
#ifndef VELTRANO_PLATFORM_GL_TEXTURES_H
#define VELTRANO_PLATFORM_GL_TEXTURES_H

#include <SDL.h>

namespace platform {

// Whether the back-end keeps a texture for the surface.
bool SurfaceHasTexture(SDL_Surface* surface);
// Uploads the surface to a texture; true when it did.
bool UploadSurfaceTexture(SDL_Surface* surface);
// Uploads the back-end had to make by itself while blitting.
int RunningTimeTextureUploads();

}  // namespace platform

#endif
