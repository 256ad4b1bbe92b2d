#include "support/tile_test_helpers.h"

#include <cstring>
#include <random>
#include <sys/stat.h>

#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "archive/archive_format.h"
#include "core/byte_order.h"
#include "imaging/pixel_access.h"
#include "imaging/pixel_format_record.h"

namespace tile_test {

bool SameArea(SDL_Surface* a, int ax, int ay, SDL_Surface* b, int bx, int by, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Uint8 r1, g1, b1, r2, g2, b2;
            SDL_GetRGB(PixelAt(a, ax + x, ay + y), a->format, &r1, &g1, &b1);
            SDL_GetRGB(PixelAt(b, bx + x, by + y), b->format, &r2, &g2, &b2);
            if (r1 != r2 || g1 != g2 || b1 != b2) return false;
        }
    return true;
}

void AddRawBlock(const std::string& archive, const std::string& name, const std::string& type,
                 const std::vector<uint8_t>& bytes) {
    struct stat info;
    const int handle = stat(archive.c_str(), &info) == 0 ? IStuffDPF->Open(archive.c_str())
                                                          : IStuffDPF->Create(archive.c_str());
    ASSERT_GT(handle, 0);
    std::vector<uint8_t> copy = bytes;
    DPF_BlockData block{};
    std::strncpy(block.name, name.c_str(), sizeof block.name - 1);
    std::strncpy(block.type, type.c_str(), sizeof block.type - 1);
    block.storage = dpf_format::kStorageRaw;
    block.size = static_cast<int>(copy.size());
    block.data = reinterpret_cast<char*>(copy.data());
    EXPECT_GT(IStuffDPF->AddData(handle, &block), 0);
    IStuffDPF->Close(handle);
}

std::vector<std::string> LiveBlocks(const std::string& archive) {
    std::vector<std::string> names;
    const int handle = IStuffDPF->Open(archive.c_str());
    if (handle <= 0) return names;
    DPF_BlockData block{};
    for (int found = IStuffDPF->FindFirst(handle, &block); found == 1; found = IStuffDPF->FindNext(handle, &block))
        if (std::strcmp(block.type, "DELETED") != 0) names.push_back(std::string(block.name) + "/" + block.type);
    IStuffDPF->Close(handle);
    return names;
}

std::vector<uint8_t> BlockBytes(const std::string& archive, const std::string& name, const std::string& type) {
    std::vector<uint8_t> bytes;
    const int handle = IStuffDPF->Open(archive.c_str());
    if (handle <= 0) return bytes;
    DPF_BlockData block{};
    if (IStuffDPF->LoadBlock(handle, type.c_str(), name.c_str(), &block) > 0)
        bytes.assign(block.data, block.data + block.size);
    IStuffDPF->FreeBlock(&block);
    IStuffDPF->Close(handle);
    return bytes;
}

std::vector<uint8_t> Version1Block(SDL_Surface* surface, int posX, int posY, int tileSet, int step,
                                   uint32_t colorKey, uint8_t alpha) {
    const size_t rows = static_cast<size_t>(surface->pitch) * surface->h;
    std::vector<uint8_t> bytes(64 + rows, 0);
    const int32_t header[] = {surface->w, surface->h, posX, posY, tileSet, step};
    for (int i = 0; i < 6; ++i) byte_order::StoreLE32(bytes.data() + 4 * i, static_cast<uint32_t>(header[i]));
    pixel_format_record::Encode(*surface->format, colorKey, alpha, bytes.data() + 24);
    std::memcpy(bytes.data() + 64, surface->pixels, rows);
    return bytes;
}

}  // namespace tile_test
