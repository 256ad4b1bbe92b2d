#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "cpu/copy_routines.h"
#include "cpu/cpu_paths.h"
#include "veltrano_cpu.h"

namespace {

using CopyFn = void* (*)(void*, const void*, size_t);

struct NamedCopy {
    const char* name;
    CopyFn copy;
};
void PrintTo(const NamedCopy& routine, std::ostream* out) { *out << routine.name; }

constexpr size_t kGuard = 64;
constexpr unsigned char kGuardByte = 0xA5;

// `size` bytes starting `offset` bytes past a 64-byte boundary, with guard
// bytes before and after.
class GuardedBuffer {
public:
    GuardedBuffer(size_t size, size_t offset) : storage_(size + 2 * kGuard + offset + 64, kGuardByte), size_(size) {
        const size_t toBoundary = (64 - reinterpret_cast<uintptr_t>(storage_.data()) % 64) % 64;
        data_ = storage_.data() + toBoundary + kGuard + offset;
    }
    unsigned char* data() { return data_; }

    // Empty when no guard byte changed, else where the first change is.
    std::string GuardDamage() const {
        for (const unsigned char* p = storage_.data(); p < data_; ++p)
            if (*p != kGuardByte) return "wrote " + std::to_string(data_ - p) + " bytes before the destination";
        for (const unsigned char* p = data_ + size_; p < storage_.data() + storage_.size(); ++p)
            if (*p != kGuardByte) return "wrote past the end at +" + std::to_string(p - data_ - size_);
        return "";
    }

private:
    std::vector<unsigned char> storage_;
    size_t size_;
    unsigned char* data_;
};

// Copies `count` bytes between buffers at the given misalignments and checks
// the copy, the result and the guard bytes around the destination.
::testing::AssertionResult CopiesExactly(CopyFn copy, size_t count, size_t srcOffset, size_t dstOffset) {
    GuardedBuffer source(count, srcOffset);
    uint32_t state = static_cast<uint32_t>(count) * 2654435761u + 1;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        source.data()[i] = static_cast<unsigned char>(state >> 24);
    }
    GuardedBuffer target(count, dstOffset);
    unsigned char* dst = target.data();
    const unsigned char* src = source.data();

    if (copy(dst, src, count) != dst) return ::testing::AssertionFailure() << "did not return the destination";
    if (count != 0 && std::memcmp(dst, src, count) != 0) {
        size_t first = 0;
        while (dst[first] == src[first]) ++first;
        return ::testing::AssertionFailure() << "first wrong byte at " << first;
    }
    const std::string damage = target.GuardDamage();
    if (!damage.empty()) return ::testing::AssertionFailure() << damage;
    return ::testing::AssertionSuccess();
}

struct Offsets {
    size_t src;
    size_t dst;
};
constexpr Offsets kOffsets[] = {{0, 0}, {1, 7}, {5, 2}, {3, 0}};

void ExpectCopiesExactly(CopyFn copy, const std::vector<size_t>& counts) {
    for (size_t count : counts)
        for (const Offsets& offsets : kOffsets)
            EXPECT_TRUE(CopiesExactly(copy, count, offsets.src, offsets.dst))
                << "count " << count << ", source offset " << offsets.src << ", destination offset " << offsets.dst;
}

// Block remainders, one and several blocks of every routine, and every band
// of the block-prefetch copy on both sides of its edges.
const std::vector<size_t> kCounts = {0,     1,     3,     4,     7,     31,     32,     33,     63,
                                     64,    65,    127,   128,   129,   192,    256,    257,    512,
                                     513,   1024,  1025,  4099,  32767, 32768,  32769,  65535,  65536,
                                     65537, 65543, 65600, 524287, 524288, 524295, 532480, 600000};

const NamedCopy kRoutines[] = {
    {"Mmx32", copy_routines::CopyMmx32},
    {"Mmx64", copy_routines::CopyMmx64},
    {"Mmx64Prefetch", copy_routines::CopyMmx64Prefetch},
    {"Mmx64Interleaved", copy_routines::CopyMmx64Interleaved},
    {"Sse128", copy_routines::CopySse128},
    {"BlockPrefetch", copy_routines::CopyBlockPrefetch},
    {"Mmx64UpTo256", copy_routines::CopyMmx64UpTo256},
    {"Mmx64UpTo512", copy_routines::CopyMmx64UpTo512},
    {"Mmx64UpTo1024", copy_routines::CopyMmx64UpTo1024},
    {"InterleavedBelow1MiB", copy_routines::CopyInterleavedBelow1MiB},
    {"InterleavedBelow2MiB", copy_routines::CopyInterleavedBelow2MiB},
};

class CopyRoutine : public ::testing::TestWithParam<NamedCopy> {};

TEST_P(CopyRoutine, CopiesExactlyTheCountAtAnyAlignment) { ExpectCopiesExactly(GetParam().copy, kCounts); }

TEST_P(CopyRoutine, AcceptsNullBuffersForAnEmptyCopy) {
    EXPECT_EQ(GetParam().copy(nullptr, nullptr, 0), nullptr);
}

// MMX registers share the x87 stack: a routine that left the MMX state set
// would make the next long double computation produce garbage.
TEST_P(CopyRoutine, LeavesTheFloatingPointStackUsable) {
    for (size_t count : {size_t{200}, size_t{70000}, size_t{600000}}) {
        ASSERT_TRUE(CopiesExactly(GetParam().copy, count, 1, 3));
        volatile long double half = 0.5L;
        const long double sum = half * 3.0L + half;
        EXPECT_EQ(sum, 2.0L) << "after copying " << count << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(All, CopyRoutine, ::testing::ValuesIn(kRoutines),
                         [](const ::testing::TestParamInfo<NamedCopy>& info) { return info.param.name; });

TEST(CopyRoutineThresholds, InterleavedCopiesSwitchAtOneAndTwoMiB) {
    using copy_routines::kOneMiB;
    using copy_routines::kTwoMiB;
    ExpectCopiesExactly(copy_routines::CopyInterleavedBelow1MiB, {kOneMiB - 1, kOneMiB, kOneMiB + 65});
    ExpectCopiesExactly(copy_routines::CopyInterleavedBelow2MiB, {kTwoMiB - 1, kTwoMiB, kTwoMiB + 65});
    ExpectCopiesExactly(copy_routines::CopyMmx64Interleaved, {kTwoMiB + 65});
}

// Every code path through the exported pointer, as a game calls it.
TEST(CodePathCopies, EveryPathCopiesExactlyTheCount) {
    const VeltranoCopyFn saved = Veltrano_memcpy;
    for (int path : {0, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}) {
        ASSERT_EQ(SelectCPUCore(path), 1) << "path " << path;
        ExpectCopiesExactly(Veltrano_memcpy, {0, 1, 63, 64, 65, 127, 128, 192, 1025, 32769, 65537, 600000});
        if (path != 0) {
            EXPECT_EQ(Veltrano_memcpy(nullptr, nullptr, 0), nullptr) << "path " << path;
        }
    }
    Veltrano_memcpy = saved;
}

}  // namespace
