// Widgets made from archive pictures and the "BUT" header: creation and its
// refusals, saving with its result codes, loading, headers and deletion.
#include <cstring>

#include "gui/button_block.h"
#include "gui/button_test_helpers.h"
#include "support/tile_test_helpers.h"

using button_test::ButtonTest;
using tile_test::AddRawBlock;
using tile_test::BlockBytes;
using tile_test::LiveBlocks;

namespace {

std::vector<uint8_t> StoredHeader(int type, int key, int selectColor, int x, int y, int range, int value) {
    std::vector<uint8_t> bytes(24, 0);
    const uint8_t garbage[4] = {0xDE, 0xAD, 0xBE, 0xEF};  // a stored pointer means nothing
    std::memcpy(bytes.data(), garbage, 4);
    bytes[4] = static_cast<uint8_t>(key);
    bytes[5] = static_cast<uint8_t>(key >> 8);
    bytes[6] = static_cast<uint8_t>(type);
    for (int i = 0; i < 4; ++i) bytes[8 + i] = static_cast<uint8_t>(selectColor >> (8 * i));
    bytes[12] = static_cast<uint8_t>(x);
    bytes[13] = static_cast<uint8_t>(x >> 8);
    bytes[14] = static_cast<uint8_t>(y);
    bytes[15] = static_cast<uint8_t>(y >> 8);
    bytes[16] = static_cast<uint8_t>(range);
    bytes[17] = static_cast<uint8_t>(range >> 8);
    for (int i = 0; i < 4; ++i) bytes[20 + i] = static_cast<uint8_t>(value >> (8 * i));
    return bytes;
}

class ButtonStorageTest : public ButtonTest {
protected:
    // Closes the test archive so raw blocks can be added to the file, then
    // opens it again.
    void AddRaw(const std::string& name, const std::vector<uint8_t>& bytes) {
        IStuffDPF->Close(dpf);
        AddRawBlock(archivePath, name, "BUT", bytes);
        dpf = IStuffDPF->Open(archivePath.c_str());
        ASSERT_GT(dpf, 0);
    }
    int tilesBefore = 0;
    void SetUp() override {
        ButtonTest::SetUp();
        tilesBefore = Veltrano.tileCount;
    }
};

}  // namespace

TEST_F(ButtonStorageTest, IdsFollowLayerAndSlotAndMastersStartAt1000) {
    IButton->SetLayer(3);
    EXPECT_EQ(Make("a", 1, 10, 10), 301);
    StorePictures("b", 1);
    IButtonNew desc = Desc(1);
    EXPECT_EQ(IButton->Create(&desc, "b", 0, dpf), 302);
    EXPECT_EQ(IButton->Create(&desc, "b", 1, dpf), 1000);
    EXPECT_EQ(IButton->GetNum(), 2);
    EXPECT_TRUE(log.Contains(" . [IButton->Create(0x"));
    EXPECT_TRUE(log.Contains("Info: created new button(1).\n"));
    EXPECT_EQ(Veltrano.tileCount, tilesBefore + 9);
}

TEST_F(ButtonStorageTest, FullLayerAndFullMasterTableAreRefusedWithTheirWarnings) {
    StorePictures("b", 1);
    IButtonNew desc = Desc(1);
    for (int i = 0; i < 32; ++i) ASSERT_EQ(IButton->Create(&desc, "b", 0, dpf), i + 1);
    EXPECT_EQ(IButton->Create(&desc, "b", 0, dpf), -1);
    EXPECT_TRUE(log.Contains("Warning: we have reached maximum buttons number(32) in this layer(0).\n"));
    for (int i = 0; i < 100; ++i) ASSERT_EQ(IButton->Create(&desc, "b", 1, dpf), 1000 + i);
    EXPECT_EQ(IButton->Create(&desc, "b", 1, dpf), -1);
    EXPECT_TRUE(log.Contains("Warning: we have reached the maximum master buttons limit(100).\n"));
    EXPECT_EQ(Veltrano.tileCount, tilesBefore + 132 * 3);
}

TEST_F(ButtonStorageTest, BadDescriptionsAndNamesAreRefusedBeforeAnyTileIsMade) {
    StorePictures("b", 1);
    IButtonNew desc = Desc(1);
    desc.selectColor = -1;
    EXPECT_EQ(IButton->Create(&desc, "b", 0, dpf), -1);
    EXPECT_TRUE(log.Contains("Error: wrong parameters.\n"));
    desc = Desc(3);
    EXPECT_EQ(IButton->Create(&desc, "b", 0, dpf), -1);
    desc = Desc(1);
    desc.key = 322;
    EXPECT_EQ(IButton->Create(&desc, "b", 0, dpf), -1);
    desc = Desc(8);
    desc.range = 0;
    desc.value = 1;  // beyond its range
    EXPECT_EQ(IButton->Create(&desc, "b", 0, dpf), -1);
    desc = Desc(1);
    EXPECT_EQ(IButton->Create(nullptr, "b", 0, dpf), -1);
    EXPECT_EQ(IButton->Create(&desc, nullptr, 0, dpf), -1);
    EXPECT_EQ(IButton->Create(&desc, "b", 0, 0), -1);
    log.Clear();
    // The parameter check comes first, then the name length.
    EXPECT_EQ(IButton->Create(&desc, "abcdefghijklmnopqrstuvwxy", 0, dpf), -1);
    EXPECT_TRUE(log.Contains("Error: button name too long, limit on 25 characters.\n"));
    EXPECT_EQ(IButton->GetNum(), 0);
    EXPECT_EQ(Veltrano.tileCount, tilesBefore);
}

TEST_F(ButtonStorageTest, MissingPicturesFailAndFreeWhatWasLoaded) {
    StorePicture("c_n", 10, 10, 0xFF);
    StorePicture("c_p", 10, 10, 0xFF);
    StorePicture("c_o", 10, 10, 0xFF);  // no "_s": a complex button cannot be made
    IButtonNew desc = Desc(4);
    EXPECT_EQ(IButton->Create(&desc, "c", 0, dpf), -1);
    EXPECT_TRUE(log.Contains("Error: we could not find valid tiles for this kind of button.\n"));
    EXPECT_EQ(Veltrano.tileCount, tilesBefore);
    desc = Desc(1);
    EXPECT_EQ(IButton->Create(&desc, "c", 0, dpf), 1);  // the slot was left free
}

TEST_F(ButtonStorageTest, SaveCodesComeInTheirOrder) {
    IButtonNew desc = Desc(8);
    EXPECT_EQ(IButton->Save(dpf, "s", &desc), -3);  // "_p" before "_n"
    StorePicture("s_p", 10, 10, 0xFF);
    EXPECT_EQ(IButton->Save(dpf, "s", &desc), -2);
    StorePicture("s_n", 10, 10, 0xFF);
    EXPECT_EQ(IButton->Save(dpf, "s", &desc), -4);
    StorePicture("s_o", 10, 10, 0xFF);
    desc.type = 4;
    EXPECT_EQ(IButton->Save(dpf, "s", &desc), -5);
    desc.type = 8;
    desc.key = 400;
    EXPECT_EQ(IButton->Save(dpf, "s", &desc), -6);
    desc.key = 0;
    desc.range = 300;
    EXPECT_EQ(IButton->Save(dpf, "s", &desc), -7);
    desc.range = 10;
    desc.value = 11;
    EXPECT_EQ(IButton->Save(dpf, "s", &desc), -7);
    desc.type = 1;  // range and value mean nothing to a normal button
    EXPECT_GT(IButton->Save(dpf, "s", &desc), 0);
    desc.type = 5;
    EXPECT_EQ(IButton->Save(dpf, "t", &desc), 0);
    desc.type = 1;
    EXPECT_EQ(IButton->Save(dpf, "abcdefghijklmnopqrstuvwxy", &desc), 0);
    EXPECT_EQ(IButton->Save(dpf, "s", nullptr), 0);
    EXPECT_EQ(IButton->Save(dpf, nullptr, &desc), 0);
}

TEST_F(ButtonStorageTest, SavedHeaderIsTheFixedLittleEndianLayout) {
    StorePictures("h", 8);
    IButtonNew desc = Desc(8, 0x1234, 0x0203);
    desc.callback = button_test::RecordCall;
    desc.key = SDLK_SPACE;
    desc.selectColor = 0x112233;
    desc.range = 10;
    desc.value = 7;
    ASSERT_GT(IButton->Save(dpf, "h", &desc), 0);
    IStuffDPF->Close(dpf);
    dpf = 0;
    std::vector<uint8_t> expected = StoredHeader(8, SDLK_SPACE, 0x112233, 0x1234, 0x0203, 10, 7);
    std::memset(expected.data(), 0, 4);
    EXPECT_EQ(BlockBytes(archivePath, "h", "BUT"), expected);
    IButtonNew read{};
    EXPECT_EQ(IButton->LoadHeader(archivePath.c_str(), "h", &read), 1);
    EXPECT_EQ(read.callback, nullptr);
    EXPECT_EQ(read.key, SDLK_SPACE);
    EXPECT_EQ(read.selectColor, 0x112233);
    EXPECT_EQ(read.x, 0x1234);
    EXPECT_EQ(read.range, 10);
    EXPECT_EQ(read.value, 7);
}

TEST_F(ButtonStorageTest, LoadClearsTheStoredCallbackAndLogsTheId) {
    StorePictures("w", 32);
    AddRaw("w", StoredHeader(32, SDLK_a, 0, 5, 6, 0, 0));
    const int id = IButton->Load(dpf, "w", 0);
    ASSERT_EQ(id, 1);
    EXPECT_TRUE(log.Contains("] Info: added new button(1).\n"));
    EXPECT_EQ(IButton->GetKey(id), SDLK_a);
    EXPECT_EQ(IButton->GetState(id), 1);  // a check button starts unchecked
    // The garbage callback is never called: a click fires nothing.
    Click(20, 10);
    EXPECT_EQ(Frame(), -1);
}

TEST_F(ButtonStorageTest, BadHeadersAreRefusedWithALoggedError) {
    StorePictures("x", 16);
    AddRaw("short", std::vector<uint8_t>(23, 0));
    EXPECT_EQ(IButton->Load(dpf, "short", 0), -1);
    EXPECT_TRUE(log.Contains("Error: 'BUT' block of DPF is shorter than 24 bytes.\n"));
    IButtonNew desc{};
    log.Clear();
    EXPECT_EQ(IButton->LoadHeader(dpf, "short", &desc), 0);
    EXPECT_TRUE(log.Contains("[IButton->LoadHeader('short','" + archivePath + "')] Error: 'BUT' block"));
    EXPECT_EQ(IButton->LoadHeader(dpf, "short", nullptr), 0);
    EXPECT_EQ(IButton->Load(dpf, "none", 0), -1);
    EXPECT_TRUE(log.Contains(" . [IButton->Load('none','" + archivePath + "',0)] Error: button not found.\n"));
    log.Clear();
    AddRaw("x", StoredHeader(16, 0, 0, 0, 0, 300, 0));  // range beyond 255
    EXPECT_EQ(IButton->Load(dpf, "x", 0), -1);
    EXPECT_TRUE(log.Contains("Error: wrong parameters.\n"));
    EXPECT_FALSE(log.Contains("added new button"));
    EXPECT_EQ(IButton->Load(dpf, nullptr, 0), -1);
    EXPECT_EQ(IButton->Load(0, "x", 0), -1);
    EXPECT_EQ(Veltrano.tileCount, tilesBefore + 3 - 3);
}

TEST_F(ButtonStorageTest, DeleteRemovesHeaderAndEveryPictureBlock) {
    StorePictures("d", 4);
    StorePicture("other_n", 4, 4, 0xFF);
    IButtonNew desc = Desc(4);
    ASSERT_GT(IButton->Save(dpf, "d", &desc), 0);
    EXPECT_EQ(IButton->Delete(dpf, "d"), 1);
    EXPECT_EQ(IButton->Delete(dpf, "d"), 0);
    IStuffDPF->Close(dpf);
    dpf = 0;
    EXPECT_EQ(LiveBlocks(archivePath), std::vector<std::string>{"other_n/TILB2"});
    // Without a header nothing goes.
    EXPECT_EQ(IButton->Delete(archivePath.c_str(), "other"), 0);
    EXPECT_EQ(LiveBlocks(archivePath).size(), 1u);
}

TEST_F(ButtonStorageTest, DeleteOfALongNameReportsTheDeletedHeader) {
    AddRaw("abcdefghijklmnopqrstuvwxyz", StoredHeader(1, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(IButton->Delete(dpf, "abcdefghijklmnopqrstuvwxyz"), 1);
    EXPECT_EQ(IButton->Delete(dpf, "abcdefghijklmnopqrstuvwxyz"), 0);
}

TEST_F(ButtonStorageTest, FileNameFormsOpenAndCloseTheArchive) {
    StorePictures("f", 1);
    IStuffDPF->Close(dpf);
    dpf = 0;
    IButtonNew desc = Desc(1, 3, 4);
    EXPECT_GT(IButton->Save(archivePath.c_str(), "f", &desc), 0);
    EXPECT_EQ(IButton->Create(&desc, "f", 0, archivePath.c_str()), 1);
    EXPECT_EQ(IButton->Load(archivePath.c_str(), "f", 1), 1000);
    const std::string missing = dir.file("missing.dpf");
    EXPECT_EQ(IButton->Load(missing.c_str(), "f", 0), 0);
    EXPECT_EQ(IButton->Create(&desc, "f", 0, missing.c_str()), -1);
    EXPECT_EQ(IButton->LoadHeader(missing.c_str(), "f", &desc), 0);
    EXPECT_EQ(IButton->Delete(missing.c_str(), "f"), 0);
    EXPECT_FALSE(testing_support::FileExists(missing));
    // Save makes the archive; the header is refused there for lack of pictures.
    EXPECT_EQ(IButton->Save(missing.c_str(), "f", &desc), -3);
    EXPECT_TRUE(testing_support::FileExists(missing));
    EXPECT_EQ(IButton->Delete(archivePath.c_str(), "f"), 1);
    EXPECT_TRUE(LiveBlocks(archivePath).empty());
}

TEST(ButtonBlockTest, ParseRefusesShortInputAndReadsFieldsLittleEndian) {
    IButtonNew desc{};
    const std::vector<uint8_t> bytes = StoredHeader(64, 321, -2, 65535, 1, -5, 0x10002);
    EXPECT_FALSE(button_block::Parse(bytes.data(), 23, &desc));
    ASSERT_TRUE(button_block::Parse(bytes.data(), 24, &desc));
    EXPECT_EQ(desc.type, 64);
    EXPECT_EQ(desc.key, 321);
    EXPECT_EQ(desc.selectColor, -2);
    EXPECT_EQ(desc.x, 65535);
    EXPECT_EQ(desc.range, -5);
    EXPECT_EQ(desc.value, 0x10002);
    uint8_t out[24];
    button_block::Serialise(desc, out);
    EXPECT_EQ(std::vector<uint8_t>(out + 4, out + 24), std::vector<uint8_t>(bytes.begin() + 4, bytes.end()));
}
