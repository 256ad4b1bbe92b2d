// Draws the widgets example's pictures as PNG files in the folder given on
// the command line: a start and a quit button (normal, pressed, off; the
// start button also a hover picture), a volume slider (bar, knob, off), a
// check button (unchecked, checked, off) and a name box (idle, editing,
// off). The build packs them into widgets.dpf with veltrano-dpf add --button.
#include <veltrano.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct Look {
    Uint8 r, g, b;
};

SDL_Surface* Panel(int w, int h, Look fill, Look edge) {
    SDL_Surface* panel = SDL_CreateRGBSurface(0, w, h, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    IPrimitives->BoxColor(panel, 0, 0, static_cast<short>(w - 1), static_cast<short>(h - 1),
                          SDL_MapRGB(panel->format, fill.r, fill.g, fill.b));
    IPrimitives->RectangleColor(panel, 0, 0, static_cast<short>(w - 1), static_cast<short>(h - 1),
                                SDL_MapRGB(panel->format, edge.r, edge.g, edge.b));
    return panel;
}

// A panel with a cross drawn in it: the check button's checked look.
SDL_Surface* Checked(int side) {
    SDL_Surface* box = Panel(side, side, {40, 60, 90}, {220, 220, 240});
    const Uint32 ink = SDL_MapRGB(box->format, 255, 220, 80);
    IPrimitives->LineColor(box, 4, 4, static_cast<short>(side - 5), static_cast<short>(side - 5), ink);
    IPrimitives->LineColor(box, 4, static_cast<short>(side - 5), static_cast<short>(side - 5), 4, ink);
    return box;
}

bool Save(SDL_Surface* picture, const std::filesystem::path& path) {
    const bool saved = picture != nullptr && IImage->SavePNG(path.string().c_str(), picture, 9) == 0;
    if (picture != nullptr) SDL_FreeSurface(picture);
    if (!saved) std::fprintf(stderr, "make_pictures: cannot write %s\n", path.string().c_str());
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (Veltrano.Init(0) != 1) return 1;
    const Look edge{230, 230, 240}, dim{90, 90, 100};
    const bool ok =
        Save(Panel(120, 28, {40, 90, 160}, edge), folder / "start_normal.png") &&
        Save(Panel(120, 28, {60, 130, 220}, edge), folder / "start_over.png") &&
        Save(Panel(120, 28, {20, 50, 100}, edge), folder / "start_pressed.png") &&
        Save(Panel(120, 28, {60, 60, 70}, dim), folder / "start_off.png") &&
        Save(Panel(120, 28, {150, 50, 40}, edge), folder / "quit_normal.png") &&
        Save(Panel(120, 28, {90, 30, 20}, edge), folder / "quit_pressed.png") &&
        Save(Panel(120, 28, {60, 60, 70}, dim), folder / "quit_off.png") &&
        Save(Panel(200, 12, {50, 50, 60}, edge), folder / "volume_bar.png") &&
        Save(Panel(10, 20, {240, 200, 80}, edge), folder / "volume_knob.png") &&
        Save(Panel(200, 12, {60, 60, 70}, dim), folder / "volume_off.png") &&
        Save(Panel(20, 20, {40, 60, 90}, edge), folder / "music_unchecked.png") &&
        Save(Checked(20), folder / "music_checked.png") &&
        Save(Panel(20, 20, {60, 60, 70}, dim), folder / "music_off.png") &&
        Save(Panel(200, 24, {20, 20, 30}, dim), folder / "name_idle.png") &&
        Save(Panel(200, 24, {30, 30, 50}, edge), folder / "name_editing.png") &&
        Save(Panel(200, 24, {60, 60, 70}, dim), folder / "name_off.png");
    Veltrano.Quit();
    return ok ? 0 : 1;
}
