// The code-path combinations of the copy routines; the routines themselves
// are built per instruction set (copy_routines_x86.cpp, copy_routines_portable.cpp).
#include "cpu/copy_routines.h"

namespace copy_routines {

namespace {

// Counts above kLargestOwnCopy go to the block-prefetch copy.
template <size_t kLargestOwnCopy>
void* Mmx64ThenBlockPrefetch(void* destination, const void* source, size_t count) {
    if (count > kLargestOwnCopy) return CopyBlockPrefetch(destination, source, count);
    return CopyMmx64(destination, source, count);
}

// Counts from kBlockPrefetchFrom on go to the block-prefetch copy.
template <size_t kBlockPrefetchFrom>
void* InterleavedThenBlockPrefetch(void* destination, const void* source, size_t count) {
    if (count >= kBlockPrefetchFrom) return CopyBlockPrefetch(destination, source, count);
    return CopyMmx64Interleaved(destination, source, count);
}

}  // namespace

void* CopyMmx64UpTo256(void* destination, const void* source, size_t count) {
    return Mmx64ThenBlockPrefetch<256>(destination, source, count);
}

void* CopyMmx64UpTo512(void* destination, const void* source, size_t count) {
    return Mmx64ThenBlockPrefetch<512>(destination, source, count);
}

void* CopyMmx64UpTo1024(void* destination, const void* source, size_t count) {
    return Mmx64ThenBlockPrefetch<1024>(destination, source, count);
}

void* CopyInterleavedBelow1MiB(void* destination, const void* source, size_t count) {
    return InterleavedThenBlockPrefetch<kOneMiB>(destination, source, count);
}

void* CopyInterleavedBelow2MiB(void* destination, const void* source, size_t count) {
    return InterleavedThenBlockPrefetch<kTwoMiB>(destination, source, count);
}

}  // namespace copy_routines
