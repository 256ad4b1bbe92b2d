#include "Veltrano_ISoundFX.h"

#include "log/interface_lines.h"

// The sound system's private record.
struct SoundFXState {
    int initialized = 0;
};

Veltrano_ISoundFX::Veltrano_ISoundFX() : state(new SoundFXState) { LogInterfaceCreated("ISoundFX"); }

Veltrano_ISoundFX::~Veltrano_ISoundFX() {
    delete state;
    state = nullptr;
    LogInterfaceDeleted("ISoundFX");
}

void Veltrano_ISoundFX::NoInit() { state->initialized = 0; }

int Veltrano_ISoundFX::Initialized() { return state->initialized; }

void Veltrano_ISoundFX::QuerySpec(int*, unsigned short*, int*) {
    // The audio device opens with the sound system; until then nothing is known.
}
