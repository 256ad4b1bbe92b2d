// The options screen: resolution (a three-step slider), full screen (a check
// button), music and sound volumes (sliders). Apply writes them to the
// settings file with Veltrano.SaveConfig and puts them in force at once;
// Back returns to the title without applying.
#include "audio.h"
#include "game.h"
#include "menus.h"
#include "resources.h"
#include "screens.h"
#include "widgets.h"

#include <veltrano.h>

#include <cstdio>

namespace {

constexpr char kLayer = 1;
constexpr int kWidgets = 6;
constexpr int kVolumeSteps = 10;  // the volume sliders' range

struct Resolution {
    Uint16 w, h;
};
constexpr Resolution kResolutions[] = {{640, 480}, {800, 600}, {1024, 768}};

struct Options {
    bool made = false;
    Widget widgets[kWidgets];  // in OptionsWidget order
};
Options options;

Widget& Get(OptionsWidget which) { return options.widgets[static_cast<int>(which)]; }

void MakeWidgets() {
    Get(OptionsWidget::Resolution) = LoadWidget(kLayer, "resolution");
    Get(OptionsWidget::FullScreen) = LoadWidget(kLayer, "check");
    Get(OptionsWidget::Music) = LoadWidget(kLayer, "volume");
    Get(OptionsWidget::Sound) = LoadWidget(kLayer, "volume");
    Get(OptionsWidget::Apply) = MakeButton(kLayer, SDLK_a);
    Get(OptionsWidget::Back) = MakeButton(kLayer, SDLK_b);
    options.made = true;
}

void PlaceWidgets() {
    const int left = Veltrano.screen->w / 2 - 100, top = Veltrano.screen->h / 2 - 120;
    for (int i = 0; i < 4; ++i) PlaceWidget(options.widgets[i], left, top + i * 56);
    PlaceWidget(Get(OptionsWidget::Apply), left - 80, top + 250);
    PlaceWidget(Get(OptionsWidget::Back), left + 140, top + 250);
}

int ResolutionStep() {
    int step = 0;
    for (int i = 0; i < 3; ++i)
        if (kResolutions[i].w == Veltrano.Config.resolutionx && kResolutions[i].h == Veltrano.Config.resolutiony) step = i;
    return step;
}

// The widgets show the settings in force.
void ShowSettings() {
    IButton->SetValue(Get(OptionsWidget::Resolution).id, ResolutionStep());
    IButton->SetState(Get(OptionsWidget::FullScreen).id, Veltrano.Config.window == 0 ? 4 : 1);
    IButton->SetValue(Get(OptionsWidget::Music).id, Veltrano.Config.musicVolume * kVolumeSteps / 255);
    IButton->SetValue(Get(OptionsWidget::Sound).id, Veltrano.Config.soundVolume * kVolumeSteps / 255);
}

// The widgets' values into the settings, the file and the running game.
void Apply() {
    sConfig& config = Veltrano.Config;
    const Resolution chosen = kResolutions[IButton->GetValue(Get(OptionsWidget::Resolution).id) % 3];
    const unsigned char window = IButton->GetState(Get(OptionsWidget::FullScreen).id) == 4 ? 0 : 1;
    const bool newMode = chosen.w != config.resolutionx || chosen.h != config.resolutiony || window != config.window;
    config.resolutionx = chosen.w;
    config.resolutiony = chosen.h;
    config.window = window;
    config.musicVolume = static_cast<unsigned char>(IButton->GetValue(Get(OptionsWidget::Music).id) * 255 / kVolumeSteps);
    config.soundVolume = static_cast<unsigned char>(IButton->GetValue(Get(OptionsWidget::Sound).id) * 255 / kVolumeSteps);
    ApplyVolumes(config.musicVolume, config.soundVolume);
    if (Veltrano.SaveConfig(nullptr, kSettingsFile, nullptr) == 1)
        ILogSystem.Msg(0, " . Settings written to %s: %dx%d, %s, music %d, sound %d\n", kSettingsFile,
                       config.resolutionx, config.resolutiony, window == 0 ? "full screen" : "window",
                       config.musicVolume, config.soundVolume);
    if (newMode && ReopenScreen()) PlaceWidgets();
}

void Label(SDL_Surface* target, OptionsWidget which, const char* text) {
    const SDL_Rect box = WidgetBox(Get(which));
    if (SmallFont() != nullptr) SmallFont()->PutString(target, box.x, box.y - 14, text, nullptr);
}

}  // namespace

void EnterOptions() {
    if (!options.made) MakeWidgets();
    PlaceWidgets();
    ShowSettings();
    ShowLayer(kLayer);
    ShowPointer(true);
}

Screen StepOptions() {
    const int fired = IButton->Check();
    if (fired >= 0 && fired == Get(OptionsWidget::Apply).id) Apply();
    if ((fired >= 0 && fired == Get(OptionsWidget::Back).id) || KeyWentDown(SDLK_ESCAPE)) return Screen::Title;
    return Screen::Options;
}

void DrawOptions(SDL_Surface* target) {
    DrawBackdrop(target);
    WriteCentred(target, BigFont(), target->w / 2, 24, "OPTIONS");
    const Resolution shown = kResolutions[IButton->GetValue(Get(OptionsWidget::Resolution).id) % 3];
    char text[64];
    std::snprintf(text, sizeof text, "RESOLUTION %dx%d", shown.w, shown.h);
    Label(target, OptionsWidget::Resolution, text);
    Label(target, OptionsWidget::FullScreen, "FULL SCREEN");
    std::snprintf(text, sizeof text, "MUSIC %d", IButton->GetValue(Get(OptionsWidget::Music).id));
    Label(target, OptionsWidget::Music, text);
    std::snprintf(text, sizeof text, "SOUND %d", IButton->GetValue(Get(OptionsWidget::Sound).id));
    Label(target, OptionsWidget::Sound, text);
    Label(target, OptionsWidget::Apply, "APPLY (A)");
    Label(target, OptionsWidget::Back, "BACK (B)");
}

void LeaveOptions() { ShowLayer(-1); }

SDL_Rect OptionsWidgetBox(OptionsWidget widget) { return WidgetBox(Get(widget)); }

int OptionsSliderValue(OptionsWidget slider) { return IButton->GetValue(Get(slider).id); }
