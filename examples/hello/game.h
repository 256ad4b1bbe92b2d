// The hello demo's small game: a window, a bouncing box over a scene drawn
// with the SDK's pictures and primitives, the software mouse pointer.
#ifndef HELLO_GAME_H
#define HELLO_GAME_H

// Plays for the given time (or until Escape or the window closes), then
// saves the last frame as hello.png.
void RunTheGame(int milliseconds);

#endif
