#include "Veltrano_IScreenFX.h"

#include "log/interface_lines.h"

Veltrano_IScreenFX::Veltrano_IScreenFX() { LogInterfaceCreated("IScreenFX"); }

Veltrano_IScreenFX::~Veltrano_IScreenFX() { LogInterfaceDeleted("IScreenFX"); }

