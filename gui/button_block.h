// The stored form of a widget description: the 24-byte "BUT" block,
// little-endian, read and written field by field (the in-memory record is
// larger on 64-bit builds, where the callback pointer has 8 bytes).
#ifndef VELTRANO_GUI_BUTTON_BLOCK_H
#define VELTRANO_GUI_BUTTON_BLOCK_H

#include <cstdint>

#include "veltrano_types.h"

namespace button_block {

constexpr int kBlockSize = 24;
constexpr const char* kBlockType = "BUT";

// The block's fields; the callback bytes carry no meaning and are read as
// null. False (desc untouched) when fewer than 24 bytes are given.
bool Parse(const uint8_t* data, int size, IButtonNew* desc);
// Writes the 24 bytes of desc, the callback slot as zeros.
void Serialise(const IButtonNew& desc, uint8_t out[kBlockSize]);

}  // namespace button_block

#endif
