// TILE2/TILB2 blocks: round trips of pixels, key, alpha, position and grid;
// the version 1 upgrade; types; damaged blocks refused without harm.
#include <sys/resource.h>

#include <csignal>
#include <cstring>

#include "Veltrano_CTile.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "core/byte_order.h"
#include "tiles/tile_block.h"
#include "support/tile_test_helpers.h"

namespace {

using namespace tile_test;

class TileStorageTest : public TileTest {};

struct Layout {
    const char* label;
    int depth;
    Masks masks;
};

// Without a screen nothing is converted: what loads is the stored surface,
// except that 32 bits without per-pixel alpha come back as 24 bits.
TEST_F(TileStorageTest, EveryDepthRoundTripsWithKeyAlphaPositionAndGrid) {
    const Layout layouts[] = {{"8-bit", 8, {0, 0, 0, 0}},
                              {"16-bit", 16, kRGB565},
                              {"24-bit", 24, kRGB24},
                              {"32-bit", 32, kXRGB32}};
    int index = 0;
    for (const Layout& layout : layouts) {
        for (bool keyed : {false, true}) {
            SCOPED_TRACE(std::string(layout.label) + (keyed ? " keyed" : ""));
            SDL_Surface* source = PatternSurface(13, 7, layout.depth, layout.masks, index + 1);
            const Uint32 key = layout.depth == 8 ? 5 : (layout.masks.r & 0x00FF00FF);
            if (keyed) SDL_SetColorKey(source, SDL_SRCCOLORKEY, key);
            const std::string name = "t" + std::to_string(index++);
            Veltrano_CTile tile;
            ASSERT_EQ(tile.Create(source, name.c_str()), 1);
            tile.SetPosition(-3, 40);
            tile.SetAlpha(keyed ? 255 : 77);
            tile.SetTileSet(1, 4, 3);
            ASSERT_GT(tile.Save("tiles.dpf", "TILB2"), 0);

            Veltrano_CTile loaded;
            ASSERT_EQ(loaded.Load("tiles.dpf", name.c_str(), "TILB2"), 1);
            SDL_Surface* surface = loaded.GetSurface();
            if (layout.depth == 32) {
                EXPECT_EQ(surface->format->BitsPerPixel, 24);
                EXPECT_TRUE(SameArea(surface, 0, 0, source, 0, 0, 13, 7));
            } else {
                EXPECT_EQ(FirstPixelDifference(surface, source), "");
            }
            const Uint32 storedKey = layout.depth == 32 ? SDL_MapRGB(surface->format, 0xFF, 0, 0) : key;
            EXPECT_EQ(loaded.GetColorKey(), keyed ? static_cast<int>(storedKey) : -1);
            EXPECT_EQ((surface->flags & SDL_SRCCOLORKEY) != 0, keyed);
            EXPECT_EQ(surface->format->colorkey, keyed ? storedKey : 0xFFFFFFFFu);
            EXPECT_EQ(loaded.GetAlpha(), keyed ? 255 : 77);
            EXPECT_EQ((surface->flags & SDL_SRCALPHA) != 0, !keyed);
            EXPECT_EQ(loaded.GetPosX(), -3);
            EXPECT_EQ(loaded.GetPosY(), 40);
            int x = 0, y = 0;
            EXPECT_EQ(loaded.GetOffset(&x, &y), 1);
            EXPECT_EQ(x, 4);
            EXPECT_EQ(y, 3);
            EXPECT_STREQ(loaded.GetName(), name.c_str());
            if (layout.depth == 8) {
                EXPECT_EQ(std::memcmp(source->format->palette->colors, surface->format->palette->colors,
                                      256 * sizeof(SDL_Color)),
                          0);
            }
            SDL_FreeSurface(source);
        }
    }
}

TEST_F(TileStorageTest, PerPixelAlphaSurvivesAndConvertsWithItsInformationLine) {
    SDL_Surface* source = PatternSurface(9, 5, 32, kRGBA32);
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Create(source, "glass"), 1);
    ASSERT_GT(tile.Save("tiles.dpf", "TILE2"), 0);
    OpenScreen(32);
    Veltrano_CTile loaded;
    ASSERT_EQ(loaded.Load("tiles.dpf", "glass", "TILE2"), 1);
    EXPECT_EQ(loaded.GetAlpha(), 256);
    EXPECT_NE(loaded.GetSurface()->format->Amask, 0u);
    EXPECT_TRUE(log.Contains("[CTile::Load('tiles.dpf','glass')] Info: surface with alpha per pixel loaded, it could "
                             "slow down your graphics system.\n"));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x) {
            Uint8 r1, g1, b1, a1, r2, g2, b2, a2;
            SDL_GetRGBA(PixelAt(source, x, y), source->format, &r1, &g1, &b1, &a1);
            SDL_GetRGBA(PixelAt(loaded.GetSurface(), x, y), loaded.GetSurface()->format, &r2, &g2, &b2, &a2);
            ASSERT_EQ(a1, a2);
            ASSERT_EQ(r1, r2);
        }
    SDL_FreeSurface(source);
}

TEST_F(TileStorageTest, ABlockIsLaidOutAsStored) {
    SDL_Surface* source = PatternSurface(3, 2, 8, {0, 0, 0, 0});
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Create(source, "p"), 1);
    tile.SetTileSet(1, 1, 2);
    ASSERT_GT(tile.Save("tiles.dpf", "TILE2"), 0);
    const std::vector<uint8_t> bytes = BlockBytes("tiles.dpf", "p", "TILE2");
    // Pitch 4: L = 2 x 4 + 1024; size 128 + L; grid step y after the palette.
    const size_t L = 8 + 1024;
    ASSERT_EQ(bytes.size(), 128 + L);
    EXPECT_EQ(byte_order::LoadLE32(bytes.data() + 16), 1u);
    EXPECT_EQ(byte_order::LoadLE32(bytes.data() + 20), 1u);
    EXPECT_EQ(byte_order::LoadLE32(bytes.data() + 64 + L), 2u);
    EXPECT_EQ(byte_order::LoadLE32(bytes.data() + 24 + 32), 0xFFFFFFFFu);
    EXPECT_EQ(bytes[24 + 36], 255);
    for (size_t i = 68 + L; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0) << i;
    const int handle = IStuffDPF->Open("tiles.dpf");
    DPF_BlockData block{};
    std::strcpy(block.name, "p");
    std::strcpy(block.type, "TILE2");
    ASSERT_EQ(IStuffDPF->Search(handle, &block), 1);
    EXPECT_EQ(block.storage, 0) << "stored compressed";
    IStuffDPF->Close(handle);
    SDL_FreeSurface(source);
}

TEST_F(TileStorageTest, Version1BlocksAreUpgradedInPlaceOnce) {
    SDL_Surface* source = PatternSurface(20, 10, 24, kRGB24);
    AddRawBlock("old.dpf", "wall", "TILE", Version1Block(source, 7, 8, 1, 5, 0, 255));
    char type[8] = "TILE";
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Load("old.dpf", "wall", type), 1);
    EXPECT_STREQ(type, "TILE") << "the caller's text is left alone";
    EXPECT_TRUE(log.Contains(" . [CTile::Load('old.dpf','wall','TILE')] Info: tile successfully updated from v1.0 "
                             "to v2.0.\n"));
    EXPECT_EQ(LiveBlocks("old.dpf"), std::vector<std::string>{"wall/TILE2"});
    // The one step serves both directions; a key of 0 meant none.
    int x = 0, y = 0;
    EXPECT_EQ(tile.GetOffset(&x, &y), 1);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 5);
    EXPECT_EQ(tile.GetColorKey(), -1);
    EXPECT_EQ(tile.GetPosX(), 7);
    EXPECT_EQ(FirstPixelDifference(tile.GetSurface(), source), "");

    log.Clear();
    Veltrano_CTile again;
    ASSERT_EQ(again.Load("old.dpf", "wall", "TILE"), 1);
    EXPECT_FALSE(log.Contains("updated"));
    EXPECT_FALSE(log.Contains("Warning: datablock was not found"));
    SDL_FreeSurface(source);
}

// Caps the size any file of this process may grow to until destruction.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit capped = previous_;
        capped.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &capped);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = SIG_DFL;
};

TEST_F(TileStorageTest, AnUpgradeThatCannotBeStoredKeepsTheOldBlockAndAnEmptyTile) {
    // Noise far larger than the log, so the cap stops the archive only.
    SDL_Surface* source = PatternSurface(200, 200, 24, kRGB24);
    AddRawBlock("old.dpf", "wall", "TILB", Version1Block(source, 0, 0, 0, 0, 0, 255));
    const std::string before = testing_support::ReadFile("old.dpf");
    Veltrano_CTile tile;
    {
        FileSizeLimit limit(before.size() + 4096);
        EXPECT_EQ(tile.Load("old.dpf", "wall", "TILB2"), 0);
    }
    EXPECT_TRUE(log.Contains(" . [CTile::Load('old.dpf','wall','TILB2')] Error: update to v2.0 was not possible.\n"));
    EXPECT_EQ(tile.GetSurface(), nullptr);
    EXPECT_EQ(LiveBlocks("old.dpf"), std::vector<std::string>{"wall/TILB"});
    EXPECT_EQ(tile.Load("old.dpf", "wall", "TILB"), 1) << "the old block still loads";
    SDL_FreeSurface(source);
}

TEST_F(TileStorageTest, SaveStoresTheVersion2LayoutUnderAVersion2Type) {
    SDL_Surface* source = PatternSurface(6, 6, 24, kRGB24);
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Create(source, "t"), 1);
    ASSERT_GT(tile.Save("tiles.dpf", "TILE"), 0);
    EXPECT_EQ(LiveBlocks("tiles.dpf"), std::vector<std::string>{"t/TILE2"});
    EXPECT_EQ(tile.Save("tiles.dpf", "TILE2"), -1) << "AddData's answer for an existing block";
    Veltrano_CTile loaded;
    EXPECT_EQ(loaded.Load("tiles.dpf", "t", "TILE"), 1);
    EXPECT_EQ(Veltrano_CTile().Save("tiles.dpf", "TILE2"), 0) << "an empty tile saves nothing";
    SDL_FreeSurface(source);
}

TEST_F(TileStorageTest, RefusesUnknownTypesMissingTilesAndBusyTiles) {
    SDL_Surface* source = PatternSurface(6, 6, 24, kRGB24);
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Create(source, "t"), 1);
    ASSERT_GT(tile.Save("tiles.dpf", "TILE2"), 0);
    Veltrano_CTile other;
    EXPECT_EQ(other.Load("tiles.dpf", "t", "IMG"), 0);
    EXPECT_TRUE(log.Contains(" . [CTile::Load('tiles.dpf','t','IMG')] Error: the typeblock is not supported.\n"));
    EXPECT_EQ(other.Load("tiles.dpf", "nothing", "TILB"), 0);
    EXPECT_TRUE(log.Contains(" . [CTile::Load('tiles.dpf','nothing','TILB')] Error: tile not found.\n"));
    EXPECT_EQ(tile.Load("tiles.dpf", "t", "TILE2"), 0);
    EXPECT_TRUE(log.Contains(" . [CTile::Load('tiles.dpf','t','TILE2')] Warning: tile already exists."));
    EXPECT_EQ(other.Load(0, "t", "TILE2"), 0);
    EXPECT_EQ(other.Load("tiles.dpf", nullptr, "TILE2"), 0);
    EXPECT_EQ(other.Load("tiles.dpf", "t", nullptr), 0);
    SDL_FreeSurface(source);
}

// Header fields of a version 2 block of a 4 x 2, 24-bit tile.
std::vector<uint8_t> GoodBlock() {
    SDL_Surface* source = PatternSurface(4, 2, 24, kRGB24);
    const tile_block::Fields fields{0, 0, false, 0, 0, 0xFFFFFFFFu, 255};
    std::vector<uint8_t> bytes = tile_block::Build(source, fields);
    SDL_FreeSurface(source);
    return bytes;
}

TEST_F(TileStorageTest, DamagedBlocksAreRefusedWithoutHarm) {
    struct Damage {
        const char* label;
        void (*apply)(std::vector<uint8_t>&);
    };
    const Damage damages[] = {
        {"shorter than the header", [](std::vector<uint8_t>& b) { b.resize(40); }},
        {"shorter than its rows", [](std::vector<uint8_t>& b) { b.resize(64 + 10); }},
        {"missing its tail", [](std::vector<uint8_t>& b) { b.resize(b.size() - 1); }},
        {"zero width", [](std::vector<uint8_t>& b) { byte_order::StoreLE32(b.data(), 0); }},
        {"negative height", [](std::vector<uint8_t>& b) { byte_order::StoreLE32(b.data() + 4, 0xFFFFFFF0u); }},
        {"product beyond 32 bits",
         [](std::vector<uint8_t>& b) {
             byte_order::StoreLE32(b.data(), 0x4000);
             byte_order::StoreLE32(b.data() + 4, 0x40000);
         }},
        {"pitch beyond SDL", [](std::vector<uint8_t>& b) { byte_order::StoreLE32(b.data(), 0x7FFFFFFF); }},
        {"bits and bytes disagree", [](std::vector<uint8_t>& b) { b[24 + 5] = 4; }},
        {"unknown depth", [](std::vector<uint8_t>& b) { b[24 + 4] = 12; }},
        {"overlapping masks", [](std::vector<uint8_t>& b) { byte_order::StoreLE32(b.data() + 24 + 20, 0xFF0000); }},
    };
    int index = 0;
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.label);
        std::vector<uint8_t> bytes = GoodBlock();
        damage.apply(bytes);
        const std::string name = "bad" + std::to_string(index++);
        AddRawBlock("bad.dpf", name, "TILE2", bytes);
        log.Clear();
        Veltrano_CTile tile;
        EXPECT_EQ(tile.Load("bad.dpf", name.c_str(), "TILE2"), 0);
        EXPECT_TRUE(log.Contains("','TILE2')] Error: the tile block is damaged.\n")) << log.Text();
        EXPECT_EQ(tile.GetSurface(), nullptr);
    }
    // A damaged version 1 block is not upgraded: the archive stays as it was.
    std::vector<uint8_t> v1 = GoodBlock();
    v1.resize(v1.size() - 64 - 3);
    AddRawBlock("bad.dpf", "old", "TILE", v1);
    const std::string before = testing_support::ReadFile("bad.dpf");
    Veltrano_CTile tile;
    EXPECT_EQ(tile.Load("bad.dpf", "old", "TILE"), 0);
    EXPECT_EQ(testing_support::ReadFile("bad.dpf"), before);
}

TEST_F(TileStorageTest, APalettedKeyBeyondThePaletteIsRefused) {
    SDL_Surface* source = PatternSurface(4, 4, 8, {0, 0, 0, 0});
    const tile_block::Fields fields{0, 0, false, 0, 0, 300, 255};
    AddRawBlock("bad.dpf", "p", "TILE2", tile_block::Build(source, fields));
    Veltrano_CTile tile;
    EXPECT_EQ(tile.Load("bad.dpf", "p", "TILE2"), 0);
    SDL_FreeSurface(source);
}

}  // namespace
