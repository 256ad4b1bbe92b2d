// Frame stepping of a sprite's selected animation, run at the start of
// every Draw.
#ifndef VELTRANO_SPRITES_SPRITE_ANIMATION_H
#define VELTRANO_SPRITES_SPRITE_ANIMATION_H

#include "sprites/sprite_state.h"

namespace sprite_animation {

// Results of a step, as Draw reports them.
constexpr int kFrameChanged = 1;
constexpr int kFrameKept = 2;
constexpr int kPaused = 3;

// Advances the selected animation by at most one frame when the current
// frame's time (divided by the speed factor) has run out since the last
// step; the first call only starts the clock.
int Step(SpriteData& sprite);

// The selected animation, or null when the sprite has none.
SpriteAnim* Selected(SpriteData& sprite);
const SpriteAnim* Selected(const SpriteData& sprite);

}  // namespace sprite_animation

#endif
