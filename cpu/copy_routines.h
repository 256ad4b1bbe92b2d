// The memory-copy routines behind the selectable code paths. Each copies
// exactly `count` bytes between non-overlapping buffers and returns the
// destination; any count is valid, including 0.
#ifndef VELTRANO_CPU_COPY_ROUTINES_H
#define VELTRANO_CPU_COPY_ROUTINES_H

#include <cstddef>

namespace copy_routines {

// 32-byte blocks through four MMX registers.
void* CopyMmx32(void* destination, const void* source, size_t count);
// 64-byte blocks through eight MMX registers.
void* CopyMmx64(void* destination, const void* source, size_t count);
// As CopyMmx64, prefetching the source 512 bytes ahead (non-temporal hint).
void* CopyMmx64Prefetch(void* destination, const void* source, size_t count);
// As CopyMmx64Prefetch, with loads and stores alternating in register pairs.
void* CopyMmx64Interleaved(void* destination, const void* source, size_t count);
// 128-byte blocks through eight unaligned 128-bit SSE2 moves.
void* CopySse128(void* destination, const void* source, size_t count);
// MMX copy with prefetching whose strategy follows the size: in-cache below
// 64 KiB, non-temporal stores up to 512 KiB, and above that 8 KiB chunks
// pulled into the cache before they are streamed out.
void* CopyBlockPrefetch(void* destination, const void* source, size_t count);

// The combinations some code paths use: their own loop for small counts,
// the block-prefetch copy above a size.
void* CopyMmx64UpTo256(void* destination, const void* source, size_t count);
void* CopyMmx64UpTo512(void* destination, const void* source, size_t count);
void* CopyMmx64UpTo1024(void* destination, const void* source, size_t count);
void* CopyInterleavedBelow1MiB(void* destination, const void* source, size_t count);
void* CopyInterleavedBelow2MiB(void* destination, const void* source, size_t count);

// Sizes where the combinations switch to the block-prefetch copy.
constexpr size_t kOneMiB = 1024 * 1024;
constexpr size_t kTwoMiB = 2 * kOneMiB;

}  // namespace copy_routines

#endif
