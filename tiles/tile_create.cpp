// Tiles come to life: construction, creation from a surface or an image
// file, and emptying.
#include <cstring>

#include "Veltrano_CTile.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "archive/stored_asset.h"
#include "core/surface_ptr.h"
#include "core/video_surface.h"
#include "imaging/display_format.h"
#include "imaging/stored_sheet.h"
#include "tiles/tile_state.h"

namespace {

const char* Text(const char* text) { return text != nullptr ? text : "(null)"; }

unsigned long Address(const void* pointer) { return reinterpret_cast<unsigned long>(pointer); }

// SDL blends a surface with an alpha channel and the alpha flag pixel by
// pixel, whatever its surface alpha says.
bool BlendsPerPixel(const SDL_Surface* surface) {
    return (surface->flags & SDL_SRCALPHA) && surface->format->Amask != 0;
}

}  // namespace

namespace tile_state {

void StoreName(TileState& tile, const char* name) {
    std::memset(tile.name, 0, sizeof tile.name);
    std::strncpy(tile.name, name, sizeof tile.name - 1);
}

void RefreshBackup(TileState& tile) {
    tile.backup.clear();
    if (Veltrano.surfaceLossCheck) tile.backup = video_surface::BackupPixels(tile.surface);
}

void Adopt(TileState& tile, SDL_Surface* surface, const char* name) {
    tile.surface = surface;
    tile.width = surface->w;
    tile.height = surface->h;
    StoreName(tile, name);
    RefreshBackup(tile);
    tile.loaded = true;
}

}  // namespace tile_state

Veltrano_CTile::Veltrano_CTile() : state(new TileState) { ++Veltrano.tileCount; }

Veltrano_CTile::~Veltrano_CTile() {
    Clean();
    delete state;
    --Veltrano.tileCount;
}

unsigned char Veltrano_CTile::Create(SDL_Surface* surface, const char* name) {
    if (!stored_asset::SdkInitialized()) {
        ILogSystem.Msg(0,
                       " . [CTile::Create(0x%lx,'%s')] Error: Veltrano was not initialized. Aborting the tile "
                       "creation.\n",
                       Address(surface), Text(name));
        return 0;
    }
    if (surface == nullptr || name == nullptr) return 0;
    if (state->loaded) {
        ILogSystem.Msg(2,
                       " . [CTile::Create(0x%lx,'%s')] Warning: tile already exists. It is not possible to create "
                       "another one.\n",
                       Address(surface), name);
        return 0;
    }
    SDL_Surface* copy = stored_sheet::CopyOf(surface);
    if (copy == nullptr) return 0;
    state->perPixelAlpha = BlendsPerPixel(copy);
    // Alpha and key follow the source, so the accessors and a saved block
    // agree with what is drawn.
    state->alpha = !state->perPixelAlpha && (copy->flags & SDL_SRCALPHA) ? copy->format->alpha : 255;
    if (state->perPixelAlpha) copy->format->alpha = 255;
    if (display_format::WantsConversion(copy)) {
        copy = display_format::ConvertToScreen(copy);
        display_format::UploadWhenGL(copy);
    }
    if (copy->flags & SDL_SRCCOLORKEY) {
        state->colorKey = static_cast<int32_t>(copy->format->colorkey);
    } else {
        state->colorKey = -1;
        display_format::MarkNoColorKey(copy);
    }
    tile_state::Adopt(*state, copy, name);
    return 1;
}

unsigned char Veltrano_CTile::Create(const char* file, const char* name) {
    if (!stored_asset::SdkInitialized()) {
        ILogSystem.Msg(0,
                       " . [CTile::Create('%s','%s')] Error: Veltrano was not initialized. Aborting the tile "
                       "creation.\n",
                       Text(file), Text(name));
        return 0;
    }
    if (file == nullptr || name == nullptr) return 0;
    if (state->loaded) {
        ILogSystem.Msg(2,
                       " . [CTile::Create('%s','%s')] Warning: tile already exists. It is not possible to create "
                       "another one.\n",
                       file, name);
        return 0;
    }
    const SurfacePtr image(stored_sheet::ReadImageFile(file));
    if (image == nullptr) {
        ILogSystem.Msg(0, " . [CTile::Create('%s','%s')] Error: it was not possible to load the given image file.\n",
                       file, name);
        return 0;
    }
    return Create(image.get(), name);
}

void Veltrano_CTile::Clean() {
    if (!state->loaded) return;
    SDL_FreeSurface(state->surface);
    state->surface = nullptr;
    state->backup.clear();
    state->backup.shrink_to_fit();
    state->posX = state->posY = 0;
    state->width = state->height = 0;
    SetTileSet(0, 0, 0);
    state->perPixelAlpha = false;
    state->loaded = false;
    state->alpha = 255;
    // -1 as at construction: a tile made again from an unkeyed surface must
    // not report (or save) black as its key.
    state->colorKey = -1;
}
