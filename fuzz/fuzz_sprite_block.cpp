// Arbitrary bytes stored as a sprite block in a fresh archive and loaded
// with Veltrano_CSprite::Load: the first byte chooses "SPR2" (even) or the
// version 1 "SPR" (odd), the rest is the block. A sprite that loads must
// keep its invariants: saved again, its block passes the reader's checks
// (ranges inside the frames, frames inside the sheet, sizes that agree);
// a clone, the property calls and the information dump run on it too.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Veltrano_CSprite.h"
#include "Veltrano_IStuffDPF.h"
#include "fuzz_setup.h"
#include "objects/sprite_block.h"

namespace {

std::string archive;

int FreshArchiveWith(const char* type, std::string& bytes) {
    std::remove(archive.c_str());
    const int handle = IStuffDPF->Create(archive.c_str());
    if (handle <= 0) std::abort();
    DPF_BlockData block{};
    std::strcpy(block.name, "input");
    std::strcpy(block.type, type);
    block.storage = 1;  // raw: the fuzzer's bytes are what Load sees
    block.size = static_cast<int>(bytes.size());
    block.data = bytes.data();
    IStuffDPF->AddData(handle, &block);
    return handle;
}

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

void Exercise(Veltrano_CSprite& sprite) {
    sprite.Info();
    sprite.SetAlpha(128);
    sprite.SetColorKey(1, 2, 3);
    sprite.AutoRestore(1);
    Veltrano_CSprite slave;
    if (slave.Clone(&sprite) <= 0) std::abort();
    slave.SetAlpha(255);
    slave.Info();
    sprite.Clean();
    if (slave.GetSurface() != nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    archive = fuzz_setup::Start("fuzz_sprite_block", "sprites.dpf");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const char* type = (data[0] & 1) ? "SPR" : "SPR2";
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int handle = FreshArchiveWith(type, bytes);
    Veltrano_CSprite sprite;
    const int animCount = sprite.Load(handle, "input", "fuzz");
    if (animCount > 0) {
        CheckInvariants(sprite, handle, animCount);
        Exercise(sprite);
    }
    IStuffDPF->Close(handle);
    return 0;
}
