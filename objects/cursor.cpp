#include "Veltrano_ICursor.h"

#include "log/interface_lines.h"

Veltrano_ICursor::Veltrano_ICursor() { LogInterfaceCreated("ICursor"); }

Veltrano_ICursor::~Veltrano_ICursor() { LogInterfaceDeleted("ICursor"); }

