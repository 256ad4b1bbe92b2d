// SPR2 blocks: round trips at every depth with key, alpha and animation
// records; the version 1 upgrade; damaged blocks refused without harm.
#include <cstring>
#include <functional>
#include <string>

#include "Veltrano_CSprite.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "core/byte_order.h"
#include "sprites/sprite_test_helpers.h"

namespace {

using namespace sprite_test;
using tile_test::AddRawBlock;
using tile_test::BlockBytes;
using tile_test::LiveBlocks;
using tile_test::SameArea;

class SpriteStorageTest : public SpriteTest {};

constexpr int kAnim0 = 24;  // the first animation record of a block

void Put16(std::vector<uint8_t>& bytes, size_t at, int value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}
void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) { byte_order::StoreLE32(bytes.data() + at, value); }

// A sheet of two rows (3 and 2 frames of 4 x 3) saved as block "hero".
std::vector<uint8_t> SavedBlock(int depth, Masks masks, const char* archive = "saved.dpf") {
    SDL_Surface* sheet = SheetSurface(4, 3, {3, 2}, depth, masks);
    Veltrano_CSprite sprite;
    EXPECT_EQ(sprite.Create(sheet, "hero", 4, 3), 2);
    EXPECT_GT(sprite.Save(archive, "SPR2"), 0);
    SDL_FreeSurface(sheet);
    return BlockBytes(archive, "hero", "SPR2");
}

// The version 1 form of a version 2 block: 12-byte animation records with
// 4-byte times, the key field set to key.
std::vector<uint8_t> Version1Of(const std::vector<uint8_t>& v2, uint32_t key) {
    std::vector<uint8_t> v1(v2.begin(), v2.begin() + kAnim0);
    const int anims = static_cast<int>(byte_order::LoadLE32(v2.data() + 16));
    size_t at = kAnim0;
    for (int a = 0; a < anims; ++a) {
        const int frames = v2[at + 4] | v2[at + 5] << 8;
        v1.insert(v1.end(), v2.begin() + static_cast<long>(at), v2.begin() + static_cast<long>(at) + 12);
        at += 64;
        for (int f = 0; f < frames; ++f, at += 16)
            v1.insert(v1.end(), v2.begin() + static_cast<long>(at), v2.begin() + static_cast<long>(at) + 4);
    }
    const size_t record = v1.size();
    v1.insert(v1.end(), v2.begin() + static_cast<long>(at), v2.end());
    Put32(v1, record + 32, key);
    return v1;
}

struct Layout {
    const char* label;
    int depth;
    Masks masks;
};

// Without a screen nothing is converted: the stored sheet comes back, but
// 32 bits without an alpha channel as 24 bits.
TEST_F(SpriteStorageTest, EveryDepthRoundTripsWithKeyAndAlpha) {
    const Layout layouts[] = {{"8-bit", 8, {0, 0, 0, 0}},
                              {"16-bit", 16, tile_test::kRGB565},
                              {"24-bit", 24, tile_test::kRGB24},
                              {"32-bit", 32, tile_test::kXRGB32}};
    int index = 0;
    for (const Layout& layout : layouts) {
        for (bool keyed : {false, true}) {
            SCOPED_TRACE(std::string(layout.label) + (keyed ? " keyed" : ""));
            SDL_Surface* source = SheetSurface(5, 4, {2, 1, 3}, layout.depth, layout.masks);
            const std::string name = "s" + std::to_string(index++);
            Veltrano_CSprite sprite;
            ASSERT_EQ(sprite.Create(source, name.c_str(), 5, 4), 3);
            Uint8 r = 0, g = 0, b = 0;
            SDL_GetRGB(PixelAt(source, 1, 1), source->format, &r, &g, &b);
            sprite.SetColorKey(keyed ? r : -1, g, b);
            sprite.SetAlpha(keyed ? 255 : 77);
            ASSERT_GT(sprite.Save("sprites.dpf", "SPR2"), 0);

            Veltrano_CSprite loaded;
            ASSERT_EQ(loaded.Load("sprites.dpf", name.c_str(), "note"), 3);
            SDL_Surface* sheet = loaded.GetSurface();
            EXPECT_EQ(sheet->format->BitsPerPixel, layout.depth == 32 ? 24 : layout.depth);
            EXPECT_TRUE(SameArea(sheet, 0, 0, source, 0, 0, source->w, source->h));
            EXPECT_EQ((sheet->flags & SDL_SRCCOLORKEY) != 0, keyed);
            if (keyed) {
                EXPECT_EQ(loaded.GetColorKey(), static_cast<int>(SDL_MapRGB(sheet->format, r, g, b)));
            } else {
                EXPECT_EQ(loaded.GetColorKey(), -1);
                EXPECT_EQ(sheet->format->colorkey, 0xFFFFFFFFu);
            }
            EXPECT_EQ(loaded.GetAlpha(), keyed ? 255 : 77);
            EXPECT_EQ((sheet->flags & SDL_SRCALPHA) != 0, !keyed);
            EXPECT_STREQ(loaded.GetName(), name.c_str());
            const std::vector<AnimSummary> anims = Animations(loaded, log);
            ASSERT_EQ(anims.size(), 3u);
            EXPECT_EQ(anims[2].frameCount, 3);
            EXPECT_EQ(anims[2].state, 0x8002);
            if (layout.depth == 8) {
                EXPECT_EQ(std::memcmp(source->format->palette->colors, sheet->format->palette->colors,
                                      256 * sizeof(SDL_Color)),
                          0);
            }
            SDL_FreeSurface(source);
        }
    }
}

TEST_F(SpriteStorageTest, PerPixelAlphaSurvivesAndConvertsWithItsInformationLine) {
    SDL_Surface* source = SheetSurface(4, 4, {2}, 32, tile_test::kRGBA32);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create(source, "glass", 4, 4), 1);
    EXPECT_EQ(sprite.GetAlpha(), 256);
    ASSERT_GT(sprite.Save("sprites.dpf", "SPR2"), 0);
    OpenScreen(32);
    Veltrano_CSprite loaded;
    ASSERT_EQ(loaded.Load("sprites.dpf", "glass", "n"), 1);
    EXPECT_EQ(loaded.GetAlpha(), 256);
    EXPECT_NE(loaded.GetSurface()->format->Amask, 0u);
    EXPECT_TRUE(log.Contains(" . [CSprite->Load('sprites.dpf','glass')] Info: surface with alpha per pixel loaded, it "
                             "could slow down your graphics system.\n"));
    SDL_FreeSurface(source);
}

// With a screen the stored sheet ends in the screen's format, its key the
// same colour there (the 32-bit screen first: the 16-bit one loses bits).
TEST_F(SpriteStorageTest, OnAScreenLoadedSheetsTakeItsFormat) {
    for (int depth : {32, 16}) {
        SCOPED_TRACE(depth);
        SDL_Surface* source = SheetSurface(4, 4, {2}, 32, tile_test::kXRGB32);
        Veltrano_CSprite sprite;
        ASSERT_EQ(sprite.Create(source, "s", 4, 4), 1);
        sprite.SetColorKey(0, 0xFF, 0);
        const std::string archive = "screen" + std::to_string(depth) + ".dpf";
        ASSERT_GT(sprite.Save(archive.c_str(), "SPR2"), 0);
        OpenScreen(depth);
        Veltrano_CSprite loaded;
        ASSERT_EQ(loaded.Load(archive.c_str(), "s", "n"), 1);
        SDL_Surface* sheet = loaded.GetSurface();
        EXPECT_EQ(sheet->format->BitsPerPixel, Veltrano.screen->format->BitsPerPixel);
        EXPECT_EQ(loaded.GetColorKey(), static_cast<int>(SDL_MapRGB(sheet->format, 0, 0xFF, 0)));
        EXPECT_TRUE(SameArea(sheet, 0, 0, source, 0, 0, source->w, source->h) || depth == 16);
        SDL_FreeSurface(source);
    }
}

// Records the SDK cannot make itself (other types, ranges, hot spots,
// times, a position) load as stored and are written back byte for byte.
TEST_F(SpriteStorageTest, AnimationRecordsAndPositionSurviveALoadAndSave) {
    std::vector<uint8_t> block = SavedBlock(24, tile_test::kRGB24);
    Put32(block, 8, static_cast<uint32_t>(-7));
    Put32(block, 12, 300);
    Put16(block, kAnim0 + 0, 4);        // Ping-Pong
    Put16(block, kAnim0 + 2, 0xC003);   // DownRight, index 3
    Put16(block, kAnim0 + 12, 1);       // start
    Put16(block, kAnim0 + 14, 2);       // end
    Put16(block, kAnim0 + 16, -3);      // hot spot
    Put16(block, kAnim0 + 18, 9);
    Put32(block, kAnim0 + 64 + 16, 250);  // second frame's time
    AddRawBlock("edited.dpf", "hero", "SPR2", block);

    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Load("edited.dpf", "hero", "n"), 2);
    const std::vector<AnimSummary> anims = Animations(sprite, log);
    ASSERT_EQ(anims.size(), 2u);
    EXPECT_EQ(anims[0].type, "Ping-Pong");
    EXPECT_EQ(anims[0].state, 0xC003);
    EXPECT_EQ(anims[0].startFrame, 2);
    EXPECT_EQ(anims[0].endFrame, 2);
    EXPECT_EQ(anims[0].hotSpotX, -3);
    EXPECT_EQ(anims[0].hotSpotY, 9);
    EXPECT_EQ(anims[0].times, (std::vector<int>{100, 250, 100}));
    ASSERT_GT(sprite.Save("again.dpf", "SPR2"), 0);
    std::vector<uint8_t> again = BlockBytes("again.dpf", "hero", "SPR2");
    // Loading starts the first animation on its first frame of the range.
    Put16(block, kAnim0 + 6, 1);
    EXPECT_EQ(again, block);
}

// Found by fuzzing: a range left empty at the very end of the frames put the
// current frame past the last one, and the saved block was refused on loading.
TEST_F(SpriteStorageTest, ARangeEmptyAtTheEndSavesABlockThatLoads) {
    std::vector<uint8_t> block = SavedBlock(24, tile_test::kRGB24);
    ASSERT_EQ(block[kAnim0 + 4], 3);  // the first animation's frames
    Put16(block, kAnim0 + 12, 3);     // start and end both the frame count
    Put16(block, kAnim0 + 14, 3);
    AddRawBlock("edited.dpf", "hero", "SPR2", block);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Load("edited.dpf", "hero", "n"), 2);
    ASSERT_GT(sprite.Save("again.dpf", "SPR2"), 0);
    Veltrano_CSprite again;
    EXPECT_EQ(again.Load("again.dpf", "hero", "n"), 2);
}

TEST_F(SpriteStorageTest, ABlockIsLaidOutAtFixedOffsets) {
    const std::vector<uint8_t> bytes = SavedBlock(8, {0, 0, 0, 0});
    // Sheet 16 x 6 at 8 bits: pitch 16, rows 6, palette 1024.
    const size_t records = 2 * 64 + 5 * 16;
    ASSERT_EQ(bytes.size(), 24 + records + 40 + 16 * 6 + 1024);
    const uint32_t header[] = {4, 3, 0, 0, 2, 16};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(byte_order::LoadLE32(bytes.data() + 4 * i), header[i]) << i;
    EXPECT_EQ(bytes[kAnim0], 2);
    EXPECT_EQ(bytes[kAnim0 + 4], 3);
    EXPECT_EQ(bytes[kAnim0 + 14], 3);
    EXPECT_EQ(byte_order::LoadLE32(bytes.data() + kAnim0 + 64), 100u);
    const size_t record = 24 + records;
    EXPECT_EQ(bytes[record + 4], 8);
    EXPECT_EQ(bytes[record + 5], 1);
    EXPECT_EQ(bytes[record + 36], 255);
}

TEST_F(SpriteStorageTest, SavingNeedsASpriteAndCutsTheType) {
    Veltrano_CSprite empty;
    EXPECT_EQ(empty.Save("sprites.dpf", "SPR2"), 0);
    SavedBlock(24, tile_test::kRGB24, "typed.dpf");
    SDL_Surface* sheet = SheetSurface(4, 3, {1}, 24, tile_test::kRGB24);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create(sheet, "other", 4, 3), 1);
    EXPECT_GT(sprite.Save("typed.dpf", "SPRITE2LONG"), 0);
    EXPECT_EQ(LiveBlocks("typed.dpf"), (std::vector<std::string>{"hero/SPR2", "other/SPRITE2"}));
    // The same name again: AddData's refusal comes back.
    EXPECT_EQ(sprite.Save("typed.dpf", "SPRITE2"), -1);
    SDL_FreeSurface(sheet);
}

TEST_F(SpriteStorageTest, MissingSpriteAndRefusedCalls) {
    SavedBlock(24, tile_test::kRGB24, "sprites.dpf");
    Veltrano_CSprite sprite;
    EXPECT_EQ(sprite.Load("sprites.dpf", "nobody", "n"), 0);
    EXPECT_TRUE(log.Contains(" . [CSprite::Load('sprites.dpf','nobody','n')] Error: sprite not found\n"));
    EXPECT_EQ(sprite.Load("sprites.dpf", "hero", nullptr), 0);
    EXPECT_EQ(sprite.Load("missing.dpf", "hero", "n"), 0);
    ASSERT_EQ(sprite.Load("sprites.dpf", "hero", "n"), 2);
    EXPECT_EQ(sprite.Load("sprites.dpf", "hero", "n"), 0);
    EXPECT_TRUE(log.Contains(" . [CSprite::Load('sprites.dpf','hero','n')] Warning: sprite already exists. It is not "
                             "possible to create another one.\n"));
}

TEST_F(SpriteStorageTest, OldBlocksAreUpgradedInPlace) {
    const std::vector<uint8_t> v2 = SavedBlock(24, tile_test::kRGB24);
    AddRawBlock("old.dpf", "hero", "SPR", Version1Of(v2, 0));
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Load("old.dpf", "hero", "n"), 2);
    EXPECT_TRUE(log.Contains(
        " . [CSprite::Load('old.dpf','hero','n')] Info: sprite successfully updated from v1.0 to v2.0.\n"));
    EXPECT_EQ(LiveBlocks("old.dpf"), (std::vector<std::string>{"hero/SPR2"}));
    // A key of 0 meant none.
    EXPECT_EQ(sprite.GetColorKey(), -1);
    std::vector<uint8_t> upgraded = BlockBytes("old.dpf", "hero", "SPR2");
    std::vector<uint8_t> expected = v2;
    Put32(expected, 24 + 2 * 64 + 5 * 16 + 32, 0xFFFFFFFFu);
    EXPECT_EQ(upgraded, expected);

    log.Clear();
    Veltrano_CSprite again;
    ASSERT_EQ(again.Load("old.dpf", "hero", "n"), 2);
    EXPECT_FALSE(log.Contains("updated"));
}

TEST_F(SpriteStorageTest, ADamagedOldBlockLeavesTheArchiveAsItWas) {
    std::vector<uint8_t> v1 = Version1Of(SavedBlock(24, tile_test::kRGB24), 0);
    v1.pop_back();
    AddRawBlock("old.dpf", "hero", "SPR", v1);
    Veltrano_CSprite sprite;
    EXPECT_EQ(sprite.Load("old.dpf", "hero", "n"), 0);
    EXPECT_TRUE(log.Contains(" . [CSprite::Load('old.dpf','hero','n')] Error: the sprite block is damaged: "));
    EXPECT_EQ(LiveBlocks("old.dpf"), (std::vector<std::string>{"hero/SPR"}));
    EXPECT_EQ(BlockBytes("old.dpf", "hero", "SPR"), v1);
    EXPECT_EQ(sprite.GetAlpha(), -1);
}

struct Damage {
    const char* label;
    std::function<void(std::vector<uint8_t>&)> apply;
};

// Each damaged block: a logged refusal, an empty sprite, and an archive
// that still serves the sound block stored beside it.
TEST_F(SpriteStorageTest, DamagedBlocksAreRefused) {
    const std::vector<uint8_t> good = SavedBlock(24, tile_test::kRGB24, "good.dpf");
    const size_t record = 24 + 2 * 64 + 5 * 16;
    const Damage damages[] = {
        {"shorter than its header", [](std::vector<uint8_t>& b) { b.resize(20); }},
        {"no animations", [](std::vector<uint8_t>& b) { Put32(b, 16, 0); }},
        {"negative animations", [](std::vector<uint8_t>& b) { Put32(b, 16, 0xFFFFFFFFu); }},
        {"absurd animations", [](std::vector<uint8_t>& b) { Put32(b, 16, 0x7FFFFFFF); }},
        {"zero frame width", [](std::vector<uint8_t>& b) { Put32(b, 0, 0); }},
        {"negative frame height", [](std::vector<uint8_t>& b) { Put32(b, 4, 0xFFFFFFF0u); }},
        {"huge frame height", [](std::vector<uint8_t>& b) { Put32(b, 4, 0x40000000); }},
        {"width not whole frames", [](std::vector<uint8_t>& b) { Put32(b, 20, 15); }},
        {"width too small for a row", [](std::vector<uint8_t>& b) { Put16(b, kAnim0 + 4, 5); }},
        {"frames past the end", [](std::vector<uint8_t>& b) { Put16(b, kAnim0 + 64 + 3 * 16 + 4, 0xFFFF); }},
        {"range past the frames", [](std::vector<uint8_t>& b) { Put16(b, kAnim0 + 14, 4); }},
        {"start after end", [](std::vector<uint8_t>& b) { Put16(b, kAnim0 + 12, 3); Put16(b, kAnim0 + 14, 2); }},
        {"current frame outside", [](std::vector<uint8_t>& b) { Put16(b, kAnim0 + 6, 3); }},
        {"impossible depth", [](std::vector<uint8_t>& b) { b[record + 4] = 13; }},
        {"depth and bytes disagree", [](std::vector<uint8_t>& b) { b[record + 5] = 4; }},
        {"format record cut off", [](std::vector<uint8_t>& b) { b.resize(record + 20); }},
        {"pixels missing", [](std::vector<uint8_t>& b) { b.pop_back(); }},
        {"pixels left over", [](std::vector<uint8_t>& b) { b.push_back(0); }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.label);
        std::vector<uint8_t> bytes = good;
        damage.apply(bytes);
        const std::string archive = std::string(damage.label) + ".dpf";
        AddRawBlock(archive, "hero", "SPR2", bytes);
        AddRawBlock(archive, "beside", "SPR2", good);
        log.Clear();
        Veltrano_CSprite sprite;
        EXPECT_EQ(sprite.Load(archive.c_str(), "hero", "n"), 0);
        EXPECT_TRUE(
            log.Contains(" . [CSprite::Load('" + archive + "','hero','n')] Error: the sprite block is damaged: "))
            << log.Text();
        EXPECT_EQ(sprite.GetAlpha(), -1);
        EXPECT_EQ(sprite.GetSurface(), nullptr);
        EXPECT_EQ(sprite.Load(archive.c_str(), "beside", "n"), 2);
    }
}

}  // namespace
