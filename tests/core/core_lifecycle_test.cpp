// Start-up, shut-down and version queries of the core object.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::LogCapture;

namespace {

void ExpectNoInterfaces() {
    EXPECT_EQ(IStuffDPF, nullptr);
    EXPECT_EQ(IImage, nullptr);
    EXPECT_EQ(ICursor, nullptr);
    EXPECT_EQ(IPrimitives, nullptr);
    EXPECT_EQ(IButton, nullptr);
    EXPECT_EQ(IScreenFX, nullptr);
    EXPECT_EQ(ITimeSystem, nullptr);
    EXPECT_EQ(INetwork, nullptr);
    EXPECT_EQ(IVideo, nullptr);
    EXPECT_EQ(ISoundFX, nullptr);
}

const char* const kCreationOrder[] = {"IStuffDPF", "IImage", "ICursor", "IPrimitives", "IButton",
                                      "IScreenFX", "ITimeSystem", "INetwork", "IVideo", "ISoundFX"};

}  // namespace

TEST(CoreDefaults, BeforeInitNothingExistsAndConfigHoldsItsDefaults) {
    EXPECT_EQ(Veltrano.initTicks, 0xFFFFFFFFu);
    ExpectNoInterfaces();
    EXPECT_STREQ(Veltrano.Config.title, "Veltrano SDK Application");
    EXPECT_EQ(Veltrano.Config.icon, nullptr);
    EXPECT_EQ(Veltrano.Config.mtfriendly, 0);
    EXPECT_EQ(Veltrano.Config.renderer, 1);
    EXPECT_EQ(Veltrano.Config.accel, 1);
    EXPECT_EQ(Veltrano.Config.window, 1);
    EXPECT_EQ(Veltrano.Config.colordepth, 0);
    EXPECT_EQ(Veltrano.Config.resolutionx, 640);
    EXPECT_EQ(Veltrano.Config.resolutiony, 480);
    EXPECT_EQ(Veltrano.Config.audioEnable, 0);
    EXPECT_EQ(Veltrano.Config.audioFormat, 0x8008);
    EXPECT_EQ(Veltrano.Config.audioFrequency, 11025);
    EXPECT_EQ(Veltrano.Config.audioMode, 1);
    EXPECT_EQ(Veltrano.Config.audioBuffer, 4096);
    EXPECT_EQ(Veltrano.Config.musicVolume, 128);
    EXPECT_EQ(Veltrano.Config.soundVolume, 128);
    EXPECT_EQ(Veltrano.screen, nullptr);
}

TEST(CoreLifecycle, InitCreatesInterfacesInOrderAndQuitDeletesThemInReverse) {
    LogCapture log;
    ASSERT_EQ(Veltrano.Init(0), 1);
    EXPECT_NE(Veltrano.initTicks, 0xFFFFFFFFu);
    EXPECT_NE(IStuffDPF, nullptr);
    EXPECT_NE(ISoundFX, nullptr);
    EXPECT_EQ(ISoundFX->Initialized(), 0);
    Veltrano.Quit();
    ExpectNoInterfaces();
    // After Quit every loader must see an SDK that is not initialised.
    EXPECT_EQ(Veltrano.initTicks, 0xFFFFFFFFu);

    const std::string text = log.Text();
    size_t previous = 0;
    for (const char* name : kCreationOrder) {
        size_t at = text.find(std::string(" . [") + name + "] Interfaz created.\n");
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_GE(at, previous) << name << " created out of order";
        previous = at;
    }
    size_t initiated = text.find("\n . Veltrano successfully initiated.\n");
    EXPECT_GT(initiated, previous);
    previous = initiated;
    for (int i = 9; i >= 0; --i) {
        size_t at = text.find(std::string(" . [") + kCreationOrder[i] + "] Interfaz deleted.\n");
        ASSERT_NE(at, std::string::npos) << kCreationOrder[i];
        EXPECT_GT(at, previous) << kCreationOrder[i] << " deleted out of order";
        previous = at;
    }
    EXPECT_NE(text.find("\n . Veltrano successfully closed.\n\n"), std::string::npos);
}

TEST(CoreLifecycle, QuitWithoutInitOrTwiceDoesNothing) {
    LogCapture log;
    Veltrano.Quit();
    ASSERT_EQ(Veltrano.Init(0), 1);
    Veltrano.Quit();
    log.Clear();
    Veltrano.Quit();
    EXPECT_EQ(log.Text(), "");
    ExpectNoInterfaces();
}

TEST(CoreLifecycle, InitCanRunAgainAfterQuit) {
    ASSERT_EQ(Veltrano.Init(0), 1);
    Veltrano.Quit();
    ASSERT_EQ(Veltrano.Init(0), 1);
    EXPECT_NE(IStuffDPF, nullptr);
    Veltrano.Quit();
    ExpectNoInterfaces();
}

TEST(CoreLifecycle, FailedSdlInitLeavesEveryInterfaceNull) {
    LogCapture log;
    const char* previous = std::getenv("SDL_VIDEODRIVER");
    std::string saved = previous ? previous : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    EXPECT_EQ(Veltrano.Init(SDL_INIT_VIDEO), -1);
    if (previous) setenv("SDL_VIDEODRIVER", saved.c_str(), 1); else unsetenv("SDL_VIDEODRIVER");
    ExpectNoInterfaces();
    EXPECT_EQ(Veltrano.initTicks, 0xFFFFFFFFu);
    EXPECT_TRUE(log.Contains(" . [Veltrano.Init()] Error: Couldn't initialize SDL 1.2: "));
    Veltrano.Quit();  // still not initialised: nothing to do
}

TEST(CoreLifecycle, LeakReportNamesOnlyTheCountersThatAreNotZero) {
    LogCapture log;
    ASSERT_EQ(Veltrano.Init(0), 1);
    Veltrano.tileCount = 2;
    Veltrano.Quit();
    Veltrano.tileCount = 0;
    EXPECT_TRUE(log.Contains("\n . [CTiles] Warning! your application have left 2 tiles without deleting."));
    EXPECT_FALSE(log.Contains("[CSprites]"));
    EXPECT_FALSE(log.Contains("[CFonts]"));

    log.Clear();
    ASSERT_EQ(Veltrano.Init(0), 1);
    Veltrano.spriteCount = 1;
    Veltrano.fontCount = -3;
    Veltrano.Quit();
    Veltrano.spriteCount = 0;
    Veltrano.fontCount = 0;
    EXPECT_FALSE(log.Contains("[CTiles]"));
    EXPECT_TRUE(log.Contains("\n . [CSprites] Warning! your application have left 1 sprites without deleting."));
    EXPECT_TRUE(log.Contains("\n . [CFonts] Warning! your application have left -3 fonts without deleting."));
}

TEST(CoreLifecycle, StartAndStopLinesAreErrorsLevelAndTheRestIsQuieter) {
    LogCapture log(0);
    ASSERT_EQ(Veltrano.Init(0), 1);
    Veltrano.tileCount = 1;
    Veltrano.Quit();
    Veltrano.tileCount = 0;
    EXPECT_TRUE(log.Contains("\n . Veltrano successfully initiated.\n"));
    EXPECT_TRUE(log.Contains("\n . Veltrano successfully closed.\n\n"));
    EXPECT_FALSE(log.Contains("Interfaz")) << "interface lines are information (level 5)";
    EXPECT_FALSE(log.Contains("[CTiles]")) << "the leak report is a warning (level 2)";
}

TEST(CoreLifecycle, LogTimeStampsCountFromInit) {
    testing_support::ManualClock clock(123456);
    LogCapture log;
    ASSERT_EQ(Veltrano.Init(0), 1);
    EXPECT_EQ(Veltrano.initTicks, 123456u);
    clock.Advance(250);
    ILogSystem.ShowTime(1);
    ILogSystem.Msg(0, "stamped\n");
    ILogSystem.ShowTime(0);
    Veltrano.Quit();
    EXPECT_TRUE(log.Contains("{0.250s}stamped\n")) << log.Text();
}

TEST(CoreLifecycle, QuitFreesTheWindowIcon) {
    ASSERT_EQ(Veltrano.Init(0), 1);
    Veltrano.Config.icon = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 32, 0, 0, 0, 0);
    ASSERT_NE(Veltrano.Config.icon, nullptr);
    Veltrano.Quit();
    EXPECT_EQ(Veltrano.Config.icon, nullptr);
}

TEST(CoreLifecycle, CleanUpClearsTheMouseButtons) {
    ASSERT_EQ(Veltrano.Init(0), 1);
    Veltrano.mouseButtons = 3;
    Veltrano.mousePrevButtons = 1;
    SDL_SetModState(KMOD_LSHIFT);
    Veltrano.CleanUp();
    EXPECT_EQ(Veltrano.mouseButtons, 0);
    EXPECT_EQ(Veltrano.mousePrevButtons, 0);
    EXPECT_EQ(SDL_GetModState(), KMOD_NONE);
    Veltrano.Quit();
}

TEST(CoreVersion, TextsAndRequireVersion) {
    EXPECT_STREQ(Veltrano.GetVersion(), "Veltrano SDK Win32 v5.22 (build 3336)");
    EXPECT_LE(std::string(Veltrano.GetCopyright()).size(), 28u);  // fits the archive header field

    LogCapture log;
    EXPECT_EQ(Veltrano.RequireVersion(5, 22), 1);
    EXPECT_EQ(Veltrano.RequireVersion(4, 99), 1);
    EXPECT_EQ(Veltrano.RequireVersion(0, 0), 1);
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(Veltrano.RequireVersion(5, 23), 0);
    EXPECT_EQ(log.Text(), "\n . [Error] - Found Veltrano SDK Win32 v5.22 and minimum v5.23 is required.\n\n");
    EXPECT_EQ(Veltrano.RequireVersion(6, 0), 0);
    EXPECT_EQ(Veltrano.RequireVersion(5, 100), 0);  // 600 > 522
}

TEST(CoreVersion, PrintVersionWritesTheVersionBlock) {
    LogCapture log;
    Veltrano.PrintVersion();
    const std::string expected = std::string("\n . ") + Veltrano.GetVersion() + "\n" + Veltrano.GetCopyright() +
                                 "\nCompiled on " + __DATE__ + " ";
    EXPECT_EQ(log.Text().substr(0, expected.size()), expected);
}
