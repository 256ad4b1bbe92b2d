#include "archive/version3_upgrade.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "archive/dpf_state.h"
#include "platform/platform.h"

using namespace dpf_format;

namespace {

constexpr char kUpgradeFile[] = "tmp.dpf";
constexpr size_t kMaxUpgradedName = 250;

// Version 3 layout: a 256-byte plain header, then blocks back to back, each
// an 11-byte ID, a 46-byte record and exactly storedSize data bytes.
constexpr int kV3HeaderSize = 256;
constexpr int kV3CopyrightOffset = 8;
constexpr int kV3CreateDateOffset = 37;
constexpr int kV3IdSize = 11;
constexpr uint8_t kV3IdDotted[kV3IdSize] = {'.', 'B', 'l', 'o', 'c', 'k', 'D', 'a', 't', 'a', '.'};
constexpr uint8_t kV3IdMarked[kV3IdSize] = {0xB7, 'B', 'l', 'o', 'c', 'k', 'D', 'a', 't', 'a', 0xB7};
constexpr int kV3RecordSize = 46;
constexpr int kV3NameSize = 32;
constexpr int kV3TypeOffset = 32;
constexpr int kV3TypeSize = 5;
constexpr int kV3StorageOffset = 37;
constexpr int kV3SizeOffset = 38;
constexpr int kV3StoredSizeOffset = 42;

class BlockImporter {
public:
    BlockImporter(DpfState& state, const char* dpfFile, int source, int target)
        : state_(state), file_(dpfFile), source_(source), target_(target) {}

    // Imports every block; false when the version 3 file is damaged.
    bool Run(int* imported) {
        const long length = platform::Length(source_);
        for (long offset = kV3HeaderSize;;) {
            uint8_t id[kV3IdSize];
            const long got = platform::Read(source_, id, sizeof id);
            if (got == 0) return true;
            if (got != kV3IdSize) return false;
            if (std::memcmp(id, kV3IdDotted, sizeof id) != 0 && std::memcmp(id, kV3IdMarked, sizeof id) != 0) {
                ILogSystem.Msg(0, " . [IStuffDPF->Update3to4('%s')] Error: header block does not match.\n", file_);
                return false;
            }
            uint8_t record[kV3RecordSize];
            const int32_t storedSize =
                platform::Read(source_, record, sizeof record) == kV3RecordSize
                    ? static_cast<int32_t>(LoadLE32(record + kV3StoredSizeOffset))
                    : -1;
            offset += kV3IdSize + kV3RecordSize;
            // The data must be in the file before a buffer is made for them.
            uint8_t* data = nullptr;
            if (storedSize >= 0 && offset + storedSize <= length) {
                data = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(PaddedLength(storedSize)) + 1, 1));
            }
            if (data == nullptr || platform::Read(source_, data, static_cast<size_t>(storedSize)) != storedSize) {
                std::free(data);
                ILogSystem.Msg(0, " . [IStuffDPF->Update3to4('%s')] Error: data block is corrupted.\n", file_);
                return false;
            }
            offset += storedSize;
            if (!IsDeletedV3(record)) {
                Import(record, data, storedSize);
                ++*imported;
                LogImported(record, *imported, storedSize);
            }
            std::free(data);
        }
    }

private:
    static bool IsDeletedV3(const uint8_t* record) {
        return std::strncmp(reinterpret_cast<const char*>(record + kV3TypeOffset), "DELE", kV3TypeSize) == 0;
    }

    void Import(const uint8_t* record, const uint8_t* data, int32_t storedSize) {
        uint8_t* header = state_.blockHeader;
        std::memset(header, 0, kBlockHeaderSize);
        std::memcpy(header + kNameOffset, record, kV3NameSize);
        std::memcpy(header + kTypeOffset, record + kV3TypeOffset, kV3TypeSize);
        header[kStorageOffset] = record[kV3StorageOffset];
        std::memcpy(header + kSizeOffset, record + kV3SizeOffset, 4);
        std::memcpy(header + kStoredSizeOffset, record + kV3StoredSizeOffset, 4);
        const int64_t padded = PaddedLength(storedSize);
        // Write errors are reported and the import goes on.
        if (platform::Write(target_, kIdBlock, kIdSize) != kIdSize)
            ILogSystem.Msg(0, " . [IStuffDPF->Update3to4('%s')] Error: new ID block is corrupted.\n", file_);
        if (platform::Write(target_, header, kBlockHeaderSize) != kBlockHeaderSize)
            ILogSystem.Msg(0, " . [IStuffDPF->Update3to4('%s')] Error: new header block is corrupted.\n", file_);
        if (platform::Write(target_, data, static_cast<size_t>(padded)) != padded)
            ILogSystem.Msg(0, " . [IStuffDPF->Update3to4('%s')] Error: new data block is corrupted.\n", file_);
    }

    void LogImported(const uint8_t* record, int count, int32_t storedSize) {
        char name[kV3NameSize + 1];
        char type[kV3TypeSize + 1];
        CopyField(name, sizeof name, record, kV3NameSize);
        CopyField(type, sizeof type, record + kV3TypeOffset, kV3TypeSize);
        ILogSystem.Msg(2, " . [IStuffDPF->Update3to4('%s')] Info: imported block %d - Name '%s' - Type '%s' - Size %d Kb\n",
                       file_, count, name, type, storedSize / 1024);
    }

    DpfState& state_;
    const char* file_;
    int source_;
    int target_;
};

// Builds the new archive header from the version 3 one and writes it; the
// conversion's time becomes the modification date.
bool WriteUpgradedHeader(DpfState& state, int target, const uint8_t* v3Header, const std::string& now) {
    char copyright[kCopyrightSize];
    char createDate[kDateSize];
    CopyField(copyright, sizeof copyright, v3Header + kV3CopyrightOffset, kCopyrightSize);
    CopyField(createDate, sizeof createDate, v3Header + kV3CreateDateOffset, kV3HeaderSize - kV3CreateDateOffset);
    return dpf_internal::WriteNewArchiveHeader(state, target, copyright, createDate, now.c_str());
}

// Puts the converted file in place of the original, which is kept under
// the backup name; on failure everything is put back.
bool SwapInUpgrade(const char* dpfFile, const std::string& backup) {
    if (platform::Rename(dpfFile, backup.c_str()) != 0) return false;
    if (platform::Rename(kUpgradeFile, dpfFile) != 0) {
        platform::Rename(backup.c_str(), dpfFile);
        return false;
    }
    return true;
}

}  // namespace

int Update3to4(DpfState& state, const char* dpfFile) {
    if (dpfFile == nullptr || std::strlen(dpfFile) > kMaxUpgradedName) return 0;
    const int source = platform::Open(dpfFile, platform::OpenMode::ReadWrite);
    if (source < 0) return 0;
    uint8_t v3Header[kV3HeaderSize];
    if (platform::Read(source, v3Header, sizeof v3Header) != kV3HeaderSize) {
        platform::Close(source);
        return 0;
    }
    const std::string now = dpf_internal::DateText();
    const int target = platform::Open(kUpgradeFile, platform::OpenMode::CreateReadWrite);
    if (target < 0) {
        platform::Close(source);
        return 0;
    }
    bool converted = WriteUpgradedHeader(state, target, v3Header, now);
    ILogSystem.Msg(2, "\n . [IStuffDPF->Update3to4('%s')] Info: creating new DPF v4.0...\n", dpfFile);
    int imported = 0;
    converted = platform::Seek(source, kV3HeaderSize, platform::Whence::Begin) == kV3HeaderSize &&
                BlockImporter(state, dpfFile, source, target).Run(&imported) && converted;
    platform::Close(source);
    converted = dpf_internal::RewriteArchiveHeader(state, target) && converted;
    platform::Close(target);

    const std::string backup = dpf_internal::DerivedName(dpfFile, "_v3.dpf");
    if (converted) {
        ILogSystem.Msg(2, " . [IStuffDPF->Update3to4('%s')] Info: total blocks imported: %d\n", dpfFile, imported);
        converted = SwapInUpgrade(dpfFile, backup);
    }
    if (!converted) {
        platform::Remove(kUpgradeFile);
        return 0;
    }
    ILogSystem.Msg(2, "   - Original DPF v3.0 was renamed to %s\n\n", backup.c_str());

    const int fd = platform::Open(dpfFile, platform::OpenMode::ReadWrite);
    if (fd < 0) return 0;
    std::memset(state.signature, 0, sizeof state.signature);
    platform::Read(fd, state.signature, kSignatureSize);
    return fd;
}
