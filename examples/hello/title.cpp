// The title screen: the logo, the player's name in an input box and four
// buttons (start, two players, options, quit) that answer the mouse and
// their shortcut keys. The software pointer is shown here.
#include "game.h"
#include "menus.h"
#include "resources.h"
#include "screens.h"
#include "widgets.h"

#include <veltrano.h>

namespace {

constexpr char kLayer = 0;
constexpr int kChoices = 4;

struct Title {
    bool made = false;
    Widget buttons[kChoices];
    Widget name;
};
Title title;

const char* const kLabels[kChoices] = {"START", "TWO PLAYERS", "OPTIONS", "QUIT"};
const SDLKey kKeys[kChoices] = {SDLK_s, SDLK_t, SDLK_o, SDLK_q};

void MakeWidgets() {
    for (int i = 0; i < kChoices; ++i) title.buttons[i] = MakeButton(kLayer, kKeys[i]);
    title.name = LoadWidget(kLayer, "name");
    if (title.name.id >= 0) {
        IButton->SetTextFont(title.name.id, SmallFont());
        IButton->SetText(title.name.id, "Player");
    }
    IButton->Info(-1);
    title.made = true;
}

// The column of widgets in the middle of the screen, whatever its size.
void PlaceWidgets() {
    const int middle = Veltrano.screen->w / 2, top = Veltrano.screen->h / 2 - 60;
    PlaceWidget(title.name, middle - 90, top - 40);
    for (int i = 0; i < kChoices; ++i) PlaceWidget(title.buttons[i], middle - 70, top + i * 40);
}

}  // namespace

void EnterTitle() {
    if (!title.made) MakeWidgets();
    PlaceWidgets();
    ShowLayer(kLayer);
    ShowPointer(true);
}

Screen StepTitle() {
    // Check reports the button a click or its shortcut key fired.
    const int fired = IButton->Check();
    if (fired < 0) return KeyWentDown(SDLK_ESCAPE) ? Screen::Quit : Screen::Title;
    const Screen next[kChoices] = {Screen::Play, Screen::TwoPlayers, Screen::Options, Screen::Quit};
    for (int i = 0; i < kChoices; ++i)
        if (fired == title.buttons[i].id) return next[i];
    return Screen::Title;
}

void DrawTitle(SDL_Surface* target) {
    DrawBackdrop(target);
    const int middle = target->w / 2;
    if (Logo() != nullptr) {
        SDL_Rect at{static_cast<Sint16>(middle - Logo()->w / 2), 24, 0, 0};
        Veltrano.Blit(Logo(), nullptr, target, &at);
    }
    WriteCentred(target, BigFont(), middle, 84, "HELLO, VELTRANO");
    WriteCentred(target, SmallFont(), middle, title.name.y - 16, "YOUR NAME");
    WriteCentred(target, SmallFont(), middle, target->h - 24, "Mouse or keys S, T, O, Q.  ` opens the console.");
}

void DrawTitleLabels(SDL_Surface* target) {
    for (int i = 0; i < kChoices; ++i) {
        const SDL_Rect box = WidgetBox(title.buttons[i]);
        WriteCentred(target, SmallFont(), box.x + box.w / 2, box.y + box.h / 2 - 4, kLabels[i]);
    }
}

void LeaveTitle() { ShowLayer(-1); }

SDL_Rect TitleButton(TitleChoice choice) { return WidgetBox(title.buttons[static_cast<int>(choice)]); }

const char* PlayerName() {
    const char* name = title.name.id >= 0 ? IButton->GetText(title.name.id) : nullptr;
    return name != nullptr && name[0] != '\0' ? name : "Player";
}
