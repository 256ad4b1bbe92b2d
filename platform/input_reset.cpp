// SDL 1.2 keeps its keyboard and mouse reset functions private; these do the
// part of a reset the SDK relies on: no modifier or key is held afterwards
// and the next mouse query reports no button, as after a fresh start.
#include "platform/platform.h"

#include <SDL.h>

namespace platform {

void ResetKeyboard() {
    SDL_SetModState(KMOD_NONE);
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    // Drop queued key events so that no stale press reaches the game.
    SDL_Event discarded;
    while (SDL_PeepEvents(&discarded, 1, SDL_GETEVENT, SDL_KEYDOWNMASK | SDL_KEYUPMASK) > 0) {
    }
}

void ResetMouse() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event discarded;
    while (SDL_PeepEvents(&discarded, 1, SDL_GETEVENT,
                          SDL_MOUSEBUTTONDOWNMASK | SDL_MOUSEBUTTONUPMASK) > 0) {
    }
}

}  // namespace platform
