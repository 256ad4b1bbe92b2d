// Veltrano_IStuffDPF: compacting away deleted blocks and converting between
// plain and password-protected archives. Each writes a new file and leaves
// the source untouched until the new file is complete.
#include "Veltrano_IStuffDPF.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "archive/compact_pause.h"
#include "archive/dpf_state.h"
#include "platform/platform.h"

using namespace dpf_format;

namespace {

constexpr char kCompactFile[] = "dpf.tmp";
constexpr size_t kMaxConvertedName = 245;  // room for "_unsecure.dpf" in a slot path

// The file's length as the table would record it; -1 when it cannot be opened.
long LengthOnDisk(const char* file) {
    const int fd = platform::Open(file, platform::OpenMode::ReadOnly);
    if (fd < 0) return -1;
    const long length = platform::Length(fd);
    platform::Close(fd);
    return length;
}

// Copies the block found last: ID block, its header (enciphered with cipher
// when given) and its padded data, transformed in place by transform.
// False when the data cannot be read whole or a write falls short.
template <typename Transform>
bool CopyFoundBlock(const DpfState& state, int sourceFd, int targetFd, const Blowfish* headerCipher,
                    Transform transform) {
    uint8_t header[kBlockHeaderSize];
    std::memcpy(header, state.blockHeader, sizeof header);
    if (headerCipher != nullptr) headerCipher->Encipher(header, kBlockHeaderBlocks);
    uint8_t* data = nullptr;
    int64_t padded = 0;
    if (!dpf_internal::ReadFoundData(state, sourceFd, &data, &padded)) return false;
    transform(data, static_cast<size_t>(padded / 8));
    const bool written = platform::Write(targetFd, kIdBlock, kIdSize) == kIdSize &&
                         platform::Write(targetFd, header, sizeof header) == kBlockHeaderSize &&
                         platform::Write(targetFd, data, static_cast<size_t>(padded)) == padded;
    std::free(data);
    return written;
}

// Puts the password state of before a Protect or UnProtect back, whatever
// way the call ends.
class TemporaryPassword {
public:
    TemporaryPassword(DpfState& state, const uint8_t* password, uint8_t length)
        : state_(state), savedCipher_(state.blockCipher), savedLength_(state.passwordLength) {
        std::memcpy(savedPassword_, state.password, sizeof savedPassword_);
        std::memcpy(state.password, password, length);
        state.passwordLength = length;
        state.blockCipher.SetKey(password, length);
        ++state.cipherGeneration;
    }
    ~TemporaryPassword() {
        std::memcpy(state_.password, savedPassword_, sizeof savedPassword_);
        state_.passwordLength = savedLength_;
        state_.blockCipher = savedCipher_;
        ++state_.cipherGeneration;
    }
    TemporaryPassword(const TemporaryPassword&) = delete;
    TemporaryPassword& operator=(const TemporaryPassword&) = delete;

private:
    DpfState& state_;
    Blowfish savedCipher_;
    uint8_t savedPassword_[DpfState::kMaxPassword];
    uint8_t savedLength_;
};

}  // namespace

int Veltrano_IStuffDPF::Compact(const char* dpfFile) {
    if (dpfFile == nullptr) return 0;
    const long length = LengthOnDisk(dpfFile);
    if (length < 0) return 0;
    if (state->table.IsOpen(dpfFile, length)) {
        ILogSystem.Msg(0, " . [IStuffDPF->Compact('%s')] Error: the given DPF is already opened. We can not compact it.\n",
                       dpfFile);
        return 0;
    }
    const int handle = Open(dpfFile);
    if (handle <= 0) return 0;
    if (state->headerBuffer[kProtectedOffset] != 0 && state->passwordLength == 0) {
        ILogSystem.Msg(0, " . [IStuffDPF->Compact('%s')] Error: the given DPF is protected and the key was not set.\n",
                       dpfFile);
        Close(handle);
        return 0;
    }
    const bool lowLevel = state->lowLevel;
    if (lowLevel)
        ILogSystem.Msg(2, " . [IStuffDPF->Compact('%s')] Warning: compacting with LowLevel Access is extremly slow.\n",
                       dpfFile);
    SetAccessMode(0);
    const int deleted = GetNumDelBlocks(handle);
    const int kept = GetNumBlocks(handle) - deleted;
    SetAccessMode(lowLevel ? 1 : 0);
    if (deleted == 0) {
        ILogSystem.Msg(5, " . [IStuffDPF->Compact('%s')] Info: the given DPF does not need a compact process.\n",
                       dpfFile);
        Close(handle);
        return 0;
    }

    const int target = platform::Open(kCompactFile, platform::OpenMode::CreateReadWrite);
    if (target < 0) {
        Close(handle);
        return 0;
    }
    ArchiveSlot* slot = state->table.FindByHandle(handle);
    const int source = slot->fd;
    const bool isProtected = slot->isProtected;
    bool intact = dpf_internal::WriteArchiveHeader(*state, target);
    int copied = 0;
    const int walkEnd = dpf_internal::WalkBlocks(*state, handle, [&](const uint8_t* header) {
        if (!IsDeleted(header)) {
            // Protected data stay enciphered: they are copied as stored.
            intact = CopyFoundBlock(*state, source, target, isProtected ? &state->blockCipher : nullptr,
                                    [](uint8_t*, size_t) {});
            ++copied;
        }
        compact_pause::Pause();
        return intact;
    });
    // A copy whose header could not be brought up to date would be refused
    // as corrupted: it must not replace the source.
    intact = dpf_internal::RewriteArchiveHeader(*state, target) && intact;
    platform::Close(target);
    Close(handle);

    // A walk cut short by damage would silently drop the blocks after it.
    if (!intact || walkEnd == 2 || copied != kept) {
        ILogSystem.Msg(0, " . [IStuffDPF->Compact('%s')] Error: compacted DPF has wrong structure, aborting process.\n",
                       dpfFile);
        platform::Remove(kCompactFile);
        return 0;
    }
    // Renaming over the source replaces it in one step; the source stays
    // whole if that fails.
    if (platform::Rename(kCompactFile, dpfFile) != 0) {
        const std::string reason = platform::LastErrorText();
        platform::Remove(kCompactFile);
        ILogSystem.Msg(0, " . [IStuffDPF->Compact('%s')] Error: it was not possible to access to given DPF. (%s).\n",
                       dpfFile, reason.c_str());
        return 0;
    }
    ILogSystem.Msg(5, " . [IStuffDPF->Compact('%s')] Info: process completed.\n", dpfFile);
    return 1;
}

namespace {

struct ConversionTexts {
    const char* method;       // "Protect" or "UnProtect"
    const char* verb;         // "protect" or "unprotect"
    const char* suffix;       // name of the new file
    const char* alreadyLine;  // warning when there is nothing to do
    const char* failureLine;  // error when a block cannot be copied
};

const ConversionTexts kProtectTexts = {
    "Protect", "protect", "_secure.dpf",
    " . [IStuffDPF->Protect('%s')] Warning: the given DPF is already protected.\n",
    " . [IStuffDPF->Protect('%s')] Error: process has failed. Try to compact the source DPF.\n"};
const ConversionTexts kUnprotectTexts = {
    "UnProtect", "unprotect", "_unsecure.dpf",
    " . [IStuffDPF->UnProtect('%s')] Warning: the given DPF is already unprotected.\n",
    " . [IStuffDPF->UnProtect('%s')] Error: process has failed. Is the password right?\n"};

int ConvertProtection(Veltrano_IStuffDPF& dpf, DpfState& state, const char* dpfFile,
                             const unsigned char* password, unsigned char length, bool protect) {
    const ConversionTexts& texts = protect ? kProtectTexts : kUnprotectTexts;
    if (dpfFile == nullptr) return 0;
    const long sourceLength = LengthOnDisk(dpfFile);
    if (sourceLength < 0) return 0;
    if (state.table.IsOpen(dpfFile, sourceLength)) {
        ILogSystem.Msg(0, " . [IStuffDPF->%s('%s')] Error: the given DPF is already opened. We can not %s it.\n",
                       texts.method, dpfFile, texts.verb);
        return 0;
    }
    if (password == nullptr || length < DpfState::kMinPassword || length > DpfState::kMaxPassword ||
        std::strlen(dpfFile) > kMaxConvertedName)
        return 0;

    TemporaryPassword scope(state, password, length);
    const int handle = dpf.Open(dpfFile);
    if (handle <= 0) return 0;
    if ((state.headerBuffer[kProtectedOffset] != 0) == protect) {
        ILogSystem.Msg(2, texts.alreadyLine, dpfFile);
        dpf.Close(handle);
        return 0;
    }
    const std::string newName = dpf_internal::DerivedName(dpfFile, texts.suffix);
    const int target = platform::Open(newName.c_str(), platform::OpenMode::CreateReadWrite);
    if (target < 0) {
        dpf.Close(handle);
        return 0;
    }
    state.headerBuffer[kProtectedOffset] = protect ? 1 : 0;
    bool intact = dpf_internal::WriteArchiveHeader(state, target);
    const int source = state.table.FindByHandle(handle)->fd;
    const Blowfish& cipher = state.blockCipher;
    const int walkEnd = dpf_internal::WalkBlocks(state, handle, [&](const uint8_t*) {
        if (protect)
            intact = CopyFoundBlock(state, source, target, &cipher,
                                    [&cipher](uint8_t* data, size_t blocks) { cipher.Encipher(data, blocks); });
        else
            intact = CopyFoundBlock(state, source, target, nullptr,
                                    [&cipher](uint8_t* data, size_t blocks) { cipher.Decipher(data, blocks); });
        return intact;
    });
    if (intact && walkEnd != 2) intact = dpf_internal::RewriteArchiveHeader(state, target);
    if (!intact || walkEnd == 2) {
        ILogSystem.Msg(0, texts.failureLine, dpfFile);
        platform::Close(target);
        dpf.Close(handle);
        platform::Remove(newName.c_str());
        return 0;
    }
    platform::Close(target);
    dpf.Close(handle);
    ILogSystem.Msg(2, " . [IStuffDPF->%s('%s')] Info: process completed. New '%s' file created.\n", texts.method,
                   dpfFile, newName.c_str());
    return 1;
}

}  // namespace

int Veltrano_IStuffDPF::Protect(const char* dpfFile, unsigned char* password, unsigned char length) {
    return ConvertProtection(*this, *state, dpfFile, password, length, true);
}

int Veltrano_IStuffDPF::UnProtect(const char* dpfFile, unsigned char* password, unsigned char length) {
    return ConvertProtection(*this, *state, dpfFile, password, length, false);
}
