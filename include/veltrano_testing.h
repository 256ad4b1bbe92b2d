// A testing aid for games: drives the SDK headless and deterministically
// from a game's own tests. Not part of veltrano.h; include it in tests only.
//
// The clock: with the manual clock on, everything that reads the SDK's clock
// (timers, the time system and the frame pacing, fades, widget and console
// key repeats, the log's stamps) sees only what SetClock and AdvanceClock
// set. A call that waits on the clock by itself (a fade, a client's connect
// timeout) then waits until the clock is moved: keep such calls short or
// out of manually clocked tests.
//
// The input: scripted key and mouse events join a queue that
// Veltrano.Update() hands out before SDL's own events, one per call. When an
// event is handed out, SDL's key state array, the modifier state and the
// mouse the SDK reads agree with it, so the game's event handling, its
// SDL_GetKeyState reads, Veltrano.GetKeystate, the widgets, the console and
// the software cursor all see it. Each scripted event after the first waits
// until a logic frame has read the input the one before left, so every
// press and move is seen by at least one frame. Once a mouse event has been
// handed out the SDK reads the mouse from the script until ClearInput.
#ifndef VELTRANO_TESTING_H
#define VELTRANO_TESTING_H

#include <SDL.h>

#include "veltrano_export.h"

namespace VeltranoTesting {

// 1: the SDK's clock stops following real time and keeps its current
// reading until SetClock or AdvanceClock moves it; 0: back to real time.
VELTRANO_API void UseManualClock(int enable);
// Set or move the manual clock (ignored, with a warning, while it is off).
VELTRANO_API void SetClock(Uint32 milliseconds);
VELTRANO_API void AdvanceClock(Uint32 milliseconds);
// The SDK clock's reading, manual or real.
VELTRANO_API Uint32 Clock();

// A key goes down with the modifiers held (and the character it types, for
// games that read SDL's unicode field); the modifiers end with its release.
VELTRANO_API void PressKey(SDLKey key, SDLMod modifiers = KMOD_NONE, Uint16 unicode = 0);
VELTRANO_API void ReleaseKey(SDLKey key);
// Press now, release one Update later.
VELTRANO_API void TapKey(SDLKey key, SDLMod modifiers = KMOD_NONE, Uint16 unicode = 0);

VELTRANO_API void MoveMouse(int x, int y);
// Buttons are SDL's numbers: SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, ...
VELTRANO_API void PressMouse(int button);
VELTRANO_API void ReleaseMouse(int button);
// Move and press delivered in the next Update, release in the one after, so
// code that polls the button each frame sees it held for one frame.
VELTRANO_API void Click(int x, int y, int button = SDL_BUTTON_LEFT);

// Scripted events not yet handed out.
VELTRANO_API int PendingInput();
// Drops the events not yet handed out, lets go of the keys and mouse
// buttons the script holds and gives the mouse back to SDL.
VELTRANO_API void ClearInput();

}  // namespace VeltranoTesting

#endif
