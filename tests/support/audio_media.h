// Small, valid sound and music files made in memory for the sound tests:
// PCM sounds (WAV, AIFF, VOC), an Ogg Vorbis sound and four tracker modules
// (MOD, S3M, XM, IT). Every generator returns the bytes of a whole file.
//
// The fuzzers' seeds in fuzz/corpus/sound_info and fuzz/corpus/music_info
// are written from these generators by a test that runs only on request:
//   build/tests/media_tests --gtest_also_run_disabled_tests
//       --gtest_filter='*WriteFuzzSeeds*'
#ifndef VELTRANO_TEST_AUDIO_MEDIA_H
#define VELTRANO_TEST_AUDIO_MEDIA_H

#include <cstdint>
#include <vector>

namespace audio_media {

using Bytes = std::vector<uint8_t>;

// A sine tone at half the full scale, the same on every channel.
struct Tone {
    int rate = 22050;          // frames per second
    int channels = 1;          // 1 or 2
    int bits = 16;             // 8 (unsigned where the format stores it so) or 16 (signed)
    int frames = 2205;         // length in sample frames
    double frequency = 440.0;  // Hz
};

// RIFF WAVE, PCM: 8-bit unsigned or 16-bit signed little-endian.
Bytes Wav(const Tone& tone);

// AIFF, 16-bit signed big-endian, the rate stored as an 80-bit extended
// float (tone.bits is ignored).
Bytes Aiff(const Tone& tone);

// Creative Voice file with one sound-data block and the terminator. Block 1
// holds 8-bit unsigned mono only and stores the rate as a time constant,
// 256 - 1000000 / rate, so the rate read back is 1000000 / (256 - constant).
// Block 9 holds the exact rate, 8-bit unsigned or 16-bit signed, mono or
// stereo.
enum class VocBlock { Sound = 1, SoundNew = 9 };
Bytes Voc(const Tone& tone, VocBlock block);
// The rate a block-1 file of this rate reads back as.
int VocBlock1Rate(int rate);

// Ogg Vorbis encoded with libvorbisenc (quality 0, a fixed stream serial, so
// the bytes are the same from run to run on one library version).
Bytes OggVorbis(const Tone& tone);

// Tracker modules: one looping 8-bit sine sample and one pattern that plays
// two notes on two channels at row 0 and ends the song after 8 rows (speed 6,
// 125 BPM: about one second).
Bytes ModModule();  // 4-channel "M.K." (31 samples, 64-row pattern, break at row 7)
Bytes S3mModule();  // "SCRM" at offset 44 (64-row pattern, break at row 7)
Bytes XmModule();   // "Extended Module: ", 2 channels, 8-row pattern
Bytes ItModule();   // "IMPM", sample mode, 2 channels, 8-row pattern

// The sample the modules share: `cycles` whole periods of a sine over
// `length` signed 8-bit values, so it loops without a click.
std::vector<int8_t> SineSample(int length, int cycles);

}  // namespace audio_media

#endif
