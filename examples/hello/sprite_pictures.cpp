// The demo's sprite sheets: rows are animations, columns their frames, on a
// transparent background so that frames are cut by their empty columns.
#include "pictures.h"

#include <veltrano.h>

#include <cmath>

namespace {

void PutPixel(SDL_Surface* s, int x, int y, Uint32 color) {
    if (x < 0 || y < 0 || x >= s->w || y >= s->h) return;
    *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4) = color;
}

// An ellipse centred on (cx, cy) with radii rx, ry.
void FillEllipse(SDL_Surface* s, double cx, double cy, double rx, double ry, Uint32 color) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = static_cast<int>(cy - ry); y <= static_cast<int>(cy + ry) + 1; ++y)
        for (int x = static_cast<int>(cx - rx); x <= static_cast<int>(cx + rx) + 1; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) PutPixel(s, x, y, color);
        }
}

Uint32 Rgba(SDL_Surface* s, Uint8 r, Uint8 g, Uint8 b) { return SDL_MapRGBA(s->format, r, g, b, 255); }

// A round green critter at frame (column, row): legs swing while it walks,
// eyes close while it blinks.
void DrawCritter(SDL_Surface* sheet, int column, int row) {
    const int left = column * 32, top = row * 32;
    const double swing = row == 0 ? std::sin(column * M_PI / 2) * 4 : 0;
    const Uint32 body = Rgba(sheet, 90, 200, 90), dark = Rgba(sheet, 30, 90, 40);
    FillEllipse(sheet, left + 11 + swing, top + 27, 4, 3, dark);  // legs
    FillEllipse(sheet, left + 21 - swing, top + 27, 4, 3, dark);
    FillEllipse(sheet, left + 16, top + 16, 12, 10, body);
    const double eyeHeight = row == 1 ? std::fabs(2.0 - column) + 0.6 : 3;
    for (int side = 0; side < 2; ++side) {
        FillEllipse(sheet, left + 11 + side * 10, top + 13, 3, eyeHeight, Rgba(sheet, 255, 255, 255));
        FillEllipse(sheet, left + 12 + side * 10, top + 13, 1.5, eyeHeight / 2, Rgba(sheet, 20, 20, 20));
    }
}

// A gold coin turning: its width follows the cosine of the angle.
void DrawCoin(SDL_Surface* sheet, int column) {
    const double width = std::fabs(std::cos(column * M_PI / 6)) * 7 + 1;
    FillEllipse(sheet, column * 16 + 8, 8, width, 7, Rgba(sheet, 160, 110, 20));
    FillEllipse(sheet, column * 16 + 8, 8, width * 0.7, 5, Rgba(sheet, 250, 210, 60));
}

}  // namespace

SDL_Surface* NewClearPicture(int w, int h) {
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SRCALPHA, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    if (picture != nullptr) SDL_FillRect(picture, nullptr, 0);
    return picture;
}

bool SaveSpriteSheets(const std::filesystem::path& folder) {
    // The walk row has four frames; the blink row three, then an empty column.
    SDL_Surface* critter = NewClearPicture(128, 64);
    if (critter == nullptr) return false;
    for (int column = 0; column < 4; ++column) DrawCritter(critter, column, 0);
    for (int column = 0; column < 3; ++column) DrawCritter(critter, column, 1);
    SDL_Surface* coin = NewClearPicture(96, 16);
    if (coin == nullptr) {
        SDL_FreeSurface(critter);
        return false;
    }
    for (int column = 0; column < 6; ++column) DrawCoin(coin, column);
    const bool critterSaved = SavePicture(critter, folder / "critter.png");
    return SavePicture(coin, folder / "coin.png") && critterSaved;
}
