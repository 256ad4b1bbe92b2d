// The testing aid for games: a scripted key handed out by Update with the
// key state in step and held for one logic frame, refusals of bad input,
// clearing, and the manual clock alone driving the frame pacing.
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "veltrano.h"
#include "veltrano_testing.h"

using namespace VeltranoTesting;

namespace {

// A started SDK with a screen and unlimited rates: every pass without an
// event runs a logic frame.
class TestingAidTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Started());
        ASSERT_EQ(Veltrano.SetVideoMode(), 1);
        ITimeSystem->Init(0);
        Veltrano.CleanUp();  // key report times of earlier tests would hold keys back
    }
    void TearDown() override {
        ClearInput();
        UseManualClock(0);
    }
    Uint8 Pass() {
        event = SDL_Event{};
        Veltrano.Update(&event);
        return event.type;
    }

    testing_support::SdkSession session;
    SDL_Event event{};
};

TEST_F(TestingAidTest, ATappedKeyIsAnEventThenHeldForOneLogicFrameThenReleased) {
    TapKey(SDLK_a, KMOD_LSHIFT, 'A');
    ASSERT_EQ(Pass(), SDL_KEYDOWN);
    EXPECT_EQ(event.key.keysym.mod, KMOD_LSHIFT);
    EXPECT_EQ(event.key.keysym.unicode, 'A');
    EXPECT_EQ(SDL_GetKeyState(nullptr)[SDLK_a], 1);
    EXPECT_EQ(Pass(), SDL_USEREVENT + 6);  // the release waits for this logic frame
    EXPECT_EQ(Veltrano.GetKeyPressed(0), 'A');
    EXPECT_EQ(Pass(), SDL_KEYUP);
    EXPECT_EQ(SDL_GetKeyState(nullptr)[SDLK_a], 0);
    EXPECT_EQ(SDL_GetModState(), KMOD_NONE);
    // Clearing drops what waits and lets go of held keys.
    PressKey(SDLK_b);
    Click(5, 5);
    Pass();
    ClearInput();
    EXPECT_EQ(PendingInput(), 0);
    EXPECT_EQ(SDL_GetKeyState(nullptr)[SDLK_b], 0);
}

TEST_F(TestingAidTest, BadInputAndARunawayScriptAreRefusedAndLogged) {
    testing_support::LogCapture log;
    TapKey(static_cast<SDLKey>(400));
    ReleaseMouse(9);
    Click(0, 70000);
    EXPECT_TRUE(log.Contains(" . [VeltranoTesting::TapKey()] Error: 400 is not an SDL key.\n"));
    EXPECT_TRUE(log.Contains(" . [VeltranoTesting::ReleaseMouse()] Error: 9 is not a mouse button.\n"));
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

}  // namespace
