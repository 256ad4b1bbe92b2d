// Choosing animations and frames, their properties, the speed factor,
// pausing, and the frame stepping that Draw runs.
#include "sprites/sprite_animation.h"

#include <cmath>

#include "Veltrano_CSprite.h"
#include "Veltrano_ILogSystem.h"
#include "core/clock.h"

namespace sprite_animation {
namespace {

// The last frame of the range that plays; an empty range keeps its start.
int LastInRange(const SpriteAnim& anim) {
    return anim.endFrame > anim.startFrame ? anim.endFrame - 1 : anim.startFrame;
}

// A frame limited to the range that plays: at most its last frame, then at
// least its first.
uint16_t ClampToRange(int frame, const SpriteAnim& anim) {
    if (frame > anim.endFrame - 1) frame = anim.endFrame - 1;
    if (frame < anim.startFrame) frame = anim.startFrame;
    return static_cast<uint16_t>(frame);
}

// Whether the current frame has been shown longer than its time divided by
// the speed factor. A factor of 0 or below (or not a number) stops the
// animation instead of dividing by zero or running backwards.
bool FrameTimeOver(const SpriteData& sprite, const SpriteAnim& anim, uint32_t now) {
    if (anim.currentFrame >= anim.frames.size()) return false;
    if (!(sprite.animFactor > 0.0f)) return false;
    const double shown = std::trunc(static_cast<double>(anim.frames[anim.currentFrame].time) /
                                    static_cast<double>(sprite.animFactor));
    return static_cast<double>(now - sprite.lastTick) > shown;
}

void StepPingPong(SpriteData& sprite, SpriteAnim& anim) {
    // Fewer than two frames cannot swing: the range's first frame stays.
    if (anim.endFrame - anim.startFrame < 2) {
        anim.currentFrame = anim.startFrame;
        sprite.pingPongStep = 1;
        return;
    }
    const int next = anim.currentFrame + sprite.pingPongStep;
    const int last = anim.endFrame - 1;
    if (static_cast<unsigned>(next) > static_cast<unsigned>(last)) {
        anim.currentFrame = static_cast<uint16_t>(anim.endFrame - 2);
        sprite.pingPongStep = -1;
    } else if (next == anim.startFrame) {
        anim.currentFrame = anim.startFrame;
        sprite.pingPongStep = 1;
    } else {
        anim.currentFrame = static_cast<uint16_t>(next);
    }
}

void Advance(SpriteData& sprite, SpriteAnim& anim) {
    const bool hasNext = anim.currentFrame + 1 <= anim.endFrame - 1;
    switch (anim.type) {
        case kAnimLoop:
            anim.currentFrame = hasNext ? anim.currentFrame + 1 : anim.startFrame;
            break;
        case kAnimPingPong:
            StepPingPong(sprite, anim);
            break;
        case kAnimOneShot:
            anim.currentFrame = static_cast<uint16_t>(hasNext ? anim.currentFrame + 1 : LastInRange(anim));
            break;
        default:
            break;  // an unknown type stands still
    }
}

// A frame that is not stepped still needs its transformed image once.
void KeepEffectReady(SpriteData& sprite) {
    if (sprite.effect != 0 && sprite.effectCache == nullptr) sprite.effectDirty = 1;
}

// The first animation whose state id equals the argument, or -1. The
// stored id is 16 bits, so negative or larger arguments never match.
int FindState(const SpriteData& sprite, int state) {
    for (size_t i = 0; i < sprite.anims.size(); ++i)
        if (static_cast<int>(sprite.anims[i].state) == state) return static_cast<int>(i);
    return -1;
}

// Animations are addressed from 1 in the property calls.
SpriteAnim* Addressed(SpriteData& sprite, int anim) {
    if (anim < 1 || anim > static_cast<int>(sprite.anims.size())) return nullptr;
    return &sprite.anims[static_cast<size_t>(anim - 1)];
}

bool KnownType(unsigned short type) {
    return type == kAnimLoop || type == kAnimPingPong || type == kAnimOneShot || type == KEEP_VALUE;
}

}  // namespace

SpriteAnim* Selected(SpriteData& sprite) {
    if (sprite.currentAnim < 0 || sprite.currentAnim >= static_cast<int>(sprite.anims.size())) return nullptr;
    return &sprite.anims[static_cast<size_t>(sprite.currentAnim)];
}

const SpriteAnim* Selected(const SpriteData& sprite) { return Selected(const_cast<SpriteData&>(sprite)); }

int Step(SpriteData& sprite) {
    if (sprite.status == kSpritePaused) {
        KeepEffectReady(sprite);
        return kPaused;
    }
    SpriteAnim* anim = Selected(sprite);
    if (anim == nullptr || anim->currentFrame == anim->endFrame) {
        KeepEffectReady(sprite);
        return kFrameKept;
    }
    const uint32_t now = clock_source::Ticks();
    if (sprite.lastTick == 0) sprite.lastTick = now;
    if (!FrameTimeOver(sprite, *anim, now)) return kFrameKept;
    // The next frame's time counts from this step: late draws do not catch up.
    sprite.lastTick = clock_source::Ticks();
    Advance(sprite, *anim);
    sprite.effectDirty = 1;
    return kFrameChanged;
}

}  // namespace sprite_animation

using sprite_animation::Selected;

unsigned char Veltrano_CSprite::SelectAnim(int state) {
    if (data->status == kSpriteEmpty) return 0;
    const int found = sprite_animation::FindState(*data, state);
    if (found < 0) {
        ILogSystem.Msg(2, " . [CSprite::SelectAnim(%d)] Warning: animation not found.\n", state);
        return 0;
    }
    SpriteAnim& next = data->anims[static_cast<size_t>(found)];
    if (next.type == kAnimOneShot) {
        next.currentFrame = next.startFrame;  // a One Shot restarts whenever it is selected
    } else {
        // Leaving a frame beyond the new range takes the new animation to
        // the end of its range; either way its frame is kept inside the
        // range so that nothing outside it is drawn or tested.
        const SpriteAnim* left = Selected(*data);
        if (left != nullptr && left->currentFrame > next.endFrame)
            next.currentFrame = static_cast<uint16_t>(sprite_animation::LastInRange(next));
        next.currentFrame = sprite_animation::ClampToRange(next.currentFrame, next);
    }
    data->currentAnim = found;
    return 1;
}

int Veltrano_CSprite::GetAnim() {
    const SpriteAnim* anim = data->status == kSpriteEmpty ? nullptr : Selected(*data);
    return anim != nullptr ? anim->state : -1;
}

unsigned char Veltrano_CSprite::SelectFrame(int frame) {
    SpriteAnim* anim = data->status == kSpriteEmpty ? nullptr : Selected(*data);
    if (anim == nullptr) return 0;
    anim->currentFrame = sprite_animation::ClampToRange(frame, *anim);
    return 1;
}

int Veltrano_CSprite::GetFrame() {
    const SpriteAnim* anim = data->status == kSpriteEmpty ? nullptr : Selected(*data);
    return anim != nullptr ? anim->currentFrame : -1;
}

unsigned char Veltrano_CSprite::SetAnimProperties(int anim, unsigned short type, unsigned short state,
                                                  short hotSpotX, short hotSpotY, unsigned short startFrame,
                                                  unsigned short endFrame) {
    if (data->status == kSpriteEmpty) return 0;
    SpriteAnim* record = sprite_animation::Addressed(*data, anim);
    if (record == nullptr) {
        ILogSystem.Msg(2, " . [CSprite::SetAnimProperties(%d,%d,%d,%d,%d,%d,%d)] Warning: animation not found.\n",
                       anim, type, state, hotSpotX, hotSpotY, startFrame, endFrame);
        return 0;
    }
    if (!sprite_animation::KnownType(type)) {
        ILogSystem.Msg(2, " . [CSprite::SetAnimProperties(%d,%d,%d,%d,%d,%d,%d)] Warning: wrong animation type.\n",
                       anim, type, state, hotSpotX, hotSpotY, startFrame, endFrame);
        return 0;
    }
    if (type != KEEP_VALUE) record->type = type;
    if (state != KEEP_VALUE) record->state = state;
    if (hotSpotX != KEEP_VALUE) record->hotSpotX = hotSpotX;
    if (hotSpotY != KEEP_VALUE) record->hotSpotY = hotSpotY;
    // The start is limited by the end still in force, so a range moved
    // upwards in one call stops at the old end.
    if (startFrame != KEEP_VALUE) {
        unsigned short start = startFrame;
        if (start > record->endFrame) start = record->endFrame;
        if (start > record->frameCount) start = record->frameCount;
        record->startFrame = start;
    }
    if (endFrame != KEEP_VALUE) {
        unsigned short end = endFrame;
        if (end < record->startFrame) end = record->startFrame;
        if (end > record->frameCount) end = record->frameCount;
        record->endFrame = end;
    }
    return 1;
}

void Veltrano_CSprite::GetAnimProperties(int anim, unsigned short* type, unsigned short* state,
                                         unsigned short* frameCount, short* hotSpotX, short* hotSpotY,
                                         unsigned short* startFrame, unsigned short* endFrame) {
    if (data->status == kSpriteEmpty) return;
    const SpriteAnim* record = sprite_animation::Addressed(*data, anim);
    if (record == nullptr) return;
    if (type != nullptr) *type = record->type;
    if (state != nullptr) *state = record->state;
    if (frameCount != nullptr) *frameCount = record->frameCount;
    if (hotSpotX != nullptr) *hotSpotX = record->hotSpotX;
    if (hotSpotY != nullptr) *hotSpotY = record->hotSpotY;
    if (startFrame != nullptr) *startFrame = record->startFrame;
    if (endFrame != nullptr) *endFrame = record->endFrame;
}

unsigned char Veltrano_CSprite::SetFrameProperties(int anim, int frame, unsigned int time) {
    if (data->status == kSpriteEmpty) return 0;
    SpriteAnim* record = sprite_animation::Addressed(*data, anim);
    const int shownTime = static_cast<int>(time);
    if (record == nullptr) {
        ILogSystem.Msg(2, " . [CSprite::SetFrame(%d,%d,%d)] Warning: animation not found.\n", anim, frame, shownTime);
        return 0;
    }
    if (frame < 0 || frame > static_cast<int>(record->frames.size())) {
        ILogSystem.Msg(2, " . [CSprite::SetFrame(%d,%d,%d)] Warning: frame not found.\n", anim, frame, shownTime);
        return 0;
    }
    if (frame == 0) {
        for (SpriteFrame& each : record->frames) each.time = time;
    } else {
        record->frames[static_cast<size_t>(frame - 1)].time = time;
    }
    return 1;
}

void Veltrano_CSprite::GetFrameProperties(int anim, int frame, unsigned int* time) {
    if (data->status == kSpriteEmpty || time == nullptr) return;
    const SpriteAnim* record = sprite_animation::Addressed(*data, anim);
    if (record == nullptr || frame < 1 || frame > static_cast<int>(record->frames.size())) return;
    *time = record->frames[static_cast<size_t>(frame - 1)].time;
}

void Veltrano_CSprite::SetAnimFactor(float factor) { data->animFactor = factor; }

void Veltrano_CSprite::Pause() {
    if (data->status != kSpriteEmpty) data->status = kSpritePaused;
}

void Veltrano_CSprite::Resume() {
    if (data->status != kSpriteEmpty) data->status = kSpriteRunning;
}

unsigned char Veltrano_CSprite::IsFinished() {
    if (data->status == kSpriteEmpty) return 1;
    const SpriteAnim* anim = Selected(*data);
    if (anim == nullptr) return 1;
    return anim->type == kAnimOneShot && anim->currentFrame + 1 == anim->endFrame ? 1 : 0;
}
