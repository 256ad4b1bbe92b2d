// Target positions, and the smoothing that draws a move spread over the
// logic frame in which it was made.
#include "sprites/sprite_position.h"

#include <cmath>

#include "Veltrano_CSprite.h"
#include "Veltrano_Main.h"
#include "sprites/sprite_making.h"

namespace sprite_position {
namespace {

// One axis of the smoothing. The drawn point goes from the previous to the
// target position as the logic frame progresses; it never moves back (a
// distance below the one already reached snaps to the target) and stays
// on the target once there.
void SmoothAxis(float progress, float target, float previous, float& step, float& drawn) {
    const float between = progress * target + (1.0f - progress) * previous;
    const float distance = std::fabs(previous - between);
    if (distance > step && target != drawn) {
        step = distance;
        drawn = between;
    } else {
        drawn = target;
    }
}

}  // namespace

void UpdateDrawPosition(SpriteData& sprite) {
    if (sprite.interpolate == 0) {
        sprite.drawX = sprite.posX;
        sprite.drawY = sprite.posY;
        return;
    }
    const float logicTime = Veltrano.GetLogicTime();
    const float progress = logicTime - std::floor(logicTime);
    SmoothAxis(progress, sprite.posX, sprite.prevX, sprite.stepX, sprite.drawX);
    SmoothAxis(progress, sprite.posY, sprite.prevY, sprite.stepY, sprite.drawY);
}

int16_t Floor16(float position) {
    if (std::isnan(position)) return 0;
    return sprite_making::To16Bits(std::floor(static_cast<double>(position)));
}

}  // namespace sprite_position

void Veltrano_CSprite::SetPosition(int x, int y, int interpolate) {
    if (data->status == kSpriteEmpty) return;
    if (interpolate > 0) {
        data->prevX = data->posX;
        data->prevY = data->posY;
        data->stepX = data->stepY = -1.0f;
        data->interpolate = 1;
    } else {
        data->interpolate = 0;
    }
    data->posX = static_cast<float>(x);
    data->posY = static_cast<float>(y);
}

int Veltrano_CSprite::GetPosX() { return data->status == kSpriteEmpty ? 0 : sprite_position::Floor16(data->posX); }

int Veltrano_CSprite::GetPosY() { return data->status == kSpriteEmpty ? 0 : sprite_position::Floor16(data->posY); }
