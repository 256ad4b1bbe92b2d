// The log system's private record and the profiler's tables.
#ifndef VELTRANO_LOG_STATE_H
#define VELTRANO_LOG_STATE_H

#include <atomic>
#include <cstdint>
#include <cstdio>

#include <SDL.h>

constexpr int kLogNameSize = 256;       // file names and section names, with the NUL
constexpr int kProfileSlots = 50;       // sample slots and history slots

// One open or accumulated profile section of the current period.
struct ProfileSample {
    bool valid = false;
    uint32_t instances = 0;             // times begun in this period
    int32_t openCount = 0;              // begun minus ended
    char name[kLogNameSize] = {};
    float startTime = 0.0f;             // seconds
    float accumulator = 0.0f;           // seconds
    float childrenTime = 0.0f;          // seconds spent in nested sections
    uint32_t parentCount = 0;
};

// Smoothed results of one section name across periods, in percent.
struct ProfileHistory {
    bool valid = false;
    char name[kLogNameSize] = {};
    float average = 0.0f;
    float minimum = 0.0f;
    float maximum = 0.0f;
};

enum LogRunState : uint8_t { kLogOff = 0, kLogRunning = 1, kLogHalted = 2 };

struct LogState {
    // Read by Msg before it takes the lock, from any thread.
    std::atomic<uint8_t> runState{kLogOff};
    std::atomic<uint8_t> maxLevel{0};
    std::atomic<uint8_t> outputs{0};

    FILE* file = nullptr;               // replaced and written only under the lock
    char fileName[kLogNameSize] = {};
    std::atomic<bool> timeStamps{false};
    SDL_mutex* lock = nullptr;

    bool profilerReady = false;
    ProfileSample* samples = nullptr;   // kProfileSlots entries
    ProfileHistory* history = nullptr;  // kProfileSlots entries
    bool maxWarned = false;
    float profileStart = 0.0f;          // seconds
    float profileEnd = 0.0f;            // seconds
};

#endif
