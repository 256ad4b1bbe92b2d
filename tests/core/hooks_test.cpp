// The hook registry: who takes part in each phase and in what order, as the
// frame loop, the video mode, clean-up and shut-down run them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/hooks.h"
#include "support/test_support.h"
#include "veltrano.h"

using hooks::Phase;
using hooks::Role;

namespace {

std::vector<std::string> calls;

const char* PhaseName(Phase phase) {
    switch (phase) {
        case Phase::Shutdown: return "Shutdown";
        case Phase::VideoModeSet: return "VideoModeSet";
        case Phase::Event: return "Event";
        case Phase::LogicFrameStart: return "LogicFrameStart";
        case Phase::BeforeInput: return "BeforeInput";
        case Phase::AfterInput: return "AfterInput";
        case Phase::RedrawRequested: return "RedrawRequested";
        case Phase::Render: return "Render";
        case Phase::Flipped: return "Flipped";
        case Phase::PassEnd: return "PassEnd";
        case Phase::CleanUp: return "CleanUp";
    }
    return "?";
}

class FakeParticipant final : public hooks::Participant {
public:
    explicit FakeParticipant(const char* name) : name_(name) {}
    void Take(Phase phase, const SDL_Event* event) override {
        calls.push_back(name_ + ":" + PhaseName(phase) + (event != nullptr ? "+event" : ""));
        if (phase == Phase::BeforeInput) mouseXBeforeInput = Veltrano.mouseX;
    }
    int mouseXBeforeInput = 0;

private:
    std::string name_;
};

// Fakes in every role, and no pacing clock, while the fixture lives; the
// SDK's own participants are put back afterwards.
class HooksTest : public ::testing::Test {
protected:
    static constexpr Role kRoles[] = {Role::TimeSystem, Role::Cursor, Role::Widgets, Role::DeveloperWindows};

    void SetUp() override {
        ASSERT_TRUE(session.Started());
        for (int i = 0; i < 4; ++i) {
            saved[i] = hooks::Member(kRoles[i]);
            hooks::Join(kRoles[i], fakes[i]);
        }
        savedClock = hooks::CurrentPacingClock();
        hooks::SetPacingClock(nullptr);
        SDL_Event discarded;
        while (SDL_PollEvent(&discarded)) {
        }
        calls.clear();
    }
    void TearDown() override {
        for (int i = 0; i < 4; ++i) {
            hooks::Leave(kRoles[i], fakes[i]);
            if (saved[i] != nullptr) hooks::Join(kRoles[i], *saved[i]);
        }
        hooks::SetPacingClock(savedClock);
    }

    testing_support::SdkSession session;
    FakeParticipant fakes[4] = {FakeParticipant("time"), FakeParticipant("cursor"), FakeParticipant("widgets"),
                                FakeParticipant("windows")};
    hooks::Participant* saved[4] = {};
    hooks::PacingClock* savedClock = nullptr;
};

using Calls = std::vector<std::string>;

}  // namespace

TEST_F(HooksTest, EveryPhaseCallsItsParticipantsInTableOrder) {
    for (Phase phase : {Phase::Shutdown, Phase::VideoModeSet, Phase::Event, Phase::LogicFrameStart,
                        Phase::BeforeInput, Phase::AfterInput, Phase::RedrawRequested, Phase::Render, Phase::Flipped,
                        Phase::PassEnd, Phase::CleanUp})
        hooks::Run(phase);
    EXPECT_EQ(calls, (Calls{"windows:Shutdown", "windows:VideoModeSet", "windows:Event", "time:LogicFrameStart",
                            "cursor:BeforeInput", "widgets:AfterInput", "windows:AfterInput",
                            "windows:RedrawRequested", "cursor:Render", "time:Flipped", "time:PassEnd",
                            "time:CleanUp"}));
}

TEST_F(HooksTest, AnUpdatePassRunsLogicThenRenderThenThePassEnd) {
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    EXPECT_EQ(calls, (Calls{"windows:VideoModeSet"}));
    Veltrano.RenderNeeded(1);
    Veltrano.mouseX = -7;  // no real mouse is there
    calls.clear();

    EXPECT_EQ(Veltrano.Update(nullptr), 0);
    EXPECT_EQ(calls, (Calls{"time:LogicFrameStart", "cursor:BeforeInput", "widgets:AfterInput", "windows:AfterInput",
                            "windows:RedrawRequested", "cursor:Render", "time:Flipped", "time:PassEnd"}));
    // The cursor still saw the previous frame's mouse.
    EXPECT_EQ(fakes[1].mouseXBeforeInput, -7);

    // The redraw was asked for once.
    calls.clear();
    Veltrano.Update(nullptr);
    EXPECT_EQ(calls, (Calls{"time:LogicFrameStart", "cursor:BeforeInput", "widgets:AfterInput", "windows:AfterInput",
                            "cursor:Render", "time:Flipped", "time:PassEnd"}));
}

TEST_F(HooksTest, AnEventHandedBackReachesOnlyTheEventPhase) {
    SDL_Event pushed{};
    pushed.type = SDL_USEREVENT;
    ASSERT_EQ(SDL_PushEvent(&pushed), 0);
    SDL_Event event;
    EXPECT_EQ(Veltrano.Update(&event), 1);
    EXPECT_EQ(calls, (Calls{"windows:Event+event"}));
}

TEST_F(HooksTest, WithoutAScreenNothingRendersAndCleanUpRestartsTheTimeSystem) {
    Veltrano.Update(nullptr);
    EXPECT_EQ(calls, (Calls{"time:LogicFrameStart", "cursor:BeforeInput", "widgets:AfterInput", "windows:AfterInput",
                            "time:PassEnd"}));
    calls.clear();
    Veltrano.CleanUp();
    EXPECT_EQ(calls, (Calls{"time:CleanUp"}));
}

TEST(HooksMembership, OnlyTheRegisteredParticipantCanLeave) {
    hooks::Participant* saved = hooks::Member(Role::Widgets);
    FakeParticipant first("first"), second("second");
    hooks::Join(Role::Widgets, first);
    hooks::Join(Role::Widgets, second);
    hooks::Leave(Role::Widgets, first);
    EXPECT_EQ(hooks::Member(Role::Widgets), &second);
    hooks::Leave(Role::Widgets, second);
    EXPECT_EQ(hooks::Member(Role::Widgets), nullptr);
    if (saved != nullptr) hooks::Join(Role::Widgets, *saved);
}
