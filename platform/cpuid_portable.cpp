// Processors without CPUID: nothing to identify.
#include "platform/cpuid.h"

#if !VELTRANO_X86_64

namespace platform {

bool CpuidSupported() { return false; }

CpuidRegisters Cpuid(uint32_t) { return CpuidRegisters{}; }

}  // namespace platform

#endif
