#include "archive/archive_format.h"

#include <cstdlib>
#include <cstring>

#include "core/clock.h"

namespace dpf_format {

const uint8_t kIdBlock[kIdSize] = {0xB7, 0xAE, 0xCE, 'B', 'l', 'o', 'c', 'k',
                                   '-',  'D',  'a',  't', 'a', 0xCE, 0xAF, 0xB7};
const char kDeletedType[kTypeSize] = "DELETED";
const char kFileType[] = "FILE";

void MakeSignature(uint8_t signature[kSignatureSize]) { std::memcpy(signature, "DPFv4.0", 8); }

void CopyField(char* out, size_t outSize, const uint8_t* field, size_t width) {
    if (outSize == 0) return;
    size_t length = strnlen(reinterpret_cast<const char*>(field), width);
    if (length > outSize - 1) length = outSize - 1;
    std::memcpy(out, field, length);
    out[length] = '\0';
}

void PutField(uint8_t* field, size_t width, const char* text) {
    std::memset(field, 0, width);
    if (text == nullptr || width == 0) return;
    std::memcpy(field, text, strnlen(text, width - 1));
}

void BuildNewHeader(uint8_t header[kHeaderSize], const char* copyright, const char* createDate,
                    const char* modifiedDate) {
    std::memset(header, 0, kHeaderSize);
    PutField(header + kCopyrightOffset, kCopyrightSize, copyright);
    PutField(header + kCreateDateOffset, kDateSize, createDate);
    PutField(header + kModifiedDateOffset, kDateSize, modifiedDate);
    std::srand(clock_source::Ticks());
    for (int i = 0; i < kFillerSize; ++i) header[kFillerOffset + i] = static_cast<uint8_t>(std::rand() % 255);
}

BlockFields ReadBlockFields(const uint8_t header[kBlockHeaderSize]) {
    return BlockFields{header[kStorageOffset], static_cast<int32_t>(LoadLE32(header + kSizeOffset)),
                       static_cast<int32_t>(LoadLE32(header + kStoredSizeOffset))};
}

void BuildBlockHeader(uint8_t header[kBlockHeaderSize], const char* name, const char* type,
                      uint8_t storage, int32_t size, int32_t storedSize) {
    std::memset(header, 0, kBlockHeaderSize);
    PutField(header + kNameOffset, kNameSize, name);
    PutField(header + kTypeOffset, kTypeSize, type);
    header[kStorageOffset] = storage;
    StoreLE32(header + kSizeOffset, static_cast<uint32_t>(size));
    StoreLE32(header + kStoredSizeOffset, static_cast<uint32_t>(storedSize));
}

void MarkDeleted(uint8_t header[kBlockHeaderSize]) {
    std::memcpy(header + kTypeOffset, kDeletedType, kTypeSize);
    header[kNameOffset] = '?';
}

bool IsDeleted(const uint8_t header[kBlockHeaderSize]) {
    return std::strncmp(reinterpret_cast<const char*>(header + kTypeOffset), kDeletedType, kTypeSize) == 0;
}

bool Matches(const uint8_t header[kBlockHeaderSize], const DPF_BlockData& record) {
    return std::strncmp(reinterpret_cast<const char*>(header + kNameOffset), record.name, kNameSize) == 0 &&
           std::strncmp(reinterpret_cast<const char*>(header + kTypeOffset), record.type, kTypeSize) == 0;
}

void FillRecord(const uint8_t header[kBlockHeaderSize], DPF_BlockData* record) {
    std::memset(record->name, 0, sizeof record->name);
    std::memset(record->type, 0, sizeof record->type);
    CopyField(record->name, sizeof record->name, header + kNameOffset, kNameSize);
    CopyField(record->type, sizeof record->type, header + kTypeOffset, kTypeSize);
    const BlockFields fields = ReadBlockFields(header);
    record->storage = fields.storage;
    record->size = fields.size;
    record->storedSize = fields.storedSize;
    record->data = nullptr;
}

}  // namespace dpf_format
