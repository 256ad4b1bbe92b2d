// Placeholder until the archive lands.
#include "Veltrano_IStuffDPF.h"

#include "log/interface_lines.h"

struct DpfState {};

Veltrano_IStuffDPF::Veltrano_IStuffDPF() : state(new DpfState) { LogInterfaceCreated("IStuffDPF"); }
Veltrano_IStuffDPF::~Veltrano_IStuffDPF() {
    delete state;
    LogInterfaceDeleted("IStuffDPF");
}
