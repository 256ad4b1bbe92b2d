// The smallest Veltrano program: start the SDK, log to a file and to the
// terminal, name the processor, profile a few nested sections, quit.
#include <veltrano.h>

#include <cstdio>

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
    if (Veltrano.Init(0) != 1) return 1;

    Veltrano.PrintVersion();
    char cpuName[128] = {};
    if (Veltrano.GetCPUName(cpuName))
        ILogSystem.Msg(0, " . Processor: %s\n", cpuName);

    ProfileAFewFrames();

    Veltrano.Quit();
    std::printf("\nThe log was written to hello.log\n");
    return 0;
}
