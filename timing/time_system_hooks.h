// The time system's part in the core's frame loop: it counts logic and
// rendered frames, updates its statistics at the end of each pass, restarts
// on CleanUp, and is the loop's pacing clock.
#ifndef VELTRANO_TIMING_TIME_SYSTEM_HOOKS_H
#define VELTRANO_TIMING_TIME_SYSTEM_HOOKS_H

class Veltrano_ITimeSystem;

namespace time_system_hooks {

// Called by the time system's constructor and destructor.
void Join(Veltrano_ITimeSystem& timeSystem);
void Leave(const Veltrano_ITimeSystem& timeSystem);

}  // namespace time_system_hooks

#endif
