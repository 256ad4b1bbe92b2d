// Sprite animations: stepping by the clock for every type, the speed
// factor, pausing, selection of animations and frames, and the property
// calls with their limits and messages.
#include "sprites/sprite_play_helpers.h"

namespace {

using namespace sprite_play;
using Frames = std::vector<int>;

class SpriteAnimationTest : public SpritePlayTest {
protected:
    void SetType(int anim, unsigned short type, unsigned short start = KEEP_VALUE,
                 unsigned short end = KEEP_VALUE) {
        ASSERT_EQ(sprite->SetAnimProperties(anim, type, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE, start, end), 1);
    }
    struct Properties {
        unsigned short type = 0, state = 0, frameCount = 0, start = 0, end = 0;
        short hotSpotX = 0, hotSpotY = 0;
        bool operator==(const Properties& o) const {
            return type == o.type && state == o.state && frameCount == o.frameCount && start == o.start &&
                   end == o.end && hotSpotX == o.hotSpotX && hotSpotY == o.hotSpotY;
        }
    };
    Properties Get(int anim) {
        Properties p;
        sprite->GetAnimProperties(anim, &p.type, &p.state, &p.frameCount, &p.hotSpotX, &p.hotSpotY, &p.start,
                                  &p.end);
        return p;
    }
};

TEST_F(SpriteAnimationTest, FirstDrawStartsTheClockAndFramesStepStrictlyAfterTheirTime) {
    EXPECT_EQ(sprite->Draw(target), 2);
    clock.Advance(100);
    EXPECT_EQ(sprite->Draw(target), 2);  // exactly the frame time: not yet
    clock.Advance(1);
    EXPECT_EQ(sprite->Draw(target), 1);
    EXPECT_EQ(sprite->GetFrame(), 1);
    EXPECT_EQ(FrameAt(target, 0, 0), 1);
    // Late draws do not catch up: one frame per draw, timed from the step.
    clock.Advance(1000);
    EXPECT_EQ(sprite->Draw(target), 1);
    EXPECT_EQ(sprite->Draw(target), 2);
    EXPECT_EQ(sprite->GetFrame(), 2);
    clock.Advance(100);
    EXPECT_EQ(sprite->Draw(target), 2);
}

TEST_F(SpriteAnimationTest, EveryTypePlaysItsOrderInsideItsRange) {
    EXPECT_EQ(PlayedFrames(6, 101), (Frames{0, 1, 2, 3, 0, 1}));

    SetType(1, SPRITE_ANIM_PINGPONG);
    sprite->SelectFrame(0);
    EXPECT_EQ(PlayedFrames(9, 101), (Frames{0, 1, 2, 3, 2, 1, 0, 1, 2}));

    SetType(1, SPRITE_ANIM_PINGPONG, 1, 4);
    sprite->SelectFrame(1);
    EXPECT_EQ(PlayedFrames(8, 101), (Frames{1, 2, 3, 2, 1, 2, 3, 2}));

    SetType(1, SPRITE_ANIM_LOOP, 1, 3);
    sprite->SelectFrame(1);
    EXPECT_EQ(PlayedFrames(5, 101), (Frames{1, 2, 1, 2, 1}));
}

TEST_F(SpriteAnimationTest, OneShotStopsOnItsLastFrameAndRestartsWhenSelected) {
    SetType(2, SPRITE_ANIM_ONESHOT);
    ASSERT_EQ(sprite->SelectAnim(0x8001), 1);
    std::vector<int> finished;
    for (int i = 0; i < 6; ++i) {
        sprite->Draw(target);
        finished.push_back(sprite->IsFinished());
        clock.Advance(101);
    }
    EXPECT_EQ(finished, (std::vector<int>{0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(FrameAt(target, 0, 0), 103);
    ASSERT_EQ(sprite->SelectAnim(0x8001), 1);  // already selected, still restarts
    EXPECT_EQ(sprite->GetFrame(), 0);
    EXPECT_EQ(sprite->IsFinished(), 0);
    // Loop animations never finish.
    sprite->SelectAnim(0x8000);
    EXPECT_EQ(sprite->IsFinished(), 0);
}

TEST_F(SpriteAnimationTest, SpeedFactorDividesTheFrameTimeTruncated) {
    sprite->SetAnimFactor(2.0f);
    sprite->Draw(target);
    clock.Advance(50);
    EXPECT_EQ(sprite->Draw(target), 2);
    clock.Advance(1);
    EXPECT_EQ(sprite->Draw(target), 1);
    // 100 / 3 = 33.3 is truncated to 33.
    sprite->SetAnimFactor(3.0f);
    clock.Advance(33);
    EXPECT_EQ(sprite->Draw(target), 2);
    clock.Advance(1);
    EXPECT_EQ(sprite->Draw(target), 1);
}

TEST_F(SpriteAnimationTest, DegenerateAnimationsStayInsideTheirFrames) {
    // A Ping-Pong range of one frame stands on it.
    SetType(1, SPRITE_ANIM_PINGPONG, 2, 3);
    sprite->SelectFrame(2);
    EXPECT_EQ(PlayedFrames(4, 101), (Frames{2, 2, 2, 2}));
    // A factor of 0 or below stops the animation.
    SetType(1, SPRITE_ANIM_LOOP, 0, 4);
    for (float factor : {0.0f, -1.0f}) {
        sprite->SetAnimFactor(factor);
        sprite->SelectFrame(1);
        EXPECT_EQ(PlayedFrames(3, 5000), (Frames{1, 1, 1})) << factor;
    }
    // An empty range at the end of the row draws its last frame.
    SetType(1, SPRITE_ANIM_ONESHOT, 4, 4);
    sprite->SelectFrame(0);
    sprite->SetAnimFactor(1.0f);
    EXPECT_EQ(PlayedFrames(3, 101), (Frames{3, 3, 3}));
}

TEST_F(SpriteAnimationTest, PausedSpritesAreDrawnOnTheirFrameAndReportIt) {
    PlayedFrames(2, 101);
    sprite->Pause();
    clock.Advance(100000);
    EXPECT_EQ(sprite->Draw(target), 3);
    EXPECT_EQ(sprite->Draw(target), 3);
    EXPECT_EQ(FrameAt(target, 0, 0), 1);
    sprite->Resume();
    EXPECT_EQ(sprite->Draw(target), 1);
    EXPECT_EQ(sprite->GetFrame(), 2);
}

TEST_F(SpriteAnimationTest, SelectAnimTakesTheFirstMatchingSixteenBitState) {
    ASSERT_EQ(sprite->SetAnimProperties(2, KEEP_VALUE, 0xFFFF, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE), 1);
    ASSERT_EQ(sprite->SetAnimProperties(3, KEEP_VALUE, 0xFFFF, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE), 1);
    EXPECT_EQ(sprite->SelectAnim(0xFFFF), 1);
    EXPECT_EQ(FrameAt((sprite->Draw(target), target), 0, 0), 100);
    EXPECT_EQ(sprite->GetAnim(), 0xFFFF);
    log.Clear();
    EXPECT_EQ(sprite->SelectAnim(-1), 0);
    EXPECT_EQ(sprite->SelectAnim(0x18000), 0);
    EXPECT_EQ(log.Text(), " . [CSprite::SelectAnim(-1)] Warning: animation not found.\n"
                          " . [CSprite::SelectAnim(98304)] Warning: animation not found.\n");
    EXPECT_EQ(sprite->GetAnim(), 0xFFFF);
}

TEST_F(SpriteAnimationTest, EachAnimationKeepsItsFrameAndSelectionBringsItIntoRange) {
    sprite->SelectFrame(3);
    ASSERT_EQ(sprite->SelectAnim(0x8001), 1);
    sprite->SelectFrame(1);
    ASSERT_EQ(sprite->SelectAnim(0x8000), 1);
    EXPECT_EQ(sprite->GetFrame(), 3);
    ASSERT_EQ(sprite->SelectAnim(0x8001), 1);
    EXPECT_EQ(sprite->GetFrame(), 1);
    // Leaving frame 3 for an animation whose range ends at 2: its last frame.
    SetType(3, SPRITE_ANIM_LOOP, 0, 2);
    sprite->SelectAnim(0x8000);
    ASSERT_EQ(sprite->SelectAnim(0x8002), 1);
    EXPECT_EQ(sprite->GetFrame(), 1);
    EXPECT_EQ(FrameAt((sprite->Draw(target), target), 0, 0), 201);
    // A range shrunk under the current frame is entered at its last frame.
    SetType(1, SPRITE_ANIM_LOOP, 0, 1);
    ASSERT_EQ(sprite->SelectAnim(0x8000), 1);
    EXPECT_EQ(sprite->GetFrame(), 0);
}

TEST_F(SpriteAnimationTest, SetAnimPropertiesKeepsValuesAndChecksBeforeChanging) {
    const Properties initial = Get(1);
    EXPECT_EQ(initial.type, SPRITE_ANIM_LOOP);
    EXPECT_EQ(initial.state, 0x8000);
    EXPECT_EQ(initial.frameCount, 4);
    EXPECT_EQ(initial.end, 4);
    EXPECT_EQ(sprite->SetAnimProperties(1, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE, KEEP_VALUE),
              1);
    EXPECT_TRUE(Get(1) == initial);

    log.Clear();
    EXPECT_EQ(sprite->SetAnimProperties(1, 3, 7, 1, 1, 1, 2), 0);
    EXPECT_TRUE(Get(1) == initial);
    EXPECT_EQ(sprite->SetAnimProperties(4, 2, 7, -1, 1, 1, 2), 0);
    EXPECT_EQ(sprite->SetAnimProperties(0, 3, 7, -1, 1, 1, 2), 0);
    EXPECT_EQ(log.Text(),
              " . [CSprite::SetAnimProperties(1,3,7,1,1,1,2)] Warning: wrong animation type.\n"
              " . [CSprite::SetAnimProperties(4,2,7,-1,1,1,2)] Warning: animation not found.\n"
              " . [CSprite::SetAnimProperties(0,3,7,-1,1,1,2)] Warning: animation not found.\n");

    EXPECT_EQ(sprite->SetAnimProperties(1, 8, 0x4001, -3, 5, KEEP_VALUE, KEEP_VALUE), 1);
    Properties p = Get(1);
    EXPECT_EQ(p.type, 8);
    EXPECT_EQ(p.state, 0x4001);
    EXPECT_EQ(p.hotSpotX, -3);
    EXPECT_EQ(p.hotSpotY, 5);
}

TEST_F(SpriteAnimationTest, RangeLimitsFollowTheEndStillInForce) {
    SetType(1, KEEP_VALUE, 0, 3);
    // The start is limited by the old end (3), then the end is raised to it.
    SetType(1, KEEP_VALUE, 5, 10);
    EXPECT_EQ(Get(1).start, 3);
    EXPECT_EQ(Get(1).end, 4);
    // An end below the start is raised to it.
    SetType(1, KEEP_VALUE, KEEP_VALUE, 1);
    EXPECT_EQ(Get(1).end, 3);
    SetType(1, KEEP_VALUE, 0, 0);
    EXPECT_EQ(Get(1).start, 0);
    EXPECT_EQ(Get(1).end, 0);
}

TEST_F(SpriteAnimationTest, FrameTimesAreSetOneByOneOrAllAtOnce) {
    ASSERT_EQ(sprite->SetFrameProperties(1, 0, 40), 1);
    ASSERT_EQ(sprite->SetFrameProperties(1, 2, 70), 1);
    std::vector<unsigned> times;
    for (int frame = 1; frame <= 4; ++frame) {
        unsigned int time = 0;
        sprite->GetFrameProperties(1, frame, &time);
        times.push_back(time);
    }
    EXPECT_EQ(times, (std::vector<unsigned>{40, 70, 40, 40}));
    unsigned int untouched = 5;
    sprite->GetFrameProperties(1, 5, &untouched);
    sprite->GetFrameProperties(1, 0, &untouched);
    sprite->GetFrameProperties(4, 1, &untouched);
    EXPECT_EQ(untouched, 5u);
    sprite->GetFrameProperties(1, 1, nullptr);

    log.Clear();
    EXPECT_EQ(sprite->SetFrameProperties(1, 5, 40), 0);
    EXPECT_EQ(sprite->SetFrameProperties(0, 1, 40), 0);
    EXPECT_EQ(sprite->SetFrameProperties(1, -1, 40), 0);
    EXPECT_EQ(log.Text(), " . [CSprite::SetFrame(1,5,40)] Warning: frame not found.\n"
                          " . [CSprite::SetFrame(0,1,40)] Warning: animation not found.\n"
                          " . [CSprite::SetFrame(1,-1,40)] Warning: frame not found.\n");
    // The times drive the stepping.
    sprite->Draw(target);
    clock.Advance(41);
    EXPECT_EQ(sprite->Draw(target), 1);
    clock.Advance(41);
    EXPECT_EQ(sprite->Draw(target), 2);
}

}  // namespace
