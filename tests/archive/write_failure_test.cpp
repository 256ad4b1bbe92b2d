// A disk that refuses to grow a file: the archive already stored stays whole
// and readable, and every failure is reported as one.
#include "archive/compact_pause.h"
#include "archive_test_helpers.h"

using namespace archive_test;
using testing_support::FileExists;
using testing_support::FileSizeLimit;
using testing_support::ReadFile;

namespace {

class WriteFailureTest : public ArchiveTest {
protected:
    void SetUp() override { previousPause_ = compact_pause::SetPauseFunction([](uint32_t) {}); }
    void TearDown() override { compact_pause::SetPauseFunction(previousPause_); }

    // An archive far larger than the log file, so a cap just above its
    // size stops the archive's writes but not the log's.
    void MakeLargeArchive(const char* file) {
        MakeArchive(file, {{"big", "RAW", 1, Noise(200000, 7)}, {"gone", "RAW", 1, "x"}});
        const int handle = dpf.Open(file);
        DPF_BlockData gone = Block("gone", "RAW", 1, "x");
        ASSERT_EQ(dpf.Delete(handle, &gone), 1);
        dpf.Close(handle);
    }

    compact_pause::PauseFunction previousPause_ = nullptr;
};

}  // namespace

TEST_F(WriteFailureTest, AddDataThatCannotBeWrittenFailsAndLeavesTheArchiveAsItWas) {
    MakeLargeArchive("a.dpf");
    const std::string before = ReadFile("a.dpf");
    const int handle = dpf.Open("a.dpf");
    ASSERT_GT(handle, 0);
    const std::string more = Noise(65536, 9);
    {
        FileSizeLimit limit(before.size() + 1000);
        ASSERT_TRUE(limit.active());
        DPF_BlockData block = Block("more", "RAW", 1, more);
        EXPECT_EQ(dpf.AddData(handle, &block), 0);
    }
    EXPECT_TRUE(log.Contains(" Error: it was not possible to write to the DPF.\n"));
    dpf.Close(handle);

    EXPECT_EQ(ReadFile("a.dpf").size(), before.size());
    const int reopened = dpf.Open("a.dpf");
    ASSERT_GT(reopened, 0);
    EXPECT_EQ(Load(reopened, "RAW", "big"), Noise(200000, 7));
    EXPECT_EQ(Load(reopened, "RAW", "more"), "<failed>");
    DPF_BlockData block = Block("more", "RAW", 1, more);
    EXPECT_EQ(dpf.AddData(reopened, &block), 65536);
    dpf.Close(reopened);
}

TEST_F(WriteFailureTest, CompactThatCannotWriteItsCopyKeepsTheSource) {
    MakeLargeArchive("a.dpf");
    const std::string before = ReadFile("a.dpf");
    {
        FileSizeLimit limit(100000);
        ASSERT_TRUE(limit.active());
        EXPECT_EQ(dpf.Compact("a.dpf"), 0);
    }
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Compact('a.dpf')] Error: compacted DPF has wrong structure, aborting process.\n"));
    EXPECT_EQ(ReadFile("a.dpf"), before);
    EXPECT_FALSE(FileExists("dpf.tmp"));
    EXPECT_EQ(dpf.Compact("a.dpf"), 1);
}

TEST_F(WriteFailureTest, ProtectThatCannotWriteItsCopyRemovesTheCopyAndKeepsThePassword) {
    MakeArchive("b.dpf", {{"small", "RAW", 1, "12345678"}});
    unsigned char previous[] = "previous";
    ASSERT_EQ(dpf.Protect("b.dpf", previous, 8), 1);
    dpf.SetPassword(previous, 8);

    MakeLargeArchive("a.dpf");
    const std::string before = ReadFile("a.dpf");
    unsigned char other[] = "correct horse";
    {
        FileSizeLimit limit(100000);
        ASSERT_TRUE(limit.active());
        EXPECT_EQ(dpf.Protect("a.dpf", other, 13), 0);
    }
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Protect('a.dpf')] Error: process has failed. Try to compact the source DPF.\n"));
    EXPECT_EQ(ReadFile("a.dpf"), before);
    EXPECT_FALSE(FileExists("a_secure.dpf"));

    // The password set before the call is in force again.
    const int handle = dpf.Open("b_secure.dpf");
    ASSERT_GT(handle, 0);
    EXPECT_EQ(Load(handle, "RAW", "small"), "12345678");
    dpf.Close(handle);
}
