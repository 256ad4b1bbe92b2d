// Sprite positions: the hot spot on the position, target positions as
// 16-bit values, and smoothed moves drawn along the logic frame's progress.
#include <cmath>

#include "sprites/sprite_play_helpers.h"
#include "veltrano.h"

namespace {

using namespace sprite_play;

class SpritePositionTest : public SpritePlayTest {
protected:
    void SetUp() override {
        SpritePlayTest::SetUp();
        // 50 logic frames a second: every 2 ms are a tenth of a frame. The
        // time system runs on SDL's timer.
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_TIMER), 0);
        ITimeSystem->Init(0);
        ITimeSystem->SetRate(0, 50);
        Veltrano.CleanUp();
        RunLoop();
    }
    void RunLoop() {
        for (int i = 0; i < 4; ++i) Veltrano.Update(nullptr);
    }
    // Moves the logic time on by ms and answers its fraction.
    float AdvanceLogic(uint32_t ms) {
        clock.Advance(ms);
        RunLoop();
        const float t = Veltrano.GetLogicTime();
        return t - std::floor(t);
    }
    // The leftmost column of the drawn frame on row y, -1 when none.
    int DrawnLeft(int y) {
        SDL_FillRect(target, nullptr, 0);
        sprite->Draw(target);
        for (int x = 0; x < target->w; ++x)
            if (FrameAt(target, x, y) >= 0) return x;
        return -1;
    }
};

TEST_F(SpritePositionTest, TheHotSpotIsPlacedOnThePosition) {
    ASSERT_EQ(sprite->SetAnimProperties(1, KEEP_VALUE, KEEP_VALUE, 3, 2, KEEP_VALUE, KEEP_VALUE), 1);
    sprite->SetPosition(20, 20, 0);
    EXPECT_EQ(DrawnLeft(18), 17);
    EXPECT_EQ(FrameAt(target, 17, 17), -1);
    EXPECT_EQ(FrameAt(target, 17, 18), 0);
}

TEST_F(SpritePositionTest, TargetPositionsAreSixteenBitFloors) {
    sprite->SetPosition(70000, -5, 1);
    EXPECT_EQ(sprite->GetPosX(), 70000 - 65536);
    EXPECT_EQ(sprite->GetPosY(), -5);
    Veltrano_CSprite empty;
    empty.SetPosition(10, 10, 0);
    EXPECT_EQ(empty.GetPosX(), 0);
    EXPECT_EQ(empty.GetPosY(), 0);
}

TEST_F(SpritePositionTest, SmoothedMovesFollowTheLogicFrameAndNeverGoBack) {
    sprite->SetPosition(0, 10, 0);
    ASSERT_EQ(DrawnLeft(10), 0);
    sprite->SetPosition(40, 10, 1);
    EXPECT_EQ(sprite->GetPosX(), 40);  // the target at once

    const float quarter = AdvanceLogic(5);
    ASSERT_GT(quarter, 0.2f);
    EXPECT_EQ(DrawnLeft(10), static_cast<int>(std::floor(quarter * 40.0f)));
    const float half = AdvanceLogic(5);
    ASSERT_GT(half, quarter + 0.2f);
    ASSERT_LT(half, 0.8f);
    EXPECT_EQ(DrawnLeft(10), static_cast<int>(std::floor(half * 40.0f)));
    // A smaller progress (the next logic frame began) snaps to the target,
    // and the sprite stays there.
    ASSERT_LT(AdvanceLogic(12), 0.3f);
    EXPECT_EQ(DrawnLeft(10), 40);
    AdvanceLogic(14);
    EXPECT_EQ(DrawnLeft(10), 40);
    // The unmoved axis stays where it was.
    EXPECT_EQ(FrameAt(target, 40, 9), -1);
    EXPECT_EQ(FrameAt(target, 40, 10), 0);
}

}  // namespace
