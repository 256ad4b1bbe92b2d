// The testing aid for games: a scripted key handed out by Update with the
// key state in step and held for one logic frame, clearing, refusals, the
// manual clock alone driving the frame pacing, and a fade moving it on.
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "veltrano.h"
#include "veltrano_testing.h"

using namespace VeltranoTesting;

namespace {

// A started SDK with unlimited rates: every pass without an event runs a
// logic frame.
class TestingAidTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Started());
        ITimeSystem->Init(0);
        Veltrano.CleanUp();  // key report times of earlier tests would hold keys back
    }
    void TearDown() override {
        ClearInput();
        UseManualClock(0);
    }
    testing_support::SdkSession session;
};

TEST_F(TestingAidTest, ATappedKeyIsAnEventThenHeldForOneLogicFrameThenClearedOrReleased) {
    SDL_Event event{};
    UseManualClock(1);
    SetClock(1000);  // past the key's last report
    TapKey(SDLK_a, KMOD_LSHIFT, 'A');
    ASSERT_EQ(Veltrano.Update(&event), 1);
    EXPECT_EQ(event.key.keysym.unicode, 'A');
    EXPECT_EQ(SDL_GetKeyState(nullptr)[SDLK_a], 1);
    EXPECT_EQ(Veltrano.Update(&event), 0);  // the release waits for this logic frame
    EXPECT_EQ(Veltrano.GetKeyPressed(0), 'A');
    Veltrano.Update(&event);
    EXPECT_EQ(event.type, SDL_KEYUP);
    EXPECT_EQ(SDL_GetModState(), KMOD_NONE);
    TapKey(SDLK_b);
    Veltrano.Update(&event);
    ClearInput();
    EXPECT_EQ(PendingInput(), 0);
    EXPECT_EQ(SDL_GetKeyState(nullptr)[SDLK_b], 0);
}

TEST_F(TestingAidTest, BadInputAndARunawayScriptAreRefusedAndLogged) {
    testing_support::LogCapture log;
    Click(0, 70000);
    EXPECT_TRUE(log.Contains(" . [VeltranoTesting::Click()] Error: (0, 70000) is outside the mouse's range.\n"));
    while (PendingInput() < 4095) PressKey(SDLK_x);
    TapKey(SDLK_y);  // a press is never queued without its release
    EXPECT_EQ(PendingInput(), 4095);
}

TEST_F(TestingAidTest, TheManualClockAloneDrivesTheFramePacing) {
    UseManualClock(1);
    SetClock(5000);
    ITimeSystem->Init(0);
    ITimeSystem->SetRate(0, 50);
    Veltrano.CleanUp();
    Veltrano.Update(nullptr);
    const int before = ITimeSystem->GetLogicFrames();
    SDL_Delay(30);  // real time passing owes nothing
    for (int i = 0; i < 10; ++i) Veltrano.Update(nullptr);
    EXPECT_EQ(ITimeSystem->GetLogicFrames(), before);
    AdvanceClock(100);
    for (int i = 0; i < 10; ++i) Veltrano.Update(nullptr);
    EXPECT_EQ(ITimeSystem->GetLogicFrames(), before + 5);
    EXPECT_EQ(Clock(), 5100u);
}

// A fade waits on the clock inside one call: under the manual clock it
// moves the clock on (a millisecond per shown step) instead of waiting for
// the test forever.
TEST_F(TestingAidTest, AFadeMovesTheManualClockOnAndEnds) {
    const sConfig saved = Veltrano.Config;
    Veltrano.Config.resolutionx = 64;
    Veltrano.Config.resolutiony = 64;
    Veltrano.Config.colordepth = 32;
    Veltrano.Config.window = 1;
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    UseManualClock(1);
    SetClock(1000);
    EXPECT_EQ(IScreenFX->FadeToColor(0, 0, 0, 300, nullptr), 1);
    EXPECT_GE(Clock(), 1000u + 255);
    Veltrano.Config = saved;
}

}  // namespace
