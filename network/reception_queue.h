// The client's reception queue: 512 entries whose occupied ones always form
// one run from index 0. The client thread appends; the application takes
// entries in order and hands their payloads back.
#ifndef VELTRANO_NETWORK_RECEPTION_QUEUE_H
#define VELTRANO_NETWORK_RECEPTION_QUEUE_H

#include <cstdint>
#include <mutex>

#include "veltrano_types.h"

namespace reception {

constexpr int kEntries = 512;

enum EntryState : uint16_t { kFree = 0, kReady = 1, kHandedOut = 2 };

struct Entry {
    unsigned char type;
    unsigned char cmd;
    uint16_t state;
    int size;
    unsigned int crc;
    char* data;
};

struct QueueCounts {
    int waiting = 0;
    int maximum = 0;  // highest index ever used
    int dropped = 0;
};

class Queue {
public:
    // Appends a ready entry; false when the last entry is taken, the
    // payload then released and the drop counted.
    bool Push(const DataNet& net);
    // Hands out the first ready entry; ping, kill and list entries leave the
    // queue at once. False when none is ready.
    bool Take(DataNet* out);
    // Releases the handed-out entry holding data; false when none does.
    bool Free(char* data);
    // Releases every ready entry (handed-out ones stay); how many were.
    int ReleaseReady();
    // Releases everything and zeroes the counts.
    void Clear();
    QueueCounts Counts();

private:
    // The run is kept as a ring from start_, so taking the first entry does
    // not move the others; index i of the run is entries_[(start_ + i) % kEntries].
    Entry& At(int index) { return entries_[(start_ + index) % kEntries]; }
    void RemoveAt(int index);

    std::mutex lock_;
    Entry entries_[kEntries] = {};
    int start_ = 0;
    int used_ = 0;  // length of the run
    QueueCounts counts_;
};

}  // namespace reception

#endif
