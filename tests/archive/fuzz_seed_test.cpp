// The seed archives of the archive fuzzer, made by the library. Each seed is
// one variant byte (see fuzz/fuzz_dpf.cpp) followed by an archive file.
// With VELTRANO_DPF_SEED_DIR set the seeds are written there, which is how
// fuzz/corpus/dpf is regenerated; otherwise they are checked in a temporary
// folder.
#include <cstdlib>

#include "archive_test_helpers.h"

using namespace archive_test;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

class FuzzSeeds : public ArchiveTest {
protected:
    void Keep(const char* archive, const char* seed, char variant) {
        const char* folder = std::getenv("VELTRANO_DPF_SEED_DIR");
        const std::string path = folder != nullptr ? std::string(folder) + "/" + seed : dir.file(seed);
        WriteFile(path, std::string(1, variant) + ReadFile(archive));
        EXPECT_GT(ReadFile(path).size(), 256u);
    }
};

}  // namespace

TEST_F(FuzzSeeds, SmallValidArchivesOfEveryKind) {
    const int empty = dpf.Create("empty.dpf");
    dpf.Close(empty);
    Keep("empty.dpf", "empty", 0);

    MakeArchive("mixed.dpf", {{"text", "IMG", 0, Compressible(600, 1)},
                              {"odd", "RAW", 1, "thirteen byte"},
                              {"scrambled", "SND", 2, Noise(40, 2)},
                              {"config.xml", "FILE", 0, "<a b='1'/>"}});
    Keep("mixed.dpf", "mixed", 0);
    Keep("mixed.dpf", "mixed-aged-modified", 4 | 8);

    MakeArchive("deleted.dpf", {{"gone", "TILE2", 1, "12345678"}, {"kept", "TILE2", 0, Compressible(200, 3)}});
    const int handle = dpf.Open("deleted.dpf");
    DPF_BlockData gone = Block("gone", "TILE2", 0, "");
    ASSERT_EQ(dpf.Delete(handle, &gone), 1);
    dpf.Close(handle);
    Keep("deleted.dpf", "deleted", 2);

    unsigned char password[] = "fuzzpass";
    ASSERT_EQ(dpf.Protect("mixed.dpf", password, 8), 1);
    Keep("mixed_secure.dpf", "protected", 1 | 2);

    // A version 3 archive: 256-byte header, then ID, 46-byte record, data.
    std::string v3(256, '\0');
    v3.replace(0, 7, "DPFv3.0");
    std::string record(46, '\0');
    record.replace(0, 4, "old1");
    record.replace(32, 3, "IMG");
    record[37] = 1;
    record.replace(38, 4, PutLE32(5));
    record.replace(42, 4, PutLE32(5));
    v3 += ".BlockData." + record + "hello";
    record.replace(32, 4, "DELE");
    v3 += "\xB7" "BlockData\xB7" + record + "gone!";
    WriteFile("v3.dpf", v3);
    Keep("v3.dpf", "version3", 0);

    const int secured = dpf.Open("mixed_secure.dpf");
    EXPECT_EQ(dpf.IsProtected(), 1);
    dpf.SetPassword(password, 8);
    EXPECT_EQ(dpf.GetNumBlocks(secured), 4);
    dpf.Close(secured);
}
