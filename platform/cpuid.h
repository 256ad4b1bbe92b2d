// The processor's identification instruction (CPUID) and the instruction set
// the copy routines are built for. The architecture is chosen here, once:
// x86-64 runs the real instruction, every other target gets a processor that
// reports no CPUID and plain copies behind the optimised code paths.
#ifndef VELTRANO_PLATFORM_CPUID_H
#define VELTRANO_PLATFORM_CPUID_H

#include <cstdint>

#if defined(__x86_64__)
#define VELTRANO_X86_64 1
#else
#define VELTRANO_X86_64 0
#endif

namespace platform {

struct CpuidRegisters {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
};

// True when the ID flag of EFLAGS can be toggled, which is how a processor
// shows that it has the CPUID instruction.
bool CpuidSupported();

// Executes CPUID for a leaf (sub-leaf 0); all zero where there is no CPUID.
CpuidRegisters Cpuid(uint32_t leaf);

}  // namespace platform

#endif
