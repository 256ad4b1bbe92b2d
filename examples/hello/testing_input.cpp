#include "testing_input.h"

#include <vector>

namespace VeltranoTesting {

namespace {

std::vector<SDLKey> tapped;  // released on the next TapKey or ClearInput

void PushKey(Uint8 type, SDLKey key, SDLMod mod, Uint16 unicode) {
    SDL_Event event = {};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.mod = mod;
    event.key.keysym.unicode = unicode;
    SDL_PushEvent(&event);
    SDL_GetKeyState(nullptr)[key] = type == SDL_KEYDOWN ? 1 : 0;
}

void ReleaseTapped() {
    for (SDLKey key : tapped) PushKey(SDL_KEYUP, key, KMOD_NONE, 0);
    tapped.clear();
}

}  // namespace

void UseManualClock(int) {}
void SetClock(Uint32) {}
void AdvanceClock(Uint32) {}
Uint32 Clock() { return SDL_GetTicks(); }
void PressKey(SDLKey key, SDLMod mod, Uint16 unicode) { PushKey(SDL_KEYDOWN, key, mod, unicode); }
void ReleaseKey(SDLKey key) { PushKey(SDL_KEYUP, key, KMOD_NONE, 0); }
void TapKey(SDLKey key, SDLMod mod, Uint16 unicode) {
    ReleaseTapped();
    PushKey(SDL_KEYDOWN, key, mod, unicode);
    tapped.push_back(key);
}
void MoveMouse(int x, int y) { SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y)); }
void PressMouse(int) {}
void ReleaseMouse(int) {}
void Click(int x, int y, int) { MoveMouse(x, y); }
int PendingInput() { return static_cast<int>(tapped.size()); }
void ClearInput() { ReleaseTapped(); }

}  // namespace VeltranoTesting
