#include "core/clock.h"

#include <SDL.h>

namespace clock_source {
namespace {

uint32_t SdlTicks() { return SDL_GetTicks(); }

TickFunction current = SdlTicks;

void SdlWait(uint32_t milliseconds) {
    if (milliseconds > 0) SDL_Delay(milliseconds);
}

WaitFunction currentWait = SdlWait;

}  // namespace

uint32_t Ticks() { return current(); }

TickFunction SetTickFunction(TickFunction function) {
    TickFunction previous = current;
    current = function ? function : SdlTicks;
    return previous;
}

void Wait(uint32_t milliseconds) { currentWait(milliseconds); }

WaitFunction SetWaitFunction(WaitFunction function) {
    WaitFunction previous = currentWait;
    currentWait = function ? function : SdlWait;
    return previous;
}

}  // namespace clock_source
