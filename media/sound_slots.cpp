#include <cstring>
#include <utility>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "media/sound_state.h"

namespace sound_slots {

namespace {

bool IsOgg(const std::vector<uint8_t>& bytes) { return bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0; }

// Empties the slot, its music object first: the object may still read the
// stream, and the stream reads the bytes.
void ClearMusicSlot(MusicSlot& slot) {
    if (slot.music != nullptr) Mix_FreeMusic(slot.music);
    if (slot.stream != nullptr) SDL_RWclose(slot.stream);
    slot = MusicSlot{};
}

}  // namespace

Mix_Chunk* Chunk(const SoundFXState& state, int sound) {
    return sound >= 0 && sound < SoundFXState::kSounds ? state.sounds[sound] : nullptr;
}

MusicSlot* Music(SoundFXState& state, int music) {
    if (music < 0 || music >= SoundFXState::kMusic || !state.music[music].inUse) return nullptr;
    return &state.music[music];
}

int TakeSound(SoundFXState& state, Mix_Chunk* chunk) {
    for (int i = 0; i < SoundFXState::kSounds; ++i) {
        if (state.sounds[i] != nullptr) continue;
        state.sounds[i] = chunk;
        Mix_VolumeChunk(chunk, Veltrano.Config.soundVolume);
        return i;
    }
    ILogSystem.Msg(2, " . [ISoundFX] Warning: reached maximum limit of sound objects opened(%d)\n",
                   SoundFXState::kSounds);
    Mix_FreeChunk(chunk);
    return -1;
}

int TakeMusic(SoundFXState& state, std::vector<uint8_t> bytes) {
    int free = 0;
    while (free < SoundFXState::kMusic && state.music[free].inUse) ++free;
    if (free == SoundFXState::kMusic) {
        ILogSystem.Msg(2, " . [ISoundFX] Warning: reached maximum limit of music objects opened(%d)\n",
                       SoundFXState::kMusic);
        SDL_SetError("no free music slot");
        return -1;
    }
    if (bytes.empty()) {
        SDL_SetError("empty music data");
        return -1;
    }
    MusicSlot& slot = state.music[free];
    slot.bytes = std::move(bytes);
    slot.stream = SDL_RWFromConstMem(slot.bytes.data(), static_cast<int>(slot.bytes.size()));
    if (slot.stream == nullptr) {
        ClearMusicSlot(slot);
        return -1;
    }
    slot.deferred = !IsOgg(slot.bytes);
    if (!slot.deferred) {
        // An Ogg that cannot be decoded is refused rather than kept silent.
        slot.music = Mix_LoadMUSType_RW(slot.stream, MUS_OGG, 0);
        if (slot.music == nullptr) {
            ClearMusicSlot(slot);
            return -1;
        }
    }
    slot.inUse = true;
    return free;
}

void FreeSound(SoundFXState& state, int sound) {
    Mix_Chunk* chunk = Chunk(state, sound);
    if (chunk == nullptr) return;
    Mix_FreeChunk(chunk);
    state.sounds[sound] = nullptr;
}

void FreeMusic(SoundFXState& state, int music) {
    if (MusicSlot* slot = Music(state, music)) ClearMusicSlot(*slot);
}

bool DecodeForPlay(SoundFXState& state, int music) {
    MusicSlot& slot = state.music[music];
    if (!slot.deferred) return slot.music != nullptr;
    for (int i = 0; i < SoundFXState::kMusic; ++i) {
        MusicSlot& other = state.music[i];
        if (i == music || !other.inUse || !other.deferred || other.music == nullptr) continue;
        Mix_FreeMusic(other.music);
        other.music = nullptr;
        other.musicLoaded = false;
        break;
    }
    if (slot.music == nullptr) {
        SDL_RWseek(slot.stream, 0, RW_SEEK_SET);
        // Typed as a module, so bytes that merely look like MP3 are refused.
        slot.music = Mix_LoadMUSType_RW(slot.stream, MUS_MOD, 0);
        slot.musicLoaded = slot.music != nullptr;
    }
    return slot.music != nullptr;
}

}  // namespace sound_slots
