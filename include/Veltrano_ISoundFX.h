/// @file
/// The ISoundFX interface: sound effects on mixer channels and one music
/// stream, loaded from files or "SND"/"MUS" blocks of an archive; created by
/// Veltrano.Init, deleted by Veltrano.Quit. Sounds and music are addressed by
/// handles, their positions in two fixed tables (256 sounds, 32 music).
#ifndef VELTRANO_ISOUNDFX_H
#define VELTRANO_ISOUNDFX_H

#include "veltrano_types.h"

struct SoundFXState;

/// Sound effects and music, reached through the global ISoundFX. Nothing
/// plays until one of the Init calls opens the audio device ("started");
/// while not started, every call except Init, NoInit, Initialized, the
/// imports and the info queries does nothing and returns its failure value.
/// Sound handles are 0..255, music handles 0..31; handles outside the
/// tables or naming empty slots are ignored by every call. The tables
/// survive Quit: handles stay valid across Quit and a new Init.
/// Sounds are decoded whole at load (WAV, AIFF, Ogg Vorbis, VOC); one music
/// plays at a time (Ogg Vorbis, or IT, XM, S3M and MOD modules).
class VELTRANO_API Veltrano_ISoundFX {
public:
    /// Empty tables, not started. Made by Veltrano.Init.
    Veltrano_ISoundFX();
    /// Frees the sounds and music the game left, closes the device. Called by
    /// Veltrano.Quit. For non-zero counts it logs (level 2, no line end)
    /// " . [ISoundFX] Warning! your application has left <n> sounds without deleting."
    /// and " . [ISoundFX] Warning! your application has left <n> music without deleting."
    ~Veltrano_ISoundFX();
    /// The interface is not copied.
    Veltrano_ISoundFX(const Veltrano_ISoundFX&) = delete;
    /// The interface is not copied.
    /// @return never (deleted).
    Veltrano_ISoundFX& operator=(const Veltrano_ISoundFX&) = delete;

    /// Opens the audio device with exactly these values (an open device is
    /// closed first). Sets no volumes.
    /// @param freq       sample rate in Hz, e.g. 22050 or 44100.
    /// @param format     SDL audio format, e.g. AUDIO_S16LSB (0x8010) or AUDIO_S8 (0x8008).
    /// @param channels   1 mono, 2 stereo.
    /// @param chunksize  mixer buffer in sample frames.
    /// @return 1 when the device opened; 0 when it did not (not started).
    int Init(int freq, unsigned short format, int channels, int chunksize);
    /// Opens the audio device from Veltrano.Config: audioFrequency,
    /// audioMode, audioBuffer, 8-bit signed for audioFormat 8 and 16-bit
    /// signed little-endian for any other value; then sets the music volume
    /// to musicVolume and every channel to soundVolume.
    /// @return 1 on success; 0 when Config.audioEnable is 0 (nothing opened);
    ///         255 when the device cannot be opened.
    int Init();
    /// Marks sound as not started, without closing anything.
    void NoInit();
    /// @return 1 while started, else 0.
    int Initialized();
    /// Closes the device when it is open. Loaded sounds and music stay.
    void Quit();
    /// The opened device's format; writes nothing while not started.
    /// @param freq      receives the sample rate.
    /// @param format    receives the SDL audio format.
    /// @param channels  receives the channel count.
    void QuerySpec(int* freq, unsigned short* format, int* channels);

    /// Sets the number of mixer channels.
    /// @param n  the channel count (above 4096, or negative, only asks).
    /// @return the number of channels now; -1 while not started.
    int AllocateChannels(int n);
    /// Sets a channel's volume.
    /// @param channel  a mixer channel, or -1 for every channel.
    /// @param volume   0..128.
    void ChannelVolume(int channel, int volume);
    /// @param channel  a mixer channel, or -1 for the average of every channel.
    /// @return the volume 0..128; -1 while not started or for a channel the mixer does not have.
    int ChannelGetVolume(int channel);
    /// Sets a sound's own volume (multiplied with its channel's).
    /// @param sound   a sound handle.
    /// @param volume  0..128.
    void SoundVolume(int sound, int volume);
    /// @param sound  a sound handle.
    /// @return the sound's volume 0..128; -1 while not started or for an empty handle.
    int SoundGetVolume(int sound);
    /// Sets the music volume.
    /// @param volume  0..128.
    void MusicVolume(int volume);
    /// @return the music volume 0..128; -1 while not started.
    int MusicGetVolume();
    /// Stops a channel at once.
    /// @param channel  a mixer channel, or -1 for every channel.
    void ChannelStop(int channel);
    /// Stops the music at once.
    void MusicStop();
    /// Pauses a channel.
    /// @param channel  a mixer channel, or -1 for every channel.
    void ChannelPause(int channel);
    /// Resumes a paused channel.
    /// @param channel  a mixer channel, or -1 for every channel.
    void ChannelResume(int channel);
    /// @param channel  a mixer channel, or -1 to count the paused channels.
    /// @return 1 when paused (with -1: the number of paused channels); 0 while
    ///         not started or for a channel the mixer does not have.
    int ChannelIsPaused(int channel);
    /// Pauses the music.
    void MusicPause();
    /// Resumes the music.
    void MusicResume();
    /// @return 1 when the music is paused; 0 otherwise and while not started.
    int MusicIsPaused();
    /// Starts the playing music from its beginning.
    void MusicRewind();
    /// Fades a channel out and stops it.
    /// @param channel  a mixer channel, or -1 for every channel.
    /// @param ms       fade time in milliseconds.
    /// @return the number of channels set to fade; -1 while not started or for a bad channel.
    int ChannelFadeOut(int channel, int ms);
    /// Fades the music out and stops it.
    /// @param ms  fade time in milliseconds.
    /// @return 1 when the fade started; 0 otherwise and while not started.
    int MusicFadeOut(int ms);
    /// Plays a sound, fading it in.
    /// @param channel  a mixer channel, or -1 for the first free one.
    /// @param sound    a sound handle.
    /// @param loops    extra repetitions; -1 loops for ever.
    /// @param ms       fade time in milliseconds.
    /// @return the channel it plays on; -1 while not started, for an empty
    ///         handle, a bad channel or when the mixer has no channel free.
    int ChannelFadeIn(int channel, int sound, int loops, int ms);
    /// Plays a music, fading it in. Uses the music as it stands: a module is
    /// only decoded by MusicPlay.
    /// @param music  a music handle.
    /// @param loops  times to play; -1 for ever.
    /// @param ms     fade time in milliseconds.
    /// @return 0 when it plays; -1 while not started, for an empty handle, for
    ///         a module that MusicPlay has not decoded, or when the mixer fails.
    int MusicFadeIn(int music, int loops, int ms);
    /// Plays a sound.
    /// @param channel  a mixer channel, or -1 for the first free one.
    /// @param sound    a sound handle.
    /// @param loops    extra repetitions; -1 loops for ever.
    /// @return the channel the sound plays on; -1 when it does not play (not
    ///         started, empty handle, bad channel, no channel free).
    int SoundPlay(int channel, int sound, int loops);
    /// @return 1 while music plays; 0 otherwise and while not started.
    int IsPlaying();
    /// @param channel  a mixer channel, or -1 to count the playing channels.
    /// @return 1 while the channel plays (with -1: the number playing); 0
    ///         otherwise, while not started or for a bad channel.
    int IsPlaying(int channel);

    /// Loads a sound file (WAV, AIFF, Ogg Vorbis or VOC), decoded to the
    /// device's format, at the configuration's soundVolume.
    /// @param file  the sound file.
    /// @return a sound handle; -1 on failure or while not started.
    /// Logs " . [ISoundFX->SoundLoad('<file>')] Error: sound not found." (level 0)
    /// when the file is missing or cannot be decoded, and " . [ISoundFX]
    /// Warning: reached maximum limit of sound objects opened(256)" (level 2).
    int SoundLoad(const char* file);
    /// Loads a sound from an "SND" block of an open archive.
    /// @param dpfHandle  a handle of an open archive.
    /// @param block      the block's name.
    /// @return a sound handle; -1 on failure or while not started.
    /// Logs after " . [ISoundFX->SoundLoad('<archive>','<block>')] ": "Error:
    /// sound not found.", "Error: loading from RWops failed (<SDL error>).",
    /// "Error: sound format unknown." (level 0); the table-full warning.
    int SoundLoad(int dpfHandle, const char* block);
    /// Loads a sound from an archive file (opened and closed around the call).
    /// @param dpfFile  the archive file.
    /// @param block    the block's name.
    /// @return a sound handle; -1 on failure, also when the archive does not open.
    int SoundLoad(const char* dpfFile, const char* block);
    /// Frees a sound (while started).
    /// @param sound  a sound handle.
    void SoundFree(int sound);

    /// Loads a music file. Ogg music is decoded at load; a module is kept as
    /// bytes and decoded by MusicPlay.
    /// @param file  the music file.
    /// @return a music handle; -1 on failure or while not started.
    /// Logs " . [ISoundFX->MusicLoad('<file>')] Error: music not found."
    /// (level 0); "... Error: music format unknown ('<SDL error>')." (level 0)
    /// for empty data, an Ogg file that cannot be decoded or a full table,
    /// which first logs " . [ISoundFX] Warning: reached maximum limit of music
    /// objects opened(32)" (level 2).
    int MusicLoad(const char* file);
    /// Loads a music from a "MUS" block of an open archive (its bytes are
    /// copied, so the archive may be closed afterwards).
    /// @param dpfHandle  a handle of an open archive.
    /// @param block      the block's name.
    /// @return a music handle; -1 on failure or while not started.
    /// Logs after " . [ISoundFX->MusicLoad('<archive>','<block>')] ": "Error:
    /// music not found." and "Error: music format unknown ('<SDL error>')."
    /// (level 0), as the file form.
    int MusicLoad(int dpfHandle, const char* block);
    /// Loads a music from an archive file (opened and closed around the call).
    /// @param dpfFile  the archive file.
    /// @param block    the block's name.
    /// @return a music handle; -1 on failure, also when the archive does not open.
    int MusicLoad(const char* dpfFile, const char* block);
    /// Frees a music (while started).
    /// @param music  a music handle.
    void MusicFree(int music);
    /// Plays a music. A module is decoded now, and the module decoded for an
    /// earlier MusicPlay is released, so at most one module is held decoded.
    /// @param music  a music handle.
    /// @param loops  times to play; -1 for ever.
    /// @return 0 when the music plays; -1 when it does not (not started, empty
    ///         handle, undecodable module, mixer failure).
    /// Logs " . [ISoundFX->MusicPlay(<music>,<loops>)] Error: music format
    /// unknown ('<SDL error>')." (level 0) for a module that cannot be decoded.
    int MusicPlay(int music, int loops);

    /// Stores a sound file unchanged as a (scrambled) "SND" block. Works
    /// without the device, after Veltrano.Init.
    /// @param dpfHandle  a handle of an open archive.
    /// @param block      the block's name.
    /// @param file       the sound file.
    /// @return IStuffDPF->AddData's result: the stored size, -1 when the block
    ///         exists; 0 on failure (handle below 1, unreadable file, null block name).
    /// Logs " . [ISoundFX->SoundImport('<archive>','<block>','<file>'] Error: sound
    /// not found." (level 0; the closing parenthesis is missing in the line).
    int SoundImport(int dpfHandle, const char* block, const char* file);
    /// Stores a sound file in an archive file, created when it does not exist.
    /// @param dpfFile  the archive file.
    /// @param block    the block's name.
    /// @param file     the sound file.
    /// @return as SoundImport(int, const char*, const char*); 0 when the archive cannot be opened or created.
    int SoundImport(const char* dpfFile, const char* block, const char* file);
    /// Stores a music file unchanged as a "MUS" block: scrambled when the file
    /// name ends in 'g' or 'G' (Ogg, which does not compress), else compressed.
    /// @param dpfHandle  a handle of an open archive.
    /// @param block      the block's name.
    /// @param file       the music file.
    /// @return the stored size, -1 when the block exists; 0 on failure.
    /// Logs " . [ISoundFX->MusicImport('<archive>','<block>','<file>')] Error:
    /// music not found." (level 0).
    int MusicImport(int dpfHandle, const char* block, const char* file);
    /// Stores a music file in an archive file, created when it does not exist.
    /// @param dpfFile  the archive file.
    /// @param block    the block's name.
    /// @param file     the music file.
    /// @return as MusicImport(int, const char*, const char*); 0 when the archive cannot be opened or created.
    int MusicImport(const char* dpfFile, const char* block, const char* file);

    /// The format of a sound file or "SND" block: "WAV", "AIFF", "OGG" or
    /// "VOC" with the decoded channels, sample format and rate, and the size
    /// of the file or block. Works without the device.
    /// @param dpfHandle  a handle of an open archive, or 0 for a plain file.
    /// @param name       the block's name, or the file's name with handle 0.
    /// @param info       receives the format.
    /// @return 1 when info was filled; 0 otherwise (also for a null info or a
    ///         sound that fails to decode, without a line).
    /// Logs after " . [ISoundFX->SoundInfo('<archive>','<name>',0x<info>] ":
    /// "Error: sound not found.", "Error: sound load failed." (the file cannot
    /// be opened), "Error: sound format unknown." (level 0).
    int SoundInfo(int dpfHandle, const char* name, sAudioType* info);
    /// The format of an "SND" block of an archive file (opened and closed around the call).
    /// @param dpfFile  the archive file.
    /// @param block    the block's name.
    /// @param info     receives the format.
    /// @return as SoundInfo(int, const char*, sAudioType*); 0 when the archive does not open.
    int SoundInfo(const char* dpfFile, const char* block, sAudioType* info);
    /// The format of a music file or "MUS" block: "OGG" with its decoded
    /// channels, sample format and rate, or "IT", "XM", "S3M" or "MOD"
    /// (anything else counts as MOD) with 0 for those; and the size.
    /// @param dpfHandle  a handle of an open archive, or 0 for a plain file.
    /// @param name       the block's name, or the file's name with handle 0.
    /// @param info       receives the format.
    /// @return 1 when info was filled; 0 when the data cannot be opened or info is null.
    /// Logs after " . [ISoundFX->MusicInfo('<archive>','<name>',0x<info>)] ":
    /// "Error: music not found." or "Error: music load failed." (level 0).
    int MusicInfo(int dpfHandle, const char* name, sAudioType* info);
    /// The format of a "MUS" block of an archive file (opened and closed around the call).
    /// @param dpfFile  the archive file.
    /// @param block    the block's name.
    /// @param info     receives the format.
    /// @return as MusicInfo(int, const char*, sAudioType*); 0 when the archive does not open.
    int MusicInfo(const char* dpfFile, const char* block, sAudioType* info);

    /// Writes an "SND" or "MUS" block back to a file, creating its folders.
    /// Needs the device (started).
    /// @param dpfHandle  a handle of an open archive.
    /// @param block      the block's name.
    /// @param isMusic    0 for an "SND" block, non-zero for a "MUS" block.
    /// @param outFile    the file to write; null writes "<block>.<typeTag>"
    ///                   (e.g. "boom.WAV"), the tag from SoundInfo or MusicInfo.
    /// @return 1 when written; 0 while not started, for a handle below 1, a
    ///         missing block, a block whose format is unknown (with a null
    ///         outFile) or a file that cannot be written (a partly written file is removed).
    /// Logs " . [ISoundFX->Export('<archive>','<block>',<isMusic>,'<outFile>')]
    /// Error: sound block not found." (level 0).
    int Export(int dpfHandle, const char* block, char isMusic, const char* outFile);
    /// Writes a block of an archive file back to a file (the archive is opened and closed around the call).
    /// @param dpfFile  the archive file.
    /// @param block    the block's name.
    /// @param isMusic  0 for "SND", non-zero for "MUS".
    /// @param outFile  the file to write, or null.
    /// @return as Export(int, const char*, char, const char*); 0 when the archive does not open.
    int Export(const char* dpfFile, const char* block, char isMusic, const char* outFile);

private:
    SoundFXState* state;
};

/// Sound effects and music; made by Veltrano.Init, deleted (and null) after Veltrano.Quit.
VELTRANO_API extern Veltrano_ISoundFX* ISoundFX;

#endif
