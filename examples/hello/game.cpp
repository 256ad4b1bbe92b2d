#include "game.h"

#include <veltrano.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

// ---- The bouncing box: logic at a fixed rate, drawing smoothed between ----
struct Box {
    float x = 40, y = 60;  // position at the last logic frame
    float previousX = 40, previousY = 60;
    float speedX = 3.5f, speedY = 2.25f;  // pixels per logic frame
    int size = 48;
};

struct Game {
    Box box;
    float logicTimeAtLastStep = 0;
    SDL_Surface* logo = nullptr;
    bool demoMouse = false;  // no display: the mouse is moved by the demo itself
    int logicFrames = 0;
};
Game game;

void StepLogic() {
    Box& box = game.box;
    box.previousX = box.x;
    box.previousY = box.y;
    box.x += box.speedX;
    box.y += box.speedY;
    const float maxX = static_cast<float>(Veltrano.screen->w - box.size);
    const float maxY = static_cast<float>(Veltrano.screen->h - 8 - box.size);  // above the floor
    if (box.x < 0 || box.x > maxX) box.speedX = -box.speedX;
    if (box.y < 0 || box.y > maxY) box.speedY = -box.speedY;
    game.logicTimeAtLastStep = Veltrano.GetLogicTime();
    ++game.logicFrames;
    if (game.demoMouse) {
        // A slow circle round the middle of the screen.
        const double angle = game.logicFrames * 0.03;
        SDL_WarpMouse(static_cast<Uint16>(320 + 180 * std::cos(angle)),
                      static_cast<Uint16>(240 + 140 * std::sin(angle)));
    }
}

Uint32 Rgb(Uint8 r, Uint8 g, Uint8 b) { return SDL_MapRGB(Veltrano.screen->format, r, g, b); }

// The scene behind the box: a grid of lines, the floor, the logo in a frame.
void DrawScene(SDL_Surface* screen) {
    SDL_FillRect(screen, nullptr, Rgb(16, 24, 48));
    for (short x = 0; x < screen->w; x += 40) IPrimitives->VLineColor(screen, x, 0, static_cast<short>(screen->h - 9), Rgb(28, 40, 72));
    for (short y = 0; y < screen->h - 8; y += 40) IPrimitives->HLineColor(screen, 0, static_cast<short>(screen->w - 1), y, Rgb(28, 40, 72));
    IPrimitives->BoxColor(screen, 0, static_cast<short>(screen->h - 8), static_cast<short>(screen->w), static_cast<short>(screen->h), Rgb(60, 90, 140));
    if (game.logo != nullptr) {
        SDL_Rect at{static_cast<Sint16>(screen->w - game.logo->w - 16), 16, 0, 0};
        Veltrano.Blit(game.logo, nullptr, screen, &at);
        IPrimitives->RectangleColor(screen, static_cast<short>(at.x - 3), 13, static_cast<short>(at.x + game.logo->w + 2),
                                    static_cast<short>(16 + game.logo->h + 2), Rgb(255, 240, 200));
    }
}

void Render(int) {
    SDL_Surface* screen = Veltrano.screen;
    DrawScene(screen);
    // Smooth between the last two logic positions by the logic time's progress.
    const Box& box = game.box;
    float t = Veltrano.GetLogicTime() - game.logicTimeAtLastStep;
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    const short x = static_cast<short>(box.previousX + (box.x - box.previousX) * t);
    const short y = static_cast<short>(box.previousY + (box.y - box.previousY) * t);
    const short size = static_cast<short>(box.size);
    IPrimitives->BoxColor(screen, static_cast<short>(x + 6), static_cast<short>(y + 6), static_cast<short>(x + 6 + size),
                          static_cast<short>(y + 6 + size), Rgb(8, 12, 24));
    IPrimitives->BoxColor(screen, x, y, static_cast<short>(x + size), static_cast<short>(y + size), Rgb(240, 180, 40));
    IPrimitives->RectangleColor(screen, x, y, static_cast<short>(x + size - 1), static_cast<short>(y + size - 1), Rgb(120, 70, 10));
    IPrimitives->BoxColor(screen, static_cast<short>(x + 6), static_cast<short>(y + 6), static_cast<short>(x + 18),
                          static_cast<short>(y + 18), Rgb(255, 240, 200));
    // A line from the box to the mouse pointer.
    IPrimitives->LineColor(screen, static_cast<short>(x + size / 2), static_cast<short>(y + size / 2),
                           static_cast<short>(Veltrano.mouseX), static_cast<short>(Veltrano.mouseY), Rgb(120, 200, 255));
}

// The player's settings: written with the defaults on the first run, read
// on every run, so they can be edited between runs.
void ReadSettings() {
    Veltrano.Config.title = const_cast<char*>("Hello, Veltrano");
    if (std::filesystem::exists("hello-setup.xml") && Veltrano.LoadConfig(nullptr, "hello-setup.xml", nullptr) == 1)
        ILogSystem.Msg(0, "\n . Settings read from hello-setup.xml\n");
    else if (Veltrano.SaveConfig(nullptr, "hello-setup.xml", nullptr) == 1)
        ILogSystem.Msg(0, "\n . Default settings written to hello-setup.xml\n");
}

bool OpenScreen() {
    // A game may choose SDL's driver; the SDK itself reads no environment.
    if (std::getenv("DISPLAY") == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        if (Veltrano.Config.colordepth == 0) Veltrano.Config.colordepth = 32;  // the headless desktop has 8 bits
        game.demoMouse = true;
    }
    if (Veltrano.SetVideoMode() != 1) return false;
    Veltrano.VideoInfo();
    return true;
}

// The logo and the mouse pointer, from the archive the build packed.
void LoadPictures() {
    game.logo = IImage->Load("assets.dpf", "logo", nullptr);
    ICursor->Init();
    // The scene is redrawn whole every frame: the pointer is drawn on top each
    // time instead of saving and restoring what lies under it.
    ICursor->AutoRestore(0);
    const char pointer = ICursor->Load("assets.dpf", "pointer", 0);
    if (pointer >= 0) ICursor->Select(pointer);
    ICursor->Info();
}

}  // namespace

void RunTheGame(int milliseconds) {
    ReadSettings();
    if (!OpenScreen()) return;
    LoadPictures();

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
    if (IImage->SavePNG("hello.png", Veltrano.screen, 6) == 0)
        ILogSystem.Msg(0, "\n . The last frame was saved to hello.png\n");
    Veltrano.FreeSurface(game.logo);
}
