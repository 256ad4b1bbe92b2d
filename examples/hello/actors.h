// The game's actors: a critter that walks where the arrow keys send it (or,
// in the self-playing demo, towards the nearest coin) and spinning coins it
// collects. All are sprites loaded from the demo's archive; the coins are
// clones of one master coin and share its sheet.
#ifndef HELLO_ACTORS_H
#define HELLO_ACTORS_H

#include <SDL.h>

// Loads the sprites; false when the archive lacks them (the game then runs
// without actors).
bool LoadActors(int fieldWidth, int fieldHeight);
void FreeActors();

// One logic frame: moves the critter by the keys (or by itself), moves the
// coins, collects the coins it touches. With smooth, every rendered frame
// between two logic frames shows the actors part of the way.
void StepActors(bool selfPlaying, bool smooth);

// Draws the coins, the big idol coin and the critter into target.
void DrawActors(SDL_Surface* target);

// Outlines the critter and the coin nearest to it on the screen, with their
// overlap when they touch.
void ShowNearestCollision();

int CoinsCollected();

// Where the critter stands, and a jump to (x, y) kept inside the field.
void CritterPosition(int& x, int& y);
void TeleportCritter(int x, int y);

#endif
