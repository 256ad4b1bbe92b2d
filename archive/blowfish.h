// Blowfish (16 rounds, ECB on 8-byte blocks) as the archive format uses it.
// Two details differ from the reference encoding and are part of the format:
// each block is two little-endian 32-bit halves (bytes 0-3 left, 4-7 right),
// and the key schedule sign-extends every key byte before shifting it into
// the word it builds.
#ifndef VELTRANO_ARCHIVE_BLOWFISH_H
#define VELTRANO_ARCHIVE_BLOWFISH_H

#include <cstddef>
#include <cstdint>

class Blowfish {
public:
    static constexpr int kRounds = 16;
    static constexpr size_t kBlockSize = 8;
    static constexpr size_t kMinKeyLength = 1;
    static constexpr size_t kMaxKeyLength = 56;

    Blowfish();
    // Keys the cipher; a key of length 0 or over 56 bytes leaves it as it was.
    void SetKey(const uint8_t* key, size_t length);
    // Work in place on blockCount consecutive 8-byte blocks.
    void Encipher(uint8_t* data, size_t blockCount) const;
    void Decipher(uint8_t* data, size_t blockCount) const;

    void EncipherWords(uint32_t& left, uint32_t& right) const;
    void DecipherWords(uint32_t& left, uint32_t& right) const;

private:
    static const uint32_t kInitialP[kRounds + 2];
    static const uint32_t kInitialS[4][256];

    uint32_t Round(uint32_t x) const;

    uint32_t p_[kRounds + 2];
    uint32_t s_[4][256];
};

#endif
