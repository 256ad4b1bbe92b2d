// The IPrimitives interface's life, surface locking and pixel access at
// every depth.
#include <cstring>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_IPrimitives.h"
#include "platform/gl_textures.h"
#include "imaging/pixel_access.h"
#include "log/interface_lines.h"

namespace {

// The sampling step of PixelCollision; 0 compares bounding boxes only.
int collisionMethod = 1;

constexpr int kRunLength = 16;

}  // namespace

Veltrano_IPrimitives::Veltrano_IPrimitives() {
    collisionMethod = 1;
    LogInterfaceCreated("IPrimitives");
}

Veltrano_IPrimitives::~Veltrano_IPrimitives() { LogInterfaceDeleted("IPrimitives"); }

void Veltrano_IPrimitives::Lock(SDL_Surface* surface) {
    if (surface == nullptr || !SDL_MUSTLOCK(surface)) return;
    if (SDL_LockSurface(surface) < 0) ILogSystem.Msg(0, " . [IPrimitives->Lock()] Error: %s\n", SDL_GetError());
}

void Veltrano_IPrimitives::UnLock(SDL_Surface* surface) {
    if (surface != nullptr && SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

void Veltrano_IPrimitives::PutPixelColor(SDL_Surface* surface, short x, short y, unsigned int color,
                                         unsigned char lock) {
    if (surface == nullptr || platform::SurfaceHasTexture(surface)) return;
    if (!pixel_access::InsideClip(surface, x, y)) return;
    if (lock == 1) Lock(surface);
    if (surface->pixels != nullptr) pixel_access::Write(surface, x, y, color);
    if (lock == 1) UnLock(surface);
}

void Veltrano_IPrimitives::PutPixelRGBA(SDL_Surface* surface, short x, short y, unsigned char r, unsigned char g,
                                        unsigned char b, unsigned char a, unsigned char lock) {
    if (surface == nullptr) return;
    PutPixelColor(surface, x, y, SDL_MapRGBA(surface->format, r, g, b, a), lock);
}

unsigned int Veltrano_IPrimitives::GetPixel(SDL_Surface* surface, short x, short y, unsigned char lock) {
    if (surface == nullptr || platform::SurfaceHasTexture(surface)) return 0;
    if (!pixel_access::Inside(surface, x, y)) return 0;
    if (lock == 1) Lock(surface);
    const unsigned int color = surface->pixels != nullptr ? pixel_access::Read(surface, x, y) : 0;
    if (lock == 1) UnLock(surface);
    return color;
}

namespace {

// Whether 16 32-bit pixels from (x, y) lie inside a surface held in memory.
bool RunFits(SDL_Surface* surface, short x, short y, const unsigned int* pixels) {
    return surface != nullptr && pixels != nullptr && surface->format->BytesPerPixel == 4 &&
           !platform::SurfaceHasTexture(surface) && pixel_access::Inside(surface, x, y) &&
           x + kRunLength <= surface->w;
}

Uint8* RunStart(SDL_Surface* surface, short x, short y) {
    return static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 4;
}

}  // namespace

void Veltrano_IPrimitives::Put16Pixel(SDL_Surface* surface, short x, short y, unsigned int* pixels,
                                      unsigned char lock) {
    if (!RunFits(surface, x, y, pixels)) return;
    if (lock == 1) Lock(surface);
    if (surface->pixels != nullptr) std::memcpy(RunStart(surface, x, y), pixels, kRunLength * 4);
    if (lock == 1) UnLock(surface);
}

void Veltrano_IPrimitives::Get16Pixel(SDL_Surface* surface, short x, short y, unsigned int* pixels,
                                      unsigned char) {
    if (!RunFits(surface, x, y, pixels)) return;
    Lock(surface);
    if (surface->pixels != nullptr) std::memcpy(pixels, RunStart(surface, x, y), kRunLength * 4);
    UnLock(surface);
}

void Veltrano_IPrimitives::SetCollisionMethod(int method) { collisionMethod = method < 0 ? 0 : method; }

int Veltrano_IPrimitives::GetCollisionMethod() { return collisionMethod; }
