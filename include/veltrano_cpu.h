/// @file
/// Processor identification and the selectable copy routine.
#ifndef VELTRANO_CPU_H
#define VELTRANO_CPU_H

#include <cstddef>
#include "veltrano_export.h"

extern "C" {
/// Tells whether the processor supports the CPUID instruction (the ID flag
/// of EFLAGS can be toggled).
/// @return 1 when CPUID is available, else 0.
VELTRANO_API int CPU_haveCPUID();
/// Reads the vendor text with CPUID leaf 0: the 12 characters of EBX, EDX
/// and ECX and a terminating zero, or an empty string when the processor
/// answers no leaves.
/// @param vendor  a buffer of at least 13 bytes.
/// @return the highest CPUID leaf; 0 or less when CPUID answers no leaves.
VELTRANO_API int CPU_GetString(char* vendor);
/// Reads the processor signature.
/// @return EAX of CPUID leaf 1 (family in bits 8..11, model in bits 4..7,
///         extended model in bits 16..19), or 0 when leaf 1 is not available.
VELTRANO_API int CPU_getCPUIDFamily();
}

/// Selects the copy routine behind Veltrano_memcpy. Veltrano.Init selects
/// the path that suits the processor; a game may force another one.
/// @param path  0 (the runtime memcpy), 1..5 (MMX-I, MMX-II, MMX-V, SSE-2,
///              K7) or 10..21 (tuned for one processor generation each).
/// @return 1 when the path exists and was selected, logging
///         " . Selected '...' optimized code path." (or " . Selected normal code path.") at level 2; 0 for any other
///         number, which changes
///         nothing and logs nothing.
VELTRANO_API unsigned char SelectCPUCore(int path);

/// Signature of a copy routine: copies `count` bytes from `source` to a
/// non-overlapping `destination`, like memcpy.
using VeltranoCopyFn = void* (*)(void* destination, const void* source, size_t count);
/// The copy routine of the selected code path (initially the runtime memcpy);
/// callers do not use its result.
VELTRANO_API extern VeltranoCopyFn Veltrano_memcpy;

#endif
