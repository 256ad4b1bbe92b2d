#include "archive/archive_keys.h"

namespace archive_keys {
namespace {

constexpr uint8_t kMask = 0xA7;
constexpr uint8_t kMaskedArchiveKey[kArchiveKeyLength] = {
    0xFC, 0x6F, 0xB4, 0x39, 0xD3, 0x8D, 0x56, 0xC1, 0xAA, 0x1E, 0x20, 0x9B, 0x45, 0xE6, 0x02, 0xFF,
};

}  // namespace

void UnmaskArchiveKey(uint8_t out[kArchiveKeyLength]) {
    for (size_t i = 0; i < kArchiveKeyLength; ++i) out[i] = kMaskedArchiveKey[i] ^ kMask;
}

void Wipe(uint8_t* bytes, size_t length) {
    volatile uint8_t* target = bytes;
    for (size_t i = 0; i < length; ++i) target[i] = 0;
}

}  // namespace archive_keys
