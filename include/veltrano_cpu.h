// Processor identification and the selectable copy routine.
#ifndef VELTRANO_CPU_H
#define VELTRANO_CPU_H

#include <cstddef>
#include "veltrano_export.h"

extern "C" {
// 1 when the processor supports the CPUID instruction.
VELTRANO_API int CPU_haveCPUID();
// Vendor text into a 13-byte buffer; returns the highest CPUID leaf.
VELTRANO_API int CPU_GetString(char* vendor);
// EAX of CPUID leaf 1, or 0 when leaf 1 is not available.
VELTRANO_API int CPU_getCPUIDFamily();
}

// Selects the copy routine for a code path number; 1 on success, 0 otherwise.
VELTRANO_API unsigned char SelectCPUCore(int path);

// The copy routine of the selected code path (initially the runtime memcpy).
using VeltranoCopyFn = void* (*)(void* destination, const void* source, size_t count);
VELTRANO_API extern VeltranoCopyFn Veltrano_memcpy;

#endif
