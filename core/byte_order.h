// Little-endian integer fields, as every block format of the SDK stores
// them (archive headers, pixel-format records, tile, font, sprite and widget
// blocks), read and written a byte at a time so the host's order and the
// field's alignment never matter.
#ifndef VELTRANO_CORE_BYTE_ORDER_H
#define VELTRANO_CORE_BYTE_ORDER_H

#include <cstdint>

namespace byte_order {

inline uint32_t LoadLE32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

inline void StoreLE32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint16_t LoadLE16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

inline void StoreLE16(uint8_t* bytes, uint16_t value) {
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace byte_order

#endif
