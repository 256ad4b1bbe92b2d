// The core object's private record.
#ifndef VELTRANO_CORE_STATE_H
#define VELTRANO_CORE_STATE_H

#include <cstdint>

#include "core/random.h"

// initTicks before Init and after Quit.
constexpr unsigned int kTicksNotInitialized = 0xFFFFFFFFu;

// Logic/render pacing of the update loop. Times are the time system's
// milliseconds; the accumulators carry fractional frames between passes.
struct PacingState {
    int32_t logicState = 0;  // 0 new pass, 1 catching up logic, 2 rendered
    int32_t logicNow = 0;
    int32_t logicPrev = 0;
    int32_t logicPending = 0;
    float stepSeconds = 0.0f;
    float stepFrames = 0.0f;
    float logicAccum = 0.0f;
    int32_t renderNow = 0;
    int32_t renderPrev = 0;
    float renderAccum = 0.0f;
};

struct CoreState {
    static constexpr int kKeyCount = 300;

    // Input (update loop).
    uint8_t* keyState = nullptr;
    int32_t keyTimes[kKeyCount] = {};

    // Version.
    char versionText[64] = "Veltrano SDK Win32 v5.22 (build 3336)";
    char copyrightText[32] = "(C) 2026 Veltrano SDK team";
    int majorVersion = 5;
    int minorVersion = 22;

    // CRC-32 table, built on first use.
    uint32_t* crcTable = nullptr;
    bool crcTableBuilt = false;

    MersenneTwister random;

    bool initialized = false;
    bool openGL = false;

    void (*renderCallback)(int) = nullptr;
    uint8_t renderNeeded = 0;  // developer windows redraw: 0 no, 1 once, 2 always
    PacingState pacing;
};

#endif
