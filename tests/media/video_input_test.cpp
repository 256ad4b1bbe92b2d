// What ends a film (Escape, a quit event, the callback) and what never
// starts one (bad files, no screen).
#include <fstream>

#include "media/video_test_fixture.h"

namespace {

using namespace video_test;

SDL_Event KeyDown(SDLKey key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    return event;
}

TEST_F(VideoTest, EscapeWaitingAtTheStartEndsTheFilmInTheFirstPass) {
    SDL_Event escape = KeyDown(SDLK_ESCAPE);
    SDL_PushEvent(&escape);
    EXPECT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 0));
    EXPECT_TRUE(Frames().empty());
}

// The key of a pass reaches the callback with the next frame; Escape and a
// quit event end the film there, the callback's 0 at once.
TEST_F(VideoTest, KeysQuitAndCallbackEndPlayback) {
    Recorder& r = Recorder::Get();
    r.pushAfter = 2;
    r.pushEvent = KeyDown(SDLK_a);
    r.stopAfter = 4;
    EXPECT_TRUE(IVideo->PlayMPEG(Film("film.mpg").c_str(), 0, 0));
    ASSERT_EQ(Frames().size(), 4u);
    EXPECT_EQ(Frames()[1].key, 0);
    EXPECT_EQ(Frames()[2].key, SDLK_a);
    EXPECT_EQ(Frames()[3].key, 0);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    for (const SDL_Event& ending : {KeyDown(SDLK_ESCAPE), quit}) {
        r = Recorder();
        r.pushAfter = 3;
        r.pushEvent = ending;
        EXPECT_TRUE(IVideo->PlayMPEG(Film("film_silent.mpg").c_str(), 0, 0));
        EXPECT_EQ(Frames().size(), 3u) << "event " << int(ending.type);
    }
}

class VideoBadInputTest : public VideoTest {
protected:
    // Refused with the error line, nothing logged about the film, nothing
    // drawn, no callback.
    void ExpectRefused(const char* file, const std::string& error) {
        SCOPED_TRACE(file ? file : "(null)");
        log.Clear();
        EXPECT_FALSE(IVideo->PlayMPEG(file, 0, 0));
        const std::string line = std::string(" . [IVideo->Play(") + (file ? file : "(null)") + ",0,0)] Error: ";
        EXPECT_TRUE(log.Contains(line + error)) << log.Text();
        EXPECT_FALSE(log.Contains("Info:"));
        EXPECT_TRUE(Frames().empty());
        EXPECT_EQ(PixelAt(Veltrano.screen, 100, 100), 0u);
    }
    testing_support::TempDir dir;
};

TEST_F(VideoBadInputTest, MissingEmptyForeignAndHeadlessFilesAreRefused) {
    const std::string film = testing_support::ReadFile(Film("film.mpg"));
    testing_support::WriteFile(dir.file("empty.mpg"), "");
    testing_support::WriteFile(dir.file("text.mpg"), "not a film at all\n");
    testing_support::WriteFile(dir.file("three.mpg"), film.substr(0, 3));
    // A sound-only stream: the film's bytes from its first audio packet on.
    testing_support::WriteFile(dir.file("noise.mpg"), std::string("\xFF\xFD\x50\x00", 4) + film.substr(4, 4000));
    ExpectRefused(dir.file("missing.mpg").c_str(), "Couldn't open ");
    ExpectRefused(dir.file("empty.mpg").c_str(), "not an MPEG film.\n");
    ExpectRefused(dir.file("text.mpg").c_str(), "not an MPEG film.\n");
    ExpectRefused(dir.file("three.mpg").c_str(), "not an MPEG film.\n");
    ExpectRefused(dir.file("noise.mpg").c_str(), "not an MPEG film.\n");
    ExpectRefused(nullptr, "no file name.\n");
    // Ending inside its headers (smpeg would never return from it).
    testing_support::WriteFile(dir.file("headers.mpg"), film.substr(0, 26));
    ExpectRefused(dir.file("headers.mpg").c_str(), "film cut short.\n");
    // A declared sound track whose first packet is cut.
    testing_support::WriteFile(dir.file("cut_sound.mpg"), film.substr(0, 3019));
    ExpectRefused(dir.file("cut_sound.mpg").c_str(), "unreadable sound track.\n");
}

// A cut film plays what it has and ends.
TEST_F(VideoBadInputTest, TruncatedFilmPlaysWhatItHas) {
    const std::string film = testing_support::ReadFile(Film("film_silent.mpg"));
    for (size_t size : {size_t{2400}, film.size() / 2}) {
        SCOPED_TRACE(size);
        testing_support::WriteFile(dir.file("cut.mpg"), film.substr(0, size));
        Frames().clear();
        IVideo->PlayMPEG(dir.file("cut.mpg").c_str(), 0, 0);
        EXPECT_LT(Frames().size(), 40u);
    }
}

TEST(VideoWithoutScreen, PlayBeforeSetVideoModeFailsCleanly) {
    testing_support::SdkSession session;
    testing_support::LogCapture log;
    ASSERT_EQ(Veltrano.screen, nullptr);
    EXPECT_FALSE(IVideo->PlayMPEG(Film("film.mpg").c_str(), 1, 0));
    EXPECT_TRUE(log.Contains(" . [IVideo->Play(" + Film("film.mpg") + ",1,0)] Error: Veltrano.screen was not initialized.\n"))
        << log.Text();
}

}  // namespace
