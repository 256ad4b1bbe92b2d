#include "archive/compact_pause.h"

#include <SDL.h>

namespace compact_pause {
namespace {

void SdlPause(uint32_t milliseconds) { SDL_Delay(milliseconds); }

PauseFunction current = SdlPause;

}  // namespace

void Pause() { current(kMilliseconds); }

PauseFunction SetPauseFunction(PauseFunction function) {
    PauseFunction previous = current;
    current = function != nullptr ? function : SdlPause;
    return previous;
}

}  // namespace compact_pause
