// The IPrimitives interface; created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_IPRIMITIVES_H
#define VELTRANO_IPRIMITIVES_H

#include "veltrano_types.h"

class VELTRANO_API Veltrano_IPrimitives {
public:
    Veltrano_IPrimitives();
    ~Veltrano_IPrimitives();
    Veltrano_IPrimitives(const Veltrano_IPrimitives&) = delete;
    Veltrano_IPrimitives& operator=(const Veltrano_IPrimitives&) = delete;
};

VELTRANO_API extern Veltrano_IPrimitives* IPrimitives;

#endif
