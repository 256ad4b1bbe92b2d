// A sprite's life: construction, release, emptying and cloning, and the
// links between a master and its slaves that let a slave notice that the
// sheet it borrows is gone.
#include <algorithm>
#include <cstring>

#include "Veltrano_CSprite.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IPrimitives.h"
#include "Veltrano_Main.h"
#include "imaging/display_format.h"
#include "sprites/sprite_making.h"
#include "imaging/stored_sheet.h"

namespace sprite_making {

namespace {

// The slaves keep using their own records; only the borrowed sheet goes.
void TellSlavesMasterIsGone(SpriteData& master) {
    for (SpriteData* slave : master.slaves) {
        slave->masterGone = true;
        slave->masterData = nullptr;
        slave->master = nullptr;
        slave->sheet = nullptr;
        slave->glCopy = nullptr;
        slave->pixelBackup = nullptr;
    }
    master.slaves.clear();
}

void LeaveMaster(SpriteData& slave) {
    if (slave.masterData != nullptr) {
        std::vector<SpriteData*>& list = slave.masterData->slaves;
        list.erase(std::remove(list.begin(), list.end(), &slave), list.end());
    }
    slave.masterData = nullptr;
    slave.masterGone = false;
}

void FreeSurface(SDL_Surface*& surface) {
    SDL_FreeSurface(surface);
    surface = nullptr;
}

}  // namespace

const char* Text(const char* text) { return text != nullptr ? text : "(null)"; }

int32_t InitialAutoRestore() {
    const SDL_Surface* screen = Veltrano.screen;
    return screen != nullptr && !(screen->flags & SDL_DOUBLEBUF) && !Veltrano.IsGL() ? 1 : 0;
}

SDL_Surface* MakeGLCopy(SDL_Surface* sheet) {
    if (!Veltrano.IsGL()) return nullptr;
    SDL_Surface* copy = SDL_CreateRGBSurface(0, sheet->w, sheet->h, 32, 0, 0, 0, 0);
    if (copy != nullptr) SDL_BlitSurface(sheet, nullptr, copy, nullptr);
    return copy;
}

void GiveGLCopyKeyAndAlpha(SDL_Surface* glCopy, uint8_t alpha, const SDL_Color* key) {
    if (glCopy == nullptr) return;
    stored_sheet::SetSurfaceAlpha(glCopy, alpha);
    SDL_SetColorKey(glCopy, key != nullptr ? SDL_SRCCOLORKEY : 0,
                    key != nullptr ? SDL_MapRGB(glCopy->format, key->r, key->g, key->b) : 0);
}

bool ConvertForScreen(SpriteData& sprite, const char* origin) {
    if (!display_format::DiffersFromScreen(sprite.sheet)) return false;
    sprite.sheet = display_format::ConvertToScreen(sprite.sheet);
    if (sprite.perPixelAlpha)
        ILogSystem.Msg(5,
                       " . [CSprite->%s] Info: surface with alpha per pixel loaded, it could slow down your "
                       "graphics system.\n",
                       origin);
    return true;
}

void MakeBackgroundWhenRestoring(SpriteData& sprite, int bitsPerPixel) {
    if (sprite.autoRestore)
        sprite.bgSurface = sprite_state::MakeBackground(sprite.frameWidth, sprite.frameHeight, bitsPerPixel);
}

void TakePixelBackup(SpriteData& sprite) {
    delete[] sprite.pixelBackup;
    sprite.pixelBackup = nullptr;
    if (!Veltrano.surfaceLossCheck || IPrimitives == nullptr) return;
    SDL_Surface* sheet = sprite.sheet;
    const size_t bytes = static_cast<size_t>(sheet->pitch) * static_cast<size_t>(sheet->h);
    sprite.pixelBackup = new uint8_t[bytes];
    IPrimitives->Lock(sheet);
    std::memcpy(sprite.pixelBackup, sheet->pixels, bytes);
    IPrimitives->UnLock(sheet);
}

int16_t To16Bits(double whole) {
    const double limited = std::min(std::max(whole, -2147483648.0), 2147483647.0);
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<int64_t>(limited) & 0xFFFF));
}

void StoreName(SpriteData& sprite, const char* name) {
    std::memset(sprite.name, 0, sizeof sprite.name);
    std::strncpy(sprite.name, name, sizeof sprite.name - 1);
}

void Release(SpriteData& sprite) {
    if (sprite.kind == kKindMaster) {
        TellSlavesMasterIsGone(sprite);
        FreeSurface(sprite.sheet);
        FreeSurface(sprite.glCopy);
        delete[] sprite.pixelBackup;
    } else if (sprite.kind == kKindSlave) {
        LeaveMaster(sprite);
    }
    // A slave's sheet, copy and backup are its master's: dropped, not freed.
    sprite.sheet = nullptr;
    sprite.glCopy = nullptr;
    sprite.pixelBackup = nullptr;
    FreeSurface(sprite.bgSurface);
    sprite.effectCache.reset();
    sprite.anims.clear();
    sprite.anims.shrink_to_fit();
    sprite.effect = 0;
    sprite.effectDirty = 0;
    sprite.bgRect = {0, 0, 0, 0};
    sprite.drawX = sprite.drawY = 0.0f;
    sprite.posX = sprite.posY = 0.0f;
    sprite.prevX = sprite.prevY = 0.0f;
    sprite.interpolate = 0;
    sprite.master = nullptr;
    sprite.frameWidth = sprite.frameHeight = 0;
    sprite.currentAnim = 0;
    sprite.animCount = 0;
    sprite.lastTick = 0;
    sprite.status = kSpriteEmpty;
    sprite.pingPongStep = 1;
    // As at construction, so a sprite made again restores its background.
    sprite.autoRestore = InitialAutoRestore();
    sprite.kind = kKindNone;
    sprite.bgSaved = 0;
    sprite.colorKey = 0;
    sprite.alpha = 0;
    sprite.perPixelAlpha = 0;
}

}  // namespace sprite_making

Veltrano_CSprite::Veltrano_CSprite() : data(new SpriteData) {
    data->autoRestore = sprite_making::InitialAutoRestore();
    ++Veltrano.spriteCount;
}

Veltrano_CSprite::~Veltrano_CSprite() {
    if (data->status != kSpriteEmpty) sprite_making::Release(*data);
    delete data;
    --Veltrano.spriteCount;
}

void Veltrano_CSprite::Clean() {
    if (data->status == kSpriteRunning) sprite_making::Release(*data);
}

int Veltrano_CSprite::Clone(Veltrano_CSprite* master) {
    if (master == nullptr) return 0;
    if (data->status != kSpriteEmpty) {
        ILogSystem.Msg(2,
                       " . [CSprite::Clone()] Warning: sprite already exists. It is not possible to create another "
                       "one.\n");
        return 0;
    }
    SpriteData& source = *master->data;
    if (source.kind == kKindSlave) {
        ILogSystem.Msg(2,
                       " . [CSprite::Clone()] Warning: the given sprite is already a clone. You can only clone a "
                       "master sprite.\n");
        return 0;
    }
    // An empty master has no sheet to share.
    if (source.status == kSpriteEmpty) return 0;
    SpriteData& slave = *data;
    slave.animFactor = source.animFactor;
    slave.frameWidth = source.frameWidth;
    slave.frameHeight = source.frameHeight;
    std::memcpy(slave.name, source.name, sizeof slave.name);
    slave.autoRestore = source.autoRestore;
    slave.alpha = source.alpha;
    slave.colorKey = source.colorKey;
    slave.perPixelAlpha = source.perPixelAlpha;
    slave.animCount = source.animCount;
    slave.posX = source.posX;
    slave.posY = source.posY;
    slave.anims = source.anims;
    slave.master = master;
    slave.masterData = &source;
    slave.masterGone = false;
    source.slaves.push_back(&slave);
    sprite_making::MakeBackgroundWhenRestoring(slave, 32);
    slave.pixelBackup = Veltrano.surfaceLossCheck ? source.pixelBackup : nullptr;
    slave.status = source.status;
    slave.bgSaved = 0;
    slave.kind = kKindSlave;
    return slave.animCount;
}
