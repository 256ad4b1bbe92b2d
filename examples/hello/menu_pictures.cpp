// The menu's widget pictures: bevelled panels in a few colours, one picture
// per widget state.
#include "pictures.h"

#include <veltrano.h>

#include <string>

namespace {

struct Shade {
    Uint8 r, g, b;
};

// A w x h panel: face colour, a light top-left edge and a dark bottom-right
// edge (swapped when sunken, as a pressed button looks).
SDL_Surface* Panel(int w, int h, Shade face, bool sunken) {
    SDL_Surface* panel = NewClearPicture(w, h);
    if (panel == nullptr) return nullptr;
    auto map = [panel](Shade c, int d) {
        auto clamp = [](int v) { return static_cast<Uint8>(v < 0 ? 0 : v > 255 ? 255 : v); };
        return SDL_MapRGBA(panel->format, clamp(c.r + d), clamp(c.g + d), clamp(c.b + d), 255);
    };
    const Uint32 light = map(face, sunken ? -60 : 60), dark = map(face, sunken ? 60 : -60);
    IPrimitives->BoxColor(panel, 0, 0, static_cast<short>(w), static_cast<short>(h), map(face, 0));
    IPrimitives->HLineColor(panel, 0, static_cast<short>(w - 1), 0, light);
    IPrimitives->VLineColor(panel, 0, 0, static_cast<short>(h - 1), light);
    IPrimitives->HLineColor(panel, 0, static_cast<short>(w - 1), static_cast<short>(h - 1), dark);
    IPrimitives->VLineColor(panel, static_cast<short>(w - 1), 0, static_cast<short>(h - 1), dark);
    return panel;
}

// A tick drawn into a check box.
SDL_Surface* Ticked(SDL_Surface* box) {
    if (box == nullptr) return nullptr;
    const Uint32 ink = SDL_MapRGBA(box->format, 250, 230, 120, 255);
    for (int i = 0; i < 2; ++i) {
        IPrimitives->LineColor(box, 4, static_cast<short>(10 + i), 8, static_cast<short>(14 + i), ink);
        IPrimitives->LineColor(box, 8, static_cast<short>(14 + i), 15, static_cast<short>(5 + i), ink);
    }
    return box;
}

const Shade kBlue{50, 70, 130}, kLight{80, 110, 190}, kGrey{70, 70, 76}, kDark{24, 28, 44};

bool SaveSet(const std::filesystem::path& folder, const std::string& widget,
             std::initializer_list<std::pair<const char*, SDL_Surface*>> pictures) {
    bool saved = true;
    for (const auto& [state, picture] : pictures)
        saved = SavePicture(picture, folder / (widget + "-" + state + ".png")) && saved;
    return saved;
}

}  // namespace

bool SaveMenuPictures(const std::filesystem::path& folder) {
    bool saved = SaveSet(folder, "button",
                         {{"normal", Panel(140, 30, kBlue, false)},
                          {"over", Panel(140, 30, kLight, false)},
                          {"pressed", Panel(140, 30, kBlue, true)},
                          {"off", Panel(140, 30, kGrey, false)}});
    saved = SaveSet(folder, "slider",
                    {{"bar", Panel(200, 16, kDark, true)},
                     {"knob", Panel(12, 24, kLight, false)},
                     {"off", Panel(200, 16, kGrey, true)}}) && saved;
    saved = SaveSet(folder, "check",
                    {{"normal", Panel(20, 20, kDark, true)},
                     {"pressed", Ticked(Panel(20, 20, kDark, true))},
                     {"off", Panel(20, 20, kGrey, true)}}) && saved;
    saved = SaveSet(folder, "input",
                    {{"idle", Panel(180, 24, kDark, true)},
                     {"editing", Panel(180, 24, {36, 44, 80}, true)},
                     {"off", Panel(180, 24, kGrey, true)}}) && saved;
    return saved;
}
