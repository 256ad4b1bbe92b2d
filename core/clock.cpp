#include "core/clock.h"

#include <SDL.h>

namespace clock_source {
namespace {

uint32_t SdlTicks() { return SDL_GetTicks(); }

TickFunction current = SdlTicks;

}  // namespace

uint32_t Ticks() { return current(); }

TickFunction SetTickFunction(TickFunction function) {
    TickFunction previous = current;
    current = function ? function : SdlTicks;
    return previous;
}

}  // namespace clock_source
