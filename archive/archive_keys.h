// The archive's built-in keys. Archives are interchangeable only between
// builds that share these values.
#ifndef VELTRANO_ARCHIVE_KEYS_H
#define VELTRANO_ARCHIVE_KEYS_H

#include <cstddef>
#include <cstdint>

namespace archive_keys {

constexpr size_t kArchiveKeyLength = 16;
// Every byte of a scrambled block (storage 2) is XOR-ed with this.
constexpr uint8_t kScrambleKey = 0x6B;

// Writes the built-in archive key into out; the key is kept masked in the
// library's data and exists in clear only in the caller's buffer.
void UnmaskArchiveKey(uint8_t out[kArchiveKeyLength]);
// Overwrites key material so it does not linger in memory.
void Wipe(uint8_t* bytes, size_t length);

}  // namespace archive_keys

#endif
