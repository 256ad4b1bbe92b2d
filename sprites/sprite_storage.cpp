// Sprites in DPF archives: loading "SPR2" blocks (a version 1 "SPR" block is
// checked, upgraded and replaced in place first) and saving them.
#include <cmath>
#include <string>
#include <vector>

#include "Veltrano_CSprite.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
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
// archive by its upgrade, but only once it was read without fault.
class Version2Block {
public:
    ~Version2Block() { IStuffDPF->FreeBlock(&block_); }
    // False (with the reason logged) when neither version is there, the old
    // block is damaged or its upgrade cannot be stored.
    bool Load(int handle, const LoadCall& call);
    const uint8_t* bytes() const { return bytes_; }
    int64_t size() const { return size_; }

private:
    bool Upgrade(int handle, const LoadCall& call);

    DPF_BlockData block_{};
    std::vector<uint8_t> upgraded_;
    const uint8_t* bytes_ = nullptr;
    int64_t size_ = 0;
};

bool Version2Block::Load(int handle, const LoadCall& call) {
    if (IStuffDPF->LoadBlock(handle, kVersion2Type, call.name, &block_) > 0) {
        bytes_ = reinterpret_cast<const uint8_t*>(block_.data);
        size_ = block_.size;
        return true;
    }
    IStuffDPF->FreeBlock(&block_);
    if (IStuffDPF->LoadBlock(handle, kVersion1Type, call.name, &block_) <= 0) {
        LogLoad(0, call, "Error: sprite not found");
        return false;
    }
    return Upgrade(handle, call);
}

bool Version2Block::Upgrade(int handle, const LoadCall& call) {
    sprite_block::Contents old;
    const char* reason = nullptr;
    if (!sprite_block::Read(reinterpret_cast<const uint8_t*>(block_.data), block_.size, true, old, &reason)) {
        LogDamage(call, reason);
        return false;
    }
    upgraded_ = sprite_block::Upgrade(old);
    if (stored_sheet::AddBlock(handle, call.name, kVersion2Type, upgraded_) < 1) {
        LogLoad(0, call, "Error: update to v2.0 was not possible.");
        return false;
    }
    IStuffDPF->Delete(handle, &block_);
    LogLoad(2, call, "Info: sprite successfully updated from v1.0 to v2.0.");
    bytes_ = upgraded_.data();
    size_ = static_cast<int64_t>(upgraded_.size());
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
    if (!sprite_state::SdkInitialized()) {
        LogLoad(0, call, "Error: Veltrano was not initialized. Aborting the sprite load.");
        return 0;
    }
    if (dpf < 1 || name == nullptr || note == nullptr || IStuffDPF == nullptr) return 0;
    if (data->status != kSpriteEmpty) {
        LogLoad(2, call, "Warning: sprite already exists. It is not possible to create another one.");
        return 0;
    }
    Version2Block block;
    if (!block.Load(dpf, call)) return 0;
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
    if (IStuffDPF == nullptr || dpfFile == nullptr) return 0;
    const int handle = IStuffDPF->Open(dpfFile);
    if (handle < 1) return 0;
    const int loaded = Load(handle, name, note);
    IStuffDPF->Close(handle);
    return loaded;
}

int Veltrano_CSprite::Save(int dpf, const char* blockType) {
    if (dpf < 1 || blockType == nullptr || IStuffDPF == nullptr || data->status == kSpriteEmpty) return 0;
    if (!sprite_state::AcquireSheet(*data, "Save")) return 0;
    SDL_Surface* copy = pixel_rows::SoftwareCopy(data->sheet);
    if (copy == nullptr) return 0;
    const sprite_block::Fields fields{data->frameWidth,
                                      data->frameHeight,
                                      sprite_making::To16Bits(std::floor(data->posX)),
                                      sprite_making::To16Bits(std::floor(data->posY)),
                                      static_cast<uint32_t>(data->colorKey),
                                      static_cast<uint8_t>(data->alpha)};
    std::vector<uint8_t> bytes = sprite_block::Build(copy, fields, data->anims);
    SDL_FreeSurface(copy);
    return stored_sheet::AddBlock(dpf, data->name, std::string(blockType).substr(0, kLongestType), bytes);
}

int Veltrano_CSprite::Save(const char* dpfFile, const char* blockType) {
    if (IStuffDPF == nullptr || dpfFile == nullptr) return 0;
    const int handle = stored_sheet::OpenOrCreate(dpfFile);
    if (handle < 1) return 0;
    const int saved = Save(handle, blockType);
    IStuffDPF->Close(handle);
    return saved;
}
