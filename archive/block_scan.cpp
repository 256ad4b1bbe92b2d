#include "archive/block_scan.h"

#include <cstring>

#include "platform/platform.h"

namespace {

// The first read covers up to 7 padding bytes, the ID block and the block
// header, which is all a walk in normal access needs; longer scans (damaged
// sizes, low-level access) go on in bigger chunks.
constexpr size_t kFirstChunk = 128;
constexpr size_t kChunk = 4096;

// The ID block at offset, or false when it is not there. A file that ends
// before 16 bytes can hold no ID block there or later.
bool IdBlockAt(int fd, long offset, const uint8_t* buffered, long available, ScanStatus* failure) {
    uint8_t id[dpf_format::kIdSize];
    const uint8_t* bytes = buffered;
    if (available < dpf_format::kIdSize) {
        const long got = platform::ReadAt(fd, offset, id, sizeof id);
        if (got < 0) {
            *failure = ScanStatus::ReadError;
            return false;
        }
        if (got < dpf_format::kIdSize) {
            *failure = ScanStatus::End;
            return false;
        }
        bytes = id;
    }
    return std::memcmp(bytes, dpf_format::kIdBlock, dpf_format::kIdSize) == 0;
}

void ReadHeaderAfter(int fd, long idOffset, const uint8_t* buffered, long available, ScanOutcome* out) {
    out->idOffset = idOffset;
    if (available >= dpf_format::kBlockPrefixSize) {
        std::memcpy(out->header, buffered + dpf_format::kIdSize, dpf_format::kBlockHeaderSize);
        out->headerBytes = dpf_format::kBlockHeaderSize;
    } else {
        out->headerBytes =
            platform::ReadAt(fd, idOffset + dpf_format::kIdSize, out->header, dpf_format::kBlockHeaderSize);
    }
    out->status = out->headerBytes == dpf_format::kBlockHeaderSize ? ScanStatus::Found : ScanStatus::ShortHeader;
}

}  // namespace

ScanOutcome ScanForBlock(int fd, long start) {
    ScanOutcome out;
    if (start < 0) {
        out.status = ScanStatus::ReadError;
        return out;
    }
    uint8_t buffer[kChunk];
    size_t chunk = kFirstChunk;
    for (long position = start;;) {
        const long got = platform::ReadAt(fd, position, buffer, chunk);
        if (got < 0) {
            out.status = ScanStatus::ReadError;
            return out;
        }
        if (got == 0) {
            out.status = ScanStatus::End;
            return out;
        }
        const uint8_t* cursor = buffer;
        const uint8_t* const end = buffer + got;
        while ((cursor = static_cast<const uint8_t*>(std::memchr(cursor, dpf_format::kIdBlock[0],
                                                                  static_cast<size_t>(end - cursor)))) != nullptr) {
            const long offset = position + (cursor - buffer);
            const long available = static_cast<long>(end - cursor);
            ScanStatus failure = ScanStatus::Found;
            if (IdBlockAt(fd, offset, cursor, available, &failure)) {
                ReadHeaderAfter(fd, offset, cursor, available, &out);
                return out;
            }
            if (failure != ScanStatus::Found) {
                out.status = failure;
                return out;
            }
            ++cursor;
        }
        position += got;
        chunk = kChunk;
    }
}
