// A font's life (construction, counting, Clean) and its properties: kerning,
// alpha, cursor character, name and the information dump.
#include <cstring>

#include "Veltrano_CFont.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "core/video_surface.h"
#include "fonts/font_listeners.h"
#include "fonts/font_state.h"

namespace {

// Crossing between translucent and opaque changes how SDL blits the surface;
// on a hardware screen (not OpenGL) it then needs the display format again.
bool NeedsReconversion(int before, int after) {
    const SDL_Surface* screen = Veltrano.screen;
    if (screen == nullptr || !(screen->flags & SDL_HWSURFACE) || Veltrano.IsGL()) return false;
    return (before == 255) != (after == 255);
}

void InfoAlphaAndKey(const FontState& font) {
    const SDL_Surface* surface = font.surface;
    ILogSystem.Msg(0, "      -> Alpha blending: ");
    if (font.perPixelAlpha)
        ILogSystem.Msg(0, "per-pixel");
    else if (surface->flags & SDL_SRCALPHA)
        ILogSystem.Msg(0, "per-surface (%d)", surface->format->alpha);
    else
        ILogSystem.Msg(0, "disabled");
    ILogSystem.Msg(0, " - Colorkey: ");
    if (surface->flags & SDL_SRCCOLORKEY) {
        Uint8 r, g, b;
        SDL_GetRGB(surface->format->colorkey, surface->format, &r, &g, &b);
        ILogSystem.Msg(0, "RGB(%d,%d,%d)\n", r, g, b);
    } else {
        ILogSystem.Msg(0, "disabled\n");
    }
}

}  // namespace

Veltrano_CFont::Veltrano_CFont() : state(new FontState) { ++Veltrano.fontCount; }

Veltrano_CFont::~Veltrano_CFont() {
    font_listeners::NotifyDeleted(this);
    Clean();
    delete state;
    --Veltrano.fontCount;
}

// Kerning, name and cursor character stay for the next font built here.
void Veltrano_CFont::Clean() {
    FontState& font = *state;
    if (!font.loaded) return;
    SDL_FreeSurface(font.surface);
    font.surface = nullptr;
    font.positions.clear();
    font.widths.clear();
    font.backup.clear();
    font.glyphHeight = 0;
    font.lastChar = 0;
    font.spaceWidth = 0;
    font.cursorOffset = 0;
    font.colorKey = 0;
    font.loaded = false;
    font.perPixelAlpha = false;
    font.alpha = 255;
}

void Veltrano_CFont::SetKerning(int kerning) {
    if (state->loaded) state->kerning = kerning;
}

int Veltrano_CFont::GetKerning() { return state->loaded ? state->kerning : 0; }

void Veltrano_CFont::SetAlpha(int alpha) {
    FontState& font = *state;
    if (!font.loaded || alpha < 0 || alpha > 255 || font.perPixelAlpha) return;
    if (alpha == 255)
        SDL_SetAlpha(font.surface, 0, 255);
    else
        SDL_SetAlpha(font.surface, SDL_SRCALPHA, static_cast<Uint8>(alpha));
    if (NeedsReconversion(font.alpha, alpha)) {
        SDL_Surface* converted = SDL_DisplayFormat(font.surface);
        if (converted != nullptr) {
            SDL_FreeSurface(font.surface);
            font.surface = converted;
            if (Veltrano.surfaceLossCheck) font.backup = video_surface::BackupPixels(font.surface);
        }
        ILogSystem.Msg(2, " . [CFont::SetAlpha(%d)] Warning: on-the-fly surface conversion. It may affect to the "
                          "performance.\n",
                       alpha);
    }
    font.alpha = alpha;
}

int Veltrano_CFont::GetAlpha() {
    if (!state->loaded) return -1;
    return state->perPixelAlpha ? 256 : state->alpha;
}

void Veltrano_CFont::SetCursorChar(char cursor) { state->cursorChar = cursor; }

char Veltrano_CFont::GetCursorChar() { return state->cursorChar; }

SDL_Surface* Veltrano_CFont::GetSurface() { return state->loaded ? state->surface : nullptr; }

void Veltrano_CFont::SetName(const char* name) {
    if (!state->loaded || name == nullptr || std::strlen(name) >= sizeof state->name) return;
    std::strcpy(state->name, name);
}

char* Veltrano_CFont::GetName() { return state->loaded ? state->name : nullptr; }

void Veltrano_CFont::Info() {
    const FontState& font = *state;
    if (!font.loaded) {
        ILogSystem.Msg(0, "\n . Font information: current font is empty.\n");
        return;
    }
    const SDL_Surface* surface = font.surface;
    ILogSystem.Msg(0, "\n . Font information of '%s':\n", font.name);
    ILogSystem.Msg(0, "      -> Surface of %d Kb located at %s\n", surface->pitch * surface->h / 1024,
                   (surface->flags & SDL_HWSURFACE) ? "video memory" : "system memory");
    ILogSystem.Msg(0, "      -> Font size: %dx%d - Color depth: %dbits - Kerning: %d\n", surface->w, surface->h,
                   surface->format->BitsPerPixel, font.kerning);
    InfoAlphaAndKey(font);
    ILogSystem.Msg(0, "\n");
}
