// A small menu made of widgets the build packed into widgets.dpf with the
// archive tool: start and quit buttons, a volume slider, a music check
// button and a box for the player's name. It runs for a moment, presses
// the start button's key, shows what the widgets hold and saves the last
// frame as widgets.png.
#include <veltrano.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

struct Menu {
    int start = -1, quit = -1, volume = -1, music = -1, name = -1;
    Veltrano_CFont* font = nullptr;
    bool quitting = false;
};

Menu menu;

void OnQuit(void*, void*) { menu.quitting = true; }

// Draws the menu when something changed: a backdrop, the widgets, labels.
void Render(int) {
    if (!Veltrano.IsRenderNeeded()) return;
    SDL_Surface* screen = Veltrano.screen;
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 16, 18, 28));
    const int fired = IButton->Draw();
    if (fired == menu.start) ILogSystem.Msg(0, " . Start was activated\n");
    if (menu.font == nullptr) return;
    menu.font->PutString(screen, 100, 46, "Start", nullptr);
    menu.font->PutString(screen, 104, 86, "Quit", nullptr);
    menu.font->PutString(screen, 40, 128, "Volume", nullptr);
    menu.font->PutString(screen, 66, 164, "Music", nullptr);
    menu.font->PutString(screen, 40, 190, "Name", nullptr);
}

bool LoadMenu() {
    menu.start = IButton->Load("widgets.dpf", "start", 0);
    menu.quit = IButton->Load("widgets.dpf", "quit", 0);
    menu.volume = IButton->Load("widgets.dpf", "volume", 0);
    menu.music = IButton->Load("widgets.dpf", "music", 0);
    menu.name = IButton->Load("widgets.dpf", "name", 0);
    if (menu.start < 1 || menu.quit < 1 || menu.volume < 1 || menu.music < 1 || menu.name < 1) return false;
    IButton->SetPosition(menu.start, 60, 40);
    IButton->SetPosition(menu.quit, 60, 80);
    IButton->SetPosition(menu.volume, 100, 130);
    IButton->SetPosition(menu.music, 100, 160);
    IButton->SetPosition(menu.name, 100, 186);
    IButton->SetFunction(menu.quit, OnQuit, nullptr, nullptr);
    menu.font = new Veltrano_CFont;
    if (menu.font->Load("widgets.dpf", "builtin") != 1) return false;
    IButton->SetTextFont(menu.name, menu.font);
    IButton->SetText(menu.name, "Player One");
    IButton->SetValue(menu.volume, 7);
    IButton->SetState(menu.music, 4);  // checked
    return true;
}

}  // namespace

int main() {
    ILogSystem.Init("widgets.log", 2 | 8, 5, "Widgets", "examples/widgets", "a menu of widgets", nullptr);
    if (std::getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (Veltrano.Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 1) return 1;
    Veltrano.Config.resolutionx = 320;
    Veltrano.Config.resolutiony = 240;
    Veltrano.Config.window = 1;
    // Update sleeps a millisecond a call instead of spinning a whole core.
    Veltrano.Config.mtfriendly = 1;
    if (Veltrano.SetVideoMode() != 1 || !LoadMenu()) {
        ILogSystem.Msg(0, " . The menu could not be made: run the example from build/examples/widgets\n");
        Veltrano.Quit();
        return 1;
    }
    ITimeSystem->Init(0);
    ITimeSystem->SetRate(60, 60);
    Veltrano.SetRenderCallback(Render);
    Veltrano.RenderNeeded(1);
    const Uint32 end = SDL_GetTicks() + 1500;
    Uint8* keys = SDL_GetKeyState(nullptr);
    while (!menu.quitting && SDL_GetTicks() < end) {
        // Halfway through, the start button's key (Return) is held briefly.
        const Uint32 left = end - SDL_GetTicks();
        keys[SDLK_RETURN] = left < 800 && left > 600 ? 1 : 0;
        Veltrano.Update(nullptr);
    }
    keys[SDLK_RETURN] = 0;
    ILogSystem.Msg(0, " . Volume %d of %d, music %s, player '%s'\n", IButton->GetValue(menu.volume),
                   IButton->GetRange(menu.volume), IButton->GetState(menu.music) == 4 ? "on" : "off",
                   IButton->GetText(menu.name));
    if (IImage->SavePNG("widgets.png", Veltrano.screen, 6) == 0)
        ILogSystem.Msg(0, " . The last frame was saved to widgets.png\n");
    for (int id : {menu.start, menu.quit, menu.volume, menu.music, menu.name}) IButton->Remove(id);
    delete menu.font;
    Veltrano.Quit();
    return 0;
}
