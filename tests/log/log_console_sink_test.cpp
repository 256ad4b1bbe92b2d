// Console output (flag 16) goes to the sink the log's environment names; a
// sink that logs while it prints does not reach itself again.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "Veltrano_ILogSystem.h"
#include "log/log_environment.h"
#include "log_test_util.h"
#include "support/test_support.h"

using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

constexpr char kFileAndConsole = 2 | 16;

Veltrano_ILogSystem* sinkLog = nullptr;
std::atomic<int> sinkCalls{0};
std::string sinkText;

void RecordingSink(const char* fmt, va_list args) {
    char text[128];
    std::vsnprintf(text, sizeof text, fmt, args);
    sinkText += text;
    ++sinkCalls;
}

// Logs about what it prints, as a console that echoes into the log would.
void LoggingSink(const char*, va_list) {
    ++sinkCalls;
    sinkLog->Msg(0, "echo\n");
}

// The given sink in place of the SDK's for the fixture's lifetime.
class ConsoleSinkTest : public ::testing::Test {
protected:
    void UseSink(void (*sink)(const char*, va_list)) {
        LogEnvironment environment = saved;
        environment.consoleSink = sink;
        log_environment::Set(environment);
    }
    void SetUp() override {
        sinkCalls = 0;
        sinkText.clear();
        sinkLog = &log;
        log.Init(path.c_str(), kFileAndConsole, 5, "sink", nullptr, nullptr, nullptr);
    }
    void TearDown() override { log_environment::Set(saved); }
    std::string Written() { return AfterBanner(ReadFile(path)); }

    const LogEnvironment saved = log_environment::Set(LogEnvironment{});
    TempDir dir;
    std::string path = dir.file("sink.log");
    Veltrano_ILogSystem log;
};

}  // namespace

TEST_F(ConsoleSinkTest, MessagesReachTheSinkFormattedAndTheFileToo) {
    UseSink(RecordingSink);
    log.Msg(0, "%s=%d\n", "lives", 3);
    EXPECT_EQ(sinkText, "lives=3\n");
    EXPECT_EQ(Written(), "lives=3\n");
}

TEST_F(ConsoleSinkTest, ASinkThatLogsDoesNotReenterItself) {
    UseSink(LoggingSink);
    log.Msg(0, "first\n");
    log.Msg(0, "second\n");
    EXPECT_EQ(sinkCalls, 2);
    EXPECT_EQ(Written(), "first\necho\nsecond\necho\n");
}

TEST_F(ConsoleSinkTest, TheReentryGuardHoldsPerThread) {
    UseSink(LoggingSink);
    constexpr int kPerThread = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t)
        threads.emplace_back([this] {
            for (int i = 0; i < kPerThread; ++i) log.Msg(0, "line\n");
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(sinkCalls, 2 * kPerThread);
    const std::string text = Written();
    size_t echoes = 0;
    for (size_t at = text.find("echo\n"); at != std::string::npos; at = text.find("echo\n", at + 1)) ++echoes;
    EXPECT_EQ(echoes, 2u * kPerThread);
}

TEST_F(ConsoleSinkTest, WithoutASinkConsoleOutputIsDropped) {
    log.Msg(0, "quiet\n");
    EXPECT_EQ(sinkCalls, 0);
    EXPECT_EQ(Written(), "quiet\n");
}
