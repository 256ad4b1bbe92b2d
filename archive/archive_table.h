// The table of open archives: 32 slots, the handles given to them, and the
// rule that lets an unchanged, already known file be reopened without its
// CRC check.
#ifndef VELTRANO_ARCHIVE_TABLE_H
#define VELTRANO_ARCHIVE_TABLE_H

#include <cstddef>
#include <cstdint>

#include "archive/block_index.h"
#include "platform/platform.h"

// A slot is never used (recordedLength 0), open (handle not 0) or closed
// (handle 0, path and recordedLength kept for a later reopen).
struct ArchiveSlot {
    static constexpr size_t kPathSize = 256;

    int fd = 0;
    int handle = 0;
    bool isProtected = false;
    char path[kPathSize] = {};
    long recordedLength = 0;
    bool dirty = false;  // the archive header must be rewritten at close
    int refCount = 0;
    platform::FileStamp identity;  // device and inode of the open file
    BlockIndex index;
};

class ArchiveTable {
public:
    static constexpr int kSlotCount = 32;

    // Seeds the C generator with the tick count and draws the first handle.
    ArchiveTable();

    ArchiveSlot* FindByHandle(int handle);
    ArchiveSlot* FindByDescriptor(int fd);
    // A slot that knows this file at this length, searched from the first
    // slot up to the first never-used one.
    bool IsKnown(const char* path, long length) const;
    // Whether the file at this length is open in some slot now.
    bool IsOpen(const char* path, long length) const;
    // Registers a descriptor; the handle, or 0 when no slot is free.
    int Register(int fd, bool isProtected, const char* path, long length, bool known);
    // Empties a slot after its descriptor was closed; path and length stay.
    void Release(ArchiveSlot& slot);
    // Every slot on the same file as fd forgets the blocks it has seen.
    void ForgetBlocks(int fd);

    ArchiveSlot& at(int index) { return slots_[index]; }

private:
    bool Describes(const ArchiveSlot& slot, const char* path, long length) const;
    ArchiveSlot* ChooseSlot(const char* path, long length);

    ArchiveSlot slots_[kSlotCount];
    int nextHandle_ = 0;
    int nextSlot_ = 0;
};

#endif
