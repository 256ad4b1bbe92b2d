#include "archive/archive_table.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "Veltrano_ILogSystem.h"
#include "core/clock.h"

namespace {
constexpr int kHandleRange = 333666;
}

ArchiveTable::ArchiveTable() {
    std::srand(clock_source::Ticks());
    do {
        nextHandle_ = std::rand() % kHandleRange;
    } while (nextHandle_ == 0);
}

ArchiveSlot* ArchiveTable::FindByHandle(int handle) {
    if (handle <= 0) return nullptr;
    for (ArchiveSlot& slot : slots_)
        if (slot.handle == handle) return &slot;
    return nullptr;
}

ArchiveSlot* ArchiveTable::FindByDescriptor(int fd) {
    if (fd <= 0) return nullptr;
    for (ArchiveSlot& slot : slots_)
        if (slot.fd == fd) return &slot;
    return nullptr;
}

bool ArchiveTable::Describes(const ArchiveSlot& slot, const char* path, long length) const {
    return slot.recordedLength == length && std::strncmp(slot.path, path, ArchiveSlot::kPathSize) == 0;
}

bool ArchiveTable::IsKnown(const char* path, long length) const {
    for (const ArchiveSlot& slot : slots_) {
        if (slot.recordedLength == 0) break;
        if (Describes(slot, path, length)) return true;
    }
    return false;
}

bool ArchiveTable::IsOpen(const char* path, long length) const {
    for (const ArchiveSlot& slot : slots_)
        if (slot.handle != 0 && Describes(slot, path, length)) return true;
    return false;
}

ArchiveSlot* ArchiveTable::ChooseSlot(const char* path, long length) {
    ArchiveSlot* chosen = nullptr;
    for (ArchiveSlot& slot : slots_) {
        if (slot.recordedLength == 0) {
            chosen = &slot;
            break;
        }
    }
    if (chosen == nullptr) {
        // Every slot was used once: reuse a closed one, round robin.
        for (int probe = 0, index = nextSlot_; probe < kSlotCount; ++probe, index = (index + 1) % kSlotCount) {
            if (slots_[index].handle == 0) {
                chosen = &slots_[index];
                break;
            }
        }
        if (chosen == nullptr) {
            ILogSystem.Msg(2, " . [IStuffDPF] Warning: reached maximum limit of DPF files opened(%d).\n", kSlotCount);
            return nullptr;
        }
        nextSlot_ = (nextSlot_ + 1) % kSlotCount;
    }
    chosen->recordedLength = length;
    std::strncpy(chosen->path, path, ArchiveSlot::kPathSize - 1);
    chosen->path[ArchiveSlot::kPathSize - 1] = '\0';
    chosen->refCount = 0;
    return chosen;
}

int ArchiveTable::Register(int fd, bool isProtected, const char* path, long length, bool known) {
    if (!known && ChooseSlot(path, length) == nullptr) return 0;
    ArchiveSlot* slot = nullptr;
    for (ArchiveSlot& candidate : slots_) {
        if (Describes(candidate, path, length)) {
            slot = &candidate;
            break;
        }
    }
    if (slot == nullptr) return 0;
    if (slot->fd != 0) {
        // Already open: the new descriptor replaces the old, the handle stays.
        platform::Close(slot->fd);
    } else {
        slot->handle = nextHandle_;
        nextHandle_ = nextHandle_ == INT_MAX ? 1 : nextHandle_ + 1;
        slot->dirty = false;
    }
    ++slot->refCount;
    slot->fd = fd;
    slot->isProtected = isProtected;
    slot->identity = platform::FileStamp();
    platform::GetFileStamp(fd, &slot->identity);
    slot->index.Clear();
    return slot->handle;
}

void ArchiveTable::Release(ArchiveSlot& slot) {
    slot.fd = 0;
    slot.handle = 0;
    slot.dirty = false;
    slot.isProtected = false;
    slot.refCount = 0;
    slot.index.Clear();
}

void ArchiveTable::ForgetBlocks(int fd) {
    platform::FileStamp written;
    const bool known = platform::GetFileStamp(fd, &written) == 0;
    for (ArchiveSlot& slot : slots_) {
        if (slot.fd == 0) continue;
        if (slot.fd == fd || !known ||
            (slot.identity.device == written.device && slot.identity.inode == written.inode))
            slot.index.Clear();
    }
}
