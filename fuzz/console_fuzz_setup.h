// A screen with the developer windows enabled and shown, one game command
// and a few watches, for the console fuzzers.
#ifndef VELTRANO_FUZZ_CONSOLE_FUZZ_SETUP_H
#define VELTRANO_FUZZ_CONSOLE_FUZZ_SETUP_H

#include <string>
#include <vector>

#include "fuzz_setup.h"
#include "veltrano.h"

namespace console_fuzz {

inline int GameCommand(std::vector<std::string>* words) { return words->size() > 1 ? 1 : 0; }

inline int lives = 3;
inline double speed = 0.5;

// A fresh pair of windows, set up as a game would.
inline void FreshWindows() {
    if (Veltrano.SetVideoMode() != 1) std::abort();
    Veltrano.ConEnable();
    Veltrano.DwEnable();
    Veltrano.ConFeatures(4);
    Veltrano.ConSetVisible(1);
    Veltrano.DwSetVisible(1);
    Veltrano.ConFeatures(4);
    Veltrano.ConAddCmdHandler("spawn", "Spawn a monster", GameCommand);
    Veltrano.DwAddWatch("lives", &lives, &speed);
    Veltrano.DwAddWatch("speed", nullptr, &speed);
}

// The SDK with a 320 x 240 screen on the headless driver and a private
// folder for the files "save" writes.
inline void Start(const char* name) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    fuzz_setup::Start(name, "saved.txt");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) std::abort();
    Veltrano.Config.resolutionx = 320;
    Veltrano.Config.resolutiony = 240;
    Veltrano.Config.colordepth = 32;
    FreshWindows();
}

// Rebuilds the windows when an input disabled or hid the console.
inline void KeepUsable() {
    if (Veltrano.ConisEnabled() == 0 || Veltrano.ConisVisible() != 1) FreshWindows();
}

}  // namespace console_fuzz

#endif
