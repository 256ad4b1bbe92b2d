// The sprite block fuzzer's seeds: valid blocks of every depth with several
// animations, in both versions. Each seed is one byte (even "SPR2", odd
// "SPR") followed by the block. With VELTRANO_SPRITE_SEED_DIR set the seeds
// are written there, which is how fuzz/corpus/sprite_block is made;
// otherwise the committed seeds are checked to load.
#include <cstdlib>
#include <filesystem>

#include "Veltrano_CSprite.h"
#include "core/byte_order.h"
#include "sprites/sprite_test_helpers.h"

namespace {

namespace fs = std::filesystem;
using namespace sprite_test;

class SpriteFuzzSeeds : public SpriteTest {};

struct Seed {
    const char* file;
    int depth;
    Masks masks;
    std::vector<int> rows;
    bool version1;
};

// The version 1 form: 12-byte animation records, 4-byte times.
std::vector<uint8_t> Version1Of(const std::vector<uint8_t>& v2) {
    std::vector<uint8_t> v1(v2.begin(), v2.begin() + 24);
    const int anims = static_cast<int>(byte_order::LoadLE32(v2.data() + 16));
    auto at = v2.begin() + 24;
    for (int a = 0; a < anims; ++a) {
        const int frames = at[4] | at[5] << 8;
        v1.insert(v1.end(), at, at + 12);
        at += 64;
        for (int f = 0; f < frames; ++f, at += 16) v1.insert(v1.end(), at, at + 4);
    }
    v1.insert(v1.end(), at, v2.end());
    return v1;
}

TEST_F(SpriteFuzzSeeds, SeedsAreValidBlocks) {
    const char* out = std::getenv("VELTRANO_SPRITE_SEED_DIR");
    if (out != nullptr) {
        const Seed seeds[] = {{"v2-8", 8, {0, 0, 0, 0}, {2, 1, 3}, false},
                              {"v2-16-keyed", 16, tile_test::kRGB565, {3, 2}, false},
                              {"v2-24", 24, tile_test::kRGB24, {1, 2, 0}, false},
                              {"v2-32-alpha", 32, tile_test::kRGBA32, {2, 2}, false},
                              {"v1-24", 24, tile_test::kRGB24, {2, 1}, true}};
        int index = 0;
        for (const Seed& seed : seeds) {
            SDL_Surface* sheet = SheetSurface(3, 2, seed.rows, seed.depth, seed.masks);
            const std::string name = "seed" + std::to_string(index++);
            Veltrano_CSprite sprite;
            ASSERT_GT(sprite.Create(sheet, name.c_str(), 3, 2), 0);
            sprite.SetAlpha(seed.depth == 16 ? 200 : 255);
            ASSERT_GT(sprite.Save("seeds.dpf", "SPR2"), 0);
            std::vector<uint8_t> block = tile_test::BlockBytes("seeds.dpf", name, "SPR2");
            if (seed.version1) block = Version1Of(block);
            testing_support::WriteFile(std::string(out) + "/" + seed.file,
                                       std::string(1, seed.version1 ? '\1' : '\0') +
                                           std::string(block.begin(), block.end()));
            SDL_FreeSurface(sheet);
        }
    }
    const fs::path folder = fs::path(std::getenv("VELTRANO_SOURCE_DIR")) / "fuzz" / "corpus" / "sprite_block";
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().string());
        const std::string bytes = testing_support::ReadFile(entry.path().string());
        ASSERT_GE(bytes.size(), 2u);
        const char* type = (bytes[0] & 1) ? "SPR" : "SPR2";
        const std::string name = "loaded" + std::to_string(count++);
        tile_test::AddRawBlock("check.dpf", name, type, std::vector<uint8_t>(bytes.begin() + 1, bytes.end()));
        Veltrano_CSprite sprite;
        EXPECT_GE(sprite.Load("check.dpf", name.c_str(), "seed"), 2);
    }
    EXPECT_GE(count, 5);
}

}  // namespace
