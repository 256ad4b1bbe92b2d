// The core's audio information dump, kept beside the sound interface it asks.
#include "Veltrano_ILogSystem.h"
#include "Veltrano_ISoundFX.h"
#include "Veltrano_Main.h"
#include "core/core_state.h"

namespace {

const char* AudioModeName(int channels) {
    if (channels <= 0) return "Null";
    if (channels == 1) return "Mono";
    if (channels == 2) return "Stereo";
    return "Multichannel";
}

}  // namespace

void Veltrano_Main::AudioInfo() {
    ILogSystem.Msg(0, "\n . Audio subsystem info: ");
    if (!state->initialized) {
        ILogSystem.Msg(0, "Veltrano was not initiated.\n");
        return;
    }
    if (ISoundFX == nullptr || !ISoundFX->Initialized()) {
        ILogSystem.Msg(0, "Audio subsystem was not initiated.\n");
        return;
    }
    char driver[32] = "";
    if (SDL_AudioDriverName(driver, sizeof driver) == nullptr) driver[0] = '\0';
    int frequency = 0;
    int channels = 0;
    unsigned short format = 0;
    ISoundFX->QuerySpec(&frequency, &format, &channels);
    ILogSystem.Msg(0, "\n   -> Driver: %s\n", driver);
    ILogSystem.Msg(0, "   -> Frequency: %dHz - Format: %dbit - Mode: %s\n", frequency, format & 0xFF,
                   AudioModeName(channels));
}
