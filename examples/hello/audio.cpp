#include "audio.h"

#include <veltrano.h>

namespace {

struct Audio {
    int theme = -1;  // music handle
    int coin = -1;   // sound handles
    int click = -1;
    int volume = -1;  // the slider's last value
};
Audio audio;

}  // namespace

void StartAudio() {
    // 1 opened; 0 sound switched off in the settings; 255 no usable device.
    const int opened = ISoundFX->Init();
    if (opened != 1) {
        ILogSystem.Msg(0, "\n . No sound: %s\n", opened == 0 ? "switched off in the settings" : "no audio device");
        return;
    }
    Veltrano.AudioInfo();
    audio.theme = ISoundFX->MusicLoad("assets.dpf", "theme");
    audio.coin = ISoundFX->SoundLoad("assets.dpf", "coin");
    audio.click = ISoundFX->SoundLoad("assets.dpf", "click");
}

void StopAudio() {
    ISoundFX->MusicStop();
    ISoundFX->MusicFree(audio.theme);
    ISoundFX->SoundFree(audio.coin);
    ISoundFX->SoundFree(audio.click);
    audio = Audio{};
    ISoundFX->Quit();
}

void PlayIntro() {
    IVideo->SetPosition(-1, -1);  // centred
    IVideo->SetScale(0, 0);       // at the film's own size
    // The film's sound goes through the SDK's mixer when the device is open.
    if (!IVideo->PlayMPEG("intro.mpg", 1, 0))
        ILogSystem.Msg(0, "\n . The intro film could not be played; the game starts at once\n");
}

void StartMusic() {
    if (audio.theme >= 0) ISoundFX->MusicPlay(audio.theme, -1);  // -1: loop for ever
}

void SetMusicVolume(int volume) {
    if (volume == audio.volume) return;
    audio.volume = volume;
    ISoundFX->MusicVolume(volume * 128 / 10);  // the mixer's scale is 0..128
}

void PlayCoinSound() { ISoundFX->SoundPlay(-1, audio.coin, 0); }  // -1: the first free channel

void PlayClickSound() { ISoundFX->SoundPlay(-1, audio.click, 0); }
