// Messages logged from several threads at once stay whole.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "log_test_util.h"
#include "support/test_support.h"

using testing_support::ManualClock;
using testing_support::ReadFile;
using testing_support::TempDir;

TEST(LogThreads, EveryLineArrivesWholeWithItsTimeStamp) {
    constexpr int kThreads = 4;
    constexpr int kMessages = 300;
    const std::string padding(120, '.');
    TempDir dir;
    const std::string path = dir.file("threads.log");
    ManualClock clock(5000);
    const unsigned int savedInitTicks = Veltrano.initTicks;
    Veltrano.initTicks = 2000;

    {
        Veltrano_ILogSystem log;
        log.Init(path.c_str(), 2, 5, "threads", nullptr, nullptr, nullptr);
        // The stamp is written apart from the text: only the lock keeps the
        // two together.
        log.ShowTime(1);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&log, &padding, t] {
                for (int m = 0; m < kMessages; ++m) log.Msg(0, "thread %d message %d %s end\n", t, m, padding.c_str());
            });
        }
        for (std::thread& thread : threads) thread.join();
    }
    Veltrano.initTicks = savedInitTicks;

    std::istringstream lines(AfterBanner(ReadFile(path)));
    std::map<int, int> nextMessage;
    std::string line;
    int total = 0;
    while (std::getline(lines, line)) {
        int thread = -1, message = -1;
        char tail[256] = {};
        ASSERT_EQ(std::sscanf(line.c_str(), "{3.000s}thread %d message %d %255s", &thread, &message, tail), 3)
            << line;
        ASSERT_EQ(line, "{3.000s}thread " + std::to_string(thread) + " message " + std::to_string(message) + " " +
                            padding + " end");
        // Each thread's messages arrive in the order it sent them.
        EXPECT_EQ(message, nextMessage[thread]++);
        ++total;
    }
    EXPECT_EQ(total, kThreads * kMessages);
}
