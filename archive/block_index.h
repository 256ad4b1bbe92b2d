// A per-archive memory of block scans: for a start offset, where the next
// ID block was found and its deciphered block header. Searches walk from the
// first block every time; with this they read the file only for blocks not
// seen before. Entries describe the file as it was when they were made, so
// they are dropped on every write of the SDK to the file (the writer calls
// Clear), when the password changes (the cipher generation differs), and
// when the file's stamp shows any other change. A stamp taken too close to
// the file's last change cannot tell a later change in the same clock tick
// apart, so such entries are not trusted past the next validation.
#ifndef VELTRANO_ARCHIVE_BLOCK_INDEX_H
#define VELTRANO_ARCHIVE_BLOCK_INDEX_H

#include <cstdint>
#include <vector>

#include "archive/archive_format.h"
#include "platform/platform.h"

class BlockIndex {
public:
    struct Entry {
        long start;     // where the scan began
        long idOffset;  // where it found the ID block
        uint8_t header[dpf_format::kBlockHeaderSize];  // deciphered
    };

    void Clear();
    // Call before a walk: keeps the entries only while they still describe
    // the file behind fd and the cipher in use.
    // nowNs is the wall-clock time the file's stamps are judged against.
    void Validate(int fd, uint32_t cipherGeneration, int64_t nowNs = platform::NowNs());
    // The entry for a scan from start, or null.
    const Entry* Lookup(long start);
    // Remembers a successful scan that lies past every entry already kept.
    void Record(long start, long idOffset, const uint8_t header[dpf_format::kBlockHeaderSize]);
    size_t size() const { return entries_.size(); }

private:
    std::vector<Entry> entries_;
    size_t next_ = 0;  // the entry a walk in progress most likely asks for next
    bool trusted_ = false;
    bool racy_ = false;
    uint32_t generation_ = 0;
    platform::FileStamp stamp_;
};

#endif
