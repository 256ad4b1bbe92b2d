/// @file
/// A testing aid for games: drives the SDK headless and deterministically
/// from a game's own tests. Not part of veltrano.h; include it in tests only.
///
/// The clock: with the manual clock on, everything that reads the SDK's clock
/// (timers, the time system and the frame pacing, fades, widget and console
/// key repeats, the log's stamps) sees only what SetClock and AdvanceClock
/// set. A call that waits on the clock by itself moves the manual clock on
/// as it waits instead of sleeping: a fade advances it a millisecond per
/// shown step until its time is over, a client's connection attempts by
/// their pause until the connect timeout.
///
/// The input: scripted key and mouse events join a queue that
/// Veltrano.Update() hands out before SDL's own events, one per call. When an
/// event is handed out, SDL's key state array, the modifier state and the
/// mouse the SDK reads agree with it, so the game's event handling, its
/// SDL_GetKeyState reads, Veltrano.GetKeystate, the widgets, the console and
/// the software cursor all see it. Each scripted event after the first waits
/// until a logic frame has read the input the one before left, so every
/// press and move is seen by at least one frame. Once a mouse event has been
/// handed out the SDK reads the mouse from the script until ClearInput.
#ifndef VELTRANO_TESTING_H
#define VELTRANO_TESTING_H

#include <SDL.h>

#include "veltrano_export.h"

/// The testing aid's calls: the manual clock and scripted input.
namespace VeltranoTesting {

/// Switches the manual clock on or off.
/// @param enable  1: the SDK's clock stops following real time and keeps its
///                current reading until SetClock or AdvanceClock moves it;
///                0: back to real time.
VELTRANO_API void UseManualClock(int enable);
/// Sets the manual clock.
/// @param milliseconds  the reading the SDK's clock gives from now on.
/// Ignored while the manual clock is off, logging
/// " . [VeltranoTesting::SetClock()] Warning: the manual clock is off." (level 2).
VELTRANO_API void SetClock(Uint32 milliseconds);
/// Moves the manual clock on.
/// @param milliseconds  how far.
/// Ignored while the manual clock is off, logging
/// " . [VeltranoTesting::AdvanceClock()] Warning: the manual clock is off." (level 2).
VELTRANO_API void AdvanceClock(Uint32 milliseconds);
/// The SDK clock's reading, manual or real.
/// @return milliseconds.
VELTRANO_API Uint32 Clock();

/// Queues a key going down.
/// @param key        the key; keys outside SDL's table are refused and logged.
/// @param modifiers  the modifiers held with it; they end with its release.
/// @param unicode    the character it types, for games that read SDL's unicode field.
VELTRANO_API void PressKey(SDLKey key, SDLMod modifiers = KMOD_NONE, Uint16 unicode = 0);
/// Queues a key coming up.
/// @param key  the key; keys outside SDL's table are refused and logged.
VELTRANO_API void ReleaseKey(SDLKey key);
/// Queues a press and its release: down in the next Update, up once a logic
/// frame has seen it down.
/// @param key        the key; keys outside SDL's table are refused and logged.
/// @param modifiers  the modifiers held with it.
/// @param unicode    the character it types.
VELTRANO_API void TapKey(SDLKey key, SDLMod modifiers = KMOD_NONE, Uint16 unicode = 0);

/// Queues a mouse move.
/// @param x  the new position, 0..65535 (others are refused and logged).
/// @param y  the new position, 0..65535.
VELTRANO_API void MoveMouse(int x, int y);
/// Queues a mouse button going down where the mouse is.
/// @param button  SDL's number: SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, ... (1..8).
VELTRANO_API void PressMouse(int button);
/// Queues a mouse button coming up where the mouse is.
/// @param button  SDL's number, 1..8.
VELTRANO_API void ReleaseMouse(int button);
/// Queues a click: move and press delivered in the next Update, the release
/// in the one after, so code that polls the button each frame sees it held
/// for one frame.
/// @param x       where, 0..65535.
/// @param y       where, 0..65535.
/// @param button  SDL's number, 1..8.
VELTRANO_API void Click(int x, int y, int button = SDL_BUTTON_LEFT);

/// Scripted events not yet handed out.
/// @return their number (the queue holds at most 4096; more are refused and logged).
VELTRANO_API int PendingInput();
/// Drops the events not yet handed out, lets go of the keys and mouse
/// buttons the script holds (without release events) and gives the mouse
/// back to SDL.
VELTRANO_API void ClearInput();

}  // namespace VeltranoTesting

#endif
