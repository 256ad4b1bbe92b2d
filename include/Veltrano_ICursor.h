// The ICursor interface; created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_ICURSOR_H
#define VELTRANO_ICURSOR_H

#include "veltrano_types.h"

class VELTRANO_API Veltrano_ICursor {
public:
    Veltrano_ICursor();
    ~Veltrano_ICursor();
    Veltrano_ICursor(const Veltrano_ICursor&) = delete;
    Veltrano_ICursor& operator=(const Veltrano_ICursor&) = delete;
};

VELTRANO_API extern Veltrano_ICursor* ICursor;

#endif
