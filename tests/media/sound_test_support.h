// What the sound interface tests share: the SDK started in a private folder
// with the mixer open on the dummy driver, test media written as files or
// stored as blocks, and a post-mix counter of loud output samples.
#ifndef VELTRANO_TEST_SOUND_TEST_SUPPORT_H
#define VELTRANO_TEST_SOUND_TEST_SUPPORT_H

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "support/audio_media.h"
#include "support/test_support.h"
#include "veltrano.h"

namespace sound_test {

using audio_media::Bytes;

inline std::atomic<int> loudSamples{0};

inline void CountLoudSamples(void*, Uint8* stream, int length) {
    const auto* samples = reinterpret_cast<const int16_t*>(stream);
    int loud = 0;
    for (int i = 0; i < length / 2; ++i) loud += std::abs(samples[i]) > 1000;
    loudSamples += loud;
}

// Polls until `done` holds or the time runs out; true if it held.
template <typename Condition>
bool WaitFor(Condition done, Uint32 milliseconds) {
    const Uint32 start = SDL_GetTicks();
    while (!done()) {
        if (SDL_GetTicks() - start > milliseconds) return false;
        SDL_Delay(10);
    }
    return true;
}

inline Bytes Wav() { return audio_media::Wav(audio_media::Tone{22050, 1, 16, 2205, 440.0}); }
inline Bytes Ogg() { return audio_media::OggVorbis(audio_media::Tone{22050, 2, 16, 22050, 440.0}); }

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Started());
        ASSERT_NE(ISoundFX, nullptr);
    }
    void TearDown() override {
        if (ISoundFX != nullptr && ISoundFX->Initialized()) Mix_SetPostMix(nullptr, nullptr);
    }

    // Opens the device as the media tests do: 22050 Hz, 16-bit, stereo.
    void Open() {
        ASSERT_EQ(ISoundFX->Init(22050, AUDIO_S16SYS, 2, 512), 1) << Mix_GetError();
        loudSamples = 0;
        Mix_SetPostMix(CountLoudSamples, nullptr);
    }
    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = dir.file(name);
        testing_support::WriteFile(path, std::string(bytes.begin(), bytes.end()));
        return path;
    }
    // Stores the bytes raw as a block of the type.
    int Store(int dpf, const char* block, const char* type, const Bytes& bytes) {
        DPF_BlockData record{};
        std::snprintf(record.name, sizeof record.name, "%s", block);
        std::snprintf(record.type, sizeof record.type, "%s", type);
        record.storage = 1;
        record.size = static_cast<int>(bytes.size());
        record.data = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
        return IStuffDPF->AddData(dpf, &record);
    }

    testing_support::TempDir dir{true};
    testing_support::SdkSession session{SDL_INIT_TIMER};
};

}  // namespace sound_test

#endif
