#include "Veltrano_ISoundFX.h"

#include "log/interface_lines.h"

Veltrano_ISoundFX::Veltrano_ISoundFX() : initialized(0) { LogInterfaceCreated("ISoundFX"); }

Veltrano_ISoundFX::~Veltrano_ISoundFX() { LogInterfaceDeleted("ISoundFX"); }

void Veltrano_ISoundFX::NoInit() { initialized = 0; }

int Veltrano_ISoundFX::Initialized() { return initialized; }

void Veltrano_ISoundFX::QuerySpec(int*, unsigned short*, int*) {
    // The audio device opens with the sound system; until then nothing is known.
}
