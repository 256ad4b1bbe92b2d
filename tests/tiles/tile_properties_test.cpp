// A tile's accessors, alpha and colour key settings, names and information.
#include <string>

#include "Veltrano_CTile.h"
#include "Veltrano_Main.h"
#include "support/tile_test_helpers.h"

namespace {

using namespace tile_test;

class TilePropertiesTest : public TileTest {};

TEST_F(TilePropertiesTest, AnEmptyTileAnswersEmptyAndIgnoresSettings) {
    Veltrano_CTile tile;
    tile.SetName("x");
    tile.SetPosition(3, 4);
    tile.SetAlpha(10);
    tile.SetColorKey(5);
    tile.SetColorKey(1, 2, 3);
    EXPECT_EQ(tile.GetAlpha(), -1);
    EXPECT_EQ(tile.GetColorKey(), -1);
    EXPECT_EQ(tile.GetSurface(), nullptr);
    EXPECT_EQ(tile.GetName(), nullptr);
    EXPECT_EQ(tile.GetPosX() + tile.GetPosY() + tile.GetSizeX() + tile.GetSizeY(), 0);
    tile.Info();
    EXPECT_TRUE(log.Contains("\n . Tile information: current tile is empty.\n"));
}

TEST_F(TilePropertiesTest, AlphaTakesOnlyValuesInRangeAnd255SwitchesItOff) {
    SDL_Surface* source = PatternSurface(4, 4, 24, kRGB24);
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Create(source, "t"), 1);
    tile.SetAlpha(100);
    EXPECT_EQ(tile.GetAlpha(), 100);
    EXPECT_TRUE(tile.GetSurface()->flags & SDL_SRCALPHA);
    EXPECT_EQ(tile.GetSurface()->format->alpha, 100);
    tile.SetAlpha(-1);
    tile.SetAlpha(256);
    EXPECT_EQ(tile.GetAlpha(), 100);
    tile.SetAlpha(255);
    EXPECT_EQ(tile.GetAlpha(), 255);
    EXPECT_FALSE(tile.GetSurface()->flags & SDL_SRCALPHA);
    SDL_FreeSurface(source);
}

TEST_F(TilePropertiesTest, ColorKeyByValueOrColourAndClearedByMinusOne) {
    SDL_Surface* source = PatternSurface(4, 4, 16, kRGB565);
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Create(source, "t"), 1);
    tile.SetColorKey(255, 0, 255);
    EXPECT_EQ(tile.GetColorKey(), 0xF81F);
    EXPECT_EQ(tile.GetSurface()->format->colorkey, 0xF81Fu);
    EXPECT_TRUE(tile.GetSurface()->flags & SDL_SRCCOLORKEY);
    tile.SetColorKey(0, -1, 0);
    EXPECT_EQ(tile.GetColorKey(), -1);
    EXPECT_FALSE(tile.GetSurface()->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(tile.GetSurface()->format->colorkey, 0xFFFFFFFFu);
    tile.SetColorKey(0x07E0);
    EXPECT_EQ(tile.GetColorKey(), 0x07E0);
    SDL_FreeSurface(source);
}

TEST_F(TilePropertiesTest, NamesMustFitTheField) {
    SDL_Surface* source = PatternSurface(4, 4, 24, kRGB24);
    Veltrano_CTile tile;
    const std::string longName(40, 'n');
    ASSERT_EQ(tile.Create(source, longName.c_str()), 1);
    EXPECT_EQ(std::string(tile.GetName()), std::string(31, 'n'));
    tile.SetName(std::string(32, 'm').c_str());
    EXPECT_EQ(std::string(tile.GetName()), std::string(31, 'n'));
    tile.SetName(std::string(31, 'm').c_str());
    EXPECT_EQ(std::string(tile.GetName()), std::string(31, 'm'));
    tile.SetName(nullptr);
    EXPECT_EQ(std::string(tile.GetName()), std::string(31, 'm'));
    SDL_FreeSurface(source);
}

TEST_F(TilePropertiesTest, InfoDescribesTheTileExactly) {
    SDL_Surface* source = PatternSurface(100, 60, 24, kRGB24);
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Create(source, "sheet"), 1);
    tile.SetPosition(-2, 9);
    tile.SetAlpha(40);
    tile.SetColorKey(255, 0, 255);
    tile.SetTileSet(1, 30, 20);
    log.Clear();
    tile.Info();
    // Pitch 300 x 60 = 18000 bytes: 17 Kb, rounded down.
    EXPECT_EQ(log.Text(),
              "\n . Tile information of 'sheet':\n"
              "      -> Surface of 17 Kb located at system memory\n"
              "      -> Tile size: 100x60 - Color depth: 24bits - Position: (-2,9)\n"
              "      -> Alpha blending: per-surface (40) - Colorkey: RGB(255,0,255)\n"
              "      -> Tileset: enabled - OffsetX: 30 - OffsetY: 20 - Number of tiles: 9\n"
              "\n");
    tile.SetAlpha(255);
    tile.SetColorKey(-1);
    tile.SetTileSet(0, 0, 0);
    log.Clear();
    tile.Info();
    EXPECT_TRUE(log.Contains("      -> Alpha blending: disabled - Colorkey: disabled\n"
                             "      -> Tileset: disabled\n\n"));
    SDL_FreeSurface(source);
}

}  // namespace
