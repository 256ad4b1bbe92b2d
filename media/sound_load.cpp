// Loading sounds and music from files and archive blocks, freeing them, and
// playing music. A music's bytes are copied into its slot, so the archive
// they came from may be closed right after loading.
#include <utility>
#include <vector>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_ISoundFX.h"
#include "archive/stored_asset.h"
#include "media/sound_decode.h"
#include "media/sound_files.h"
#include "media/sound_state.h"

namespace {

using sound_files::ArchiveName;
using sound_files::Text;

const char kSoundType[] = "SND";
const char kMusicType[] = "MUS";

// The stream's sound as a chunk in the device's format; null when it is no
// sound or cannot be converted. The stream is closed.
Mix_Chunk* LoadChunk(SDL_RWops* stream) {
    if (stream == nullptr) return nullptr;
    sound_decode::Samples samples;
    const bool decoded = sound_decode::Decode(stream, samples) == sound_decode::Result::Decoded;
    SDL_RWclose(stream);
    return decoded ? sound_decode::MakeChunk(samples) : nullptr;
}

bool LoadBlock(int dpfHandle, const char* type, const char* name, stored_asset::LoadedBlock& block) {
    return dpfHandle > 0 && name != nullptr && stored_asset::SdkInitialized() && block.Load(dpfHandle, type, name);
}

}  // namespace

int Veltrano_ISoundFX::SoundLoad(const char* file) {
    if (!state->initialized) return -1;
    Mix_Chunk* chunk = LoadChunk(file != nullptr ? SDL_RWFromFile(file, "rb") : nullptr);
    if (chunk == nullptr) {
        ILogSystem.Msg(0, " . [ISoundFX->SoundLoad('%s')] Error: sound not found.\n", Text(file));
        return -1;
    }
    return sound_slots::TakeSound(*state, chunk);
}

int Veltrano_ISoundFX::SoundLoad(int dpfHandle, const char* block) {
    if (!state->initialized) return -1;
    stored_asset::LoadedBlock data;
    if (!LoadBlock(dpfHandle, kSoundType, block, data)) {
        ILogSystem.Msg(0, " . [ISoundFX->SoundLoad('%s','%s')] Error: sound not found.\n", ArchiveName(dpfHandle),
                       Text(block));
        return -1;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(data.bytes(), static_cast<int>(data.size()));
    if (stream == nullptr) {
        ILogSystem.Msg(0, " . [ISoundFX->SoundLoad('%s','%s')] Error: loading from RWops failed (%s).\n",
                       ArchiveName(dpfHandle), Text(block), SDL_GetError());
        return -1;
    }
    Mix_Chunk* chunk = LoadChunk(stream);
    if (chunk == nullptr) {
        ILogSystem.Msg(0, " . [ISoundFX->SoundLoad('%s','%s')] Error: sound format unknown.\n",
                       ArchiveName(dpfHandle), Text(block));
        return -1;
    }
    return sound_slots::TakeSound(*state, chunk);
}

int Veltrano_ISoundFX::SoundLoad(const char* dpfFile, const char* block) {
    if (!state->initialized) return -1;
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::Open, -1,
                                     [&](int handle) { return SoundLoad(handle, block); });
}

void Veltrano_ISoundFX::SoundFree(int sound) {
    if (state->initialized) sound_slots::FreeSound(*state, sound);
}

int Veltrano_ISoundFX::MusicLoad(const char* file) {
    if (!state->initialized) return -1;
    std::vector<uint8_t> bytes;
    if (!sound_files::ReadWholeFile(file, bytes)) {
        ILogSystem.Msg(0, " . [ISoundFX->MusicLoad('%s')] Error: music not found.\n", Text(file));
        return -1;
    }
    const int music = sound_slots::TakeMusic(*state, std::move(bytes));
    if (music < 0)
        ILogSystem.Msg(0, " . [ISoundFX->MusicLoad('%s')] Error: music format unknown ('%s').\n", Text(file),
                       SDL_GetError());
    return music;
}

int Veltrano_ISoundFX::MusicLoad(int dpfHandle, const char* block) {
    if (!state->initialized) return -1;
    stored_asset::LoadedBlock data;
    if (!LoadBlock(dpfHandle, kMusicType, block, data)) {
        ILogSystem.Msg(0, " . [ISoundFX->MusicLoad('%s','%s')] Error: music not found.\n", ArchiveName(dpfHandle),
                       Text(block));
        return -1;
    }
    const int music = sound_slots::TakeMusic(*state, std::vector<uint8_t>(data.bytes(), data.bytes() + data.size()));
    if (music < 0)
        ILogSystem.Msg(0, " . [ISoundFX->MusicLoad('%s','%s')] Error: music format unknown ('%s').\n",
                       ArchiveName(dpfHandle), Text(block), SDL_GetError());
    return music;
}

int Veltrano_ISoundFX::MusicLoad(const char* dpfFile, const char* block) {
    if (!state->initialized) return -1;
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::Open, -1,
                                     [&](int handle) { return MusicLoad(handle, block); });
}

void Veltrano_ISoundFX::MusicFree(int music) {
    if (state->initialized) sound_slots::FreeMusic(*state, music);
}

int Veltrano_ISoundFX::MusicPlay(int music, int loops) {
    if (!state->initialized || sound_slots::Music(*state, music) == nullptr) return -1;
    if (!sound_slots::DecodeForPlay(*state, music)) {
        ILogSystem.Msg(0, " . [ISoundFX->MusicPlay(%d,%d)] Error: music format unknown ('%s').\n", music, loops,
                       SDL_GetError());
        return -1;
    }
    return Mix_PlayMusic(state->music[music].music, loops);
}
