// The hello demo's game: an intro film, a title menu, options, two levels
// for one or two players, a high-score table, and the developer console.
// game.cpp holds the frame loop and switches between the screens.
#ifndef HELLO_GAME_H
#define HELLO_GAME_H

// The player's settings (resolution, window mode, volumes): written with the
// defaults on the first run, read on every run, rewritten by the options.
constexpr const char* kSettingsFile = "hello-setup.xml";

// Logic frames a second: the game's rules count time in frames.
constexpr int kLogicRate = 60;

// Plays until the player quits (or, self-playing, until the tour is over),
// then saves the last frame as hello.png.
void RunTheGame();

// Opens the screen again after the options changed the resolution or the
// window mode; false when the new mode was refused (the old one is back).
bool ReopenScreen();

// True in the logic frame a key went down: a key still held from the
// previous screen does not act on the next one.
bool KeyWentDown(int key);

#endif
