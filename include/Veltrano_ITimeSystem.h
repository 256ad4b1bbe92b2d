// The ITimeSystem interface; created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_ITIMESYSTEM_H
#define VELTRANO_ITIMESYSTEM_H

#include "veltrano_types.h"

class VELTRANO_API Veltrano_ITimeSystem {
public:
    Veltrano_ITimeSystem();
    ~Veltrano_ITimeSystem();
    Veltrano_ITimeSystem(const Veltrano_ITimeSystem&) = delete;
    Veltrano_ITimeSystem& operator=(const Veltrano_ITimeSystem&) = delete;

    // 0: first start, clears the desired rates; 1: restart keeping them.
    void Init(int mode);
};

VELTRANO_API extern Veltrano_ITimeSystem* ITimeSystem;

#endif
