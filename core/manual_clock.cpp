// The manual clock of veltrano_testing.h: while it is on, the SDK's clock
// seam reads a value only the test moves.
#include "Veltrano_ILogSystem.h"
#include "core/clock.h"
#include "veltrano_testing.h"

namespace {

bool manual = false;
uint32_t manualTicks = 0;
clock_source::TickFunction clockBefore = nullptr;
clock_source::WaitFunction waitBefore = nullptr;

uint32_t ManualTicks() { return manualTicks; }

// A wait inside the SDK (a fade, a client's connection attempts) moves the
// manual clock on instead of sleeping, so it ends without the test.
void ManualWait(uint32_t milliseconds) { manualTicks += milliseconds > 0 ? milliseconds : 1; }

bool ManualOrWarn(const char* caller) {
    if (!manual) ILogSystem.Msg(2, " . [VeltranoTesting::%s()] Warning: the manual clock is off.\n", caller);
    return manual;
}

}  // namespace

namespace VeltranoTesting {

void UseManualClock(int enable) {
    if ((enable != 0) == manual) return;
    if (enable != 0) {
        // Starting from the current reading keeps the clock from jumping back
        // under the time system's and the pacing's earlier readings.
        manualTicks = clock_source::Ticks();
        clockBefore = clock_source::SetTickFunction(ManualTicks);
        waitBefore = clock_source::SetWaitFunction(ManualWait);
    } else {
        clock_source::SetTickFunction(clockBefore);
        clock_source::SetWaitFunction(waitBefore);
    }
    manual = enable != 0;
}

void SetClock(Uint32 milliseconds) {
    if (ManualOrWarn("SetClock")) manualTicks = milliseconds;
}

void AdvanceClock(Uint32 milliseconds) {
    if (ManualOrWarn("AdvanceClock")) manualTicks += milliseconds;
}

Uint32 Clock() { return clock_source::Ticks(); }

}  // namespace VeltranoTesting
