// Sprite making from surfaces and files: the checks and their order, the
// animations the empty-frame test cuts, key and alpha carried over.
#include <string>

#include "Veltrano_CSprite.h"
#include "Veltrano_IImage.h"
#include "Veltrano_Main.h"
#include "core/video_surface.h"
#include "objects/sprite_test_helpers.h"

namespace {

using namespace sprite_test;

class SpriteCreateTest : public SpriteTest {};

TEST_F(SpriteCreateTest, CountsLiveSprites) {
    const int before = Veltrano.spriteCount;
    {
        Veltrano_CSprite a, b;
        EXPECT_EQ(Veltrano.spriteCount, before + 2);
    }
    EXPECT_EQ(Veltrano.spriteCount, before);
}

TEST_F(SpriteCreateTest, RowsAreAnimationsEndingAtTheFirstEmptyFrame) {
    SDL_Surface* sheet = SheetSurface(32, 32, {3, 2}, 24, tile_test::kRGB24, 0);
    ASSERT_EQ(sheet->w, 96);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create(sheet, "hero", 32, 32), 2);
    int w = 0, h = 0;
    sprite.GetOffset(&w, &h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
    EXPECT_STREQ(sprite.GetName(), "hero");
    EXPECT_NE(sprite.GetSurface(), sheet);
    EXPECT_EQ(FirstPixelDifference(sprite.GetSurface(), sheet), "");
    const std::vector<AnimSummary> anims = Animations(sprite, log);
    ASSERT_EQ(anims.size(), 2u);
    EXPECT_EQ(anims[0].state, 0x8000);
    EXPECT_EQ(anims[1].state, 0x8001);
    EXPECT_EQ(anims[0].frameCount, 3);
    EXPECT_EQ(anims[1].frameCount, 2);
    EXPECT_EQ(anims[1].times, (std::vector<int>{100, 100}));
    EXPECT_EQ(anims[1].type, "Loop");
    EXPECT_EQ(anims[1].startFrame, 1);
    EXPECT_EQ(anims[1].endFrame, 2);
    SDL_FreeSurface(sheet);
}

TEST_F(SpriteCreateTest, ChecksComeInTheirOrder) {
    SDL_Surface* sheet = SheetSurface(10, 10, {1}, 24, tile_test::kRGB24, 9);  // 100 x 10
    Veltrano_CSprite sprite;
    // Frame size 0 is refused before any divisibility test.
    EXPECT_EQ(sprite.Create(sheet, "s", 0, 30), 0);
    EXPECT_TRUE(log.Contains(" . [CSprite::Create('s',0,30)] Error: Offset X and/or Y are less than 1 pixel.\n"));
    EXPECT_EQ(sprite.Create(sheet, "s", 30, 10), 0);
    EXPECT_TRUE(
        log.Contains(" . [CSprite::Create('s',30,10)] Error: Offset X does not split correctly the sprite surface.\n"));
    EXPECT_EQ(sprite.Create(sheet, "s", 10, 3), 0);
    EXPECT_TRUE(
        log.Contains(" . [CSprite::Create('s',10,3)] Error: Offset Y does not split correctly the sprite surface.\n"));
    EXPECT_EQ(sprite.Create(static_cast<SDL_Surface*>(nullptr), "s", 10, 10), 0);
    EXPECT_TRUE(log.Contains(" . [CSprite::Create('s',10,10)] Error: sprite surface or name are null.\n"));
    ASSERT_EQ(sprite.Create(sheet, "s", 10, 10), 1);
    log.Clear();
    // A sprite that exists refuses before looking at the arguments.
    EXPECT_EQ(sprite.Create(static_cast<SDL_Surface*>(nullptr), nullptr, 0, 0), 0);
    EXPECT_TRUE(log.Contains(" . [CSprite::Create('(null)',0,0)] Warning: sprite already exists. It is not possible to "
                             "create another one.\n"));
    SDL_FreeSurface(sheet);
}

TEST_F(SpriteCreateTest, RefusesBeforeTheSdkStarts) {
    Veltrano.Quit();
    SDL_Surface* sheet = SheetSurface(8, 8, {1}, 24, tile_test::kRGB24);
    {
        Veltrano_CSprite sprite;
        EXPECT_EQ(sprite.Create(sheet, "early", 8, 8), 0);
        EXPECT_EQ(sprite.Create("x.png", "early", 8, 8), 0);
    }
    SDL_FreeSurface(sheet);
    ASSERT_EQ(Veltrano.Init(SDL_INIT_VIDEO), 1);
}
}  // namespace
