// Sprite collisions: each method, the per-call method, positions of -1
// meaning the last drawn place, transformed frames, and surfaces.
#include "sprites/sprite_play_helpers.h"
#include "veltrano.h"

namespace {

using namespace sprite_play;

// Two sprites whose frames are transparent (black, the colour key) on the
// left half and opaque on the right half: columns 4..7 of every frame.
class SpriteCollisionTest : public SpritePlayTest {
protected:
    void SetUp() override {
        SpritePlayTest::SetUp();
        SDL_Surface* sheet = FrameSheet(2, 1);
        for (int column = 0; column < 2; ++column) {
            SDL_Rect clear{static_cast<Sint16>(column * kFrameSize), 0, kFrameSize / 2, kFrameSize};
            SDL_FillRect(sheet, &clear, 0);
        }
        a = std::make_unique<Veltrano_CSprite>();
        b = std::make_unique<Veltrano_CSprite>();
        ASSERT_EQ(a->Create(sheet, "a", kFrameSize, kFrameSize), 1);
        ASSERT_EQ(b->Create(sheet, "b", kFrameSize, kFrameSize), 1);
        SDL_FreeSurface(sheet);
    }
    void TearDown() override {
        a.reset();
        b.reset();
        SpritePlayTest::TearDown();
    }
    // a at 0,0 against b at bx,0 under a's method.
    int Hit(int method, short bx) {
        a->SetCollisionMethod(method);
        return a->Collision(b.get(), bx, 0, 0, 0, 0);
    }

    std::unique_ptr<Veltrano_CSprite> a;
    std::unique_ptr<Veltrano_CSprite> b;
};

TEST_F(SpriteCollisionTest, MethodsCompareBoxesOrOpaquePixels) {
    // b at 6 covers a's opaque columns 6..7 with its transparent ones.
    EXPECT_EQ(Hit(0, 6), 1);
    EXPECT_EQ(Hit(1, 6), 0);
    EXPECT_EQ(Hit(2, 6), 0);
    // b at -2 has opaque columns 2..5 over a's 4..5.
    EXPECT_EQ(Hit(0, -2), 1);
    EXPECT_EQ(Hit(1, -2), 1);
    EXPECT_EQ(Hit(2, -2), 1);
    for (int method : {0, 1, 2}) EXPECT_EQ(Hit(method, 20), 0) << method;
}

TEST_F(SpriteCollisionTest, TheSpritesMethodHoldsForTheCallOnly) {
    IPrimitives->SetCollisionMethod(1);
    EXPECT_EQ(Hit(0, 6), 1);
    EXPECT_EQ(IPrimitives->GetCollisionMethod(), 1);
    // -1 (and anything below) takes the primitives' method.
    a->SetCollisionMethod(-7);
    EXPECT_EQ(a->GetCollisionMethod(), -1);
    EXPECT_EQ(a->Collision(b.get(), 6, 0, 0, 0, 0), 0);
    IPrimitives->SetCollisionMethod(0);
    EXPECT_EQ(a->Collision(b.get(), 6, 0, 0, 0, 0), 1);
    EXPECT_EQ(IPrimitives->GetCollisionMethod(), 0);
}

TEST_F(SpriteCollisionTest, MinusOneMeansWhereTheSpriteWasLastDrawn) {
    // Never drawn: at 0,0 whatever the target position.
    a->SetPosition(40, 40, 0);
    b->SetPosition(42, 40, 0);
    EXPECT_EQ(a->Collision(b.get(), 2, 0, -1, -1, 0), 1);
    EXPECT_EQ(a->Collision(b.get(), -1, -1, -1, -1, 0), 1);
    a->Draw(target);
    EXPECT_EQ(a->Collision(b.get(), 2, 0, -1, -1, 0), 0);
    EXPECT_EQ(a->Collision(b.get(), -1, -1, -1, -1, 0), 0);
    b->Draw(target);
    EXPECT_EQ(a->Collision(b.get(), -1, -1, -1, -1, 0), 1);
    EXPECT_EQ(b->Collision(a.get(), -1, -1, -1, -1, 0), 1);
}

TEST_F(SpriteCollisionTest, TransformedFramesCollideAsTheyAreDrawn) {
    // Mirrored, a is opaque on columns 0..3.
    a->SetEffect(SPRITE_FX_MIRROR, 0, 0, 0);
    EXPECT_EQ(Hit(1, -2), 1);
    EXPECT_EQ(Hit(1, -4), 1);
    EXPECT_EQ(Hit(1, 2), 0);
    // Doubled, a is 16 pixels wide, opaque on 8..15, hot spot scaled with it.
    a->SetEffect(SPRITE_FX_RESIZE, 0, 2.0, 2.0);
    EXPECT_EQ(Hit(1, 6), 1);
    EXPECT_EQ(Hit(0, 15), 1);
    EXPECT_EQ(Hit(0, 16), 0);
}

TEST_F(SpriteCollisionTest, SurfacesArePlacedAtTheirRectangle) {
    SDL_Surface* block = BlackSurface(4, 4);
    SDL_FillRect(block, nullptr, 0xFF0000);
    SDL_Rect overOpaque{5, 2, 4, 4};
    SDL_Rect overClear{0, 0, 3, 3};
    a->SetCollisionMethod(1);
    EXPECT_EQ(a->Collision(block, &overOpaque, 0, 0, 0), 1);
    EXPECT_EQ(a->Collision(block, &overClear, 0, 0, 0), 0);
    EXPECT_EQ(a->Collision(block, &overClear, -4, 0, 0), 1);
    a->SetCollisionMethod(0);
    EXPECT_EQ(a->Collision(block, &overClear, 0, 0, 0), 1);
    EXPECT_EQ(a->Collision(nullptr, &overClear, 0, 0, 0), 0);
    EXPECT_EQ(a->Collision(block, nullptr, 0, 0, 0), 0);
    SDL_FreeSurface(block);
}

}  // namespace
