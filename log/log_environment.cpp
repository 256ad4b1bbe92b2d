#include "log/log_environment.h"

#include <SDL.h>

namespace log_environment {
namespace {

LogEnvironment current;

// Set while this thread is inside the console sink.
thread_local bool inConsoleSink = false;

}  // namespace

LogEnvironment Set(const LogEnvironment& environment) {
    const LogEnvironment previous = current;
    current = environment;
    return previous;
}

uint32_t Ticks() { return current.ticks != nullptr ? current.ticks() : SDL_GetTicks(); }

uint32_t StartTicks() { return current.startTicks != nullptr ? current.startTicks() : 0; }

const char* Version() { return current.version != nullptr ? current.version() : ""; }

const char* Copyright() { return current.copyright != nullptr ? current.copyright() : ""; }

void PrintToConsole(const char* fmt, va_list args) {
    if (current.consoleSink == nullptr || inConsoleSink) return;
    inConsoleSink = true;
    current.consoleSink(fmt, args);
    inConsoleSink = false;
}

}  // namespace log_environment
