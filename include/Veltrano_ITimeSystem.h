// The ITimeSystem interface: desired logic and render rates, frame counting
// and rate statistics. Created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_ITIMESYSTEM_H
#define VELTRANO_ITIMESYSTEM_H

#include "veltrano_types.h"

struct TimeSystemState;

class VELTRANO_API Veltrano_ITimeSystem {
public:
    Veltrano_ITimeSystem();
    ~Veltrano_ITimeSystem();
    Veltrano_ITimeSystem(const Veltrano_ITimeSystem&) = delete;
    Veltrano_ITimeSystem& operator=(const Veltrano_ITimeSystem&) = delete;

    // 0: first start, clears the desired rates; 1: restart keeping them.
    void Init(int mode);
    // Desired render and logic rates; 0 = unlimited (render at most 120,
    // logic at most 200).
    void SetRate(unsigned int rfr, unsigned int lfr);

    // Every query answers -1 until a successful Init.
    int GetDesiredRFR();
    int GetDesiredLFR();
    float GetRFR();          // average rendered frames per second
    float GetLFR();          // average logic frames per second
    int GetCurrentRFR();     // rendered frames in the last whole second
    int GetCurrentLFR();     // logic frames in the last whole second
    int GetRenderedFrames();
    int GetLogicFrames();
    float GetSeconds();      // seconds since Init, as of the last statistics update
    int GetTime();           // milliseconds since Init, as of the last statistics update
    int GetTimeNow();        // milliseconds since Init, now
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

VELTRANO_API extern Veltrano_ITimeSystem* ITimeSystem;

#endif
