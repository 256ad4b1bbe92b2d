// The generated sounds and modules and the committed films are files the
// mixer and the MPEG player accept: sounds decode to the tone they were made
// of, music and films play audibly on the dummy audio driver, films report
// their picture and sound and play to their end.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <smpeg.h>

#include "support/audio_media.h"
#include "media/sound_test_support.h"
#include "support/test_support.h"

// Exported by the mixer library but missing from its header.
extern "C" {
SDL_AudioSpec* Mix_LoadAIFF_RW(SDL_RWops* src, int freesrc, SDL_AudioSpec* spec, Uint8** buffer,
                               Uint32* length);
SDL_AudioSpec* Mix_LoadVOC_RW(SDL_RWops* src, int freesrc, SDL_AudioSpec* spec, Uint8** buffer,
                              Uint32* length);
SDL_AudioSpec* Mix_LoadOGG_RW(SDL_RWops* src, int freesrc, SDL_AudioSpec* spec, Uint8** buffer,
                              Uint32* length);
}

namespace {

namespace fs = std::filesystem;
using audio_media::Bytes;
using audio_media::Tone;

constexpr int kDeviceRate = 22050;
constexpr Uint32 kPlayWaitMs = 2000;

SDL_RWops* ReadFrom(const Bytes& bytes) {
    return SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
}

fs::path SourceDir() { return fs::path(std::getenv("VELTRANO_SOURCE_DIR")); }

Bytes ReadBytes(const fs::path& path) {
    const std::string text = testing_support::ReadFile(path.string());
    return Bytes(text.begin(), text.end());
}

// Sample `index` (interleaved) of a decoded buffer, scaled to 16 bits.
int SampleAt(const Uint8* data, Uint16 format, size_t index) {
    switch (format) {
        case AUDIO_U8: return (data[index] - 128) * 256;
        case AUDIO_S8: return static_cast<int8_t>(data[index]) * 256;
        case AUDIO_S16LSB: return static_cast<int16_t>(data[2 * index] | data[2 * index + 1] << 8);
        case AUDIO_S16MSB: return static_cast<int16_t>(data[2 * index] << 8 | data[2 * index + 1]);
        default: ADD_FAILURE() << "unexpected format " << format; return 0;
    }
}

// Periods of the first channel, counted as rises through a band around zero
// (the band keeps codec noise near zero from counting twice).
int CountPeriods(const Uint8* data, const SDL_AudioSpec& spec, size_t frames) {
    int periods = 0;
    bool low = false;
    for (size_t i = 0; i < frames; ++i) {
        const int v = SampleAt(data, spec.format, i * spec.channels);
        if (v < -2000) low = true;
        if (v > 2000 && low) {
            ++periods;
            low = false;
        }
    }
    return periods;
}

int PeakOf(const Uint8* data, Uint16 format, size_t samples) {
    int peak = 0;
    for (size_t i = 0; i < samples; ++i) peak = std::max(peak, std::abs(SampleAt(data, format, i)));
    return peak;
}

using sound_test::CountLoudSamples;
using sound_test::WaitFor;
using sound_test::loudSamples;

// The mixer open on the dummy driver: 22050 Hz, 16-bit, stereo.
class MixerMedia : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(kDeviceRate, AUDIO_S16SYS, 2, 512), 0) << Mix_GetError();
        loudSamples = 0;
        Mix_SetPostMix(CountLoudSamples, nullptr);
    }
    void TearDown() override {
        Mix_SetPostMix(nullptr, nullptr);
        Mix_CloseAudio();
        SDL_Quit();
    }

    // Loads the music, plays it and expects it heard within the bound.
    void ExpectMusicPlays(const Bytes& bytes, Mix_MusicType type) {
        SDL_RWops* rw = ReadFrom(bytes);
        Mix_Music* music = Mix_LoadMUS_RW(rw);
        ASSERT_NE(music, nullptr) << Mix_GetError();
        EXPECT_EQ(Mix_GetMusicType(music), type);
        loudSamples = 0;
        ASSERT_EQ(Mix_PlayMusic(music, 0), 0) << Mix_GetError();
        EXPECT_TRUE(WaitFor([] { return loudSamples >= 2000; }, kPlayWaitMs))
            << "loud samples heard: " << loudSamples;
        Mix_HaltMusic();
        Mix_FreeMusic(music);
        SDL_RWclose(rw);  // the Ogg player reads from it until freed
    }
};

using SoundLoader = SDL_AudioSpec* (*)(SDL_RWops*, int, SDL_AudioSpec*, Uint8**, Uint32*);

struct SoundCase {
    std::string name;
    Bytes bytes;
    SoundLoader loader;  // the loader that reports the file's own format
    int rate;            // expected rate read back
    Uint16 format;       // expected sample format read back
    Tone tone;
    bool lossy;
};

std::vector<SoundCase> SoundCases() {
    const Tone mono8{11025, 1, 8, 1102, 440.0};
    const Tone stereo16{22050, 2, 16, 2205, 660.0};
    const Tone mono16{44100, 1, 16, 4410, 330.0};
    const Tone stereo8{22050, 2, 8, 2205, 550.0};
    const Tone voc1{22050, 1, 8, 2205, 440.0};
    using audio_media::VocBlock;
    return {
        {"wav 8-bit mono", audio_media::Wav(mono8), SDL_LoadWAV_RW, 11025, AUDIO_U8, mono8, false},
        {"wav 16-bit stereo", audio_media::Wav(stereo16), SDL_LoadWAV_RW, 22050, AUDIO_S16LSB, stereo16, false},
        {"wav 16-bit mono", audio_media::Wav(mono16), SDL_LoadWAV_RW, 44100, AUDIO_S16LSB, mono16, false},
        {"wav 8-bit stereo", audio_media::Wav(stereo8), SDL_LoadWAV_RW, 22050, AUDIO_U8, stereo8, false},
        {"aiff mono", audio_media::Aiff(mono16), Mix_LoadAIFF_RW, 44100, AUDIO_S16MSB, mono16, false},
        {"aiff stereo", audio_media::Aiff(stereo16), Mix_LoadAIFF_RW, 22050, AUDIO_S16MSB, stereo16, false},
        {"voc block 1", audio_media::Voc(voc1, VocBlock::Sound), Mix_LoadVOC_RW,
         audio_media::VocBlock1Rate(22050), AUDIO_U8, voc1, false},
        {"voc block 9 16-bit", audio_media::Voc(mono16, VocBlock::SoundNew), Mix_LoadVOC_RW, 44100,
         AUDIO_S16LSB, mono16, false},
        {"voc block 9 8-bit", audio_media::Voc(mono8, VocBlock::SoundNew), Mix_LoadVOC_RW, 11025, AUDIO_U8,
         mono8, false},
        {"ogg mono", audio_media::OggVorbis(mono16), Mix_LoadOGG_RW, 44100, AUDIO_S16LSB, mono16, true},
        {"ogg stereo", audio_media::OggVorbis(stereo16), Mix_LoadOGG_RW, 22050, AUDIO_S16LSB, stereo16, true},
    };
}

TEST_F(MixerMedia, SoundsDecodeToTheToneTheyWereMadeOf) {
    for (const SoundCase& c : SoundCases()) {
        SCOPED_TRACE(c.name);
        SDL_AudioSpec spec{};
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(c.loader(ReadFrom(c.bytes), 1, &spec, &buffer, &length), nullptr) << SDL_GetError();
        EXPECT_EQ(spec.freq, c.rate);
        EXPECT_EQ(spec.channels, c.tone.channels);
        EXPECT_EQ(spec.format, c.format);
        const size_t frameBytes = c.tone.channels * (c.format == AUDIO_U8 ? 1 : 2);
        EXPECT_EQ(length, c.tone.frames * frameBytes);
        const size_t frames = std::min<size_t>(length / frameBytes, c.tone.frames);
        // Whole periods of the tone over the frames written (one may be cut).
        const double periods = c.tone.frequency * c.tone.frames / c.tone.rate;
        EXPECT_NEAR(CountPeriods(buffer, spec, frames), periods, 1.5 + (c.lossy ? periods / 20 : 0));
        EXPECT_NEAR(PeakOf(buffer, spec.format, frames * spec.channels), 16384, c.lossy ? 3000 : 300);
        SDL_FreeWAV(buffer);

        // The mixer converts it to the device's format at the device's rate.
        Mix_Chunk* chunk = Mix_LoadWAV_RW(ReadFrom(c.bytes), 1);
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        const double deviceFrames = static_cast<double>(c.tone.frames) * kDeviceRate / c.rate;
        EXPECT_NEAR(chunk->alen / 4.0, deviceFrames, deviceFrames / 50 + 16);
        EXPECT_GT(PeakOf(chunk->abuf, AUDIO_S16SYS, chunk->alen / 2), 12000);
        Mix_FreeChunk(chunk);
    }
}

TEST_F(MixerMedia, ModulesPlayAudibly) {
    const std::pair<const char*, Bytes> modules[] = {
        {"mod", audio_media::ModModule()},
        {"s3m", audio_media::S3mModule()},
        {"xm", audio_media::XmModule()},
        {"it", audio_media::ItModule()},
    };
    for (const auto& [name, bytes] : modules) {
        SCOPED_TRACE(name);
        ExpectMusicPlays(bytes, MUS_MOD);
    }
}

TEST_F(MixerMedia, OggMusicPlaysAudibly) {
    ExpectMusicPlays(audio_media::OggVorbis(Tone{22050, 2, 16, 22050, 440.0}), MUS_OGG);
}

// A module's song is eight rows long and then stops by itself.
TEST_F(MixerMedia, ModuleSongEndsAfterEightRows) {
    const Bytes bytes = audio_media::ItModule();
    SDL_RWops* rw = ReadFrom(bytes);
    Mix_Music* music = Mix_LoadMUS_RW(rw);
    ASSERT_NE(music, nullptr) << Mix_GetError();
    ASSERT_EQ(Mix_PlayMusic(music, 0), 0) << Mix_GetError();
    // About one second of music; the bound leaves room for a loaded machine.
    EXPECT_TRUE(WaitFor([] { return !Mix_PlayingMusic(); }, 10000));
    Mix_FreeMusic(music);
    SDL_RWclose(rw);
}

// The fuzzers' committed seeds stay files the mixer loads, so fuzzing starts
// from the successful paths of every loader.
TEST_F(MixerMedia, FuzzSeedsLoad) {
    int sounds = 0, musics = 0;
    for (const auto& entry : fs::directory_iterator(SourceDir() / "fuzz" / "corpus" / "sound_info")) {
        SCOPED_TRACE(entry.path().string());
        const Bytes bytes = ReadBytes(entry.path());
        Mix_Chunk* chunk = Mix_LoadWAV_RW(ReadFrom(bytes), 1);
        EXPECT_NE(chunk, nullptr) << Mix_GetError();
        if (chunk) {
            Mix_FreeChunk(chunk);
            ++sounds;
        }
    }
    for (const auto& entry : fs::directory_iterator(SourceDir() / "fuzz" / "corpus" / "music_info")) {
        SCOPED_TRACE(entry.path().string());
        const Bytes bytes = ReadBytes(entry.path());
        SDL_RWops* rw = ReadFrom(bytes);
        Mix_Music* music = Mix_LoadMUS_RW(rw);
        EXPECT_NE(music, nullptr) << Mix_GetError();
        if (music) {
            Mix_FreeMusic(music);
            ++musics;
        }
        SDL_RWclose(rw);
    }
    EXPECT_GE(sounds, 5);
    EXPECT_GE(musics, 5);
}

// Writes the seeds from the generators; run by hand (see audio_media.h).
TEST(MediaSeeds, DISABLED_WriteFuzzSeeds) {
    const fs::path corpus = SourceDir() / "fuzz" / "corpus";
    const Tone mono8{11025, 1, 8, 441, 440.0};
    const Tone mono16{22050, 1, 16, 882, 440.0};
    const Tone stereo16{22050, 2, 16, 441, 440.0};
    const std::pair<const char*, Bytes> sounds[] = {
        {"tone-u8-mono.wav", audio_media::Wav(mono8)},
        {"tone-s16-stereo.wav", audio_media::Wav(stereo16)},
        {"tone.aiff", audio_media::Aiff(mono16)},
        {"tone-block1.voc", audio_media::Voc(mono8, audio_media::VocBlock::Sound)},
        {"tone-block9.voc", audio_media::Voc(mono16, audio_media::VocBlock::SoundNew)},
        {"tone.ogg", audio_media::OggVorbis(mono16)},
    };
    const std::pair<const char*, Bytes> musics[] = {
        {"song.mod", audio_media::ModModule()}, {"song.s3m", audio_media::S3mModule()},
        {"song.xm", audio_media::XmModule()},   {"song.it", audio_media::ItModule()},
        {"tone.ogg", audio_media::OggVorbis(mono16)},
    };
    auto write = [](const fs::path& folder, const auto& files) {
        fs::create_directories(folder);
        for (const auto& [name, bytes] : files)
            testing_support::WriteFile((folder / name).string(), std::string(bytes.begin(), bytes.end()));
    };
    write(corpus / "sound_info", sounds);
    write(corpus / "music_info", musics);
}

// Films: the committed MPEG-1 system streams.
fs::path FilmPath(const char* name) { return SourceDir() / "tests" / "data" / "media" / name; }

TEST(FilmMedia, FilmsReportPictureSizeAndSound) {
    const struct {
        const char* name;
        bool audio;
    } films[] = {{"film.mpg", true}, {"film_silent.mpg", false}};
    for (const auto& film : films) {
        SCOPED_TRACE(film.name);
        SMPEG_Info info{};
        SMPEG* mpeg = SMPEG_new(FilmPath(film.name).c_str(), &info, 0);
        ASSERT_NE(mpeg, nullptr);
        EXPECT_EQ(SMPEG_error(mpeg), nullptr);
        EXPECT_TRUE(info.has_video);
        EXPECT_EQ(info.width, 176);
        EXPECT_EQ(info.height, 144);
        EXPECT_EQ(info.has_audio != 0, film.audio);
        SMPEG_delete(mpeg);
    }
}

// Both films play to their end on the dummy video driver, the sound of the
// first one through the mixer as a game would play it. (A film whose sound
// is neither drained nor disabled stalls once the sound buffer fills: the
// picture follows the sound's clock.)
TEST_F(MixerMedia, FilmsPlayToTheirEnd) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Surface* screen = SDL_SetVideoMode(176, 144, 32, SDL_SWSURFACE);
    ASSERT_NE(screen, nullptr) << SDL_GetError();
    for (const char* name : {"film.mpg", "film_silent.mpg"}) {
        SCOPED_TRACE(name);
        SDL_FillRect(screen, nullptr, 0);
        SMPEG_Info info{};
        SMPEG* mpeg = SMPEG_new(FilmPath(name).c_str(), &info, 0);
        ASSERT_NE(mpeg, nullptr);
        if (info.has_audio) {
            int rate = 0, channels = 0;
            Uint16 format = 0;
            Mix_QuerySpec(&rate, &format, &channels);
            SDL_AudioSpec device{};
            device.freq = rate;
            device.format = format;
            device.channels = static_cast<Uint8>(channels);
            SMPEG_actualSpec(mpeg, &device);
            Mix_HookMusic(SMPEG_playAudioSDL, mpeg);
        }
        SMPEG_setdisplay(mpeg, screen, nullptr, nullptr);
        loudSamples = 0;
        SMPEG_play(mpeg);
        // 1.6 s of film; the bound leaves room for a loaded machine.
        EXPECT_TRUE(WaitFor([&] { return SMPEG_status(mpeg) != SMPEG_PLAYING; }, 20000));
        EXPECT_EQ(SMPEG_status(mpeg), SMPEG_STOPPED);
        SMPEG_getinfo(mpeg, &info);
        EXPECT_GE(info.current_frame, 30);  // of 40
        if (info.has_audio) {
            EXPECT_GT(loudSamples, 10000);
        }
        // The last picture was drawn: the screen is no longer black.
        ASSERT_EQ(SDL_LockSurface(screen), 0);
        const auto* pixels = static_cast<const Uint32*>(screen->pixels);
        EXPECT_TRUE(std::any_of(pixels, pixels + screen->pitch / 4 * screen->h, [](Uint32 p) { return p != 0; }));
        SDL_UnlockSurface(screen);
        Mix_HookMusic(nullptr, nullptr);
        SMPEG_delete(mpeg);
    }
}

}  // namespace
