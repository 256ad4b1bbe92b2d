/// @file
/// The ITimeSystem interface: desired logic and render rates, frame counting
/// and rate statistics. Created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_ITIMESYSTEM_H
#define VELTRANO_ITIMESYSTEM_H

#include "veltrano_types.h"

struct TimeSystemState;

/// The clock that paces Veltrano.Update: holds the desired logic frame rate
/// (LFR) and rendering frame rate (RFR), counts the frames Update runs and
/// renders and derives per-second and average rates from them. Reached
/// through the global pointer ITimeSystem; main thread only.
class VELTRANO_API Veltrano_ITimeSystem {
public:
    /// Creates a time system that is not ready; logs " . [ITimeSystem] Interfaz created." at level 5.
    Veltrano_ITimeSystem();
    /// Logs " . [ITimeSystem] Interfaz deleted." at level 5.
    ~Veltrano_ITimeSystem();
    /// Not copyable: each object owns its private state.
    Veltrano_ITimeSystem(const Veltrano_ITimeSystem&) = delete;
    /// Not assignable, for the same reason.
    Veltrano_ITimeSystem& operator=(const Veltrano_ITimeSystem&) = delete;

    /// Starts the clock and clears the counters. Needs SDL's timer: without
    /// it logs " . [ITimeSystem->Init()] Warning: SDL_INIT_TIMER was not initialized." and the time system stays as
    /// it was (not ready at first).
    /// @param mode  0: first start, also clears the desired rates; 1: restart
    ///              keeping them (only when already ready; Veltrano.CleanUp
    ///              uses it); any other value does nothing.
    void Init(int mode);
    /// Sets the desired render and logic rates; nothing before a successful
    /// Init. The last-second and average figures start at the new rates.
    /// A non-zero render rate on a double-buffered screen logs the warning
    /// " . [ITimeSystem->SetRate(rfr,lfr)] Warning: doublebuffer screen detected. Use 0 for RFR ..."
    /// @param rfr  rendered frames per second, capped at 120; 0 = every pass.
    /// @param lfr  logic frames per second, capped at 200; 0 = every pass.
    void SetRate(unsigned int rfr, unsigned int lfr);

    /// The desired render rate; every query answers -1 until a successful Init.
    /// @return frames per second, 0 for unlimited, or -1 when not ready.
    int GetDesiredRFR();
    /// The desired logic rate.
    /// @return frames per second, 0 for unlimited, or -1 when not ready.
    int GetDesiredLFR();
    /// Average rendered frames per second since Init, updated every quarter second.
    /// @return the average, or -1.0 when not ready.
    float GetRFR();
    /// Average logic frames per second since Init, updated every quarter second.
    /// @return the average, or -1.0 when not ready.
    float GetLFR();
    /// Rendered frames in the last whole second.
    /// @return the count, or -1 when not ready.
    int GetCurrentRFR();
    /// Logic frames in the last whole second.
    /// @return the count, or -1 when not ready.
    int GetCurrentLFR();
    /// Rendered frames since Init.
    /// @return the count, or -1 when not ready.
    int GetRenderedFrames();
    /// Logic frames since Init.
    /// @return the count, or -1 when not ready.
    int GetLogicFrames();
    /// Seconds since Init, as of the last statistics update.
    /// @return the seconds (0.001 right after Init), or -1.0 when not ready.
    float GetSeconds();
    /// Milliseconds since Init, as of the last statistics update.
    /// @return the milliseconds, or -1 when not ready.
    int GetTime();
    /// Milliseconds since Init, now.
    /// @return the milliseconds, or -1 when not ready.
    int GetTimeNow();
    /// Logs the timer information (execution time, frame totals, desired,
    /// last-second and average rates) at level 0, or "-> ITimeSystem was not initialized." when not ready.
    void Info();

private:
    friend class TimeSystemHooks;
    friend class Veltrano_IVideo;

    // Statistics; once per pass of the frame loop.
    void Update();
    void IncRF();
    void IncLF();

    TimeSystemState* state;
};

/// The time system; null before Veltrano.Init and after Veltrano.Quit.
VELTRANO_API extern Veltrano_ITimeSystem* ITimeSystem;

#endif
