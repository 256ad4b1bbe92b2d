#include "tiles/tile_block.h"

#include <cstring>

#include "core/byte_order.h"

namespace tile_block {

namespace {

namespace record = pixel_format_record;

constexpr int kGridStepXOffset = 20;
constexpr int kRecordOffset = 24;
constexpr int kColorKeyOffset = kRecordOffset + 32;

int32_t Field(const uint8_t* bytes, int offset) { return static_cast<int32_t>(byte_order::LoadLE32(bytes + offset)); }

}  // namespace

bool Read(const uint8_t* bytes, int64_t size, bool version1, Contents& contents) {
    if (bytes == nullptr || size < kHeaderSize) return false;
    const record::Record format = record::Decode(bytes + kRecordOffset);
    if (!pixel_rows::Describe(Field(bytes, 0), Field(bytes, 4), format, contents.geometry)) return false;
    const int64_t rowsEnd = kHeaderSize + contents.geometry.StoredBytes();
    if (size != rowsEnd + (version1 ? 0 : kTrailerSize)) return false;
    contents.posX = Field(bytes, 8);
    contents.posY = Field(bytes, 12);
    contents.tileSet = Field(bytes, 16) != 0;
    contents.offsetX = Field(bytes, kGridStepXOffset);
    contents.offsetY = version1 ? contents.offsetX : Field(bytes, static_cast<int>(rowsEnd));
    contents.rows = bytes + kHeaderSize;
    return true;
}

std::vector<uint8_t> Upgrade(const uint8_t* bytes, int64_t size) {
    std::vector<uint8_t> upgraded(bytes, bytes + size);
    upgraded.resize(static_cast<size_t>(size) + kTrailerSize, 0);
    std::memcpy(upgraded.data() + size, bytes + kGridStepXOffset, 4);
    if (byte_order::LoadLE32(bytes + kColorKeyOffset) == 0)
        byte_order::StoreLE32(upgraded.data() + kColorKeyOffset, 0xFFFFFFFFu);
    return upgraded;
}

std::vector<uint8_t> Build(SDL_Surface* surface, const Fields& fields) {
    const int64_t rowsEnd = kHeaderSize + pixel_rows::StoredBytes(surface);
    std::vector<uint8_t> bytes(static_cast<size_t>(rowsEnd + kTrailerSize), 0);
    const int32_t header[] = {surface->w, surface->h, fields.posX, fields.posY, fields.tileSet ? 1 : 0,
                              fields.offsetX};
    for (int i = 0; i < 6; ++i) byte_order::StoreLE32(bytes.data() + 4 * i, static_cast<uint32_t>(header[i]));
    record::Encode(*surface->format, fields.colorKey, fields.alpha, bytes.data() + kRecordOffset);
    pixel_rows::WriteRows(surface, bytes.data() + kHeaderSize);
    byte_order::StoreLE32(bytes.data() + rowsEnd, static_cast<uint32_t>(fields.offsetY));
    return bytes;
}

}  // namespace tile_block
