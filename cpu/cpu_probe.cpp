// The exported CPUID functions and the facts the processor check reads.
#include "cpu/cpu_probe.h"

#include <SDL.h>

#include <cstring>
#include <optional>

#include "platform/cpuid.h"
#include "veltrano_cpu.h"

namespace {

constexpr size_t kVendorSize = 13;

std::optional<CpuFacts> substitute;

int HighestLeaf(const platform::CpuidRegisters& leaf0) { return static_cast<int>(leaf0.eax); }

}  // namespace

extern "C" {

VELTRANO_API int CPU_haveCPUID() { return platform::CpuidSupported() ? 1 : 0; }

VELTRANO_API int CPU_GetString(char* vendor) {
    const platform::CpuidRegisters leaf0 = platform::Cpuid(0);
    const int highest = HighestLeaf(leaf0);
    if (vendor == nullptr) return highest;
    std::memset(vendor, 0, kVendorSize);
    if (highest > 0) {
        // The vendor text is spread over EBX, EDX, ECX in that order.
        std::memcpy(vendor, &leaf0.ebx, 4);
        std::memcpy(vendor + 4, &leaf0.edx, 4);
        std::memcpy(vendor + 8, &leaf0.ecx, 4);
    }
    return highest;
}

VELTRANO_API int CPU_getCPUIDFamily() {
    if (HighestLeaf(platform::Cpuid(0)) <= 0) return 0;
    return static_cast<int>(platform::Cpuid(1).eax);
}

}  // extern "C"

CpuFacts ProbeCpu() {
    if (substitute) return *substitute;
    CpuFacts facts;
    facts.hasCpuid = CPU_haveCPUID() != 0;
    if (!facts.hasCpuid) return facts;
    facts.highestLeaf = CPU_GetString(facts.vendor);
    facts.signature = static_cast<uint32_t>(CPU_getCPUIDFamily());
    facts.hasMmx = SDL_HasMMX() == SDL_TRUE;
    facts.hasSse = SDL_HasSSE() == SDL_TRUE;
    return facts;
}

void SubstituteCpuFacts(const CpuFacts* facts) {
    if (facts != nullptr) {
        substitute = *facts;
    } else {
        substitute.reset();
    }
}
