// Damaged, truncated and hostile archives end in logged failures, never in
// a crash, an out-of-bounds access or an absurd allocation.
#include <sys/stat.h>
#include <sys/time.h>

#include <cstring>

#include "Veltrano_Main.h"
#include "archive/archive_keys.h"
#include "archive/blowfish.h"
#include "archive/compact_pause.h"
#include "archive_test_helpers.h"

using namespace archive_test;
using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

// Stores a matching CRC in the header, so the damage is met past Open.
std::string Resealed(std::string file, bool markProtected = false) {
    std::string header = DecipheredHeader(file);
    if (markProtected) header[93] = 1;
    const std::string blocks = file.size() > 520 ? file.substr(520) : std::string();
    header.replace(96, 4, PutLE32(Veltrano.CRC32(blocks.data(), static_cast<int>(blocks.size()))));
    uint8_t key[archive_keys::kArchiveKeyLength];
    archive_keys::UnmaskArchiveKey(key);
    Blowfish cipher;
    cipher.SetKey(key, sizeof key);
    cipher.Encipher(reinterpret_cast<uint8_t*>(header.data()), 64);
    file.replace(8, 512, header);
    return file;
}

void SetField(std::string& file, size_t blockOffset, size_t field, uint32_t value) {
    file.replace(blockOffset + 16 + field, 4, PutLE32(value));
}

class HostileTest : public ArchiveTest {
protected:
    void SetUp() override { previousPause_ = compact_pause::SetPauseFunction([](uint32_t) {}); }
    void TearDown() override { compact_pause::SetPauseFunction(previousPause_); }

    // Opens the file, walks it in both modes, loads every block, counts,
    // closes and compacts: nothing of it may crash.
    void Exercise(const char* name) {
        const int handle = dpf.Open(name);
        if (handle > 0) {
            for (char mode : {0, 1}) {
                dpf.SetAccessMode(mode);
                DPF_BlockData block{};
                std::vector<DPF_BlockData> found;
                for (int r = dpf.FindFirst(handle, &block); r == 1 && found.size() < 1000;
                     r = dpf.FindNext(handle, &block))
                    found.push_back(block);
                for (const DPF_BlockData& record : found) {
                    DPF_BlockData loaded{};
                    const int size = dpf.LoadBlock(handle, record.type, record.name, &loaded);
                    if (size > 0) {
                        EXPECT_NE(loaded.data, nullptr);
                    }
                    dpf.FreeBlock(&loaded);
                }
            }
            dpf.SetAccessMode(0);
            dpf.GetNumBlocks(handle);
            dpf.GetFragment(handle);
            dpf.Close(handle);
        }
        dpf.Compact(name);
    }

    compact_pause::PauseFunction previousPause_ = nullptr;
};

}  // namespace

TEST_F(HostileTest, ShortFilesAreRefusedByOpen) {
    WriteFile("zero.dpf", "");
    WriteFile("five.dpf", "DPFv4");
    WriteFile("hundred.dpf", std::string("DPFv4.0\0", 8) + std::string(92, 'x'));
    WriteFile("almost.dpf", std::string("DPFv4.0\0", 8) + std::string(511, 'x'));
    EXPECT_EQ(dpf.Open("zero.dpf"), -1);
    EXPECT_EQ(dpf.Open("five.dpf"), -1);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Open('five.dpf')] Error: it is not a valid DPF.\n"));
    EXPECT_EQ(dpf.Open("hundred.dpf"), -1);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Open('hundred.dpf')] Error: the given DPF is corrupted.\n"));
    EXPECT_EQ(dpf.Open("almost.dpf"), -1);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Open('almost.dpf')] Error: the given DPF is corrupted.\n"));
}

TEST_F(HostileTest, TruncationAnywhereFailsCleanly) {
    MakeArchive("a.dpf", {{"text", "IMG", 0, Compressible(3000, 1)}, {"raw", "IMG", 1, Noise(100, 2)}});
    const std::string file = ReadFile("a.dpf");
    for (size_t cut = 521; cut < file.size(); cut += 7) {
        const std::string name = "cut" + std::to_string(cut) + ".dpf";
        WriteFile(name, Resealed(file.substr(0, cut)));
        Exercise(name.c_str());
    }
    // A header cut short is reported by the walk.
    WriteFile("header.dpf", Resealed(file.substr(0, 520 + 16 + 30)));
    const int handle = dpf.Open("header.dpf");
    DPF_BlockData block{};
    EXPECT_EQ(dpf.FindFirst(handle, &block), 2);
    EXPECT_TRUE(log.Contains("Error: the first block was unsuccessfully loaded.\n"));
    dpf.Close(handle);
}

TEST_F(HostileTest, HugeAndNegativeSizesAreRefusedBeforeAllocating) {
    MakeArchive("a.dpf", {{"packed", "IMG", 0, Compressible(3000, 1)}, {"raw", "IMG", 1, Noise(100, 2)}});
    const std::string file = ReadFile("a.dpf");
    const size_t second = FindId(file, 521);

    std::string storedHuge = file;
    SetField(storedHuge, 520, 48, 0x7FFFFFF0);
    WriteFile("stored.dpf", Resealed(storedHuge));
    std::string sizeHuge = file;
    SetField(sizeHuge, 520, 44, 0x7FFFFFF0);
    WriteFile("size.dpf", Resealed(sizeHuge));
    std::string rawMismatch = file;
    SetField(rawMismatch, second, 44, 0x10000000);
    WriteFile("raw.dpf", Resealed(rawMismatch));
    std::string negative = file;
    SetField(negative, 520, 48, 0xFFFFFF00);
    SetField(negative, second, 48, static_cast<uint32_t>(-80));
    WriteFile("negative.dpf", Resealed(negative));

    int handle = dpf.Open("stored.dpf");
    EXPECT_EQ(Load(handle, "IMG", "packed"), "<failed>");
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->LoadBlock('stored.dpf','IMG','packed')] Error: datablock was not loaded "
                             "successfully.\n"));
    dpf.Close(handle);
    handle = dpf.Open("size.dpf");
    EXPECT_EQ(Load(handle, "IMG", "packed"), "<failed>");
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->LoadBlock('size.dpf','IMG','packed')] Error: UCL failed to decompress "
                             "the data block.\n"));
    EXPECT_EQ(Load(handle, "IMG", "raw"), Noise(100, 2));
    dpf.Close(handle);
    handle = dpf.Open("raw.dpf");
    EXPECT_EQ(Load(handle, "IMG", "raw"), "<failed>");
    dpf.Close(handle);
    // Negative sizes cannot send a walk backwards for ever.
    handle = dpf.Open("negative.dpf");
    EXPECT_EQ(dpf.GetNumBlocks(handle), 2);
    EXPECT_EQ(Load(handle, "IMG", "raw"), "<failed>");
    dpf.Close(handle);

    for (const char* name : {"stored.dpf", "size.dpf", "raw.dpf", "negative.dpf"}) {
        Exercise(name);
        unsigned char password[] = "password";
        dpf.Protect(name, password, 8);
    }
    EXPECT_FALSE(FileExists("stored_secure.dpf"));
    EXPECT_FALSE(FileExists("negative_secure.dpf"));
}

TEST_F(HostileTest, CompactOfADamagedArchiveLeavesItAsItWas) {
    MakeArchive("a.dpf", {{"gone", "IMG", 1, "12345678"}, {"kept", "IMG", 1, Noise(100, 2)}});
    int handle = dpf.Open("a.dpf");
    DPF_BlockData block = Block("gone", "IMG", 0, "");
    ASSERT_EQ(dpf.Delete(handle, &block), 1);
    dpf.Close(handle);
    std::string file = ReadFile("a.dpf");
    SetField(file, FindId(file, 521), 48, 5000);  // the kept block claims more data than there is
    file = Resealed(file);
    WriteFile("a.dpf", file);
    EXPECT_EQ(dpf.Compact("a.dpf"), 0);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Compact('a.dpf')] Error: compacted DPF has wrong structure, aborting "
                             "process.\n"));
    EXPECT_EQ(ReadFile("a.dpf"), file);
    EXPECT_FALSE(FileExists("dpf.tmp"));
}

TEST_F(HostileTest, GarbageAfterAValidHeaderIsWalkedSafely) {
    const int handle = dpf.Create("g.dpf");
    dpf.Close(handle);
    std::string file = ReadFile("g.dpf");
    std::string body = Noise(20000, 7);
    // ID blocks followed by random headers, scattered through the noise.
    const std::string id = "\xB7\xAE\xCE" "Block-Data\xCE\xAF\xB7";
    for (size_t at = 100; at + 100 < body.size(); at += 997) body.replace(at, 16, id);
    body += id + "\xB7\xAE";
    WriteFile("g.dpf", Resealed(file + body));
    Exercise("g.dpf");

    // The same as a protected archive: every header deciphers to noise.
    WriteFile("p.dpf", Resealed(file + body, true));
    unsigned char password[] = "password";
    EXPECT_EQ(dpf.UnProtect("p.dpf", password, 8), 0);
    EXPECT_FALSE(FileExists("p_unsecure.dpf"));
    dpf.SetPassword(password, 8);
    Exercise("p.dpf");
}

// The walk remembers blocks between searches; it must still see changes made
// to the file through another slot or by another program.
TEST_F(HostileTest, SearchesSeeChangesMadeOutsideTheirSlot) {
    MakeArchive("a.dpf", {{"one", "RAW", 1, "11111111"}, {"two", "RAW", 1, "22222222"}});
    // An old modification time lets the remembered blocks be trusted.
    struct timeval old[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimes("a.dpf", old), 0);

    const int handle = dpf.Open("a.dpf");
    const int other = dpf.Open("./a.dpf");
    ASSERT_NE(handle, other);
    EXPECT_EQ(Load(handle, "RAW", "two"), "22222222");
    DPF_BlockData block = Block("two", "RAW", 0, "");
    ASSERT_EQ(dpf.Delete(other, &block), 1);
    EXPECT_EQ(Load(handle, "RAW", "two"), "<failed>");
    EXPECT_EQ(dpf.GetNumDelBlocks(handle), 1);
    dpf.Close(other);
    dpf.Close(handle);

    ASSERT_EQ(utimes("a.dpf", old), 0);
    const int third = dpf.Open("a.dpf");
    EXPECT_EQ(Load(third, "RAW", "one"), "11111111");
    std::string file = ReadFile("a.dpf");
    file.replace(536, 3, "uno");
    WriteFile("a.dpf", file);
    EXPECT_EQ(Load(third, "RAW", "uno"), "11111111");
    dpf.Close(third);
}
