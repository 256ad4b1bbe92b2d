// Opening a version 3 archive converts it.
#include <sys/stat.h>

#include <cstring>

#include "archive_test_helpers.h"

using namespace archive_test;
using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

std::string V3Header() {
    std::string header(256, '\0');
    header.replace(0, 8, std::string("DPFv3.0\0", 8));
    header.replace(8, 20, "(C) old archive team");
    header.replace(37, 24, "Mon Jan  5 10:20:30 2004");
    return header;
}

std::string V3Block(const std::string& name, const std::string& type, int storage, const std::string& data,
                    bool dottedId = true) {
    std::string block = dottedId ? ".BlockData." : "\xB7" "BlockData\xB7";
    std::string record(46, '\0');
    record.replace(0, name.size(), name);
    record.replace(32, type.size(), type);
    record[37] = static_cast<char>(storage);
    record.replace(38, 4, PutLE32(static_cast<uint32_t>(data.size())));
    record.replace(42, 4, PutLE32(static_cast<uint32_t>(data.size())));
    return block + record + data;
}

class Version3Test : public ArchiveTest {};

}  // namespace

TEST_F(Version3Test, OpeningConvertsAndKeepsTheOldFile) {
    const std::string v3 = V3Header() + V3Block("intro", "MUS", 1, "thirteen byte") +
                           V3Block("old", "DELE", 1, "dropped") + V3Block("logo", "IMG", 1, "xy", false);
    WriteFile("pack.dpf", v3);
    const int handle = dpf.Open("pack.dpf");
    ASSERT_GT(handle, 0) << log.Text();
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Open('pack.dpf')] Info: the given DPF was updated from v3.0 to v4.0.\n"));
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Update3to4('pack.dpf')] Info: imported block 2 - Name 'logo' - Type "
                             "'IMG' - Size 0 Kb\n"));
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Update3to4('pack.dpf')] Info: total blocks imported: 2\n"));
    EXPECT_TRUE(log.Contains("   - Original DPF v3.0 was renamed to pack_v3.dpf\n\n"));
    EXPECT_EQ(dpf.GetNumBlocks(handle), 2);
    EXPECT_EQ(Load(handle, "MUS", "intro"), "thirteen byte");
    EXPECT_EQ(Load(handle, "IMG", "logo"), "xy");
    EXPECT_EQ(Load(handle, "DELE", "old"), "<failed>");
    EXPECT_STREQ(dpf.GetCopyright(), "(C) old archive team");
    EXPECT_STREQ(dpf.GetCreateDate(), "Mon Jan  5 10:20:30 2004");
    dpf.Close(handle);

    EXPECT_EQ(ReadFile("pack_v3.dpf"), v3);
    EXPECT_FALSE(FileExists("tmp.dpf"));
    const std::string converted = ReadFile("pack.dpf");
    EXPECT_EQ(converted.substr(0, 8), std::string("DPFv4.0\0", 8));
    EXPECT_EQ(converted.size(), 520u + 80 + 16 + 80 + 8);
    Veltrano_IStuffDPF fresh;  // a new table: the CRC must hold
    const int again = fresh.Open("pack.dpf");
    EXPECT_GT(again, 0);
    fresh.Close(again);
}

TEST_F(Version3Test, DamagedVersion3FileStaysInPlace) {
    const std::string badId = V3Header() + V3Block("a", "IMG", 1, "abc") + "garbage-id-and-more-bytes";
    WriteFile("bad.dpf", badId);
    EXPECT_EQ(dpf.Open("bad.dpf"), -1);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Update3to4('bad.dpf')] Error: header block does not match.\n"));
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Open('bad.dpf')] Error: it was not possible to update the given DPF "
                             "from v3.0 to v4.0.\n"));
    EXPECT_EQ(ReadFile("bad.dpf"), badId);
    EXPECT_FALSE(FileExists("bad_v3.dpf"));
    EXPECT_FALSE(FileExists("tmp.dpf"));

    // A size larger than the file is refused before anything is read.
    std::string huge = V3Header() + V3Block("a", "IMG", 1, "abc");
    huge.replace(256 + 11 + 42, 4, PutLE32(0x7FFFFFF0));
    WriteFile("huge.dpf", huge);
    EXPECT_EQ(dpf.Open("huge.dpf"), -1);
    EXPECT_TRUE(log.Contains(" . [IStuffDPF->Update3to4('huge.dpf')] Error: data block is corrupted.\n"));
    EXPECT_EQ(ReadFile("huge.dpf"), huge);

    WriteFile("short.dpf", V3Header().substr(0, 100));
    EXPECT_EQ(dpf.Open("short.dpf"), -1);
}

TEST_F(Version3Test, BackupNameKeepsFoldersWithDots) {
    ASSERT_EQ(mkdir("old.assets", 0755), 0);
    WriteFile("old.assets/pack", V3Header() + V3Block("a", "IMG", 1, "abc"));
    const int handle = dpf.Open("old.assets/pack");
    ASSERT_GT(handle, 0);
    dpf.Close(handle);
    EXPECT_TRUE(FileExists("old.assets/pack_v3.dpf"));
}
