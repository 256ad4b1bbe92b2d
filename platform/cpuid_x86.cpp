// CPUID on x86-64.
#include "platform/cpuid.h"

#if VELTRANO_X86_64

#include <cpuid.h>

namespace platform {

namespace {
constexpr uint64_t kIdFlag = 1u << 21;
}

bool CpuidSupported() {
    uint64_t original;
    uint64_t toggled;
    // Flip the ID flag, read EFLAGS back and restore them. The stack pointer
    // first steps over the red zone, where the compiler may keep locals.
    asm volatile(
        "lea -128(%%rsp), %%rsp\n\t"
        "pushfq\n\t"
        "pushfq\n\t"
        "popq %0\n\t"
        "movq %0, %1\n\t"
        "xorq %2, %1\n\t"
        "pushq %1\n\t"
        "popfq\n\t"
        "pushfq\n\t"
        "popq %1\n\t"
        "popfq\n\t"
        "lea 128(%%rsp), %%rsp"
        : "=&r"(original), "=&r"(toggled)
        : "r"(kIdFlag)
        : "cc");
    return ((original ^ toggled) & kIdFlag) != 0;
}

CpuidRegisters Cpuid(uint32_t leaf) {
    CpuidRegisters registers;
    __cpuid_count(leaf, 0, registers.eax, registers.ebx, registers.ecx, registers.edx);
    return registers;
}

}  // namespace platform

#endif
