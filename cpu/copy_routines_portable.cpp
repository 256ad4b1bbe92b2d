// Targets without MMX and SSE: every routine is the runtime copy, which is
// correct behind any code path number.
#include "cpu/copy_routines.h"
#include "platform/cpuid.h"

#if !VELTRANO_X86_64

#include <cstring>

namespace copy_routines {

namespace {
void* PlainCopy(void* destination, const void* source, size_t count) {
    if (count != 0) std::memcpy(destination, source, count);
    return destination;
}
}  // namespace

void* CopyMmx32(void* d, const void* s, size_t n) { return PlainCopy(d, s, n); }
void* CopyMmx64(void* d, const void* s, size_t n) { return PlainCopy(d, s, n); }
void* CopyMmx64Prefetch(void* d, const void* s, size_t n) { return PlainCopy(d, s, n); }
void* CopyMmx64Interleaved(void* d, const void* s, size_t n) { return PlainCopy(d, s, n); }
void* CopySse128(void* d, const void* s, size_t n) { return PlainCopy(d, s, n); }
void* CopyBlockPrefetch(void* d, const void* s, size_t n) { return PlainCopy(d, s, n); }

}  // namespace copy_routines

#endif
