#include "gui/button_block.h"

#include <cstring>

#include "core/byte_order.h"

namespace button_block {
namespace {

constexpr int kKeyOffset = 4;
constexpr int kTypeOffset = 6;
constexpr int kSelectColorOffset = 8;
constexpr int kXOffset = 12;
constexpr int kYOffset = 14;
constexpr int kRangeOffset = 16;
constexpr int kValueOffset = 20;

uint16_t Read16(const uint8_t* p) { return byte_order::LoadLE16(p); }
uint32_t Read32(const uint8_t* p) { return byte_order::LoadLE32(p); }
void Write16(uint8_t* p, uint16_t v) { byte_order::StoreLE16(p, v); }
void Write32(uint8_t* p, uint32_t v) { byte_order::StoreLE32(p, v); }

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
