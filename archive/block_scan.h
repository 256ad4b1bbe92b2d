// Finding the next block of an archive file: the first ID block at or after
// a start offset, and the block header that follows it. Reads go through
// ReadAt, so the file position is left alone.
#ifndef VELTRANO_ARCHIVE_BLOCK_SCAN_H
#define VELTRANO_ARCHIVE_BLOCK_SCAN_H

#include <cstdint>

#include "archive/archive_format.h"

enum class ScanStatus {
    Found,        // ID block and the full block header read
    End,          // no ID block between the start and the end of the file
    ReadError,    // the system failed a read, or the start is not a valid offset
    ShortHeader,  // ID block found, but the file ends inside its block header
};

struct ScanOutcome {
    ScanStatus status = ScanStatus::End;
    long idOffset = 0;
    long headerBytes = 0;  // header bytes that arrived (ShortHeader: 0..63, -1 on error)
    uint8_t header[dpf_format::kBlockHeaderSize] = {};  // raw, as stored
};

ScanOutcome ScanForBlock(int fd, long start);

#endif
