// A sprite's special effect and the current frame as drawing and collision
// use it: cut from the sheet, transformed by the effect (kept in a cache
// until the frame steps or the effect changes), with its hot spot moved the
// way the transformation moved the frame.
#ifndef VELTRANO_SPRITES_SPRITE_EFFECT_H
#define VELTRANO_SPRITES_SPRITE_EFFECT_H

#include <SDL.h>

#include "sprites/sprite_state.h"

namespace sprite_effect {

struct PreparedFrame {
    SDL_Surface* surface = nullptr;  // the sheet (or its software copy) or the effect cache
    SDL_Rect rect{0, 0, 0, 0};       // the frame inside surface
    int hotSpotX = 0;                // the hot spot inside the prepared frame
    int hotSpotY = 0;
};

// The current frame of the selected animation on the sheet. The column is
// kept inside the sheet's frames whatever the current frame says.
SDL_Rect FrameRect(const SpriteData& sprite);

// Prepares the current frame and its hot spot for the prepared size. False
// when there is nothing to show (no animation, no sheet, or a
// transformation that failed; it is tried again at the next use).
bool Prepare(SpriteData& sprite, PreparedFrame* frame);

// Sets the frame's hot spot: the selected animation's, moved the way the
// effect moves a frame of the sprite's frame size to width x height.
void AdjustHotSpot(const SpriteData& sprite, int width, int height, PreparedFrame* frame);

// The effect's transformation of srcRect of src: a new surface when dst is
// null, else drawn into dst at dstRect. Null when refused.
SDL_Surface* Transform(const SpriteData& sprite, SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst,
                       SDL_Rect* dstRect);

// The transformed frame copies the alpha the shared sheet had when it was
// made, which may be another sprite's: this puts the sprite's own back.
void GiveCacheOwnAlpha(SpriteData& sprite);

// The prepared frame placed with its hot spot on (x, y).
SDL_Rect Place(const PreparedFrame& frame, int x, int y);

}  // namespace sprite_effect

#endif
