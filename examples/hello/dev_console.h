// The developer console in the demo: the backquote key opens it, the game
// adds the commands "coins" and "teleport x y", and the debug window (drag it
// with the mouse) watches the frame rates and the critter's position.
#ifndef HELLO_DEV_CONSOLE_H
#define HELLO_DEV_CONSOLE_H

// After each SetVideoMode: a new screen brings new windows.
void SetUpDeveloperConsole(bool selfPlaying);

// Once per logic frame: copies the live values the debug window shows.
void UpdateWatchedValues();

#endif
