// The DPF file layout: signature, archive header, ID block, block header and
// data padding. All integers in the file are little-endian.
#ifndef VELTRANO_ARCHIVE_FORMAT_H
#define VELTRANO_ARCHIVE_FORMAT_H

#include <cstddef>
#include <cstdint>

#include "core/byte_order.h"
#include "veltrano_types.h"

namespace dpf_format {

constexpr int kSignatureSize = 8;
constexpr int kHeaderSize = 512;
constexpr int kHeaderBlocks = kHeaderSize / 8;
// Blocks start right after the signature and the archive header.
constexpr long kDataStart = kSignatureSize + kHeaderSize;

// Deciphered archive header fields.
constexpr int kCopyrightOffset = 0;
constexpr int kCopyrightSize = 29;
constexpr int kCreateDateOffset = 29;
constexpr int kModifiedDateOffset = 61;
constexpr int kDateSize = 32;
constexpr int kProtectedOffset = 93;
constexpr int kCrcOffset = 96;
constexpr int kFillerOffset = 100;
constexpr int kFillerSize = 410;

constexpr int kIdSize = 16;
extern const uint8_t kIdBlock[kIdSize];

// Block header (enciphered with the password in protected archives).
constexpr int kBlockHeaderSize = 64;
constexpr int kBlockHeaderBlocks = kBlockHeaderSize / 8;
constexpr int kNameSize = 32;  // with the terminating NUL
constexpr int kTypeSize = 8;
constexpr int kNameOffset = 0;
constexpr int kTypeOffset = 32;
constexpr int kStorageOffset = 40;
constexpr int kSizeOffset = 44;
constexpr int kStoredSizeOffset = 48;
// ID block plus block header: what precedes every data block.
constexpr long kBlockPrefixSize = kIdSize + kBlockHeaderSize;

constexpr uint8_t kStorageCompressed = 0;
constexpr uint8_t kStorageRaw = 1;
constexpr uint8_t kStorageScrambled = 2;

extern const char kDeletedType[kTypeSize];  // "DELETED"
extern const char kFileType[];              // "FILE", blocks made by AddFile

using byte_order::LoadLE16;
using byte_order::LoadLE32;
using byte_order::StoreLE16;
using byte_order::StoreLE32;

// Data blocks are padded with zeros to a multiple of the cipher's block.
constexpr int64_t PaddedLength(int64_t storedSize) { return (storedSize + 7) / 8 * 8; }

// "DPFv", "4.0", NUL.
void MakeSignature(uint8_t signature[kSignatureSize]);

// Copies at most width bytes of a text field, stopping at its NUL, into out
// (outSize bytes), always terminated.
void CopyField(char* out, size_t outSize, const uint8_t* field, size_t width);
// Writes text into a field of width bytes, cut to width - 1 characters and
// NUL-padded.
void PutField(uint8_t* field, size_t width, const char* text);

// A fresh header as made for a new archive: the texts, protected flag 0,
// CRC 0, and random filler (the C generator seeded with the tick count).
void BuildNewHeader(uint8_t header[kHeaderSize], const char* copyright, const char* createDate,
                    const char* modifiedDate);

// Block header fields as stored.
struct BlockFields {
    uint8_t storage;
    int32_t size;
    int32_t storedSize;
};
BlockFields ReadBlockFields(const uint8_t header[kBlockHeaderSize]);
void BuildBlockHeader(uint8_t header[kBlockHeaderSize], const char* name, const char* type,
                      uint8_t storage, int32_t size, int32_t storedSize);
// A deleted block keeps its place: type "DELETED" and '?' for the name's
// first character.
void MarkDeleted(uint8_t header[kBlockHeaderSize]);
bool IsDeleted(const uint8_t header[kBlockHeaderSize]);
// Exact, case-sensitive comparison of the stored name and type with a
// record's (both bounded by their field widths).
bool Matches(const uint8_t header[kBlockHeaderSize], const DPF_BlockData& record);
// Fills name, type, storage, size and storedSize; data becomes null.
void FillRecord(const uint8_t header[kBlockHeaderSize], DPF_BlockData* record);

}  // namespace dpf_format

#endif
