// The smallest Veltrano program: start the SDK, log to a file and to the
// terminal, name the processor, profile a few nested sections, read the
// blocks of an archive the build packed with the archive tool, then open a
// window and run the frame loop for a few seconds with a bouncing box, and
// save a screenshot of the last frame.
#include <veltrano.h>

#include <cstdio>
#include <cstdlib>

namespace {

// ---- The bouncing box: logic at a fixed rate, drawing smoothed between ----
struct Box {
    float x = 40, y = 60;        // position at the last logic frame
    float previousX = 40, previousY = 60;
    float speedX = 3.5f, speedY = 2.25f;  // pixels per logic frame
    int size = 48;
};
Box box;
float logicTimeAtLastStep = 0;

void StepLogic() {
    box.previousX = box.x;
    box.previousY = box.y;
    box.x += box.speedX;
    box.y += box.speedY;
    const float maxX = static_cast<float>(Veltrano.screen->w - box.size);
    const float maxY = static_cast<float>(Veltrano.screen->h - 8 - box.size);  // above the floor
    if (box.x < 0 || box.x > maxX) box.speedX = -box.speedX;
    if (box.y < 0 || box.y > maxY) box.speedY = -box.speedY;
    logicTimeAtLastStep = Veltrano.GetLogicTime();
}

void Render(int) {
    SDL_Surface* screen = Veltrano.screen;
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 16, 24, 48));
    // A floor line under the play field.
    SDL_Rect floor{0, static_cast<Sint16>(screen->h - 8), static_cast<Uint16>(screen->w), 8};
    SDL_FillRect(screen, &floor, SDL_MapRGB(screen->format, 60, 90, 140));
    // Smooth between the last two logic positions by the logic time's progress.
    float t = Veltrano.GetLogicTime() - logicTimeAtLastStep;
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    const float x = box.previousX + (box.x - box.previousX) * t;
    const float y = box.previousY + (box.y - box.previousY) * t;
    SDL_Rect shadow{static_cast<Sint16>(x + 6), static_cast<Sint16>(y + 6), static_cast<Uint16>(box.size),
                    static_cast<Uint16>(box.size)};
    SDL_FillRect(screen, &shadow, SDL_MapRGB(screen->format, 8, 12, 24));
    SDL_Rect body{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(box.size),
                  static_cast<Uint16>(box.size)};
    SDL_FillRect(screen, &body, SDL_MapRGB(screen->format, 240, 180, 40));
    SDL_Rect shine{static_cast<Sint16>(x + 6), static_cast<Sint16>(y + 6), 12, 12};
    SDL_FillRect(screen, &shine, SDL_MapRGB(screen->format, 255, 240, 200));
}

// Opens the window (a real one when there is a display), runs the loop at
// 60 logic and 60 rendered frames per second for the given time, and saves
// the last frame.
void RunTheLoop(int milliseconds) {
    // The player's settings: written with the defaults on the first run,
    // read on every run, so they can be edited between runs.
    Veltrano.Config.title = const_cast<char*>("Hello, Veltrano");
    if (Veltrano.LoadConfig(nullptr, "hello-setup.xml", nullptr) == 1)
        ILogSystem.Msg(0, "\n . Settings read from hello-setup.xml\n");
    else if (Veltrano.SaveConfig(nullptr, "hello-setup.xml", nullptr) == 1)
        ILogSystem.Msg(0, "\n . Default settings written to hello-setup.xml\n");
    // A game may choose SDL's driver; the SDK itself reads no environment.
    if (std::getenv("DISPLAY") == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        if (Veltrano.Config.colordepth == 0) Veltrano.Config.colordepth = 32;  // the headless desktop has 8 bits
    }
    if (Veltrano.SetVideoMode() != 1) return;
    Veltrano.VideoInfo();

    ITimeSystem->Init(0);
    ITimeSystem->SetRate(60, 60);
    Veltrano.SetRenderCallback(Render);
    Veltrano.CleanUp();
    SDL_Event event;
    bool running = true;
    while (running && ITimeSystem->GetTimeNow() < milliseconds) {
        if (Veltrano.Update(&event) == 0) {
            StepLogic();
            if (Veltrano.GetKeystate(SDLK_ESCAPE)) running = false;
        } else if (event.type == SDL_QUIT) {
            running = false;
        }
    }
    ITimeSystem->Info();
    if (SDL_SaveBMP(Veltrano.screen, "hello.bmp") == 0)
        ILogSystem.Msg(0, "\n . The last frame was saved to hello.bmp\n");
}

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
    if (Veltrano.Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 1) return 1;

    Veltrano.PrintVersion();
    char cpuName[128] = {};
    if (Veltrano.GetCPUName(cpuName))
        ILogSystem.Msg(0, " . Processor: %s\n", cpuName);

    ProfileAFewFrames();

    // ---- Assets: the archive the build packed beside the program ----------
    // Lists its blocks, loads the greeting and shows it, then closes it.
    {
        const int assets = IStuffDPF->Open("assets.dpf");
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

    RunTheLoop(3000);

    Veltrano.Quit();
    std::printf("\nThe log was written to hello.log\n");
    return 0;
}
