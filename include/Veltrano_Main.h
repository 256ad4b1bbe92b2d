// The core object: configuration, screen, mouse state, start-up and shut-down.
#ifndef VELTRANO_MAIN_H
#define VELTRANO_MAIN_H

#include <cstdarg>
#include <SDL.h>
#include "veltrano_types.h"

struct CoreState;

class VELTRANO_API Veltrano_Main {
public:
    using sConfig = ::sConfig;

    Veltrano_Main();
    ~Veltrano_Main();
    Veltrano_Main(const Veltrano_Main&) = delete;
    Veltrano_Main& operator=(const Veltrano_Main&) = delete;

    // Start-up and shut-down.
    int Init(unsigned int flags);
    void Quit();
    void CleanUp();

    // Version queries.
    void PrintVersion();
    char* GetVersion();
    char* GetCopyright();
    int RequireVersion(int major, int minor);

    // Processor name (at least 59 bytes of buffer).
    int GetCPUName(char* buffer);

    // CRC-32, random numbers and directories.
    unsigned int CRC32(const char* buffer, int length);
    unsigned int CRC32(const char* fileName);
    void RandSeed(unsigned int seed);
    unsigned int Rand();
    double RandReal();
    int MakeDirectory(const char* path);

    // In-game console output; writes nothing until the console exists.
    void ConPrint(const char* fmt, ...);
    void ConvPrint(const char* fmt, va_list args);

    sConfig Config;
    SDL_Surface* screen;
    int mouseX;
    int mouseY;
    unsigned char mouseButtons;
    unsigned char mousePrevButtons;
    unsigned int initTicks;
    unsigned char surfaceLossCheck;
    int tileCount;
    int spriteCount;
    int fontCount;

private:
    CoreState* state;
};

VELTRANO_API extern Veltrano_Main Veltrano;

#endif
