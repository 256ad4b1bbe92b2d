// The ISoundFX interface; created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_ISOUNDFX_H
#define VELTRANO_ISOUNDFX_H

#include "veltrano_types.h"

struct SoundFXState;

class VELTRANO_API Veltrano_ISoundFX {
public:
    Veltrano_ISoundFX();
    ~Veltrano_ISoundFX();
    Veltrano_ISoundFX(const Veltrano_ISoundFX&) = delete;
    Veltrano_ISoundFX& operator=(const Veltrano_ISoundFX&) = delete;

    // Marks sound as not started, without closing anything.
    void NoInit();
    int Initialized();
    // The opened audio device's format; writes nothing while not started.
    void QuerySpec(int* freq, unsigned short* format, int* channels);

private:
    SoundFXState* state;
};

VELTRANO_API extern Veltrano_ISoundFX* ISoundFX;

#endif
