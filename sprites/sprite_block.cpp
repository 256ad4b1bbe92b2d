#include "sprites/sprite_block.h"

#include <cstring>

#include "core/byte_order.h"
#include "imaging/display_format.h"

namespace sprite_block {

namespace {

namespace record = pixel_format_record;

// Record sizes of the two versions.
struct Layout {
    int animSize;
    int frameSize;
};
constexpr Layout kVersion2{kAnimSize, kFrameSize};
constexpr Layout kVersion1{12, 4};

// Frame rectangles keep positions in signed 16 bits.
constexpr int64_t kLargestSheetSide = 0x7FFF;
constexpr int kColorKeyInRecord = 32;

int32_t Load32(const uint8_t* bytes) { return static_cast<int32_t>(byte_order::LoadLE32(bytes)); }
uint16_t Load16(const uint8_t* bytes) { return byte_order::LoadLE16(bytes); }
void Store16(uint8_t* bytes, uint16_t value) { byte_order::StoreLE16(bytes, value); }

// Walks the block from its start; every read is checked against its end.
class Cursor {
public:
    Cursor(const uint8_t* bytes, int64_t size) : bytes_(bytes), size_(size) {}
    int64_t Left() const { return size_ - offset_; }
    bool Has(int64_t count) const { return count >= 0 && Left() >= count; }
    const uint8_t* Take(int64_t count) {
        const uint8_t* at = bytes_ + offset_;
        offset_ += count;
        return at;
    }

private:
    const uint8_t* bytes_;
    int64_t size_;
    int64_t offset_ = 0;
};

bool Refuse(const char** reason, const char* why) {
    if (reason != nullptr) *reason = why;
    return false;
}

// One animation record and its frames; null when they fit, else the reason.
const char* ReadAnim(Cursor& cursor, const Layout& layout, int columns, SpriteAnim& anim) {
    if (!cursor.Has(layout.animSize)) return "the animation records run past the block's end";
    const uint8_t* at = cursor.Take(layout.animSize);
    anim.type = Load16(at);
    anim.state = Load16(at + 2);
    anim.frameCount = Load16(at + 4);
    anim.currentFrame = Load16(at + 6);
    const bool version1 = layout.animSize == kVersion1.animSize;
    anim.startFrame = version1 ? 0 : Load16(at + 12);
    anim.endFrame = version1 ? anim.frameCount : Load16(at + 14);
    anim.hotSpotX = version1 ? 0 : static_cast<int16_t>(Load16(at + 16));
    anim.hotSpotY = version1 ? 0 : static_cast<int16_t>(Load16(at + 18));
    if (anim.frameCount > columns) return "an animation has more frames than the sheet's width holds";
    if (!cursor.Has(int64_t{anim.frameCount} * layout.frameSize)) return "the frame records run past the block's end";
    anim.frames.resize(anim.frameCount);
    for (SpriteFrame& frame : anim.frames) frame.time = byte_order::LoadLE32(cursor.Take(layout.frameSize));
    if (anim.startFrame > anim.endFrame || anim.endFrame > anim.frameCount)
        return "an animation's range lies outside its frames";
    if (anim.currentFrame > 0 && anim.currentFrame >= anim.frameCount)
        return "an animation's current frame lies outside its frames";
    return nullptr;
}

// The header, records and format record of a version 2 block with room for
// rowBytes behind them (zeros); rowsAt tells where the rows go.
std::vector<uint8_t> Assemble(const int32_t header[6], const std::vector<SpriteAnim>& anims,
                              const uint8_t formatRecord[record::kSize], int64_t rowBytes, int64_t& rowsAt) {
    int64_t size = kHeaderSize + record::kSize + rowBytes;
    for (const SpriteAnim& anim : anims)
        size += kAnimSize + int64_t{kFrameSize} * static_cast<int64_t>(anim.frames.size());
    std::vector<uint8_t> bytes(static_cast<size_t>(size), 0);
    uint8_t* out = bytes.data();
    for (int i = 0; i < 6; ++i) byte_order::StoreLE32(out + 4 * i, static_cast<uint32_t>(header[i]));
    out += kHeaderSize;
    for (const SpriteAnim& anim : anims) {
        Store16(out, anim.type);
        Store16(out + 2, anim.state);
        // The records that follow decide the count, so they always agree.
        Store16(out + 4, static_cast<uint16_t>(anim.frames.size()));
        // A range that is empty at the very end of the frames (first and
        // end both the frame count) leaves the current frame past the last
        // one; the reader refuses that, so it is stored as the first frame.
        Store16(out + 6, anim.currentFrame < anim.frames.size() ? anim.currentFrame : 0);
        Store16(out + 12, anim.startFrame);
        Store16(out + 14, anim.endFrame);
        Store16(out + 16, static_cast<uint16_t>(anim.hotSpotX));
        Store16(out + 18, static_cast<uint16_t>(anim.hotSpotY));
        out += kAnimSize;
        for (const SpriteFrame& frame : anim.frames) {
            byte_order::StoreLE32(out, frame.time);
            out += kFrameSize;
        }
    }
    std::memcpy(out, formatRecord, record::kSize);
    rowsAt = out + record::kSize - bytes.data();
    return bytes;
}

}  // namespace

bool Read(const uint8_t* bytes, int64_t size, bool version1, Contents& contents, const char** reason) {
    if (bytes == nullptr || size < kHeaderSize) return Refuse(reason, "the block is shorter than its header");
    Cursor cursor(bytes, size);
    const uint8_t* header = cursor.Take(kHeaderSize);
    contents.frameWidth = Load32(header);
    contents.frameHeight = Load32(header + 4);
    contents.posX = Load32(header + 8);
    contents.posY = Load32(header + 12);
    const int32_t animCount = Load32(header + 16);
    const int32_t sheetWidth = Load32(header + 20);
    if (contents.frameWidth < 1 || contents.frameHeight < 1) return Refuse(reason, "the frame size is not positive");
    if (animCount < 1) return Refuse(reason, "the block holds no animations");
    if (sheetWidth < contents.frameWidth || sheetWidth % contents.frameWidth != 0)
        return Refuse(reason, "the sheet width is not a whole number of frames");
    const int64_t sheetHeight = int64_t{animCount} * contents.frameHeight;
    if (sheetWidth > kLargestSheetSide || sheetHeight > kLargestSheetSide)
        return Refuse(reason, "the sheet is larger than a sprite can address");

    const Layout& layout = version1 ? kVersion1 : kVersion2;
    if (animCount > cursor.Left() / layout.animSize)
        return Refuse(reason, "the animation count is larger than the block holds");
    contents.anims.assign(static_cast<size_t>(animCount), SpriteAnim{});
    for (SpriteAnim& anim : contents.anims) {
        const char* fault = ReadAnim(cursor, layout, sheetWidth / contents.frameWidth, anim);
        if (fault != nullptr) return Refuse(reason, fault);
    }

    if (!cursor.Has(record::kSize)) return Refuse(reason, "the pixel format record is cut off");
    contents.formatRecord = cursor.Take(record::kSize);
    record::Record format = record::Decode(contents.formatRecord);
    if (version1 && format.colorkey == 0) format.colorkey = display_format::kNoColorKey;
    if (!pixel_rows::Describe(sheetWidth, static_cast<int32_t>(sheetHeight), format, contents.geometry))
        return Refuse(reason, "the pixel format record is impossible");
    if (cursor.Left() != contents.geometry.StoredBytes())
        return Refuse(reason, "the pixel bytes do not match the sheet's size");
    contents.rows = cursor.Take(0);
    return true;
}

std::vector<uint8_t> Upgrade(const Contents& version1) {
    const int32_t header[6] = {version1.frameWidth, version1.frameHeight,
                               version1.posX,       version1.posY,
                               static_cast<int32_t>(version1.anims.size()), version1.geometry.width};
    uint8_t formatRecord[record::kSize];
    std::memcpy(formatRecord, version1.formatRecord, record::kSize);
    if (byte_order::LoadLE32(formatRecord + kColorKeyInRecord) == 0)
        byte_order::StoreLE32(formatRecord + kColorKeyInRecord, display_format::kNoColorKey);
    const int64_t rowBytes = version1.geometry.StoredBytes();
    int64_t rowsAt = 0;
    std::vector<uint8_t> bytes = Assemble(header, version1.anims, formatRecord, rowBytes, rowsAt);
    std::memcpy(bytes.data() + rowsAt, version1.rows, static_cast<size_t>(rowBytes));
    return bytes;
}

std::vector<uint8_t> Build(SDL_Surface* sheet, const Fields& fields, const std::vector<SpriteAnim>& anims) {
    const int32_t header[6] = {fields.frameWidth, fields.frameHeight, fields.posX,
                               fields.posY,       static_cast<int32_t>(anims.size()), sheet->w};
    uint8_t formatRecord[record::kSize];
    record::Encode(*sheet->format, fields.colorKey, fields.alpha, formatRecord);
    int64_t rowsAt = 0;
    std::vector<uint8_t> bytes = Assemble(header, anims, formatRecord, pixel_rows::StoredBytes(sheet), rowsAt);
    pixel_rows::WriteRows(sheet, bytes.data() + rowsAt);
    return bytes;
}

}  // namespace sprite_block
