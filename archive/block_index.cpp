#include "archive/block_index.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int64_t kSecond = 1000000000;
// Time stamps are taken from a clock that advances in ticks of a few
// milliseconds; file systems that keep whole seconds show a zero fraction.
constexpr int64_t kFineMargin = kSecond / 10;
constexpr int64_t kCoarseMargin = kSecond * 5 / 2;

// A later write sets both times to its own clock tick; it goes unseen only
// if both already are that tick, that is when even the older is recent.
bool TooRecent(const platform::FileStamp& stamp, int64_t now) {
    const int64_t older = std::min(stamp.modifiedNs, stamp.changedNs);
    const int64_t margin = older % kSecond == 0 ? kCoarseMargin : kFineMargin;
    return older + margin >= now;
}

}  // namespace

void BlockIndex::Clear() {
    entries_.clear();
    next_ = 0;
    trusted_ = false;
}

void BlockIndex::Validate(int fd, uint32_t cipherGeneration, int64_t nowNs) {
    platform::FileStamp stamp;
    if (platform::GetFileStamp(fd, &stamp) != 0) {
        Clear();
        return;
    }
    if (!trusted_ || racy_ || generation_ != cipherGeneration || !(stamp == stamp_)) {
        entries_.clear();
        next_ = 0;
    }
    stamp_ = stamp;
    generation_ = cipherGeneration;
    racy_ = TooRecent(stamp, nowNs);
    trusted_ = true;
}

const BlockIndex::Entry* BlockIndex::Lookup(long start) {
    if (!trusted_) return nullptr;
    size_t found = next_;
    if (found >= entries_.size() || entries_[found].start != start) {
        auto it = std::lower_bound(entries_.begin(), entries_.end(), start,
                                   [](const Entry& entry, long value) { return entry.start < value; });
        if (it == entries_.end() || it->start != start) return nullptr;
        found = static_cast<size_t>(it - entries_.begin());
    }
    next_ = found + 1;
    return &entries_[found];
}

void BlockIndex::Record(long start, long idOffset, const uint8_t header[dpf_format::kBlockHeaderSize]) {
    if (!trusted_ || (!entries_.empty() && start <= entries_.back().start)) return;
    Entry entry;
    entry.start = start;
    entry.idOffset = idOffset;
    std::memcpy(entry.header, header, sizeof entry.header);
    entries_.push_back(entry);
    next_ = entries_.size();
}
