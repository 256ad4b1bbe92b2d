#include "archive/dpf_state.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <zlib.h>

#include "Veltrano_ILogSystem.h"
#include "archive/block_scan.h"
#include "archive/ucl_codec.h"
#include "platform/platform.h"

namespace dpf_internal {

using namespace dpf_format;

namespace {

void LogShortHeader(FindKind kind, int handle) {
    if (kind == FindKind::First)
        ILogSystem.Msg(0, " . [IStuffDPF->FindFirst(%d)] Error: the first block was unsuccessfully loaded.\n", handle);
    else
        ILogSystem.Msg(0, " . [IStuffDPF->FindNext(%d)] Error: the next block was unsuccessfully loaded.\n", handle);
}

}  // namespace

long FileLength(int fd) { return platform::Length(fd); }

int FindStep(DpfState& state, int handle, FindKind kind, DPF_BlockData* out) {
    ArchiveSlot* slot = state.table.FindByHandle(handle);
    if (slot == nullptr) return 2;
    if (slot->isProtected && state.passwordLength == 0) {
        ILogSystem.Msg(0, " . [IStuffDPF->Find(%d)] Error: the given DPF is protected and the key was not set.\n",
                       handle);
        return 0;
    }
    std::memset(state.blockHeader, 0, sizeof state.blockHeader);
    long start = kDataStart;
    if (kind == FindKind::First) {
        state.scanPos = 0;
    } else {
        // Normal access jumps over the data. A negative storedSize (damage,
        // or a wrong password) would send the walk backwards for ever: such a
        // block is stepped over byte by byte instead.
        if (!state.lowLevel) state.scanPos += std::max<int32_t>(state.lastStoredSize, 0);
        start = state.scanPos;
    }

    long idOffset = 0;
    if (const BlockIndex::Entry* known = slot->index.Lookup(start)) {
        std::memcpy(state.blockHeader, known->header, sizeof state.blockHeader);
        idOffset = known->idOffset;
    } else {
        const ScanOutcome scan = ScanForBlock(slot->fd, start);
        switch (scan.status) {
            case ScanStatus::End: return 0;
            case ScanStatus::ReadError: return 2;
            case ScanStatus::ShortHeader:
                LogShortHeader(kind, handle);
                return scan.headerBytes == 0 ? 0 : 2;
            case ScanStatus::Found: break;
        }
        std::memcpy(state.blockHeader, scan.header, sizeof state.blockHeader);
        if (slot->isProtected) state.blockCipher.Decipher(state.blockHeader, kBlockHeaderBlocks);
        slot->index.Record(start, scan.idOffset, state.blockHeader);
        idOffset = scan.idOffset;
    }
    if (out != nullptr) FillRecord(state.blockHeader, out);
    state.scanPos = idOffset + kBlockPrefixSize;
    state.lastStoredSize = ReadBlockFields(state.blockHeader).storedSize;
    return 1;
}

bool ReadFoundData(const DpfState& state, int fd, uint8_t** out, int64_t* length) {
    *out = nullptr;
    *length = 0;
    const int32_t storedSize = ReadBlockFields(state.blockHeader).storedSize;
    const int64_t padded = PaddedLength(storedSize);
    const long fileLength = FileLength(fd);
    if (storedSize < 0 || fileLength < 0 || state.scanPos + padded > fileLength) return false;
    // Zeroed room after the data for the unpacker, which may read a byte past
    // the end of a damaged compressed block.
    const size_t room = static_cast<size_t>(padded) + ucl_codec::kInputSlack;
    uint8_t* bytes = static_cast<uint8_t*>(std::malloc(room));
    if (bytes == nullptr) return false;
    std::memset(bytes + padded, 0, ucl_codec::kInputSlack);
    if (platform::Seek(fd, state.scanPos, platform::Whence::Begin) < 0 ||
        platform::Read(fd, bytes, static_cast<size_t>(padded)) != padded) {
        std::free(bytes);
        return false;
    }
    *out = bytes;
    *length = padded;
    return true;
}

uint32_t CalculateCrc(int fd) {
    const long length = FileLength(fd);
    if (length <= kDataStart) return 0;
    std::vector<uint8_t> chunk(1 << 16);
    uLong crc = crc32(0L, Z_NULL, 0);
    for (long offset = kDataStart; offset < length;) {
        const size_t wanted = static_cast<size_t>(std::min<long>(length - offset, static_cast<long>(chunk.size())));
        const long got = platform::ReadAt(fd, offset, chunk.data(), wanted);
        if (got <= 0) {
            ILogSystem.Msg(0, " . [IStuffDPF->CalculateCRC('%d')] Error: %s\n", fd,
                           got < 0 ? platform::LastErrorText() : "the file ended early");
            return 0;
        }
        crc = crc32(crc, chunk.data(), static_cast<uInt>(got));
        offset += got;
    }
    return static_cast<uint32_t>(crc);
}

bool WriteArchiveHeader(DpfState& state, int fd) {
    uint8_t enciphered[kHeaderSize];
    std::memcpy(enciphered, state.headerBuffer, sizeof enciphered);
    state.headerCipher.Encipher(enciphered, kHeaderBlocks);
    return platform::Write(fd, state.signature, kSignatureSize) == kSignatureSize &&
           platform::Write(fd, enciphered, kHeaderSize) == kHeaderSize;
}

bool WriteNewArchiveHeader(DpfState& state, int fd, const char* copyright, const char* createDate,
                           const char* modifiedDate) {
    MakeSignature(state.signature);
    BuildNewHeader(state.headerBuffer, copyright, createDate, modifiedDate);
    return WriteArchiveHeader(state, fd);
}

bool RewriteArchiveHeader(DpfState& state, int fd) {
    if (fd <= 0 || platform::Seek(fd, kSignatureSize, platform::Whence::Begin) < 0) return false;
    uint8_t header[kHeaderSize];
    // A file too short to hold a header has none to rewrite.
    if (platform::Read(fd, header, sizeof header) != kHeaderSize) return false;
    std::memcpy(state.headerBuffer, header, sizeof header);
    state.headerCipher.Decipher(state.headerBuffer, kHeaderBlocks);
    PutField(state.headerBuffer + kModifiedDateOffset, kDateSize, DateText().c_str());
    StoreLE32(state.headerBuffer + kCrcOffset, CalculateCrc(fd));
    std::memcpy(header, state.headerBuffer, sizeof header);
    state.headerCipher.Encipher(header, kHeaderBlocks);
    const bool written = platform::Seek(fd, kSignatureSize, platform::Whence::Begin) >= 0 &&
                         platform::Write(fd, header, sizeof header) == kHeaderSize;
    platform::Commit(fd);
    if (ArchiveSlot* slot = state.table.FindByDescriptor(fd)) slot->dirty = false;
    state.table.ForgetBlocks(fd);
    return written;
}

void CloseSlot(DpfState& state, ArchiveSlot& slot) {
    if (slot.dirty) RewriteArchiveHeader(state, slot.fd);
    platform::Close(slot.fd);
    state.table.Release(slot);
}

std::string DerivedName(const char* file, const char* suffix) {
    std::string name = file != nullptr ? file : "";
    const size_t folderEnd = name.find_last_of("/\\");
    const size_t nameStart = folderEnd == std::string::npos ? 0 : folderEnd + 1;
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot >= nameStart) name.erase(dot);
    return name + suffix;
}

std::string DateText() {
    char text[26];
    platform::LocalTimeText(text, false);
    return text;
}

}  // namespace dpf_internal
