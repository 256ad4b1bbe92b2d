#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::TempDir;
using testing_support::WriteFile;

TEST(Crc32, ReferenceValuesOfBuffers) {
    EXPECT_EQ(Veltrano.CRC32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Veltrano.CRC32("a", 1), 0xE8B7BE43u);
    EXPECT_EQ(Veltrano.CRC32("The quick brown fox jumps over the lazy dog", 43), 0x414FA339u);
    const char zeros[4] = {0, 0, 0, 0};
    EXPECT_EQ(Veltrano.CRC32(zeros, 4), 0x2144DF1Cu);
}

TEST(Crc32, EmptyNegativeOrNullInputGivesZero) {
    EXPECT_EQ(Veltrano.CRC32("123", 0), 0u);
    EXPECT_EQ(Veltrano.CRC32("123", -5), 0u);
    EXPECT_EQ(Veltrano.CRC32(static_cast<const char*>(nullptr), 4), 0u);
}

TEST(Crc32, FileMatchesItsBytes) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 100000; ++i) bytes.push_back(static_cast<char>(i * 7 + (i >> 8)));
    WriteFile(dir.file("data.bin"), bytes);
    EXPECT_EQ(Veltrano.CRC32(dir.file("data.bin").c_str()),
              Veltrano.CRC32(bytes.data(), static_cast<int>(bytes.size())));

    WriteFile(dir.file("empty.bin"), "");
    EXPECT_EQ(Veltrano.CRC32(dir.file("empty.bin").c_str()), 0u);
    EXPECT_EQ(Veltrano.CRC32(dir.file("missing.bin").c_str()), 0u);
    EXPECT_EQ(Veltrano.CRC32(static_cast<const char*>(nullptr)), 0u);
    EXPECT_EQ(Veltrano.CRC32(""), 0u);
}
