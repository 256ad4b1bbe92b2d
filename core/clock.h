// The SDK's millisecond clock. Everything time-driven reads it through here
// so tests can substitute a clock they control.
#ifndef VELTRANO_CORE_CLOCK_H
#define VELTRANO_CORE_CLOCK_H

#include <cstdint>

namespace clock_source {

using TickFunction = uint32_t (*)();

// Milliseconds since SDL started (SDL_GetTicks unless replaced).
uint32_t Ticks();

// Replaces the clock; null restores SDL's. Returns the previous function.
TickFunction SetTickFunction(TickFunction function);

}  // namespace clock_source

#endif
