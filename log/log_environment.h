// What the log needs from the SDK around it, given by the start-up code: the
// clock, the moment the SDK started (time stamps count from it), the version
// texts of the banner, and where console output (flag 16) goes. Every entry
// may be null; the log then uses SDL's clock, counts from 0, prints empty
// texts and sends nothing to the console.
#ifndef VELTRANO_LOG_LOG_ENVIRONMENT_H
#define VELTRANO_LOG_LOG_ENVIRONMENT_H

#include <cstdarg>
#include <cstdint>

struct LogEnvironment {
    uint32_t (*ticks)() = nullptr;
    uint32_t (*startTicks)() = nullptr;
    const char* (*version)() = nullptr;
    const char* (*copyright)() = nullptr;
    void (*consoleSink)(const char* fmt, va_list args) = nullptr;
};

namespace log_environment {

// Replaces the environment; returns the previous one.
LogEnvironment Set(const LogEnvironment& environment);

uint32_t Ticks();
uint32_t StartTicks();
const char* Version();
const char* Copyright();

// Hands a message to the console sink. A sink that logs while it prints does
// not reach itself again: on that thread the inner message skips the console.
void PrintToConsole(const char* fmt, va_list args);

}  // namespace log_environment

#endif
