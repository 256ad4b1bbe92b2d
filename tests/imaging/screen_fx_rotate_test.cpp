// RotateResize and Rotate: exact clockwise quarter turns, the general
// inverse mapping against a 16.16 reference computed here, key rules,
// the near-zero angle shortcut and refusals.
#include <algorithm>
#include <cmath>
#include <limits>

#include "imaging/screen_fx_test_helpers.h"

namespace {

using imaging_test::CountPixels;
using imaging_test::FirstPixelDifference;
using imaging_test::PixelAt;
using namespace screen_fx_test;

class ScreenFxRotateTest : public ScreenFxTest {};

TEST_F(ScreenFxRotateTest, QuarterTurnsMovePixelsExactlyClockwiseEvenWhenSmoothed) {
    for (int depth : {8, 32}) {
        SCOPED_TRACE(depth);
        SDL_Surface* src = Pattern(7, 4, depth, depth == 8 ? kPalette : kArgb);
        SDL_SetAlpha(src, 0, 255);  // no per-pixel alpha: results get a key
        for (int smooth : {0, 1}) {
            SDL_Surface* r90 = Keep(IScreenFX->Rotate(src, nullptr, smooth, 90.0, nullptr, nullptr));
            SDL_Surface* r180 = Keep(IScreenFX->Rotate(src, nullptr, smooth, 180.0, nullptr, nullptr));
            SDL_Surface* r270 = Keep(IScreenFX->Rotate(src, nullptr, smooth, 270.0, nullptr, nullptr));
            SDL_Surface* rMinus90 = Keep(IScreenFX->Rotate(src, nullptr, smooth, -90.0, nullptr, nullptr));
            SDL_Surface* r450 = Keep(IScreenFX->Rotate(src, nullptr, smooth, 450.0, nullptr, nullptr));
            ASSERT_NE(r90, nullptr);
            ASSERT_EQ(r90->w, 4);
            ASSERT_EQ(r90->h, 7);
            ASSERT_EQ(r180->w, 7);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 7; ++x) {
                    ASSERT_EQ(PixelAt(r90, 4 - 1 - y, x), PixelAt(src, x, y));
                    ASSERT_EQ(PixelAt(r180, 7 - 1 - x, 4 - 1 - y), PixelAt(src, x, y));
                    ASSERT_EQ(PixelAt(r270, y, 7 - 1 - x), PixelAt(src, x, y));
                }
            EXPECT_EQ(FirstPixelDifference(rMinus90, r270), "");
            EXPECT_EQ(FirstPixelDifference(r450, r90), "");
        }
    }
}

TEST_F(ScreenFxRotateTest, ResultsGetTheSourceKeyElseMagentaOr255AndNoKeyWithPerPixelAlpha) {
    SDL_Surface* plain = Pattern(6, 6, 32, kRgb32);
    SDL_Surface* turned = Keep(IScreenFX->Rotate(plain, nullptr, 0, 45.0, nullptr, nullptr));
    ASSERT_NE(turned, nullptr);
    EXPECT_TRUE(turned->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(turned->format->colorkey, 0xFF00FFu);
    EXPECT_EQ(PixelAt(turned, 0, 0), 0xFF00FFu);  // the corners lie outside the turned image

    SDL_Surface* keyed = Pattern(6, 6, 32, kRgb32);
    SDL_SetColorKey(keyed, SDL_SRCCOLORKEY, 0x123456);
    SDL_Surface* keyedTurn = Keep(IScreenFX->Rotate(keyed, nullptr, 1, 45.0, nullptr, nullptr));
    EXPECT_EQ(keyedTurn->format->colorkey, 0x123456u);
    EXPECT_EQ(PixelAt(keyedTurn, 0, 0), 0x123456u);

    SDL_Surface* palette = Pattern(6, 6, 8, kPalette);
    SDL_Surface* paletteTurn = Keep(IScreenFX->Rotate(palette, nullptr, 1, 30.0, nullptr, nullptr));
    EXPECT_EQ(paletteTurn->format->colorkey, 255u);
    EXPECT_EQ(0, memcmp(paletteTurn->format->palette->colors, palette->format->palette->colors, 256 * 4));

    SDL_Surface* alpha = Pattern(6, 6, 32, kArgb);  // per-pixel alpha
    SDL_Surface* alphaTurn = Keep(IScreenFX->Rotate(alpha, nullptr, 0, 45.0, nullptr, nullptr));
    EXPECT_FALSE(alphaTurn->flags & SDL_SRCCOLORKEY);
    EXPECT_TRUE(alphaTurn->flags & SDL_SRCALPHA);
    EXPECT_EQ(PixelAt(alphaTurn, 0, 0), 0u);

    // 16 bits are turned in SDL's default 32-bit layout with the key colour mapped.
    SDL_Surface* deep = Pattern(5, 5, 16, kRgb565);
    const Uint32 key = PixelAt(deep, 1, 1);
    SDL_SetColorKey(deep, SDL_SRCCOLORKEY, key);
    SDL_Surface* deepTurn = Keep(IScreenFX->Rotate(deep, nullptr, 0, 90.0, nullptr, nullptr));
    ASSERT_EQ(deepTurn->format->BitsPerPixel, 32);
    EXPECT_EQ(deepTurn->format->Rmask, 0xFF0000u);
    Uint8 r, g, b;
    SDL_GetRGB(key, deep->format, &r, &g, &b);
    EXPECT_EQ(deepTurn->format->colorkey, SDL_MapRGB(deepTurn->format, r, g, b));
    EXPECT_EQ(PixelAt(deepTurn, 5 - 1 - 1, 1), deepTurn->format->colorkey);
}

// The inverse mapping written out from the fixed-point rules.
struct Reference {
    int w, h;
    long long s, c, x0, y0;
    Reference(double angle, double zoom, int W, int H) {
        const double a = -angle * 0.017453292522222223;
        const double sn = std::sin(a) * zoom, cs = std::cos(a) * zoom;
        w = std::max(1, static_cast<int>(std::ceil(std::max(std::fabs(cs * W - sn * H), std::fabs(cs * W + sn * H)))));
        h = std::max(1, static_cast<int>(std::ceil(std::max(std::fabs(cs * H - sn * W), std::fabs(cs * H + sn * W)))));
        s = static_cast<long long>(sn * 65536 / (zoom * zoom));
        c = static_cast<long long>(cs * 65536 / (zoom * zoom));
        x0 = (65536 - c) * (w / 2) + s * (h / 2) + static_cast<long long>(W - w) * 32768;
        y0 = static_cast<long long>(H - h) * 32768 - s * (w / 2) - (h / 2) * (c - 65536);
    }
    long long X(int x, int y) const { return x0 + x * c - y * s; }
    long long Y(int x, int y) const { return y0 + x * s + y * c; }
};

TEST_F(ScreenFxRotateTest, GeneralAnglesFollowTheInverseMappingNearestAndSmoothed) {
    SDL_Surface* src = Pattern(11, 8, 32, kRgb32, 4);
    SDL_Rect rect{1, 1, 9, 6};
    const int W = 9, H = 6;
    for (auto [angle, zoom] : {std::pair{30.0, 1.5}, std::pair{-123.0, 0.7}, std::pair{90.0, 2.0},
                               std::pair{7.5, 1.0}}) {
        SCOPED_TRACE(angle);
        const Reference ref(angle, zoom, W, H);
        SDL_Surface* nearest = Keep(IScreenFX->RotateResize(src, &rect, 0, angle, zoom, nullptr, nullptr));
        SDL_Surface* smooth = Keep(IScreenFX->RotateResize(src, &rect, 1, angle, zoom, nullptr, nullptr));
        ASSERT_NE(nearest, nullptr);
        ASSERT_EQ(nearest->w, ref.w);
        ASSERT_EQ(nearest->h, ref.h);
        int inside = 0;
        for (int y = 0; y < ref.h; ++y)
            for (int x = 0; x < ref.w; ++x) {
                const long long X = ref.X(x, y), Y = ref.Y(x, y);
                const long long ix = X >> 16, iy = Y >> 16;
                const bool in = ix >= 0 && iy >= 0 && ix < W && iy < H;
                inside += in;
                const Uint32 expected = in ? PixelAt(src, 1 + ix, 1 + iy) : 0xFF00FFu;
                ASSERT_EQ(PixelAt(nearest, x, y), expected) << x << "," << y;
                Uint32 blended = 0xFF00FF;
                if (ix >= -1 && iy >= -1 && ix < W && iy < H) {
                    auto px = [&](long long sx, long long sy) {
                        return PixelAt(src, 1 + static_cast<int>(std::clamp<long long>(sx, 0, W - 1)),
                                       1 + static_cast<int>(std::clamp<long long>(sy, 0, H - 1)));
                    };
                    blended = BlendPixel(px(ix, iy), px(ix + 1, iy), px(ix, iy + 1), px(ix + 1, iy + 1),
                                         static_cast<int>(X & 0xFFFF), static_cast<int>(Y & 0xFFFF));
                }
                ASSERT_EQ(PixelAt(smooth, x, y), blended) << x << "," << y;
            }
        EXPECT_GT(inside, 0);
    }
    // 8-bit sources use the same mapping without smoothing.
    SDL_Surface* palette = Pattern(9, 6, 8, kPalette, 5);
    const Reference ref(45.0, 1.0, 9, 6);
    SDL_Surface* turned = Keep(IScreenFX->Rotate(palette, nullptr, 1, 45.0, nullptr, nullptr));
    for (int y = 0; y < ref.h; ++y)
        for (int x = 0; x < ref.w; ++x) {
            const long long ix = ref.X(x, y) >> 16, iy = ref.Y(x, y) >> 16;
            const bool in = ix >= 0 && iy >= 0 && ix < 9 && iy < 6;
            ASSERT_EQ(PixelAt(turned, x, y), in ? PixelAt(palette, ix, iy) : 255u);
        }
}

// The nearest mapping copies each result row's usable run without testing
// every pixel; the run's ends must be exactly where the per-pixel test puts
// them, including near the axes (steps of 0 or nearly 0), at corners and
// at zooms that make the run very short or very long.
TEST_F(ScreenFxRotateTest, NearestRowRunsEndExactlyWhereThePerPixelTestDoes) {
    SDL_Surface* src32 = Pattern(23, 17, 32, kRgb32, 6);
    SDL_Surface* src8 = Pattern(23, 17, 8, kPalette, 7);
    SDL_Rect rect{2, 3, 19, 13};
    const int W = 19, H = 13;
    for (double angle : {0.0011, 1.0, 29.99, 30.0, 45.0, 60.0, 89.999, 90.001, 135.0, 179.9995, 180.002, -30.0,
                         -91.0, 271.0, 359.9}) {
        for (double zoom : {0.05, 0.5, 1.0, 1.5, 3.7}) {
            SCOPED_TRACE(::testing::Message() << angle << " x" << zoom);
            const Reference ref(angle, zoom, W, H);
            SDL_Surface* out32 = Keep(IScreenFX->RotateResize(src32, &rect, 0, angle, zoom, nullptr, nullptr));
            SDL_Surface* out8 = Keep(IScreenFX->RotateResize(src8, &rect, 0, angle, zoom, nullptr, nullptr));
            ASSERT_NE(out32, nullptr);
            ASSERT_NE(out8, nullptr);
            ASSERT_EQ(out32->w, ref.w);
            ASSERT_EQ(out32->h, ref.h);
            ASSERT_EQ(out8->w, ref.w);
            for (int y = 0; y < ref.h; ++y)
                for (int x = 0; x < ref.w; ++x) {
                    const long long ix = ref.X(x, y) >> 16, iy = ref.Y(x, y) >> 16;
                    const bool in = ix >= 0 && iy >= 0 && ix < W && iy < H;
                    const int sx = 2 + static_cast<int>(ix), sy = 3 + static_cast<int>(iy);
                    ASSERT_EQ(PixelAt(out32, x, y), in ? PixelAt(src32, sx, sy) : 0xFF00FFu) << x << "," << y;
                    ASSERT_EQ(PixelAt(out8, x, y), in ? PixelAt(src8, sx, sy) : 255u) << x << "," << y;
                }
        }
    }
}

TEST_F(ScreenFxRotateTest, TinyAnglesAreAResizeAndNonFiniteZoomsOrAnglesAreRefused) {
    SDL_Surface* src = Pattern(6, 5, 32, kArgb);
    SDL_Surface* almost = Keep(IScreenFX->RotateResize(src, nullptr, 1, 0.0005, 2.0, nullptr, nullptr));
    SDL_Surface* resized = Keep(IScreenFX->Resize(src, nullptr, 1, 2.0, 2.0, nullptr, nullptr));
    ASSERT_NE(almost, nullptr);
    EXPECT_EQ(FirstPixelDifference(almost, resized), "");
    SDL_Surface* negative = Keep(IScreenFX->RotateResize(src, nullptr, 0, -0.0009, 1.0, nullptr, nullptr));
    EXPECT_EQ(FirstPixelDifference(negative, src), "");
    // Just past the shortcut the rotation proper runs and keys the border.
    SDL_Surface* turned = Keep(IScreenFX->RotateResize(src, nullptr, 0, 0.0011, 1.0, nullptr, nullptr));
    ASSERT_NE(turned, nullptr);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double zoom : {nan, inf, -inf, 1e9})
        EXPECT_EQ(IScreenFX->RotateResize(src, nullptr, 0, 30.0, zoom, nullptr, nullptr), nullptr) << zoom;
    for (double angle : {nan, inf, -inf})
        EXPECT_EQ(IScreenFX->RotateResize(src, nullptr, 0, angle, 1.0, nullptr, nullptr), nullptr);
    // A tiny positive zoom is raised to 0.001 and still gives a pixel.
    SDL_Surface* speck = Keep(IScreenFX->RotateResize(src, nullptr, 1, 33.0, 1e-9, nullptr, nullptr));
    ASSERT_NE(speck, nullptr);
    EXPECT_EQ(speck->w, 1);
    EXPECT_EQ(speck->h, 1);
}

// A zoom animated down to 0 (or past it) is the smallest zoom, 0.001, on
// the rotation and on the near-zero angle shortcut alike.
TEST_F(ScreenFxRotateTest, ZoomsOfZeroOrBelowCountAsTheSmallestZoom) {
    for (int depth : {8, 24, 32}) {
        SCOPED_TRACE(depth);
        SDL_Surface* src = Pattern(40, 30, depth, depth == 8 ? kPalette : depth == 24 ? kRgb24 : kArgb);
        for (double angle : {0.0, 33.0, 90.0}) {
            SCOPED_TRACE(angle);
            SDL_Surface* smallest = Keep(IScreenFX->RotateResize(src, nullptr, 1, angle, 0.001, nullptr, nullptr));
            ASSERT_NE(smallest, nullptr);
            EXPECT_EQ(smallest->w, 1);
            EXPECT_EQ(smallest->h, 1);
            for (double zoom : {0.0, -0.0, 0.0005, -2.0, -1e300}) {
                SDL_Surface* out = Keep(IScreenFX->RotateResize(src, nullptr, 1, angle, zoom, nullptr, nullptr));
                ASSERT_NE(out, nullptr) << zoom;
                EXPECT_EQ(FirstPixelDifference(out, smallest), "") << zoom;
            }
        }
    }
    // Large sources keep the size 0.001 gives them rather than one pixel.
    SDL_Surface* wide = Pattern(4000, 2, 32, kRgb32);
    SDL_Surface* shrunk = Keep(IScreenFX->RotateResize(wide, nullptr, 0, 0.0, 0.0, nullptr, nullptr));
    ASSERT_NE(shrunk, nullptr);
    EXPECT_EQ(shrunk->w, 4);
    EXPECT_EQ(shrunk->h, 1);
}

TEST_F(ScreenFxRotateTest, RotatedResultsAreCentredOverTheSourceOnTheDestination) {
    SDL_Surface* src = Pattern(6, 2, 32, kRgb32);
    SDL_Surface* dst = Filled(16, 16, 32, kRgb32, 0x010101);
    SDL_Rect at{5, 5, 0, 0};
    EXPECT_EQ(IScreenFX->Rotate(src, nullptr, 0, 90.0, dst, &at), dst);
    // A 2 x 6 result over a 6 x 2 source: offsets (6 - 2) / 2 = 2 and (2 - 6) / 2 = -2.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x) ASSERT_EQ(PixelAt(dst, 7 + (2 - 1 - y), 3 + x), PixelAt(src, x, y));
    EXPECT_EQ(CountPixels(dst, 0x010101), 16 * 16 - 12);
    // The magenta around a general rotation is keyed out on the destination.
    SDL_Surface* clean = Filled(16, 16, 32, kRgb32, 0x010101);
    IScreenFX->Rotate(src, nullptr, 0, 45.0, clean, nullptr);
    EXPECT_EQ(CountPixels(clean, 0xFF00FF), 0);
}

}  // namespace
