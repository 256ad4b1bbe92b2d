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

using WaitFunction = void (*)(uint32_t milliseconds);

// Called by code that waits, inside one call, for the clock to move: on
// the real clock it sleeps that long (0: not at all, the caller spins); a
// clock that only a test moves is moved on instead (at least a
// millisecond), so such waits end under it too.
void Wait(uint32_t milliseconds);

// Replaces the wait; null restores the real one. Returns the previous one.
WaitFunction SetWaitFunction(WaitFunction function);

}  // namespace clock_source

#endif
