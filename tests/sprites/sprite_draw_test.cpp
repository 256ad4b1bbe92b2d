// Drawing sprites: the screen under a sprite put back when it moves, the
// alpha of each sprite on a shared sheet, special effects with their cache
// and hot spots, and the refusals.
#include <algorithm>

#include "sprites/sprite_play_helpers.h"
#include "support/fake_screen_cursor.h"
#include "support/tile_test_helpers.h"
#include "veltrano.h"

namespace {

using namespace sprite_play;

constexpr Uint32 kWhite = 0xFFFFFF;

// The sprite is made after a 32-bit screen is opened, so it saves and
// restores the screen under it.
class SpriteDrawTest : public SpritePlayTest {
protected:
    SpriteDrawTest() { screenDepth = 32; }

    // The colour at (x, y) as 0xRRGGBB.
    static Uint32 Rgb(SDL_Surface* surface, int x, int y) {
        Uint8 r, g, b;
        SDL_GetRGB(PixelAt(surface, x, y), surface->format, &r, &g, &b);
        return static_cast<Uint32>(r) << 16 | static_cast<Uint32>(g) << 8 | b;
    }
    // The box around the target's painted pixels (right and bottom ends
    // exclusive).
    struct Box {
        int left, top, right, bottom;
        int Width() const { return right - left; }
        int Height() const { return bottom - top; }
    };
    Box PaintedBox() {
        int left = target->w, top = target->h, right = -1, bottom = -1;
        for (int y = 0; y < target->h; ++y)
            for (int x = 0; x < target->w; ++x)
                if (PixelAt(target, x, y) != 0) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return Box{left, top, right + 1, bottom + 1};
    }
    int DrawOnClearedTarget() {
        SDL_FillRect(target, nullptr, 0);
        return sprite->Draw(target);
    }
};

TEST_F(SpriteDrawTest, AMovedSpriteLeavesTheScreenAsItWas) {
    SDL_Surface* pattern = tile_test::PatternSurface(64, 64, 32, tile_test::kXRGB32);
    SDL_BlitSurface(pattern, nullptr, Veltrano.screen, nullptr);
    SDL_FreeSurface(pattern);
    SDL_Surface* before = SDL_ConvertSurface(Veltrano.screen, Veltrano.screen->format, SDL_SWSURFACE);
    sprite->SetPosition(10, 10, 0);
    ASSERT_EQ(sprite->Draw(nullptr), 2);
    EXPECT_EQ(FrameAt(Veltrano.screen, 10, 10), 0);
    // Drawn meanwhile outside the frame: the restore must not touch it.
    SDL_Rect beside{20, 10, 4, 4};
    SDL_FillRect(Veltrano.screen, &beside, 0x123456);
    SDL_FillRect(before, &beside, 0x123456);

    sprite->SetPosition(14, 30, 0);
    sprite->Draw(nullptr);
    SDL_Rect now{14, 30, kFrameSize, kFrameSize};
    SDL_Rect copied = now;
    SDL_BlitSurface(Veltrano.screen, &now, before, &copied);
    EXPECT_EQ(testing_support::FirstPixelDifference(Veltrano.screen, before), "");
    EXPECT_EQ(FrameAt(Veltrano.screen, 14, 30), 0);
    SDL_FreeSurface(before);
}

TEST_F(SpriteDrawTest, TheSoftwareCursorStaysOnTopAndKeepsWhatWasDrawnUnderIt) {
    ICursor->Init();
    ICursor->SetSmooth(0);
    SDL_Surface* green = BlackSurface(4, 4);
    SDL_FillRect(green, nullptr, 0x00FF00);
    ICursor->Select(ICursor->Create(green, 0));
    SDL_FreeSurface(green);
    SDL_WarpMouse(20, 20);
    Veltrano.Update(nullptr);
    Veltrano.Update(nullptr);
    ASSERT_EQ(Rgb(Veltrano.screen, 20, 20), 0x00FF00u);
    // The cursor steps aside while the sprite is drawn under it...
    sprite->SetPosition(18, 18, 0);
    sprite->Draw(nullptr);
    EXPECT_EQ(FrameAt(Veltrano.screen, 20, 20), 0);
    Veltrano.Update(nullptr);
    EXPECT_EQ(Rgb(Veltrano.screen, 20, 20), 0x00FF00u);
    // ...and leaves the sprite behind when it moves on.
    SDL_WarpMouse(50, 50);
    Veltrano.Update(nullptr);
    Veltrano.Update(nullptr);
    EXPECT_EQ(FrameAt(Veltrano.screen, 20, 20), 0);
}

TEST_F(SpriteDrawTest, EachSpriteDrawsWithItsOwnAlphaFromTheSharedSheet) {
    Veltrano_CSprite slave;
    ASSERT_EQ(slave.Clone(sprite.get()), 3);
    slave.SetAlpha(128);
    slave.SetPosition(0, 20, 0);
    sprite->SetPosition(20, 20, 0);
    slave.Draw(target);
    sprite->Draw(target);
    slave.SetPosition(40, 20, 0);
    slave.Draw(target);
    const Uint32 opaque = FrameColor(0, 0);
    EXPECT_EQ(Rgb(target, 20, 20), opaque);
    for (int x : {0, 40}) {
        const Uint32 blended = Rgb(target, x, 20);
        EXPECT_NEAR(static_cast<int>(blended & 0xFF), static_cast<int>(opaque & 0xFF) / 2, 2) << x;
    }
    // A transformed frame keeps its own sprite's alpha too.
    sprite->SetEffect(SPRITE_FX_FLIP, 0, 0, 0);
    sprite->Draw(target);
    EXPECT_EQ(Rgb(target, 20, 20), opaque);
    slave.SetEffect(SPRITE_FX_MIRROR, 0, 0, 0);
    SDL_FillRect(target, nullptr, 0);
    sprite->Draw(target);
    slave.Draw(target);
    EXPECT_NEAR(static_cast<int>(Rgb(target, 40, 20) & 0xFF), static_cast<int>(opaque & 0xFF) / 2, 2);
}

TEST_F(SpriteDrawTest, FlipAndMirrorTurnTheFrame) {
    // The white pixel sits in the frame's bottom-right corner.
    sprite->SetEffect(SPRITE_FX_FLIP, 0, 0, 0);
    DrawOnClearedTarget();
    EXPECT_EQ(Rgb(target, 7, 0), kWhite);
    sprite->SetEffect(SPRITE_FX_MIRROR, 0, 0, 0);
    DrawOnClearedTarget();
    EXPECT_EQ(Rgb(target, 0, 7), kWhite);
    sprite->SetEffect(SPRITE_FX_NONE, 0, 0, 0);
    DrawOnClearedTarget();
    EXPECT_EQ(Rgb(target, 7, 7), kWhite);
}

TEST_F(SpriteDrawTest, TheEffectCacheIsRebuiltOnlyOnStepsAndEffectChanges) {
    sprite->SetEffect(SPRITE_FX_RESIZE, 0, 2.0, 2.0);
    DrawOnClearedTarget();
    EXPECT_EQ(PaintedBox().Width(), 16);
    // New parameters of the same effect wait for the next step.
    sprite->SetEffect(SPRITE_FX_RESIZE, 0, 3.0, 3.0);
    DrawOnClearedTarget();
    EXPECT_EQ(PaintedBox().Width(), 16);
    clock.Advance(101);
    ASSERT_EQ(DrawOnClearedTarget(), 1);
    EXPECT_EQ(PaintedBox().Width(), 24);
    EXPECT_EQ(FrameAt(target, 0, 0), 1);
    // A change of effect shows at once.
    sprite->SetEffect(SPRITE_FX_FLIP, 0, 0, 0);
    DrawOnClearedTarget();
    EXPECT_EQ(PaintedBox().Width(), 8);
    // A change of effect shows while paused too.
    sprite->Pause();
    sprite->SetEffect(SPRITE_FX_RESIZE, 1, 2.0, 1.0);
    EXPECT_EQ(DrawOnClearedTarget(), 3);
    EXPECT_EQ(PaintedBox().Width(), 16);
    EXPECT_EQ(PaintedBox().Height(), 8);
}

TEST_F(SpriteDrawTest, TheHotSpotMovesWithTheEffect) {
    ASSERT_EQ(sprite->SetAnimProperties(1, KEEP_VALUE, KEEP_VALUE, 4, 4, KEEP_VALUE, KEEP_VALUE), 1);
    sprite->SetPosition(30, 30, 0);
    sprite->SetEffect(SPRITE_FX_RESIZE, 0, 2.0, 2.0);
    DrawOnClearedTarget();
    Box box = PaintedBox();
    EXPECT_EQ(box.left, 22);
    EXPECT_EQ(box.top, 22);
    // A rotation stays centred on the hot spot in the frame's middle.
    sprite->SetEffect(SPRITE_FX_ROTATE, 0, 45.0, 0);
    DrawOnClearedTarget();
    box = PaintedBox();
    EXPECT_GT(box.Width(), kFrameSize);
    EXPECT_NEAR((box.left + box.right) / 2.0, 30.0, 1.0);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, 30.0, 1.0);
    // Doubled and turned a quarter: still centred.
    sprite->SetEffect(SPRITE_FX_ROTATERESIZE, 0, 90.0, 2.0);
    DrawOnClearedTarget();
    box = PaintedBox();
    EXPECT_EQ(box.Width(), 2 * kFrameSize);
    EXPECT_NEAR((box.left + box.right) / 2.0, 30.0, 1.0);
}

TEST_F(SpriteDrawTest, RefusalsDrawNothing) {
    Veltrano_CSprite slave;
    {
        Veltrano_CSprite master;
        SDL_Surface* sheet = FrameSheet(2, 1);
        ASSERT_EQ(master.Create(sheet, "master", kFrameSize, kFrameSize), 1);
        SDL_FreeSurface(sheet);
        ASSERT_EQ(slave.Clone(&master), 1);
        EXPECT_EQ(slave.Draw(target), 2);
    }
    log.Clear();
    EXPECT_EQ(slave.Draw(target), 0);
    EXPECT_EQ(slave.Collision(sprite.get(), 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(sprite->Collision(&slave, 0, 0, 0, 0, 0), 0);
    EXPECT_NE(log.Text().find("[CSprite::Draw()] Error"), std::string::npos) << log.Text();
    EXPECT_NE(log.Text().find("[CSprite::Collision()] Error"), std::string::npos) << log.Text();
}

class SpriteOffScreenTest : public SpritePlayTest {};

TEST_F(SpriteOffScreenTest, ANullTargetIsAnErrorAndOtherTargetsAreDrawn) {
    ASSERT_EQ(Veltrano.screen, nullptr);
    log.Clear();
    EXPECT_EQ(sprite->Draw(nullptr), 0);
    EXPECT_EQ(log.Text(), " . [CSprite::Draw()] Error: Veltrano.screen was not initialized.\n");
    EXPECT_EQ(sprite->Draw(target), 2);
    EXPECT_EQ(FrameAt(target, 0, 0), 0);
}

}  // namespace

TEST_F(SpriteDrawTest, OnlyDrawingOnTheScreenTakesTheCursorOff) {
    testing_support::FakeScreenCursor cursor;
    sprite->SetPosition(5, 6, 0);
    sprite->Draw(target);
    EXPECT_TRUE(cursor.calls.empty());

    sprite->Draw(nullptr);
    EXPECT_EQ(cursor.calls, (std::vector<std::string>{"off", "back"}));
    EXPECT_EQ(cursor.lastArea.x, 5);
    EXPECT_EQ(cursor.lastArea.y, 6);
    EXPECT_EQ(cursor.lastArea.w, kFrameSize);
    EXPECT_EQ(cursor.lastArea.h, kFrameSize);
}
