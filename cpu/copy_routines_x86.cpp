// The copy routines on x86-64: MMX registers for the 64-bit moves, SSE2 for
// the 128-bit ones. The MMX blocks are written in assembly because compilers
// turn MMX intrinsics into general-register or SSE code on x86-64.
#include "cpu/copy_routines.h"
#include "platform/cpuid.h"

#if VELTRANO_X86_64

#include <emmintrin.h>
#include <mmintrin.h>
#include <xmmintrin.h>

#include <cstdint>
#include <cstring>

namespace copy_routines {

namespace {

using Byte = unsigned char;

// The memory an assembly block reads or writes, as arrays, so the compiler
// orders the surrounding code correctly (array lvalues are what both GCC and
// clang accept as memory operands of any size).
template <size_t kSize>
using Block = Byte[kSize];
template <size_t kSize>
Block<kSize>* Written(Byte* address) {
    return reinterpret_cast<Block<kSize>*>(address);
}
template <size_t kSize>
const Block<kSize>* Read(const Byte* address) {
    return reinterpret_cast<const Block<kSize>*>(address);
}

#define VLT_LOAD_MM0_TO_MM7        \
    "movq    (%[src]), %%mm0\n\t"  \
    "movq   8(%[src]), %%mm1\n\t"  \
    "movq  16(%[src]), %%mm2\n\t"  \
    "movq  24(%[src]), %%mm3\n\t"  \
    "movq  32(%[src]), %%mm4\n\t"  \
    "movq  40(%[src]), %%mm5\n\t"  \
    "movq  48(%[src]), %%mm6\n\t"  \
    "movq  56(%[src]), %%mm7\n\t"
#define VLT_STORE_MM0_TO_MM7       \
    "movq  %%mm0,   (%[dst])\n\t"  \
    "movq  %%mm1,  8(%[dst])\n\t"  \
    "movq  %%mm2, 16(%[dst])\n\t"  \
    "movq  %%mm3, 24(%[dst])\n\t"  \
    "movq  %%mm4, 32(%[dst])\n\t"  \
    "movq  %%mm5, 40(%[dst])\n\t"  \
    "movq  %%mm6, 48(%[dst])\n\t"  \
    "movq  %%mm7, 56(%[dst])\n\t"
#define VLT_STREAM_MM0_TO_MM7      \
    "movntq %%mm0,   (%[dst])\n\t" \
    "movntq %%mm1,  8(%[dst])\n\t" \
    "movntq %%mm2, 16(%[dst])\n\t" \
    "movntq %%mm3, 24(%[dst])\n\t" \
    "movntq %%mm4, 32(%[dst])\n\t" \
    "movntq %%mm5, 40(%[dst])\n\t" \
    "movntq %%mm6, 48(%[dst])\n\t" \
    "movntq %%mm7, 56(%[dst])\n\t"
#define VLT_MMX64_OPERANDS(dst, src)                     \
    : [out] "=m"(*Written<64>(dst))                       \
    : [dst] "r"(dst), [src] "r"(src), [in] "m"(*Read<64>(src)) \
    : "mm0", "mm1", "mm2", "mm3", "mm4", "mm5", "mm6", "mm7"

void Mmx32Block(Byte* dst, const Byte* src) {
    asm volatile(
        "movq    (%[src]), %%mm0\n\t"
        "movq   8(%[src]), %%mm1\n\t"
        "movq  16(%[src]), %%mm2\n\t"
        "movq  24(%[src]), %%mm3\n\t"
        "movq  %%mm0,   (%[dst])\n\t"
        "movq  %%mm1,  8(%[dst])\n\t"
        "movq  %%mm2, 16(%[dst])\n\t"
        "movq  %%mm3, 24(%[dst])"
        : [out] "=m"(*Written<32>(dst))
        : [dst] "r"(dst), [src] "r"(src), [in] "m"(*Read<32>(src))
        : "mm0", "mm1", "mm2", "mm3");
}

void Mmx64Block(Byte* dst, const Byte* src) {
    asm volatile(VLT_LOAD_MM0_TO_MM7 VLT_STORE_MM0_TO_MM7 VLT_MMX64_OPERANDS(dst, src));
}

void Mmx64PrefetchBlock(Byte* dst, const Byte* src) {
    asm volatile("prefetchnta 512(%[src])\n\t" VLT_LOAD_MM0_TO_MM7 VLT_STORE_MM0_TO_MM7
                 VLT_MMX64_OPERANDS(dst, src));
}

void Mmx64InterleavedBlock(Byte* dst, const Byte* src) {
    asm volatile(
        "prefetchnta 512(%[src])\n\t"
        "movq    (%[src]), %%mm0\n\t"
        "movq   8(%[src]), %%mm1\n\t"
        "movq  %%mm0,   (%[dst])\n\t"
        "movq  %%mm1,  8(%[dst])\n\t"
        "movq  16(%[src]), %%mm2\n\t"
        "movq  24(%[src]), %%mm3\n\t"
        "movq  %%mm2, 16(%[dst])\n\t"
        "movq  %%mm3, 24(%[dst])\n\t"
        "movq  32(%[src]), %%mm4\n\t"
        "movq  40(%[src]), %%mm5\n\t"
        "movq  %%mm4, 32(%[dst])\n\t"
        "movq  %%mm5, 40(%[dst])\n\t"
        "movq  48(%[src]), %%mm6\n\t"
        "movq  56(%[src]), %%mm7\n\t"
        "movq  %%mm6, 48(%[dst])\n\t"
        "movq  %%mm7, 56(%[dst])"
        VLT_MMX64_OPERANDS(dst, src));
}

// The block-prefetch copy's loops: in-cache, streaming with prefetch, and
// streaming from a source already pulled into the cache.
void InCacheBlock(Byte* dst, const Byte* src) {
    asm volatile("prefetchnta 568(%[src])\n\t" VLT_LOAD_MM0_TO_MM7 VLT_STORE_MM0_TO_MM7
                 VLT_MMX64_OPERANDS(dst, src));
}

void StreamingBlock(Byte* dst, const Byte* src) {
    asm volatile("prefetchnta 568(%[src])\n\t" VLT_LOAD_MM0_TO_MM7 VLT_STREAM_MM0_TO_MM7
                 VLT_MMX64_OPERANDS(dst, src));
}

void CachedStreamingBlock(Byte* dst, const Byte* src) {
    asm volatile(VLT_LOAD_MM0_TO_MM7 VLT_STREAM_MM0_TO_MM7 VLT_MMX64_OPERANDS(dst, src));
}

#undef VLT_LOAD_MM0_TO_MM7
#undef VLT_STORE_MM0_TO_MM7
#undef VLT_STREAM_MM0_TO_MM7
#undef VLT_MMX64_OPERANDS

void Sse128Block(Byte* dst, const Byte* src) {
    const double* in = reinterpret_cast<const double*>(src);
    double* out = reinterpret_cast<double*>(dst);
    const __m128d r0 = _mm_loadu_pd(in);
    const __m128d r1 = _mm_loadu_pd(in + 2);
    const __m128d r2 = _mm_loadu_pd(in + 4);
    const __m128d r3 = _mm_loadu_pd(in + 6);
    const __m128d r4 = _mm_loadu_pd(in + 8);
    const __m128d r5 = _mm_loadu_pd(in + 10);
    const __m128d r6 = _mm_loadu_pd(in + 12);
    const __m128d r7 = _mm_loadu_pd(in + 14);
    _mm_storeu_pd(out, r0);
    _mm_storeu_pd(out + 2, r1);
    _mm_storeu_pd(out + 4, r2);
    _mm_storeu_pd(out + 6, r3);
    _mm_storeu_pd(out + 8, r4);
    _mm_storeu_pd(out + 10, r5);
    _mm_storeu_pd(out + 12, r6);
    _mm_storeu_pd(out + 14, r7);
}

using BlockCopy = void (*)(Byte*, const Byte*);

// Where a copy stands. Passed by value so both pointers stay in registers.
struct Cursor {
    Byte* dst;
    const Byte* src;
};

Cursor StartOf(void* destination, const void* source) {
    return {static_cast<Byte*>(destination), static_cast<const Byte*>(source)};
}

template <size_t kSize, BlockCopy kCopyBlock>
Cursor CopyBlocks(Cursor at, size_t blocks) {
    for (; blocks != 0; --blocks) {
        kCopyBlock(at.dst, at.src);
        at.dst += kSize;
        at.src += kSize;
    }
    return at;
}

void CopyRemainder(Cursor at, size_t count) {
    // Hide that the count is below one block: the compiler would otherwise
    // replace the runtime copy by a slow loop of its own.
    asm("" : "+r"(count));
    if (count != 0) std::memcpy(at.dst, at.src, count);
}

enum class Registers { Mmx, Sse };

// Whole blocks first, then the remainder with the runtime copy; the MMX
// state is cleared before anything else may use the x87 registers.
template <size_t kSize, BlockCopy kCopyBlock, Registers kRegisters>
void* CopyInBlocks(void* destination, const void* source, size_t count) {
    if (count == 0) return destination;
    const Cursor end = CopyBlocks<kSize, kCopyBlock>(StartOf(destination, source), count / kSize);
    if (kRegisters == Registers::Mmx) _mm_empty();
    CopyRemainder(end, count % kSize);
    return destination;
}

// Block-prefetch copy: sizes and bands.
constexpr size_t kBlock = 64;
constexpr size_t kStreamingFromBlocks = 1024;  // 64 KiB
constexpr size_t kChunkedFromBlocks = 8192;    // 512 KiB
constexpr size_t kChunkBlocks = 128;           // 8 KiB
constexpr size_t kDestinationAlignment = 8;
// Counts in (kUnalignedAbove, kUnalignedUpTo] are copied without aligning.
constexpr size_t kUnalignedAbove = 32768;
constexpr size_t kUnalignedUpTo = 65536;

Cursor CopyBytes(Cursor at, size_t count) {
    for (; count != 0; --count) *at.dst++ = *at.src++;
    return at;
}

// Byte copies up to the next 8-byte boundary of the destination.
Cursor AlignDestination(Cursor at, size_t& count) {
    const size_t misalignment = reinterpret_cast<uintptr_t>(at.dst) % kDestinationAlignment;
    if (misalignment == 0) return at;
    const size_t lead = kDestinationAlignment - misalignment;
    count -= lead;
    return CopyBytes(at, lead);
}

// One read per cache line, from the end backwards, brings the chunk's
// source into the cache before it is streamed out.
void TouchBackwards(const Byte* src, size_t size) {
    for (size_t offset = size; offset != 0; offset -= kBlock)
        asm volatile("movzbl %[line], %%eax" : : [line] "m"(src[offset - kBlock]) : "eax");
}

Cursor CopyChunked(Cursor at, size_t blocks) {
    for (; blocks >= kChunkBlocks; blocks -= kChunkBlocks) {
        TouchBackwards(at.src, kChunkBlocks * kBlock);
        at = CopyBlocks<kBlock, CachedStreamingBlock>(at, kChunkBlocks);
    }
    return CopyBlocks<kBlock, StreamingBlock>(at, blocks);
}

Cursor CopyWholeBlocks(Cursor at, size_t blocks) {
    if (blocks < kStreamingFromBlocks) return CopyBlocks<kBlock, InCacheBlock>(at, blocks);
    if (blocks < kChunkedFromBlocks) return CopyBlocks<kBlock, StreamingBlock>(at, blocks);
    return CopyChunked(at, blocks);
}

// Whole 32-bit words, then the last 0..3 bytes.
void CopyTail(Cursor at, size_t count) {
    for (; count >= 4; count -= 4, at.dst += 4, at.src += 4) std::memcpy(at.dst, at.src, 4);
    CopyBytes(at, count);
}

}  // namespace

void* CopyMmx32(void* destination, const void* source, size_t count) {
    return CopyInBlocks<32, Mmx32Block, Registers::Mmx>(destination, source, count);
}

void* CopyMmx64(void* destination, const void* source, size_t count) {
    return CopyInBlocks<64, Mmx64Block, Registers::Mmx>(destination, source, count);
}

void* CopyMmx64Prefetch(void* destination, const void* source, size_t count) {
    return CopyInBlocks<64, Mmx64PrefetchBlock, Registers::Mmx>(destination, source, count);
}

void* CopyMmx64Interleaved(void* destination, const void* source, size_t count) {
    return CopyInBlocks<64, Mmx64InterleavedBlock, Registers::Mmx>(destination, source, count);
}

void* CopySse128(void* destination, const void* source, size_t count) {
    return CopyInBlocks<128, Sse128Block, Registers::Sse>(destination, source, count);
}

void* CopyBlockPrefetch(void* destination, const void* source, size_t count) {
    if (count == 0) return destination;
    Cursor at = StartOf(destination, source);
    if (count >= kBlock) {
        if (count <= kUnalignedAbove || count > kUnalignedUpTo) at = AlignDestination(at, count);
        at = CopyWholeBlocks(at, count / kBlock);
        count %= kBlock;
    }
    CopyTail(at, count);
    _mm_empty();
    _mm_sfence();
    return destination;
}

}  // namespace copy_routines

#endif
