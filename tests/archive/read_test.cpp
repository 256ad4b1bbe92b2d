// Opening, walking, searching and loading.
#include <cstring>

#include "archive_test_helpers.h"

using namespace archive_test;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {
class ReadTest : public ArchiveTest {};
}  // namespace

TEST_F(ReadTest, OpenRefusesWhatIsNotACurrentArchive) {
    EXPECT_EQ(dpf.Open("missing.dpf"), -1);
    // The read-only attempt is announced before its failure is reported.
    const std::string text = log.Text();
    const size_t warning = text.find(" . [IStuffDPF->Open('missing.dpf')] Warning: file opened in read only mode.\n");
    const size_t error = text.find(" . [IStuffDPF->Open('missing.dpf')] Error: No such file or directory\n");
    EXPECT_NE(warning, std::string::npos);
    EXPECT_NE(error, std::string::npos);
    EXPECT_LT(warning, error);
    WriteFile("text.dpf", "hello, this is text and not an archive at all");
    EXPECT_EQ(dpf.Open("text.dpf"), -1);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Open('text.dpf')] Error: it is not a valid DPF.\n"));
    WriteFile("v5.dpf", std::string("DPFv5.0\0", 8) + std::string(512, 'x'));
    EXPECT_EQ(dpf.Open("v5.dpf"), -1);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Open('v5.dpf')] Error: 'DPFv5.0' version is not supported.\n"));
    const std::string longName(300, 'n');
    EXPECT_EQ(dpf.Open(longName.c_str()), -1);
    EXPECT_EQ(dpf.Create(longName.c_str()), -1);
    EXPECT_EQ(dpf.Open(nullptr), -1);
}

TEST_F(ReadTest, EmptyArchiveHasNoBlocks) {
    const int handle = dpf.Create("empty.dpf");
    ASSERT_GT(handle, 0);
    DPF_BlockData block{};
    EXPECT_EQ(dpf.FindFirst(handle, &block), 0);
    EXPECT_EQ(dpf.GetNumBlocks(handle), 0);
    EXPECT_EQ(dpf.GetNumDelBlocks(handle), 0);
    EXPECT_EQ(dpf.GetFragment(handle), 100);
    EXPECT_EQ(dpf.GetSize(handle), 0);
    EXPECT_STREQ(dpf.GetFilename(handle), "empty.dpf");
    dpf.Close(handle);
    EXPECT_EQ(dpf.GetFilename(handle), nullptr);
    EXPECT_EQ(dpf.GetNumBlocks(handle), -1);
    EXPECT_EQ(dpf.FindFirst(handle, &block), 2);
}

TEST_F(ReadTest, SameFileTwiceSharesTheHandleUntilTheSecondClose) {
    MakeArchive("a.dpf", {{"one", "RAW", 1, "1"}});
    const int first = dpf.Open("a.dpf");
    const int second = dpf.Open("a.dpf");
    ASSERT_GT(first, 0);
    EXPECT_EQ(first, second);
    dpf.Close(first);
    EXPECT_EQ(Load(first, "RAW", "one"), "1");
    dpf.Close(first);
    EXPECT_EQ(dpf.GetNumBlocks(first), -1);
    // Reopening gives a new handle: handles are never reused.
    const int third = dpf.Open("a.dpf");
    EXPECT_GT(third, 0);
    EXPECT_NE(third, first);
    dpf.Close(third);
}

TEST_F(ReadTest, ThirtyThirdArchiveIsRefusedUntilOneCloses) {
    int handles[32];
    for (int i = 0; i < 32; ++i) {
        const std::string name = "a" + std::to_string(i) + ".dpf";
        handles[i] = dpf.Create(name.c_str());
        ASSERT_GT(handles[i], 0) << i;
    }
    const int refused = dpf.Create("extra.dpf");
    EXPECT_EQ(refused, 0);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF] Warning: reached maximum limit of DPF files opened(32).\n"));
    dpf.Close(handles[7]);
    const int accepted = dpf.Open("extra.dpf");
    EXPECT_GT(accepted, 0);
    dpf.Close(accepted);
    for (int i = 0; i < 32; ++i) dpf.Close(handles[i]);
}

TEST_F(ReadTest, ChangedByteIsRefusedUnlessTheSlotKnowsTheFile) {
    MakeArchive("a.dpf", {{"one", "RAW", 1, "12345678"}});
    std::string file = ReadFile("a.dpf");
    file[600] ^= 1;
    WriteFile("a.dpf", file);
    // The slot registered at Create knows this file at this length.
    int handle = dpf.Open("a.dpf");
    EXPECT_GT(handle, 0);
    dpf.Close(handle);

    Veltrano_IStuffDPF fresh;
    EXPECT_EQ(fresh.Open("a.dpf"), -1);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Open('a.dpf')] Error: the given DPF is corrupted.\n"));
}

TEST_F(ReadTest, BlockWithOddStoredSizeIsSteppedOverInBothAccessModes) {
    MakeArchive("a.dpf", {{"odd", "RAW", 1, "thirteen byte"}, {"after", "RAW", 1, "next"}});
    const int handle = dpf.Open("a.dpf");
    for (char mode : {0, 1}) {
        dpf.SetAccessMode(mode);
        DPF_BlockData block{};
        ASSERT_EQ(dpf.FindFirst(handle, &block), 1);
        EXPECT_STREQ(block.name, "odd");
        EXPECT_EQ(block.storedSize, 13);
        ASSERT_EQ(dpf.FindNext(handle, &block), 1);
        EXPECT_STREQ(block.name, "after");
        EXPECT_STREQ(block.type, "RAW");
        EXPECT_EQ(block.data, nullptr);
        EXPECT_EQ(dpf.FindNext(handle, &block), 0);
        EXPECT_EQ(Load(handle, "RAW", "after"), "next");
    }
    EXPECT_TRUE(log.Contains("Info: lowlevel access to data blocks in DPF was selected.\n"));
    EXPECT_TRUE(log.Contains("Info: normal access to data blocks in DPF was selected.\n"));
    dpf.Close(handle);
}

TEST_F(ReadTest, EveryStorageLoadsBackItsBytes) {
    const std::string text = Compressible(70000, 3);
    const std::string noise = Noise(1000, 4);
    MakeArchive("a.dpf", {{"text", "IMG", 0, text}, {"noise", "IMG", 0, noise}, {"raw", "IMG", 1, noise},
                          {"scrambled", "IMG", 2, text}, {"empty", "IMG", 0, ""}});
    const int handle = dpf.Open("a.dpf");
    EXPECT_EQ(Load(handle, "IMG", "text"), text);
    EXPECT_EQ(Load(handle, "IMG", "noise"), noise);
    EXPECT_EQ(Load(handle, "IMG", "raw"), noise);
    EXPECT_EQ(Load(handle, "IMG", "scrambled"), text);
    DPF_BlockData block{};
    EXPECT_EQ(dpf.LoadBlock(handle, "IMG", "empty", &block), 0);
    EXPECT_EQ(block.data, nullptr);
    dpf.Close(handle);
}

TEST_F(ReadTest, RawBlockBufferHoldsThePaddedBytes) {
    MakeArchive("a.dpf", {{"odd", "RAW", 1, "thirteen byte"}});
    const int handle = dpf.Open("a.dpf");
    DPF_BlockData block{};
    ASSERT_EQ(dpf.LoadBlock(handle, "RAW", "odd", &block), 13);
    EXPECT_EQ(std::string(block.data, 16), std::string("thirteen byte\0\0\0", 16));
    EXPECT_EQ(block.storage, 1);
    EXPECT_EQ(block.storedSize, 13);
    EXPECT_EQ(dpf.FreeBlock(&block), 1);
    EXPECT_EQ(block.data, nullptr);
    dpf.Close(handle);
}

TEST_F(ReadTest, SearchAndLoadMatchNameAndTypeExactly) {
    MakeArchive("a.dpf", {{"Hero", "SPR2", 1, "a"}, {"hero", "SPR2", 1, "b"}, {"hero", "IMG", 1, "c"}});
    const int handle = dpf.Open("a.dpf");
    EXPECT_EQ(Load(handle, "SPR2", "hero"), "b");
    EXPECT_EQ(Load(handle, "IMG", "hero"), "c");
    EXPECT_EQ(Load(handle, "IMG", "Hero"), "<failed>");
    EXPECT_TRUE(log.Contains(
        " . [IStuffDPF->LoadBlock('a.dpf','IMG','Hero')] Warning: datablock was not found in the given DPF.\n"));

    // Names and types too long for their fields match nothing.
    const std::string longName(40, 'h');
    EXPECT_EQ(Load(handle, "SPR2", longName.c_str()), "<failed>");
    EXPECT_EQ(Load(handle, "SPR2TOOLONG", "hero"), "<failed>");
    EXPECT_EQ(Load(handle, nullptr, "hero"), "<failed>");

    DPF_BlockData probe = Block("hero", "IMG", 0, "");
    probe.size = 99;
    ASSERT_EQ(dpf.Search(handle, &probe), 1);
    EXPECT_EQ(probe.size, 1);
    EXPECT_EQ(probe.data, nullptr);
    DPF_BlockData missing = Block("nobody", "IMG", 0, "");
    missing.size = 99;
    EXPECT_EQ(dpf.Search(handle, &missing), 0);
    EXPECT_EQ(missing.size, 99);
    dpf.Close(handle);
}

TEST_F(ReadTest, CountsAndFragmentSeeDeletedBlocks) {
    const std::string big(1000, 'x');
    MakeArchive("a.dpf", {{"a", "RAW", 1, big}, {"b", "RAW", 1, big}, {"c", "RAW", 1, "c"}});
    const int handle = dpf.Open("a.dpf");
    DPF_BlockData block = Block("b", "RAW", 0, "");
    ASSERT_EQ(dpf.Delete(handle, &block), 1);
    EXPECT_EQ(dpf.GetNumBlocks(handle), 3);
    EXPECT_EQ(dpf.GetNumDelBlocks(handle), 1);
    const long length = static_cast<long>(ReadFile("a.dpf").size());
    EXPECT_EQ(dpf.GetFragment(handle), static_cast<char>(100 - 1000L * 100 / length));
    EXPECT_EQ(Load(handle, "RAW", "c"), "c");
    EXPECT_EQ(Walk(handle), 3);
    dpf.Close(handle);
}

TEST_F(ReadTest, ProtectedArchiveNeedsThePassword) {
    MakeArchive("a.dpf", {{"secret", "TXT", 0, "the treasure is buried here"}});
    unsigned char password[] = "correct horse";
    ASSERT_EQ(dpf.Protect("a.dpf", password, 13), 1);
    const int handle = dpf.Open("a_secure.dpf");
    ASSERT_GT(handle, 0);
    EXPECT_EQ(dpf.IsProtected(), 1);
    DPF_BlockData block{};
    EXPECT_EQ(dpf.FindFirst(handle, &block), 0);
    EXPECT_TRUE(log.Contains(
        " . [IStuffDPF->Find(" + std::to_string(handle) + ")] Error: the given DPF is protected and the key was not set.\n"));
    EXPECT_EQ(Load(handle, "TXT", "secret"), "<failed>");
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->LoadBlock('a_secure.dpf','TXT','secret')] Error: the given DPF is "
                             "protected and the key was not set.\n"));

    unsigned char wrong[] = "wrong password";
    dpf.SetPassword(wrong, 14);
    EXPECT_EQ(Load(handle, "TXT", "secret"), "<failed>");
    dpf.SetPassword(password, 13);
    EXPECT_EQ(Load(handle, "TXT", "secret"), "the treasure is buried here");
    dpf.Close(handle);
}
