// The IScreenFX interface; created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_ISCREENFX_H
#define VELTRANO_ISCREENFX_H

#include "veltrano_types.h"

class VELTRANO_API Veltrano_IScreenFX {
public:
    Veltrano_IScreenFX();
    ~Veltrano_IScreenFX();
    Veltrano_IScreenFX(const Veltrano_IScreenFX&) = delete;
    Veltrano_IScreenFX& operator=(const Veltrano_IScreenFX&) = delete;
};

VELTRANO_API extern Veltrano_IScreenFX* IScreenFX;

#endif
