// Tile creation from surfaces and files, the live-tile count and emptying.
#include "Veltrano_CTile.h"
#include "Veltrano_IImage.h"
#include "Veltrano_Main.h"
#include "core/video_surface.h"
#include "support/tile_test_helpers.h"

namespace {

using namespace tile_test;

class TileCreateTest : public TileTest {};

TEST_F(TileCreateTest, CountsLiveTilesAndReportsLeftOnesAtShutDown) {
    const int before = Veltrano.tileCount;
    {
        Veltrano_CTile a, b;
        EXPECT_EQ(Veltrano.tileCount, before + 2);
    }
    EXPECT_EQ(Veltrano.tileCount, before);
    auto* leaked = new Veltrano_CTile;
    Veltrano.Quit();
    EXPECT_TRUE(log.Contains("your application have left 1 tiles without deleting."));
    delete leaked;
    ASSERT_EQ(Veltrano.Init(SDL_INIT_VIDEO), 1);
}

TEST_F(TileCreateTest, CopiesTheSurfaceWithItsKeyAndAlpha) {
    SDL_Surface* source = PatternSurface(20, 10, 16, kRGB565);
    SDL_SetColorKey(source, SDL_SRCCOLORKEY, 0x001F);
    SDL_SetAlpha(source, SDL_SRCALPHA, 90);
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Create(source, "wall"), 1);
    // A copy: the caller's surface is its own.
    EXPECT_NE(tile.GetSurface(), source);
    EXPECT_EQ(FirstPixelDifference(tile.GetSurface(), source), "");
    EXPECT_EQ(tile.GetColorKey(), 0x001F);
    EXPECT_EQ(tile.GetAlpha(), 90);
    EXPECT_EQ(tile.GetSizeX(), 20);
    EXPECT_EQ(tile.GetSizeY(), 10);
    EXPECT_STREQ(tile.GetName(), "wall");
    SDL_FreeSurface(source);

    // An unkeyed, opaque source gives "no key" in the tile and its surface.
    SDL_Surface* plain = PatternSurface(4, 4, 24, kRGB24);
    Veltrano_CTile other;
    ASSERT_EQ(other.Create(plain, "plain"), 1);
    EXPECT_EQ(other.GetColorKey(), -1);
    EXPECT_EQ(other.GetSurface()->format->colorkey, 0xFFFFFFFFu);
    EXPECT_EQ(other.GetAlpha(), 255);
    SDL_FreeSurface(plain);
}

TEST_F(TileCreateTest, AnAlphaChannelMeansPerPixelAlpha) {
    SDL_Surface* source = PatternSurface(8, 8, 32, kRGBA32);
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Create(source, "glass"), 1);
    EXPECT_EQ(tile.GetAlpha(), 256);
    // Per-pixel tiles ignore surface alpha and keys.
    tile.SetAlpha(100);
    tile.SetColorKey(0xFF);
    EXPECT_EQ(tile.GetAlpha(), 256);
    EXPECT_EQ(tile.GetColorKey(), -1);
    SDL_FreeSurface(source);
}

TEST_F(TileCreateTest, ConvertsToTheScreenOnlyWhileAutomaticConversionIsOn) {
    OpenScreen(32);
    SDL_Surface* source = PatternSurface(8, 8, 24, kRGB24);
    Veltrano_CTile converted, kept;
    ASSERT_EQ(converted.Create(source, "a"), 1);
    EXPECT_EQ(converted.GetSurface()->format->BitsPerPixel, Veltrano.screen->format->BitsPerPixel);
    EXPECT_TRUE(SameArea(converted.GetSurface(), 0, 0, source, 0, 0, 8, 8));
    Veltrano.SurfaceAutomaticConversion(0);
    ASSERT_EQ(kept.Create(source, "b"), 1);
    EXPECT_EQ(kept.GetSurface()->format->BitsPerPixel, 24);
    SDL_FreeSurface(source);
}

TEST_F(TileCreateTest, FromFilesKeepsTheConversionSettingAsItWas) {
    OpenScreen(32);
    SDL_Surface* picture = PatternSurface(12, 6, 24, kRGB24);
    ASSERT_EQ(IImage->SavePNG("p.png", picture, 6), 0);
    ASSERT_EQ(IImage->SaveBMP("p.bmp", picture), 1);
    for (int setting : {0, 1}) {
        Veltrano.SurfaceAutomaticConversion(setting);
        Veltrano_CTile png, bmp;
        ASSERT_EQ(png.Create("p.png", "png"), 1);
        ASSERT_EQ(bmp.Create("p.bmp", "bmp"), 1);
        EXPECT_EQ(video_surface::AutomaticConversion(), setting == 1);
        EXPECT_TRUE(SameArea(png.GetSurface(), 0, 0, picture, 0, 0, 12, 6));
        EXPECT_TRUE(SameArea(bmp.GetSurface(), 0, 0, picture, 0, 0, 12, 6));
        const int depth = setting == 1 ? 32 : 24;
        EXPECT_EQ(png.GetSurface()->format->BitsPerPixel, depth);
    }
    SDL_FreeSurface(picture);
}

TEST_F(TileCreateTest, RefusesWhatItCannotUse) {
    SDL_Surface* source = PatternSurface(4, 4, 24, kRGB24);
    Veltrano_CTile tile;
    EXPECT_EQ(tile.Create(static_cast<SDL_Surface*>(nullptr), "x"), 0);
    EXPECT_EQ(tile.Create(source, nullptr), 0);
    testing_support::WriteFile("notes.txt", "neither BMP nor PNG");
    EXPECT_EQ(tile.Create("notes.txt", "x"), 0);
    EXPECT_TRUE(log.Contains(" . [CTile::Create('notes.txt','x')] Error: it was not possible to load the given "
                             "image file.\n"));
    EXPECT_EQ(tile.Create("missing.png", "x"), 0);
    EXPECT_EQ(tile.GetSurface(), nullptr);

    ASSERT_EQ(tile.Create(source, "first"), 1);
    EXPECT_EQ(tile.Create(source, "second"), 0);
    EXPECT_TRUE(log.Contains(",'second')] Warning: tile already exists. It is not possible to create another "
                             "one.\n"));
    EXPECT_STREQ(tile.GetName(), "first");

    Veltrano.Quit();
    Veltrano_CTile late;
    EXPECT_EQ(late.Create(source, "late"), 0);
    EXPECT_TRUE(log.Contains(",'late')] Error: Veltrano was not initialized. Aborting the tile creation.\n"));
    SDL_FreeSurface(source);
    ASSERT_EQ(Veltrano.Init(SDL_INIT_VIDEO), 1);
}

TEST_F(TileCreateTest, CleanEmptiesTheTileAndForgetsItsKey) {
    SDL_Surface* keyed = PatternSurface(30, 20, 24, kRGB24);
    SDL_SetColorKey(keyed, SDL_SRCCOLORKEY, 0xFF00FF);
    SDL_Surface* plain = PatternSurface(10, 10, 24, kRGB24);
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Create(keyed, "tile"), 1);
    tile.SetPosition(5, 6);
    tile.SetTileSet(1, 10, 10);
    tile.Clean();
    EXPECT_EQ(tile.GetSurface(), nullptr);
    EXPECT_EQ(tile.GetName(), nullptr);
    EXPECT_EQ(tile.GetPosX(), 0);
    EXPECT_EQ(tile.GetSizeX(), 0);
    EXPECT_EQ(tile.GetOffset(nullptr, nullptr), 0);
    // Made again from an unkeyed surface it has no key, and neither has
    // what it saves.
    ASSERT_EQ(tile.Create(plain, "tile"), 1);
    EXPECT_EQ(tile.GetColorKey(), -1);
    ASSERT_GT(tile.Save("tiles.dpf", "TILE2"), 0);
    Veltrano_CTile loaded;
    ASSERT_EQ(loaded.Load("tiles.dpf", "tile", "TILE2"), 1);
    EXPECT_EQ(loaded.GetColorKey(), -1);
    EXPECT_FALSE(loaded.GetSurface()->flags & SDL_SRCCOLORKEY);
    SDL_FreeSurface(keyed);
    SDL_FreeSurface(plain);
}

}  // namespace
