// Music slots: Ogg decoded at load, modules only when played (one decoded at
// a time), bad music that never plays, the table limit, and the report of
// what a game left loaded.
#include <string>

#include "media/sound_test_support.h"

using namespace sound_test;
using testing_support::LogCapture;

namespace {

class SoundMusic : public SoundTest {
protected:
    void SetUp() override {
        SoundTest::SetUp();
        Open();
    }
    void ExpectHeard() {
        loudSamples = 0;
        EXPECT_TRUE(WaitFor([] { return loudSamples > 2000; }, 5000)) << loudSamples;
    }
};

TEST_F(SoundMusic, ModulesAreDecodedOnlyWhenPlayedAndOneAtATime) {
    const int mod = ISoundFX->MusicLoad(Write("a.mod", audio_media::ModModule()).c_str());
    const int xm = ISoundFX->MusicLoad(Write("a.xm", audio_media::XmModule()).c_str());
    const int ogg = ISoundFX->MusicLoad(Write("a.ogg", Ogg()).c_str());
    ASSERT_EQ(mod, 0);
    ASSERT_EQ(xm, 1);
    ASSERT_EQ(ogg, 2);
    EXPECT_EQ(ISoundFX->MusicFadeIn(mod, 0, 10), -1) << "never played, not decoded";
    EXPECT_EQ(ISoundFX->MusicFadeIn(ogg, 0, 10), 0) << "Ogg is decoded at load";

    EXPECT_EQ(ISoundFX->MusicPlay(mod, -1), 0);
    ExpectHeard();
    EXPECT_EQ(ISoundFX->MusicPlay(xm, -1), 0);
    EXPECT_EQ(ISoundFX->IsPlaying(), 1);
    EXPECT_EQ(ISoundFX->MusicFadeIn(mod, 0, 10), -1) << "playing xm freed mod's object";
    // Playing Ogg frees no module; playing mod again decodes it anew.
    EXPECT_EQ(ISoundFX->MusicPlay(ogg, 0), 0);
    ExpectHeard();
    EXPECT_EQ(ISoundFX->MusicPlay(mod, 0), 0);
    ExpectHeard();
    EXPECT_EQ(ISoundFX->MusicFadeIn(xm, 0, 10), -1);

    ISoundFX->MusicFree(mod);
    EXPECT_EQ(ISoundFX->IsPlaying(), 0);
    EXPECT_EQ(ISoundFX->MusicPlay(mod, 0), -1);
    EXPECT_EQ(ISoundFX->MusicLoad(Write("b.it", audio_media::ItModule()).c_str()), 0) << "lowest free slot";
}

// The archive is closed right after loading; the slot keeps the bytes.
TEST_F(SoundMusic, MusicFromAnArchiveOutlivesTheArchive) {
    const std::string archive = dir.file("m.dpf");
    const int dpf = IStuffDPF->Create(archive.c_str());
    ASSERT_GT(Store(dpf, "song", "MUS", audio_media::S3mModule()), 0);
    ASSERT_GT(Store(dpf, "theme", "MUS", Ogg()), 0);
    ASSERT_GT(Store(dpf, "boom", "SND", Wav()), 0);
    IStuffDPF->Close(dpf);
    const int song = ISoundFX->MusicLoad(archive.c_str(), "song");
    const int theme = ISoundFX->MusicLoad(archive.c_str(), "theme");
    ASSERT_GE(song, 0);
    ASSERT_GE(theme, 0);
    EXPECT_EQ(ISoundFX->MusicPlay(song, 0), 0);
    ExpectHeard();
    EXPECT_EQ(ISoundFX->MusicPlay(theme, 0), 0);
    ExpectHeard();

    LogCapture log;
    EXPECT_EQ(ISoundFX->MusicLoad(archive.c_str(), "boom"), -1);
    EXPECT_TRUE(log.Contains(" . [ISoundFX->MusicLoad('" + archive + "','boom')] Error: music not found.\n"));
    EXPECT_EQ(ISoundFX->MusicLoad(dir.file("none.dpf").c_str(), "song"), -1);
    EXPECT_EQ(ISoundFX->MusicLoad(-3, "song"), -1);
    EXPECT_EQ(ISoundFX->SoundLoad(archive.c_str(), "song"), -1);
    EXPECT_TRUE(log.Contains(" . [ISoundFX->SoundLoad('" + archive + "','song')] Error: sound not found.\n"));
    ISoundFX->MusicFree(song);
    ISoundFX->MusicFree(theme);
}

// Bytes that look like MP3 would play as one through the mixer's guessing
// loader; as a module they are refused, and good music still plays after.
TEST_F(SoundMusic, BadMusicNeverPlays) {
    LogCapture log;
    Bytes mp3Like = {0xFF, 0xFB, 0x90, 0x64};
    mp3Like.resize(4096, 0x55);
    const Bytes id3 = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0, 0xFF, 0xFB, 0x90, 0x64, 1, 2, 3};
    Bytes truncated = audio_media::XmModule();
    truncated.resize(truncated.size() / 3);
    for (const Bytes& bad : {mp3Like, id3, truncated, Bytes{'M', '.', 'K'}}) {
        const int music = ISoundFX->MusicLoad(Write("bad.mod", bad).c_str());
        ASSERT_GE(music, 0) << "modules are only checked when played";
        EXPECT_EQ(ISoundFX->MusicPlay(music, 0), -1);
        EXPECT_EQ(ISoundFX->IsPlaying(), 0);
        ISoundFX->MusicFree(music);
    }
    EXPECT_TRUE(log.Contains("Error: music format unknown"));

    // Ogg that cannot be decoded, and empty files, take no slot.
    Bytes badOgg = Ogg();
    badOgg.resize(60);
    for (const Bytes& bad : {badOgg, Bytes{}}) {
        log.Clear();
        const std::string path = Write("bad.ogg", bad);
        EXPECT_EQ(ISoundFX->MusicLoad(path.c_str()), -1);
        EXPECT_TRUE(log.Contains(" . [ISoundFX->MusicLoad('" + path + "')] Error: music format unknown ('"));
    }
    log.Clear();
    EXPECT_EQ(ISoundFX->MusicLoad(dir.file("missing.ogg").c_str()), -1);
    EXPECT_TRUE(log.Contains("')] Error: music not found.\n"));

    const int good = ISoundFX->MusicLoad(Write("good.it", audio_media::ItModule()).c_str());
    EXPECT_EQ(good, 0);
    EXPECT_EQ(ISoundFX->MusicPlay(good, 0), 0);
    ExpectHeard();
    ISoundFX->MusicFree(good);
}

TEST_F(SoundMusic, MusicTableLimit) {
    const std::string file = Write("a.mod", audio_media::ModModule());
    for (int i = 0; i < 32; ++i) ASSERT_EQ(ISoundFX->MusicLoad(file.c_str()), i);
    LogCapture log;
    EXPECT_EQ(ISoundFX->MusicLoad(file.c_str()), -1);
    EXPECT_TRUE(log.Contains(" . [ISoundFX] Warning: reached maximum limit of music objects opened(32)\n"));
    EXPECT_TRUE(log.Contains(" . [ISoundFX->MusicLoad('" + file + "')] Error: music format unknown ('"));
    for (int i = 0; i < 32; ++i) ISoundFX->MusicFree(i);
}

TEST_F(SoundMusic, DestructionReportsWhatWasLeft) {
    ISoundFX->Quit();
    LogCapture log;
    {
        Veltrano_ISoundFX own;
        ASSERT_EQ(own.Init(22050, AUDIO_S16SYS, 2, 512), 1);
        own.SoundLoad(Write("a.wav", Wav()).c_str());
        own.SoundLoad(Write("a.wav", Wav()).c_str());
        own.MusicLoad(Write("a.mod", audio_media::ModModule()).c_str());
        own.MusicPlay(0, -1);
        log.Clear();
    }
    EXPECT_EQ(log.Text(),
              " . [ISoundFX] Warning! your application has left 2 sounds without deleting."
              " . [ISoundFX] Warning! your application has left 1 music without deleting."
              " . [ISoundFX] Interfaz deleted.\n");
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
}

TEST_F(SoundMusic, AudioInfoReportsTheOpenedDevice) {
    LogCapture log(0);
    Veltrano.AudioInfo();
    EXPECT_TRUE(log.Contains("\n   -> Driver: dummy\n")) << log.Text();
    EXPECT_TRUE(log.Contains("   -> Frequency: 22050Hz - Format: 16bit - Mode: Stereo\n")) << log.Text();
    ISoundFX->Quit();
    log.Clear();
    Veltrano.AudioInfo();
    EXPECT_EQ(log.Text(), "\n . Audio subsystem info: Audio subsystem was not initiated.\n");
}

}  // namespace
