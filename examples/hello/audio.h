// The game's sound: the audio device opened from the settings, the theme
// tune and the effects loaded from the archive. Every call is safe when
// there is no sound (no device, or the archive lacks the blocks): the game
// then runs silent.
#ifndef HELLO_AUDIO_H
#define HELLO_AUDIO_H

// Opens the audio device from Veltrano.Config and loads the sounds.
void StartAudio();
// Frees the sounds and closes the device.
void StopAudio();

void StartMusic();
// Volumes as the configuration file keeps them, 0..255.
void ApplyVolumes(int music, int sound);
void PlayCoinSound();
void PlayClickSound();
void PlayHurtSound();

#endif
