// The fallback log file "ILogSysError.txt" used when the log file cannot be
// created.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "log_test_util.h"
#include "support/test_support.h"

using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

const char kFallback[] = "ILogSysError.txt";
const char kWarning[] = " . Warning: it was not possible to create your log file.\n";

}  // namespace

TEST(LogFallback, UnwritableNameFallsBackWithAWarning) {
    TempDir work(true);
    const std::string unwritable = work.file("missing-folder/game.log");
    Veltrano_ILogSystem log;
    testing::internal::CaptureStdout();
    log.Init(unwritable.c_str(), 2 | 8, 5, "fallback", nullptr, nullptr, nullptr);
    log.Msg(0, "message\n");
    // The warning, like the banner, goes to the file only.
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "message\n");

    EXPECT_EQ(log.GetState(), 1);
    EXPECT_FALSE(FileExists(unwritable));
    const std::string text = ReadFile(kFallback);
    EXPECT_EQ(text.rfind("+---", 0), 0u);
    EXPECT_EQ(AfterBanner(text), std::string(kWarning) + "message\n");
}

TEST(LogFallback, NullEmptyOrOverlongNamesFallBack) {
    TempDir work(true);
    const std::string overlong(300, 'n');
    const char* names[] = {nullptr, "", overlong.c_str()};
    for (const char* name : names) {
        std::filesystem::remove(kFallback);
        {
            Veltrano_ILogSystem log;
            log.Init(name, 2, 5, "bad name", nullptr, nullptr, nullptr);
            EXPECT_EQ(log.GetState(), 1);
        }
        EXPECT_EQ(AfterBanner(ReadFile(kFallback)), kWarning);
    }
    // The overlong name is never opened cut down to a shorter one.
    EXPECT_FALSE(FileExists(overlong.substr(0, 255)));
}

TEST(LogFallback, FallbackUsesTheRequestedMode) {
    TempDir work(true);
    const std::string unwritable = work.file("missing-folder/game.log");
    testing_support::WriteFile(kFallback, "kept\n");
    {
        Veltrano_ILogSystem log;
        log.Init(unwritable.c_str(), 4, 5, "append", nullptr, nullptr, nullptr);
    }
    EXPECT_EQ(ReadFile(kFallback).rfind("kept\n+---", 0), 0u);
}

TEST(LogFallback, NoFileAtAllLeavesOnlyStandardOutput) {
    TempDir work(true);
    // A folder in the fallback's place: the fallback cannot be opened either.
    std::filesystem::create_directory(kFallback);
    const std::string unwritable = work.file("missing-folder/game.log");
    {
        Veltrano_ILogSystem log;
        log.Init(unwritable.c_str(), 2, 5, "nowhere", nullptr, nullptr, nullptr);
        EXPECT_EQ(log.GetState(), 0);
        log.Msg(0, "lost\n");
    }
    Veltrano_ILogSystem log;
    testing::internal::CaptureStdout();
    log.Init(unwritable.c_str(), 2 | 8, 5, "stdout only", nullptr, nullptr, nullptr);
    log.Msg(0, "printed\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "printed\n");
    EXPECT_EQ(log.GetState(), 1);
    EXPECT_TRUE(std::filesystem::is_directory(kFallback));
}
