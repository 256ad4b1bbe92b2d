#include "Veltrano_INetwork.h"

#include "log/interface_lines.h"

// The network interface's private record; empty until networking arrives.
struct NetworkState {};

Veltrano_INetwork::Veltrano_INetwork() : state(new NetworkState) { LogInterfaceCreated("INetwork"); }

Veltrano_INetwork::~Veltrano_INetwork() {
    delete state;
    state = nullptr;
    LogInterfaceDeleted("INetwork");
}
