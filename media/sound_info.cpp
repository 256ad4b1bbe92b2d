// SoundInfo and MusicInfo: the format of an audio file or block, told by its
// first bytes and, for sampled sound, by decoding it once for its spec.
#include <cstring>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_ISoundFX.h"
#include "archive/stored_asset.h"
#include "media/sound_decode.h"
#include "media/sound_files.h"

namespace {

using sound_files::Address;
using sound_files::ArchiveName;
using sound_files::Text;

// The bytes of a file or block as a stream, with the size the record gives.
class AudioSource {
public:
    ~AudioSource() {
        if (stream_ != nullptr) SDL_RWclose(stream_);
    }
    enum class Opened { Yes, Missing, Unreadable };
    Opened Open(int dpfHandle, const char* name, const char* type) {
        if (dpfHandle == 0) {
            stream_ = name != nullptr ? SDL_RWFromFile(name, "rb") : nullptr;
            if (stream_ == nullptr) return Opened::Unreadable;
            size_ = SDL_RWseek(stream_, 0, RW_SEEK_END);
            SDL_RWseek(stream_, 0, RW_SEEK_SET);
            return size_ >= 0 ? Opened::Yes : Opened::Unreadable;
        }
        if (dpfHandle < 0 || name == nullptr || !stored_asset::SdkInitialized() || !block_.Load(dpfHandle, type, name))
            return Opened::Missing;
        size_ = static_cast<int>(block_.size());
        stream_ = SDL_RWFromConstMem(block_.bytes(), size_);
        return stream_ != nullptr ? Opened::Yes : Opened::Unreadable;
    }
    SDL_RWops* stream() const { return stream_; }
    int size() const { return size_; }
    // Reads up to count bytes at offset; the number read.
    int ReadAt(int offset, char* out, int count) const {
        if (SDL_RWseek(stream_, offset, RW_SEEK_SET) != offset) return 0;
        const int got = SDL_RWread(stream_, out, 1, count);
        SDL_RWseek(stream_, 0, RW_SEEK_SET);
        return got > 0 ? got : 0;
    }

private:
    stored_asset::LoadedBlock block_;
    SDL_RWops* stream_ = nullptr;
    int size_ = 0;
};

void FillRecord(sAudioType* info, const char* tag, const SDL_AudioSpec& spec, int byteSize) {
    std::memset(info, 0, sizeof *info);
    std::strcpy(info->typeTag, tag);
    info->channels = spec.channels;
    info->sampleFormat = spec.format;
    info->frequency = spec.freq;
    info->byteSize = byteSize;
}

// The module tag from the header bytes; a short read matches no signature.
const char* ModuleTag(const AudioSource& source) {
    char head[38] = {};
    const int got = source.ReadAt(0, head, sizeof head);
    if (got >= 4 && std::memcmp(head, "IMPM", 4) == 0) return "IT";
    if (got >= 15 && std::memcmp(head, "Extended Module", 15) == 0) return "XM";
    char scream[4] = {};
    if (source.ReadAt(44, scream, 4) == 4 && std::memcmp(scream, "SCRM", 4) == 0) return "S3M";
    return "MOD";
}

}  // namespace

int Veltrano_ISoundFX::SoundInfo(int dpfHandle, const char* name, sAudioType* info) {
    const char* archive = ArchiveName(dpfHandle);
    AudioSource source;
    const AudioSource::Opened opened = source.Open(dpfHandle, name, "SND");
    if (opened != AudioSource::Opened::Yes) {
        ILogSystem.Msg(0, " . [ISoundFX->SoundInfo('%s','%s',0x%llx] Error: %s.\n", archive, Text(name),
                       Address(info), opened == AudioSource::Opened::Missing ? "sound not found" : "sound load failed");
        return 0;
    }
    sound_decode::Samples samples;
    switch (sound_decode::Decode(source.stream(), samples)) {
        case sound_decode::Result::Decoded:
            if (info == nullptr) return 0;
            FillRecord(info, samples.tag, samples.spec, source.size());
            return 1;
        case sound_decode::Result::Failed: return 0;
        case sound_decode::Result::Unknown: break;
    }
    ILogSystem.Msg(0, " . [ISoundFX->SoundInfo('%s','%s',0x%llx] Error: sound format unknown.\n", archive, Text(name),
                   Address(info));
    return 0;
}

int Veltrano_ISoundFX::SoundInfo(const char* dpfFile, const char* block, sAudioType* info) {
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::Open, 0,
                                     [&](int handle) { return SoundInfo(handle, block, info); });
}

int Veltrano_ISoundFX::MusicInfo(int dpfHandle, const char* name, sAudioType* info) {
    const char* archive = ArchiveName(dpfHandle);
    AudioSource source;
    const AudioSource::Opened opened = source.Open(dpfHandle, name, "MUS");
    if (opened != AudioSource::Opened::Yes) {
        ILogSystem.Msg(0, " . [ISoundFX->MusicInfo('%s','%s',0x%llx)] Error: %s.\n", archive, Text(name),
                       Address(info), opened == AudioSource::Opened::Missing ? "music not found" : "music load failed");
        return 0;
    }
    if (info == nullptr) return 0;
    char signature[4] = {};
    if (source.ReadAt(0, signature, 4) == 4 && std::memcmp(signature, "OggS", 4) == 0) {
        // An Ogg the decoder refuses is still told as one, with no spec.
        sound_decode::Samples samples;
        sound_decode::DecodeOgg(source.stream(), samples);
        FillRecord(info, "OGG", samples.spec, source.size());
    } else {
        FillRecord(info, ModuleTag(source), SDL_AudioSpec{}, source.size());
    }
    return 1;
}

int Veltrano_ISoundFX::MusicInfo(const char* dpfFile, const char* block, sAudioType* info) {
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::Open, 0,
                                     [&](int handle) { return MusicInfo(handle, block, info); });
}
