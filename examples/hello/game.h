// The hello demo's small game: a critter collecting coins over a tiled
// field, a menu panel of widgets, texts, effects and the software pointer.
#ifndef HELLO_GAME_H
#define HELLO_GAME_H

// Plays for the given time (or until Escape or the window closes), then
// saves the last frame as hello.png.
void RunTheGame(int milliseconds);

#endif
