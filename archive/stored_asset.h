// What every kind of stored asset (images, tiles, fonts, sprites, widgets,
// XML documents) does with an archive: the SDK check, loaded blocks that
// free themselves, opening by file name, adding and replacing blocks, and
// bringing a version 1 block up to version 2 in place.
#ifndef VELTRANO_ARCHIVE_STORED_ASSET_H
#define VELTRANO_ARCHIVE_STORED_ASSET_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "Veltrano_IStuffDPF.h"
#include "archive/archive_format.h"

namespace stored_asset {

// Whether Init has run, so the archive interface and the loaders exist.
bool SdkInitialized();

// A block loaded from an archive; its bytes are freed with the holder.
class LoadedBlock {
public:
    LoadedBlock() = default;
    ~LoadedBlock();
    LoadedBlock(const LoadedBlock&) = delete;
    LoadedBlock& operator=(const LoadedBlock&) = delete;

    // Replaces what is held by the named block; false (nothing held) when it
    // is not there or cannot be read.
    bool Load(int handle, const char* type, const char* name);
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(block_.data); }
    int64_t size() const { return block_.size; }
    DPF_BlockData& record() { return block_; }

private:
    void Free();
    DPF_BlockData block_{};
};

// The handle of the archive, made first when no file of that name exists.
int OpenOrCreate(const char* dpfFile);

enum class Access { Open, OpenOrCreate };

// The file-name form of a handle operation: opens the archive, runs the
// operation on the handle, closes the archive (so its header is written);
// `failed` when the archive does not open.
template <typename Result, typename Operation>
Result WithArchive(const char* dpfFile, Access access, Result failed, Operation operation) {
    if (dpfFile == nullptr || IStuffDPF == nullptr) return failed;
    const int handle = access == Access::OpenOrCreate ? OpenOrCreate(dpfFile) : IStuffDPF->Open(dpfFile);
    if (handle < 1) return failed;
    const Result result = operation(handle);
    IStuffDPF->Close(handle);
    return result;
}

// AddData's result for a new block stored in the given mode (one of
// dpf_format's kStorage*): the stored size, -1 when the block exists, 0
// failure (also for a name or type too long for the archive).
int AddBlock(int handle, const char* name, const char* type, const void* bytes, size_t size, uint8_t storage);
inline int AddBlock(int handle, const char* name, const char* type, const std::vector<uint8_t>& bytes,
                    uint8_t storage = dpf_format::kStorageCompressed) {
    return AddBlock(handle, name, type, bytes.data(), bytes.size(), storage);
}

// Like AddBlock, but a block of that name and type is replaced. Its bytes
// are kept until the new block is stored and put back when storing fails,
// so a failed save never loses what was there.
int ReplaceBlock(int handle, const char* name, const char* type, const void* bytes, size_t size, uint8_t storage);

// The version 2 bytes from the version 1 ones; false when those are damaged.
using Upgrade = std::function<bool(const uint8_t* bytes, int64_t size, std::vector<uint8_t>& upgraded)>;

enum class Found {
    Current,    // the version 2 block was there
    Upgraded,   // the version 1 block was replaced by its upgrade
    Missing,    // neither version is there
    Damaged,    // the version 1 block cannot be upgraded; the archive is untouched
    NotStored,  // the upgrade could not be stored; the version 1 block stays
};

// A block in its version 2 form, loaded or upgraded in place.
class CurrentBlock {
public:
    Found Load(int handle, const char* name, const char* version2Type, const char* version1Type,
               const Upgrade& upgrade);
    const uint8_t* bytes() const { return upgradeHeld_ ? upgraded_.data() : loaded_.bytes(); }
    int64_t size() const { return upgradeHeld_ ? static_cast<int64_t>(upgraded_.size()) : loaded_.size(); }

private:
    LoadedBlock loaded_;
    std::vector<uint8_t> upgraded_;
    bool upgradeHeld_ = false;
};

}  // namespace stored_asset

#endif
