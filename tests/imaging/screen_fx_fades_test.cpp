// FadeToColor and FadeToImage on a manual clock: the step timing rule, the
// region rules, the image's alpha setting kept, and refusals. Flips advance
// the clock instead of waiting.
#include "Veltrano_Main.h"
#include "imaging/screen_fx_fades.h"
#include "imaging/screen_fx_test_helpers.h"

namespace {

using imaging_test::CountPixels;
using imaging_test::PixelAt;
using namespace screen_fx_test;

testing_support::ManualClock* manualClock = nullptr;
int flips = 0;
uint32_t millisecondsPerFlip = 0;

void CountingFlip(SDL_Surface*) {
    ++flips;
    manualClock->Advance(millisecondsPerFlip);
}

class ScreenFxFadesTest : public ScreenFxTest {
protected:
    testing_support::ManualClock clock{1000};
    screen_fx::FlipFunction previous = nullptr;

    void SetUp() override {
        ScreenFxTest::SetUp();
        manualClock = &clock;
        flips = 0;
        millisecondsPerFlip = 0;
        previous = screen_fx::SetFlipFunction(CountingFlip);
    }
    void TearDown() override {
        screen_fx::SetFlipFunction(previous);
        ScreenFxTest::TearDown();
    }
    // A 64 x 64 screen filled with one value.
    SDL_Surface* Screen(Uint32 fill) {
        OpenScreen(32);
        SDL_FillRect(Veltrano.screen, nullptr, fill);
        return Veltrano.screen;
    }
};

// Flips of a fade whose every step takes `took` milliseconds (one flip per
// step unless the share of the duration asks for more), plus the last flip.
int ExpectedFlips(unsigned int ms, unsigned int perFlip) {
    unsigned int alpha = 0, step = 1;
    int count = 0;
    while (alpha < 255) {
        const unsigned int wait = ms / (255 / step);
        unsigned int took = 0;
        do {
            ++count;
            took += perFlip;
        } while (took < wait);
        if (ms < (255 - alpha) / step * took) ++step;
        alpha += step;
    }
    return count + 1;
}

TEST_F(ScreenFxFadesTest, WithoutAScreenOrWithRefusedImagesNothingHappens) {
    SDL_Surface* image = Pattern(8, 8, 32, kRgb32);
    EXPECT_EQ(IScreenFX->FadeToColor(1, 2, 3, 0, nullptr), 0);
    EXPECT_EQ(IScreenFX->FadeToImage(image, 0, nullptr, nullptr), 0);
    SDL_Surface* screen = Screen(0x202020);
    EXPECT_EQ(IScreenFX->FadeToImage(nullptr, 0, nullptr, nullptr), 0);
    EXPECT_EQ(IScreenFX->FadeToImage(screen, 0, nullptr, nullptr), 0);
    EXPECT_EQ(IScreenFX->FadeToImage(Pattern(8, 8, 32, kArgb), 0, nullptr, nullptr), 0);  // per-pixel alpha
    SDL_Rect outside{64, 0, 10, 10};
    EXPECT_EQ(IScreenFX->FadeToColor(255, 0, 0, 0, &outside), 0);
    EXPECT_EQ(IScreenFX->FadeToImage(image, 0, &outside, nullptr), 0);
    EXPECT_EQ(flips, 0);
    EXPECT_EQ(CountPixels(screen, 0x202020), 64 * 64);
}

TEST_F(ScreenFxFadesTest, SlowFlipsGrowTheStepAndALongDurationKeepsItAtOne) {
    SDL_Surface* screen = Screen(0);
    millisecondsPerFlip = 1;
    ASSERT_EQ(IScreenFX->FadeToColor(255, 0, 0, 0, nullptr), 1);
    // ms 0: one flip per step, and every step (1 ms) grows the step by one.
    EXPECT_EQ(flips, ExpectedFlips(0, 1));
    EXPECT_EQ(flips, 23);
    EXPECT_EQ(CountPixels(screen, 0xFF0000), 64 * 64);

    flips = 0;
    ASSERT_EQ(IScreenFX->FadeToColor(0, 0, 255, 2550, nullptr), 1);
    // 255 steps of 10 ms each, ten flips apiece, then the final flip.
    EXPECT_EQ(flips, 255 * 10 + 1);
    EXPECT_EQ(flips, ExpectedFlips(2550, 1));
    EXPECT_EQ(CountPixels(screen, 0x0000FF), 64 * 64);
}

TEST_F(ScreenFxFadesTest, AScreenRectangleImposesItsSizeOnTheImageRegion) {
    SDL_Surface* screen = Screen(0x111111);
    SDL_Surface* image = Pattern(16, 16, 32, kRgb32);
    SDL_Rect onScreen{20, 30, 5, 4}, inImage{2, 3, 10, 10};
    ASSERT_EQ(IScreenFX->FadeToImage(image, 0, &onScreen, &inImage), 1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(PixelAt(screen, 20 + x, 30 + y), PixelAt(image, 2 + x, 3 + y));
    EXPECT_EQ(CountPixels(screen, 0x111111), 64 * 64 - 20);

    // Without a screen rectangle the screen region takes the image's size.
    SDL_Surface* fresh = Screen(0x111111);
    SDL_Rect part{4, 4, 6, 3};
    ASSERT_EQ(IScreenFX->FadeToImage(image, 0, nullptr, &part), 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) ASSERT_EQ(PixelAt(fresh, x, y), PixelAt(image, 4 + x, 4 + y));
    EXPECT_EQ(CountPixels(fresh, 0x111111), 64 * 64 - 18);

    // A region partly off the screen keeps the image aligned with it.
    SDL_Rect corner{-3, -2, 6, 6};
    ASSERT_EQ(IScreenFX->FadeToImage(image, 0, &corner, nullptr), 1);
    EXPECT_EQ(PixelAt(fresh, 0, 0), PixelAt(image, 3, 2));
    EXPECT_EQ(PixelAt(fresh, 2, 3), PixelAt(image, 5, 5));

    // A colour fade within a rectangle touches only that rectangle.
    SDL_Rect box{60, 60, 10, 10};
    SDL_FillRect(fresh, nullptr, 0x111111);
    ASSERT_EQ(IScreenFX->FadeToColor(0, 255, 0, 0, &box), 1);
    EXPECT_EQ(CountPixels(fresh, 0x00FF00), 16);
}

TEST_F(ScreenFxFadesTest, TheImageGetsItsAlphaSettingBack) {
    Screen(0);
    SDL_Surface* blended = Pattern(8, 8, 32, kRgb32);
    SDL_SetAlpha(blended, SDL_SRCALPHA, 200);
    ASSERT_EQ(IScreenFX->FadeToImage(blended, 0, nullptr, nullptr), 1);
    EXPECT_TRUE(blended->flags & SDL_SRCALPHA);
    EXPECT_EQ(blended->format->alpha, 200);
    SDL_Surface* opaque = Pattern(8, 8, 32, kRgb32);
    ASSERT_EQ(IScreenFX->FadeToImage(opaque, 0, nullptr, nullptr), 1);
    EXPECT_FALSE(opaque->flags & SDL_SRCALPHA);
}

}  // namespace
