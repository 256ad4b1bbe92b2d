// Writes the hello demo's assets into the folders given on the command line:
// a greeting text, a 256-colour palette (768 bytes of red, green, blue), and
// pictures drawn here and saved as PNG: the demo's logo, its mouse pointer,
// a tileset of ground cells, a big gold font made from the SDK's built-in
// font (which veltrano-fontgen wrote into the pictures folder first), the
// sprite sheets, the menu's widget pictures, the sounds and the levels (XML
// documents). The build packs them into assets.dpf with veltrano-dpf.
#include <veltrano.h>

#include "pictures.h"
#include "level_files.h"
#include "sounds.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

bool Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
    std::fprintf(stderr, "make_assets: cannot write %s\n", path.string().c_str());
    return false;
}

// A sunset ramp: black through red and orange to white.
std::string Palette() {
    std::string rgb;
    for (int i = 0; i < 256; ++i) {
        rgb += static_cast<char>(i < 128 ? i * 2 : 255);
        rgb += static_cast<char>(i < 64 ? 0 : (i - 64) * 4 / 3);
        rgb += static_cast<char>(i < 192 ? 0 : (i - 192) * 4);
    }
    return rgb;
}

SDL_Surface* NewPicture(int w, int h) {
    return SDL_CreateRGBSurface(0, w, h, 24, 0xFF0000, 0xFF00, 0xFF, 0);
}

// A 160 x 48 badge: a vertical sunset gradient, a frame and three stripes.
SDL_Surface* Logo() {
    SDL_Surface* logo = NewPicture(160, 48);
    for (int y = 0; y < logo->h; ++y) {
        SDL_Rect row{0, static_cast<Sint16>(y), 160, 1};
        SDL_FillRect(logo, &row, SDL_MapRGB(logo->format, 40 + y * 4, 20 + y * 2, 120 - y * 2));
    }
    IPrimitives->RectangleColor(logo, 0, 0, 159, 47, SDL_MapRGB(logo->format, 255, 240, 200));
    IPrimitives->RectangleColor(logo, 2, 2, 157, 45, SDL_MapRGB(logo->format, 90, 40, 20));
    for (int i = 0; i < 3; ++i)
        IPrimitives->BoxColor(logo, static_cast<short>(16 + i * 44), 14, static_cast<short>(48 + i * 44), 34,
                              SDL_MapRGB(logo->format, 255, 200 - i * 50, 60 + i * 60));
    return logo;
}

// A 16 x 16 arrow, white with a black edge, on magenta: the top-left pixel
// becomes the cursor's colour key.
SDL_Surface* Pointer() {
    SDL_Surface* pointer = NewPicture(16, 16);
    SDL_FillRect(pointer, nullptr, SDL_MapRGB(pointer->format, 255, 0, 255));
    const Uint32 edge = SDL_MapRGB(pointer->format, 0, 0, 0);
    const Uint32 body = SDL_MapRGB(pointer->format, 255, 255, 255);
    for (int y = 1; y < 12; ++y) {
        IPrimitives->HLineColor(pointer, 1, static_cast<short>(y), static_cast<short>(y), edge);
        if (y > 1) IPrimitives->HLineColor(pointer, 2, static_cast<short>(y), static_cast<short>(y), body);
        IPrimitives->PutPixelColor(pointer, static_cast<short>(y + 1), static_cast<short>(y), edge, 1);
    }
    IPrimitives->HLineColor(pointer, 1, 7, 12, edge);
    IPrimitives->LineColor(pointer, 5, 12, 8, 15, edge);
    return pointer;
}

// Four 32 x 32 cells side by side, numbered 1 to 4 as the levels use them:
// stone floor, mossy floor, wall and spikes.
void GroundCell(SDL_Surface* ground, int cell, Uint32 base, Uint32 edge) {
    const short left = static_cast<short>(cell * 32);
    IPrimitives->BoxColor(ground, left, 0, static_cast<short>(left + 32), 32, base);
    IPrimitives->RectangleColor(ground, left, 0, static_cast<short>(left + 31), 31, edge);
    for (int i = 0; i < 6; ++i)  // a few specks
        IPrimitives->PutPixelColor(ground, static_cast<short>(left + 5 + (i * 11) % 24),
                                   static_cast<short>(4 + (i * 7) % 24), edge, 1);
}

SDL_Surface* Ground() {
    SDL_Surface* ground = NewPicture(128, 32);
    auto rgb = [ground](Uint8 r, Uint8 g, Uint8 b) { return SDL_MapRGB(ground->format, r, g, b); };
    GroundCell(ground, 0, rgb(34, 40, 58), rgb(46, 54, 78));
    GroundCell(ground, 1, rgb(30, 52, 40), rgb(40, 70, 52));
    GroundCell(ground, 2, rgb(96, 82, 70), rgb(140, 120, 100));
    IPrimitives->HLineColor(ground, 64, 95, 16, rgb(60, 50, 44));  // the wall's brick joints
    IPrimitives->VLineColor(ground, 80, 0, 16, rgb(60, 50, 44));
    GroundCell(ground, 3, rgb(34, 40, 58), rgb(46, 54, 78));
    for (int i = 0; i < 4; ++i)  // spikes: each a fan of lines from its base to its tip
        for (int dx = 0; dx <= 6; ++dx)
            IPrimitives->LineColor(ground, static_cast<short>(97 + i * 8 + dx), 28, static_cast<short>(100 + i * 8), 6,
                                   rgb(200, 200, 210));
    return ground;
}

// The built-in font at twice its size, its white glyphs turned gold: the
// cutting layout (a blank top row, glyphs separated by empty columns) stays.
SDL_Surface* BigFont(const std::filesystem::path& builtin) {
    SDL_Surface* small = IImage->LoadPNG(builtin.string().c_str());
    if (small == nullptr) return nullptr;
    SDL_Surface* big = IScreenFX->Resize(small, nullptr, 0, 2.0, 2.0, nullptr, nullptr);
    SDL_FreeSurface(small);
    if (big == nullptr) return nullptr;
    SDL_Surface* gold = NewPicture(big->w, big->h);
    SDL_BlitSurface(big, nullptr, gold, nullptr);
    SDL_FreeSurface(big);
    const Uint32 white = SDL_MapRGB(gold->format, 255, 255, 255);
    const Uint32 ink = SDL_MapRGB(gold->format, 255, 200, 60);
    for (short y = 0; y < gold->h; ++y)
        for (short x = 0; x < gold->w; ++x)
            if (IPrimitives->GetPixel(gold, x, y, 1) == white) IPrimitives->PutPixelColor(gold, x, y, ink, 1);
    return gold;
}

}  // namespace

bool SavePicture(SDL_Surface* picture, const std::filesystem::path& path) {
    const bool saved = picture != nullptr && IImage->SavePNG(path.string().c_str(), picture, 9) == 0;
    if (picture != nullptr) SDL_FreeSurface(picture);
    if (!saved) std::fprintf(stderr, "make_assets: cannot write %s\n", path.string().c_str());
    return saved;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_assets FILES-FOLDER PICTURES-FOLDER\n");
        return 2;
    }
    const std::filesystem::path files = argv[1];
    const std::filesystem::path pictures = argv[2];
    std::error_code error;
    std::filesystem::create_directories(files, error);
    std::filesystem::create_directories(pictures, error);
    if (Veltrano.Init(0) != 1) return 1;
    const bool ok = Write(files / "greeting.txt", "Hello from inside assets.dpf!\n") &&
                    Write(files / "palette.bin", Palette()) && SavePicture(Logo(), pictures / "logo.png") &&
                    SavePicture(Pointer(), pictures / "pointer.png") && SavePicture(Ground(), pictures / "ground.png") &&
                    SavePicture(BigFont(pictures / "builtin-font.png"), pictures / "big-font.png") &&
                    SaveSpriteSheets(pictures) && SaveMenuPictures(pictures) && SaveSounds(pictures) &&
                    SaveLevels(pictures);
    Veltrano.Quit();
    return ok ? 0 : 1;
}
