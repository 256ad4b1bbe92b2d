// Films played through IVideo: frames handed to the callback, position and
// centring, scale, effects, a second film after the first, and the decoder
// watchdog.
#include <set>

#include "media/video_display.h"
#include "media/video_test_fixture.h"

namespace {

using namespace video_test;

constexpr int kFilmFrames = 40;
constexpr int kFilmW = 176, kFilmH = 144;

// Every frame a film shows reaches the callback once, with the film's
// surface; on a loaded machine the decoder may skip some of the 40.
TEST_F(VideoTest, FilmsPlayToTheEndHandingEveryFrameToTheCallback) {
    for (const char* name : {"film_silent.mpg", "film.mpg"}) {
        SCOPED_TRACE(name);
        Frames().clear();
        EXPECT_TRUE(IVideo->PlayMPEG(Film(name).c_str(), 0, 0));
        ASSERT_GE(Frames().size(), 20u);
        EXPECT_LE(Frames().size(), static_cast<size_t>(kFilmFrames));
        std::set<Uint32> pixels;
        for (const Seen& s : Frames()) {
            EXPECT_EQ(s.w, kFilmW);
            EXPECT_EQ(s.h, kFilmH);
            EXPECT_EQ(s.key, 0);
            pixels.insert(s.checksum);
        }
        EXPECT_GT(pixels.size(), 1u) << "the picture moves";
    }
    EXPECT_TRUE(log.Contains(" . [IVideo->Play()] Info: 176x144 video resolution.\n"));
    EXPECT_TRUE(log.Contains(" system audio.\n"));
    EXPECT_TRUE(log.Contains(" time.\n"));
}

// Sound asked for with the SDK's mixer closed: smpeg plays it itself, and
// the film, paced by its sound, still ends.
TEST_F(VideoTest, SoundWithoutTheMixerPlaysThroughSmpeg) {
    EXPECT_TRUE(IVideo->PlayMPEG(Film("film.mpg").c_str(), 1, 1));
    EXPECT_GE(Frames().size(), 20u);
}

TEST_F(VideoTest, NegativePositionCentresAndIsKept) {
    IVideo->SetPosition(-1, -1);
    Recorder::Get().stopAfter = 2;
    ASSERT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 0));
    const SDL_Rect centred{320 / 2 - kFilmW / 2, 240 / 2 - kFilmH / 2, kFilmW, kFilmH};
    ASSERT_EQ(Frames().size(), 2u);
    for (const Seen& s : Frames()) {
        EXPECT_EQ(s.position.x, centred.x);
        EXPECT_EQ(s.position.y, centred.y);
        EXPECT_EQ(s.position.w, centred.w);
        EXPECT_EQ(s.position.h, centred.h);
    }
    // The frame is on the screen there, the border stays black.
    EXPECT_EQ(PixelAt(Veltrano.screen, centred.x + 8, centred.y + 8), Frames().back().pixel);
    EXPECT_EQ(PixelAt(Veltrano.screen, 2, 2), 0u);

    // The next film keeps the centred position; SetPosition replaces it.
    IVideo->SetScale(88, 72);
    Frames().clear();
    ASSERT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 0));
    EXPECT_EQ(Frames().front().position.x, centred.x);
    IVideo->SetPosition(5, -1);
    Frames().clear();
    ASSERT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 0));
    EXPECT_EQ(Frames().front().position.x, 5);
    EXPECT_EQ(Frames().front().position.y, 240 / 2 - 72 / 2);
}

// The second film is decoded at another size: from its first call on, the
// callback sees only frames of that film (never the first film's freed one).
TEST_F(VideoTest, SecondFilmHandsOnlyItsOwnFrames) {
    Recorder::Get().stopAfter = 3;
    ASSERT_TRUE(IVideo->PlayMPEG(Film("film.mpg").c_str(), 0, 0));
    ASSERT_EQ(Frames().size(), 3u);
    IVideo->SetScale(320, 240);
    Frames().clear();
    ASSERT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 1));
    ASSERT_GE(Frames().size(), 1u);
    for (const Seen& s : Frames()) {
        EXPECT_EQ(s.w, 320);
        EXPECT_EQ(s.h, 240);
    }
}

TEST_F(VideoTest, ScaleClampsNegativesAndIsIgnoredDuringPlayback) {
    IVideo->SetScale(-5, 0);
    Recorder::Get().stopAfter = 1;
    ASSERT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 0));
    EXPECT_EQ(Frames().back().w, kFilmW);
    EXPECT_EQ(Frames().back().h, kFilmH);

    // A callback that rescales changes neither this film nor the next.
    static auto rescale = [](int key, SDL_Surface* frame, SDL_Rect* position) {
        IVideo->SetScale(50, 50);
        return Recorder::Callback(key, frame, position);
    };
    IVideo->SetFunction(rescale);
    Frames().clear();
    Recorder::Get().stopAfter = 2;
    ASSERT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 0));
    Frames().clear();
    ASSERT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 0));
    for (const Seen& s : Frames()) EXPECT_EQ(s.w, kFilmW);
}

// The first frame of the film through effects: 6 shows its negative, 5
// shows it unchanged, as does 0.
TEST_F(VideoTest, EffectIsAppliedToEveryShownFrame) {
    auto firstPixel = [&](int effect) {
        IVideo->SetFX(effect);
        Frames().clear();
        Recorder::Get().stopAfter = 1;
        EXPECT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 0));
        EXPECT_EQ(Frames().size(), 1u);
        EXPECT_EQ(PixelAt(Veltrano.screen, 8, 8), Frames().back().pixel) << "effect " << effect;
        return Frames().back().pixel & 0xFFFFFF;
    };
    const Uint32 plain = firstPixel(0);
    EXPECT_EQ(firstPixel(6), ~plain & 0xFFFFFF);
    EXPECT_EQ(firstPixel(5), plain);
}

// A decoder that shows nothing for longer than the limit is given up.
TEST_F(VideoTest, StalledDecoderIsStoppedAndLogged) {
    const Uint32 saved = video_display::StallLimit();
    video_display::SetStallLimit(1);  // shorter than one frame of the film
    EXPECT_FALSE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 0));
    video_display::SetStallLimit(saved);
    EXPECT_TRUE(log.Contains(" ms, playback stopped.\n")) << log.Text();
    EXPECT_LT(Frames().size(), static_cast<size_t>(kFilmFrames));
    // The player is usable again.
    Frames().clear();
    Recorder::Get().stopAfter = 1;
    EXPECT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 0));
}

}  // namespace
