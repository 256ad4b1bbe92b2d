// The hello demo: start the SDK, log to a file and to the terminal, name the
// processor, profile a few nested sections, list the blocks of the
// password-protected archive the build packed with the archive tool, then
// play the game of game.cpp. Without a display the game plays itself
// through every screen and saves a screenshot of each (see autoplay.h).
#include <veltrano.h>

#include <cstdio>
#include <cstdlib>

#include "assets.h"
#include "game.h"
#include "shots.h"

namespace {

// Busy work that the profiler can measure.
unsigned int Crunch(int rounds) {
    unsigned int sum = 0;
    for (int i = 0; i < rounds; ++i) sum += Veltrano.Rand() >> 7;
    return sum;
}

void ProfileAFewFrames() {
    for (int frame = 0; frame < 3; ++frame) {
        ILogSystem.ProfileBegin("frame");
        ILogSystem.ProfileBegin("logic");
        Crunch(200000);
        ILogSystem.ProfileBegin("logic/physics");
        Crunch(400000);
        SDL_Delay(5);
        ILogSystem.ProfileEnd("logic/physics");
        ILogSystem.ProfileEnd("logic");
        ILogSystem.ProfileBegin("render");
        SDL_Delay(10);
        ILogSystem.ProfileEnd("render");
        ILogSystem.ProfileEnd("frame");
    }
    ILogSystem.ProfileShow();
}

}  // namespace

int main() {
    // Log to hello.log (truncated) and to standard output, every level.
    ILogSystem.Init("hello.log", 2 | 8, 5, "Hello, Veltrano", "examples/hello", "the first program",
                    "Logs, names the processor and profiles a few sections.");
    ILogSystem.ShowTime(1);
    if (!Veltrano.RequireVersion(5, 22)) return 1;
    // A game may choose SDL's video driver (the SDK itself reads no
    // environment): without a display, the headless one, before SDL starts,
    // rather than whatever else SDL would find (a text-mode renderer, say).
    if (std::getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (Veltrano.Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 1) return 1;

    Veltrano.PrintVersion();
    char cpuName[128] = {};
    if (Veltrano.GetCPUName(cpuName))
        ILogSystem.Msg(0, " . Processor: %s\n", cpuName);

    ProfileAFewFrames();
    // Every asset is read from the protected archive: the password first.
    UnlockAssets();

    // ---- Assets: the archive the build packed beside the program ----------
    // Lists its blocks, loads the greeting and shows it, then closes it.
    {
        const int assets = IStuffDPF->Open(kAssets);
        if (assets > 0) {
            ILogSystem.Msg(0, "\n . Blocks of assets.dpf:\n");
            DPF_BlockData block = {};
            for (int found = IStuffDPF->FindFirst(assets, &block); found == 1;
                 found = IStuffDPF->FindNext(assets, &block))
                ILogSystem.Msg(0, "   - %-16s %-7s %6d bytes\n", block.name, block.type, block.size);

            DPF_BlockData greeting = {};
            const int size = IStuffDPF->LoadBlock(assets, "FILE", "greeting.txt", &greeting);
            if (size > 0) {
                int shown = size;  // without the text's line end
                while (shown > 0 && (greeting.data[shown - 1] == '\n' || greeting.data[shown - 1] == '\r')) --shown;
                ILogSystem.Msg(0, " . Loaded 'greeting.txt' (%d bytes): %.*s\n", size, shown, greeting.data);
                IStuffDPF->FreeBlock(&greeting);
            }
            IStuffDPF->Close(assets);
        } else {
            ILogSystem.Msg(0, "\n . assets.dpf was not found: run the demo from build/examples/hello\n");
        }
    }
    // ---- End of the assets section -----------------------------------------

    RunTheGame();

    Veltrano.Quit();
    std::printf("\nThe log was written to hello.log\n");
    if (ShotsTaken() > 0) std::printf("%d screenshots are in shots/, the last frame in hello.png\n", ShotsTaken());
    return 0;
}
