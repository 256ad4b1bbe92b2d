// The sound interface's life, its device, and the calls it hands straight to
// the mixer. Nothing reaches the mixer while the device is closed, and bad
// channel, sound or music handles stop here: the mixer indexes its tables
// with them unchecked.
#include "Veltrano_ISoundFX.h"

#include <SDL_mixer.h>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "log/interface_lines.h"
#include "media/sound_state.h"

namespace {

// More channels than any game mixes; a larger count would only be an
// absurd allocation inside the mixer.
constexpr int kMaxChannels = 4096;

// A channel the mixer has, or -1 (every channel) where allowAll.
bool ValidChannel(int channel, bool allowAll) {
    if (channel == -1) return allowAll;
    return channel >= 0 && channel < Mix_AllocateChannels(-1);
}

}  // namespace

Veltrano_ISoundFX::Veltrano_ISoundFX() : state(new SoundFXState) { LogInterfaceCreated("ISoundFX"); }

Veltrano_ISoundFX::~Veltrano_ISoundFX() {
    int sounds = 0;
    int music = 0;
    for (int i = 0; i < SoundFXState::kMusic; ++i) {
        if (!state->music[i].inUse) continue;
        sound_slots::FreeMusic(*state, i);
        ++music;
    }
    for (int i = 0; i < SoundFXState::kSounds; ++i) {
        if (state->sounds[i] == nullptr) continue;
        sound_slots::FreeSound(*state, i);
        ++sounds;
    }
    Quit();
    if (sounds != 0)
        ILogSystem.Msg(2, " . [ISoundFX] Warning! your application has left %d sounds without deleting.", sounds);
    if (music != 0)
        ILogSystem.Msg(2, " . [ISoundFX] Warning! your application has left %d music without deleting.", music);
    delete state;
    state = nullptr;
    LogInterfaceDeleted("ISoundFX");
}

int Veltrano_ISoundFX::Init(int freq, unsigned short format, int channels, int chunksize) {
    // Reopening closes first: the mixer counts opens, and Quit closes once.
    Quit();
    if (Mix_OpenAudio(freq, format, channels, chunksize) != 0) return 0;
    state->initialized = 1;
    return 1;
}

int Veltrano_ISoundFX::Init() {
    const sConfig& config = Veltrano.Config;
    if (config.audioEnable == 0) return 0;
    const Uint16 format = config.audioFormat == 8 ? AUDIO_S8 : AUDIO_S16LSB;
    if (!Init(config.audioFrequency, format, config.audioMode, config.audioBuffer)) return 255;
    Mix_VolumeMusic(config.musicVolume);
    Mix_Volume(-1, config.soundVolume);
    return 1;
}

void Veltrano_ISoundFX::NoInit() { state->initialized = 0; }

int Veltrano_ISoundFX::Initialized() { return state->initialized; }

void Veltrano_ISoundFX::Quit() {
    if (!state->initialized) return;
    Mix_CloseAudio();
    state->initialized = 0;
}

void Veltrano_ISoundFX::QuerySpec(int* freq, unsigned short* format, int* channels) {
    if (state->initialized) Mix_QuerySpec(freq, format, channels);
}

int Veltrano_ISoundFX::AllocateChannels(int n) {
    if (!state->initialized) return -1;
    return Mix_AllocateChannels(n > kMaxChannels ? -1 : n);
}

void Veltrano_ISoundFX::ChannelVolume(int channel, int volume) {
    if (state->initialized && ValidChannel(channel, true)) Mix_Volume(channel, volume);
}

int Veltrano_ISoundFX::ChannelGetVolume(int channel) {
    return state->initialized && ValidChannel(channel, true) ? Mix_Volume(channel, -1) : -1;
}

void Veltrano_ISoundFX::SoundVolume(int sound, int volume) {
    Mix_Chunk* chunk = sound_slots::Chunk(*state, sound);
    if (state->initialized && chunk != nullptr) Mix_VolumeChunk(chunk, volume);
}

int Veltrano_ISoundFX::SoundGetVolume(int sound) {
    Mix_Chunk* chunk = sound_slots::Chunk(*state, sound);
    return state->initialized && chunk != nullptr ? Mix_VolumeChunk(chunk, -1) : -1;
}

void Veltrano_ISoundFX::MusicVolume(int volume) {
    if (state->initialized) Mix_VolumeMusic(volume);
}

int Veltrano_ISoundFX::MusicGetVolume() { return state->initialized ? Mix_VolumeMusic(-1) : -1; }

void Veltrano_ISoundFX::ChannelStop(int channel) {
    if (state->initialized && ValidChannel(channel, true)) Mix_HaltChannel(channel);
}

void Veltrano_ISoundFX::MusicStop() {
    if (state->initialized) Mix_HaltMusic();
}

void Veltrano_ISoundFX::ChannelPause(int channel) {
    if (state->initialized && ValidChannel(channel, true)) Mix_Pause(channel);
}

void Veltrano_ISoundFX::ChannelResume(int channel) {
    if (state->initialized && ValidChannel(channel, true)) Mix_Resume(channel);
}

int Veltrano_ISoundFX::ChannelIsPaused(int channel) {
    return state->initialized && ValidChannel(channel, true) ? Mix_Paused(channel) : 0;
}

void Veltrano_ISoundFX::MusicPause() {
    if (state->initialized) Mix_PauseMusic();
}

void Veltrano_ISoundFX::MusicResume() {
    if (state->initialized) Mix_ResumeMusic();
}

int Veltrano_ISoundFX::MusicIsPaused() { return state->initialized ? Mix_PausedMusic() : 0; }

void Veltrano_ISoundFX::MusicRewind() {
    if (state->initialized) Mix_RewindMusic();
}

int Veltrano_ISoundFX::ChannelFadeOut(int channel, int ms) {
    return state->initialized && ValidChannel(channel, true) ? Mix_FadeOutChannel(channel, ms) : -1;
}

int Veltrano_ISoundFX::MusicFadeOut(int ms) { return state->initialized ? Mix_FadeOutMusic(ms) : 0; }

int Veltrano_ISoundFX::ChannelFadeIn(int channel, int sound, int loops, int ms) {
    Mix_Chunk* chunk = sound_slots::Chunk(*state, sound);
    if (!state->initialized || chunk == nullptr || !ValidChannel(channel, true)) return -1;
    return Mix_FadeInChannelTimed(channel, chunk, loops, ms, -1);
}

int Veltrano_ISoundFX::MusicFadeIn(int music, int loops, int ms) {
    const MusicSlot* slot = sound_slots::Music(*state, music);
    if (!state->initialized || slot == nullptr || slot->music == nullptr) return -1;
    return Mix_FadeInMusic(slot->music, loops, ms);
}

int Veltrano_ISoundFX::SoundPlay(int channel, int sound, int loops) {
    Mix_Chunk* chunk = sound_slots::Chunk(*state, sound);
    if (!state->initialized || chunk == nullptr || !ValidChannel(channel, true)) return -1;
    return Mix_PlayChannelTimed(channel, chunk, loops, -1);
}

int Veltrano_ISoundFX::IsPlaying() { return state->initialized ? Mix_PlayingMusic() : 0; }

int Veltrano_ISoundFX::IsPlaying(int channel) {
    return state->initialized && ValidChannel(channel, true) ? Mix_Playing(channel) : 0;
}
