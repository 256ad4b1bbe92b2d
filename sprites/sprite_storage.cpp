// Sprites in DPF archives: loading "SPR2" blocks (a version 1 "SPR" block is
// checked, upgraded and replaced in place first) and saving them.
#include <cmath>
#include <string>
#include <vector>

#include "Veltrano_CSprite.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "archive/stored_asset.h"
#include "core/surface_ptr.h"
#include "imaging/display_format.h"
#include "sprites/sprite_block.h"
#include "sprites/sprite_making.h"
#include "imaging/stored_sheet.h"

namespace {

using sprite_making::Text;

constexpr const char* kVersion2Type = "SPR2";
constexpr const char* kVersion1Type = "SPR";
// The archive's type field holds 7 characters and its terminator.
constexpr size_t kLongestType = sizeof(DPF_BlockData::type) - 1;

// The arguments every Load message starts with.
struct LoadCall {
    const char* file;
    const char* name;
    const char* note;
};

void LogLoad(int level, const LoadCall& call, const std::string& what) {
    ILogSystem.Msg(level, " . [CSprite::Load('%s','%s','%s')] %s\n", Text(call.file), Text(call.name),
                   Text(call.note), what.c_str());
}

void LogDamage(const LoadCall& call, const char* reason) {
    LogLoad(0, call, std::string("Error: the sprite block is damaged: ") + reason + ".");
}

// The sprite's block in version 2 form; a version 1 block is replaced in the
// archive by its upgrade, but only once it was read without fault. False,
// with the reason logged, when there is none.
bool LoadVersion2(stored_asset::CurrentBlock& block, int handle, const LoadCall& call) {
    const char* reason = nullptr;
    const auto upgrade = [&reason](const uint8_t* bytes, int64_t size, std::vector<uint8_t>& upgraded) {
        sprite_block::Contents old;
        if (!sprite_block::Read(bytes, size, true, old, &reason)) return false;
        upgraded = sprite_block::Upgrade(old);
        return true;
    };
    switch (block.Load(handle, call.name, kVersion2Type, kVersion1Type, upgrade)) {
        case stored_asset::Found::Current: return true;
        case stored_asset::Found::Upgraded:
            LogLoad(2, call, "Info: sprite successfully updated from v1.0 to v2.0.");
            return true;
        case stored_asset::Found::Missing: LogLoad(0, call, "Error: sprite not found"); return false;
        case stored_asset::Found::Damaged: LogDamage(call, reason); return false;
        case stored_asset::Found::NotStored: LogLoad(0, call, "Error: update to v2.0 was not possible."); return false;
    }
    return false;
}

// False, with the line logged, before Init.
bool RefusedBeforeInit(const LoadCall& call) {
    if (stored_asset::SdkInitialized()) return false;
    LogLoad(0, call, "Error: Veltrano was not initialized. Aborting the sprite load.");
    return true;
}

// Turns the sheet made from the stored rows into the one the sprite draws:
// key and alpha as stored, the screen's format, the texture under OpenGL.
void FinishSheet(SpriteData& sprite, const pixel_format_record::Record& stored, const LoadCall& call) {
    const bool hasKey = stored.colorkey != display_format::kNoColorKey;
    SDL_Color keyColor{};
    if (hasKey) SDL_GetRGB(stored.colorkey, sprite.sheet->format, &keyColor.r, &keyColor.g, &keyColor.b);
    sprite.glCopy = sprite_making::MakeGLCopy(sprite.sheet);
    sprite.perPixelAlpha = sprite.sheet->format->Amask != 0 ? 1 : 0;
    if (!sprite.perPixelAlpha) {
        // Without an alpha channel 32 bits are 24 bits and a spare byte; with a
        // screen the sheet takes the screen's format anyway, straight from
        // the stored one.
        if (sprite.sheet->format->BitsPerPixel == 32 && Veltrano.screen == nullptr)
            sprite.sheet = stored_sheet::ReduceTo24Bits(sprite.sheet);
        stored_sheet::SetSurfaceAlpha(sprite.sheet, stored.alpha);
        if (!hasKey) SDL_SetColorKey(sprite.sheet, 0, 0);
    }
    sprite.alpha = stored.alpha;
    sprite.colorKey = static_cast<int32_t>(stored.colorkey);
    sprite_making::GiveGLCopyKeyAndAlpha(sprite.glCopy, stored.alpha, hasKey ? &keyColor : nullptr);
    const std::string origin = "Load('" + std::string(Text(call.file)) + "','" + call.name + "')";
    sprite_making::ConvertForScreen(sprite, origin.c_str());
    if (!hasKey) {
        display_format::MarkNoColorKey(sprite.sheet);
    } else if (!sprite.perPixelAlpha) {
        const Uint32 key = SDL_MapRGB(sprite.sheet->format, keyColor.r, keyColor.g, keyColor.b);
        SDL_SetColorKey(sprite.sheet, SDL_SRCCOLORKEY, key);
        sprite.colorKey = static_cast<int32_t>(key);
    }
    if (Veltrano.IsGL()) Veltrano.Surface2Texture(sprite.sheet);
}

void TakeContents(SpriteData& sprite, sprite_block::Contents& contents, const char* name) {
    sprite.frameWidth = contents.frameWidth;
    sprite.frameHeight = contents.frameHeight;
    sprite.posX = static_cast<float>(contents.posX);
    sprite.posY = static_cast<float>(contents.posY);
    sprite.bgRect = {static_cast<Sint16>(contents.posX), static_cast<Sint16>(contents.posY),
                     static_cast<Uint16>(contents.frameWidth), static_cast<Uint16>(contents.frameHeight)};
    sprite.anims = std::move(contents.anims);
    sprite.animCount = static_cast<int32_t>(sprite.anims.size());
    sprite.currentAnim = 0;
    sprite.anims[0].currentFrame = sprite.anims[0].startFrame;
    sprite_making::StoreName(sprite, name);
}

}  // namespace

int Veltrano_CSprite::Load(int dpf, const char* name, const char* note) {
    const char* file = IStuffDPF != nullptr && dpf > 0 ? IStuffDPF->GetFilename(dpf) : nullptr;
    const LoadCall call{file, name, note};
    if (RefusedBeforeInit(call)) return 0;
    if (dpf < 1 || name == nullptr || note == nullptr) return 0;
    if (data->status != kSpriteEmpty) {
        LogLoad(2, call, "Warning: sprite already exists. It is not possible to create another one.");
        return 0;
    }
    stored_asset::CurrentBlock block;
    if (!LoadVersion2(block, dpf, call)) return 0;
    sprite_block::Contents contents;
    const char* reason = nullptr;
    if (!sprite_block::Read(block.bytes(), block.size(), false, contents, &reason)) {
        LogDamage(call, reason);
        return 0;
    }
    SDL_Surface* sheet = pixel_rows::MakeSurface(contents.geometry, contents.rows);
    if (sheet == nullptr) return 0;

    SpriteData& sprite = *data;
    sprite.sheet = sheet;
    FinishSheet(sprite, contents.geometry.format, call);
    TakeContents(sprite, contents, name);
    sprite_making::MakeBackgroundWhenRestoring(sprite, 24);
    sprite_making::TakePixelBackup(sprite);
    sprite.status = kSpriteRunning;
    sprite.kind = kKindMaster;
    sprite.bgSaved = 0;
    return sprite.animCount;
}

int Veltrano_CSprite::Load(const char* dpfFile, const char* name, const char* note) {
    if (RefusedBeforeInit({dpfFile, name, note})) return 0;
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::Open, 0,
                                     [&](int handle) { return Load(handle, name, note); });
}

int Veltrano_CSprite::Save(int dpf, const char* blockType) {
    if (dpf < 1 || blockType == nullptr || IStuffDPF == nullptr || data->status == kSpriteEmpty) return 0;
    if (!sprite_state::AcquireSheet(*data, "Save")) return 0;
    const SurfacePtr copy(pixel_rows::SoftwareCopy(data->sheet));
    if (copy == nullptr) return 0;
    const sprite_block::Fields fields{data->frameWidth,
                                      data->frameHeight,
                                      sprite_making::To16Bits(std::floor(data->posX)),
                                      sprite_making::To16Bits(std::floor(data->posY)),
                                      static_cast<uint32_t>(data->colorKey),
                                      static_cast<uint8_t>(data->alpha)};
    const std::vector<uint8_t> bytes = sprite_block::Build(copy.get(), fields, data->anims);
    const std::string type = std::string(blockType).substr(0, kLongestType);
    return stored_asset::AddBlock(dpf, data->name, type.c_str(), bytes);
}

int Veltrano_CSprite::Save(const char* dpfFile, const char* blockType) {
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::OpenOrCreate, 0,
                                     [&](int handle) { return Save(handle, blockType); });
}
