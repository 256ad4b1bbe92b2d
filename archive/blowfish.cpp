#include "archive/blowfish.h"

#include <cstring>

namespace {

uint32_t LoadLittleEndian(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void StoreLittleEndian(uint8_t* bytes, uint32_t word) {
    bytes[0] = static_cast<uint8_t>(word);
    bytes[1] = static_cast<uint8_t>(word >> 8);
    bytes[2] = static_cast<uint8_t>(word >> 16);
    bytes[3] = static_cast<uint8_t>(word >> 24);
}

}  // namespace

Blowfish::Blowfish() {
    std::memcpy(p_, kInitialP, sizeof p_);
    std::memcpy(s_, kInitialS, sizeof s_);
}

uint32_t Blowfish::Round(uint32_t x) const {
    return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) + s_[3][x & 0xFF];
}

void Blowfish::EncipherWords(uint32_t& left, uint32_t& right) const {
    uint32_t l = left;
    uint32_t r = right;
    for (int i = 0; i < kRounds; i += 2) {
        l ^= p_[i];
        r ^= Round(l);
        r ^= p_[i + 1];
        l ^= Round(r);
    }
    l ^= p_[kRounds];
    r ^= p_[kRounds + 1];
    left = r;
    right = l;
}

void Blowfish::DecipherWords(uint32_t& left, uint32_t& right) const {
    uint32_t l = left;
    uint32_t r = right;
    for (int i = kRounds + 1; i > 1; i -= 2) {
        l ^= p_[i];
        r ^= Round(l);
        r ^= p_[i - 1];
        l ^= Round(r);
    }
    l ^= p_[1];
    r ^= p_[0];
    left = r;
    right = l;
}

void Blowfish::SetKey(const uint8_t* key, size_t length) {
    if (key == nullptr || length < kMinKeyLength || length > kMaxKeyLength) return;
    std::memcpy(p_, kInitialP, sizeof p_);
    std::memcpy(s_, kInitialS, sizeof s_);
    size_t k = 0;
    for (uint32_t& word : p_) {
        uint32_t data = 0;
        for (int i = 0; i < 4; ++i) {
            // The format's schedule sign-extends: a byte >= 0x80 sets every
            // higher bit of the word built so far.
            const int32_t extended = static_cast<int8_t>(key[k]);
            data = (data << 8) | static_cast<uint32_t>(extended);
            k = (k + 1) % length;
        }
        word ^= data;
    }
    uint32_t left = 0;
    uint32_t right = 0;
    for (int i = 0; i < kRounds + 2; i += 2) {
        EncipherWords(left, right);
        p_[i] = left;
        p_[i + 1] = right;
    }
    for (auto& box : s_) {
        for (int i = 0; i < 256; i += 2) {
            EncipherWords(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

void Blowfish::Encipher(uint8_t* data, size_t blockCount) const {
    for (size_t b = 0; b < blockCount; ++b, data += kBlockSize) {
        uint32_t left = LoadLittleEndian(data);
        uint32_t right = LoadLittleEndian(data + 4);
        EncipherWords(left, right);
        StoreLittleEndian(data, left);
        StoreLittleEndian(data + 4, right);
    }
}

void Blowfish::Decipher(uint8_t* data, size_t blockCount) const {
    for (size_t b = 0; b < blockCount; ++b, data += kBlockSize) {
        uint32_t left = LoadLittleEndian(data);
        uint32_t right = LoadLittleEndian(data + 4);
        DecipherWords(left, right);
        StoreLittleEndian(data, left);
        StoreLittleEndian(data + 4, right);
    }
}
