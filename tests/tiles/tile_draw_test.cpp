// Drawing tiles: whole, by grid cell with the cell arithmetic, with the
// transformation bits, on the screen and clipped.
#include "Veltrano_CTile.h"
#include "Veltrano_Main.h"
#include "support/tile_test_helpers.h"
#include "tiles/tile_transform.h"

namespace {

using namespace tile_test;

class TileDrawTest : public TileTest {
protected:
    void SetUp() override {
        TileTest::SetUp();
        sheet = PatternSurface(100, 60, 24, kRGB24);
        target = SDL_CreateRGBSurface(SDL_SWSURFACE, 120, 80, 24, kRGB24.r, kRGB24.g, kRGB24.b, 0);
        SDL_FillRect(target, nullptr, 0);
        ASSERT_EQ(tile.Create(sheet, "sheet"), 1);
    }
    void TearDown() override {
        tile.Clean();
        SDL_FreeSurface(sheet);
        SDL_FreeSurface(target);
        TileTest::TearDown();
    }
    // Pixels of target that are not black.
    int Painted() {
        int count = 0;
        for (int y = 0; y < target->h; ++y)
            for (int x = 0; x < target->w; ++x) count += PixelAt(target, x, y) != 0;
        return count;
    }

    SDL_Surface* sheet = nullptr;
    SDL_Surface* target = nullptr;
    Veltrano_CTile tile;
};

TEST_F(TileDrawTest, GridCellsAreCutByStepAndSizedByTheirShare) {
    ASSERT_EQ(tile.SetTileSet(1, 30, 20), 1);
    tile.SetPosition(7, 9);
    // 3 cells a row, 3 rows: cell 5 is taken at (30, 20), 33 x 20 pixels.
    ASSERT_EQ(tile.Draw(target, 5), 1);
    EXPECT_TRUE(SameArea(target, 7, 9, sheet, 30, 20, 33, 20));
    EXPECT_EQ(PixelAt(target, 6, 9), 0u);
    EXPECT_EQ(PixelAt(target, 7 + 33, 9), 0u);
    EXPECT_EQ(PixelAt(target, 7, 9 + 20), 0u);
    SDL_FillRect(target, nullptr, 0);
    ASSERT_EQ(tile.Draw(target, 9), 1);
    EXPECT_TRUE(SameArea(target, 7, 9, sheet, 60, 40, 33, 20));
}

TEST_F(TileDrawTest, CellIdsOutsideTheGridDrawNothing) {
    tile.SetTileSet(1, 30, 20);
    EXPECT_EQ(tile.Draw(target, 10), 0);
    EXPECT_TRUE(log.Contains(" . [CTileEngine::Draw(10)] Warning: the given tile id does not exist in current "
                             "tileset.\n"));
    log.Clear();
    EXPECT_EQ(tile.Draw(target, 0), 0);
    EXPECT_EQ(tile.Draw(target, 0x40000000), 0);
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(Painted(), 0);
    // A step larger than the tile leaves no cell, and no division by zero.
    tile.SetTileSet(1, 101, 20);
    EXPECT_EQ(tile.Draw(target, 1), 0);
    EXPECT_EQ(Painted(), 0);
}

TEST_F(TileDrawTest, WithoutAGridTheIdIsIgnoredAndTheWholeTileIsDrawn) {
    tile.SetPosition(10, 10);
    EXPECT_EQ(tile.Draw(target, 12345), 1);
    EXPECT_TRUE(SameArea(target, 10, 10, sheet, 0, 0, 100, 60));
    EXPECT_EQ(Painted(), 100 * 60);
}

TEST_F(TileDrawTest, TheTopThreeBitsChooseTheTransformation) {
    using tile_transform::Kind;
    EXPECT_EQ(tile_transform::FromFlags(0x00000001), Kind::Plain);
    EXPECT_EQ(tile_transform::FromFlags(0x20000001), Kind::Plain);
    EXPECT_EQ(tile_transform::FromFlags(0x40000001), Kind::Flip);
    EXPECT_EQ(tile_transform::FromFlags(0x60000001), Kind::Rotate270);
    EXPECT_EQ(tile_transform::FromFlags(0x80000001), Kind::Mirror);
    EXPECT_EQ(tile_transform::FromFlags(0xA0000001), Kind::Rotate90);
    EXPECT_EQ(tile_transform::FromFlags(0xC0000001), Kind::Rotate180);
    EXPECT_EQ(tile_transform::FromFlags(0xE0000001), Kind::Plain);
    // The bits do not change which cell is drawn; turned cells are centred
    // on the cell's place, which leaves room for them here.
    tile.SetTileSet(1, 30, 20);
    tile.SetPosition(20, 20);
    for (uint32_t flags : {0x20000000u, 0x40000000u, 0x60000000u, 0x80000000u, 0xA0000000u, 0xC0000000u,
                           0xE0000000u}) {
        SCOPED_TRACE(flags);
        SDL_FillRect(target, nullptr, 0);
        ASSERT_EQ(tile.Draw(target, static_cast<int>(flags | 2)), 1);
        EXPECT_EQ(Painted(), 33 * 20);
    }
}

// Cell 2 of a 30x20 grid (33x20 pixels from x = 30), drawn at (20, 20)
// with each transformation, compared pixel by pixel with the sheet. Quarter
// turns (20x33) are centred on the cell's place: 6 right, 6 up.
TEST_F(TileDrawTest, TransformedCellsDrawTheirPixelsMovedThroughTheScreenEffects) {
    tile.SetTileSet(1, 30, 20);
    tile.SetPosition(20, 20);
    const int w = 33, h = 20, left = 30;
    const struct {
        uint32_t flags;
        int drawnW, drawnH;
        // The sheet pixel (relative to the cell) shown at (x, y) of the drawing.
        void (*source)(int x, int y, int w, int h, int* sx, int* sy);
    } cases[] = {
        {0x40000000u, w, h, [](int x, int y, int, int hh, int* sx, int* sy) { *sx = x, *sy = hh - 1 - y; }},
        {0x80000000u, w, h, [](int x, int y, int ww, int, int* sx, int* sy) { *sx = ww - 1 - x, *sy = y; }},
        {0xC0000000u, w, h, [](int x, int y, int ww, int hh, int* sx, int* sy) { *sx = ww - 1 - x, *sy = hh - 1 - y; }},
        // A quarter turn clockwise: the cell's left column becomes the top row.
        {0xA0000000u, h, w, [](int x, int y, int, int hh, int* sx, int* sy) { *sx = y, *sy = hh - 1 - x; }},
        {0x60000000u, h, w, [](int x, int y, int ww, int, int* sx, int* sy) { *sx = ww - 1 - y, *sy = x; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        SDL_FillRect(target, nullptr, 0);
        ASSERT_EQ(tile.Draw(target, static_cast<int>(c.flags | 2)), 1);
        const int atX = 20 + (w - c.drawnW) / 2, atY = 20 + (h - c.drawnH) / 2;
        int wrong = 0;
        for (int y = 0; y < c.drawnH; ++y)
            for (int x = 0; x < c.drawnW; ++x) {
                int sx = 0, sy = 0;
                c.source(x, y, w, h, &sx, &sy);
                if (PixelAt(target, atX + x, atY + y) != PixelAt(sheet, left + sx, sy) && wrong++ < 3)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is not sheet " << left + sx << "," << sy;
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(Painted(), w * h);
    }
}

TEST_F(TileDrawTest, ClipsAtTheTargetsEdgesAndFarPositionsStayOff) {
    tile.SetPosition(-90, 70);
    ASSERT_EQ(tile.Draw(target, 0), 1);
    EXPECT_TRUE(SameArea(target, 0, 70, sheet, 90, 0, 10, 10));
    EXPECT_EQ(Painted(), 10 * 10);
    SDL_FillRect(target, nullptr, 0);
    // Positions beyond 16 bits do not wrap round onto the target.
    tile.SetPosition(65536 + 5, 65536 + 5);
    tile.Draw(target, 0);
    tile.SetPosition(-65536, 0);
    tile.Draw(target, 0);
    EXPECT_EQ(Painted(), 0);
}

TEST_F(TileDrawTest, ANullTargetIsTheScreen) {
    EXPECT_EQ(tile.Draw(nullptr, 0), 0);
    EXPECT_TRUE(log.Contains(" . [CTile::Draw()] Error: the given surface or Veltrano.screen are null.\n"));
    OpenScreen(32);
    SDL_FillRect(Veltrano.screen, nullptr, 0);
    tile.SetPosition(4, 4);
    ASSERT_EQ(tile.Draw(nullptr, 0), 1);
    EXPECT_TRUE(SameArea(Veltrano.screen, 4, 4, sheet, 0, 0, 60, 60));
    EXPECT_EQ(Veltrano_CTile().Draw(target, 0), 0) << "an empty tile draws nothing";
}

TEST_F(TileDrawTest, KeyAndAlphaApplyWhenDrawn) {
    SDL_Surface* two = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 1, 24, kRGB24.r, kRGB24.g, kRGB24.b, 0);
    reinterpret_cast<Uint8*>(two->pixels)[0] = 0xFF;  // blue, then black
    Veltrano_CTile keyed;
    ASSERT_EQ(keyed.Create(two, "two"), 1);
    keyed.SetColorKey(0, 0, 0xFF);
    SDL_FillRect(target, nullptr, 0x00FF00);
    keyed.Draw(target, 0);
    EXPECT_EQ(PixelAt(target, 0, 0), 0x00FF00u) << "the key colour is not drawn";
    EXPECT_EQ(PixelAt(target, 1, 0), 0u);
    keyed.SetColorKey(-1, 0, 0);
    keyed.SetAlpha(128);
    SDL_FillRect(target, nullptr, 0xFFFFFF);
    keyed.Draw(target, 0);
    Uint8 r, g, b;
    SDL_GetRGB(PixelAt(target, 1, 0), target->format, &r, &g, &b);
    EXPECT_NEAR(r, 127, 2) << "half of white over black";
    SDL_FreeSurface(two);
}

TEST_F(TileDrawTest, SetTileSetAndGetOffset) {
    int x = -1, y = -1;
    EXPECT_EQ(tile.GetOffset(&x, &y), 0);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 60);
    EXPECT_EQ(tile.SetTileSet(1, 0, -4), 1);
    EXPECT_EQ(tile.GetOffset(&x, nullptr), 1);
    EXPECT_EQ(x, 1);
    ASSERT_EQ(tile.Draw(target, 100 * 60), 1) << "steps of 1 give one cell a pixel";
    EXPECT_EQ(Painted(), 1);
    EXPECT_EQ(tile.SetTileSet(0, 5, 5), 0);
    EXPECT_EQ(tile.GetOffset(&x, &y), 0);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(Veltrano_CTile().SetTileSet(1, 5, 5), 0);
}

}  // namespace
