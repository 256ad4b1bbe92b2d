// Films played with the SDK's mixer open: the film's sound goes through the
// mixer's music hook while it plays, and a film without sound installs no
// hook; both play to their end.
#include <SDL_mixer.h>

#include <atomic>
#include <cstdlib>

#include "media/video_test_fixture.h"

namespace {

using namespace video_test;

std::atomic<int> loudSamples{0};
std::atomic<int> mixedBuffers{0};

void CountLoudSamples(void*, Uint8* stream, int length) {
    const auto* samples = reinterpret_cast<const Sint16*>(stream);
    int loud = 0;
    for (int i = 0; i < length / 2; ++i) loud += std::abs(samples[i]) > 1000;
    loudSamples += loud;
    ++mixedBuffers;
}

// What the mixer looked like each time the film handed over a frame.
struct MixerWatch {
    int frames = 0;
    int framesWithHook = 0;
    static MixerWatch& Get() {
        static MixerWatch watch;
        return watch;
    }
    static int Callback(int, SDL_Surface*, SDL_Rect*) {
        MixerWatch& w = Get();
        ++w.frames;
        if (Mix_GetMusicHookData() != nullptr) ++w.framesWithHook;
        return 1;
    }
};

class VideoMixerTest : public VideoTest {
protected:
    void SetUp() override {
        VideoTest::SetUp();
        ASSERT_EQ(ISoundFX->Init(22050, AUDIO_S16SYS, 2, 512), 1) << Mix_GetError();
        MixerWatch::Get() = MixerWatch();
        IVideo->SetFunction(MixerWatch::Callback);
        loudSamples = 0;
        mixedBuffers = 0;
        Mix_SetPostMix(CountLoudSamples, nullptr);
    }
    void TearDown() override {
        Mix_SetPostMix(nullptr, nullptr);
        ISoundFX->Quit();
    }
};

TEST_F(VideoMixerTest, FilmSoundPlaysThroughTheMixerUntilTheFilmEnds) {
    ASSERT_TRUE(IVideo->PlayMPEG(Film("film.mpg").c_str(), 1, 0));
    const MixerWatch& watch = MixerWatch::Get();
    EXPECT_GE(watch.frames, 20);
    EXPECT_EQ(watch.framesWithHook, watch.frames) << "the film's sound is hooked for the whole film";
    EXPECT_GT(mixedBuffers.load(), 0);
    EXPECT_GT(loudSamples.load(), 0) << "the mixer's output carries the film's sound";
    EXPECT_EQ(Mix_GetMusicHookData(), nullptr) << "the hook goes with the film";
}

TEST_F(VideoMixerTest, FilmWithoutSoundInstallsNoMusicHook) {
    ASSERT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 1, 0));
    const MixerWatch& watch = MixerWatch::Get();
    EXPECT_GE(watch.frames, 20);
    EXPECT_EQ(watch.framesWithHook, 0);
    EXPECT_EQ(loudSamples.load(), 0);
}

}  // namespace
