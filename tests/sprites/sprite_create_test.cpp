// Sprite making from surfaces and files: the checks and their order, the
// animations the empty-frame test cuts, key and alpha carried over.
#include <string>

#include "Veltrano_CSprite.h"
#include "Veltrano_IImage.h"
#include "Veltrano_Main.h"
#include "core/video_surface.h"
#include "imaging/pixel_access.h"
#include "sprites/sprite_test_helpers.h"

namespace {

using namespace sprite_test;

class SpriteCreateTest : public SpriteTest {};

TEST_F(SpriteCreateTest, CountsLiveSpritesAndReportsLeftOnesAtShutDown) {
    const int before = Veltrano.spriteCount;
    {
        Veltrano_CSprite a, b;
        EXPECT_EQ(Veltrano.spriteCount, before + 2);
    }
    EXPECT_EQ(Veltrano.spriteCount, before);
    auto* leaked = new Veltrano_CSprite;
    Veltrano.Quit();
    EXPECT_TRUE(log.Contains("\n . [CSprites] Warning! your application have left 1 sprites without deleting."));
    delete leaked;
    ASSERT_EQ(Veltrano.Init(SDL_INIT_VIDEO), 1);
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

std::vector<int> FrameCounts(Veltrano_CSprite& sprite, testing_support::LogCapture& log) {
    std::vector<int> counts;
    for (const AnimSummary& anim : Animations(sprite, log)) counts.push_back(anim.frameCount);
    return counts;
}

TEST_F(SpriteCreateTest, AFlatFrameEndsItsRowEvenWhenPaintedFramesFollow) {
    SDL_Surface* sheet = SheetSurface(4, 4, {3, 3}, 24, tile_test::kRGB24, 0);
    // Row 0: the first frame flat, so the row has no frames at all; row 1:
    // the second frame flat, the third (painted) is not reached.
    SDL_Rect first{0, 0, 4, 4}, second{4, 4, 4, 4};
    SDL_FillRect(sheet, &first, 0x123456);
    SDL_FillRect(sheet, &second, 0x123456);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create(sheet, "gaps", 4, 4), 2);
    EXPECT_EQ(FrameCounts(sprite, log), (std::vector<int>{0, 1}));
    SDL_FreeSurface(sheet);
}

TEST_F(SpriteCreateTest, PixelsWithoutAlphaDoNotMakeAFrame) {
    SDL_Surface* sheet = SDL_CreateRGBSurface(0, 8, 4, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    SDL_FillRect(sheet, nullptr, 0x00000000);
    // Frame 0 differs only in invisible pixels; frame 1 has a visible one.
    pixel_access::Write(sheet, 1, 1, 0x00FFFFFF);
    pixel_access::Write(sheet, 2, 3, 0x000000FF);
    pixel_access::Write(sheet, 6, 2, 0x01000000);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create(sheet, "ghost", 4, 4), 1);
    EXPECT_EQ(FrameCounts(sprite, log), (std::vector<int>{0}));
    EXPECT_EQ(sprite.GetAlpha(), 256);

    // Without an alpha channel every pixel counts as visible.
    SDL_Surface* opaque = SheetSurface(4, 4, {0}, 24, tile_test::kRGB24, 2);
    pixel_access::Write(opaque, 1, 1, 0x000001);
    Veltrano_CSprite other;
    ASSERT_EQ(other.Create(opaque, "dot", 4, 4), 1);
    EXPECT_EQ(FrameCounts(other, log), (std::vector<int>{1}));
    SDL_FreeSurface(sheet);
    SDL_FreeSurface(opaque);
}

// SDL leaves 0 in the key field of a new surface, which counts as the key
// 0; only all ones means "none". Surface alpha is carried over.
TEST_F(SpriteCreateTest, KeyFieldAndSurfaceAlphaCarryOver) {
    SDL_Surface* sheet = SheetSurface(4, 4, {1}, 16, tile_test::kRGB565);
    SDL_SetAlpha(sheet, SDL_SRCALPHA, 90);
    Veltrano_CSprite keyed;
    ASSERT_EQ(keyed.Create(sheet, "k", 4, 4), 1);
    EXPECT_EQ(keyed.GetColorKey(), 0);
    EXPECT_TRUE(keyed.GetSurface()->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(keyed.GetAlpha(), 90);
    EXPECT_EQ(keyed.GetSurface()->format->alpha, 90);

    sheet->format->colorkey = 0xFFFFFFFFu;
    SDL_SetAlpha(sheet, 0, 255);
    Veltrano_CSprite plain;
    ASSERT_EQ(plain.Create(sheet, "p", 4, 4), 1);
    EXPECT_EQ(plain.GetColorKey(), -1);
    EXPECT_FALSE(plain.GetSurface()->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(plain.GetSurface()->format->colorkey, 0xFFFFFFFFu);
    EXPECT_EQ(plain.GetAlpha(), 255);
    SDL_FreeSurface(sheet);
}

TEST_F(SpriteCreateTest, OnAScreenTheSheetTakesItsFormatAndTheKeyItsColour) {
    OpenScreen(32);
    SDL_Surface* sheet = SheetSurface(4, 4, {2}, 16, tile_test::kRGB565);
    SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, 0xF800);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create(sheet, "red", 4, 4), 1);
    SDL_Surface* converted = sprite.GetSurface();
    EXPECT_EQ(converted->format->BitsPerPixel, Veltrano.screen->format->BitsPerPixel);
    EXPECT_EQ(sprite.GetColorKey(), static_cast<int>(SDL_MapRGB(converted->format, 0xFF, 0, 0)));
    SDL_FreeSurface(sheet);

    SDL_Surface* glass = SheetSurface(4, 4, {1}, 32, tile_test::kRGBA32);
    Veltrano_CSprite alpha;
    ASSERT_EQ(alpha.Create(glass, "glass", 4, 4), 1);
    EXPECT_TRUE(log.Contains(" . [CSprite->Create('glass',4,4)] Info: surface with alpha per pixel loaded, it could "
                             "slow down your graphics system.\n"));
    EXPECT_EQ(alpha.GetAlpha(), 256);
    SDL_FreeSurface(glass);
}

TEST_F(SpriteCreateTest, FromAFileKeepsTheConversionSettingAsItWas) {
    SDL_Surface* sheet = SheetSurface(4, 4, {2, 1}, 24, tile_test::kRGB24);
    ASSERT_EQ(SDL_SaveBMP(sheet, "sheet.bmp"), 0);
    Veltrano.SurfaceAutomaticConversion(0);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create("sheet.bmp", "walk", 4, 4), 2);
    EXPECT_FALSE(video_surface::AutomaticConversion());
    EXPECT_EQ(FrameCounts(sprite, log), (std::vector<int>{2, 1}));
    Veltrano.SurfaceAutomaticConversion(1);

    EXPECT_EQ(sprite.Create("sheet.bmp", "walk", 4, 4), 0);
    EXPECT_TRUE(log.Contains(" . [CSprite::Create('sheet.bmp','walk')] Warning: sprite already exists. It is not "
                             "possible to create another one.\n"));
    testing_support::WriteFile("broken.png", "\x89PNG\r\n\x1a\nnot really");
    Veltrano_CSprite other;
    EXPECT_EQ(other.Create("missing.bmp", "m", 4, 4), 0);
    EXPECT_TRUE(log.Contains(
        " . [CSprite::Create('missing.bmp','m')] Error: it was not possible to load the given image file.\n"));
    EXPECT_EQ(other.Create("broken.png", "b", 4, 4), 0);
    EXPECT_TRUE(log.Contains(
        " . [CSprite::Create('broken.png','b')] Error: it was not possible to load the given image file.\n"));
    log.Clear();
    EXPECT_EQ(other.Create(static_cast<const char*>(nullptr), "b", 4, 4), 0);
    EXPECT_EQ(log.Text(), "");
    SDL_FreeSurface(sheet);
}

}  // namespace
