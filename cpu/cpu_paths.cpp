// Code path selection and the exported copy-routine pointer.
#include "cpu/cpu_paths.h"

#include <cstring>

#include "Veltrano_ILogSystem.h"
#include "cpu/copy_routines.h"

VELTRANO_API VeltranoCopyFn Veltrano_memcpy = std::memcpy;

namespace {

using namespace copy_routines;

constexpr CodePath kCodePaths[] = {
    {0, " . Selected normal code path.\n", std::memcpy},
    {1, " . Selected 'MMX-I' optimized code path.\n", CopyMmx32},
    {2, " . Selected 'MMX-II' optimized code path.\n", CopyMmx64},
    {3, " . Selected 'MMX-V' optimized code path.\n", CopyMmx64Prefetch},
    {4, " . Selected 'SSE-2' optimized code path.\n", CopySse128},
    {5, " . Selected 'K7' optimized code path.\n", CopyBlockPrefetch},
    {10, " . Selected 'Athlon' optimized code path.\n", CopyMmx64UpTo1024},
    {11, " . Selected 'AthlonXP' optimized code path.\n", CopyMmx64UpTo1024},
    {12, " . Selected 'Banias' optimized code path.\n", CopyInterleavedBelow1MiB},
    {13, " . Selected 'Dothan' optimized code path.\n", CopyInterleavedBelow2MiB},
    {14, " . Selected 'PentiumIII' optimized code path.\n", CopyMmx64},
    {15, " . Selected 'P4 Willamette' optimized code path.\n", CopyMmx64UpTo512},
    {16, " . Selected 'P4 Northwood' optimized code path.\n", CopyMmx64UpTo512},
    {17, " . Selected 'P4 Prescott' optimized code path.\n", CopyMmx64UpTo256},
    {18, " . Selected 'P4 Prescott+' optimized code path.\n", CopyMmx64UpTo256},
    {19, " . Selected 'Athlon64' optimized code path.\n", CopyMmx64UpTo1024},
    {20, " . Selected 'Core/Core2' optimized code path.\n", CopyMmx64Prefetch},
    {21, " . Selected 'i5/i7' optimized code path.\n", CopySse128},
};

const CodePath* FindCodePath(int number) {
    for (const CodePath& path : kCodePaths)
        if (path.number == number) return &path;
    return nullptr;
}

}  // namespace

const CodePath* CodePaths(size_t* count) {
    *count = sizeof(kCodePaths) / sizeof(kCodePaths[0]);
    return kCodePaths;
}

VeltranoCopyFn CopyRoutineForPath(int number) {
    const CodePath* path = FindCodePath(number);
    return path != nullptr ? path->routine : nullptr;
}

VELTRANO_API unsigned char SelectCPUCore(int number) {
    const CodePath* path = FindCodePath(number);
    if (path == nullptr) return 0;
    Veltrano_memcpy = path->routine;
    ILogSystem.Msg(2, "%s", path->logLine);
    return 1;
}
