#include "core/mouse_source.h"

#include <SDL.h>

namespace mouse_source {
namespace {

uint8_t SdlState(int* x, int* y) { return SDL_GetMouseState(x, y); }

StateFunction current = SdlState;

}  // namespace

uint8_t State(int* x, int* y) { return current(x, y); }

StateFunction SetStateFunction(StateFunction function) {
    StateFunction previous = current;
    current = function ? function : SdlState;
    return previous;
}

}  // namespace mouse_source
