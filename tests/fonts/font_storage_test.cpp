// "FONT2" blocks: round trips of pixels, kerning and alpha, the "FONT"
// upgrade, damaged blocks, and what Clean keeps.
#include <SDL.h>

#include <algorithm>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "Veltrano_CFont.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "core/byte_order.h"
#include "support/font_test_helpers.h"

namespace font_test {
namespace {

class FontStorageTest : public FontTest {
protected:
    // Adds bytes as a raw block of the archive.
    static void AddBlock(int handle, const char* type, const char* name, std::vector<uint8_t> bytes) {
        DPF_BlockData block{};
        std::strcpy(block.type, type);
        std::strcpy(block.name, name);
        block.storage = 1;
        block.size = static_cast<int>(bytes.size());
        block.data = reinterpret_cast<char*>(bytes.data());
        ASSERT_GT(IStuffDPF->AddData(handle, &block), 0);
    }
    static std::vector<uint8_t> LoadBytes(int handle, const char* type, const char* name) {
        DPF_BlockData block{};
        if (IStuffDPF->LoadBlock(handle, type, name, &block) <= 0) return {};
        std::vector<uint8_t> bytes(block.data, block.data + block.size);
        IStuffDPF->FreeBlock(&block);
        return bytes;
    }
    static bool HasBlock(int handle, const char* type, const char* name) {
        DPF_BlockData block{};
        std::strcpy(block.type, type);
        std::strcpy(block.name, name);
        return IStuffDPF->Search(handle, &block) == 1;
    }
    // The block a 24-bit font of the test image saves.
    std::vector<uint8_t> SavedBlock(int kerning = 0) {
        SDL_Surface* image = MakeFontImage({});
        Veltrano_CFont font;
        EXPECT_EQ(font.Create(image), 96);
        font.SetKerning(kerning);
        const int handle = IStuffDPF->Create("source.dpf");
        EXPECT_GT(font.Save(handle, "f"), 0);
        std::vector<uint8_t> bytes = LoadBytes(handle, "FONT2", "f");
        IStuffDPF->Close(handle);
        SDL_FreeSurface(image);
        return bytes;
    }
};

TEST_F(FontStorageTest, SavedFontsLoadWithTheirPixelsKerningAlphaAndName) {
    for (const FontImage spec : {FontImage{16}, FontImage{24}, FontImage{32, true}}) {
        SCOPED_TRACE(spec.depth);
        SDL_Surface* image = MakeFontImage(spec);
        Veltrano_CFont font;
        ASSERT_EQ(font.Create(image), 96);
        font.SetKerning(-2);
        font.SetAlpha(140);
        ASSERT_GT(font.Save("fonts.dpf", ("d" + std::to_string(spec.depth)).c_str()), 0);
        Veltrano_CFont again;
        ASSERT_EQ(again.Load("fonts.dpf", ("d" + std::to_string(spec.depth)).c_str()), 1);
        EXPECT_EQ(FirstPixelDifference(font.GetSurface(), again.GetSurface()), "");
        EXPECT_EQ(again.GetKerning(), -2);
        EXPECT_EQ(again.GetAlpha(), spec.alphaChannel ? 256 : 140);
        EXPECT_STREQ(again.GetName(), ("d" + std::to_string(spec.depth)).c_str());
        EXPECT_EQ(again.StringWidth("Hello, world!"), font.StringWidth("Hello, world!"));
        SDL_FreeSurface(image);
    }
}

TEST_F(FontStorageTest, TheBlockHoldsRowsKerningAndZerosAndNoMagenta) {
    const std::vector<uint8_t> bytes = SavedBlock(7);
    const FontImage spec;
    const int pitch = (ImageWidth(spec) * 3 + 3) / 4 * 4;
    const size_t rows = static_cast<size_t>(pitch) * spec.height;
    ASSERT_EQ(bytes.size(), rows + 180);
    EXPECT_EQ(byte_order::LoadLE32(bytes.data()), static_cast<uint32_t>(ImageWidth(spec)));
    EXPECT_EQ(byte_order::LoadLE32(bytes.data() + 4), static_cast<uint32_t>(spec.height));
    EXPECT_EQ(byte_order::LoadLE32(bytes.data() + 48 + rows), 7u);
    for (size_t i = 48 + rows + 4; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0) << i;
    // The mark row went back to the background before the rows were stored.
    for (size_t i = 48; i + 2 < 48 + rows; i += 3)
        ASSERT_FALSE(bytes[i] == 255 && bytes[i + 1] == 0 && bytes[i + 2] == 255) << i;
}

TEST_F(FontStorageTest, VersionOneBlocksAreUpgradedInPlace) {
    std::vector<uint8_t> bytes = SavedBlock(5);
    bytes.resize(bytes.size() - 132);  // a "FONT" block has no kerning
    const int handle = IStuffDPF->Create("old.dpf");
    AddBlock(handle, "FONT", "old", bytes);
    Veltrano_CFont font;
    ASSERT_EQ(font.Load(handle, "old"), 1);
    EXPECT_EQ(font.GetKerning(), 0);
    EXPECT_TRUE(log.Contains(" . [CFont::Load('old.dpf','old')] Info: font successfully updated from v1.0 to "
                             "v2.0.\n"));
    EXPECT_FALSE(HasBlock(handle, "FONT", "old"));
    const std::vector<uint8_t> upgraded = LoadBytes(handle, "FONT2", "old");
    ASSERT_EQ(upgraded.size(), bytes.size() + 132);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), upgraded.begin()));
    IStuffDPF->Close(handle);
}

TEST_F(FontStorageTest, AFailedUpgradeKeepsTheOldBlock) {
    std::vector<uint8_t> bytes = SavedBlock();
    bytes.resize(bytes.size() - 132);
    const int handle = IStuffDPF->Create("old.dpf");
    AddBlock(handle, "FONT", "old", bytes);
    IStuffDPF->Flush(handle);
    Veltrano_CFont font;
    {
        // The archive cannot grow: the upgraded block cannot be added.
        testing_support::FileSizeLimit limit(static_cast<rlim_t>(testing_support::ReadFile("old.dpf").size()));
        ASSERT_TRUE(limit.active());
        EXPECT_EQ(font.Load(handle, "old"), 0);
    }
    EXPECT_TRUE(log.Contains(" . [CFont::Load('old.dpf','old')] Error: update to v2.0 was not possible.\n"));
    EXPECT_EQ(font.GetSurface(), nullptr);
    EXPECT_TRUE(HasBlock(handle, "FONT", "old"));
    IStuffDPF->Close(handle);
}

TEST_F(FontStorageTest, DamagedBlocksAreRefusedAndKept) {
    const std::vector<uint8_t> good = SavedBlock();
    auto with = [&](size_t offset, uint32_t value) {
        std::vector<uint8_t> bytes = good;
        byte_order::StoreLE32(bytes.data() + offset, value);
        return bytes;
    };
    std::vector<uint8_t> paletted = good;
    paletted[8 + 4] = 8;
    paletted[8 + 5] = 1;
    std::vector<uint8_t> disagreeing = good;
    disagreeing[8 + 5] = 4;  // 24 bits in 4 bytes
    const std::vector<std::vector<uint8_t>> damaged = {
        std::vector<uint8_t>(good.begin(), good.begin() + 47),   // shorter than the header
        std::vector<uint8_t>(good.begin(), good.end() - 181),   // shorter than its rows
        with(0, 0), with(4, 0), with(0, 0xFFFFFFF0u), with(4, 0x80000000u),
        with(0, 20000), with(4, 0x7FFFFFFF),  // rows far beyond the block; 64-bit products
        paletted, disagreeing,
    };
    const int handle = IStuffDPF->Create("damaged.dpf");
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        const std::string name = "bad" + std::to_string(i);
        AddBlock(handle, "FONT2", name.c_str(), damaged[i]);
        Veltrano_CFont font;
        log.Clear();
        EXPECT_EQ(font.Load(handle, name.c_str()), 0);
        EXPECT_TRUE(log.Contains(" . [CFont::Load('damaged.dpf','" + name + "')] Error: "));
        EXPECT_EQ(font.GetSurface(), nullptr);
        EXPECT_EQ(font.GetAlpha(), -1);
        EXPECT_TRUE(HasBlock(handle, "FONT2", name.c_str()));
    }
    // A stored image that cannot be cut is reported with Create's result.
    std::vector<uint8_t> blank = good;
    std::fill(blank.begin() + 48, blank.end() - 132, 0);
    AddBlock(handle, "FONT2", "blank", blank);
    Veltrano_CFont font;
    EXPECT_EQ(font.Load(handle, "blank"), 0);
    EXPECT_TRUE(log.Contains(" . [CFont::Load('damaged.dpf','blank')] Error: internal failure (255).\n"));
    IStuffDPF->Close(handle);
}

TEST_F(FontStorageTest, LoadAndSaveRefusals) {
    Veltrano_CFont font;
    EXPECT_EQ(font.Save("x.dpf", "f"), 0);  // empty font
    const int handle = IStuffDPF->Create("fonts.dpf");
    EXPECT_EQ(font.Load(handle, "nothing"), 0);
    EXPECT_TRUE(log.Contains(" . [CFont::Load('fonts.dpf','nothing')] Error: font not found\n"));
    EXPECT_EQ(font.Load(0, "nothing"), 0);
    SDL_Surface* image = MakeFontImage({});
    ASSERT_EQ(font.Create(image), 96);
    EXPECT_EQ(font.Save(handle, nullptr), 0);
    EXPECT_EQ(font.Save(-1, "f"), 0);
    EXPECT_EQ(font.Save(handle, "a name that is longer than 31 chars"), 0);
    ASSERT_GT(font.Save(handle, "f"), 0);
    EXPECT_EQ(font.Save(handle, "f"), -1);  // the archive refuses a second block of that name
    EXPECT_EQ(font.Load(handle, "f"), 0);
    EXPECT_TRUE(log.Contains(" . [CFont::Load('fonts.dpf','f')] Warning: font already exists. It is not possible "
                             "to create another one.\n"));
    IStuffDPF->Close(handle);
    SDL_FreeSurface(image);
}

TEST_F(FontStorageTest, CleanKeepsKerningNameAndCursorForTheNextFont) {
    SDL_Surface* image = MakeFontImage({});
    Veltrano_CFont font;
    EXPECT_EQ(font.GetAlpha(), -1);
    EXPECT_EQ(font.GetName(), nullptr);
    font.SetCursorChar('_');
    ASSERT_EQ(font.Create(image), 96);
    EXPECT_STREQ(font.GetName(), "Created on execution time");
    font.SetKerning(4);
    font.SetName("title");
    font.SetName("a name that is far too long for a font");
    font.SetAlpha(300);
    EXPECT_EQ(font.GetAlpha(), 255);
    font.SetAlpha(100);
    font.Clean();
    EXPECT_EQ(font.GetKerning(), 0);
    EXPECT_EQ(font.GetName(), nullptr);
    EXPECT_EQ(font.GetAlpha(), -1);
    EXPECT_EQ(font.GetCursorChar(), '_');
    ASSERT_EQ(font.Create(image), 96);
    EXPECT_EQ(font.GetKerning(), 4);
    EXPECT_STREQ(font.GetName(), "title");
    EXPECT_EQ(font.GetAlpha(), 255);
    SDL_FreeSurface(image);
}

TEST_F(FontStorageTest, InfoAndCounting) {
    const int before = Veltrano.fontCount;
    {
        Veltrano_CFont font;
        EXPECT_EQ(Veltrano.fontCount, before + 1);
        font.Info();
        EXPECT_TRUE(log.Contains("\n . Font information: current font is empty.\n"));
        SDL_Surface* image = MakeFontImage({});
        ASSERT_EQ(font.Create(image), 96);
        font.SetKerning(2);
        font.SetAlpha(128);
        log.Clear();
        font.Info();
        const SDL_Surface* s = font.GetSurface();
        const std::string expected = "\n . Font information of 'Created on execution time':\n"
                                     "      -> Surface of " + std::to_string(s->pitch * s->h / 1024) +
                                     " Kb located at system memory\n"
                                     "      -> Font size: " + std::to_string(s->w) +
                                     "x9 - Color depth: 24bits - Kerning: 2\n"
                                     "      -> Alpha blending: per-surface (128) - Colorkey: RGB(0,0,0)\n\n";
        EXPECT_NE(log.Text().find(expected), std::string::npos) << log.Text();
        SDL_FreeSurface(image);
    }
    EXPECT_EQ(Veltrano.fontCount, before);
}

}  // namespace
}  // namespace font_test
