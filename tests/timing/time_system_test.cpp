// The frame-rate time system: start and restart, desired rates, frame
// counting and the statistics windows, driven by a manual clock.
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::LogCapture;
using testing_support::ManualClock;
using testing_support::SdkSession;

namespace {

// Frames are counted by the frame loop, the time system's only client: with
// unlimited rates and no screen, every Update pass runs one logic frame and
// then the statistics update.
class TimeSystemTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.Started()); }
    static void LogicPass() { Veltrano.Update(nullptr); }
    SdkSession session{SDL_INIT_VIDEO | SDL_INIT_TIMER};
};

}  // namespace

TEST(TimeSystemNotReady, AnswersMinusOneAndWarnsOnceAboutUpdate) {
    SdkSession session(0);  // no SDL timer
    ASSERT_TRUE(session.Started());
    LogCapture log;
    EXPECT_EQ(ITimeSystem->GetDesiredRFR(), -1);
    EXPECT_EQ(ITimeSystem->GetDesiredLFR(), -1);
    EXPECT_EQ(ITimeSystem->GetRFR(), -1.0f);
    EXPECT_EQ(ITimeSystem->GetLFR(), -1.0f);
    EXPECT_EQ(ITimeSystem->GetCurrentRFR(), -1);
    EXPECT_EQ(ITimeSystem->GetCurrentLFR(), -1);
    EXPECT_EQ(ITimeSystem->GetRenderedFrames(), -1);
    EXPECT_EQ(ITimeSystem->GetLogicFrames(), -1);
    EXPECT_EQ(ITimeSystem->GetSeconds(), -1.0f);
    EXPECT_EQ(ITimeSystem->GetTime(), -1);
    EXPECT_EQ(ITimeSystem->GetTimeNow(), -1);

    // Without the SDL timer Init warns and the system stays not ready.
    ITimeSystem->Init(0);
    EXPECT_TRUE(log.Contains(" . [ITimeSystem->Init()] Warning: SDL_INIT_TIMER was not initialized.\n"));
    EXPECT_EQ(ITimeSystem->GetDesiredLFR(), -1);
    ITimeSystem->SetRate(30, 30);
    EXPECT_EQ(ITimeSystem->GetDesiredRFR(), -1);

    log.Clear();
    Veltrano.Update(nullptr);
    Veltrano.Update(nullptr);
    const std::string text = log.Text();
    const std::string warning = " . [ITimeSystem->Update()] Warning: ITimeSystem was not initialized.\n";
    ASSERT_NE(text.find(warning), std::string::npos);
    EXPECT_EQ(text.find(warning, text.find(warning) + 1), std::string::npos);

    log.Clear();
    ITimeSystem->Info();
    EXPECT_EQ(log.Text(), "\n . Timer information:\n      -> ITimeSystem was not initialized.\n");
}

TEST_F(TimeSystemTest, InitModesAndRateLimits) {
    ManualClock clock(5000);
    ITimeSystem->Init(1);  // a restart before the first start does nothing
    EXPECT_EQ(ITimeSystem->GetDesiredRFR(), -1);
    ITimeSystem->Init(0);
    EXPECT_EQ(ITimeSystem->GetDesiredRFR(), 0);
    EXPECT_EQ(ITimeSystem->GetDesiredLFR(), 0);
    EXPECT_FLOAT_EQ(ITimeSystem->GetSeconds(), 0.001f);  // now is start + 1
    EXPECT_EQ(ITimeSystem->GetTime(), 1);

    ITimeSystem->SetRate(500, 500);
    EXPECT_EQ(ITimeSystem->GetDesiredRFR(), 120);
    EXPECT_EQ(ITimeSystem->GetDesiredLFR(), 200);

    ITimeSystem->SetRate(60, 30);
    EXPECT_FLOAT_EQ(ITimeSystem->GetRFR(), 60.0f);
    EXPECT_EQ(ITimeSystem->GetCurrentLFR(), 30);
    EXPECT_EQ(ITimeSystem->GetCurrentRFR(), 60);
    EXPECT_FLOAT_EQ(ITimeSystem->GetLFR(), 30.0f);

    ITimeSystem->Init(2);  // unknown mode: nothing
    EXPECT_EQ(ITimeSystem->GetDesiredRFR(), 60);

    ITimeSystem->SetRate(0, 0);
    LogicPass();
    EXPECT_EQ(ITimeSystem->GetLogicFrames(), 1);
    ITimeSystem->SetRate(60, 30);
    clock.Advance(40);
    ITimeSystem->Init(1);  // restart: rates kept, counters and clock start over
    EXPECT_EQ(ITimeSystem->GetDesiredRFR(), 60);
    EXPECT_EQ(ITimeSystem->GetDesiredLFR(), 30);
    EXPECT_EQ(ITimeSystem->GetLogicFrames(), 0);
    EXPECT_EQ(ITimeSystem->GetRenderedFrames(), 0);
    EXPECT_EQ(ITimeSystem->GetCurrentLFR(), 0);
    EXPECT_EQ(ITimeSystem->GetRFR(), 0.0f);
    EXPECT_EQ(ITimeSystem->GetTime(), 1);

    ITimeSystem->SetRate(0, 0);
    EXPECT_EQ(ITimeSystem->GetDesiredRFR(), 0);
    EXPECT_EQ(ITimeSystem->GetCurrentLFR(), 0);
}

TEST_F(TimeSystemTest, StatisticsWindowsPublishCountsAndAverages) {
    ManualClock clock(10000);
    ITimeSystem->Init(0);
    // Both marks start at 0 while the clock is absolute: the first update
    // publishes at once (with a zero interval counted as one millisecond).
    LogicPass();
    EXPECT_EQ(ITimeSystem->GetCurrentLFR(), 1);
    EXPECT_FLOAT_EQ(ITimeSystem->GetLFR(), 1000.0f);
    EXPECT_EQ(ITimeSystem->GetTime(), 0);

    clock.Advance(500);
    LogicPass();  // a quarter second passed: the average moves
    EXPECT_FLOAT_EQ(ITimeSystem->GetLFR(), 4.0f);
    LogicPass();  // same instant: nothing moves
    EXPECT_FLOAT_EQ(ITimeSystem->GetLFR(), 4.0f);
    EXPECT_EQ(ITimeSystem->GetCurrentLFR(), 1);
    EXPECT_EQ(ITimeSystem->GetLogicFrames(), 3);
    EXPECT_EQ(ITimeSystem->GetTime(), 500);
    EXPECT_FLOAT_EQ(ITimeSystem->GetSeconds(), 0.5f);

    clock.Advance(501);  // past the one-second window: frames 2, 3 and 4
    LogicPass();
    EXPECT_EQ(ITimeSystem->GetCurrentLFR(), 3);
    EXPECT_EQ(ITimeSystem->GetCurrentRFR(), 0);
    EXPECT_FLOAT_EQ(ITimeSystem->GetLFR(), 4.0f / 1.001f);
    clock.Advance(7);
    EXPECT_EQ(ITimeSystem->GetTimeNow(), 1008);
    EXPECT_EQ(ITimeSystem->GetTime(), 1001);  // the clock of the last update
}

TEST_F(TimeSystemTest, DoubleBufferWarningAndInfoLines) {
    ManualClock clock(2000);
    ITimeSystem->Init(0);
    LogCapture log;
    // A double-buffered screen, as a hardware mode would give.
    SDL_Surface* fake = SDL_CreateRGBSurface(0, 4, 4, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    fake->flags |= SDL_DOUBLEBUF;
    Veltrano.screen = fake;
    ITimeSystem->SetRate(60, 0);
    Veltrano.screen = nullptr;
    SDL_FreeSurface(fake);
    EXPECT_TRUE(log.Contains(" . [ITimeSystem->SetRate(60,0)] Warning: doublebuffer screen detected. Use 0 for RFR "
                             "to get the smoothest animation.\n"));
    EXPECT_EQ(ITimeSystem->GetDesiredLFR(), 0);

    clock.Advance(2000);
    LogicPass();
    log.Clear();
    ITimeSystem->Info();
    EXPECT_EQ(log.Text(),
              "\n . Timer information:\n"
              "      -> Execution time: 2.00s (4000 ticks)\n"
              "      -> Total Logic Frames: 1 - Total Rendering Frames: 0\n"
              "      -> Rendering Frame Rate: Desired 60 - Last second 0 - Average 0.00.\n"
              "      -> Logic Frame Rate: Unlimited - Last second 1 - Average 0.50.\n");
    ITimeSystem->SetRate(0, 25);
    log.Clear();
    ITimeSystem->Info();
    EXPECT_TRUE(log.Contains("      -> Rendering Frame Rate: Unlimited - Last second 0 - Average 0.00.\n"));
    EXPECT_TRUE(log.Contains("      -> Logic Frame Rate: Desired 25 - Last second 25 - Average 25.00\n"));
}
