// A sprite's properties: background restore, colour key and alpha on the
// sheet a master shares with its slaves, name and frame size.
#include <cstring>

#include "Veltrano_CSprite.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "imaging/display_format.h"
#include "sprites/sprite_making.h"

namespace {

void LogConversion(const char* operation, int value) {
    ILogSystem.Msg(2,
                   " . [CSprite::%s(%d)] Warning: on-the-fly surface conversion. It may affect to the "
                   "performance.\n",
                   operation, value);
}

// The sheet again in the screen's format; false when SDL cannot convert.
bool ConvertSheetOnTheFly(SpriteData& sprite) {
    SDL_Surface* converted = SDL_DisplayFormat(sprite.sheet);
    if (converted == nullptr) return false;
    sprite_making::ReplaceSheet(sprite, converted);
    return true;
}

}  // namespace

namespace sprite_making {

void ReplaceSheet(SpriteData& sprite, SDL_Surface* converted) {
    SDL_FreeSurface(sprite.sheet);
    sprite.sheet = converted;
    // The pixel backup must hold the new sheet's bytes (its pitch may have
    // changed), or a lost-surface restore would copy past the old buffer.
    SpriteData& owner = sprite.kind == kKindSlave && sprite.masterData != nullptr ? *sprite.masterData : sprite;
    owner.sheet = converted;
    TakePixelBackup(owner);
    if (&owner != &sprite) sprite.pixelBackup = Veltrano.surfaceLossCheck ? owner.pixelBackup : nullptr;
}

void ApplyColorKey(SpriteData& sprite, int key) {
    if (!sprite.perPixelAlpha) {
        const Uint32 flags = key == -1 ? 0 : SDL_SRCCOLORKEY;
        const Uint32 value = key == -1 ? 0 : static_cast<Uint32>(key);
        if (sprite.glCopy != nullptr) SDL_SetColorKey(sprite.glCopy, flags, value);
        SDL_SetColorKey(sprite.sheet, flags, value);
        // The field says "none" itself, so a sprite made from this sheet
        // does not take 0 for a key.
        if (key == -1) display_format::MarkNoColorKey(sprite.sheet);
        if (Veltrano.screen != nullptr && Veltrano.IsGL() && ConvertSheetOnTheFly(sprite)) {
            Veltrano.Surface2Texture(sprite.sheet);
            LogConversion("SetColorKey", key);
        }
    }
    sprite.colorKey = key;
}

}  // namespace sprite_making

void Veltrano_CSprite::AutoRestore(char on) {
    if (data->status == kSpriteEmpty) return;
    const int32_t wanted = Veltrano.IsGL() ? 0 : (on ? 1 : 0);
    if (wanted == data->autoRestore) return;
    SDL_FreeSurface(data->bgSurface);
    data->bgSurface = nullptr;
    data->bgSaved = 0;
    data->autoRestore = wanted;
    sprite_making::MakeBackgroundWhenRestoring(*data, 32);
}

void Veltrano_CSprite::SetColorKey(int key) {
    if (data->status == kSpriteEmpty || !sprite_state::AcquireSheet(*data, "SetColorKey")) return;
    if (key == data->colorKey) return;
    sprite_making::ApplyColorKey(*data, key);
}

void Veltrano_CSprite::SetColorKey(int r, int g, int b) {
    if (data->status == kSpriteEmpty || !sprite_state::AcquireSheet(*data, "SetColorKey")) return;
    const bool none = r == -1 || g == -1 || b == -1;
    SetColorKey(none ? -1
                     : static_cast<int>(SDL_MapRGB(data->sheet->format, static_cast<Uint8>(r),
                                                   static_cast<Uint8>(g), static_cast<Uint8>(b))));
}

int Veltrano_CSprite::GetColorKey() { return data->status == kSpriteEmpty ? -1 : data->colorKey; }

void Veltrano_CSprite::SetAlpha(int alpha) {
    if (alpha < 0 || alpha > 255 || data->status == kSpriteEmpty) return;
    if (!sprite_state::AcquireSheet(*data, "SetAlpha") || data->perPixelAlpha) return;
    SDL_Surface* sheet = data->sheet;
    const int old = sheet->format->alpha;
    const Uint32 flags = alpha == 255 ? 0 : SDL_SRCALPHA;
    SDL_SetAlpha(sheet, flags, static_cast<Uint8>(alpha));
    if (data->glCopy != nullptr) SDL_SetAlpha(data->glCopy, flags, static_cast<Uint8>(alpha));
    const SDL_Surface* screen = Veltrano.screen;
    const bool crosses = (old == 255) != (alpha == 255);
    if (screen != nullptr && crosses && (screen->flags & SDL_HWSURFACE) && !Veltrano.IsGL() &&
        ConvertSheetOnTheFly(*data))
        LogConversion("SetAlpha", alpha);
    data->alpha = alpha;
}

int Veltrano_CSprite::GetAlpha() {
    if (data->status == kSpriteEmpty) return -1;
    return data->perPixelAlpha ? 256 : data->alpha;
}

void Veltrano_CSprite::SetName(const char* name) {
    if (data->status == kSpriteEmpty || name == nullptr) return;
    if (std::strlen(name) < sizeof data->name) sprite_making::StoreName(*data, name);
}

char* Veltrano_CSprite::GetName() { return data->status == kSpriteEmpty ? nullptr : data->name; }

SDL_Surface* Veltrano_CSprite::GetSurface() {
    if (data->status == kSpriteEmpty || !sprite_state::AcquireSheet(*data, "GetSurface")) return nullptr;
    return data->sheet;
}

void Veltrano_CSprite::GetOffset(int* width, int* height) {
    if (width != nullptr) *width = data->frameWidth;
    if (height != nullptr) *height = data->frameHeight;
}
