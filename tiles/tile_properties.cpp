// A tile's alpha, colour key, position, size, name and information dump.
#include <cstdint>
#include <cstring>

#include "Veltrano_CTile.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "core/surface_text.h"
#include "imaging/display_format.h"
#include "tiles/tile_state.h"

namespace {

// Converts the surface again for the screen after a change of alpha or key
// that the converted surface cannot follow, and warns that this costs.
void ConvertAgain(TileState& tile, const char* origin, int value) {
    SDL_Surface* converted = SDL_DisplayFormat(tile.surface);
    if (converted != nullptr) {
        SDL_FreeSurface(tile.surface);
        tile.surface = converted;
        tile_state::RefreshBackup(tile);
    }
    ILogSystem.Msg(2, " . [CTile::%s(%d)] Warning: on-the-fly surface conversion. It may affect to the performance.\n",
                   origin, value);
}

bool Adjustable(const TileState& tile) { return tile.loaded && !tile.perPixelAlpha; }

}  // namespace

void Veltrano_CTile::SetAlpha(int alpha) {
    if (!Adjustable(*state) || alpha == state->alpha || alpha < 0 || alpha > 255) return;
    if (alpha == 255)
        SDL_SetAlpha(state->surface, 0, 255);
    else
        SDL_SetAlpha(state->surface, SDL_SRCALPHA, static_cast<Uint8>(alpha));
    const bool crossesOpaque = (alpha == 255) != (state->alpha == 255);
    const SDL_Surface* screen = Veltrano.screen;
    if (screen != nullptr && (screen->flags & SDL_HWSURFACE) && !Veltrano.IsGL() && crossesOpaque)
        ConvertAgain(*state, "SetAlpha", alpha);
    state->alpha = alpha;
}

int Veltrano_CTile::GetAlpha() {
    if (!state->loaded) return -1;
    return state->perPixelAlpha ? 256 : state->alpha;
}

void Veltrano_CTile::SetColorKey(int key) {
    if (!Adjustable(*state) || key == state->colorKey) return;
    if (key == -1) {
        SDL_SetColorKey(state->surface, 0, 0);
        display_format::MarkNoColorKey(state->surface);
    } else {
        SDL_SetColorKey(state->surface, SDL_SRCCOLORKEY, static_cast<Uint32>(key));
    }
    if (Veltrano.screen != nullptr && Veltrano.IsGL()) {
        ConvertAgain(*state, "SetColorKey", key);
        Veltrano.Surface2Texture(state->surface);
    }
    state->colorKey = key;
}

void Veltrano_CTile::SetColorKey(int r, int g, int b) {
    if (!state->loaded) return;
    if (r == -1 || g == -1 || b == -1) {
        SetColorKey(-1);
        return;
    }
    SetColorKey(static_cast<int>(
        SDL_MapRGB(state->surface->format, static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b))));
}

int Veltrano_CTile::GetColorKey() { return state->loaded ? state->colorKey : -1; }

void Veltrano_CTile::SetPosition(int x, int y) {
    if (!state->loaded) return;
    state->posX = x;
    state->posY = y;
}

int Veltrano_CTile::GetPosX() { return state->posX; }

int Veltrano_CTile::GetPosY() { return state->posY; }

int Veltrano_CTile::GetSizeX() { return state->width; }

int Veltrano_CTile::GetSizeY() { return state->height; }

SDL_Surface* Veltrano_CTile::GetSurface() { return state->surface; }

char* Veltrano_CTile::GetName() { return state->loaded ? state->name : nullptr; }

void Veltrano_CTile::SetName(const char* name) {
    if (!state->loaded || name == nullptr || std::strlen(name) >= sizeof state->name) return;
    tile_state::StoreName(*state, name);
}

void Veltrano_CTile::Info() {
    if (!state->loaded) {
        ILogSystem.Msg(0, "\n . Tile information: current tile is empty.\n");
        return;
    }
    const SDL_Surface* surface = state->surface;
    ILogSystem.Msg(0, "\n . Tile information of '%s':\n", state->name);
    ILogSystem.Msg(0, "      -> Surface of %d Kb located at %s\n", static_cast<int>(static_cast<int64_t>(surface->pitch) * surface->h / 1024),
                   (surface->flags & SDL_HWSURFACE) ? "video memory" : "system memory");
    ILogSystem.Msg(0, "      -> Tile size: %dx%d - Color depth: %dbits - Position: (%d,%d)\n", state->width,
                   state->height, surface->format->BitsPerPixel, state->posX, state->posY);
    ILogSystem.Msg(0, "      -> Alpha blending: %s - Colorkey: %s", surface_text::AlphaText(surface).c_str(),
                   surface_text::ColorKeyText(surface).c_str());
    if (state->tileSet)
        ILogSystem.Msg(0, "      -> Tileset: enabled - OffsetX: %d - OffsetY: %d - Number of tiles: %d\n",
                       state->offsetX, state->offsetY, state->cellCount);
    else
        ILogSystem.Msg(0, "      -> Tileset: disabled\n");
    ILogSystem.Msg(0, "\n");
}
