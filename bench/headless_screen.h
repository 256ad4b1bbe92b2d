// The start every screen benchmark shares: the SDK on SDL's headless
// drivers with a 640 x 480, 32-bit screen.
#ifndef VELTRANO_BENCH_HEADLESS_SCREEN_H
#define VELTRANO_BENCH_HEADLESS_SCREEN_H

#include <cstdlib>

#include "veltrano.h"

// False when the SDK or the screen cannot start.
inline bool StartHeadlessScreen() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (Veltrano.Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 1) return false;
    Veltrano.Config.colordepth = 32;
    Veltrano.Config.resolutionx = 640;
    Veltrano.Config.resolutiony = 480;
    return Veltrano.SetVideoMode() == 1;
}

#endif
