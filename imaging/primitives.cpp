#include "Veltrano_IPrimitives.h"

#include "log/interface_lines.h"

Veltrano_IPrimitives::Veltrano_IPrimitives() { LogInterfaceCreated("IPrimitives"); }

Veltrano_IPrimitives::~Veltrano_IPrimitives() { LogInterfaceDeleted("IPrimitives"); }

