// The developer console and the debug window. The backquote key opens the
// console; the game adds the commands "level N", "spawn enemy|coin",
// "volume N" and "god". The debug window (drag it by its title with the
// mouse) watches the frame rates and the player's state.
#ifndef HELLO_DEV_CONSOLE_H
#define HELLO_DEV_CONSOLE_H

// After each SetVideoMode: a new screen brings new windows.
void SetUpDeveloperConsole();

// Once per logic frame: copies the live values the debug window shows.
void UpdateWatchedValues();

#endif
