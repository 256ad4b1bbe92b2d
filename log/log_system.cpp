// The log system: configuration, the log file, and message output.
#include "Veltrano_ILogSystem.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "log/banner.h"
#include "log/log_environment.h"
#include "log/log_state.h"

namespace {

enum OutputFlag : uint8_t {
    kOutputFileTruncate = 2,
    kOutputFileAppend = 4,
    kOutputStdout = 8,
    kOutputConsole = 16,
};
constexpr uint8_t kOutputFile = kOutputFileTruncate | kOutputFileAppend;
constexpr uint8_t kHighestLevel = 5;
constexpr char kFallbackFileName[] = "ILogSysError.txt";

uint8_t ClampLevel(char level) {
    const int value = static_cast<signed char>(level);
    if (value < 0) return 0;
    return value > kHighestLevel ? kHighestLevel : static_cast<uint8_t>(value);
}

// Copies a caller's file name into the fixed field. A null name, or one too
// long for the field, is refused rather than opened under a cut-off name.
bool CopyFileName(char (&field)[kLogNameSize], const char* name) {
    if (name == nullptr) return false;
    const size_t length = strnlen(name, kLogNameSize);
    if (length == kLogNameSize) return false;
    std::memcpy(field, name, length + 1);
    return true;
}

// Swaps the open file under the lock, so no writer ever sees a closed stream.
void ReplaceFile(LogState& log, FILE* file) {
    SDL_LockMutex(log.lock);
    if (log.file != nullptr) std::fclose(log.file);
    log.file = file;
    SDL_UnlockMutex(log.lock);
}

enum class OpenResult { Failed, Requested, Fallback };

// Opens the requested file, or "ILogSysError.txt" in the working directory
// when that cannot be created; records the name actually opened.
OpenResult OpenLogFile(LogState& log, const char* fileName, const char* mode) {
    if (CopyFileName(log.fileName, fileName)) {
        if (FILE* file = std::fopen(log.fileName, mode)) {
            ReplaceFile(log, file);
            return OpenResult::Requested;
        }
    }
    std::memcpy(log.fileName, kFallbackFileName, sizeof kFallbackFileName);
    if (FILE* file = std::fopen(log.fileName, mode)) {
        ReplaceFile(log, file);
        return OpenResult::Fallback;
    }
    log.fileName[0] = '\0';
    return OpenResult::Failed;
}

// Seconds since the SDK started; the difference wraps as 32-bit ticks do.
double ElapsedSeconds() {
    const uint32_t elapsed = log_environment::Ticks() - log_environment::StartTicks();
    return elapsed / 1000.0;
}

}  // namespace

Veltrano_ILogSystem::Veltrano_ILogSystem() : state(new LogState) { state->lock = SDL_CreateMutex(); }

Veltrano_ILogSystem::~Veltrano_ILogSystem() {
    delete[] state->samples;
    delete[] state->history;
    if (state->file != nullptr) std::fclose(state->file);
    SDL_DestroyMutex(state->lock);
    delete state;
    state = nullptr;
}

void Veltrano_ILogSystem::Init(const char* fileName, char outputs, char level, const char* title,
                               const char* line1, const char* line1b, const char* line2) {
    // A new configuration starts from a closed log: the previous file is
    // closed rather than left open and unreachable.
    state->runState = kLogOff;
    state->outputs = 0;
    ReplaceFile(*state, nullptr);
    state->fileName[0] = '\0';

    state->maxLevel = ClampLevel(level);
    const int requested = static_cast<signed char>(outputs);
    if (requested <= 0) return;
    const uint8_t flags = static_cast<uint8_t>(requested);

    // Standard output works whether or not a file can be opened.
    if (flags & kOutputStdout) {
        state->runState = kLogRunning;
        state->outputs = flags;
    }
    if ((flags & kOutputFile) == 0) return;

    const char* mode = (flags & kOutputFileTruncate) ? "wt" : "at";
    const OpenResult opened = OpenLogFile(*state, fileName, mode);
    if (opened == OpenResult::Failed) return;

    // The banner and the fallback warning go to the file alone.
    state->outputs = kOutputFileTruncate;
    state->runState = kLogRunning;
    WriteLogBanner(*this, title, line1, line1b, line2);
    if (opened == OpenResult::Fallback) Msg(0, " . Warning: it was not possible to create your log file.\n");
    state->outputs = flags;
}

void Veltrano_ILogSystem::Msg(char level, const char* fmt, ...) {
    const uint8_t outputs = state->outputs;
    if (state->runState != kLogRunning || outputs == 0 || fmt == nullptr) return;
    if (static_cast<signed char>(level) > static_cast<int>(state->maxLevel)) return;

    va_list args;
    va_start(args, fmt);
    SDL_LockMutex(state->lock);

    if (outputs & kOutputStdout) {
        va_list copy;
        va_copy(copy, args);
        std::vprintf(fmt, copy);
        va_end(copy);
    }
    if ((outputs & kOutputFile) && state->file != nullptr) {
        if (state->timeStamps) std::fprintf(state->file, "{%.3fs}", ElapsedSeconds());
        va_list copy;
        va_copy(copy, args);
        std::vfprintf(state->file, fmt, copy);
        va_end(copy);
        std::fflush(state->file);
    }
    if (outputs & kOutputConsole) {
        va_list copy;
        va_copy(copy, args);
        log_environment::PrintToConsole(fmt, copy);
        va_end(copy);
    }

    SDL_UnlockMutex(state->lock);
    va_end(args);
}

void Veltrano_ILogSystem::ShowTime(char on) { state->timeStamps = on != 0; }

unsigned char Veltrano_ILogSystem::GetState() { return state->runState; }

void Veltrano_ILogSystem::Halt() {
    uint8_t expected = kLogRunning;
    state->runState.compare_exchange_strong(expected, kLogHalted);
}

void Veltrano_ILogSystem::Resume() {
    uint8_t expected = kLogHalted;
    state->runState.compare_exchange_strong(expected, kLogRunning);
}
