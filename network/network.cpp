#include "Veltrano_INetwork.h"

#include "log/interface_lines.h"

Veltrano_INetwork::Veltrano_INetwork() { LogInterfaceCreated("INetwork"); }

Veltrano_INetwork::~Veltrano_INetwork() { LogInterfaceDeleted("INetwork"); }

