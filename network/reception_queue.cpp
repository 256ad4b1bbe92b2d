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
    At(used_) = Entry{net.Type, net.Cmd, kReady, net.Size, net.CRC, net.Data};
    if (used_ > counts_.maximum) counts_.maximum = used_;
    ++used_;
    ++counts_.waiting;
    return true;
}

bool Queue::Take(DataNet* out) {
    std::lock_guard<std::mutex> guard(lock_);
    for (int i = 0; i < used_; ++i) {
        Entry& entry = At(i);
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
        if (At(i).state == kHandedOut && At(i).data == data) {
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
        if (At(i).state != kReady) {
            ++i;
            continue;
        }
        std::free(At(i).data);
        RemoveAt(i);
        --counts_.waiting;
        ++released;
    }
    return released;
}

void Queue::Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    for (int i = 0; i < used_; ++i) std::free(At(i).data);
    std::memset(entries_, 0, sizeof entries_);
    start_ = 0;
    used_ = 0;
    counts_ = QueueCounts();
}

QueueCounts Queue::Counts() {
    std::lock_guard<std::mutex> guard(lock_);
    return counts_;
}

// Closes the gap from the nearer end of the run.
void Queue::RemoveAt(int index) {
    if (index < used_ / 2) {
        for (int i = index; i > 0; --i) At(i) = At(i - 1);
        At(0) = Entry();
        start_ = (start_ + 1) % kEntries;
    } else {
        for (int i = index; i + 1 < used_; ++i) At(i) = At(i + 1);
        At(used_ - 1) = Entry();
    }
    --used_;
}

}  // namespace reception
