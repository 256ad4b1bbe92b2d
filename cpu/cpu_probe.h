// What the start-up processor check knows about the processor. The check
// reads these facts through ProbeCpu, so tests can describe processors this
// machine is not (no MMX, other vendors and generations, no CPUID at all).
#ifndef VELTRANO_CPU_CPU_PROBE_H
#define VELTRANO_CPU_CPU_PROBE_H

#include <cstdint>

struct CpuFacts {
    bool hasCpuid = false;
    int highestLeaf = 0;     // result of CPU_GetString
    char vendor[13] = {};    // vendor text, empty when highestLeaf < 1
    uint32_t signature = 0;  // EAX of CPUID leaf 1
    bool hasMmx = false;
    bool hasSse = false;
};

// The facts of this processor, or the substitute when one is installed.
CpuFacts ProbeCpu();

// Installs facts for ProbeCpu to return (copied); null restores the real
// processor.
void SubstituteCpuFacts(const CpuFacts* facts);

// The signature fields the check reads: bits 8..11, 4..7 and 16..19.
inline int SignatureFamily(uint32_t signature) { return (signature >> 8) & 0xF; }
inline int SignatureModel(uint32_t signature) { return (signature >> 4) & 0xF; }
inline int SignatureExtModel(uint32_t signature) { return (signature >> 16) & 0xF; }

#endif
