// Arbitrary bytes stored as a sprite block in a fresh archive and loaded
// with Veltrano_CSprite::Load: the first byte chooses "SPR2" (even) or the
// version 1 "SPR" (odd), the rest is the block. A sprite that loads must
// keep its invariants: saved again, its block passes the reader's checks
// (ranges inside the frames, frames inside the sheet, sizes that agree);
// every animation is drawn and collided with a clone, and the property
// calls and the information dump run on it too.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Veltrano_CSprite.h"
#include "Veltrano_IStuffDPF.h"
#include "fuzz_setup.h"
#include "sprites/sprite_block.h"

namespace {

std::string archive;
SDL_Surface* target = nullptr;

// The loaded sprite's records as a block must read back without fault.
void CheckInvariants(Veltrano_CSprite& sprite, int handle, int animCount) {
    sprite.SetName("again");
    if (sprite.Save(handle, "SPR2") <= 0) return;
    DPF_BlockData block{};
    if (IStuffDPF->LoadBlock(handle, "SPR2", "again", &block) <= 0) std::abort();
    sprite_block::Contents contents;
    const char* reason = nullptr;
    if (!sprite_block::Read(reinterpret_cast<const uint8_t*>(block.data), block.size, false, contents, &reason))
        std::abort();
    if (static_cast<int>(contents.anims.size()) != animCount) std::abort();
    IStuffDPF->FreeBlock(&block);
}

// Every animation's frames are read by drawing and by a pixel collision.
void DrawEveryAnimation(Veltrano_CSprite& sprite, Veltrano_CSprite& slave, int animCount) {
    for (int anim = 1; anim <= animCount && anim <= 64; ++anim) {
        unsigned short type = 0, state = 0, frames = 0, start = 0, end = 0;
        short hotSpotX = 0, hotSpotY = 0;
        sprite.GetAnimProperties(anim, &type, &state, &frames, &hotSpotX, &hotSpotY, &start, &end);
        sprite.SelectAnim(state);
        slave.SelectAnim(state);
        for (int step = 0; step < 3; ++step) sprite.Draw(target);
        slave.Draw(target);
        sprite.Collision(&slave, 0, 0, 1, 1, 0);
    }
}

void Exercise(Veltrano_CSprite& sprite, int animCount) {
    sprite.Info();
    sprite.SetAlpha(128);
    sprite.SetColorKey(1, 2, 3);
    sprite.AutoRestore(1);
    Veltrano_CSprite slave;
    if (slave.Clone(&sprite) <= 0) std::abort();
    slave.SetAlpha(255);
    slave.Info();
    DrawEveryAnimation(sprite, slave, animCount);
    sprite.Clean();
    if (slave.GetSurface() != nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    archive = fuzz_setup::Start("fuzz_sprite_block", "sprites.dpf");
    target = SDL_CreateRGBSurface(SDL_SWSURFACE, 48, 48, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    if (target == nullptr) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const char* type = (data[0] & 1) ? "SPR" : "SPR2";
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int handle = fuzz_setup::FreshArchiveWith(archive, type, bytes);
    Veltrano_CSprite sprite;
    const int animCount = sprite.Load(handle, "input", "fuzz");
    if (animCount > 0) {
        CheckInvariants(sprite, handle, animCount);
        Exercise(sprite, animCount);
    }
    IStuffDPF->Close(handle);
    return 0;
}
