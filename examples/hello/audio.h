// The game's sound: the audio device opened from the settings, the theme
// tune and the effects loaded from the demo's archive, the intro film.
// Every call is safe when there is no sound (no device, or the archive
// lacks the blocks): the game then runs silent.
#ifndef HELLO_AUDIO_H
#define HELLO_AUDIO_H

// Opens the audio device from Veltrano.Config and loads the sounds.
void StartAudio();
// Frees the sounds and closes the device.
void StopAudio();

// Plays intro.mpg, the film beside the game, centred; Escape skips it.
void PlayIntro();

void StartMusic();
// volume 0..10, as the menu's slider gives it.
void SetMusicVolume(int volume);
void PlayCoinSound();
void PlayClickSound();

#endif
