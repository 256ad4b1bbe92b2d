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

struct Fur {
    Uint8 r, g, b;
};

// A round critter at frame (column, row): legs swing while it walks, eyes
// close while it blinks. The two players differ only in their fur.
void DrawCritter(SDL_Surface* sheet, int column, int row, Fur fur) {
    const int left = column * 32, top = row * 32;
    const double swing = row == 0 ? std::sin(column * M_PI / 2) * 4 : 0;
    const Uint32 body = Rgba(sheet, fur.r, fur.g, fur.b), dark = Rgba(sheet, fur.r / 3, fur.g / 2, fur.b / 2);
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

// A red spiky blob that pulses: its spikes grow and shrink along the row.
void DrawBlob(SDL_Surface* sheet, int column) {
    const double cx = column * 32 + 16, cy = 17, spike = 3 + column % 2 * 3 + (column == 2 ? 2 : 0);
    for (int i = 0; i < 8; ++i) {
        const double angle = i * M_PI / 4;
        FillEllipse(sheet, cx + std::cos(angle) * (9 + spike / 2), cy + std::sin(angle) * (9 + spike / 2), 2.5, 2.5,
                    Rgba(sheet, 120, 20, 30));
    }
    FillEllipse(sheet, cx, cy, 10, 10, Rgba(sheet, 220, 50, 60));
    FillEllipse(sheet, cx - 4, cy - 2, 2, 3, Rgba(sheet, 255, 240, 120));
    FillEllipse(sheet, cx + 4, cy - 2, 2, 3, Rgba(sheet, 255, 240, 120));
}

// A critter sheet: a walk row of four frames, a blink row of three.
bool SaveCritter(const std::filesystem::path& path, Fur fur) {
    SDL_Surface* critter = NewClearPicture(128, 64);
    if (critter == nullptr) return false;
    for (int column = 0; column < 4; ++column) DrawCritter(critter, column, 0, fur);
    for (int column = 0; column < 3; ++column) DrawCritter(critter, column, 1, fur);
    return SavePicture(critter, path);
}

}  // namespace

SDL_Surface* NewClearPicture(int w, int h) {
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SRCALPHA, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    if (picture != nullptr) SDL_FillRect(picture, nullptr, 0);
    return picture;
}

bool SaveSpriteSheets(const std::filesystem::path& folder) {
    SDL_Surface* coin = NewClearPicture(96, 16);
    SDL_Surface* blob = NewClearPicture(128, 32);
    if (coin == nullptr || blob == nullptr) {
        if (coin != nullptr) SDL_FreeSurface(coin);
        if (blob != nullptr) SDL_FreeSurface(blob);
        return false;
    }
    for (int column = 0; column < 6; ++column) DrawCoin(coin, column);
    for (int column = 0; column < 4; ++column) DrawBlob(blob, column);
    bool saved = SavePicture(coin, folder / "coin.png");
    saved = SavePicture(blob, folder / "blob.png") && saved;
    saved = SaveCritter(folder / "critter.png", {90, 200, 90}) && saved;
    return SaveCritter(folder / "rival.png", {90, 150, 230}) && saved;
}
