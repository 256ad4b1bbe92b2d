// The screen flip the fades wait on. Each fade step flips repeatedly until
// its share of the duration has passed on the SDK clock; tests replace the
// flip with one that moves a manual clock, so no test waits.
#ifndef VELTRANO_IMAGING_SCREEN_FX_FADES_H
#define VELTRANO_IMAGING_SCREEN_FX_FADES_H

#include <SDL.h>

namespace screen_fx {

using FlipFunction = void (*)(SDL_Surface* screen);

// Replaces the flip; null restores SDL_Flip. Returns the previous function.
FlipFunction SetFlipFunction(FlipFunction function);

}  // namespace screen_fx

#endif
