// Veltrano_IStuffDPF: construction, destruction, access mode, password and
// the queries about the archive header handled last.
#include "Veltrano_IStuffDPF.h"

#include <cstring>

#include "Veltrano_ILogSystem.h"
#include "archive/archive_keys.h"
#include "archive/dpf_state.h"
#include "archive/ucl_codec.h"
#include "log/interface_lines.h"

using namespace dpf_format;

Veltrano_IStuffDPF::Veltrano_IStuffDPF() : state(new DpfState) {
    // Tests and tools may use an archive object without the core's Init.
    ucl_codec::Start();
    uint8_t key[archive_keys::kArchiveKeyLength];
    archive_keys::UnmaskArchiveKey(key);
    state->headerCipher.SetKey(key, sizeof key);
    state->blockCipher.SetKey(key, sizeof key);
    archive_keys::Wipe(key, sizeof key);
    LogInterfaceCreated("IStuffDPF");
}

Veltrano_IStuffDPF::~Veltrano_IStuffDPF() {
    for (int i = 0; i < ArchiveTable::kSlotCount; ++i) {
        ArchiveSlot& slot = state->table.at(i);
        if (slot.handle == 0) continue;
        ILogSystem.Msg(2, " . [IStuffDPF] Warning: '%s' DPF file was not closed on your code. Doing it now!\n",
                       slot.path);
        dpf_internal::CloseSlot(*state, slot);
    }
    archive_keys::Wipe(state->password, sizeof state->password);
    delete state;
    state = nullptr;
    LogInterfaceDeleted("IStuffDPF");
}

void Veltrano_IStuffDPF::SetAccessMode(char mode) {
    if (mode > 0) {
        state->lowLevel = true;
        ILogSystem.Msg(5, " . [IStuffDPF->SetAccessMode()] Info: lowlevel access to data blocks in DPF was selected.\n");
    } else {
        state->lowLevel = false;
        ILogSystem.Msg(5, " . [IStuffDPF->SetAccessMode()] Info: normal access to data blocks in DPF was selected.\n");
    }
}

void Veltrano_IStuffDPF::SetPassword(unsigned char* password, unsigned char length) {
    if (password == nullptr || length < DpfState::kMinPassword || length > DpfState::kMaxPassword) return;
    std::memcpy(state->password, password, length);
    state->passwordLength = length;
    state->blockCipher.SetKey(state->password, length);
    ++state->cipherGeneration;
}

char* Veltrano_IStuffDPF::GetName() {
    CopyField(state->nameText, sizeof state->nameText, state->signature, kSignatureSize);
    return state->nameText;
}

char* Veltrano_IStuffDPF::GetCopyright() {
    CopyField(state->copyrightText, sizeof state->copyrightText, state->headerBuffer + kCopyrightOffset,
              kCopyrightSize);
    return state->copyrightText;
}

char* Veltrano_IStuffDPF::GetCreateDate() {
    CopyField(state->createDateText, sizeof state->createDateText, state->headerBuffer + kCreateDateOffset,
              kDateSize);
    return state->createDateText;
}

char* Veltrano_IStuffDPF::GetLastModified() {
    CopyField(state->modifiedDateText, sizeof state->modifiedDateText, state->headerBuffer + kModifiedDateOffset,
              kDateSize);
    return state->modifiedDateText;
}

int Veltrano_IStuffDPF::IsProtected() { return state->headerBuffer[kProtectedOffset] != 0 ? 1 : 0; }
