// Audio files into "SND"/"MUS" blocks and back out to files.
#include <cstring>
#include <string>
#include <vector>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_ISoundFX.h"
#include "Veltrano_Main.h"
#include "archive/stored_asset.h"
#include "media/sound_files.h"
#include "media/sound_state.h"
#include "platform/platform.h"

namespace {

using sound_files::ArchiveName;
using sound_files::Text;

// Sounds are kept scrambled; Ogg music too (it does not compress), other
// music (modules) compressed.
uint8_t StorageFor(bool isMusic, const char* file) {
    if (!isMusic) return dpf_format::kStorageScrambled;
    const size_t length = std::strlen(file);
    const char last = length > 0 ? file[length - 1] : '\0';
    return last == 'g' || last == 'G' ? dpf_format::kStorageScrambled : dpf_format::kStorageCompressed;
}

int Import(int dpfHandle, const char* block, const char* file, bool isMusic) {
    if (dpfHandle <= 0 || !stored_asset::SdkInitialized()) return 0;
    std::vector<uint8_t> bytes;
    if (!sound_files::ReadWholeFile(file, bytes)) {
        if (isMusic)
            ILogSystem.Msg(0, " . [ISoundFX->MusicImport('%s','%s','%s')] Error: music not found.\n",
                           ArchiveName(dpfHandle), Text(block), Text(file));
        else
            ILogSystem.Msg(0, " . [ISoundFX->SoundImport('%s','%s','%s'] Error: sound not found.\n",
                           ArchiveName(dpfHandle), Text(block), Text(file));
        return 0;
    }
    if (block == nullptr) return 0;
    return stored_asset::AddBlock(dpfHandle, block, isMusic ? "MUS" : "SND", bytes.data(), bytes.size(),
                                  StorageFor(isMusic, file));
}

// Creates or truncates the file with the bytes; a file written only in
// part is removed again.
bool WriteFile(const std::string& path, const uint8_t* bytes, size_t size) {
    Veltrano.MakeDirectory(path.c_str());
    const int fd = platform::Open(path.c_str(), platform::OpenMode::CreateWriteOnly);
    if (fd < 0) return false;
    const bool written = size == 0 || platform::Write(fd, bytes, size) == static_cast<long>(size);
    platform::Close(fd);
    if (!written) platform::Remove(path.c_str());
    return written;
}

}  // namespace

int Veltrano_ISoundFX::SoundImport(int dpfHandle, const char* block, const char* file) {
    return Import(dpfHandle, block, file, false);
}

int Veltrano_ISoundFX::SoundImport(const char* dpfFile, const char* block, const char* file) {
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::OpenOrCreate, 0,
                                     [&](int handle) { return SoundImport(handle, block, file); });
}

int Veltrano_ISoundFX::MusicImport(int dpfHandle, const char* block, const char* file) {
    return Import(dpfHandle, block, file, true);
}

int Veltrano_ISoundFX::MusicImport(const char* dpfFile, const char* block, const char* file) {
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::OpenOrCreate, 0,
                                     [&](int handle) { return MusicImport(handle, block, file); });
}

int Veltrano_ISoundFX::Export(int dpfHandle, const char* block, char isMusic, const char* outFile) {
    if (!state->initialized || dpfHandle <= 0 || !stored_asset::SdkInitialized()) return 0;
    stored_asset::LoadedBlock data;
    if (block == nullptr || !data.Load(dpfHandle, isMusic ? "MUS" : "SND", block)) {
        ILogSystem.Msg(0, " . [ISoundFX->Export('%s','%s',%d,'%s')] Error: sound block not found.\n",
                       ArchiveName(dpfHandle), Text(block), isMusic, Text(outFile));
        return 0;
    }
    std::string path;
    if (outFile != nullptr) {
        path = outFile;
    } else {
        sAudioType info{};
        const int known = isMusic ? MusicInfo(dpfHandle, block, &info) : SoundInfo(dpfHandle, block, &info);
        if (!known) return 0;
        path = std::string(block) + "." + info.typeTag;
    }
    return WriteFile(path, data.bytes(), static_cast<size_t>(data.size())) ? 1 : 0;
}

int Veltrano_ISoundFX::Export(const char* dpfFile, const char* block, char isMusic, const char* outFile) {
    if (!state->initialized) return 0;
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::Open, 0,
                                     [&](int handle) { return Export(handle, block, isMusic, outFile); });
}
