// The start-up processor check and the processor name.
#ifndef VELTRANO_CPU_CPU_H
#define VELTRANO_CPU_CPU_H

// Log mode (buffer null): logs the findings and selects a copy routine.
// Name mode: appends the findings to buffer (59 bytes at least).
// Returns 1 to go on, 0 when the processor is rejected.
int RunCpuCheck(char* buffer);

#endif
