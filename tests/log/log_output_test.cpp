// Message routing of the log: levels, file modes, states, standard output
// and the time-stamp prefix.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "log_test_util.h"
#include "support/test_support.h"

using testing_support::ManualClock;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

// Logs one line at every level 0..9 and returns what reached the file.
std::string LevelsWritten(char initLevel) {
    TempDir dir;
    const std::string path = dir.file("levels.log");
    {
        Veltrano_ILogSystem log;
        log.Init(path.c_str(), 2, initLevel, "levels", nullptr, nullptr, nullptr);
        for (int level = 0; level <= 9; ++level) log.Msg(static_cast<char>(level), "%d,", level);
    }
    return AfterBanner(ReadFile(path));
}

}  // namespace

TEST(LogLevels, InitClampsTheLevelIntoZeroToFive) {
    EXPECT_EQ(LevelsWritten(3), "0,1,2,3,");
    EXPECT_EQ(LevelsWritten(9), "0,1,2,3,4,5,");
    EXPECT_EQ(LevelsWritten(-1), "0,");
}

TEST(LogFile, TruncateModeWinsOverAppendAndAppendKeepsEarlierContent) {
    TempDir dir;
    const std::string path = dir.file("game.log");

    WriteFile(path, "earlier run\n");
    {
        Veltrano_ILogSystem log;
        log.Init(path.c_str(), 4, 5, "append", nullptr, nullptr, nullptr);
        log.Msg(0, "second run\n");
    }
    std::string text = ReadFile(path);
    EXPECT_EQ(text.rfind("earlier run\n+---", 0), 0u) << text;
    EXPECT_EQ(AfterBanner(text), "second run\n");

    {
        Veltrano_ILogSystem log;
        log.Init(path.c_str(), 6, 5, "truncate", nullptr, nullptr, nullptr);
        log.Msg(0, "third run\n");
    }
    text = ReadFile(path);
    EXPECT_EQ(text.rfind("+---", 0), 0u) << text;
    EXPECT_EQ(text.find("earlier run"), std::string::npos);
    EXPECT_EQ(AfterBanner(text), "third run\n");
}

TEST(LogState, HaltAndResumeSwitchOnlyBetweenRunningAndHalted) {
    TempDir dir;
    const std::string path = dir.file("state.log");
    Veltrano_ILogSystem log;
    EXPECT_EQ(log.GetState(), 0);
    log.Resume();
    EXPECT_EQ(log.GetState(), 0);
    log.Halt();
    EXPECT_EQ(log.GetState(), 0);
    log.Msg(0, "before init\n");

    log.Init(path.c_str(), 2, 5, "state", nullptr, nullptr, nullptr);
    EXPECT_EQ(log.GetState(), 1);
    log.Msg(0, "one\n");
    log.Halt();
    EXPECT_EQ(log.GetState(), 2);
    log.Halt();
    EXPECT_EQ(log.GetState(), 2);
    log.Msg(0, "dropped while halted\n");
    log.Resume();
    EXPECT_EQ(log.GetState(), 1);
    log.Msg(0, "two\n");
    EXPECT_EQ(AfterBanner(ReadFile(path)), "one\ntwo\n");

    // No outputs turns the log off and closes the file.
    log.Init(nullptr, 0, 5, "", nullptr, nullptr, nullptr);
    EXPECT_EQ(log.GetState(), 0);
    log.Msg(0, "after off\n");
    EXPECT_EQ(AfterBanner(ReadFile(path)), "one\ntwo\n");
}

TEST(LogState, NegativeOutputsTurnTheLogOff) {
    TempDir dir;
    const std::string path = dir.file("negative.log");
    Veltrano_ILogSystem log;
    log.Init(path.c_str(), static_cast<char>(-126), 5, "negative", nullptr, nullptr, nullptr);
    EXPECT_EQ(log.GetState(), 0);
    EXPECT_FALSE(testing_support::FileExists(path));
}

TEST(LogFile, InitAgainClosesThePreviousFile) {
    TempDir dir;
    const std::string first = dir.file("first.log");
    const std::string second = dir.file("second.log");
    Veltrano_ILogSystem log;
    log.Init(first.c_str(), 2, 5, "first", nullptr, nullptr, nullptr);
    log.Msg(0, "to first\n");
    log.Init(second.c_str(), 2, 5, "second", nullptr, nullptr, nullptr);
    log.Msg(0, "to second\n");
    EXPECT_EQ(AfterBanner(ReadFile(first)), "to first\n");
    EXPECT_EQ(AfterBanner(ReadFile(second)), "to second\n");

    // Re-opening many times must not pile up open descriptors.
    const std::filesystem::path fds("/proc/self/fd");
    if (!std::filesystem::exists(fds)) GTEST_SKIP() << "no descriptor listing on this system";
    const auto openCount = [&] {
        return std::distance(std::filesystem::directory_iterator(fds), std::filesystem::directory_iterator());
    };
    const auto before = openCount();
    for (int i = 0; i < 20; ++i) log.Init(second.c_str(), 4, 5, "again", nullptr, nullptr, nullptr);
    EXPECT_EQ(openCount(), before);
}

TEST(LogStdout, StandardOutputGetsMessagesButNotTheBanner) {
    TempDir dir;
    const std::string path = dir.file("both.log");
    Veltrano_ILogSystem log;
    testing::internal::CaptureStdout();
    log.Init(path.c_str(), 2 | 8, 5, "both", "line", nullptr, nullptr);
    log.Msg(0, " . [Test] Info: %d and %s\n", 42, "text");
    log.Msg(6, "too detailed\n");
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, " . [Test] Info: 42 and text\n");
    EXPECT_EQ(AfterBanner(ReadFile(path)), " . [Test] Info: 42 and text\n");
}

TEST(LogStdout, StandardOutputAloneIgnoresTheFileName) {
    TempDir work(true);
    const std::string unwritable = work.file("missing-folder/game.log");
    Veltrano_ILogSystem log;
    testing::internal::CaptureStdout();
    log.Init(unwritable.c_str(), 8, 5, "stdout", nullptr, nullptr, nullptr);
    log.Msg(0, "only here\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "only here\n");
    EXPECT_EQ(log.GetState(), 1);
    EXPECT_FALSE(testing_support::FileExists(unwritable));
    EXPECT_FALSE(testing_support::FileExists("ILogSysError.txt"));
}

TEST(LogTimeStamps, FileLinesCarryTheSecondsSinceInit) {
    TempDir dir;
    const std::string path = dir.file("stamps.log");
    ManualClock clock(1000);
    const unsigned int savedInitTicks = Veltrano.initTicks;
    Veltrano_ILogSystem log;
    testing::internal::CaptureStdout();
    log.Init(path.c_str(), 2 | 8, 5, "stamps", nullptr, nullptr, nullptr);
    log.ShowTime(1);

    Veltrano.initTicks = 1000;
    clock.Set(3500);
    log.Msg(0, "late\n");
    clock.Set(1007);
    log.Msg(0, "\nearly\n");
    // Before the core's Init the start is all ones: the difference wraps.
    Veltrano.initTicks = 0xFFFFFFFFu;
    clock.Set(1233);
    log.Msg(0, "wrapped\n");
    log.ShowTime(0);
    log.Msg(0, "plain\n");
    Veltrano.initTicks = savedInitTicks;

    EXPECT_EQ(testing::internal::GetCapturedStdout(), "late\n\nearly\nwrapped\nplain\n");
    EXPECT_EQ(AfterBanner(ReadFile(path)), "{2.500s}late\n{0.007s}\nearly\n{1.234s}wrapped\nplain\n");
}

TEST(LogGlobal, TheGlobalLogCanBeCapturedAndSilencedAgain) {
    {
        testing_support::LogCapture capture(2);
        ILogSystem.Msg(2, " . [Test] Warning: kept.\n");
        ILogSystem.Msg(5, " . [Test] Info: too detailed.\n");
        EXPECT_EQ(capture.Text(), " . [Test] Warning: kept.\n");
    }
    EXPECT_EQ(ILogSystem.GetState(), 0);
}
