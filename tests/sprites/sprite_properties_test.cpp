// Sprite properties: alpha and its limits, colour keys, names, background
// restore and the information dump.
#include <string>

#include "Veltrano_CSprite.h"
#include "Veltrano_Main.h"
#include "sprites/sprite_test_helpers.h"

namespace {

using namespace sprite_test;

class SpritePropertiesTest : public SpriteTest {};

TEST_F(SpritePropertiesTest, EmptySpritesAnswerWithTheirEmptyValues) {
    Veltrano_CSprite sprite;
    EXPECT_EQ(sprite.GetAlpha(), -1);
    EXPECT_EQ(sprite.GetColorKey(), -1);
    EXPECT_EQ(sprite.GetName(), nullptr);
    EXPECT_EQ(sprite.GetSurface(), nullptr);
    int w = 5, h = 5;
    sprite.GetOffset(&w, &h);
    EXPECT_EQ(w, 0);
    sprite.GetOffset(nullptr, nullptr);
    sprite.SetName("x");
    sprite.SetAlpha(3);
    sprite.SetColorKey(1, 2, 3);
    sprite.AutoRestore(1);
    EXPECT_EQ(sprite.GetName(), nullptr);
    sprite.Info();
    EXPECT_TRUE(log.Contains("\n . Sprite information: current sprite is empty.\n"));
}

TEST_F(SpritePropertiesTest, AlphaStaysWithinItsRangeAndSwitchesBlending) {
    SDL_Surface* sheet = SheetSurface(4, 4, {1}, 24, tile_test::kRGB24);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create(sheet, "a", 4, 4), 1);
    EXPECT_EQ(sprite.GetAlpha(), 255);
    sprite.SetAlpha(100);
    EXPECT_EQ(sprite.GetAlpha(), 100);
    EXPECT_TRUE(sprite.GetSurface()->flags & SDL_SRCALPHA);
    sprite.SetAlpha(300);
    sprite.SetAlpha(-1);
    EXPECT_EQ(sprite.GetAlpha(), 100);
    sprite.SetAlpha(255);
    EXPECT_FALSE(sprite.GetSurface()->flags & SDL_SRCALPHA);
    SDL_FreeSurface(sheet);

    SDL_Surface* glass = SheetSurface(4, 4, {1}, 32, tile_test::kRGBA32);
    Veltrano_CSprite perPixel;
    ASSERT_EQ(perPixel.Create(glass, "g", 4, 4), 1);
    perPixel.SetAlpha(50);
    EXPECT_EQ(perPixel.GetAlpha(), 256);
    EXPECT_EQ(perPixel.GetSurface()->format->alpha, 255);
    SDL_FreeSurface(glass);
}

TEST_F(SpritePropertiesTest, ColourKeysByValueAndByColour) {
    SDL_Surface* sheet = SheetSurface(4, 4, {1}, 16, tile_test::kRGB565);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create(sheet, "k", 4, 4), 1);
    sprite.SetColorKey(255, 0, 0);
    EXPECT_EQ(sprite.GetColorKey(), 0xF800);
    EXPECT_TRUE(sprite.GetSurface()->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(sprite.GetSurface()->format->colorkey, 0xF800u);
    sprite.SetColorKey(255, -1, 0);
    EXPECT_EQ(sprite.GetColorKey(), -1);
    EXPECT_FALSE(sprite.GetSurface()->flags & SDL_SRCCOLORKEY);
    sprite.SetColorKey(0x001F);
    EXPECT_EQ(sprite.GetSurface()->format->colorkey, 0x001Fu);
    SDL_FreeSurface(sheet);
}

TEST_F(SpritePropertiesTest, NamesFitTheirField) {
    SDL_Surface* sheet = SheetSurface(4, 4, {1}, 24, tile_test::kRGB24);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create(sheet, "first", 4, 4), 1);
    const std::string longest(31, 'n');
    sprite.SetName(longest.c_str());
    EXPECT_EQ(std::string(sprite.GetName()), longest);
    sprite.SetName(std::string(32, 'x').c_str());
    EXPECT_EQ(std::string(sprite.GetName()), longest);
    sprite.SetName(nullptr);
    EXPECT_EQ(std::string(sprite.GetName()), longest);
    // A name too long for the field is cut when the sprite is made.
    Veltrano_CSprite other;
    ASSERT_EQ(other.Create(sheet, std::string(40, 'y').c_str(), 4, 4), 1);
    EXPECT_EQ(std::string(other.GetName()), std::string(31, 'y'));
    SDL_FreeSurface(sheet);
}

TEST_F(SpritePropertiesTest, BackgroundRestoreNeedsASingleBufferedScreen) {
    SDL_Surface* sheet = SheetSurface(4, 4, {1}, 24, tile_test::kRGB24);
    Veltrano_CSprite early;
    ASSERT_EQ(early.Create(sheet, "early", 4, 4), 1);
    early.Info();
    EXPECT_TRUE(log.Contains("      -> AutoRestore: Off - Sprite type: Master - Special Effect: None\n"));
    OpenScreen(32);
    log.Clear();
    Veltrano_CSprite late;
    ASSERT_EQ(late.Create(sheet, "late", 4, 4), 1);
    late.Info();
    EXPECT_TRUE(log.Contains("      -> AutoRestore: On"));
    late.AutoRestore(0);
    log.Clear();
    late.Info();
    EXPECT_TRUE(log.Contains("      -> AutoRestore: Off"));
    // Emptied and made again, the sprite restores its background as new.
    late.AutoRestore(1);
    late.Clean();
    ASSERT_EQ(late.Create(sheet, "late", 4, 4), 1);
    log.Clear();
    late.Info();
    EXPECT_TRUE(log.Contains("      -> AutoRestore: On"));
    SDL_FreeSurface(sheet);
}

TEST_F(SpritePropertiesTest, CleanEmptiesARunningSpriteButNotAPausedOne) {
    SDL_Surface* sheet = SheetSurface(4, 4, {2}, 24, tile_test::kRGB24);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create(sheet, "kept", 4, 4), 1);
    sprite.Pause();
    sprite.Clean();
    EXPECT_STREQ(sprite.GetName(), "kept");
    EXPECT_NE(sprite.GetSurface(), nullptr);
    sprite.Resume();
    sprite.Clean();
    EXPECT_EQ(sprite.GetSurface(), nullptr);
    EXPECT_EQ(sprite.GetAlpha(), -1);
    int w = 1, h = 1;
    sprite.GetOffset(&w, &h);
    EXPECT_EQ(w, 0);
    // Empty again, the sprite can be made anew.
    EXPECT_EQ(sprite.Create(sheet, "again", 4, 4), 1);
    SDL_FreeSurface(sheet);
}

TEST_F(SpritePropertiesTest, TheInformationDumpDescribesSheetAndAnimations) {
    SDL_Surface* sheet = SheetSurface(8, 4, {2, 1}, 16, tile_test::kRGB565);
    Veltrano_CSprite sprite;
    ASSERT_EQ(sprite.Create(sheet, "dump", 8, 4), 2);
    sprite.SetAlpha(90);
    sprite.SetColorKey(255, 0, 0);
    log.Clear();
    sprite.Info();
    const std::string expected =
        "\n . Sprite information of 'dump':\n"
        "      -> Surface of 0 Kb located at system memory\n"
        "      -> AutoRestore: Off - Sprite type: Master - Special Effect: None\n"
        "      -> Frame size: 8x4 - Color depth: 16bits - Position: (0,0)\n"
        "      -> Alpha blending: per-surface (90) - Colorkey: RGB(255,0,0)\n"
        "      -> Number of animations: 2 - Current animation: 1\n"
        "      -> State animation Normal(1) - Type Loop\n"
        "         . Status: 32768 - Number of frames: 2 - Current frame: 0\n"
        "         . HotSpot X: 0 - HotSpot Y: 0 - Start frame: 1 - End frame: 2\n"
        "         . Frame 1 - Time 100 ms \n"
        "         . Frame 2 - Time 100 ms \n"
        "      -> State animation Normal(2) - Type Loop\n"
        "         . Status: 32769 - Number of frames: 1 - Current frame: 0\n"
        "         . HotSpot X: 0 - HotSpot Y: 0 - Start frame: 1 - End frame: 1\n"
        "         . Frame 1 - Time 100 ms \n"
        "\n";
    EXPECT_NE(log.Text().find(expected), std::string::npos) << log.Text();
    SDL_FreeSurface(sheet);
}

}  // namespace
