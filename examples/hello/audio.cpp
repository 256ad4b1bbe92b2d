#include "audio.h"

#include "assets.h"

#include <veltrano.h>

namespace {

struct Audio {
    int theme = -1;  // music handle
    int coin = -1;   // sound handles
    int click = -1;
    int hurt = -1;
};
Audio audio;

// The settings keep volumes as 0..255; the mixer counts 0..128.
int MixerVolume(int volume) { return volume * 128 / 255; }

void Play(int sound) { ISoundFX->SoundPlay(-1, sound, 0); }  // -1: the first free channel

}  // namespace

void StartAudio() {
    // 1 opened; 0 sound switched off in the settings; 255 no usable device.
    const int opened = ISoundFX->Init();
    if (opened != 1) {
        ILogSystem.Msg(0, "\n . No sound: %s\n", opened == 0 ? "switched off in the settings" : "no audio device");
        return;
    }
    Veltrano.AudioInfo();
    audio.theme = ISoundFX->MusicLoad(kAssets, "theme");
    audio.coin = ISoundFX->SoundLoad(kAssets, "coin");
    audio.click = ISoundFX->SoundLoad(kAssets, "click");
    audio.hurt = ISoundFX->SoundLoad(kAssets, "hurt");
    ApplyVolumes(Veltrano.Config.musicVolume, Veltrano.Config.soundVolume);
}

void StopAudio() {
    ISoundFX->MusicStop();
    ISoundFX->MusicFree(audio.theme);
    for (int sound : {audio.coin, audio.click, audio.hurt}) ISoundFX->SoundFree(sound);
    audio = Audio{};
    ISoundFX->Quit();
}

void StartMusic() {
    if (audio.theme >= 0) ISoundFX->MusicPlay(audio.theme, -1);  // -1: loop for ever
}

void ApplyVolumes(int music, int sound) {
    ISoundFX->MusicVolume(MixerVolume(music));
    for (int effect : {audio.coin, audio.click, audio.hurt})
        if (effect >= 0) ISoundFX->SoundVolume(effect, MixerVolume(sound));
}

void PlayCoinSound() { Play(audio.coin); }
void PlayClickSound() { Play(audio.click); }
void PlayHurtSound() { Play(audio.hurt); }
