// The sprite's information dump to the log.
#include <cmath>

#include "Veltrano_CSprite.h"
#include "Veltrano_ILogSystem.h"
#include "sprites/sprite_making.h"

namespace {

struct StateName {
    uint8_t highByte;
    const char* name;
};

// The whole high byte names the direction (0xC0 is not 0x80 plus 0x40).
constexpr StateName kStateNames[] = {{0x80, "Normal"}, {0x40, "Up"},      {0x20, "Down"},
                                     {0x10, "Left"},   {0x08, "Right"},   {0x04, "UpLeft"},
                                     {0x02, "UpRight"}, {0x01, "DownLeft"}, {0xC0, "DownRight"}};

const char* StateCategory(uint16_t state) {
    for (const StateName& entry : kStateNames)
        if (entry.highByte == state >> 8) return entry.name;
    return nullptr;
}

const char* TypeName(uint16_t type) {
    switch (type) {
        case kAnimLoop: return "Loop\n";
        case kAnimPingPong: return "Ping-Pong\n";
        case kAnimOneShot: return "One Shot\n";
        default: return "";
    }
}

void LogBlending(SDL_Surface* sheet) {
    const SDL_PixelFormat& format = *sheet->format;
    if (!(sheet->flags & SDL_SRCALPHA))
        ILogSystem.Msg(0, "      -> Alpha blending: disabled");
    else if (format.alpha == 255)
        ILogSystem.Msg(0, "      -> Alpha blending: per-pixel");
    else
        ILogSystem.Msg(0, "      -> Alpha blending: per-surface (%d)", format.alpha);
    if (!(sheet->flags & SDL_SRCCOLORKEY)) {
        ILogSystem.Msg(0, " - Colorkey: disabled\n");
    } else if (format.BitsPerPixel == 8) {
        ILogSystem.Msg(0, " - Colorkey: palette color number %d\n", static_cast<int>(format.colorkey));
    } else {
        Uint8 r, g, b;
        SDL_GetRGB(format.colorkey, sheet->format, &r, &g, &b);
        ILogSystem.Msg(0, " - Colorkey: RGB(%d,%d,%d)\n", r, g, b);
    }
}

void LogAnimation(const SpriteAnim& anim) {
    const char* category = StateCategory(anim.state);
    if (category != nullptr)
        ILogSystem.Msg(0, "      -> State animation %s(%d) - Type ", category, (anim.state & 0xFF) + 1);
    else
        ILogSystem.Msg(0, "  . [CSprite::Info()] unknown state %d.\n", anim.state);
    ILogSystem.Msg(0, "%s", TypeName(anim.type));
    ILogSystem.Msg(0, "         . Status: %d - Number of frames: %d - Current frame: %d\n", anim.state,
                   anim.frameCount, anim.currentFrame);
    ILogSystem.Msg(0, "         . HotSpot X: %d - HotSpot Y: %d - Start frame: %d - End frame: %d\n", anim.hotSpotX,
                   anim.hotSpotY, anim.startFrame + 1, anim.endFrame);
    for (size_t i = 0; i < anim.frames.size(); ++i)
        ILogSystem.Msg(0, "         . Frame %d - Time %d ms \n", static_cast<int>(i + 1),
                       static_cast<int>(anim.frames[i].time));
}

}  // namespace

void Veltrano_CSprite::Info() {
    if (data->status == kSpriteEmpty) {
        ILogSystem.Msg(0, "\n . Sprite information: current sprite is empty.\n");
        return;
    }
    if (!sprite_state::AcquireSheet(*data, "Info")) return;
    SetAlpha(data->alpha);
    SDL_Surface* sheet = data->sheet;
    ILogSystem.Msg(0, "\n . Sprite information of '%s':\n", data->name);
    ILogSystem.Msg(0, "      -> Surface of %d Kb located at %s\n", sheet->pitch * sheet->h / 1024,
                   (sheet->flags & SDL_HWSURFACE) ? "video memory" : "system memory");
    ILogSystem.Msg(0, "      -> AutoRestore: %s", data->autoRestore ? "On" : "Off");
    ILogSystem.Msg(0, " - Sprite type: %s - Special Effect: %s\n", data->kind == kKindMaster ? "Master" : "Slave",
                   data->effect != 0 ? "Yes" : "None");
    ILogSystem.Msg(0, "      -> Frame size: %dx%d - Color depth: %dbits - Position: (%d,%d)\n", data->frameWidth,
                   data->frameHeight, sheet->format->BitsPerPixel, sprite_making::To16Bits(std::trunc(data->posX)),
                   sprite_making::To16Bits(std::trunc(data->posY)));
    LogBlending(sheet);
    ILogSystem.Msg(0, "      -> Number of animations: %d - Current animation: %d\n", data->animCount,
                   data->currentAnim + 1);
    for (const SpriteAnim& anim : data->anims) LogAnimation(anim);
    ILogSystem.Msg(0, "\n");
}
