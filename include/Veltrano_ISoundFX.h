// The ISoundFX interface: sound effects on mixer channels and one music
// stream, loaded from files or "SND"/"MUS" blocks of an archive; created by
// Veltrano.Init, deleted by Veltrano.Quit. Sounds and music are addressed by
// handles, their positions in two fixed tables (256 sounds, 32 music).
#ifndef VELTRANO_ISOUNDFX_H
#define VELTRANO_ISOUNDFX_H

#include "veltrano_types.h"

struct SoundFXState;

class VELTRANO_API Veltrano_ISoundFX {
public:
    Veltrano_ISoundFX();
    // Frees what the game left loaded (and reports it), closes the device.
    ~Veltrano_ISoundFX();
    Veltrano_ISoundFX(const Veltrano_ISoundFX&) = delete;
    Veltrano_ISoundFX& operator=(const Veltrano_ISoundFX&) = delete;

    // Device. The explicit form: 1 when the mixer opened with exactly these
    // values, else 0. The configuration form: 0 when Config.audioEnable is 0,
    // 255 when the device cannot be opened, 1 on success; it opens 8-bit for
    // Config.audioFormat 8 and 16-bit for any other value, and sets the music
    // and channel volumes from Config.
    int Init(int freq, unsigned short format, int channels, int chunksize);
    int Init();
    // Marks sound as not started, without closing anything.
    void NoInit();
    int Initialized();
    // Closes the device when it is open. Loaded sounds and music stay.
    void Quit();
    // The opened audio device's format; writes nothing while not started.
    void QuerySpec(int* freq, unsigned short* format, int* channels);

    // Mixer forwarders; while not started they do nothing and the getters
    // return -1 (ChannelIsPaused, MusicIsPaused, IsPlaying and MusicFadeOut:
    // 0). Channel -1 means every channel where the mixer allows it.
    int AllocateChannels(int n);
    void ChannelVolume(int channel, int volume);
    int ChannelGetVolume(int channel);
    void SoundVolume(int sound, int volume);
    int SoundGetVolume(int sound);
    void MusicVolume(int volume);
    int MusicGetVolume();
    void ChannelStop(int channel);
    void MusicStop();
    void ChannelPause(int channel);
    void ChannelResume(int channel);
    int ChannelIsPaused(int channel);
    void MusicPause();
    void MusicResume();
    int MusicIsPaused();
    void MusicRewind();
    int ChannelFadeOut(int channel, int ms);
    int MusicFadeOut(int ms);
    int ChannelFadeIn(int channel, int sound, int loops, int ms);
    // -1 for a module that has not been decoded by MusicPlay.
    int MusicFadeIn(int music, int loops, int ms);
    // The channel the sound plays on, -1 when it does not play.
    int SoundPlay(int channel, int sound, int loops);
    int IsPlaying();
    int IsPlaying(int channel);

    // Sounds: a handle, or -1 on failure.
    int SoundLoad(const char* file);
    int SoundLoad(int dpfHandle, const char* block);
    int SoundLoad(const char* dpfFile, const char* block);
    void SoundFree(int sound);

    // Music: a handle, or -1 on failure. Ogg music is decoded at load; a
    // module is kept as bytes and decoded by MusicPlay (one at a time).
    int MusicLoad(const char* file);
    int MusicLoad(int dpfHandle, const char* block);
    int MusicLoad(const char* dpfFile, const char* block);
    void MusicFree(int music);
    // 0 when the music plays, -1 when it does not.
    int MusicPlay(int music, int loops);

    // Store an audio file as a "SND" or "MUS" block: the stored size, -1
    // when the block exists, 0 on failure. Work without the device. The
    // archive file is created when missing.
    int SoundImport(int dpfHandle, const char* block, const char* file);
    int SoundImport(const char* dpfFile, const char* block, const char* file);
    int MusicImport(int dpfHandle, const char* block, const char* file);
    int MusicImport(const char* dpfFile, const char* block, const char* file);

    // The format of a file (dpfHandle 0) or block: 1 when info was filled.
    int SoundInfo(int dpfHandle, const char* name, sAudioType* info);
    int SoundInfo(const char* dpfFile, const char* block, sAudioType* info);
    int MusicInfo(int dpfHandle, const char* name, sAudioType* info);
    int MusicInfo(const char* dpfFile, const char* block, sAudioType* info);

    // Writes a "SND" (isMusic 0) or "MUS" block back to a file; with a null
    // outFile to "<block>.<typeTag>". 1 when written. Needs the device.
    int Export(int dpfHandle, const char* block, char isMusic, const char* outFile);
    int Export(const char* dpfFile, const char* block, char isMusic, const char* outFile);

private:
    SoundFXState* state;
};

VELTRANO_API extern Veltrano_ISoundFX* ISoundFX;

#endif
