// The private state behind Veltrano_IStuffDPF and the routines its methods
// share (walking, the archive header rewrite, the CRC, derived file names).
#ifndef VELTRANO_ARCHIVE_DPF_STATE_H
#define VELTRANO_ARCHIVE_DPF_STATE_H

#include <cstdint>
#include <string>

#include "archive/archive_format.h"
#include "archive/archive_table.h"
#include "archive/blowfish.h"
#include "veltrano_types.h"

struct DpfState {
    static constexpr uint8_t kMinPassword = 8;
    static constexpr uint8_t kMaxPassword = 56;

    Blowfish headerCipher;  // the built-in key: archive headers only
    Blowfish blockCipher;   // the password: block headers and data of protected archives
    // Changes whenever blockCipher is keyed, so remembered deciphered block
    // headers are not used with another password.
    uint32_t cipherGeneration = 0;
    ArchiveTable table;

    // The archive header handled last, deciphered, and its signature.
    uint8_t signature[dpf_format::kSignatureSize] = {};
    uint8_t headerBuffer[dpf_format::kHeaderSize] = {};
    // The block header found last, deciphered.
    uint8_t blockHeader[dpf_format::kBlockHeaderSize] = {};

    uint8_t password[kMaxPassword] = {};
    uint8_t passwordLength = 0;  // 0: no password set

    long scanPos = 0;            // just past the block header found last
    int32_t lastStoredSize = 0;  // its storedSize
    bool lowLevel = false;       // scan every data byte instead of jumping over data

    // Terminated copies handed out by the text queries.
    char nameText[dpf_format::kSignatureSize + 1] = {};
    char copyrightText[dpf_format::kCopyrightSize + 1] = {};
    char createDateText[dpf_format::kDateSize + 1] = {};
    char modifiedDateText[dpf_format::kDateSize + 1] = {};
};

namespace dpf_internal {

enum class FindKind { First, Next };

// One step of a walk: finds the first or the next block of the archive,
// deciphers its header into blockHeader and, when out is not null, fills the
// record. 1 found, 0 no further block (or no password for a protected
// archive), 2 unknown handle or input/output error. The file position is not
// moved; the index of the slot must have been validated for this walk.
int FindStep(DpfState& state, int handle, FindKind kind, DPF_BlockData* out);

// Validates the slot's block index, then walks from the first block while
// visit(blockHeader) returns true. Returns what the last step returned (1
// when the visitor stopped the walk).
template <typename Visit>
int WalkBlocks(DpfState& state, int handle, Visit visit) {
    ArchiveSlot* slot = state.table.FindByHandle(handle);
    if (slot == nullptr) return 2;
    slot->index.Validate(slot->fd, state.cipherGeneration);
    int result = FindStep(state, handle, FindKind::First, nullptr);
    while (result == 1 && visit(state.blockHeader)) result = FindStep(state, handle, FindKind::Next, nullptr);
    return result;
}

// Reads the padded data of the block found last (at scanPos) into out;
// false when storedSize is negative, the data would run past the end of the
// file, or the read comes up short. Nothing is allocated before the checks.
bool ReadFoundData(const DpfState& state, int fd, uint8_t** out, int64_t* length);

// CRC-32 of every byte from offset 520 to the end of the file (0 for none);
// logs and returns 0 when the file cannot be read that far.
uint32_t CalculateCrc(int fd);

// Brings the archive header of the file behind fd up to date (modification
// date and CRC), commits it and clears the dirty flag of its slot.
bool RewriteArchiveHeader(DpfState& state, int fd);

// Closes an open slot for good: header rewrite when dirty, descriptor closed.
void CloseSlot(DpfState& state, ArchiveSlot& slot);

// The file name with the extension of its last component replaced by
// suffix ("data/pack.dpf" + "_v3.dpf" gives "data/pack_v3.dpf"); a name
// without an extension keeps all of it.
std::string DerivedName(const char* file, const char* suffix);

// The current local time as the 24-character date text.
std::string DateText();

// Builds a new archive header in headerBuffer (see dpf_format::BuildNewHeader)
// and writes the signature and the enciphered header to fd; false on a short
// write.
bool WriteNewArchiveHeader(DpfState& state, int fd, const char* copyright, const char* createDate,
                           const char* modifiedDate);

// Writes the signature and headerBuffer, enciphered, to fd; false on a short write.
bool WriteArchiveHeader(DpfState& state, int fd);

// A printable text for a caller's argument that may be null.
inline const char* Printable(const char* text) { return text != nullptr ? text : ""; }

// Length of the file behind fd, -1 on error.
long FileLength(int fd);

}  // namespace dpf_internal

#endif
