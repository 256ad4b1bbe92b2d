// Adding, deleting and flushing.
#include <cstring>

#include "archive_test_helpers.h"

using namespace archive_test;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {
class WriteTest : public ArchiveTest {};
}  // namespace

TEST_F(WriteTest, NameAndTypeLimits) {
    const int handle = dpf.Create("a.dpf");
    const std::string name31(31, 'n');
    DPF_BlockData fits = Block(name31.c_str(), "SEVENCH", 1, "ok");
    EXPECT_EQ(dpf.AddData(handle, &fits), 2);

    const std::string name32(32, 'm');
    DPF_BlockData longName = Block("", "RAW", 1, "x");
    std::memcpy(longName.name, name32.data(), 32);  // no room left for a NUL
    EXPECT_EQ(dpf.AddData(handle, &longName), 0);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->AddData(" + std::to_string(handle) + ",'" + name32 +
                             "')] Error: name or type are too long. Maximum chars for name is 32 and 8 for type.\n"));
    DPF_BlockData longType = Block("n", "", 1, "x");
    std::memcpy(longType.type, "EIGHTCHR", 8);
    EXPECT_EQ(dpf.AddData(handle, &longType), 0);
    EXPECT_EQ(dpf.GetNumBlocks(handle), 1);
    EXPECT_EQ(Load(handle, "SEVENCH", name31.c_str()), "ok");
    dpf.Close(handle);
}

TEST_F(WriteTest, DuplicateIsRefusedUntilDeleted) {
    const int handle = dpf.Create("a.dpf");
    const std::string bytes = Compressible(3000, 9);
    DPF_BlockData block = Block("map", "TILE2", 0, bytes);
    EXPECT_GT(dpf.AddData(handle, &block), 0);
    EXPECT_EQ(dpf.AddData(handle, &block), -1);
    EXPECT_TRUE(log.Contains("Info: block already exists.\n"));
    // The caller's record still describes its own bytes.
    EXPECT_EQ(block.data, bytes.data());
    EXPECT_EQ(block.size, 3000);

    EXPECT_EQ(dpf.Delete(handle, &block), 1);
    EXPECT_EQ(block.data, bytes.data());
    EXPECT_EQ(dpf.Delete(handle, &block), 0);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Delete(" + std::to_string(handle) +
                             ")] Warning: datablock was not found in the given DPF.\n"));
    EXPECT_EQ(Load(handle, "TILE2", "map"), "<failed>");
    EXPECT_GT(dpf.AddData(handle, &block), 0);
    EXPECT_EQ(Load(handle, "TILE2", "map"), bytes);
    EXPECT_EQ(dpf.GetNumBlocks(handle), 2);
    EXPECT_EQ(dpf.GetNumDelBlocks(handle), 1);
    dpf.Close(handle);
}

TEST_F(WriteTest, UnknownStorageBecomesScrambledInTheCallersRecord) {
    const int handle = dpf.Create("a.dpf");
    DPF_BlockData block = Block("odd", "RAW", 5, "payload");
    EXPECT_EQ(dpf.AddData(handle, &block), 7);
    EXPECT_EQ(block.storage, 2);
    DPF_BlockData found = Block("odd", "RAW", 0, "");
    ASSERT_EQ(dpf.Search(handle, &found), 1);
    EXPECT_EQ(found.storage, 2);
    EXPECT_EQ(Load(handle, "RAW", "odd"), "payload");
    dpf.Close(handle);
}

TEST_F(WriteTest, InvalidDataIsRefusedBeforeWriting) {
    const int handle = dpf.Create("a.dpf");
    DPF_BlockData negative = Block("n", "RAW", 0, "x");
    negative.size = -5;
    EXPECT_EQ(dpf.AddData(handle, &negative), 0);
    DPF_BlockData noData = Block("n", "RAW", 1, "xyz");
    noData.data = nullptr;
    EXPECT_EQ(dpf.AddData(handle, &noData), 0);
    DPF_BlockData emptyRaw = Block("n", "RAW", 1, "");
    EXPECT_EQ(dpf.AddData(handle, &emptyRaw), 0);
    EXPECT_TRUE(log.Contains("Error: the data block is empty or invalid.\n"));
    EXPECT_EQ(dpf.AddData(handle, nullptr), 0);
    EXPECT_EQ(dpf.AddData(handle + 1000000, &emptyRaw), 0);
    dpf.Close(handle);
    EXPECT_EQ(ReadFile("a.dpf").size(), 520u);
}

TEST_F(WriteTest, AddFileStoresTheWholeFileUnderItsName) {
    const std::string content = Compressible(20000, 5);
    WriteFile("level1.xml", content);
    const int handle = dpf.Create("a.dpf");
    EXPECT_GT(dpf.AddFile(handle, "level1.xml"), 0);
    EXPECT_EQ(Load(handle, "FILE", "level1.xml"), content);
    EXPECT_EQ(dpf.AddFile(handle, "absent.xml"), 0);
    const std::string longName = std::string(40, 'f') + ".xml";
    WriteFile(longName, "x");
    EXPECT_EQ(dpf.AddFile(handle, longName.c_str()), 0);
    EXPECT_TRUE(log.Contains("Error: name or type are too long."));
    EXPECT_EQ(dpf.GetNumBlocks(handle), 1);
    dpf.Close(handle);
}

TEST_F(WriteTest, HeaderIsBroughtUpToDateByFlushOrTheLastClose) {
    const int handle = dpf.Create("a.dpf");
    const int again = dpf.Open("a.dpf");
    ASSERT_EQ(again, handle);
    DPF_BlockData block = Block("one", "RAW", 1, "12345678");
    ASSERT_GT(dpf.AddData(handle, &block), 0);
    auto storedCrc = [] { return LE32(DecipheredHeader(ReadFile("a.dpf")), 96); };
    EXPECT_EQ(storedCrc(), 0u);
    dpf.Flush(handle);
    const uint32_t flushed = storedCrc();
    EXPECT_NE(flushed, 0u);

    ASSERT_EQ(dpf.Delete(handle, &block), 1);
    dpf.Close(handle);
    EXPECT_EQ(storedCrc(), flushed);  // one reference is still open
    dpf.Close(handle);
    EXPECT_NE(storedCrc(), flushed);
    Veltrano_IStuffDPF fresh;
    const int reopened = fresh.Open("a.dpf");
    EXPECT_GT(reopened, 0);
    fresh.Close(reopened);
}

TEST_F(WriteTest, CreateMakesTheFoldersOfThePath) {
    const int handle = dpf.Create("assets/packs/a.dpf");
    ASSERT_GT(handle, 0);
    dpf.Close(handle);
    EXPECT_TRUE(testing_support::FileExists("assets/packs/a.dpf"));
}

TEST_F(WriteTest, UnclosedArchivesAreClosedWithAWarningOnDestruction) {
    {
        Veltrano_IStuffDPF local;
        const int handle = local.Create("left.dpf");
        DPF_BlockData block = Block("one", "RAW", 1, "12345678");
        ASSERT_GT(local.AddData(handle, &block), 0);
    }
    EXPECT_TRUE(log.Contains(" . [IStuffDPF] Warning: 'left.dpf' DPF file was not closed on your code. Doing it now!\n"));
    const int handle = Veltrano_IStuffDPF().Open("left.dpf");  // the header was rewritten: CRC matches
    EXPECT_GT(handle, 0);
}
