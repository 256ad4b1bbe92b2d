// The frame loop: logic pacing with catch-up, render pacing, the render
// callback, events handed back to the game, and the end-of-pass rules.
#include <gtest/gtest.h>

#include <vector>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::ManualClock;
using testing_support::SdkSession;

namespace {

constexpr Uint8 kNoEventType = SDL_USEREVENT + 6;

std::vector<int> renderArguments;

void RecordRender(int caughtUp) { renderArguments.push_back(caughtUp); }

// A started SDK with a dummy screen, a manual clock, the given rates, and
// pacing restarted from the clock's current reading. One pass is run at
// once, so the time system's clock (read at the end of each pass) starts at 0.
class UpdateLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Started());
        renderArguments.clear();
        DrainEvents();
    }
    void TearDown() override { Veltrano.SetRenderCallback(nullptr); }

    void Start(unsigned int renderRate, unsigned int logicRate, bool withScreen = true) {
        if (withScreen) {
            ASSERT_EQ(Veltrano.SetVideoMode(), 1);
        }
        ITimeSystem->Init(0);
        ITimeSystem->SetRate(renderRate, logicRate);
        Veltrano.SetRenderCallback(RecordRender);
        Veltrano.CleanUp();
        SDL_Event event;
        Pass(&event);
        renderArguments.clear();
        logic0 = ITimeSystem->GetLogicFrames();
        rendered0 = ITimeSystem->GetRenderedFrames();
    }
    int LogicFrames() const { return ITimeSystem->GetLogicFrames() - logic0; }
    int RenderedFrames() const { return ITimeSystem->GetRenderedFrames() - rendered0; }
    static void DrainEvents() {
        SDL_Event discarded;
        while (SDL_PollEvent(&discarded)) {
        }
    }
    // One Update call with an event record, as a game makes it.
    int Pass(SDL_Event* event) {
        *event = SDL_Event{};
        return Veltrano.Update(event);
    }

    SdkSession session;
    ManualClock clock{1000};
    int logic0 = 0;
    int rendered0 = 0;
};

}  // namespace

TEST_F(UpdateLoopTest, UnlimitedRatesRunLogicAndRenderOnEveryPass) {
    Start(0, 0);
    SDL_Event event;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Pass(&event), 0);
        EXPECT_EQ(event.type, kNoEventType);
        EXPECT_EQ(event.user.code, 1);
    }
    EXPECT_EQ(LogicFrames(), 3);
    EXPECT_EQ(RenderedFrames(), 3);
    EXPECT_EQ(renderArguments, (std::vector<int>{0, 0, 0}));
}

TEST_F(UpdateLoopTest, OwedLogicFramesRunOnePerCallThenRenderWithCatchUpFlag) {
    Start(0, 50);
    SDL_Event event;
    const float logicTime0 = Veltrano.GetLogicTime();
    clock.Advance(100);
    EXPECT_EQ(Pass(&event), 1);  // the clock it reads is the last pass's end
    ASSERT_EQ(ITimeSystem->GetTime(), 100);
    renderArguments.clear();

    // 100 ms at 50 per second: five logic frames, one per call.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Pass(&event), 0) << "call " << i;
        EXPECT_EQ(LogicFrames(), i + 1);
        EXPECT_TRUE(renderArguments.empty());
    }
    EXPECT_EQ(Pass(&event), 1);
    EXPECT_EQ(renderArguments, (std::vector<int>{1}));
    EXPECT_EQ(event.user.code, 1);
    EXPECT_NEAR(Veltrano.GetLogicTime() - logicTime0, 5.0f, 1e-4);

    // No time passed: no logic owed; the render is not a catch-up.
    EXPECT_EQ(Pass(&event), 1);
    EXPECT_EQ(renderArguments, (std::vector<int>{1, 0}));
}

TEST_F(UpdateLoopTest, FractionalLogicFramesAccumulate) {
    Start(0, 50);
    SDL_Event event;
    // 30 ms at 50 per second is 1.5 frames: one now, the half carried over.
    const float logicTime0 = Veltrano.GetLogicTime();
    clock.Advance(30);
    Pass(&event);
    EXPECT_EQ(Pass(&event), 0);
    EXPECT_EQ(Pass(&event), 1);
    EXPECT_NEAR(Veltrano.GetLogicTime() - logicTime0, 1.5f, 1e-4);
    clock.Advance(10);  // another half: the carried half completes a frame
    Pass(&event);
    EXPECT_EQ(Pass(&event), 0);
    EXPECT_EQ(Pass(&event), 1);
    EXPECT_NEAR(Veltrano.GetLogicTime() - logicTime0, 2.0f, 1e-4);
    EXPECT_EQ(LogicFrames(), 2);
}

TEST_F(UpdateLoopTest, RenderRateSkipsPassesThatOweLessThanAFrame) {
    Start(30, 0);
    SDL_Event event;
    clock.Advance(10);
    Pass(&event);  // reads the clock at 0: nothing owed
    EXPECT_EQ(event.user.code, 0);
    Pass(&event);  // 10 ms at 30 per second: 0.3 frames
    EXPECT_EQ(event.user.code, 0);
    EXPECT_TRUE(renderArguments.empty());
    clock.Advance(30);
    Pass(&event);  // still reads 10 ms from the last statistics update
    EXPECT_EQ(event.user.code, 0);
    Pass(&event);  // 40 ms: 1.2 frames
    EXPECT_EQ(event.user.code, 1);
    EXPECT_EQ(renderArguments.size(), 1u);
    EXPECT_EQ(RenderedFrames(), 1);
}

TEST_F(UpdateLoopTest, WithoutScreenLogicRunsButNothingRenders) {
    Start(0, 0, /*withScreen=*/false);
    ASSERT_EQ(Veltrano.screen, nullptr);
    SDL_Event event;
    EXPECT_EQ(Pass(&event), 0);
    EXPECT_EQ(Pass(&event), 0);
    EXPECT_EQ(LogicFrames(), 2);
    EXPECT_EQ(ITimeSystem->GetRenderedFrames(), 0);
    EXPECT_TRUE(renderArguments.empty());
    EXPECT_EQ(event.user.code, 0);
}

TEST_F(UpdateLoopTest, RealEventsAreHandedBackWithoutPacing) {
    Start(0, 0);
    SDL_Event pushed{};
    pushed.type = SDL_USEREVENT;
    pushed.user.code = 77;
    ASSERT_EQ(SDL_PushEvent(&pushed), 0);
    SDL_Event event;
    EXPECT_EQ(Pass(&event), 1);
    EXPECT_EQ(event.type, SDL_USEREVENT);
    EXPECT_EQ(event.user.code, 77);
    EXPECT_EQ(LogicFrames(), 0);
    EXPECT_TRUE(renderArguments.empty());

    // With no record the event is discarded and the pass goes on.
    ASSERT_EQ(SDL_PushEvent(&pushed), 0);
    EXPECT_EQ(Veltrano.Update(nullptr), 0);
    EXPECT_EQ(LogicFrames(), 1);
    EXPECT_EQ(renderArguments.size(), 1u);
}

TEST_F(UpdateLoopTest, LogicFrameRefreshesMouseStateAndButtonHistory) {
    Start(0, 0);
    Veltrano.mouseButtons = 5;
    SDL_Event event;
    Pass(&event);
    EXPECT_EQ(Veltrano.mousePrevButtons, 5);
    EXPECT_EQ(Veltrano.mouseButtons, 0);
}

TEST_F(UpdateLoopTest, RestartedClockAndNegativeSleepDoNotStallTheLoop) {
    Start(0, 50);
    SDL_Event event;
    clock.Advance(1000);
    Pass(&event);
    while (Pass(&event) == 0) {
    }
    // The time system restarts its clock behind the loop's back: the next
    // interval would run backwards. The loop must carry on normally.
    ITimeSystem->Init(1);
    EXPECT_EQ(Pass(&event), 1);
    EXPECT_EQ(Pass(&event), 1);
    clock.Advance(20);
    Pass(&event);
    EXPECT_EQ(Pass(&event), 0);
    EXPECT_EQ(Pass(&event), 1);

    Veltrano.Config.mtfriendly = -1;  // not a sleep of 49 days
    EXPECT_EQ(Pass(&event), 1);
    Veltrano.Config.mtfriendly = 0;
}

TEST_F(UpdateLoopTest, RestartedClockDoesNotStallRendering) {
    Start(50, 0);
    SDL_Event event;
    clock.Advance(1000);
    Pass(&event);
    Pass(&event);
    ASSERT_FALSE(renderArguments.empty());
    // The clock starts again from zero, far behind the last render.
    ITimeSystem->Init(1);
    renderArguments.clear();
    Pass(&event);
    for (int i = 0; i < 4; ++i) {
        clock.Advance(20);  // one frame at 50 per second
        Pass(&event);
    }
    EXPECT_GE(renderArguments.size(), 3u);
}

TEST_F(UpdateLoopTest, RenderNeededRules) {
    Start(0, 0);
    Veltrano.RenderNeeded(1);
    EXPECT_EQ(Veltrano.IsRenderNeeded(), 1);
    SDL_Event event;
    Pass(&event);  // a render clears a one-time request
    EXPECT_EQ(Veltrano.IsRenderNeeded(), 0);
    Veltrano.RenderNeeded(2);
    Pass(&event);
    EXPECT_EQ(Veltrano.IsRenderNeeded(), 1);  // every render: stays
    Veltrano.RenderNeeded(1);                 // does not lower 2
    Veltrano.RenderNeeded(0);                 // single-buffered screen: cleared
    EXPECT_EQ(Veltrano.IsRenderNeeded(), 0);

    // On a double-buffered screen every render redraws: 0 leaves it at 2.
    SDL_Surface* realScreen = Veltrano.screen;
    SDL_Surface* doubleBuffered = SDL_CreateRGBSurface(0, 4, 4, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    doubleBuffered->flags |= SDL_DOUBLEBUF;
    Veltrano.screen = doubleBuffered;
    Veltrano.RenderNeeded(5);
    Veltrano.RenderNeeded(0);
    EXPECT_EQ(Veltrano.IsRenderNeeded(), 1);
    Veltrano.screen = nullptr;
    Veltrano.RenderNeeded(-3);  // no screen: left alone
    EXPECT_EQ(Veltrano.IsRenderNeeded(), 1);
    Veltrano.screen = realScreen;
    SDL_FreeSurface(doubleBuffered);
    Veltrano.RenderNeeded(0);
    EXPECT_EQ(Veltrano.IsRenderNeeded(), 0);
}

TEST(UpdateLoopBeforeInit, UpdateAndKeyHelpersAnswerWithoutCrashing) {
    ASSERT_EQ(ITimeSystem, nullptr);
    EXPECT_EQ(Veltrano.Update(nullptr), 0);
    SDL_Event event{};
    EXPECT_EQ(Veltrano.Update(&event), 0);
    EXPECT_EQ(Veltrano.GetKeystate(-5), 0);
    EXPECT_EQ(Veltrano.GetKeystate(100000), 0);
    EXPECT_EQ(Veltrano.GetKeyName(300), nullptr);
    EXPECT_EQ(Veltrano.SetVideoMode(), 0);
    EXPECT_EQ(Veltrano.IsGL(), 0);
    EXPECT_EQ(Veltrano.IsTexture(nullptr), 0);
    Veltrano.VideoInfo();
    Veltrano.AudioInfo();
    Veltrano.SurfaceInfo(nullptr);
}
