// The INetwork interface; created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_INETWORK_H
#define VELTRANO_INETWORK_H

#include "veltrano_types.h"

struct NetworkState;

class VELTRANO_API Veltrano_INetwork {
public:
    Veltrano_INetwork();
    ~Veltrano_INetwork();
    Veltrano_INetwork(const Veltrano_INetwork&) = delete;
    Veltrano_INetwork& operator=(const Veltrano_INetwork&) = delete;

private:
    NetworkState* state;
};

VELTRANO_API extern Veltrano_INetwork* INetwork;

#endif
