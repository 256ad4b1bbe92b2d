// Compacting, protecting and unprotecting.
#include <sys/stat.h>

#include <cstring>

#include "archive/compact_pause.h"
#include "archive_test_helpers.h"

using namespace archive_test;
using testing_support::FileExists;
using testing_support::ReadFile;

namespace {

class MaintainTest : public ArchiveTest {
protected:
    // Every block's record and loaded bytes, in file order.
    std::vector<std::string> Contents(const char* file) {
        std::vector<std::string> out;
        const int handle = dpf.Open(file);
        if (handle <= 0) return out;
        DPF_BlockData block{};
        std::vector<DPF_BlockData> records;
        for (int r = dpf.FindFirst(handle, &block); r == 1; r = dpf.FindNext(handle, &block)) records.push_back(block);
        for (const DPF_BlockData& record : records)
            out.push_back(std::string(record.name) + "/" + record.type + "/" + std::to_string(record.storage) + "/" +
                          Load(handle, record.type, record.name));
        dpf.Close(handle);
        return out;
    }

    void MakeMixedArchive(const char* file) {
        MakeArchive(file, {{"text", "IMG", 0, Compressible(5000, 1)},
                           {"raw", "SND", 1, Noise(333, 2)},
                           {"scrambled", "MUS", 2, Noise(64, 3)},
                           {"tiny", "BUT", 0, "t"}});
    }
};

}  // namespace

TEST_F(MaintainTest, CompactWithoutDeletedBlocksLeavesTheFileAlone) {
    MakeMixedArchive("a.dpf");
    const std::string before = ReadFile("a.dpf");
    EXPECT_EQ(dpf.Compact("a.dpf"), 0);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Compact('a.dpf')] Info: the given DPF does not need a compact process.\n"));
    EXPECT_EQ(ReadFile("a.dpf"), before);
    EXPECT_FALSE(FileExists("dpf.tmp"));
}

TEST_F(MaintainTest, CompactDropsDeletedBlocksAndKeepsTheRest) {
    auto noPause = compact_pause::SetPauseFunction([](uint32_t) {});
    MakeMixedArchive("a.dpf");
    int handle = dpf.Open("a.dpf");
    DPF_BlockData gone = Block("raw", "SND", 0, "");
    ASSERT_EQ(dpf.Delete(handle, &gone), 1);
    EXPECT_EQ(dpf.Compact("a.dpf"), 0);
    EXPECT_TRUE(log.Contains(
        " . [IStuffDPF->Compact('a.dpf')] Error: the given DPF is already opened. We can not compact it.\n"));
    dpf.Close(handle);

    std::vector<std::string> expected = Contents("a.dpf");
    expected.erase(expected.begin() + 1);
    const size_t before = ReadFile("a.dpf").size();
    EXPECT_EQ(dpf.Compact("a.dpf"), 1);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Compact('a.dpf')] Info: process completed.\n"));
    EXPECT_EQ(ReadFile("a.dpf").size(), before - 80 - 336);
    EXPECT_EQ(Contents("a.dpf"), expected);
    EXPECT_FALSE(FileExists("dpf.tmp"));
    compact_pause::SetPauseFunction(noPause);
}

TEST_F(MaintainTest, ProtectThenUnprotectGivesTheOriginalBlocks) {
    ASSERT_EQ(mkdir("data", 0755), 0);
    MakeMixedArchive("data/pack.dpf");
    const std::vector<std::string> original = Contents("data/pack.dpf");
    unsigned char password[] = "0123456789abcdef";
    ASSERT_EQ(dpf.Protect("data/pack.dpf", password, 16), 1);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Protect('data/pack.dpf')] Info: process completed. New "
                             "'data/pack_secure.dpf' file created.\n"));
    ASSERT_EQ(dpf.UnProtect("data/pack_secure.dpf", password, 16), 1);
    EXPECT_EQ(Contents("data/pack_secure_unsecure.dpf"), original);
    EXPECT_EQ(Contents("data/pack.dpf"), original);

    dpf.SetPassword(password, 16);
    EXPECT_EQ(Contents("data/pack_secure.dpf"), original);
}

TEST_F(MaintainTest, ProtectRestoresThePasswordInForce) {
    MakeMixedArchive("a.dpf");
    unsigned char password[] = "first password";
    ASSERT_EQ(dpf.Protect("a.dpf", password, 14), 1);
    unsigned char other[] = "other password";
    EXPECT_EQ(dpf.Protect("a_secure.dpf", other, 14), 0);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Protect('a_secure.dpf')] Warning: the given DPF is already protected.\n"));
    EXPECT_EQ(dpf.UnProtect("a.dpf", other, 14), 0);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->UnProtect('a.dpf')] Warning: the given DPF is already unprotected.\n"));

    // No password was in force before, and none is now.
    const int handle = dpf.Open("a_secure.dpf");
    DPF_BlockData block{};
    EXPECT_EQ(dpf.FindFirst(handle, &block), 0);
    dpf.SetPassword(password, 14);
    EXPECT_EQ(dpf.FindFirst(handle, &block), 1);
    EXPECT_EQ(dpf.Protect("a.dpf", other, 14), 1);
    EXPECT_EQ(dpf.FindFirst(handle, &block), 1);  // still the first password
    dpf.Close(handle);
}

TEST_F(MaintainTest, PasswordsOutsideEightTo56BytesChangeNothing) {
    MakeMixedArchive("a.dpf");
    unsigned char password[] = "good password";
    ASSERT_EQ(dpf.Protect("a.dpf", password, 13), 1);
    dpf.SetPassword(password, 13);
    unsigned char longPassword[57] = {1};
    dpf.SetPassword(longPassword, 57);
    dpf.SetPassword(password, 7);
    dpf.SetPassword(nullptr, 10);
    const int handle = dpf.Open("a_secure.dpf");
    EXPECT_EQ(dpf.GetNumBlocks(handle), 4);
    dpf.Close(handle);
    EXPECT_EQ(dpf.Protect("a.dpf", password, 7), 0);
    EXPECT_EQ(dpf.Protect("a.dpf", longPassword, 57), 0);
}

TEST_F(MaintainTest, WrongPasswordFailsUnprotectAndLeavesNoFile) {
    MakeMixedArchive("a.dpf");
    unsigned char password[] = "right password";
    ASSERT_EQ(dpf.Protect("a.dpf", password, 14), 1);
    const std::string secured = ReadFile("a_secure.dpf");
    unsigned char wrong[] = "wrong password";
    EXPECT_EQ(dpf.UnProtect("a_secure.dpf", wrong, 14), 0);
    EXPECT_FALSE(FileExists("a_secure_unsecure.dpf"));
    EXPECT_EQ(ReadFile("a_secure.dpf"), secured);
}

TEST_F(MaintainTest, DerivedNamesCutOnlyTheExtensionOfTheFileName) {
    ASSERT_EQ(mkdir("data.v1", 0755), 0);
    MakeArchive("data.v1/pack", {{"one", "RAW", 1, "1"}});
    unsigned char password[] = "12345678";
    ASSERT_EQ(dpf.Protect("data.v1/pack", password, 8), 1);
    EXPECT_TRUE(FileExists("data.v1/pack_secure.dpf"));
    ASSERT_EQ(dpf.UnProtect("data.v1/pack_secure.dpf", password, 8), 1);
    EXPECT_TRUE(FileExists("data.v1/pack_secure_unsecure.dpf"));
}

TEST_F(MaintainTest, CompactOfAProtectedArchiveNeedsThePasswordAndKeepsItProtected) {
    auto noPause = compact_pause::SetPauseFunction([](uint32_t) {});
    MakeMixedArchive("a.dpf");
    unsigned char password[] = "compact password";
    ASSERT_EQ(dpf.Protect("a.dpf", password, 16), 1);
    dpf.SetPassword(password, 16);
    const std::vector<std::string> original = Contents("a_secure.dpf");
    int handle = dpf.Open("a_secure.dpf");
    DPF_BlockData gone = Block("text", "IMG", 0, "");
    ASSERT_EQ(dpf.Delete(handle, &gone), 1);
    dpf.Close(handle);

    Veltrano_IStuffDPF withoutPassword;
    EXPECT_EQ(withoutPassword.Compact("a_secure.dpf"), 0);
    EXPECT_TRUE(log.Contains(
        " . [IStuffDPF->Compact('a_secure.dpf')] Error: the given DPF is protected and the key was not set.\n"));
    EXPECT_EQ(dpf.Compact("a_secure.dpf"), 1);
    EXPECT_EQ(Contents("a_secure.dpf"), std::vector<std::string>(original.begin() + 1, original.end()));
    EXPECT_EQ(ReadFile("a_secure.dpf").find("scrambled"), std::string::npos);
    compact_pause::SetPauseFunction(noPause);
}
