// The code paths: which copy routine each path number stands for.
#ifndef VELTRANO_CPU_CPU_PATHS_H
#define VELTRANO_CPU_CPU_PATHS_H

#include "veltrano_cpu.h"

#include <cstddef>

// A code path: its number, the line its selection logs, its copy routine.
struct CodePath {
    int number;
    const char* logLine;
    VeltranoCopyFn routine;
};

// Every code path SelectCPUCore knows, in number order.
const CodePath* CodePaths(size_t* count);

// The routine of a code path, or null when the number names no path.
VeltranoCopyFn CopyRoutineForPath(int path);

#endif
