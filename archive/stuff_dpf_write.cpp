// Veltrano_IStuffDPF: creating archives, adding and deleting blocks, and
// bringing the archive header up to date.
#include "Veltrano_IStuffDPF.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "archive/archive_keys.h"
#include "archive/dpf_state.h"
#include "archive/ucl_codec.h"
#include "platform/platform.h"

using namespace dpf_format;
using dpf_internal::Printable;

namespace {

// The stored bytes of a block about to be appended, zero-padded to a
// multiple of 8; storedSize < 0 when preparing failed.
struct PreparedData {
    uint8_t* bytes = nullptr;
    int32_t storedSize = -1;
    ~PreparedData() { std::free(bytes); }
};

// The caller's record is checked before anything is allocated.
bool HasValidData(const DPF_BlockData& block) {
    if (block.size < 0 || (block.size > 0 && block.data == nullptr)) return false;
    // An empty raw block would be reported as a failure (storedSize 0).
    return block.size > 0 || block.storage == kStorageCompressed;
}

bool AppendBlock(int fd, const uint8_t* header, const uint8_t* data, int64_t padded) {
    const long oldLength = platform::Seek(fd, 0, platform::Whence::End);
    if (oldLength < 0) return false;
    const bool written = platform::Write(fd, kIdBlock, kIdSize) == kIdSize &&
                         platform::Write(fd, header, kBlockHeaderSize) == kBlockHeaderSize &&
                         platform::Write(fd, data, static_cast<size_t>(padded)) == padded;
    // A part-written block would hide every later block from a walk in
    // normal access: cut it off again.
    if (!written) platform::Truncate(fd, oldLength);
    return written;
}

}  // namespace

int Veltrano_IStuffDPF::Create(const char* dpfFile) {
    if (dpfFile == nullptr) return -1;
    if (strnlen(dpfFile, ArchiveSlot::kPathSize) >= ArchiveSlot::kPathSize) {
        ILogSystem.Msg(0, " . [IStuffDPF->Create('%s')] Error: the file name is too long.\n", dpfFile);
        return -1;
    }
    const std::string now = dpf_internal::DateText();
    Veltrano.MakeDirectory(dpfFile);
    const int fd = platform::Open(dpfFile, platform::OpenMode::CreateWriteOnly);
    if (fd < 0) return -1;
    // Both dates are the moment the archive was made.
    dpf_internal::WriteNewArchiveHeader(*state, fd, Veltrano.GetCopyright(), now.c_str(), now.c_str());
    // The file may be open under another slot: what it remembered is gone.
    state->table.ForgetBlocks(fd);
    platform::Close(fd);
    return Open(dpfFile);
}

int Veltrano_IStuffDPF::AddData(int dpfHandle, DPF_BlockData* block) {
    if (block == nullptr) return 0;
    char name[kNameSize + 1];
    CopyField(name, sizeof name, reinterpret_cast<const uint8_t*>(block->name), kNameSize);
    if (strnlen(block->type, kTypeSize) >= kTypeSize || strnlen(block->name, kNameSize) >= kNameSize) {
        ILogSystem.Msg(0,
                       " . [IStuffDPF->AddData(%d,'%s')] Error: name or type are too long. Maximum chars for name "
                       "is 32 and 8 for type.\n",
                       dpfHandle, name);
        return 0;
    }
    ArchiveSlot* slot = state->table.FindByHandle(dpfHandle);
    if (slot == nullptr) return 0;
    if (slot->isProtected && state->passwordLength == 0) {
        ILogSystem.Msg(0, " . [IStuffDPF->AddData(%d,'%s')] Error: the given DPF is protected and the key was not set.\n",
                       dpfHandle, name);
        return 0;
    }

    // Searched with a copy: the caller's record must keep its data pointer.
    DPF_BlockData probe{};
    std::memcpy(probe.name, block->name, sizeof probe.name);
    std::memcpy(probe.type, block->type, sizeof probe.type);
    const int found = Search(dpfHandle, &probe);
    if (found == 1) {
        ILogSystem.Msg(5, " . [IStuffDPF->AddData(%d,'%s')] Info: block already exists.\n", dpfHandle, name);
        return -1;
    }
    if (found != 0) {
        ILogSystem.Msg(0, " . [IStuffDPF->AddData(%d,'%s')] Error: it was not possible to access to the DPF.\n",
                       dpfHandle, name);
        return 0;
    }
    if (!HasValidData(*block)) {
        ILogSystem.Msg(0, " . [IStuffDPF->AddData(%d,'%s')] Error: the data block is empty or invalid.\n", dpfHandle,
                       name);
        return 0;
    }

    const size_t size = static_cast<size_t>(block->size);
    // Room for the compressor's worst case, plus the padding to 8.
    const int64_t capacity = ucl_codec::WorstCaseSize(block->size) + 8;
    PreparedData prepared;
    prepared.bytes = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(capacity), 1));
    if (prepared.bytes == nullptr) {
        ILogSystem.Msg(0, " . [IStuffDPF->AddData(%d,'%s')] Error: not enough memory for the data block.\n", dpfHandle,
                       name);
        return 0;
    }
    uint8_t storage = block->storage;
    if (storage == kStorageCompressed) {
        static const uint8_t kNothing = 0;
        const uint8_t* source = size > 0 ? reinterpret_cast<const uint8_t*>(block->data) : &kNothing;
        const int64_t packed = ucl_codec::Compress(source, size, prepared.bytes);
        if (packed < 0 || packed > INT32_MAX - 8) {
            ILogSystem.Msg(0, " . [IStuffDPF->AddData(%d,'%s')] Error: UCL failed to compress the data block.\n",
                           dpfHandle, name);
            return 0;
        }
        prepared.storedSize = static_cast<int32_t>(packed);
    } else {
        if (storage != kStorageRaw) {
            storage = kStorageScrambled;
            block->storage = kStorageScrambled;
        }
        std::memcpy(prepared.bytes, block->data, size);
        if (storage == kStorageScrambled)
            for (size_t i = 0; i < size; ++i) prepared.bytes[i] ^= archive_keys::kScrambleKey;
        prepared.storedSize = block->size;
    }

    BuildBlockHeader(state->blockHeader, block->name, block->type, storage, block->size, prepared.storedSize);
    uint8_t header[kBlockHeaderSize];
    std::memcpy(header, state->blockHeader, sizeof header);
    const int64_t padded = PaddedLength(prepared.storedSize);
    if (slot->isProtected) {
        state->blockCipher.Encipher(header, kBlockHeaderBlocks);
        state->blockCipher.Encipher(prepared.bytes, static_cast<size_t>(padded / 8));
    }
    const bool appended = AppendBlock(slot->fd, header, prepared.bytes, padded);
    state->table.ForgetBlocks(slot->fd);
    if (!appended) {
        ILogSystem.Msg(0, " . [IStuffDPF->AddData(%d,'%s')] Error: it was not possible to write to the DPF.\n",
                       dpfHandle, name);
        return 0;
    }
    slot->dirty = true;
    slot->recordedLength = platform::Length(slot->fd);
    return prepared.storedSize;
}

int Veltrano_IStuffDPF::AddFile(int dpfHandle, const char* file) {
    if (file == nullptr) return 0;
    DPF_BlockData block{};
    std::memcpy(block.name, file, strnlen(file, kNameSize));
    std::strcpy(block.type, kFileType);
    block.storage = kStorageCompressed;
    // A name that does not fit is refused by AddData before the file is read.
    if (strnlen(file, kNameSize) >= kNameSize) return AddData(dpfHandle, &block);

    const int fd = platform::Open(file, platform::OpenMode::ReadOnly);
    const long length = fd < 0 ? -1 : platform::Length(fd);
    uint8_t* bytes = nullptr;
    bool read = length >= 0 && length <= INT32_MAX / 2;
    if (read) {
        bytes = static_cast<uint8_t*>(std::malloc(length > 0 ? static_cast<size_t>(length) : 1));
        read = bytes != nullptr && platform::Read(fd, bytes, static_cast<size_t>(length)) == length;
    }
    if (fd >= 0) platform::Close(fd);
    if (!read) {
        std::free(bytes);
        ILogSystem.Msg(0, " . [IStuffDPF->AddFile(%d,'%s')] Error: the file could not be read.\n", dpfHandle, file);
        return 0;
    }
    block.size = static_cast<int>(length);
    block.data = reinterpret_cast<char*>(bytes);
    const int result = AddData(dpfHandle, &block);
    std::free(bytes);
    return result;
}

int Veltrano_IStuffDPF::Delete(int dpfHandle, DPF_BlockData* block) {
    if (dpfHandle < 0 || block == nullptr) return 0;
    const unsigned char storage = block->storage;
    const int size = block->size;
    const int storedSize = block->storedSize;
    char* data = block->data;
    if (Search(dpfHandle, block) != 1) {
        ILogSystem.Msg(2, " . [IStuffDPF->Delete(%d)] Warning: datablock was not found in the given DPF.\n",
                       dpfHandle);
        return 0;
    }
    block->storage = storage;
    block->size = size;
    block->storedSize = storedSize;
    block->data = data;

    ArchiveSlot* slot = state->table.FindByHandle(dpfHandle);
    MarkDeleted(state->blockHeader);
    uint8_t header[kBlockHeaderSize];
    std::memcpy(header, state->blockHeader, sizeof header);
    if (slot->isProtected) state->blockCipher.Encipher(header, kBlockHeaderBlocks);
    const bool written =
        platform::Seek(slot->fd, state->scanPos - kBlockHeaderSize, platform::Whence::Begin) >= 0 &&
        platform::Write(slot->fd, header, sizeof header) == kBlockHeaderSize;
    state->table.ForgetBlocks(slot->fd);
    if (!written) {
        ILogSystem.Msg(0, " . [IStuffDPF->Delete(%d)] Error: it was not possible to write to the DPF.\n", dpfHandle);
        return 0;
    }
    slot->dirty = true;
    return 1;
}

void Veltrano_IStuffDPF::Flush(int dpfHandle) {
    ArchiveSlot* slot = state->table.FindByHandle(dpfHandle);
    if (slot != nullptr) dpf_internal::RewriteArchiveHeader(*state, slot->fd);
}
