#include "console/simple_win.h"

#include <algorithm>
#include <cstdlib>

#include "Veltrano_CFont.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IImage.h"
#include "Veltrano_IScreenFX.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "core/clock.h"
#include "core/video_surface.h"
#include "fonts/builtin_font.h"

namespace {

constexpr Uint32 kFadeMilliseconds = 1000;

// The font every window starts with, cut from the PNG kept in the library;
// null when the image interface is missing or the image does not cut.
Veltrano_CFont* MakeBuiltinFont(int alpha) {
    if (IImage == nullptr) return nullptr;
    const builtin_font::PngBytes png = builtin_font::Png();
    // Cut from the true-colour image itself: an 8-bit screen's format would
    // leave nothing to cut.
    const bool converting = video_surface::AutomaticConversion();
    video_surface::SetAutomaticConversion(false);
    SDL_Surface* image = IImage->LoadPNG(const_cast<unsigned char*>(png.data), png.size);
    video_surface::SetAutomaticConversion(converting);
    if (image == nullptr) return nullptr;
    Veltrano_CFont* font = new Veltrano_CFont;
    const bool built = font->Create(image) == 96;
    SDL_FreeSurface(image);
    if (!built) {
        delete font;
        return nullptr;
    }
    font->SetCursorChar('_');
    font->SetAlpha(alpha);
    font->SetName("KOVA builtin font");
    if (Veltrano.IsGL()) Veltrano.Surface2Texture(font->GetSurface());
    return font;
}

// A font loaded from an archive (a file name or an open handle), or null.
template <typename Archive>
Veltrano_CFont* LoadedFont(Archive archive, const char* block) {
    Veltrano_CFont* loaded = new Veltrano_CFont;
    if (loaded->Load(archive, block) == 1) return loaded;
    delete loaded;
    return nullptr;
}

void RequestRender() { Veltrano.RenderNeeded(1); }

// A coordinate after Move: negative keeps the current one; the window stays
// on the screen.
Sint16 MovedCoordinate(int wanted, Sint16 current, int screenSide, int windowSide) {
    const int chosen = wanted < 0 ? current : wanted;
    return static_cast<Sint16>(std::max(0, std::min(chosen, screenSide - windowSide)));
}

// A side after Resize: applies only from the minimum on, limited by the room
// left on the screen after the position.
Uint16 ResizedSide(int wanted, Uint16 current, int minimum, int room) {
    if (wanted < minimum) return current;
    return static_cast<Uint16>(std::max(1, std::min(wanted, room)));
}

}  // namespace

cSimpleWin::cSimpleWin() {
    font = MakeBuiltinFont(alpha);
    font_listeners::Add(*this);
}

cSimpleWin::~cSimpleWin() {
    font_listeners::Remove(*this);
    delete font;
    SDL_FreeSurface(bgSurface);
    SDL_FreeSurface(bgSource);
}

bool cSimpleWin::Update() {
    if (!enabled || visibility == kHidden) return false;
    if (visibility == kShown) return true;
    const Uint32 now = clock_source::Ticks();
    if (fadeStart == 0) fadeStart = now;
    fadeNow = now;
    const Uint32 elapsed = now - fadeStart;
    const int partial = static_cast<int>(std::min(elapsed, kFadeMilliseconds) * alpha / kFadeMilliseconds);
    if (elapsed > kFadeMilliseconds) {
        visibility = visibility == kFadingIn ? kShown : kHidden;
        ApplyAlpha(visibility == kShown ? -1 : 0);
        fadeStart = 0;
    } else {
        ApplyAlpha(visibility == kFadingIn ? partial : std::abs(partial - alpha));
    }
    RequestRender();
    return true;
}

void cSimpleWin::Enable() {
    if (Veltrano.screen == nullptr) return;
    if (rect.w < kMinWidth || rect.h < kMinHeight) {
        ILogSystem.Msg(2, " \xB7 [SimpleWin] Warning: the window size is too small (%dx%d)\n", rect.w, rect.h);
        return;
    }
    if (bgSurface == nullptr) {
        ILogSystem.Msg(2, " \xB7 [SimpleWin] Warning: a background image or color is needed for the window\n");
        return;
    }
    if (font == nullptr) {
        ILogSystem.Msg(2, " \xB7 [SimpleWin] Warning: a font is needed for the window\n");
        return;
    }
    enabled = 1;
}

void cSimpleWin::SetTitle(const char* text) {
    if (text != nullptr) title = text;
}

void cSimpleWin::SetVisible(int show) {
    if (!enabled) return;
    if (features & kNoFade) {
        // Immediate, even in the middle of a fade: the fade's partial opacity
        // must not stay behind.
        visibility = show ? kShown : kHidden;
        fadeStart = 0;
        ApplyAlpha(show ? -1 : 0);
    } else {
        if (visibility == kFadingIn || visibility == kFadingOut) return;
        if (show ? visibility == kShown : visibility == kHidden) return;
        visibility = show ? kFadingIn : kFadingOut;
        if (show) ApplyAlpha(0);
    }
    RequestRender();
}

void cSimpleWin::SetFont(const char* dpfFile, const char* block) {
    if (!enabled) return;
    if (Veltrano_CFont* loaded = LoadedFont(dpfFile, block)) ReplaceFont(loaded);
}

void cSimpleWin::SetFont(int dpfHandle, const char* block) {
    if (!enabled) return;
    if (Veltrano_CFont* loaded = LoadedFont(dpfHandle, block)) ReplaceFont(loaded);
}

// The old font goes only once the new one loaded, so a failed load keeps it.
void cSimpleWin::ReplaceFont(Veltrano_CFont* loaded) {
    Veltrano_CFont* old = font;
    font = loaded;
    delete old;
    font->SetCursorChar('_');
    ApplyAlpha(-1);
    Layout();
    RequestRender();
}

void cSimpleWin::FontDeleted(Veltrano_CFont* deleted) {
    // The game deleted the font ConGetFont lent it: draw no text from now on.
    if (deleted == font) font = nullptr;
}

void cSimpleWin::Resize(int w, int h) {
    SDL_Surface* screen = Veltrano.screen;
    if (!enabled || screen == nullptr) return;
    const Uint16 newW = ResizedSide(w, rect.w, kMinWidth, screen->w - rect.x);
    const Uint16 newH = ResizedSide(h, rect.h, kMinHeight, screen->h - rect.y);
    if (newW == rect.w && newH == rect.h) return;
    rect.w = newW;
    rect.h = newH;
    if (bgSource != nullptr)
        RescaleSource();
    else
        SetBgColor(bgColor);
    Layout();
    RequestRender();
}

void cSimpleWin::Move(int x, int y) {
    SDL_Surface* screen = Veltrano.screen;
    if (!enabled || screen == nullptr) return;
    rect.x = MovedCoordinate(x, rect.x, screen->w, rect.w);
    rect.y = MovedCoordinate(y, rect.y, screen->h, rect.h);
    Layout();
    RequestRender();
}

void cSimpleWin::SetBgColor(Uint32 pixel) {
    if (!enabled || Veltrano.screen == nullptr) return;
    bgColor = pixel;
    SDL_Surface* plain = SDL_CreateRGBSurface(SDL_SWSURFACE, rect.w, rect.h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    if (plain == nullptr) return;
    SDL_Surface* converted = SDL_DisplayFormat(plain);
    SDL_FreeSurface(plain);
    if (converted == nullptr) return;
    SDL_FillRect(converted, nullptr, bgColor);
    ReplaceBackground(converted, nullptr);
    ApplyAlpha(-1);
}

void cSimpleWin::SetFirstBgColor(Uint8 r, Uint8 g, Uint8 b) {
    if (Veltrano.screen == nullptr) return;
    enabled = 1;
    SetBgColor(SDL_MapRGB(Veltrano.screen->format, r, g, b));
    enabled = 0;
}

Uint32 cSimpleWin::BgColor() const {
    const SDL_Surface* screen = Veltrano.screen;
    if (screen == nullptr) return bgColor;
    Uint8 r, g, b;
    SDL_GetRGB(bgColor, screen->format, &r, &g, &b);
    return SDL_MapRGB(screen->format, r, g, b);
}

void cSimpleWin::SetBgImage(const char* dpfFile, const char* block) {
    if (!enabled || IStuffDPF == nullptr || dpfFile == nullptr) return;
    const int handle = IStuffDPF->Open(dpfFile);
    if (handle <= 0) return;
    SetBgImage(handle, block);
    IStuffDPF->Close(handle);
}

void cSimpleWin::SetBgImage(int dpfHandle, const char* block) {
    if (!enabled || IImage == nullptr || IScreenFX == nullptr) return;
    SDL_Surface* image = IImage->Load(dpfHandle, block, nullptr);
    if (image == nullptr) return;
    SDL_Surface* scaled = IScreenFX->Resize(image, nullptr, 1, rect.w, rect.h, nullptr, nullptr);
    if (scaled == nullptr) {
        SDL_FreeSurface(image);
        return;
    }
    ReplaceBackground(scaled, image);
    ApplyAlpha(-1);
}

bool cSimpleWin::RescaleSource() {
    if (IScreenFX == nullptr) return false;
    SDL_Surface* scaled = IScreenFX->Resize(bgSource, nullptr, 1, rect.w, rect.h, nullptr, nullptr);
    if (scaled == nullptr) return false;
    SDL_FreeSurface(bgSurface);
    bgSurface = scaled;
    ApplyAlpha(-1);
    return true;
}

void cSimpleWin::ReplaceBackground(SDL_Surface* surface, SDL_Surface* source) {
    SDL_FreeSurface(bgSurface);
    SDL_FreeSurface(bgSource);
    bgSurface = surface;
    bgSource = source;
}

void cSimpleWin::SetAlpha(int a) {
    if (!enabled) return;
    alpha = static_cast<unsigned char>(std::max(kMinAlpha, std::min(a, 255)));
    ApplyAlpha(-1);
}

void cSimpleWin::ApplyAlpha(int a) {
    if (a < 0) a = alpha;
    if (bgSurface != nullptr) {
        if (a == 255)
            SDL_SetAlpha(bgSurface, 0, 0);
        else
            SDL_SetAlpha(bgSurface, SDL_SRCALPHA, static_cast<Uint8>(a));
    }
    if (font != nullptr) font->SetAlpha(a);
}

void cSimpleWin::DrawBackground() {
    if (bgSurface == nullptr || Veltrano.screen == nullptr) return;
    SDL_Rect target = rect;
    Veltrano.Blit(bgSurface, nullptr, Veltrano.screen, &target);
}

int cSimpleWin::LetterWidth() { return font != nullptr ? font->StringWidth("M") : 0; }
