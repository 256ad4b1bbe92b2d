// The code paths: which copy routine each path number stands for.
#ifndef VELTRANO_CPU_CPU_PATHS_H
#define VELTRANO_CPU_CPU_PATHS_H

#include "veltrano_cpu.h"

// The routine of a code path, or null when the number names no path.
VeltranoCopyFn CopyRoutineForPath(int path);

#endif
