// Arbitrary bytes as typing: each pair of bytes is one key, 8 plus the
// first byte and the low bit of the second (codes 8 to 295), with Shift held
// when bit 1 of the second is set. Each key is pressed through SDL's key
// state for one Update, the clock moved past the key repeat delay. The
// command line must stay within its capacity and the console usable.
#include <cstdint>
#include <cstdlib>

#include "console_fuzz_setup.h"
#include "core/clock.h"

namespace {

uint32_t now = 1000;
uint32_t ManualTicks() { return now; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (console_fuzz::Start("fuzz_console_keys"), true);
    (void)started;
    clock_source::SetTickFunction(ManualTicks);
    Uint8* keys = SDL_GetKeyState(nullptr);
    for (size_t i = 0; i + 1 < size; i += 2) {
        const int key = 8 + ((data[i] | (data[i + 1] & 1) << 8) % 288);
        SDL_SetModState(data[i + 1] & 2 ? KMOD_LSHIFT : KMOD_NONE);
        keys[key] = 1;
        now += 200;
        Veltrano.Update(nullptr);
        keys[key] = 0;
    }
    SDL_SetModState(KMOD_NONE);
    clock_source::SetTickFunction(nullptr);
    console_fuzz::KeepUsable();
    Veltrano.ConCmd("con clear");
    Veltrano.ConCmd("con history clear");
    return 0;
}
