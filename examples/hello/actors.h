// The cast of a level: the player's critter, the second player's (shown
// where the network says it is), the coins and the enemy blobs. All are
// sprites from the archive; coins and blobs are clones of one master each,
// sharing its sheet. Positions are field pixels (the middle of the sprite).
#ifndef HELLO_ACTORS_H
#define HELLO_ACTORS_H

#include <veltrano.h>

#include <vector>

#include "level.h"

struct Actor {
    Veltrano_CSprite* sprite = nullptr;
    float x = 0, y = 0;
    float dx = 0, dy = 0;  // pixels per logic frame
    bool active = true;    // collected coins stay, inactive, until the level ends
};

struct Cast {
    Actor player, rival;
    std::vector<Actor> coins, enemies;
};
Cast& TheCast();

// Loads the masters; false when the archive lacks a sheet.
bool LoadCast();
void FreeCast();

// The player at the level's start, its coins and enemies in their cells.
void ResetCast(const Level& level);
void AddCoin(float x, float y);
void AddEnemy(float x, float y, float dx, float dy);

// Walk or blink, by whether the critter moved this frame.
void SetWalking(Actor& actor, bool walking);
// Moves every sprite to its actor's place, the field's top-left at (left,
// top); smooth: glide there over the next logic frame.
void PlaceSprites(int left, int top, bool smooth);
// True when the two sprites' pictures overlap (where they were last placed).
bool Touching(const Actor& a, const Actor& b);
void DrawCast(SDL_Surface* target, bool withRival, bool withPlayer);

#endif
