#include "objects/tile_transform.h"

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

int Draw(Kind kind, SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect,
         const std::vector<uint8_t>& backup) {
    switch (kind) {
        // The screen effects do not exist yet: until they do, the transformed
        // draws blit the cell unchanged. They will call IScreenFX->Flip,
        // IScreenFX->Mirror and IScreenFX->Rotate(src, srcRect, 0, angle, dst,
        // dstRect) with the angles 270, 90 and 180.
        case Kind::Flip:
        case Kind::Mirror:
        case Kind::Rotate270:
        case Kind::Rotate90:
        case Kind::Rotate180:
            return SDL_UpperBlit(src, srcRect, dst, dstRect);
        case Kind::Plain:
            break;
    }
    return video_surface::BlitRestoringLostSurface(src, srcRect, dst, dstRect, backup);
}

}  // namespace tile_transform
