// Making a sprite from a surface or an image file: the sheet copy, the
// animations cut by the empty-frame test, key and alpha carried over, the
// conversion to the screen's format.
#include <cstring>
#include <string>

#include "Veltrano_CSprite.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IPrimitives.h"
#include "Veltrano_Main.h"
#include "archive/stored_asset.h"
#include "core/surface_ptr.h"
#include "imaging/display_format.h"
#include "sprites/sprite_making.h"
#include "imaging/stored_sheet.h"

namespace {

using sprite_making::Text;

constexpr uint32_t kFirstFrameTime = 100;

struct CreateCall {
    const char* name;
    int frameWidth;
    int frameHeight;
};

void LogCreate(int level, const CreateCall& call, const char* what) {
    ILogSystem.Msg(level, " . [CSprite::Create('%s',%d,%d)] %s\n", Text(call.name), call.frameWidth,
                   call.frameHeight, what);
}

// The checks of making, in their order; false after logging the refusal.
bool CreateAllowed(const SpriteData& sprite, SDL_Surface* surface, const CreateCall& call) {
    const char* refusal = nullptr;
    int level = 0;
    if (!stored_asset::SdkInitialized()) {
        refusal = "Error: Veltrano was not initialized. Aborting the sprite load.";
    } else if (sprite.status != kSpriteEmpty) {
        refusal = "Warning: sprite already exists. It is not possible to create another one.";
        level = 2;
    } else if (surface == nullptr || call.name == nullptr) {
        refusal = "Error: sprite surface or name are null.";
    } else if (call.frameWidth < 1 || call.frameHeight < 1) {
        refusal = "Error: Offset X and/or Y are less than 1 pixel.";
    } else if (surface->w % call.frameWidth != 0) {
        refusal = "Error: Offset X does not split correctly the sprite surface.";
    } else if (surface->h % call.frameHeight != 0) {
        refusal = "Error: Offset Y does not split correctly the sprite surface.";
    }
    if (refusal != nullptr) LogCreate(level, call, refusal);
    return refusal == nullptr;
}

// A frame is empty when every pixel has the raw value of its top-left one,
// pixels with alpha 0 forgiven. The caller holds the lock.
bool FrameIsEmpty(SDL_Surface* sheet, int left, int top, int width, int height) {
    const Uint32 first = IPrimitives->GetPixel(sheet, static_cast<short>(left), static_cast<short>(top), 0);
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            const Uint32 pixel = IPrimitives->GetPixel(sheet, static_cast<short>(x), static_cast<short>(y), 0);
            if (pixel == first) continue;
            Uint8 r, g, b, a;
            SDL_GetRGBA(pixel, sheet->format, &r, &g, &b, &a);
            if (a != 0) return false;
        }
    }
    return true;
}

// One Loop animation per row; a row's frames end at its first empty one.
void CutAnimations(SpriteData& sprite) {
    SDL_Surface* sheet = sprite.sheet;
    const int columns = sheet->w / sprite.frameWidth;
    sprite.animCount = sheet->h / sprite.frameHeight;
    sprite.anims.assign(static_cast<size_t>(sprite.animCount), SpriteAnim{});
    IPrimitives->Lock(sheet);
    for (int row = 0; row < sprite.animCount; ++row) {
        SpriteAnim& anim = sprite.anims[static_cast<size_t>(row)];
        anim.type = kAnimLoop;
        anim.state = static_cast<uint16_t>(SPRITE_STATE_NORMAL + row);
        int frames = 0;
        while (frames < columns && !FrameIsEmpty(sheet, frames * sprite.frameWidth, row * sprite.frameHeight,
                                                 sprite.frameWidth, sprite.frameHeight))
            ++frames;
        anim.frameCount = static_cast<uint16_t>(frames);
        anim.endFrame = anim.frameCount;
        anim.frames.assign(anim.frameCount, SpriteFrame{kFirstFrameTime});
    }
    IPrimitives->UnLock(sheet);
}

// The source's key as a colour (the key field counts even without the key
// flag: -1 alone means none). False when there is none.
bool SourceKeyColor(SDL_Surface* source, SDL_Color& color) {
    if (source->format->colorkey == display_format::kNoColorKey) return false;
    SDL_GetRGB(source->format->colorkey, source->format, &color.r, &color.g, &color.b);
    return true;
}

}  // namespace

int Veltrano_CSprite::Create(SDL_Surface* surface, const char* name, int frameWidth, int frameHeight) {
    const CreateCall call{name, frameWidth, frameHeight};
    if (!CreateAllowed(*data, surface, call)) return 0;
    // A surface without pixels would give a sprite without animations.
    if (surface->w == 0 || surface->h == 0) return 0;
    SpriteData& sprite = *data;
    sprite.sheet = stored_sheet::CopyOf(surface);
    if (sprite.sheet == nullptr) return 0;
    sprite.glCopy = sprite_making::MakeGLCopy(sprite.sheet);
    sprite.perPixelAlpha = (sprite.sheet->flags & SDL_SRCALPHA) && sprite.sheet->format->Amask != 0 ? 1 : 0;
    // SDL's copy of an alpha-channel surface has surface alpha 0, which SDL
    // ignores when it blends pixel by pixel; 255 is what the rest of the SDK
    // reads as "per pixel".
    if (sprite.perPixelAlpha) sprite.sheet->format->alpha = 255;
    const int alpha = !sprite.perPixelAlpha && (surface->flags & SDL_SRCALPHA) ? surface->format->alpha : 255;

    sprite.posX = sprite.posY = 0.0f;
    sprite.bgRect = {0, 0, static_cast<Uint16>(frameWidth), static_cast<Uint16>(frameHeight)};
    sprite.frameWidth = frameWidth;
    sprite.frameHeight = frameHeight;
    sprite_making::StoreName(sprite, name);
    CutAnimations(sprite);
    sprite.currentAnim = 0;

    SDL_Color keyColor{};
    const bool hasKey = SourceKeyColor(surface, keyColor);
    Uint32 key = hasKey ? SDL_MapRGB(sprite.sheet->format, keyColor.r, keyColor.g, keyColor.b) : 0;
    sprite_making::GiveGLCopyKeyAndAlpha(sprite.glCopy, static_cast<Uint8>(alpha), hasKey ? &keyColor : nullptr);
    const std::string origin =
        "Create('" + std::string(name) + "'," + std::to_string(frameWidth) + "," + std::to_string(frameHeight) + ")";
    if (sprite_making::ConvertForScreen(sprite, origin.c_str()) && hasKey)
        key = SDL_MapRGB(sprite.sheet->format, keyColor.r, keyColor.g, keyColor.b);
    if (Veltrano.IsGL()) Veltrano.Surface2Texture(sprite.sheet);
    sprite_making::MakeBackgroundWhenRestoring(sprite, 32);
    sprite_making::TakePixelBackup(sprite);

    sprite.status = kSpriteRunning;
    sprite.bgSaved = 0;
    sprite.kind = kKindMaster;
    sprite_making::ApplyColorKey(sprite, hasKey ? static_cast<int>(key) : -1);
    if (sprite.perPixelAlpha)
        sprite.alpha = 255;
    else
        SetAlpha(alpha);
    return sprite.animCount;
}

int Veltrano_CSprite::Create(const char* file, const char* name, int frameWidth, int frameHeight) {
    if (!stored_asset::SdkInitialized()) {
        ILogSystem.Msg(0,
                       " . [CSprite::Create('%s','%s')] Error: Veltrano was not initialized. Aborting the sprite "
                       "creation.\n",
                       Text(file), Text(name));
        return 0;
    }
    if (file == nullptr || name == nullptr) return 0;
    if (data->status != kSpriteEmpty) {
        ILogSystem.Msg(2,
                       " . [CSprite::Create('%s','%s')] Warning: sprite already exists. It is not possible to "
                       "create another one.\n",
                       file, name);
        return 0;
    }
    const SurfacePtr image(stored_sheet::ReadImageFile(file));
    if (image == nullptr) {
        ILogSystem.Msg(0,
                       " . [CSprite::Create('%s','%s')] Error: it was not possible to load the given image file.\n",
                       file, name);
        return 0;
    }
    return Create(image.get(), name, frameWidth, frameHeight);
}
