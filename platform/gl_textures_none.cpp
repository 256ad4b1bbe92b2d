// No OpenGL 2D back-end in this SDL: nothing is a texture, nothing uploads.
#include "platform/gl_textures.h"

namespace platform {

bool SurfaceHasTexture(SDL_Surface*) { return false; }

bool UploadSurfaceTexture(SDL_Surface*) { return false; }

int RunningTimeTextureUploads() { return 0; }

}  // namespace platform
