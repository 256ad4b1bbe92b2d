// The testing aid for games: scripted keys and mouse handed out by Update
// with the key and mouse state in step, one scripted event per logic frame,
// refusals of bad input, and the manual clock driving the frame pacing.
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "veltrano.h"
#include "veltrano_testing.h"

using namespace VeltranoTesting;

namespace {

constexpr Uint8 kNoEventType = SDL_USEREVENT + 6;

// A started SDK with a screen and unlimited rates: every pass without an
// event runs a logic frame. Scripted input never outlives a test.
class TestingAidTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Started());
        ASSERT_EQ(Veltrano.SetVideoMode(), 1);
        ITimeSystem->Init(0);
        Veltrano.CleanUp();  // key report times of earlier tests would hold keys back
        SDL_Event discarded;
        while (SDL_PollEvent(&discarded)) {
        }
    }
    void TearDown() override {
        ClearInput();
        UseManualClock(0);
    }
    Uint8 Pass() {
        event = SDL_Event{};
        result = Veltrano.Update(&event);
        return event.type;
    }

    testing_support::SdkSession session;
    SDL_Event event{};
    int result = -1;
};

TEST_F(TestingAidTest, ATappedKeyIsAnEventThenHeldForOneLogicFrameThenReleased) {
    const Uint8* keys = SDL_GetKeyState(nullptr);
    TapKey(SDLK_a, KMOD_LSHIFT, 'A');
    EXPECT_EQ(PendingInput(), 2);
    ASSERT_EQ(Pass(), SDL_KEYDOWN);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(event.key.keysym.sym, SDLK_a);
    EXPECT_EQ(event.key.keysym.mod, KMOD_LSHIFT);
    EXPECT_EQ(event.key.keysym.unicode, 'A');
    EXPECT_EQ(keys[SDLK_a], 1);
    EXPECT_EQ(SDL_GetModState(), KMOD_LSHIFT);
    // The release waits for a logic frame to have seen the key.
    EXPECT_EQ(Pass(), kNoEventType);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Veltrano.GetKeystate(SDLK_a), 1);
    EXPECT_EQ(Veltrano.GetKeyPressed(0), 'A');
    EXPECT_EQ(Pass(), SDL_KEYUP);
    EXPECT_EQ(keys[SDLK_a], 0);
    EXPECT_EQ(SDL_GetModState(), KMOD_NONE);
    EXPECT_EQ(PendingInput(), 0);
}

TEST_F(TestingAidTest, MouseEventsMoveTheSdkMouseAndAClickHoldsTheButtonForOneFrame) {
    MoveMouse(30, 40);
    Click(50, 60, SDL_BUTTON_RIGHT);
    ASSERT_EQ(Pass(), SDL_MOUSEMOTION);
    Veltrano.Update(nullptr);
    EXPECT_EQ(Veltrano.mouseX, 30);
    EXPECT_EQ(Veltrano.mouseY, 40);
    Veltrano.Update(nullptr);  // the press, with the move, and a frame
    EXPECT_EQ(Veltrano.mouseX, 50);
    EXPECT_EQ(Veltrano.mouseButtons, SDL_BUTTON_RMASK);
    ASSERT_EQ(Pass(), SDL_MOUSEBUTTONUP);
    EXPECT_EQ(event.button.button, SDL_BUTTON_RIGHT);
    EXPECT_EQ(event.button.x, 50);
    Veltrano.Update(nullptr);
    EXPECT_EQ(Veltrano.mouseButtons, 0);
    EXPECT_EQ(Veltrano.mousePrevButtons, SDL_BUTTON_RMASK);
    // Press and release where the pointer is; a motion reports the held buttons.
    PressMouse(SDL_BUTTON_LEFT);
    MoveMouse(55, 61);
    Pass();
    ASSERT_EQ(Pass(), kNoEventType);
    ASSERT_EQ(Pass(), SDL_MOUSEMOTION);
    EXPECT_EQ(event.motion.state, SDL_BUTTON_LMASK);
    EXPECT_EQ(event.motion.xrel, 5);
    EXPECT_EQ(event.motion.yrel, 1);
}

TEST_F(TestingAidTest, ClearInputDropsWhatWaitsAndLetsGoOfHeldKeys) {
    PressKey(SDLK_b);
    Click(5, 5);
    Pass();
    ClearInput();
    EXPECT_EQ(PendingInput(), 0);
    EXPECT_EQ(SDL_GetKeyState(nullptr)[SDLK_b], 0);
    PressKey(SDLK_c);
    EXPECT_EQ(Pass(), SDL_KEYDOWN);  // no frame owed after clearing
}

TEST_F(TestingAidTest, BadInputIsRefusedAndLogged) {
    testing_support::LogCapture log;
    PressKey(SDLK_UNKNOWN);
    ReleaseKey(SDLK_LAST);
    TapKey(static_cast<SDLKey>(400));
    PressMouse(0);
    ReleaseMouse(9);
    MoveMouse(-1, 0);
    Click(0, 70000);
    EXPECT_EQ(PendingInput(), 0);
    EXPECT_TRUE(log.Contains(" . [VeltranoTesting::TapKey()] Error: 400 is not an SDL key.\n"));
    EXPECT_TRUE(log.Contains(" . [VeltranoTesting::ReleaseMouse()] Error: 9 is not a mouse button.\n"));
    EXPECT_TRUE(log.Contains(" . [VeltranoTesting::Click()] Error: (0, 70000) is outside the mouse's range.\n"));
    // A runaway script is cut off, a press never without its release.
    while (PendingInput() < 4095) PressKey(SDLK_x);
    TapKey(SDLK_y);
    EXPECT_EQ(PendingInput(), 4095);
    EXPECT_TRUE(log.Contains(" . [VeltranoTesting::TapKey()] Error: 4095 scripted events are waiting already.\n"));
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
    EXPECT_EQ(ITimeSystem->GetTime(), 100);
    UseManualClock(0);
    const Uint32 real = SDL_GetTicks();
    EXPECT_GE(Clock(), real);
    testing_support::LogCapture log;
    SetClock(1);
    EXPECT_TRUE(log.Contains(" . [VeltranoTesting::SetClock()] Warning: the manual clock is off.\n"));
}

}  // namespace
