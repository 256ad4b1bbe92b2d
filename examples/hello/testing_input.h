// Scripted input for the self-playing run, with the calls of the SDK's
// testing aid (veltrano_testing.h). Until that aid is part of the SDK this
// stand-in implements them with what SDL offers: keys are pushed as events
// and marked down in SDL's key table, the mouse is warped; mouse buttons and
// the clock cannot be scripted here (the self-play falls back to keys).
#ifndef HELLO_TESTING_INPUT_H
#define HELLO_TESTING_INPUT_H

#include <SDL.h>

namespace VeltranoTesting {

void UseManualClock(int on);
void SetClock(Uint32 ms);
void AdvanceClock(Uint32 ms);
Uint32 Clock();
void PressKey(SDLKey key, SDLMod mod = KMOD_NONE, Uint16 unicode = 0);
void ReleaseKey(SDLKey key);
void TapKey(SDLKey key, SDLMod mod = KMOD_NONE, Uint16 unicode = 0);
void MoveMouse(int x, int y);
void PressMouse(int button);
void ReleaseMouse(int button);
void Click(int x, int y, int button = SDL_BUTTON_LEFT);
int PendingInput();
void ClearInput();

}  // namespace VeltranoTesting

#endif
