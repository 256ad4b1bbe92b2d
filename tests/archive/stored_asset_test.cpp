// The steps every stored asset shares: the SDK check of the loaders, adding
// and replacing blocks (a failed replacement keeps the stored block), and
// upgrading version 1 blocks in place.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "archive/stored_asset.h"
#include "support/test_support.h"
#include "veltrano.h"

using testing_support::LogCapture;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

// The same bytes for a seed every run; they do not compress.
std::string Noise(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return bytes;
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

struct LoaderCase {
    const char* kind;
    std::function<int()> load;
    const char* line;
};

TEST(StoredAssetBeforeInit, EveryLoaderFileFormLogsItsOwnLineBeforeTouchingTheArchive) {
    TempDir dir(true);
    ASSERT_EQ(Veltrano.initTicks, 0xFFFFFFFFu);
    Veltrano_CTile tile;
    Veltrano_CFont font;
    Veltrano_CSprite sprite;
    Veltrano_ICursor cursor;
    const LoaderCase cases[] = {
        {"tile", [&] { return static_cast<int>(tile.Load("a.dpf", "wall", "TILE")); },
         " . [CTile::Load('a.dpf','wall','TILE')] Error: Veltrano was not initialized. Aborting the tile creation.\n"},
        {"font", [&] { return static_cast<int>(font.Load("a.dpf", "big")); },
         " . [CFont::Load('a.dpf','big')] Error: Veltrano was not initialized. Aborting the font load.\n"},
        {"sprite", [&] { return sprite.Load("a.dpf", "hero", "note"); },
         " . [CSprite::Load('a.dpf','hero','note')] Error: Veltrano was not initialized. Aborting the sprite "
         "load.\n"},
        {"cursor", [&] { return static_cast<int>(cursor.Load("a.dpf", "arrow", 1)) + 1; },
         " . [ICursor->Load('a.dpf','arrow',1)] Error: ICursor was not initialized.\n"},
        {"xml", [&] { return Veltrano.XMLOpen("a.dpf", "doc"); },
         " . [Veltrano.XMLOpen('a.dpf','doc')] Error: Veltrano was not initialized. Aborting the XML load.\n"},
    };
    for (const LoaderCase& loader : cases) {
        SCOPED_TRACE(loader.kind);
        LogCapture log;
        EXPECT_EQ(loader.load(), 0);
        EXPECT_EQ(log.Text(), loader.line);
        EXPECT_FALSE(testing_support::FileExists("a.dpf"));
    }
}

class StoredAsset : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Veltrano.Init(0), 1); }
    void TearDown() override {
        for (int h = 1; h <= 10; ++h) Veltrano.XMLClose(h);
        Veltrano.Quit();
    }

    // An archive far larger than the log and the documents written beside
    // it, so a cap just above its size stops only the archive's growth.
    int MakeLargeArchive(const char* file) {
        const int handle = stored_asset::OpenOrCreate(file);
        EXPECT_GT(stored_asset::AddBlock(handle, "big", "RAW", Bytes(Noise(200000, 7)), dpf_format::kStorageRaw), 0);
        return handle;
    }

    // The bytes of a block and the mode it is stored in, or "<missing>".
    std::string Stored(int handle, const char* type, const char* name, uint8_t* storage = nullptr) {
        stored_asset::LoadedBlock block;
        if (!block.Load(handle, type, name)) return "<missing>";
        if (storage != nullptr) *storage = block.record().storage;
        return std::string(reinterpret_cast<const char*>(block.bytes()), static_cast<size_t>(block.size()));
    }

    TempDir dir_{true};
};

TEST_F(StoredAsset, BlocksAreAddedInTheStorageModeAskedFor) {
    const int handle = stored_asset::OpenOrCreate("a.dpf");
    ASSERT_GT(handle, 0);
    for (const uint8_t mode : {dpf_format::kStorageCompressed, dpf_format::kStorageRaw, dpf_format::kStorageScrambled}) {
        const std::string name = "block" + std::to_string(mode);
        EXPECT_GT(stored_asset::AddBlock(handle, name.c_str(), "RAW", Bytes("payload"), mode), 0);
        uint8_t storage = 0xFF;
        EXPECT_EQ(Stored(handle, "RAW", name.c_str(), &storage), "payload");
        EXPECT_EQ(storage, mode);
    }
    EXPECT_EQ(stored_asset::AddBlock(handle, "block1", "RAW", Bytes("again"), dpf_format::kStorageRaw), -1);
    EXPECT_EQ(stored_asset::AddBlock(handle, "a-name-longer-than-31-characters!", "RAW", Bytes("x")), 0);
    IStuffDPF->Close(handle);
}

TEST_F(StoredAsset, ReplacingStoresTheNewBytesOrAddsAMissingBlock) {
    const int handle = stored_asset::OpenOrCreate("a.dpf");
    const std::string first = "first";
    const std::string second = "second, longer";
    EXPECT_GT(stored_asset::ReplaceBlock(handle, "doc", "FILE", first.data(), first.size(), 0), 0);
    EXPECT_GT(stored_asset::ReplaceBlock(handle, "doc", "FILE", second.data(), second.size(), 1), 0);
    EXPECT_EQ(Stored(handle, "FILE", "doc"), second);
    EXPECT_EQ(IStuffDPF->GetNumDelBlocks(handle), 1);
    IStuffDPF->Close(handle);
}

TEST_F(StoredAsset, AReplacementTheDiskRefusesPutsThePreviousBytesBack) {
    const int handle = MakeLargeArchive("a.dpf");
    const std::string previous = "the previous document";
    ASSERT_GT(stored_asset::ReplaceBlock(handle, "doc", "FILE", previous.data(), previous.size(), 0), 0);
    IStuffDPF->Flush(handle);
    const std::string more = Noise(65536, 9);
    {
        testing_support::FileSizeLimit limit(ReadFile("a.dpf").size() + 1000);
        ASSERT_TRUE(limit.active());
        EXPECT_EQ(stored_asset::ReplaceBlock(handle, "doc", "FILE", more.data(), more.size(), 1), 0);
    }
    EXPECT_EQ(Stored(handle, "FILE", "doc"), previous);
    IStuffDPF->Close(handle);
    const int reopened = IStuffDPF->Open("a.dpf");
    EXPECT_EQ(Stored(reopened, "FILE", "doc"), previous);
    IStuffDPF->Close(reopened);
}

TEST_F(StoredAsset, XmlAndConfigurationSavesOnAFullDiskKeepThePreviousDocument) {
    constexpr size_t kRoom = 400;
    LogCapture log;
    IStuffDPF->Close(MakeLargeArchive("a.dpf"));
    const int small = Veltrano.XMLCreate("settings");
    ASSERT_GT(Veltrano.XMLSave(small, "a.dpf", "doc"), 0);
    const int dpf = IStuffDPF->Open("a.dpf");
    const std::string before = Stored(dpf, "FILE", "doc");
    IStuffDPF->Close(dpf);
    ASSERT_NE(before, "<missing>");

    const int large = Veltrano.XMLCreate("settings");
    std::string text = Noise(40000, 3);
    for (char& c : text) c = static_cast<char>('a' + static_cast<unsigned char>(c) % 26);
    ASSERT_EQ(Veltrano.XMLTextSet(large, text.c_str()), 1);
    {
        // Room for the small document's block again, not for a larger one.
        testing_support::FileSizeLimit limit(ReadFile("a.dpf").size() + kRoom);
        ASSERT_TRUE(limit.active());
        EXPECT_EQ(Veltrano.XMLSave(large, "a.dpf", "doc"), 0);
        EXPECT_EQ(Veltrano.SaveConfig("a.dpf", "doc", nullptr), 0);
    }
    EXPECT_TRUE(log.Contains("Error: it was not possible to write to the DPF.\n"));
    const int reopened = IStuffDPF->Open("a.dpf");
    EXPECT_EQ(Stored(reopened, "FILE", "doc"), before);
    IStuffDPF->Close(reopened);
}

// A version 1 block is "v1:" and its text; its upgrade is "v2:" and the text.
bool UpgradeText(const uint8_t* bytes, int64_t size, std::vector<uint8_t>& upgraded) {
    const std::string text(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
    if (text.compare(0, 3, "v1:") != 0) return false;
    upgraded = Bytes("v2:" + text.substr(3));
    return true;
}

std::string Text(const stored_asset::CurrentBlock& block) {
    return std::string(reinterpret_cast<const char*>(block.bytes()), static_cast<size_t>(block.size()));
}

TEST_F(StoredAsset, AVersion1BlockIsUpgradedInPlaceOnlyWhenItIsWhole) {
    const int handle = stored_asset::OpenOrCreate("a.dpf");
    stored_asset::AddBlock(handle, "good", "KIND", Bytes("v1:text"));
    stored_asset::AddBlock(handle, "bad", "KIND", Bytes("garbage"));
    stored_asset::AddBlock(handle, "new", "KIND2", Bytes("v2:current"));
    using stored_asset::Found;

    stored_asset::CurrentBlock block;
    EXPECT_EQ(block.Load(handle, "new", "KIND2", "KIND", UpgradeText), Found::Current);
    EXPECT_EQ(Text(block), "v2:current");
    EXPECT_EQ(block.Load(handle, "good", "KIND2", "KIND", UpgradeText), Found::Upgraded);
    EXPECT_EQ(Text(block), "v2:text");
    EXPECT_EQ(Stored(handle, "KIND2", "good"), "v2:text");
    EXPECT_EQ(Stored(handle, "KIND", "good"), "<missing>");
    EXPECT_EQ(block.Load(handle, "good", "KIND2", "KIND", UpgradeText), Found::Current);

    EXPECT_EQ(block.Load(handle, "bad", "KIND2", "KIND", UpgradeText), Found::Damaged);
    EXPECT_EQ(Stored(handle, "KIND", "bad"), "garbage");
    EXPECT_EQ(Stored(handle, "KIND2", "bad"), "<missing>");
    EXPECT_EQ(block.Load(handle, "none", "KIND2", "KIND", UpgradeText), Found::Missing);
    IStuffDPF->Close(handle);
}

}  // namespace
