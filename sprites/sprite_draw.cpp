// Drawing a sprite: step its animation, smooth its position, save and
// restore the screen under it, keep the software cursor intact, and blit
// the prepared frame.
#include "Veltrano_CSprite.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "core/cursor_guard.h"
#include "core/video_surface.h"
#include "sprites/sprite_animation.h"
#include "sprites/sprite_effect.h"
#include "sprites/sprite_position.h"

namespace {

// Puts back the screen the sprite covered at its last draw.
void RestoreBackground(SpriteData& sprite) {
    if (sprite.autoRestore == 0 || sprite.bgSaved == 0 || sprite.bgSurface == nullptr) return;
    SDL_Rect at = sprite.bgRect;
    SDL_BlitSurface(sprite.bgSurface, nullptr, Veltrano.screen, &at);
}

// Keeps the screen under area for the next restore; only the frame's
// rectangle is copied, and always from the screen whatever the target.
void SaveBackground(SpriteData& sprite, const SDL_Rect& area) {
    sprite.bgRect = area;
    if (sprite.autoRestore == 0) return;
    SDL_Surface*& saved = sprite.bgSurface;
    if (saved == nullptr || saved->w != area.w || saved->h != area.h) {
        SDL_FreeSurface(saved);
        saved = sprite_state::MakeBackground(area.w, area.h, 32);
    }
    sprite.bgSaved = 0;
    if (saved == nullptr) return;
    SDL_Rect from = area;
    if (SDL_BlitSurface(Veltrano.screen, &from, saved, nullptr) == 0) sprite.bgSaved = 1;
}

// Blits from the sheet, refilling it from the pixel backup when its video
// memory was lost.
void BlitSheet(const SpriteData& sprite, SDL_Rect* from, SDL_Surface* target, SDL_Rect* at) {
    const size_t bytes = static_cast<size_t>(sprite.sheet->pitch) * static_cast<size_t>(sprite.sheet->h);
    video_surface::BlitRestoringLostSurface(sprite.sheet, from, target, at, sprite.pixelBackup,
                                            sprite.pixelBackup != nullptr ? bytes : 0);
}

// In OpenGL mode a software frame is not blitted itself: the sheet's
// texture is drawn, through the effect when there is one.
void BlitThroughSheet(const SpriteData& sprite, SDL_Surface* target, SDL_Rect* at) {
    SDL_Rect from = sprite_effect::FrameRect(sprite);
    if (sprite.effect == SPRITE_FX_NONE)
        BlitSheet(sprite, &from, target, at);
    else
        sprite_effect::Transform(sprite, sprite.sheet, &from, target, at);
}

}  // namespace

int Veltrano_CSprite::Draw(SDL_Surface* target) {
    if (data->status == kSpriteEmpty) return 0;
    if (target == nullptr) target = Veltrano.screen;
    if (target == nullptr) {
        ILogSystem.Msg(0, " . [CSprite::Draw()] Error: Veltrano.screen was not initialized.\n");
        return 0;
    }
    if (!sprite_state::AcquireSheet(*data, "Draw")) return 0;
    const int result = sprite_animation::Step(*data);
    sprite_position::UpdateDrawPosition(*data);

    // Alpha lives on the sheet a master shares with its slaves: each puts
    // its own value back before drawing from it. This comes before the
    // frame is prepared because it may replace the sheet by a converted one.
    if (data->effect == SPRITE_FX_NONE) SetAlpha(data->alpha);
    sprite_effect::PreparedFrame frame;
    if (!sprite_effect::Prepare(*data, &frame)) return result;
    if (data->effect != SPRITE_FX_NONE) sprite_effect::GiveCacheOwnAlpha(*data);
    const bool throughSheet = Veltrano.IsGL() != 0 && Veltrano.IsTexture(frame.surface) == 0;
    if (throughSheet) sprite_effect::AdjustHotSpot(*data, data->frameWidth, data->frameHeight, &frame);
    const SDL_Rect placed = sprite_effect::Place(frame, sprite_position::Floor16(data->drawX),
                                                 sprite_position::Floor16(data->drawY));

    SDL_Rect cursorArea = placed;
    CursorGuard cursorOff(target, &cursorArea);
    if (Veltrano.screen != nullptr) {
        RestoreBackground(*data);
        SaveBackground(*data, placed);
    }

    SDL_Rect at = placed;
    if (throughSheet)
        BlitThroughSheet(*data, target, &at);
    else if (frame.surface == data->sheet)
        BlitSheet(*data, &frame.rect, target, &at);
    else
        SDL_UpperBlit(frame.surface, &frame.rect, target, &at);
    return result;
}
