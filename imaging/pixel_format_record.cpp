#include "imaging/pixel_format_record.h"

#include <cstring>

#include "core/byte_order.h"

namespace pixel_format_record {

namespace {

constexpr int kBitsOffset = 4;
constexpr int kBytesOffset = 5;
constexpr int kLossOffset = 6;
constexpr int kShiftOffset = 10;
constexpr int kMaskOffset = 16;
constexpr int kColorKeyOffset = 32;
constexpr int kAlphaOffset = 36;

int BytesForDepth(int bits) {
    switch (bits) {
        case 8: return 1;
        case 15:
        case 16: return 2;
        case 24: return 3;
        case 32: return 4;
        default: return 0;
    }
}

}  // namespace

void Encode(const SDL_PixelFormat& format, uint32_t colorkey, uint8_t alpha, uint8_t out[kSize]) {
    std::memset(out, 0, kSize);
    out[kBitsOffset] = format.BitsPerPixel;
    out[kBytesOffset] = format.BytesPerPixel;
    const uint8_t losses[4] = {format.Rloss, format.Gloss, format.Bloss, format.Aloss};
    const uint8_t shifts[4] = {format.Rshift, format.Gshift, format.Bshift, format.Ashift};
    const uint32_t masks[4] = {format.Rmask, format.Gmask, format.Bmask, format.Amask};
    std::memcpy(out + kLossOffset, losses, 4);
    std::memcpy(out + kShiftOffset, shifts, 4);
    for (int i = 0; i < 4; ++i) byte_order::StoreLE32(out + kMaskOffset + 4 * i, masks[i]);
    byte_order::StoreLE32(out + kColorKeyOffset, colorkey);
    out[kAlphaOffset] = alpha;
}

Record Decode(const uint8_t in[kSize]) {
    Record record{};
    record.bitsPerPixel = in[kBitsOffset];
    record.bytesPerPixel = in[kBytesOffset];
    record.rmask = byte_order::LoadLE32(in + kMaskOffset);
    record.gmask = byte_order::LoadLE32(in + kMaskOffset + 4);
    record.bmask = byte_order::LoadLE32(in + kMaskOffset + 8);
    record.amask = byte_order::LoadLE32(in + kMaskOffset + 12);
    record.colorkey = byte_order::LoadLE32(in + kColorKeyOffset);
    record.alpha = in[kAlphaOffset];
    return record;
}

bool IsPlausible(const Record& record) {
    const int bytes = BytesForDepth(record.bitsPerPixel);
    if (bytes == 0 || bytes != record.bytesPerPixel) return false;
    if (bytes == 1) return record.colorkey <= 255 || record.colorkey == 0xFFFFFFFF;
    const uint64_t depthBits = (uint64_t{1} << (bytes * 8)) - 1;
    const uint32_t masks[4] = {record.rmask, record.gmask, record.bmask, record.amask};
    uint32_t seen = 0;
    for (uint32_t mask : masks) {
        if ((mask & ~depthBits) != 0 || (mask & seen) != 0) return false;
        seen |= mask;
    }
    return true;
}

int64_t Pitch(const Record& record, int64_t width) { return (width * record.bytesPerPixel + 3) / 4 * 4; }

}  // namespace pixel_format_record
