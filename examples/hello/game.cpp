#include "game.h"

#include "actors.h"
#include "audio.h"
#include "dev_console.h"
#include "menu.h"

#include <veltrano.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

constexpr int kPanelWidth = 232;  // the menu's column at the right

struct Game {
    SDL_Surface* logo = nullptr;
    SDL_Surface* scene = nullptr;  // the frame is drawn here, then shown through an effect
    Veltrano_CTile* ground = nullptr;
    Veltrano_CFont* smallFont = nullptr;
    Veltrano_CFont* bigFont = nullptr;
    bool demoMouse = false;  // no display: the mouse and the keys are played by the demo itself
    bool running = true;
    int logicFrames = 0;
    int effect = 0;          // RenderFX effect shown, 0 none; F cycles them
};
Game game;

constexpr int kEffects = 12;

// The next effect on F; without a display the demo shows each for a while
// and ends on the plain scene.
void ChooseEffect() {
    if (game.demoMouse) {
        const int shown = game.logicFrames / 6 - 4;  // a tenth of a second each, after the first 0.4 s
        game.effect = shown >= 1 && shown <= kEffects ? shown : 0;
        return;
    }
    if (Veltrano.GetKeyPressed(250) == 'f') game.effect = (game.effect + 1) % (kEffects + 1);
}

void StepLogic() {
    ++game.logicFrames;
    const MenuChoices choices = StepMenu(game.demoMouse, game.logicFrames);
    if (choices.quit) game.running = false;
    if (choices.restart) ILogSystem.Msg(0, "\n . Start clicked: %d coins so far\n", CoinsCollected());
    SetMusicVolume(MenuVolume());
    StepActors(game.demoMouse, MenuSmoothMoves());
    UpdateWatchedValues();
    ChooseEffect();
    if (game.demoMouse) {
        // A slow circle round the middle of the playing field.
        const double angle = game.logicFrames * 0.03;
        SDL_WarpMouse(static_cast<Uint16>(200 + 150 * std::cos(angle)),
                      static_cast<Uint16>(260 + 120 * std::sin(angle)));
    }
}

Uint32 Rgb(Uint8 r, Uint8 g, Uint8 b) { return SDL_MapRGB(Veltrano.screen->format, r, g, b); }

// The ground: cells of the tileset, stone with a scattering of moss.
void DrawGround(SDL_Surface* target) {
    if (game.ground == nullptr) {
        SDL_FillRect(target, nullptr, Rgb(16, 24, 48));
        return;
    }
    for (int y = 0; y < target->h; y += 32)
        for (int x = 0; x < target->w; x += 32) {
            game.ground->SetPosition(x, y);
            const int cell = ((x / 32) * 7 + (y / 32) * 3) % 5 == 0 ? 2 : 1;
            game.ground->Draw(target, cell | ((x / 32 + y / 32) % 3 == 0 ? 0x80000000 : 0));
        }
}

void DrawTexts(SDL_Surface* target) {
    if (game.bigFont != nullptr) game.bigFont->PutString(target, 16, 18, "HELLO, VELTRANO", nullptr);
    if (game.smallFont == nullptr) return;
    game.smallFont->PutString(target, 18, 54, "Arrow keys: walk and collect the coins.", nullptr);
    char status[128];
    std::snprintf(status, sizeof status, "coins %d   frame rate %d   logic rate %d   effect %d (F: next)",
                  CoinsCollected(), ITimeSystem->GetCurrentRFR(), ITimeSystem->GetCurrentLFR(), game.effect);
    game.smallFont->PutString(target, 18, target->h - 26, status, nullptr);
}

// The scene behind the actors: the ground, the floor, the logo, texts.
void DrawScene(SDL_Surface* screen) {
    DrawGround(screen);
    IPrimitives->BoxColor(screen, 0, static_cast<short>(screen->h - 8), static_cast<short>(screen->w), static_cast<short>(screen->h), Rgb(60, 90, 140));
    DrawTexts(screen);
    if (game.logo != nullptr) {
        SDL_Rect at{static_cast<Sint16>(screen->w - game.logo->w - 16), 16, 0, 0};
        Veltrano.Blit(game.logo, nullptr, screen, &at);
        IPrimitives->RectangleColor(screen, static_cast<short>(at.x - 3), 13, static_cast<short>(at.x + game.logo->w + 2),
                                    static_cast<short>(16 + game.logo->h + 2), Rgb(255, 240, 200));
    }
}

// The whole frame goes to the scene surface; the screen gets it through the
// chosen effect, or as it is. The menu and the collision boxes go on top.
void Render(int) {
    SDL_Surface* screen = game.scene != nullptr ? game.scene : Veltrano.screen;
    DrawScene(screen);
    DrawActors(screen);
    if (screen != Veltrano.screen) {
        if (game.effect > 0)
            IScreenFX->RenderFX(screen, Veltrano.screen, game.effect);
        else
            Veltrano.Blit(screen, nullptr, Veltrano.screen, nullptr);
    }
    ShowNearestCollision();
    DrawMenu(game.smallFont);
    // The whole scene was painted over the developer windows: draw them again.
    Veltrano.RenderNeeded(1);
}

// The player's settings: written with the defaults on the first run, read
// on every run, so they can be edited between runs.
void ReadSettings() {
    Veltrano.Config.title = const_cast<char*>("Hello, Veltrano");
    // The game has sound unless the settings switch it off; 22050 Hz because
    // the film player follows a film's 44100 Hz sound only at that rate or
    // its own (at 11025 Hz the intro would run four times too slowly).
    Veltrano.Config.audioEnable = 1;
    Veltrano.Config.audioFrequency = 22050;
    Veltrano.Config.audioMode = 2;
    // Update sleeps a millisecond a call: the frame loop then waits for the
    // next frame instead of spinning a whole core.
    Veltrano.Config.mtfriendly = 1;
    if (std::filesystem::exists("hello-setup.xml") && Veltrano.LoadConfig(nullptr, "hello-setup.xml", nullptr) == 1)
        ILogSystem.Msg(0, "\n . Settings read from hello-setup.xml\n");
    else if (Veltrano.SaveConfig(nullptr, "hello-setup.xml", nullptr) == 1)
        ILogSystem.Msg(0, "\n . Default settings written to hello-setup.xml\n");
}

bool OpenScreen() {
    // On SDL's headless driver (main chooses it when there is no display;
    // a test may choose it too) the game plays the mouse and keys itself.
    char driver[32] = {};
    if (SDL_VideoDriverName(driver, sizeof driver) != nullptr && std::strcmp(driver, "dummy") == 0) {
        if (Veltrano.Config.colordepth == 0) Veltrano.Config.colordepth = 32;  // the headless desktop has 8 bits
        game.demoMouse = true;
    }
    if (Veltrano.SetVideoMode() != 1) return false;
    SetUpDeveloperConsole(game.demoMouse);
    Veltrano.VideoInfo();
    return true;
}

// The logo, the ground tiles, the fonts and the mouse pointer, from the
// archive the build packed.
void LoadPictures() {
    game.logo = IImage->Load("assets.dpf", "logo", nullptr);
    game.scene = SDL_DisplayFormat(Veltrano.screen);
    game.ground = new Veltrano_CTile;
    if (game.ground->Load("assets.dpf", "ground", "TILE2") != 1) {
        delete game.ground;
        game.ground = nullptr;
    }
    game.smallFont = new Veltrano_CFont;
    game.bigFont = new Veltrano_CFont;
    game.smallFont->Load("assets.dpf", "builtin");
    game.bigFont->Load("assets.dpf", "big");
    ICursor->Init();
    // The scene is redrawn whole every frame: the pointer is drawn on top each
    // time instead of saving and restoring what lies under it.
    ICursor->AutoRestore(0);
    const char pointer = ICursor->Load("assets.dpf", "pointer", 0);
    if (pointer >= 0) ICursor->Select(pointer);
    ICursor->Info();
    const int fieldWidth = Veltrano.screen->w - kPanelWidth;
    if (!LoadActors(fieldWidth, Veltrano.screen->h)) ILogSystem.Msg(0, "\n . The sprites were not found in assets.dpf\n");
    if (!LoadMenu(fieldWidth + 16, 100, game.smallFont)) ILogSystem.Msg(0, "\n . The menu was not found in assets.dpf\n");
}

// The first frame comes in from black.
void FadeIn() {
    Render(0);
    SDL_Surface* first = SDL_DisplayFormat(Veltrano.screen);
    if (first == nullptr) return;
    SDL_FillRect(Veltrano.screen, nullptr, 0);
    SDL_Flip(Veltrano.screen);
    IScreenFX->FadeToImage(first, 500, nullptr, nullptr);
    SDL_FreeSurface(first);
}

void FreePictures() {
    FreeMenu();
    FreeActors();
    Veltrano.FreeSurface(game.logo);
    Veltrano.FreeSurface(game.scene);
    delete game.ground;
    delete game.smallFont;
    delete game.bigFont;
    game.ground = nullptr;
    game.smallFont = game.bigFont = nullptr;
}

}  // namespace

void RunTheGame(int milliseconds) {
    ReadSettings();
    if (!OpenScreen()) return;
    ITimeSystem->Init(0);
    ITimeSystem->SetRate(60, 60);
    StartAudio();
    PlayIntro();
    LoadPictures();

    Veltrano.SetRenderCallback(Render);
    FadeIn();
    StartMusic();
    Veltrano.CleanUp();
    SDL_Event event;
    while (game.running && ITimeSystem->GetTimeNow() < milliseconds) {
        if (Veltrano.Update(&event) == 0) {
            StepLogic();
            if (Veltrano.GetKeystate(SDLK_ESCAPE)) game.running = false;
        } else if (event.type == SDL_QUIT) {
            game.running = false;
        }
    }
    ITimeSystem->Info();
    if (IImage->SavePNG("hello.png", Veltrano.screen, 6) == 0)
        ILogSystem.Msg(0, "\n . The last frame was saved to hello.png\n");
    FreePictures();
    StopAudio();
}
