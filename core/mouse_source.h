// Where the logic frame reads the mouse from. SDL's mouse state unless
// replaced, so tests can hold buttons down without a window system.
#ifndef VELTRANO_CORE_MOUSE_SOURCE_H
#define VELTRANO_CORE_MOUSE_SOURCE_H

#include <cstdint>

namespace mouse_source {

// Writes the position and returns the buttons as SDL_GetMouseState does.
using StateFunction = uint8_t (*)(int* x, int* y);

uint8_t State(int* x, int* y);

// Replaces the source; null restores SDL's. Returns the previous function.
StateFunction SetStateFunction(StateFunction function);

}  // namespace mouse_source

#endif
