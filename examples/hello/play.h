// What the play screen offers the console commands, the debug window and
// the self-playing run besides its screen calls (screens.h).
#ifndef HELLO_PLAY_H
#define HELLO_PLAY_H

struct PlayerState {
    int x = 0, y = 0;  // field pixels
    int score = 0, lives = 0, level = 0;
    int coinsLeft = 0, hits = 0, secondsLeft = 0;
    bool god = false, twoPlayers = false;
};
// The live state, refreshed every logic frame.
const PlayerState& ThePlayer();

// Console commands: false when there is no level being played.
bool GoToLevel(int number);
bool Spawn(bool enemy);  // a blob, or a coin, in a free cell near the player
bool ToggleGod();

// Where the self-playing run steers: the nearest coin left or enemy, in
// field pixels; false when there is none.
bool NearestCoin(float& x, float& y);
bool NearestEnemy(float& x, float& y);
// The second player, in field pixels, as it moves itself (not as relayed).
void SecondPlayerPosition(float& x, float& y);
bool SecondPlayerSeen();  // the server has relayed it at least once

#endif
