#include "Veltrano_ITimeSystem.h"

#include "log/interface_lines.h"

Veltrano_ITimeSystem::Veltrano_ITimeSystem() { LogInterfaceCreated("ITimeSystem"); }

Veltrano_ITimeSystem::~Veltrano_ITimeSystem() { LogInterfaceDeleted("ITimeSystem"); }

void Veltrano_ITimeSystem::Init(int) {}
