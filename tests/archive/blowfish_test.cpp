#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "archive/blowfish.h"

namespace {

std::string Hex(const uint8_t* bytes, size_t length) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < length; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
    }
    return out;
}

std::string EncipherHex(const uint8_t* key, size_t keyLength, const char plain[9]) {
    Blowfish cipher;
    cipher.SetKey(key, keyLength);
    uint8_t block[8];
    std::memcpy(block, plain, 8);
    cipher.Encipher(block, 1);
    return Hex(block, 8);
}

}  // namespace

// The reference vector (all-zero key and block gives 4EF99745 6198DD78)
// appears with each half stored little-endian.
TEST(Blowfish, ZeroKeyMatchesTheReferenceWithLittleEndianHalves) {
    const uint8_t key[8] = {};
    EXPECT_EQ(EncipherHex(key, 8, "\0\0\0\0\0\0\0\0"), "4597f94e78dd9861");
}

TEST(Blowfish, TextKeyVector) {
    const std::string key = "VeltranoTestKey!";
    EXPECT_EQ(EncipherHex(reinterpret_cast<const uint8_t*>(key.data()), key.size(), "DPF-test"), "e88be87e638d8b4e");
}

// Key bytes of 0x80 and above are sign-extended in the schedule; the
// zero-extending schedule would give 16009cf6592d4dd4.
TEST(Blowfish, HighKeyBytesAreSignExtended) {
    const uint8_t key[8] = {0x80, 0x01, 0xFE, 0x7F, 0x00, 0xC3, 0x55, 0xAA};
    EXPECT_EQ(EncipherHex(key, 8, "\0\0\0\0\0\0\0\0"), "37f5dfaea6377158");
}

TEST(Blowfish, DecipherUndoesEncipherOverManyBlocks) {
    const uint8_t key[56] = {1, 2, 3, 200, 250};
    Blowfish cipher;
    cipher.SetKey(key, sizeof key);
    uint8_t data[64];
    for (int i = 0; i < 64; ++i) data[i] = static_cast<uint8_t>(i * 37);
    uint8_t copy[64];
    std::memcpy(copy, data, sizeof copy);
    cipher.Encipher(data, 8);
    EXPECT_NE(std::memcmp(data, copy, sizeof data), 0);
    cipher.Decipher(data, 8);
    EXPECT_EQ(std::memcmp(data, copy, sizeof data), 0);
}

TEST(Blowfish, KeysOutsideOneTo56BytesLeaveTheCipherAsItWas) {
    const uint8_t key[57] = {9};
    Blowfish keyed;
    keyed.SetKey(key, 8);
    Blowfish ignored = keyed;
    ignored.SetKey(key, 57);
    ignored.SetKey(key, 0);
    uint8_t a[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    uint8_t b[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    keyed.Encipher(a, 1);
    ignored.Encipher(b, 1);
    EXPECT_EQ(std::memcmp(a, b, 8), 0);
}
