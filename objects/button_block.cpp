#include "objects/button_block.h"

#include <cstring>

namespace button_block {
namespace {

constexpr int kKeyOffset = 4;
constexpr int kTypeOffset = 6;
constexpr int kSelectColorOffset = 8;
constexpr int kXOffset = 12;
constexpr int kYOffset = 14;
constexpr int kRangeOffset = 16;
constexpr int kValueOffset = 20;

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void Write16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void Write32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

bool Parse(const uint8_t* data, int size, IButtonNew* desc) {
    if (data == nullptr || size < kBlockSize || desc == nullptr) return false;
    desc->callback = nullptr;
    desc->key = Read16(data + kKeyOffset);
    desc->type = data[kTypeOffset];
    desc->selectColor = static_cast<int>(Read32(data + kSelectColorOffset));
    desc->x = Read16(data + kXOffset);
    desc->y = Read16(data + kYOffset);
    desc->range = static_cast<short>(Read16(data + kRangeOffset));
    desc->value = static_cast<int>(Read32(data + kValueOffset));
    return true;
}

void Serialise(const IButtonNew& desc, uint8_t out[kBlockSize]) {
    std::memset(out, 0, kBlockSize);
    Write16(out + kKeyOffset, desc.key);
    out[kTypeOffset] = desc.type;
    Write32(out + kSelectColorOffset, static_cast<uint32_t>(desc.selectColor));
    Write16(out + kXOffset, desc.x);
    Write16(out + kYOffset, desc.y);
    Write16(out + kRangeOffset, static_cast<uint16_t>(desc.range));
    Write32(out + kValueOffset, static_cast<uint32_t>(desc.value));
}

}  // namespace button_block
