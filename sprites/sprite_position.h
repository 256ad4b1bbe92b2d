// A sprite's target and drawn positions: the smoothing between logic frames
// that Draw applies, and positions as the 16-bit values of SDL rectangles.
#ifndef VELTRANO_SPRITES_SPRITE_POSITION_H
#define VELTRANO_SPRITES_SPRITE_POSITION_H

#include <cstdint>

#include "sprites/sprite_state.h"

namespace sprite_position {

// Moves the drawn position towards the target by the progress of the
// current logic frame (or onto the target when the move is not smoothed).
void UpdateDrawPosition(SpriteData& sprite);

// The floor of a position cut to 16 bits with its sign (0 for not a number).
int16_t Floor16(float position);

}  // namespace sprite_position

#endif
