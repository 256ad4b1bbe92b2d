// Steps that making, loading, cloning and the property calls of a sprite
// share: the sheet's finishing touches and the master/slave bookkeeping.
#ifndef VELTRANO_SPRITES_SPRITE_MAKING_H
#define VELTRANO_SPRITES_SPRITE_MAKING_H

#include <SDL.h>

#include <cstdint>

#include "sprites/sprite_state.h"

namespace sprite_making {

const char* Text(const char* text);

// Background save and restore is on unless there is no screen yet, the
// screen is double-buffered or the core draws through OpenGL.
int32_t InitialAutoRestore();

// The 32-bit software copy of the sheet the OpenGL back-end reads frames
// from; null outside OpenGL mode.
SDL_Surface* MakeGLCopy(SDL_Surface* sheet);

// The OpenGL copy's alpha and key (a colour mapped into its format; null
// for none); nothing without a copy.
void GiveGLCopyKeyAndAlpha(SDL_Surface* glCopy, uint8_t alpha, const SDL_Color* key);

// The sheet in the screen's format when it differs (a sheet with per-pixel
// alpha keeps its channel, and origin, e.g. "Load('a.dpf','hero')", names
// the call in the information line that says so). True when converted.
bool ConvertForScreen(SpriteData& sprite, const char* origin);

// The background surface under one frame when autoRestore is on.
void MakeBackgroundWhenRestoring(SpriteData& sprite, int bitsPerPixel);

// A master's copy of its sheet's pixels when the core checks for lost
// surfaces (null otherwise).
void TakePixelBackup(SpriteData& sprite);

// Frees what the sprite owns (a slave only its own records), tells slaves
// of a master that it is gone, leaves its master's list, and puts every
// field back to its empty value. The name stays.
void Release(SpriteData& sprite);

// The colour key rule without the "unchanged" shortcut (making sets the key
// whatever the field held before); the sprite's sheet must be acquired.
void ApplyColorKey(SpriteData& sprite, int key);

// Puts a converted sheet in place of the sprite's one (freed); a slave
// replaces its master's sheet, which it shares.
void ReplaceSheet(SpriteData& sprite, SDL_Surface* converted);

// A coordinate cut to 16 bits (as blocks and the information dump keep
// it); values outside any integer range end at its limits first.
int16_t To16Bits(double whole);

// Copies name into the field, cut to 31 characters.
void StoreName(SpriteData& sprite, const char* name);

}  // namespace sprite_making

#endif
