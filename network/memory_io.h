// The wire module's byte streams in memory: a growing buffer to write to
// and a fixed one read in pieces of a chosen size.
#ifndef VELTRANO_NETWORK_MEMORY_IO_H
#define VELTRANO_NETWORK_MEMORY_IO_H

#include <algorithm>
#include <cstring>
#include <string>

#include "network/wire.h"

namespace wire {

class MemorySink : public ByteSink {
public:
    int Write(const void* data, int length) override {
        bytes.append(static_cast<const char*>(data), static_cast<size_t>(length));
        return length;
    }
    std::string bytes;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const void* data, size_t size, size_t chunk = 4096)
        : data_(static_cast<const char*>(data)), size_(size), chunk_(chunk) {}
    int Read(void* out, int capacity) override {
        const size_t n = std::min({size_ - at_, chunk_, static_cast<size_t>(capacity)});
        std::memcpy(out, data_ + at_, n);
        at_ += n;
        return static_cast<int>(n);
    }
    bool AtEnd() const { return at_ == size_; }

private:
    const char* data_;
    size_t size_;
    size_t chunk_;
    size_t at_ = 0;
};

}  // namespace wire

#endif
