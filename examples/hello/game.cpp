#include "game.h"

#include "assets.h"
#include "audio.h"
#include "actors.h"
#include "autoplay.h"
#include "dev_console.h"
#include "resources.h"
#include "screens.h"
#include "transitions.h"

#include <veltrano.h>

#include <cstring>
#include <filesystem>
#include <vector>

namespace {

// The calls of one screen (see screens.h) and the name the log shows.
struct ScreenCalls {
    Screen id;
    const char* name;
    void (*enter)();
    Screen (*step)();
    void (*draw)(SDL_Surface*);
    void (*leave)();
    void (*overlay)(SDL_Surface*);  // drawn over the widgets, or null
};

const ScreenCalls kScreens[] = {
    {Screen::Title, "title", EnterTitle, StepTitle, DrawTitle, LeaveTitle, DrawTitleLabels},
    {Screen::Options, "options", EnterOptions, StepOptions, DrawOptions, LeaveOptions, nullptr},
    {Screen::Play, "play", EnterPlay, StepPlay, DrawPlay, LeavePlay, nullptr},
    {Screen::TwoPlayers, "two players", EnterTwoPlayers, StepPlay, DrawPlay, LeavePlay, nullptr},
    {Screen::Scores, "high scores", EnterScores, StepScores, DrawScores, LeaveScores, nullptr},
};

// A self-playing run that has not finished by then is stuck: it ends, so a
// test fails instead of hanging.
constexpr int kSelfPlayLimitMs = 90000;

struct Loop {
    const ScreenCalls* screen = &kScreens[0];
    int framesOnScreen = 0;
    std::vector<Uint8> keysBefore, keysNow;  // SDL's key table, last frame and this one
};
Loop loop;

const ScreenCalls* Find(Screen id) {
    for (const ScreenCalls& calls : kScreens)
        if (calls.id == id) return &calls;
    return nullptr;
}

void Render(int) {
    loop.screen->draw(Veltrano.screen);
    // The whole screen was painted over the widgets and the developer
    // windows: they are drawn again every frame (IButton draws only when a
    // render is asked for).
    Veltrano.RenderNeeded(1);
    IButton->Draw();
    if (loop.screen->overlay != nullptr) loop.screen->overlay(Veltrano.screen);
}

void SwitchTo(const ScreenCalls* next) {
    loop.screen->leave();
    FadeOut();
    ILogSystem.Msg(0, " . Screen: %s (at %.1f s)\n", next->name, ITimeSystem->GetTimeNow() / 1000.0);
    loop.screen = next;
    loop.framesOnScreen = 0;
    next->enter();
    FadeIn(loop.screen->draw);
}

void RememberKeys() {
    int count = 0;
    const Uint8* keys = SDL_GetKeyState(&count);
    loop.keysBefore = loop.keysNow;
    loop.keysNow.assign(keys, keys + count);
    loop.keysBefore.resize(loop.keysNow.size(), 0);
}

// One logic frame: the script's input (when self-playing), then the screen.
// False when the game is over.
bool StepFrame() {
    RememberKeys();
    ++loop.framesOnScreen;
    AutoplayFrame(loop.screen->id, loop.framesOnScreen);
    UpdateWatchedValues();
    const Screen next = loop.screen->step();
    if (next == Screen::Quit) return false;
    if (next != loop.screen->id) SwitchTo(Find(next));
    return true;
}

void RunFrames() {
    Veltrano.SetRenderCallback(Render);
    ILogSystem.Msg(0, " . Screen: %s\n", loop.screen->name);
    loop.screen->enter();
    FadeIn(loop.screen->draw);
    Veltrano.CleanUp();
    SDL_Event event;
    for (;;) {
        if (Veltrano.Update(&event) == 0) {
            if (!StepFrame()) break;
        } else if (event.type == SDL_QUIT) {
            break;
        }
        if (Autoplaying() && ITimeSystem->GetTimeNow() > kSelfPlayLimitMs) {
            ILogSystem.Msg(0, " . The self-playing run did not finish in time\n");
            break;
        }
    }
    loop.screen->leave();
}

void ReadSettings() {
    Veltrano.Config.title = const_cast<char*>("Hello, Veltrano");
    // The game has sound unless the settings switch it off; 22050 Hz because
    // the film player follows a film's 44100 Hz sound only at that rate or
    // its own (at 11025 Hz the intro would run four times too slowly).
    Veltrano.Config.audioEnable = 1;
    Veltrano.Config.audioFrequency = 22050;
    Veltrano.Config.audioMode = 2;
    Veltrano.Config.resolutionx = 640;
    Veltrano.Config.resolutiony = 480;
    Veltrano.Config.window = 1;
    // Update sleeps a millisecond a call: the frame loop then waits for the
    // next frame instead of spinning a whole core.
    Veltrano.Config.mtfriendly = 1;
    if (std::filesystem::exists(kSettingsFile) && Veltrano.LoadConfig(nullptr, kSettingsFile, nullptr) == 1)
        ILogSystem.Msg(0, "\n . Settings read from %s\n", kSettingsFile);
    else if (Veltrano.SaveConfig(nullptr, kSettingsFile, nullptr) == 1)
        ILogSystem.Msg(0, "\n . Default settings written to %s\n", kSettingsFile);
}

bool OpenScreen() {
    // On SDL's headless driver (main chooses it when there is no display; a
    // test may choose it too) nobody is there to play: the game plays itself.
    char driver[32] = {};
    if (SDL_VideoDriverName(driver, sizeof driver) != nullptr && std::strcmp(driver, "dummy") == 0) {
        if (Veltrano.Config.colordepth == 0) Veltrano.Config.colordepth = 32;  // the headless desktop has 8 bits
        StartAutoplay();
    }
    if (Veltrano.SetVideoMode() != 1) return false;
    SetUpDeveloperConsole();
    Veltrano.VideoInfo();
    return true;
}

}  // namespace

bool ReopenScreen() {
    if (Veltrano.SetVideoMode() != 1) {
        ILogSystem.Msg(0, " . The new video mode was refused; back to 640x480 in a window\n");
        Veltrano.Config.resolutionx = 640;
        Veltrano.Config.resolutiony = 480;
        Veltrano.Config.window = 1;
        if (Veltrano.SetVideoMode() != 1) return false;
    }
    SetUpDeveloperConsole();
    ICursor->Invalidate();
    return true;
}

bool KeyWentDown(int key) {
    const size_t k = static_cast<size_t>(key);
    return key >= 0 && k < loop.keysNow.size() && loop.keysNow[k] && !loop.keysBefore[k];
}

void RunTheGame() {
    ReadSettings();
    if (!OpenScreen()) return;
    ITimeSystem->Init(0);
    ITimeSystem->SetRate(60, kLogicRate);
    StartAudio();
    ILogSystem.Msg(0, " . Screen: intro\n");
    PlayIntro();
    if (!LoadResources()) ILogSystem.Msg(0, "\n . Some pictures were not found in %s\n", kAssets);
    if (!LoadCast()) ILogSystem.Msg(0, "\n . Some sprites were not found in %s\n", kAssets);
    StartMusic();
    RunFrames();
    ITimeSystem->Info();
    if (IImage->SavePNG("hello.png", Veltrano.screen, 6) == 0)
        ILogSystem.Msg(0, "\n . The last frame was saved to hello.png\n");
    IButton->RemoveAll();
    FreeCast();
    FreeResources();
    StopAudio();
}
