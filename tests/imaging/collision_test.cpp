// Pixel-exact collision with the bounding-box, every-pixel and
// every-second-pixel methods.
#include "Veltrano_IPrimitives.h"
#include "Veltrano_Main.h"
#include "imaging/imaging_test_helpers.h"

namespace {

class CollisionTest : public imaging_test::ImagingTest {
protected:
    // A 10x10 keyed surface (key 0) with one opaque pixel at (x, y).
    SDL_Surface* Dot(int x, int y) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 10, 10, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        SDL_SetColorKey(s, SDL_SRCCOLORKEY, 0);
        IPrimitives->PutPixelColor(s, static_cast<short>(x), static_cast<short>(y), 0xFFFFFF, 1);
        surfaces.push_back(s);
        return s;
    }
    void TearDown() override {
        for (SDL_Surface* s : surfaces) SDL_FreeSurface(s);
        IPrimitives->SetCollisionMethod(1);
        imaging_test::ImagingTest::TearDown();
    }
    std::vector<SDL_Surface*> surfaces;
};

TEST_F(CollisionTest, MethodsDecideHowCloselyImagesAreCompared) {
    EXPECT_EQ(IPrimitives->GetCollisionMethod(), 1);
    SDL_Surface* a = Dot(9, 9);
    SDL_Surface* b = Dot(0, 0);
    SDL_Rect boxA = {0, 0, 10, 10};
    SDL_Rect touching = {9, 9, 10, 10};  // b's dot lands on a's dot
    SDL_Rect overlapping = {5, 5, 10, 10};
    SDL_Rect apart = {10, 0, 10, 10};

    IPrimitives->SetCollisionMethod(0);
    EXPECT_EQ(IPrimitives->PixelCollision(a, &boxA, b, &overlapping, 0, nullptr, nullptr), 1);
    EXPECT_EQ(IPrimitives->PixelCollision(a, &boxA, b, &apart, 0, nullptr, nullptr), 0);

    IPrimitives->SetCollisionMethod(1);
    EXPECT_EQ(IPrimitives->PixelCollision(a, &boxA, b, &touching, 0, nullptr, nullptr), 1);
    EXPECT_EQ(IPrimitives->PixelCollision(a, &boxA, b, &overlapping, 0, nullptr, nullptr), 0);

    // Every second pixel from the overlap's corner: (9, 9) is sampled when
    // the overlap starts at an odd offset from it, missed otherwise.
    IPrimitives->SetCollisionMethod(2);
    EXPECT_EQ(IPrimitives->PixelCollision(a, &boxA, b, &touching, 0, nullptr, nullptr), 1);
    SDL_Surface* c = Dot(9, 8);
    SDL_Surface* d = Dot(0, 1);
    SDL_Rect boxD = {9, 7, 10, 10};  // overlap rows 7..9: (9, 8) is skipped
    EXPECT_EQ(IPrimitives->PixelCollision(c, &boxA, d, &boxD, 0, nullptr, nullptr), 0);
    IPrimitives->SetCollisionMethod(1);
    EXPECT_EQ(IPrimitives->PixelCollision(c, &boxA, d, &boxD, 0, nullptr, nullptr), 1);

    IPrimitives->SetCollisionMethod(-3);
    EXPECT_EQ(IPrimitives->GetCollisionMethod(), 0);
}

TEST_F(CollisionTest, OffsetsPickFramesAndBoxesBeyondTheSurfaceAreSafe) {
    SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, 20, 10, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    surfaces.push_back(sheet);
    // Per-pixel alpha: the second frame (x 10..19) is opaque, the first clear.
    IPrimitives->BoxRGBA(sheet, 10, 0, 20, 10, 255, 255, 255, 255);
    SDL_Surface* dot = Dot(0, 0);
    SDL_Rect boxSheet = {0, 0, 10, 10};
    SDL_Rect boxDot = {4, 4, 10, 10};
    SDL_Rect secondFrame = {10, 0, 0, 0};
    EXPECT_EQ(IPrimitives->PixelCollision(sheet, &boxSheet, dot, &boxDot, 0, nullptr, nullptr), 0);
    EXPECT_EQ(IPrimitives->PixelCollision(sheet, &boxSheet, dot, &boxDot, 0, &secondFrame, nullptr), 1);
    // A box far larger than its surface: only real pixels are sampled.
    SDL_Rect hugeBox = {-1000, -1000, 30000, 30000};
    EXPECT_EQ(IPrimitives->PixelCollision(sheet, &hugeBox, dot, &boxDot, 0, nullptr, nullptr), 0);
    SDL_Rect farFrame = {5000, 5000, 0, 0};
    EXPECT_EQ(IPrimitives->PixelCollision(sheet, &boxSheet, dot, &boxDot, 0, &farFrame, nullptr), 0);
    EXPECT_EQ(IPrimitives->PixelCollision(sheet, nullptr, dot, &boxDot, 0, nullptr, nullptr), 0);
}

TEST_F(CollisionTest, DebugOutlinesOnTheScreen) {
    OpenScreen(32);
    SDL_Surface* a = Dot(9, 9);
    SDL_Surface* b = Dot(0, 0);
    SDL_Rect boxA = {0, 0, 10, 10};
    SDL_Rect boxB = {9, 9, 10, 10};
    SDL_FillRect(Veltrano.screen, nullptr, 0);
    EXPECT_EQ(IPrimitives->PixelCollision(a, &boxA, b, &boxB, 1, nullptr, nullptr), 1);
    const Uint32 blue = SDL_MapRGB(Veltrano.screen->format, 0, 0, 255);
    const Uint32 red = SDL_MapRGB(Veltrano.screen->format, 255, 0, 0);
    EXPECT_EQ(imaging_test::PixelAt(Veltrano.screen, 0, 0), blue);
    EXPECT_EQ(imaging_test::PixelAt(Veltrano.screen, 9, 9), red);  // the one-pixel overlap
}

}  // namespace
