// Veltrano_IStuffDPF: opening, closing, walking, searching and loading.
#include "Veltrano_IStuffDPF.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "archive/archive_keys.h"
#include "archive/dpf_state.h"
#include "archive/ucl_codec.h"
#include "archive/version3_upgrade.h"
#include "platform/platform.h"

using namespace dpf_format;
using dpf_internal::FindKind;
using dpf_internal::Printable;

namespace {

constexpr uint8_t kSignatureTag[4] = {'D', 'P', 'F', 'v'};

int PublicFind(DpfState& state, int handle, FindKind kind, DPF_BlockData* block) {
    ArchiveSlot* slot = state.table.FindByHandle(handle);
    if (slot == nullptr) return 2;
    slot->index.Validate(slot->fd, state.cipherGeneration);
    const int result = dpf_internal::FindStep(state, handle, kind, block);
    if (result == 1 && platform::Seek(slot->fd, state.scanPos, platform::Whence::Begin) < 0) return 2;
    return result;
}

// Fails an Open: closes the descriptor and gives the result.
int Refuse(int fd, int result) {
    platform::Close(fd);
    return result;
}

}  // namespace

int Veltrano_IStuffDPF::Open(const char* dpfFile) {
    const char* name = Printable(dpfFile);
    if (strnlen(name, ArchiveSlot::kPathSize) >= ArchiveSlot::kPathSize) {
        ILogSystem.Msg(0, " . [IStuffDPF->Open('%s')] Error: the file name is too long.\n", name);
        return -1;
    }
    bool readOnly = false;
    int fd = platform::Open(dpfFile, platform::OpenMode::ReadWrite);
    if (fd < 0) {
        // The warning comes with the read-only attempt, before its outcome is
        // known; the reason of a failure is taken before logging can change it.
        fd = platform::Open(dpfFile, platform::OpenMode::ReadOnly);
        const std::string reason = fd < 0 ? platform::LastErrorText() : "";
        ILogSystem.Msg(2, " . [IStuffDPF->Open('%s')] Warning: file opened in read only mode.\n", name);
        if (fd < 0) {
            ILogSystem.Msg(0, " . [IStuffDPF->Open('%s')] Error: %s\n", name, reason.c_str());
            return -1;
        }
        readOnly = true;
    }

    std::memset(state->signature, 0, sizeof state->signature);
    const long signatureBytes = platform::Read(fd, state->signature, kSignatureSize);
    if (signatureBytes < kSignatureSize || std::memcmp(state->signature, kSignatureTag, 4) != 0) {
        ILogSystem.Msg(0, " . [IStuffDPF->Open('%s')] Error: it is not a valid DPF.\n", name);
        return Refuse(fd, -1);
    }
    if (state->signature[4] == '3') {
        if (readOnly) {
            ILogSystem.Msg(0,
                           " . [IStuffDPF->Open('%s')] Error: it is not possible to update a DPF opened in read "
                           "only mode.\n",
                           name);
            return Refuse(fd, -1);
        }
        platform::Close(fd);
        fd = Update3to4(*state, dpfFile);
        if (fd <= 0) {
            ILogSystem.Msg(0,
                           " . [IStuffDPF->Open('%s')] Error: it was not possible to update the given DPF from "
                           "v3.0 to v4.0.\n",
                           name);
            return -1;
        }
        ILogSystem.Msg(5, " . [IStuffDPF->Open('%s')] Info: the given DPF was updated from v3.0 to v4.0.\n", name);
    }
    if (state->signature[4] != '4') {
        ILogSystem.Msg(0, " . [IStuffDPF->Open('%s')] Error: '%s' version is not supported.\n", name, GetName());
        return Refuse(fd, -1);
    }

    const long length = platform::Length(fd);
    uint8_t header[kHeaderSize];
    if (length < kDataStart || platform::Read(fd, header, sizeof header) != kHeaderSize) {
        ILogSystem.Msg(0, " . [IStuffDPF->Open('%s')] Error: the given DPF is corrupted.\n", name);
        return Refuse(fd, -1);
    }
    std::memcpy(state->headerBuffer, header, sizeof header);
    state->headerCipher.Decipher(state->headerBuffer, kHeaderBlocks);

    const bool known = state->table.IsKnown(dpfFile, length);
    if (!known && dpf_internal::CalculateCrc(fd) != LoadLE32(state->headerBuffer + kCrcOffset)) {
        ILogSystem.Msg(0, " . [IStuffDPF->Open('%s')] Error: the given DPF is corrupted.\n", name);
        return Refuse(fd, -1);
    }
    const int handle = state->table.Register(fd, state->headerBuffer[kProtectedOffset] != 0, dpfFile, length, known);
    if (handle == 0) return Refuse(fd, 0);
    return handle;
}

void Veltrano_IStuffDPF::Close(int dpfHandle) {
    ArchiveSlot* slot = state->table.FindByHandle(dpfHandle);
    if (slot == nullptr) return;
    if (--slot->refCount > 0) return;
    dpf_internal::CloseSlot(*state, *slot);
}

int Veltrano_IStuffDPF::FindFirst(int dpfHandle, DPF_BlockData* block) {
    return PublicFind(*state, dpfHandle, FindKind::First, block);
}

int Veltrano_IStuffDPF::FindNext(int dpfHandle, DPF_BlockData* block) {
    return PublicFind(*state, dpfHandle, FindKind::Next, block);
}

int Veltrano_IStuffDPF::Search(int dpfHandle, DPF_BlockData* block) {
    if (block == nullptr) return 0;
    const int result = dpf_internal::WalkBlocks(
        *state, dpfHandle, [block](const uint8_t* header) { return !Matches(header, *block); });
    if (result != 1) return result;
    FillRecord(state->blockHeader, block);
    // LoadBlock, Delete and the maintenance walks read on from here.
    ArchiveSlot* slot = state->table.FindByHandle(dpfHandle);
    if (platform::Seek(slot->fd, state->scanPos, platform::Whence::Begin) < 0) return 2;
    return 1;
}

int Veltrano_IStuffDPF::LoadBlock(int dpfHandle, const char* type, const char* name, DPF_BlockData* block) {
    if (block == nullptr) return 0;
    std::memset(block, 0, sizeof *block);
    ArchiveSlot* slot = state->table.FindByHandle(dpfHandle);
    if (slot == nullptr) return 0;
    const char* path = slot->path;
    if (slot->isProtected && state->passwordLength == 0) {
        ILogSystem.Msg(0,
                       " . [IStuffDPF->LoadBlock('%s','%s','%s')] Error: the given DPF is protected and the key "
                       "was not set.\n",
                       path, Printable(type), Printable(name));
        return 0;
    }
    // A type or name too long for its field can match no stored block.
    const bool fits = type != nullptr && name != nullptr && strnlen(type, kTypeSize) < kTypeSize &&
                      strnlen(name, kNameSize) < kNameSize;
    if (fits) {
        std::strcpy(block->type, type);
        std::strcpy(block->name, name);
    }
    if (!fits || Search(dpfHandle, block) != 1) {
        ILogSystem.Msg(2, " . [IStuffDPF->LoadBlock('%s','%s','%s')] Warning: datablock was not found in the given DPF.\n",
                       path, Printable(type), Printable(name));
        return 0;
    }

    const int32_t size = block->size;
    const int32_t storedSize = block->storedSize;
    const uint8_t storage = block->storage;
    // Sizes are checked against each other and against the file before any
    // buffer is made: damage must not become an absurd allocation.
    const bool sizesAgree = storage == kStorageCompressed ? ucl_codec::PlausibleExpansion(storedSize, size)
                                                          : size == storedSize;
    uint8_t* stored = nullptr;
    int64_t padded = 0;
    if (!sizesAgree && storage == kStorageCompressed) {
        ILogSystem.Msg(0, " . [IStuffDPF->LoadBlock('%s','%s','%s')] Error: UCL failed to decompress the data block.\n",
                       path, type, name);
        return 0;
    }
    if (!sizesAgree || !dpf_internal::ReadFoundData(*state, slot->fd, &stored, &padded)) {
        ILogSystem.Msg(0, " . [IStuffDPF->LoadBlock('%s','%s','%s')] Error: datablock was not loaded successfully.\n",
                       path, type, name);
        return 0;
    }
    if (slot->isProtected) state->blockCipher.Decipher(stored, static_cast<size_t>(padded / 8));

    uint8_t* data = stored;
    if (storage == kStorageScrambled) {
        for (int32_t i = 0; i < storedSize; ++i) data[i] ^= archive_keys::kScrambleKey;
    } else if (storage == kStorageCompressed) {
        data = static_cast<uint8_t*>(std::malloc(size > 0 ? static_cast<size_t>(size) : 1));
        const bool unpacked = data != nullptr && ucl_codec::Decompress(stored, static_cast<size_t>(storedSize), data,
                                                                       static_cast<size_t>(size));
        std::free(stored);
        if (!unpacked) {
            std::free(data);
            ILogSystem.Msg(0,
                           " . [IStuffDPF->LoadBlock('%s','%s','%s')] Error: UCL failed to decompress the data "
                           "block.\n",
                           path, type, name);
            return 0;
        }
    }
    if (size == 0) {
        // Nothing to hand over; a result of 0 must not leave memory behind.
        std::free(data);
        data = nullptr;
    }
    block->data = reinterpret_cast<char*>(data);
    return size;
}

int Veltrano_IStuffDPF::FreeBlock(DPF_BlockData* block) {
    if (block == nullptr) return 0;
    std::free(block->data);
    block->data = nullptr;
    return 1;
}

int Veltrano_IStuffDPF::GetNumBlocks(int dpfHandle) {
    if (state->table.FindByHandle(dpfHandle) == nullptr) return -1;
    int count = 0;
    dpf_internal::WalkBlocks(*state, dpfHandle, [&count](const uint8_t*) {
        ++count;
        return true;
    });
    return count;
}

int Veltrano_IStuffDPF::GetNumDelBlocks(int dpfHandle) {
    if (state->table.FindByHandle(dpfHandle) == nullptr) return -1;
    int count = 0;
    dpf_internal::WalkBlocks(*state, dpfHandle, [&count](const uint8_t* header) {
        if (IsDeleted(header)) ++count;
        return true;
    });
    return count;
}

int Veltrano_IStuffDPF::GetSize(int dpfHandle) {
    ArchiveSlot* slot = state->table.FindByHandle(dpfHandle);
    if (slot == nullptr) return -1;
    const long length = platform::Length(slot->fd);
    return length < 0 ? -1 : static_cast<int>(length / 1024);
}

char Veltrano_IStuffDPF::GetFragment(int dpfHandle) {
    ArchiveSlot* slot = state->table.FindByHandle(dpfHandle);
    if (slot == nullptr) return -1;
    int64_t deleted = 0;
    dpf_internal::WalkBlocks(*state, dpfHandle, [&deleted](const uint8_t* header) {
        if (IsDeleted(header)) deleted += ReadBlockFields(header).storedSize;
        return true;
    });
    const long length = platform::Length(slot->fd);
    if (length <= 0) return -1;
    return static_cast<char>(100 - deleted * 100 / length);
}

char* Veltrano_IStuffDPF::GetFilename(int dpfHandle) {
    ArchiveSlot* slot = state->table.FindByHandle(dpfHandle);
    return slot != nullptr ? slot->path : nullptr;
}
