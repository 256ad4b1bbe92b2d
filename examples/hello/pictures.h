// Pictures the hello demo's asset maker draws and saves as PNG: the game's
// sprite sheets and the menu's widget pictures.
#ifndef HELLO_PICTURES_H
#define HELLO_PICTURES_H

#include <SDL.h>

#include <filesystem>

// A 32-bit surface with an alpha channel, fully transparent.
SDL_Surface* NewClearPicture(int w, int h);

// Saves and frees picture; false (with a message) when it cannot be written.
bool SavePicture(SDL_Surface* picture, const std::filesystem::path& path);

// critter.png and rival.png, the two players (32 x 32 frames: a walk row of
// 4 and a blink row of 3), blob.png, the enemy (32 x 32: a pulsing row of
// 4), and coin.png (16 x 16 frames: one spinning row of 6).
bool SaveSpriteSheets(const std::filesystem::path& folder);

// The menu's widget pictures: button-*.png, slider-*.png, check-*.png and
// input-*.png (normal, over, pressed and off pictures).
bool SaveMenuPictures(const std::filesystem::path& folder);

#endif
