#include "resources.h"

#include "assets.h"

namespace {

struct Resources {
    Veltrano_CFont* small = nullptr;
    Veltrano_CFont* big = nullptr;
    Veltrano_CTile* ground = nullptr;
    SDL_Surface* logo = nullptr;
};
Resources resources;

template <typename T>
T* Loaded(T* object, bool loaded) {
    if (loaded) return object;
    delete object;
    return nullptr;
}

void LoadPointer() {
    ICursor->Init();
    // Every screen is redrawn whole each frame: the pointer is drawn on top
    // each time instead of saving and restoring what lies under it.
    ICursor->AutoRestore(0);
    const char pointer = ICursor->Load(kAssets, "pointer", 0);
    if (pointer >= 0) ICursor->Select(pointer);
    ICursor->Info();
}

}  // namespace

bool LoadResources() {
    auto* small = new Veltrano_CFont;
    auto* big = new Veltrano_CFont;
    auto* ground = new Veltrano_CTile;
    resources.small = Loaded(small, small->Load(kAssets, "builtin") == 1);
    resources.big = Loaded(big, big->Load(kAssets, "big") == 1);
    resources.ground = Loaded(ground, ground->Load(kAssets, "ground", "TILE2") == 1);
    resources.logo = IImage->Load(kAssets, "logo", nullptr);
    LoadPointer();
    return resources.small != nullptr && resources.big != nullptr && resources.ground != nullptr;
}

void FreeResources() {
    delete resources.small;
    delete resources.big;
    delete resources.ground;
    Veltrano.FreeSurface(resources.logo);
    resources = Resources{};
    ICursor->Close();
}

Veltrano_CFont* SmallFont() { return resources.small; }
Veltrano_CFont* BigFont() { return resources.big; }
Veltrano_CTile* GroundTiles() { return resources.ground; }
SDL_Surface* Logo() { return resources.logo; }

Uint32 Rgb(Uint8 r, Uint8 g, Uint8 b) { return SDL_MapRGB(Veltrano.screen->format, r, g, b); }

void WriteCentred(SDL_Surface* target, Veltrano_CFont* font, int x, int y, const char* text) {
    if (font == nullptr) return;
    font->PutString(target, x - font->StringWidth(text) / 2, y, text, nullptr);
}

void DrawBackdrop(SDL_Surface* target) {
    if (resources.ground == nullptr) {
        SDL_FillRect(target, nullptr, Rgb(16, 24, 48));
        return;
    }
    for (int y = 0; y < target->h; y += 32)
        for (int x = 0; x < target->w; x += 32) {
            resources.ground->SetPosition(x, y);
            // Mostly stone, a scattering of moss, every third cell mirrored.
            const int cell = ((x / 32) * 7 + (y / 32) * 3) % 5 == 0 ? 2 : 1;
            resources.ground->Draw(target, cell | ((x / 32 + y / 32) % 3 == 0 ? 0x80000000 : 0));
        }
}

void ShowPointer(bool shown) {
    if (shown)
        ICursor->Show();
    else
        ICursor->Hide();
}
