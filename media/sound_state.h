// The sound interface's private record: the initialised flag and the two
// handle tables, and the rules for taking and freeing their slots.
#ifndef VELTRANO_MEDIA_SOUND_STATE_H
#define VELTRANO_MEDIA_SOUND_STATE_H

#include <SDL_mixer.h>

#include <array>
#include <cstdint>
#include <vector>

// One music. An Ogg music gets its music object at load; a module
// (`deferred`) keeps only its bytes until MusicPlay decodes it. The stream
// reads the slot's own bytes, so it lives as long as the slot.
struct MusicSlot {
    bool inUse = false;
    bool deferred = false;
    bool musicLoaded = false;
    Mix_Music* music = nullptr;
    SDL_RWops* stream = nullptr;
    std::vector<uint8_t> bytes;
};

struct SoundFXState {
    static constexpr int kSounds = 256;
    static constexpr int kMusic = 32;
    int initialized = 0;
    std::array<Mix_Chunk*, kSounds> sounds{};
    std::array<MusicSlot, kMusic> music{};
};

namespace sound_slots {

// The chunk of a sound handle; null for a handle outside the table or an
// empty slot.
Mix_Chunk* Chunk(const SoundFXState& state, int sound);
// The music slot of a handle; null outside the table or for an unused slot.
MusicSlot* Music(SoundFXState& state, int music);

// Stores the chunk at the lowest free position with the configured sound
// volume; with the table full, warns, frees the chunk and gives -1.
int TakeSound(SoundFXState& state, Mix_Chunk* chunk);
// Stores the music bytes at the lowest free position: Ogg ("OggS") gets its
// music object now, anything else is kept for MusicPlay. -1 when the table
// is full (warned), the bytes are empty or the Ogg cannot be decoded; the
// caller logs its "format unknown" error then.
int TakeMusic(SoundFXState& state, std::vector<uint8_t> bytes);

void FreeSound(SoundFXState& state, int sound);
void FreeMusic(SoundFXState& state, int music);

// Makes sure the slot has its music object: for a module, frees the object
// of the one other decoded module first, then decodes this one from the
// start of its bytes. False when the bytes are no module.
bool DecodeForPlay(SoundFXState& state, int music);

}  // namespace sound_slots

#endif
