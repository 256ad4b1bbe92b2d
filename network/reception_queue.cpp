#include "network/reception_queue.h"

#include <cstdlib>
#include <cstring>

namespace reception {

namespace {

bool LeavesAtOnce(const Entry& entry) {
    return entry.type == DN_SYSTEM &&
           (entry.cmd == DN_PING || entry.cmd == DN_CLOSE_SERVER || entry.cmd == DN_CLIENTS_INFO);
}

}  // namespace

bool Queue::Push(const DataNet& net) {
    std::lock_guard<std::mutex> guard(lock_);
    if (used_ == kEntries) {
        std::free(net.Data);
        ++counts_.dropped;
        return false;
    }
    Entry& entry = entries_[used_];
    entry = Entry{net.Type, net.Cmd, kReady, net.Size, net.CRC, net.Data};
    if (used_ > counts_.maximum) counts_.maximum = used_;
    ++used_;
    ++counts_.waiting;
    return true;
}

bool Queue::Take(DataNet* out) {
    std::lock_guard<std::mutex> guard(lock_);
    for (int i = 0; i < used_; ++i) {
        Entry& entry = entries_[i];
        if (entry.state != kReady) continue;
        *out = DataNet{entry.type, entry.cmd, 0, entry.size, entry.crc, entry.data};
        --counts_.waiting;
        if (LeavesAtOnce(entry)) {
            // Nobody hands these back with Free: a stray payload goes now.
            std::free(entry.data);
            out->Data = nullptr;
            out->Size = 0;
            RemoveAt(i);
        } else {
            entry.state = kHandedOut;
        }
        return true;
    }
    return false;
}

bool Queue::Free(char* data) {
    std::lock_guard<std::mutex> guard(lock_);
    for (int i = 0; i < used_; ++i) {
        if (entries_[i].state == kHandedOut && entries_[i].data == data) {
            std::free(data);
            RemoveAt(i);
            return true;
        }
    }
    return false;
}

int Queue::ReleaseReady() {
    std::lock_guard<std::mutex> guard(lock_);
    int released = 0;
    for (int i = 0; i < used_;) {
        if (entries_[i].state != kReady) {
            ++i;
            continue;
        }
        std::free(entries_[i].data);
        RemoveAt(i);
        --counts_.waiting;
        ++released;
    }
    return released;
}

void Queue::Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    for (int i = 0; i < used_; ++i) std::free(entries_[i].data);
    std::memset(entries_, 0, sizeof entries_);
    used_ = 0;
    counts_ = QueueCounts();
}

QueueCounts Queue::Counts() {
    std::lock_guard<std::mutex> guard(lock_);
    return counts_;
}

void Queue::RemoveAt(int index) {
    std::memmove(&entries_[index], &entries_[index + 1], sizeof(Entry) * (used_ - index - 1));
    --used_;
    entries_[used_] = Entry();
}

}  // namespace reception
