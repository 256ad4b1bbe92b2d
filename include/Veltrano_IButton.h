// The IButton interface; created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_IBUTTON_H
#define VELTRANO_IBUTTON_H

#include "veltrano_types.h"

class VELTRANO_API Veltrano_IButton {
public:
    Veltrano_IButton();
    ~Veltrano_IButton();
    Veltrano_IButton(const Veltrano_IButton&) = delete;
    Veltrano_IButton& operator=(const Veltrano_IButton&) = delete;

private:
    friend class Veltrano_Main;
    // Input check of every widget; once per logic frame of the core's loop.
    void Update();
};

VELTRANO_API extern Veltrano_IButton* IButton;

#endif
