// Tiles in DPF archives: loading "TILE2"/"TILB2" blocks (upgrading version 1
// blocks in place) and saving the version 2 layout.
#include <cstring>
#include <string>
#include <vector>

#include "Veltrano_CTile.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "archive/stored_asset.h"
#include "core/surface_ptr.h"
#include "imaging/display_format.h"
#include "imaging/pixel_rows.h"
#include "imaging/stored_sheet.h"
#include "tiles/tile_block.h"
#include "tiles/tile_state.h"

namespace {

// The arguments every Load message starts with.
struct LoadCall {
    const char* file;
    const char* name;
    const char* type;
};

const char* Text(const char* text) { return text != nullptr ? text : "(null)"; }

void LogLoad(int level, const LoadCall& call, const char* what) {
    ILogSystem.Msg(level, " . [CTile::Load('%s','%s','%s')] %s\n", Text(call.file), Text(call.name),
                   Text(call.type), what);
}

bool IsTileType(const char* type) { return std::strncmp(type, "TILE", 4) == 0 || std::strncmp(type, "TILB", 4) == 0; }

// The version 2 name of a type: '2' appended unless it is there.
std::string Version2Type(const char* type) {
    std::string v2 = type;
    if (v2.empty() || v2.back() != '2') v2 += '2';
    return v2;
}

// Checks a version 1 block and gives its version 2 layout.
bool UpgradeTile(const uint8_t* bytes, int64_t size, std::vector<uint8_t>& upgraded) {
    tile_block::Contents contents;
    if (!tile_block::Read(bytes, size, true, contents)) return false;
    upgraded = tile_block::Upgrade(bytes, size);
    return true;
}

// The tile's block in version 2 form, a version 1 block upgraded in place;
// false with the reason logged when there is none.
bool LoadVersion2(stored_asset::CurrentBlock& block, int handle, const LoadCall& call) {
    const std::string v2Type = Version2Type(call.type);
    const std::string v1Type = v2Type.substr(0, v2Type.size() - 1);
    switch (block.Load(handle, call.name, v2Type.c_str(), v1Type.c_str(), UpgradeTile)) {
        case stored_asset::Found::Current: return true;
        case stored_asset::Found::Upgraded:
            LogLoad(2, call, "Info: tile successfully updated from v1.0 to v2.0.");
            return true;
        case stored_asset::Found::Missing: LogLoad(0, call, "Error: tile not found."); return false;
        case stored_asset::Found::Damaged: LogLoad(0, call, "Error: the tile block is damaged."); return false;
        case stored_asset::Found::NotStored: LogLoad(0, call, "Error: update to v2.0 was not possible."); return false;
    }
    return false;
}

// False, with the line logged, before Init.
bool RefusedBeforeInit(const LoadCall& call) {
    if (stored_asset::SdkInitialized()) return false;
    LogLoad(0, call, "Error: Veltrano was not initialized. Aborting the tile creation.");
    return true;
}

// Sets the stored key on the surface as it ends up: the stored value while
// the format is the stored one, else the same colour mapped into the new
// format. Gives the key the surface holds.
Uint32 ApplyKey(SDL_Surface* surface, Uint32 storedKey, bool sameFormat, const SDL_Color& keyColor) {
    const Uint32 key = sameFormat ? storedKey : SDL_MapRGB(surface->format, keyColor.r, keyColor.g, keyColor.b);
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY, key);
    return key;
}

}  // namespace

unsigned char Veltrano_CTile::Load(int dpfHandle, const char* name, const char* type) {
    const char* file = IStuffDPF != nullptr && dpfHandle > 0 ? IStuffDPF->GetFilename(dpfHandle) : nullptr;
    const LoadCall call{file, name, type};
    if (RefusedBeforeInit(call)) return 0;
    if (dpfHandle < 1 || name == nullptr || type == nullptr) return 0;
    if (state->loaded) {
        LogLoad(2, call, "Warning: tile already exists. It is not possible to create another one.");
        return 0;
    }
    if (!IsTileType(type)) {
        LogLoad(0, call, "Error: the typeblock is not supported.");
        return 0;
    }
    stored_asset::CurrentBlock block;
    if (!LoadVersion2(block, dpfHandle, call)) return 0;
    tile_block::Contents contents;
    SDL_Surface* surface = nullptr;
    if (tile_block::Read(block.bytes(), block.size(), false, contents))
        surface = pixel_rows::MakeSurface(contents.geometry, contents.rows);
    if (surface == nullptr) {
        LogLoad(0, call, "Error: the tile block is damaged.");
        return 0;
    }

    const pixel_format_record::Record& stored = contents.geometry.format;
    const bool noKey = stored.colorkey == display_format::kNoColorKey;
    SDL_Color keyColor{};
    if (!noKey) SDL_GetRGB(stored.colorkey, surface->format, &keyColor.r, &keyColor.g, &keyColor.b);
    bool sameFormat = true;
    state->perPixelAlpha = surface->format->Amask != 0 && stored.alpha == 255;
    if (!state->perPixelAlpha) {
        if (surface->format->BitsPerPixel == 32) {
            surface = stored_sheet::ReduceTo24Bits(surface);
            sameFormat = surface->format->BitsPerPixel == 32;
        }
        stored_sheet::SetSurfaceAlpha(surface, stored.alpha);
        SDL_SetColorKey(surface, 0, 0);
    }
    state->alpha = stored.alpha;
    state->colorKey = static_cast<int32_t>(stored.colorkey);
    if (display_format::DiffersFromScreen(surface)) {
        surface = display_format::ConvertToScreen(surface);
        sameFormat = false;
        if (state->perPixelAlpha)
            ILogSystem.Msg(5,
                           " . [CTile::Load('%s','%s')] Info: surface with alpha per pixel loaded, it could slow "
                           "down your graphics system.\n",
                           Text(call.file), name);
    }
    // The key goes on before the upload, so the texture carries it.
    if (noKey)
        display_format::MarkNoColorKey(surface);
    else if (!state->perPixelAlpha)
        state->colorKey = static_cast<int32_t>(ApplyKey(surface, stored.colorkey, sameFormat, keyColor));
    if (Veltrano.IsGL()) Veltrano.Surface2Texture(surface);

    tile_state::Adopt(*state, surface, name);
    state->posX = contents.posX;
    state->posY = contents.posY;
    if (contents.tileSet && (contents.offsetX != 0 || contents.offsetY != 0))
        SetTileSet(1, contents.offsetX, contents.offsetY);
    else
        SetTileSet(0, 0, 0);
    return 1;
}

unsigned char Veltrano_CTile::Load(const char* dpfFile, const char* name, const char* type) {
    if (RefusedBeforeInit({dpfFile, name, type})) return 0;
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::Open, static_cast<unsigned char>(0),
                                     [&](int handle) { return Load(handle, name, type); });
}

int Veltrano_CTile::Save(int dpfHandle, const char* type) {
    if (!state->loaded || dpfHandle < 1 || type == nullptr || IStuffDPF == nullptr) return 0;
    const SurfacePtr copy(pixel_rows::SoftwareCopy(state->surface));
    if (copy == nullptr) return 0;
    const tile_block::Fields fields{state->posX,    state->posY,    state->tileSet,
                                    state->offsetX, state->offsetY, static_cast<uint32_t>(state->colorKey),
                                    static_cast<uint8_t>(state->alpha)};
    const std::vector<uint8_t> bytes = tile_block::Build(copy.get(), fields);
    // The block holds the version 2 layout, so its type says so.
    return stored_asset::AddBlock(dpfHandle, state->name, Version2Type(type).c_str(), bytes);
}

int Veltrano_CTile::Save(const char* dpfFile, const char* type) {
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::OpenOrCreate, 0,
                                     [&](int handle) { return Save(handle, type); });
}
