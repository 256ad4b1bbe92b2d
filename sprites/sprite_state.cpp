// The helpers every sprite operation shares: the slave's
// view of its master's sheet and the background surface under a frame.
#include "sprites/sprite_state.h"

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "imaging/display_format.h"

namespace sprite_state {

bool AcquireSheet(SpriteData& sprite, const char* origin) {
    if (sprite.kind != kKindSlave) return true;
    if (sprite.masterGone || sprite.masterData == nullptr) {
        ILogSystem.Msg(0, " . [CSprite::%s()] Error: the master of sprite '%s' was deleted or cleaned.\n", origin,
                       sprite.name);
        return false;
    }
    const SpriteData& master = *sprite.masterData;
    sprite.sheet = master.sheet;
    sprite.glCopy = master.glCopy;
    sprite.pixelBackup = Veltrano.surfaceLossCheck ? master.pixelBackup : nullptr;
    return true;
}

SDL_Surface* FrameSource(const SpriteData& sprite) { return sprite.glCopy != nullptr ? sprite.glCopy : sprite.sheet; }

SDL_Surface* MakeBackground(int width, int height, int bitsPerPixel) {
    SDL_Surface* background = SDL_CreateRGBSurface(0, width, height, bitsPerPixel, 0, 0, 0, 0);
    if (background == nullptr) return nullptr;
    SDL_SetAlpha(background, 0, 255);
    SDL_SetColorKey(background, 0, 0);
    if (display_format::DiffersFromScreen(background)) {
        background = display_format::ConvertToScreen(background);
        SDL_SetAlpha(background, 0, 255);
        SDL_SetColorKey(background, 0, 0);
    }
    return background;
}

}  // namespace sprite_state
