#include "tiles/tile_transform.h"

#include "Veltrano_IScreenFX.h"
#include "core/video_surface.h"

namespace tile_transform {

Kind FromFlags(uint32_t idAndFlags) {
    switch (idAndFlags >> 29) {
        case 2: return Kind::Flip;
        case 3: return Kind::Rotate270;
        case 4: return Kind::Mirror;
        case 5: return Kind::Rotate90;
        case 6: return Kind::Rotate180;
        default: return Kind::Plain;
    }
}

namespace {

// The screen effects draw onto dst and hand it back; null is a failure.
int Drawn(const SDL_Surface* result) { return result != nullptr ? 0 : -1; }

}  // namespace

int Draw(Kind kind, SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect,
         const std::vector<uint8_t>& backup) {
    if (kind == Kind::Plain || IScreenFX == nullptr)
        return video_surface::BlitRestoringLostSurface(src, srcRect, dst, dstRect, backup);
    switch (kind) {
        case Kind::Flip: return Drawn(IScreenFX->Flip(src, srcRect, dst, dstRect));
        case Kind::Mirror: return Drawn(IScreenFX->Mirror(src, srcRect, dst, dstRect));
        case Kind::Rotate270: return Drawn(IScreenFX->Rotate(src, srcRect, 0, 270.0, dst, dstRect));
        case Kind::Rotate90: return Drawn(IScreenFX->Rotate(src, srcRect, 0, 90.0, dst, dstRect));
        case Kind::Rotate180: return Drawn(IScreenFX->Rotate(src, srcRect, 0, 180.0, dst, dstRect));
        case Kind::Plain: break;
    }
    return -1;
}

}  // namespace tile_transform
