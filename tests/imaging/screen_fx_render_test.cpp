// RenderFX on known pixels: every effect, the frame counter that drives the
// wave and the pixelation, and null surfaces.
#include <cmath>
#include <cstdlib>

#include "Veltrano_IPrimitives.h"
#include "imaging/screen_fx_render.h"
#include "imaging/screen_fx_test_helpers.h"

namespace {

using imaging_test::CountPixels;
using imaging_test::FirstPixelDifference;
using imaging_test::PixelAt;
using namespace screen_fx_test;

class ScreenFxRenderTest : public ScreenFxTest {
protected:
    // Advances the frame counter with an effect number that draws nothing.
    void SkipFrames(int frames) {
        SDL_Surface* s = Filled(1, 1, 32, kRgb32, 0);
        for (int i = 0; i < frames; ++i) IScreenFX->RenderFX(s, s, 0);
    }
    static Uint32 Rgb(int r, int g, int b) { return static_cast<Uint32>(r << 16 | g << 8 | b); }
};

TEST_F(ScreenFxRenderTest, PerPixelEffectsRecolourKnownPixels) {
    SDL_Surface* src = Filled(3, 2, 32, kRgb32, 0);
    const Uint32 colours[6] = {Rgb(200, 100, 50), Rgb(84, 85, 255), Rgb(0, 0, 0),
                               Rgb(255, 255, 255), Rgb(128, 128, 127), Rgb(10, 250, 3)};
    for (int i = 0; i < 6; ++i) IPrimitives->PutPixelColor(src, i % 3, i / 3, colours[i], 1);
    struct Case {
        int effect;
        Uint32 at00, at10, at11;
    } cases[] = {
        {1, Rgb(170, 85, 0), Rgb(0, 85, 255), Rgb(85, 85, 85)},
        {4, Rgb(200, 50, 25), Rgb(42, 85, 127), Rgb(64, 64, 127)},  // (x + y) % 3 picks the kept channel
        {6, Rgb(55, 155, 205), Rgb(171, 170, 0), Rgb(127, 127, 128)},
        {7, Rgb(116, 116, 116), Rgb(141, 141, 141), Rgb(127, 127, 127)},
        {8, Rgb(40, 40, 40), Rgb(27, 27, 27), Rgb(39, 39, 39)},  // (77r + 153g + 6b) / 765
        {9, Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.effect);
        SDL_Surface* dst = Filled(3, 2, 32, kRgb32, 0x123456);
        IScreenFX->RenderFX(src, dst, c.effect);
        EXPECT_EQ(PixelAt(dst, 0, 0), c.at00);
        EXPECT_EQ(PixelAt(dst, 1, 0), c.at10);
        EXPECT_EQ(PixelAt(dst, 1, 1), c.at11);
        // In place gives the same.
        SDL_Surface* same = Keep(SDL_ConvertSurface(src, src->format, SDL_SWSURFACE));
        IScreenFX->RenderFX(same, same, c.effect);
        EXPECT_EQ(FirstPixelDifference(same, dst), "");
    }
    // A smaller destination receives the pixels that fit, a larger one keeps the rest.
    SDL_Surface* small = Filled(1, 1, 32, kRgb32, 0);
    IScreenFX->RenderFX(src, small, 6);
    EXPECT_EQ(PixelAt(small, 0, 0), Rgb(55, 155, 205));
    SDL_Surface* large = Filled(5, 5, 32, kRgb32, 0x123456);
    IScreenFX->RenderFX(src, large, 6);
    EXPECT_EQ(CountPixels(large, 0x123456), 25 - 6);
}

TEST_F(ScreenFxRenderTest, TheCounterAdvancesOnEveryCallButNotForNullSurfaces) {
    const int start = screen_fx::FrameCounter();
    SDL_Surface* s = Filled(4, 4, 32, kRgb32, 0x808080);
    IScreenFX->RenderFX(nullptr, s, 1);
    IScreenFX->RenderFX(s, nullptr, 2);
    EXPECT_EQ(screen_fx::FrameCounter(), start);
    for (int effect : {-5, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1000}) IScreenFX->RenderFX(s, s, effect);
    EXPECT_EQ(screen_fx::FrameCounter(), start + 16);
}

TEST_F(ScreenFxRenderTest, WaveShiftsRowsByTheTruncatedCosine) {
    SDL_Surface* src = Pattern(48, 6, 32, kRgb32);
    for (int frame : {0, 12}) {
        SCOPED_TRACE(frame);
        SkipFrames(frame - screen_fx::FrameCounter());
        SDL_Surface* dst = Filled(48, 6, 32, kRgb32, 0);
        IScreenFX->RenderFX(src, dst, 2);
        for (int y = 0; y < 6; ++y) {
            const int shift = static_cast<int>(20 * std::cos((8.0 * frame + 2.0 * y) * 3.1416 / 180));
            for (int x = std::max(0, -shift); x < 48 && x + shift < 48; ++x)
                ASSERT_EQ(PixelAt(dst, x + shift, y), PixelAt(src, x, y)) << x << "," << y;
        }
    }
    // At frame 12 the first row's cosine is -2.09: truncated toward zero, a shift of -2.
    EXPECT_EQ(static_cast<int>(20 * std::cos(96.0 * 3.1416 / 180)), -2);
}

TEST_F(ScreenFxRenderTest, PixelateBlocksFollowAnEightyFrameCycle) {
    SDL_Surface* src = Pattern(23, 13, 32, kRgb32);
    auto blockSize = [](int frame) {
        const int p = frame / 4 % 20;
        return p <= 9 ? p + 1 : 21 - p;
    };
    for (int frame : {0, 3, 4, 39, 40, 41, 79, 80, 84}) {
        SCOPED_TRACE(frame);
        SkipFrames(frame - screen_fx::FrameCounter());
        const int z = blockSize(frame);
        SDL_Surface* dst = Filled(23, 13, 32, kRgb32, 0);
        IScreenFX->RenderFX(src, dst, 3);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 23; ++x)
                ASSERT_EQ(PixelAt(dst, x, y), z < 2 ? PixelAt(src, x, y) : PixelAt(src, x / z * z, y / z * z))
                    << x << "," << y;
    }
    EXPECT_EQ(blockSize(40), 11);
    EXPECT_EQ(blockSize(79), 2);
}

TEST_F(ScreenFxRenderTest, SmearAveragesFourPixelsAndShiftsEachRow) {
    SDL_Surface* src = Pattern(12, 5, 32, kRgb32, 3);
    SDL_Surface* dst = Filled(12, 5, 32, kRgb32, 0x010203);
    std::srand(11);
    IScreenFX->RenderFX(src, dst, 5);
    std::srand(11);
    for (int y = 0; y < 5; ++y) {
        const int shift = std::rand() % 4;
        for (int x = 3; x + shift < 12; ++x) {
            Uint32 expected = 0;
            for (int lane = 0; lane < 24; lane += 8) {
                int sum = 0;
                for (int i = x - 3; i <= x; ++i) sum += PixelAt(src, i, y) >> lane & 0xFF;
                expected |= static_cast<Uint32>(sum / 4) << lane;
            }
            ASSERT_EQ(PixelAt(dst, x + shift, y), expected) << x << "," << y;
        }
        for (int x = 0; x < 3 + shift; ++x) EXPECT_EQ(PixelAt(dst, x, y), 0x010203u);
    }
}

TEST_F(ScreenFxRenderTest, TintsFillWholeTwoByTwoBlocksWithTheirHue) {
    SDL_Surface* src = Pattern(5, 3, 32, kRgb32, 8);
    for (auto [effect, hue] : {std::pair{10, 40.0f}, std::pair{11, 110.0f}, std::pair{12, 240.0f}}) {
        SCOPED_TRACE(effect);
        SDL_Surface* dst = Filled(5, 3, 32, kRgb32, 0x010203);
        IScreenFX->RenderFX(src, dst, effect);
        for (int by = 0; by < 2; by += 2)
            for (int bx = 0; bx < 4; bx += 2) {
                Uint8 r, g, b;
                SDL_GetRGB(PixelAt(src, bx, by), src->format, &r, &g, &b);
                float h, s, v;
                IPrimitives->RGBtoHSV(r, g, b, &h, &s, &v);
                IPrimitives->HSVtoRGB(hue, s * 0.5f + 0.5f, v * 0.5f + 0.25f, &r, &g, &b);
                for (int i = 0; i < 4; ++i) EXPECT_EQ(PixelAt(dst, bx + i % 2, by + i / 2), Rgb(r, g, b));
            }
        // Column 4 and row 2 have no whole block.
        EXPECT_EQ(CountPixels(dst, 0x010203), 5 + 2);
    }
}

}  // namespace

namespace {

TEST_F(ScreenFxRenderTest, TheInterfaceMakesItsOwnPrimitivesOnlyWhenNoneExist) {
    Veltrano_IPrimitives* core = IPrimitives;
    {
        Veltrano_IScreenFX sharing;
        EXPECT_EQ(IPrimitives, core);
    }
    EXPECT_EQ(IPrimitives, core);
    IPrimitives = nullptr;
    log.Clear();
    {
        Veltrano_IScreenFX alone;
        EXPECT_NE(IPrimitives, nullptr);
        EXPECT_EQ(screen_fx::FrameCounter(), 0);
        SDL_Surface* s = Filled(2, 2, 32, kRgb32, 0x00FF00);
        alone.RenderFX(s, s, 6);  // pixel access works through the new object
        EXPECT_EQ(PixelAt(s, 1, 1), 0xFF00FFu);
    }
    EXPECT_EQ(IPrimitives, nullptr);
    EXPECT_TRUE(log.Contains(" . [IPrimitives] Interfaz created.\n . [IScreenFX] Interfaz created.\n"));
    EXPECT_TRUE(log.Contains(" . [IScreenFX] Interfaz deleted.\n . [IPrimitives] Interfaz deleted.\n"));
    IPrimitives = core;
}

}  // namespace
