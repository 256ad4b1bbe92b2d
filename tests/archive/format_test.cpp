// The bytes of written archives.
#include <cstring>

#include "Veltrano_Main.h"
#include "archive/archive_keys.h"
#include "archive/blowfish.h"
#include "archive_test_helpers.h"

using namespace archive_test;
using testing_support::ReadFile;

namespace {

bool IsDateText(const std::string& field) {
    const std::string text = field.substr(0, field.find('\0'));
    return text.size() == 24 && text[3] == ' ' && text[7] == ' ' && text[13] == ':' && text[16] == ':';
}

class FormatTest : public ArchiveTest {};

}  // namespace

TEST_F(FormatTest, NewArchiveIsSignatureAndDecipherableHeader) {
    const int handle = dpf.Create("new.dpf");
    ASSERT_GT(handle, 0);
    dpf.Close(handle);
    const std::string file = ReadFile("new.dpf");
    ASSERT_EQ(file.size(), 520u);
    EXPECT_EQ(file.substr(0, 8), std::string("DPFv4.0\0", 8));

    const std::string header = DecipheredHeader(file);
    EXPECT_EQ(std::string(header.c_str()), std::string(Veltrano.GetCopyright()));
    EXPECT_TRUE(IsDateText(header.substr(29, 32)));
    EXPECT_TRUE(IsDateText(header.substr(61, 32)));
    // One moment of creation for both dates.
    EXPECT_EQ(header.substr(29, 32), header.substr(61, 32));
    EXPECT_EQ(header[93], 0);
    EXPECT_EQ(LE32(header, 96), 0u);
    for (int i = 100; i < 510; ++i) EXPECT_NE(static_cast<uint8_t>(header[i]), 255) << i;
    EXPECT_STREQ(dpf.GetName(), "DPFv4.0");
    EXPECT_STREQ(dpf.GetCopyright(), Veltrano.GetCopyright());
    EXPECT_EQ(dpf.IsProtected(), 0);
}

TEST_F(FormatTest, BlockIsIdHeaderAndDataPaddedToEight) {
    const std::string bytes = "thirteen byte";  // storedSize 13
    MakeArchive("a.dpf", {{"first", "RAW", 1, bytes}, {"second", "RAW", 1, "x"}});
    const std::string file = ReadFile("a.dpf");
    ASSERT_EQ(file.size(), 520u + 80 + 16 + 80 + 8);
    EXPECT_EQ(FindId(file), 520u);
    EXPECT_EQ(file.substr(520, 16), "\xB7\xAE\xCE" "Block-Data\xCE\xAF\xB7");

    const std::string header = file.substr(536, 64);
    EXPECT_EQ(header.substr(0, 32), std::string("first") + std::string(27, '\0'));
    EXPECT_EQ(header.substr(32, 8), std::string("RAW") + std::string(5, '\0'));
    EXPECT_EQ(header.substr(40, 4), std::string("\1\0\0\0", 4));
    EXPECT_EQ(LE32(header, 44), 13u);
    EXPECT_EQ(LE32(header, 48), 13u);
    EXPECT_EQ(header.substr(52), std::string(12, '\0'));
    EXPECT_EQ(file.substr(600, 16), bytes + std::string(3, '\0'));
    EXPECT_EQ(FindId(file, 521), 616u);

    // After Close the header's CRC covers every byte from offset 520.
    const std::string stored = file.substr(520);
    EXPECT_EQ(LE32(DecipheredHeader(file), 96), Veltrano.CRC32(stored.data(), static_cast<int>(stored.size())));
}

TEST_F(FormatTest, ScrambledAndCompressedBlocksAreNotStoredAsGiven) {
    const std::string bytes = Compressible(4000, 1);
    MakeArchive("a.dpf", {{"packed", "IMG", 0, bytes}, {"mixed", "IMG", 2, "abc"}});
    const std::string file = ReadFile("a.dpf");
    const uint32_t packedStored = LE32(file, 536 + 48);
    EXPECT_LT(packedStored, 4000u);
    EXPECT_EQ(LE32(file, 536 + 44), 4000u);
    EXPECT_EQ(file.find(bytes.substr(0, 200)), std::string::npos);

    const size_t second = FindId(file, 521);
    ASSERT_EQ(second, 600 + (packedStored + 7) / 8 * 8);
    EXPECT_EQ(file[second + 16 + 40], 2);
    const std::string scrambled = file.substr(second + 80, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(static_cast<uint8_t>(scrambled[i]), static_cast<uint8_t>("abc"[i]) ^ archive_keys::kScrambleKey);
}

TEST_F(FormatTest, DeletedBlockKeepsItsPlaceWithMarkedHeader) {
    MakeArchive("a.dpf", {{"gone", "SND", 1, "12345678"}, {"kept", "SND", 1, "abc"}});
    const std::string before = ReadFile("a.dpf");
    int handle = dpf.Open("a.dpf");
    DPF_BlockData block = Block("gone", "SND", 0, "");
    ASSERT_EQ(dpf.Delete(handle, &block), 1);
    dpf.Close(handle);
    const std::string after = ReadFile("a.dpf");
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(536, 32), std::string("?one") + std::string(28, '\0'));
    EXPECT_EQ(after.substr(568, 8), std::string("DELETED\0", 8));
    EXPECT_EQ(after.substr(576), before.substr(576));
}

TEST_F(FormatTest, ProtectedArchiveEnciphersHeaderBlocksAndData) {
    MakeArchive("plain.dpf", {{"secret", "TXT", 1, "sixteen bytes!!!"}});
    unsigned char password[] = "password1";
    ASSERT_EQ(dpf.Protect("plain.dpf", password, 9), 1);
    const std::string file = ReadFile("plain_secure.dpf");
    EXPECT_EQ(DecipheredHeader(file)[93], 1);
    EXPECT_EQ(FindId(file), 520u);
    EXPECT_EQ(file.find("secret"), std::string::npos);
    EXPECT_EQ(file.find("sixteen"), std::string::npos);

    Blowfish cipher;
    cipher.SetKey(password, 9);
    std::string header = file.substr(536, 64);
    cipher.Decipher(reinterpret_cast<uint8_t*>(header.data()), 8);
    EXPECT_STREQ(header.c_str(), "secret");
    std::string data = file.substr(600, 16);
    cipher.Decipher(reinterpret_cast<uint8_t*>(data.data()), 2);
    EXPECT_EQ(data, "sixteen bytes!!!");
}
