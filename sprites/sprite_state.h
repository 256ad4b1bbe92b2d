// The private records of a sprite: its data, its animations and their frames,
// and the steps that making, storage, drawing and collision share.
#ifndef VELTRANO_SPRITES_SPRITE_STATE_H
#define VELTRANO_SPRITES_SPRITE_STATE_H

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "core/surface_ptr.h"

class Veltrano_CSprite;

// One frame of an animation: 16 bytes in the block (time, 12 reserved bytes).
struct SpriteFrame {
    uint32_t time = 100;  // display time in milliseconds
};

// One animation = one row of the sheet. The block keeps it as 64 bytes with a
// meaningless 32-bit slot where memory keeps the frame array.
struct SpriteAnim {
    uint16_t type = 2;          // 2 Loop, 4 Ping-Pong, 8 One Shot
    uint16_t state = 0;         // direction category (high byte) and index
    uint16_t frameCount = 0;
    uint16_t currentFrame = 0;  // from 0
    std::vector<SpriteFrame> frames;
    uint16_t startFrame = 0;    // first frame of the range that plays
    uint16_t endFrame = 0;      // one past the last frame of the range
    int16_t hotSpotX = 0;       // the frame's point placed on the position
    int16_t hotSpotY = 0;
};

// Animation types.
constexpr uint16_t kAnimLoop = 2;
constexpr uint16_t kAnimPingPong = 4;
constexpr uint16_t kAnimOneShot = 8;

// Sprite status and kind.
constexpr int kSpriteEmpty = 0;
constexpr int kSpriteRunning = 1;
constexpr int kSpritePaused = 2;
constexpr uint8_t kKindNone = 0;
constexpr uint8_t kKindMaster = 1;
constexpr uint8_t kKindSlave = 2;

struct SpriteData {
    int32_t interpolate = 0;
    float drawX = 0.0f, drawY = 0.0f;  // where the frame was last drawn
    float stepX = 0.0f, stepY = 0.0f;  // largest interpolated distance so far
    float posX = 0.0f, posY = 0.0f;    // target position
    float prevX = 0.0f, prevY = 0.0f;  // position before the interpolated move
    float animFactor = 1.0f;
    SDL_Rect bgRect = {0, 0, 0, 0};
    SDL_Surface* sheet = nullptr;      // owned by a master, borrowed by a slave
    SDL_Surface* glCopy = nullptr;     // 32-bit software copy in OpenGL mode
    SDL_Surface* bgSurface = nullptr;  // screen under the last drawn frame
    int32_t frameWidth = 0, frameHeight = 0;
    int32_t status = kSpriteEmpty;
    char name[32] = {};
    uint32_t lastTick = 0;             // 0: the animation clock starts at the next Draw
    int8_t pingPongStep = 1;
    int32_t autoRestore = 0;
    uint8_t bgSaved = 0;
    uint8_t kind = kKindNone;
    int32_t perPixelAlpha = 0;
    int32_t alpha = 0;
    int32_t colorKey = -1;
    // The sheet's pixels (pitch x height) for refilling lost video memory;
    // owned by the master, shared by its slaves.
    uint8_t* pixelBackup = nullptr;
    Veltrano_CSprite* master = nullptr;
    int32_t collisionMethod = -1;
    int32_t effect = 0;
    int32_t effectDirty = 0;
    int32_t effectMode = 0;
    double effectParam1 = 0.0, effectParam2 = 0.0;
    SurfacePtr effectCache;  // the current frame with the effect applied
    int32_t animCount = 0;
    int32_t currentAnim = 0;
    std::vector<SpriteAnim> anims;

    // Master and slaves keep each other's records so that a master can tell
    // its slaves it is gone: the master lists its slaves, a slave points at
    // its master's record and loses it (masterGone) when the master is
    // deleted or cleaned.
    SpriteData* masterData = nullptr;
    std::vector<SpriteData*> slaves;
    bool masterGone = false;
};

namespace sprite_state {

// Slave validation: a slave takes sheet and glCopy from its master. False,
// with an error naming the slave logged at level 0 (origin is the operation,
// e.g. "Draw"), when the master is gone. Masters and empty sprites pass.
bool AcquireSheet(SpriteData& sprite, const char* origin);

// The sheet to read frames from: glCopy when the sheet is a texture.
SDL_Surface* FrameSource(const SpriteData& sprite);

// A surface of width x height at bitsPerPixel (32 or 24) for the background
// under a frame: alpha off, no colour key, in the display format when the
// screen needs it. Null when it cannot be made.
SDL_Surface* MakeBackground(int width, int height, int bitsPerPixel);

}  // namespace sprite_state

#endif
