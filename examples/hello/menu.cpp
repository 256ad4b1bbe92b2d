#include "menu.h"

#include "audio.h"

#include <cstdio>

namespace {

struct Menu {
    int name = -1, start = -1, quit = -1, volume = -1, smooth = -1;
    int x = 0, y = 0;
    bool startClicked = false, quitClicked = false;
};
Menu menu;

void Clicked(void* flag, void*) {
    PlayClickSound();
    *static_cast<bool*>(flag) = true;
}

int LoadWidget(const char* name, int x, int y) {
    const int id = IButton->Load("assets.dpf", name, 0);
    if (id > 0) IButton->SetPosition(id, x, y);
    return id;
}

}  // namespace

bool LoadMenu(int x, int y, Veltrano_CFont* font) {
    menu.x = x;
    menu.y = y;
    IButton->SetLayer(0);
    menu.name = LoadWidget("name", x + 10, y + 34);
    menu.start = LoadWidget("start", x + 30, y + 74);
    menu.quit = LoadWidget("quit", x + 30, y + 112);
    menu.volume = LoadWidget("volume", x, y + 172);
    menu.smooth = LoadWidget("smooth", x + 10, y + 214);
    if (menu.name < 0 || menu.start < 0 || menu.quit < 0 || menu.volume < 0 || menu.smooth < 0) return false;
    IButton->SetTextFont(menu.name, font);
    IButton->SetText(menu.name, const_cast<char*>("Player"));
    IButton->SetFunction(menu.start, Clicked, &menu.startClicked, nullptr);
    IButton->SetFunction(menu.quit, Clicked, &menu.quitClicked, nullptr);
    IButton->SetState(menu.smooth, 4);  // checked
    IButton->Info(-1);
    return true;
}

void FreeMenu() { IButton->RemoveAll(); }

MenuChoices StepMenu(bool selfPlaying, int logicFrame) {
    if (selfPlaying) {
        // The slider swings between 2 and 8; the check button flips every second.
        IButton->SetValue(menu.volume, 5 + (logicFrame / 20) % 7 - 3);
        if (logicFrame % 60 == 0) IButton->SetState(menu.smooth, MenuSmoothMoves() ? 1 : 4);
        Veltrano.RenderNeeded(1);
    }
    // Keys also count: Check reports a button its shortcut key fired.
    const int fired = IButton->Check();
    MenuChoices choices;
    choices.restart = menu.startClicked || fired == menu.start;
    choices.quit = menu.quitClicked || fired == menu.quit;
    menu.startClicked = menu.quitClicked = false;
    return choices;
}

void DrawMenu(Veltrano_CFont* font) {
    SDL_Surface* screen = Veltrano.screen;
    const Uint32 panel = SDL_MapRGB(screen->format, 20, 26, 44);
    const Uint32 edge = SDL_MapRGB(screen->format, 90, 120, 190);
    IPrimitives->BoxColor(screen, static_cast<short>(menu.x - 8), static_cast<short>(menu.y),
                          static_cast<short>(menu.x + 208), static_cast<short>(menu.y + 246), panel);
    IPrimitives->RectangleColor(screen, static_cast<short>(menu.x - 8), static_cast<short>(menu.y),
                                static_cast<short>(menu.x + 207), static_cast<short>(menu.y + 245), edge);
    // The scene under the panel is redrawn every frame, so the widgets are too.
    Veltrano.RenderNeeded(1);
    IButton->Draw();
    if (font == nullptr) return;
    font->PutString(screen, menu.x, menu.y + 14, "YOUR NAME", nullptr);
    font->PutString(screen, menu.x + 76, menu.y + 85, "START", nullptr);
    font->PutString(screen, menu.x + 80, menu.y + 123, "QUIT", nullptr);
    char volume[32];
    std::snprintf(volume, sizeof volume, "VOLUME %d", MenuVolume());
    font->PutString(screen, menu.x, menu.y + 156, volume, nullptr);
    font->PutString(screen, menu.x + 40, menu.y + 220, "SMOOTH MOVES", nullptr);
}

int MenuVolume() { return IButton->GetValue(menu.volume); }

bool MenuSmoothMoves() { return IButton->GetState(menu.smooth) == 4; }
