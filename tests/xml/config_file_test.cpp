// The configuration file: layout, round trips, load rules and failures.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::FileExists;
using testing_support::LogCapture;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

sConfig Defaults() { return Veltrano_Main().Config; }

bool SameFields(const sConfig& a, const sConfig& b) {
    return a.mtfriendly == b.mtfriendly && a.renderer == b.renderer && a.accel == b.accel && a.window == b.window &&
           a.colordepth == b.colordepth && a.resolutionx == b.resolutionx && a.resolutiony == b.resolutiony &&
           a.audioEnable == b.audioEnable && a.audioFormat == b.audioFormat &&
           a.audioFrequency == b.audioFrequency && a.audioMode == b.audioMode && a.audioBuffer == b.audioBuffer &&
           a.musicVolume == b.musicVolume && a.soundVolume == b.soundVolume;
}

std::string SetupText(const std::string& general, const std::string& video, const std::string& audio) {
    return "<setup><general " + general + "/><video " + video + "/><audio " + audio + "/></setup>";
}

const char kVideo[] = "renderer='4' resolutionx='800' resolutiony='600' colordepth='16' window='0' accel='2'";
const char kAudio[] = "enable='1' format='16' frequency='22050' mode='2' musicvol='10' soundvol='20' buffer='2048'";

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Veltrano.Init(0), 1); }
    void TearDown() override {
        EXPECT_EQ(Veltrano.XMLCreate("probe"), 1) << "a document was left open";
        Veltrano.XMLClose(1);
        Veltrano.Quit();
    }
    // Loads a hand-written file into a record that starts from the defaults.
    sConfig LoadText(const std::string& text, int expected = 1) {
        WriteFile("setup.xml", text);
        sConfig config = Defaults();
        EXPECT_EQ(Veltrano.LoadConfig(nullptr, "setup.xml", &config), expected) << text;
        return config;
    }
    TempDir dir{true};
};

}  // namespace

TEST_F(ConfigFile, SavedLayoutCarriesBannerAttributesInOrderAndHelpTexts) {
    sConfig config = Defaults();
    ASSERT_EQ(Veltrano.SaveConfig("", "cfg/setup.xml", &config), 1);
    const std::string text = ReadFile("cfg/setup.xml");
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n<setup>\n    <!--", 0), 0u)
        << text;
    EXPECT_NE(text.find("<general mtfriendly=\"0\">General information</general>"), std::string::npos);
    EXPECT_NE(text.find("<video renderer=\"1\" resolutionx=\"640\" resolutiony=\"480\" colordepth=\"0\" "
                        "window=\"1\" accel=\"1\">Renderer: "),
              std::string::npos);
    EXPECT_NE(text.find("<audio enable=\"0\" format=\"32776\" frequency=\"11025\" mode=\"1\" musicvol=\"128\" "
                        "soundvol=\"128\" buffer=\"4096\">Enable: "),
              std::string::npos);
    // The banner is a well-formed comment.
    const size_t open = text.find("<!--") + 4;
    const std::string banner = text.substr(open, text.find("-->") - open);
    EXPECT_EQ(banner.find("--"), std::string::npos);
    EXPECT_NE(banner.back(), '-');

    const int h = Veltrano.XMLOpen("cfg/setup.xml");
    ASSERT_EQ(Veltrano.XMLNodePointTo(h, 2, "setup", "audio"), 1);
    EXPECT_STREQ(Veltrano.XMLTextGet(h),
                 "Enable: could be 1(enabled) or 0(disabled).\n"
                 "Format: 8 or 16 for 8bits/16bits audio stream.\n"
                 "Frequency: 11025/22050/44100 samples per second (Hz).\n"
                 "Mode: number of channels. 1 for mono, 2 for stereo and 4 for surround.\n"
                 "Musicvol: from 0 to 255 is the music volumen.\n"
                 "Soundvol: from 0 to 255 is the sound volumen.\n"
                 "Buffer: internal buffer(in bytes) to avoid playback problems. 4096 is a good value.\n");
    ASSERT_EQ(Veltrano.XMLNodePointTo(h, 1, "setup"), 1);
    EXPECT_NE(Veltrano.XMLCommentGet(h), nullptr);
    Veltrano.XMLClose(h);
}

TEST_F(ConfigFile, EveryFieldRoundTripsThroughFileAndArchive) {
    sConfig saved = Defaults();
    saved.mtfriendly = 5;
    saved.renderer = 64;
    saved.accel = 3;
    saved.window = 2;
    saved.colordepth = 32;
    saved.resolutionx = 1024;
    saved.resolutiony = 768;
    saved.audioEnable = 1;
    saved.audioFormat = 16;
    saved.audioFrequency = 44100;
    saved.audioMode = 4;
    saved.audioBuffer = 8192;
    saved.musicVolume = 255;
    saved.soundVolume = 0;
    ASSERT_EQ(Veltrano.SaveConfig(nullptr, "setup.xml", &saved), 1);
    ASSERT_EQ(Veltrano.SaveConfig("game.dpf", "setup.xml", &saved), 1);
    ASSERT_EQ(Veltrano.SaveConfig("game.dpf", "setup.xml", &saved), 1);  // replaces the block
    for (const char* archive : {static_cast<const char*>(nullptr), "game.dpf"}) {
        sConfig loaded = Defaults();
        loaded.title = const_cast<char*>("untouched");
        ASSERT_EQ(Veltrano.LoadConfig(archive, "setup.xml", &loaded), 1);
        EXPECT_TRUE(SameFields(loaded, saved));
        EXPECT_STREQ(loaded.title, "untouched");
    }
    const int dpf = IStuffDPF->Open("game.dpf");
    EXPECT_EQ(IStuffDPF->GetNumBlocks(dpf) - IStuffDPF->GetNumDelBlocks(dpf), 1);
    IStuffDPF->Close(dpf);
}

TEST_F(ConfigFile, DefaultsTravelThroughTheCoresOwnRecord) {
    const sConfig before = Veltrano.Config;
    ASSERT_EQ(Veltrano.SaveConfig(nullptr, "setup.xml", nullptr), 1);
    Veltrano.Config.renderer = 4;
    ASSERT_EQ(Veltrano.LoadConfig(nullptr, "setup.xml", nullptr), 1);
    sConfig expected = before;
    expected.audioFormat = 16;    // 32776 is above 16
    EXPECT_TRUE(SameFields(Veltrano.Config, expected));
    Veltrano.Config = before;
}

TEST_F(ConfigFile, LoadRulesClampEveryValueBeforeItIsNarrowed) {
    sConfig c = LoadText(SetupText("mtfriendly='-5'",
                               "renderer='320' resolutionx='65616' resolutiony='-1' colordepth='24' window='-3' "
                               "accel='0'",
                               "enable='-1' format='12' frequency='30000' mode='3' musicvol='-2' soundvol='257' "
                               "buffer='100'"));
    EXPECT_EQ(c.mtfriendly, 0);
    EXPECT_EQ(c.renderer, 1);  // not a back-end (its low 8 bits are 64): the automatic choice
    EXPECT_EQ(c.resolutionx, 80);
    EXPECT_EQ(c.resolutiony, 65535);
    EXPECT_EQ(c.colordepth, 0);
    EXPECT_EQ(c.window, 0);
    EXPECT_EQ(c.accel, 1);
    EXPECT_EQ(c.audioEnable, 0);
    EXPECT_EQ(c.audioFormat, 8);
    EXPECT_EQ(c.audioFrequency, 11025);
    EXPECT_EQ(c.audioMode, 1);
    EXPECT_EQ(c.musicVolume, 0);
    EXPECT_EQ(c.soundVolume, 255);  // low 8 bits are 1, still 256 or more
    EXPECT_EQ(c.audioBuffer, 1024);

    c = LoadText(SetupText("mtfriendly='200'",
                       "renderer='8' resolutionx='1' resolutiony='2' colordepth='8' window='7' accel='9'",
                       "enable='5' format='99999999999' frequency='96000' mode='9' musicvol='300' soundvol='1' "
                       "buffer='20000'"));
    EXPECT_EQ(c.mtfriendly, 127);  // would wrap negative in the 8-bit field
    EXPECT_EQ(c.renderer, 8);      // x11 is kept
    EXPECT_EQ(c.colordepth, 8);
    EXPECT_EQ(c.window, 2);
    EXPECT_EQ(c.accel, 3);
    EXPECT_EQ(c.audioEnable, 1);
    EXPECT_EQ(c.audioFormat, 16);
    EXPECT_EQ(c.audioFrequency, 44100);
    EXPECT_EQ(c.audioMode, 4);
    EXPECT_EQ(c.musicVolume, 255);
    EXPECT_EQ(c.audioBuffer, 16384);
}

TEST_F(ConfigFile, HandEditedFilesAreReadByName) {
    const sConfig c = LoadText(
        "<?xml version='1.0'?>\n<!-- mine -->\n<setup>\n"
        "  <audio buffer='4096' soundvol='1' musicvol='2' mode='2' frequency='44100' format='8' enable='1' x='y'>"
        "hi</audio>\n"
        "  <extra/>\n  <general mtfriendly='3'/>\n"
        "  <video accel='3' window='1' colordepth='32' resolutiony='200' resolutionx='320' renderer='64'/>\n"
        "  <video accel='1' window='1' colordepth='8' resolutiony='1' resolutionx='1' renderer='2'/>\n"
        "</setup>");
    EXPECT_EQ(c.mtfriendly, 3);
    EXPECT_EQ(c.renderer, 64);
    EXPECT_EQ(c.resolutionx, 320);
    EXPECT_EQ(c.colordepth, 32);
    EXPECT_EQ(c.audioFrequency, 44100);
    EXPECT_EQ(c.soundVolume, 1);
}

TEST_F(ConfigFile, AFailedLoadKeepsWhatWasReadBeforeItAndClosesTheDocument) {
    sConfig c = LoadText("<setup><general mtfriendly='9'/><video " + std::string(kVideo) + "/></setup>", 0);
    EXPECT_EQ(c.mtfriendly, 9);
    EXPECT_EQ(c.resolutionx, 800);
    EXPECT_EQ(c.audioBuffer, 4096);  // audio missing: untouched

    c = LoadText(SetupText("mtfriendly='9'", "renderer='4' resolutionx='abc'", kAudio), 0);
    EXPECT_EQ(c.renderer, 4);
    EXPECT_EQ(c.resolutionx, 640);

    for (const char* broken : {"", "<setup>", "plain text", "<other><general mtfriendly='1'/></other>",
                               "<!-- only a comment -->"})
        EXPECT_TRUE(SameFields(LoadText(broken, 0), Defaults())) << broken;

    sConfig untouched = Defaults();
    EXPECT_EQ(Veltrano.LoadConfig(nullptr, "missing.xml", &untouched), 0);
    EXPECT_EQ(Veltrano.LoadConfig("missing.dpf", "setup.xml", &untouched), 0);
    EXPECT_EQ(Veltrano.LoadConfig(nullptr, "", &untouched), 0);
    EXPECT_EQ(Veltrano.LoadConfig(nullptr, nullptr, &untouched), 0);
    EXPECT_TRUE(SameFields(untouched, Defaults()));
}

TEST_F(ConfigFile, OptionalCoreSelectionNeverFailsTheLoad) {
    LoadText(SetupText("mtfriendly='0' optcore='4'", kVideo, kAudio));
    EXPECT_EQ(SelectCPUCore(0), 1);  // back to the plain copy
    LoadText(SetupText("mtfriendly='0' optcore='999'", kVideo, kAudio));
    LoadText(SetupText("mtfriendly='0' optcore='fast'", kVideo, kAudio));
}

TEST_F(ConfigFile, SaveFailuresReturnZeroAndLeaveOtherFilesAlone) {
    WriteFile("notes.txt", "mine");
    EXPECT_EQ(Veltrano.SaveConfig("notes.txt", "setup.xml", nullptr), 0);
    EXPECT_EQ(ReadFile("notes.txt"), "mine");
    ASSERT_EQ(Veltrano.MakeDirectory("folder/x"), 1);
    EXPECT_EQ(Veltrano.SaveConfig(nullptr, "folder", nullptr), 0);
    EXPECT_EQ(Veltrano.SaveConfig(nullptr, "", nullptr), 0);
    EXPECT_FALSE(FileExists("_vlttmp05"));
}

TEST(ConfigFileBeforeInit, LoadWorksFromAPlainFileAndSaveRefuses) {
    TempDir dir(true);
    WriteFile("setup.xml", SetupText("mtfriendly='2'", kVideo, kAudio));
    sConfig c = Defaults();
    EXPECT_EQ(Veltrano.LoadConfig(nullptr, "setup.xml", &c), 1);
    EXPECT_EQ(c.mtfriendly, 2);
    EXPECT_EQ(Veltrano.LoadConfig("game.dpf", "setup.xml", &c), 0);
    EXPECT_EQ(Veltrano.SaveConfig(nullptr, "out.xml", &c), 0);
    EXPECT_EQ(Veltrano.SaveConfig("game.dpf", "out.xml", &c), 0);
    EXPECT_FALSE(FileExists("out.xml"));
    EXPECT_FALSE(FileExists("game.dpf"));
}
