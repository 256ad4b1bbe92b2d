// Sprites: animated pictures cut from one sheet, a grid of equal frames where
// every row is one animation and every column one frame of it. Made from an
// image file or a surface, stored in DPF archives as "SPR2" blocks (version 1
// "SPR" blocks are upgraded in place when loaded). Slaves made by Clone share
// their master's sheet; the master must outlive them. The game creates and
// deletes sprites itself; the core counts the live ones.
#ifndef VELTRANO_CSPRITE_H
#define VELTRANO_CSPRITE_H

#include <SDL.h>
#include "veltrano_types.h"

// An argument of SetAnimProperties with this value leaves its property as it
// is (so the real value 2730 cannot be set through that call).
#define KEEP_VALUE 2730

// Animation types (SpriteAnim type).
#define SPRITE_ANIM_LOOP 2       // 0 1 2 3 0 1 ...
#define SPRITE_ANIM_PINGPONG 4   // 0 1 2 3 2 1 0 1 ...
#define SPRITE_ANIM_ONESHOT 8    // 0 1 2 3 and stays on 3

// Direction categories of an animation's state id (high byte; the low byte is
// a free index). A sprite made from a surface gives row i the state 0x8000+i.
#define SPRITE_STATE_NORMAL 0x8000
#define SPRITE_STATE_UP 0x4000
#define SPRITE_STATE_DOWN 0x2000
#define SPRITE_STATE_LEFT 0x1000
#define SPRITE_STATE_RIGHT 0x0800
#define SPRITE_STATE_UPLEFT 0x0400
#define SPRITE_STATE_UPRIGHT 0x0200
#define SPRITE_STATE_DOWNLEFT 0x0100
#define SPRITE_STATE_DOWNRIGHT 0xC000

// Special effects of SetEffect.
#define SPRITE_FX_NONE 0
#define SPRITE_FX_FLIP 1
#define SPRITE_FX_MIRROR 2
#define SPRITE_FX_RESIZE 3
#define SPRITE_FX_ROTATE 4
#define SPRITE_FX_ROTATERESIZE 5

struct SpriteData;

class VELTRANO_API Veltrano_CSprite {
public:
    Veltrano_CSprite();
    ~Veltrano_CSprite();
    Veltrano_CSprite(const Veltrano_CSprite&) = delete;
    Veltrano_CSprite& operator=(const Veltrano_CSprite&) = delete;

    // Making: from a BMP or PNG file, or from a copy of a surface whose size
    // is a whole number of frames. Number of animations, 0 on failure.
    int Create(const char* file, const char* name, int frameWidth, int frameHeight);
    int Create(SDL_Surface* surface, const char* name, int frameWidth, int frameHeight);
    // Storage: the "SPR2" block of that name (an "SPR" block is upgraded in
    // place first); note is used only in log lines. Number of animations or 0.
    int Load(const char* dpfFile, const char* name, const char* note);
    int Load(int dpf, const char* name, const char* note);
    // Stores the sprite as a block named after it; AddData's result or 0.
    // Save by file name creates the archive when it does not exist.
    int Save(const char* dpfFile, const char* blockType);
    int Save(int dpf, const char* blockType);
    // Makes this (empty) sprite a slave of master, sharing its sheet.
    int Clone(Veltrano_CSprite* master);
    // Releases a running sprite and makes it empty (a paused one stays).
    void Clean();

    void AutoRestore(char on);
    void SetColorKey(int key);
    void SetColorKey(int r, int g, int b);
    int GetColorKey();
    void SetAlpha(int alpha);
    // 0..255, 256 with per-pixel alpha, -1 when empty.
    int GetAlpha();
    void SetName(const char* name);
    char* GetName();
    SDL_Surface* GetSurface();
    void GetOffset(int* width, int* height);
    void Info();

    // Animation. SelectAnim takes a state id; the property calls address
    // animations from 1 and frames from 1 (frame 0 = all frames), while
    // current, start and end frames count from 0.
    unsigned char SelectAnim(int state);
    int GetAnim();
    unsigned char SelectFrame(int frame);
    int GetFrame();
    unsigned char SetAnimProperties(int anim, unsigned short type, unsigned short state,
                                    short hotSpotX, short hotSpotY,
                                    unsigned short startFrame, unsigned short endFrame);
    void GetAnimProperties(int anim, unsigned short* type, unsigned short* state,
                           unsigned short* frameCount, short* hotSpotX, short* hotSpotY,
                           unsigned short* startFrame, unsigned short* endFrame);
    unsigned char SetFrameProperties(int anim, int frame, unsigned int time);
    void GetFrameProperties(int anim, int frame, unsigned int* time);
    // Frame times are divided by factor.
    void SetAnimFactor(float factor);
    void Pause();
    void Resume();
    // 1 when a One Shot animation shows its last frame (or the sprite is empty).
    unsigned char IsFinished();

    // Position of the hot spot; interpolate > 0 smooths the move over the
    // current logic frame. GetPosX/GetPosY give the target at once.
    void SetPosition(int x, int y, int interpolate);
    int GetPosX();
    int GetPosY();
    // One of the SPRITE_FX_ effects; mode 0 or 1, param1 the angle or the
    // horizontal factor, param2 the vertical factor or the scale.
    void SetEffect(int effect, int mode, double param1, double param2);

    void SetCollisionMethod(int method);
    int GetCollisionMethod();

    // Steps the animation and draws the current frame (a null target is the
    // screen): 0 failure, 1 the frame changed, 2 it did not, 3 paused.
    int Draw(SDL_Surface* target);
    // 1 when the current frames overlap. Positions of -1 mean where the
    // sprite was last drawn.
    int Collision(Veltrano_CSprite* other, short otherX, short otherY, short x, short y,
                  unsigned char showBoxes);
    int Collision(SDL_Surface* surface, SDL_Rect* rect, short x, short y, unsigned char showBoxes);

private:
    SpriteData* data;
};

#endif
