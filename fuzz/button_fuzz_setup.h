// Start-up shared by the widget fuzzers: the SDK on a small headless
// screen, a render callback that draws the widgets, the mouse read from
// the fuzzer's bytes, and widget pictures stored in an archive.
#ifndef VELTRANO_FUZZ_BUTTON_FUZZ_SETUP_H
#define VELTRANO_FUZZ_BUTTON_FUZZ_SETUP_H

#include <cstdint>
#include <cstdlib>
#include <string>

#include "Veltrano_CTile.h"
#include "Veltrano_IButton.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_ITimeSystem.h"
#include "Veltrano_Main.h"
#include "core/mouse_source.h"
#include "fuzz_setup.h"

namespace button_fuzz {

struct Mouse {
    int x = 0, y = 0;
    uint8_t buttons = 0;
};

inline Mouse& CurrentMouse() {
    static Mouse mouse;
    return mouse;
}

inline uint8_t MouseState(int* x, int* y) {
    if (x != nullptr) *x = CurrentMouse().x;
    if (y != nullptr) *y = CurrentMouse().y;
    return CurrentMouse().buttons;
}

inline void DrawWidgets(int) { IButton->Draw(); }

// The SDK with a 64x64 screen; every Update pass runs a logic frame and a render.
inline const std::string& Start(const char* name, const char* fileName) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string& file = fuzz_setup::Start(name, fileName);
    // The shared start brings the SDK up without video; a screen needs it.
    Veltrano.Quit();
    if (Veltrano.Init(SDL_INIT_VIDEO) != 1) std::abort();
    Veltrano.Config.resolutionx = 64;
    Veltrano.Config.resolutiony = 64;
    Veltrano.Config.colordepth = 32;
    Veltrano.Config.window = 1;
    if (Veltrano.SetVideoMode() != 1) std::abort();
    ITimeSystem->Init(0);
    mouse_source::SetStateFunction(MouseState);
    Veltrano.SetRenderCallback(DrawWidgets);
    return file;
}

// Stores a w x h picture as the TILB2 block name.
inline void StorePicture(int handle, const std::string& name, int w, int h) {
    SDL_Surface* surface = SDL_CreateRGBSurface(0, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    if (surface == nullptr) std::abort();
    SDL_FillRect(surface, nullptr, static_cast<Uint32>(name.size() * 0x203040));
    Veltrano_CTile tile;
    tile.Create(surface, name.c_str());
    SDL_FreeSurface(surface);
    tile.Save(handle, "TILB2");
}

// All four pictures of the widget name: a 24x8 bar or button, a 4x4 knob.
inline void StoreWidgetPictures(int handle, const std::string& name) {
    StorePicture(handle, name + "_n", 60, 8);
    StorePicture(handle, name + "_p", 4, 4);
    StorePicture(handle, name + "_o", 60, 8);
    StorePicture(handle, name + "_s", 60, 8);
}

}  // namespace button_fuzz

#endif
