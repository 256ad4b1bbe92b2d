// The SDK's diagnostic channel (file, standard output, console) and profiler.
#ifndef VELTRANO_ILOGSYSTEM_H
#define VELTRANO_ILOGSYSTEM_H

#include "veltrano_export.h"

struct LogState;

class VELTRANO_API Veltrano_ILogSystem {
public:
    Veltrano_ILogSystem();
    ~Veltrano_ILogSystem();
    Veltrano_ILogSystem(const Veltrano_ILogSystem&) = delete;
    Veltrano_ILogSystem& operator=(const Veltrano_ILogSystem&) = delete;

    // outputs: 2 file (truncated), 4 file (appended), 8 stdout, 16 console.
    void Init(const char* fileName, char outputs, char level, const char* title,
              const char* line1, const char* line1b, const char* line2);
    void Msg(char level, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
    void ShowTime(char on);
    unsigned char GetState();
    void Halt();
    void Resume();

    void ProfileBegin(const char* name);
    void ProfileEnd(const char* name);
    void ProfileShow();

private:
    LogState* state;
};

VELTRANO_API extern Veltrano_ILogSystem ILogSystem;

#endif
