// Special effects of sprites, the effect cache, and the current frame with
// its hot spot as drawing and collision see it.
#include "sprites/sprite_effect.h"

#include <cmath>

#include "Veltrano_CSprite.h"
#include "Veltrano_IScreenFX.h"
#include "sprites/sprite_animation.h"

namespace sprite_effect {
namespace {

Sint16 RectCoordinate(int value) {
    if (value < -32768) return -32768;
    if (value > 32767) return 32767;
    return static_cast<Sint16>(value);
}

Uint16 RectSize(int value) {
    if (value < 0) return 0;
    return static_cast<Uint16>(value > 0xFFFF ? 0xFFFF : value);
}

// Truncation toward zero that stays defined for any real value.
int TruncToInt(double value) {
    if (!(value > -2147483648.0)) return value != value ? 0 : -2147483647 - 1;
    if (value >= 2147483647.0) return 2147483647;
    return static_cast<int>(value);
}

// Rebuilds the cache when the frame stepped or the effect changed.
bool RefreshCache(SpriteData& sprite, SDL_Surface* source, SDL_Rect frameRect) {
    if (sprite.effectDirty == 0 && sprite.effectCache != nullptr) return true;
    if (sprite.effectDirty != 0) {
        sprite.effectCache.reset(Transform(sprite, source, &frameRect, nullptr, nullptr));
        // A failed transformation leaves the flag so the next use tries again.
        if (sprite.effectCache != nullptr) sprite.effectDirty = 0;
    }
    return sprite.effectCache != nullptr;
}

}  // namespace

SDL_Rect FrameRect(const SpriteData& sprite) {
    const SpriteAnim* anim = sprite_animation::Selected(sprite);
    int column = anim != nullptr ? anim->currentFrame : 0;
    const SDL_Surface* source = sprite_state::FrameSource(sprite);
    const int columns = source != nullptr && sprite.frameWidth > 0 ? source->w / sprite.frameWidth : 0;
    if (column >= columns) column = columns > 0 ? columns - 1 : 0;
    return SDL_Rect{RectCoordinate(column * sprite.frameWidth), RectCoordinate(sprite.currentAnim * sprite.frameHeight),
                    RectSize(sprite.frameWidth), RectSize(sprite.frameHeight)};
}

bool Prepare(SpriteData& sprite, PreparedFrame* frame) {
    const SpriteAnim* anim = sprite_animation::Selected(sprite);
    SDL_Surface* source = sprite_state::FrameSource(sprite);
    if (anim == nullptr || source == nullptr || sprite.frameWidth < 1 || sprite.frameHeight < 1) return false;
    const SDL_Rect frameRect = FrameRect(sprite);
    if (sprite.effect == SPRITE_FX_NONE) {
        frame->surface = source;
        frame->rect = frameRect;
    } else {
        if (!RefreshCache(sprite, source, frameRect)) return false;
        frame->surface = sprite.effectCache.get();
        frame->rect = SDL_Rect{0, 0, RectSize(sprite.effectCache->w), RectSize(sprite.effectCache->h)};
    }
    AdjustHotSpot(sprite, frame->rect.w, frame->rect.h, frame);
    return true;
}

// A resize scales the hot spot, a rotation (which stays centred over the
// frame) shifts it by half the growth, a rotation with a scale does both.
void AdjustHotSpot(const SpriteData& sprite, int width, int height, PreparedFrame* frame) {
    const SpriteAnim* anim = sprite_animation::Selected(sprite);
    const int hx = anim != nullptr ? anim->hotSpotX : 0;
    const int hy = anim != nullptr ? anim->hotSpotY : 0;
    const int frameW = sprite.frameWidth;
    const int frameH = sprite.frameHeight;
    switch (sprite.effect) {
        case SPRITE_FX_RESIZE:
            frame->hotSpotX = hx * width / frameW;
            frame->hotSpotY = hy * height / frameH;
            break;
        case SPRITE_FX_ROTATE:
            frame->hotSpotX = hx - (frameW - width) / 2;
            frame->hotSpotY = hy - (frameH - height) / 2;
            break;
        case SPRITE_FX_ROTATERESIZE: {
            const double scaledW = frameW * sprite.effectParam2;
            const double scaledH = frameH * sprite.effectParam2;
            frame->hotSpotX = TruncToInt(std::trunc(hx * scaledW / frameW) - (scaledW - width) * 0.5);
            frame->hotSpotY = TruncToInt(std::trunc(hy * scaledH / frameH) - (scaledH - height) * 0.5);
            break;
        }
        default:
            frame->hotSpotX = hx;
            frame->hotSpotY = hy;
            break;
    }
}

SDL_Surface* Transform(const SpriteData& sprite, SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst,
                       SDL_Rect* dstRect) {
    if (IScreenFX == nullptr) return nullptr;
    const int mode = sprite.effectMode;
    switch (sprite.effect) {
        case SPRITE_FX_FLIP:
            return IScreenFX->Flip(src, srcRect, dst, dstRect);
        case SPRITE_FX_MIRROR:
            return IScreenFX->Mirror(src, srcRect, dst, dstRect);
        case SPRITE_FX_RESIZE:
            return IScreenFX->Resize(src, srcRect, mode, sprite.effectParam1, sprite.effectParam2, dst, dstRect);
        case SPRITE_FX_ROTATE:
            return IScreenFX->Rotate(src, srcRect, mode, sprite.effectParam1, dst, dstRect);
        case SPRITE_FX_ROTATERESIZE:
            return IScreenFX->RotateResize(src, srcRect, mode, sprite.effectParam1, sprite.effectParam2, dst,
                                           dstRect);
        default:
            return nullptr;
    }
}

void GiveCacheOwnAlpha(SpriteData& sprite) {
    if (sprite.effectCache == nullptr || sprite.perPixelAlpha != 0 || sprite.alpha < 0 || sprite.alpha > 255) return;
    SDL_SetAlpha(sprite.effectCache.get(), sprite.alpha < 255 ? SDL_SRCALPHA : 0, static_cast<Uint8>(sprite.alpha));
}

SDL_Rect Place(const PreparedFrame& frame, int x, int y) {
    return SDL_Rect{RectCoordinate(x - frame.hotSpotX), RectCoordinate(y - frame.hotSpotY), frame.rect.w,
                    frame.rect.h};
}

}  // namespace sprite_effect

void Veltrano_CSprite::SetEffect(int effect, int mode, double param1, double param2) {
    if (effect < SPRITE_FX_NONE || effect > SPRITE_FX_ROTATERESIZE) return;
    // Only a change of effect marks the cache; new parameters of the effect
    // in force show from the next frame step.
    if (effect != data->effect) data->effectDirty = 1;
    data->effect = effect;
    if (effect >= SPRITE_FX_RESIZE) {
        data->effectMode = mode < 0 ? 0 : (mode > 1 ? 1 : mode);
        data->effectParam1 = param1;
    }
    if (effect == SPRITE_FX_RESIZE || effect == SPRITE_FX_ROTATERESIZE) data->effectParam2 = param2;
}
