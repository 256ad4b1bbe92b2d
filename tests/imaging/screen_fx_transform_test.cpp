// Mirror, Flip and Resize against references computed here from the 16.16
// arithmetic: rectangle clipping, flips, nearest and smoothed scaling, key,
// alpha and palette rules, drawing onto a destination, refusals.
#include <cmath>
#include <limits>

#include "imaging/screen_fx_internal.h"
#include "imaging/screen_fx_test_helpers.h"

namespace {

using imaging_test::CountPixels;
using imaging_test::FirstPixelDifference;
using imaging_test::PixelAt;
using namespace screen_fx_test;

class ScreenFxTransformTest : public ScreenFxTest {};

TEST_F(ScreenFxTransformTest, MirrorAndFlipMoveEveryPixelOfTheRectangleAtEveryDepth) {
    const struct {
        int depth;
        imaging_test::Masks masks;
    } cases[] = {{8, kPalette}, {16, kRgb565}, {24, kRgb24}, {32, kArgb}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        SDL_Surface* src = Pattern(9, 7, c.depth, c.masks);
        SDL_Rect rect{2, 1, 5, 4};
        SDL_Surface* mirrored = Keep(IScreenFX->Mirror(src, &rect, nullptr, nullptr));
        SDL_Surface* flipped = Keep(IScreenFX->Flip(src, &rect, nullptr, nullptr));
        ASSERT_NE(mirrored, nullptr);
        ASSERT_NE(flipped, nullptr);
        ASSERT_EQ(mirrored->w, 5);
        ASSERT_EQ(flipped->h, 4);
        EXPECT_EQ(mirrored->format->BitsPerPixel, c.depth);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                EXPECT_EQ(PixelAt(mirrored, x, y), PixelAt(src, 2 + 4 - x, 1 + y));
                EXPECT_EQ(PixelAt(flipped, x, y), PixelAt(src, 2 + x, 1 + 3 - y));
            }
        if (c.depth == 8) {
            EXPECT_EQ(0, memcmp(mirrored->format->palette->colors, src->format->palette->colors, 256 * 4));
        }
    }
}

TEST_F(ScreenFxTransformTest, SourceRectanglesAreClippedByTheirOwnRule) {
    SDL_Surface* src = Pattern(8, 6, 32, kRgb32);
    // A start below 0 becomes 0 with the size kept, then cut to the surface.
    SDL_Rect negative{-3, -2, 5, 20};
    SDL_Surface* out = Keep(IScreenFX->Mirror(src, &negative, nullptr, nullptr));
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->w, 5);
    EXPECT_EQ(out->h, 6);
    EXPECT_EQ(PixelAt(out, 4, 0), PixelAt(src, 0, 0));
    // A one pixel wide mirror is an identical copy.
    SDL_Rect column{3, 0, 1, 6};
    SDL_Surface* copy = Keep(IScreenFX->Mirror(src, &column, nullptr, nullptr));
    for (int y = 0; y < 6; ++y) EXPECT_EQ(PixelAt(copy, 0, y), PixelAt(src, 3, y));
    // Rectangles that clip to nothing are refused by every transformation.
    for (SDL_Rect empty : {SDL_Rect{8, 0, 4, 4}, SDL_Rect{0, 6, 4, 4}, SDL_Rect{2, 2, 0, 3}}) {
        EXPECT_EQ(IScreenFX->Mirror(src, &empty, nullptr, nullptr), nullptr);
        EXPECT_EQ(IScreenFX->Flip(src, &empty, nullptr, nullptr), nullptr);
        EXPECT_EQ(IScreenFX->Resize(src, &empty, 0, 4, 4, nullptr, nullptr), nullptr);
        EXPECT_EQ(IScreenFX->Resize(src, &empty, 1, 2.0, 2.0, nullptr, nullptr), nullptr);
        EXPECT_EQ(IScreenFX->RotateResize(src, &empty, 0, 30.0, 1.0, nullptr, nullptr), nullptr);
    }
}

TEST_F(ScreenFxTransformTest, NullSourcesAndDrawingOntoItselfAreRefusedWithoutChange) {
    SDL_Surface* src = Pattern(8, 6, 32, kRgb32);
    SDL_Surface* before = Keep(IScreenFX->Flip(src, nullptr, nullptr, nullptr));
    SDL_Surface* again = Keep(IScreenFX->Flip(before, nullptr, nullptr, nullptr));
    EXPECT_EQ(IScreenFX->Mirror(nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(IScreenFX->Mirror(src, nullptr, src, nullptr), nullptr);
    EXPECT_EQ(IScreenFX->Flip(src, nullptr, src, nullptr), nullptr);
    EXPECT_EQ(IScreenFX->Resize(src, nullptr, 0, 4, 4, src, nullptr), nullptr);
    EXPECT_EQ(IScreenFX->Resize(nullptr, nullptr, 0, 2.0, 2.0, nullptr, nullptr), nullptr);
    EXPECT_EQ(IScreenFX->Rotate(src, nullptr, 0, 90.0, src, nullptr), nullptr);
    EXPECT_EQ(IScreenFX->RotateResize(nullptr, nullptr, 0, 45.0, 1.0, nullptr, nullptr), nullptr);
    EXPECT_EQ(FirstPixelDifference(src, again), "");
}

TEST_F(ScreenFxTransformTest, NearestResizeFollowsTheFixedPointStepsAndFlipsMirrorExactly) {
    SDL_Surface* src = Pattern(13, 9, 32, kArgb);
    SDL_Rect rect{1, 2, 11, 6};
    for (auto size : {std::pair{7, 5}, std::pair{29, 17}, std::pair{11, 6}, std::pair{3, 13}}) {
        SCOPED_TRACE(size.first);
        const int w = size.first, h = size.second;
        SDL_Surface* plain = Keep(IScreenFX->Resize(src, &rect, 0, w, h, nullptr, nullptr));
        SDL_Surface* flipX = Keep(IScreenFX->Resize(src, &rect, 0, -w, h, nullptr, nullptr));
        SDL_Surface* flipY = Keep(IScreenFX->Resize(src, &rect, 0, w, -h, nullptr, nullptr));
        ASSERT_NE(plain, nullptr);
        ASSERT_NE(flipX, nullptr);
        ASSERT_NE(flipY, nullptr);
        ASSERT_EQ(plain->w, w);
        ASSERT_EQ(plain->h, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Uint32 expected = PixelAt(src, 1 + NearestSource(11, w, x), 2 + NearestSource(6, h, y));
                ASSERT_EQ(PixelAt(plain, x, y), expected) << x << "," << y;
                ASSERT_EQ(PixelAt(flipX, w - 1 - x, y), expected);
                ASSERT_EQ(PixelAt(flipY, x, h - 1 - y), expected);
            }
    }
}

TEST_F(ScreenFxTransformTest, SmoothedResizeBlendsAllFourBytesAndIgnoresFlips) {
    SDL_Surface* src = Pattern(7, 5, 32, kArgb, 9);
    for (auto size : {std::pair{13, 9}, std::pair{4, 3}, std::pair{7, 5}, std::pair{20, 1}}) {
        const int w = size.first, h = size.second;
        SCOPED_TRACE(w);
        SDL_Surface* out = Keep(IScreenFX->Resize(src, nullptr, 1, w, h, nullptr, nullptr));
        SDL_Surface* flipped = Keep(IScreenFX->Resize(src, nullptr, 1, -w, -h, nullptr, nullptr));
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(FirstPixelDifference(out, flipped), "");
        const long long stepX = 6LL * 65536 / w, stepY = 4LL * 65536 / h;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const long long X = x * stepX, Y = y * stepY;
                const int x0 = static_cast<int>(X >> 16), y0 = static_cast<int>(Y >> 16);
                const Uint32 expected = BlendPixel(PixelAt(src, x0, y0), PixelAt(src, x0 + 1, y0),
                                                   PixelAt(src, x0, y0 + 1), PixelAt(src, x0 + 1, y0 + 1),
                                                   X & 0xFFFF, Y & 0xFFFF);
                ASSERT_EQ(PixelAt(out, x, y), expected) << x << "," << y;
            }
    }
    // A single pixel wide source repeats its last column instead of reading past it.
    SDL_Surface* column = Pattern(1, 4, 32, kArgb, 3);
    SDL_Surface* wide = Keep(IScreenFX->Resize(column, nullptr, 1, 5, 4, nullptr, nullptr));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(PixelAt(wide, 0, 0), PixelAt(column, 0, 0));
    for (int y = 0; y < 4; ++y)
        for (int x = 1; x < 5; ++x) EXPECT_EQ(PixelAt(wide, x, y), PixelAt(wide, 0, y)) << x << "," << y;
}

TEST_F(ScreenFxTransformTest, EightBitSurfacesAreNeverSmoothedAndKeepTheirPalette) {
    SDL_Surface* src = Pattern(10, 6, 8, kPalette);
    SDL_SetColorKey(src, SDL_SRCCOLORKEY, 7);
    SDL_Surface* out = Keep(IScreenFX->Resize(src, nullptr, 1, -23, 4, nullptr, nullptr));
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->format->BitsPerPixel, 8);
    EXPECT_EQ(0, memcmp(out->format->palette->colors, src->format->palette->colors, 256 * 4));
    EXPECT_TRUE(out->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(out->format->colorkey, 7u);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 23; ++x)
            ASSERT_EQ(PixelAt(out, 22 - x, y), PixelAt(src, NearestSource(10, 23, x), NearestSource(6, 4, y)));
}

TEST_F(ScreenFxTransformTest, OtherDepthsAreScaledAsRgbaWithTheKeyColourMapped) {
    SDL_Surface* src = Pattern(6, 4, 16, kRgb565);
    const Uint32 key = PixelAt(src, 2, 1);
    SDL_SetColorKey(src, SDL_SRCCOLORKEY, key);
    SDL_SetAlpha(src, SDL_SRCALPHA, 90);
    SDL_Surface* out = Keep(IScreenFX->Resize(src, nullptr, 0, 12, 8, nullptr, nullptr));
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->format->BitsPerPixel, 32);
    EXPECT_EQ(out->format->Rmask, 0xFFu);
    EXPECT_EQ(out->format->Amask, 0xFF000000u);
    Uint8 r, g, b;
    SDL_GetRGB(key, src->format, &r, &g, &b);
    EXPECT_TRUE(out->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(out->format->colorkey, SDL_MapRGBA(out->format, r, g, b, 255));
    // The key pixel, doubled, still matches the key; so the result stays transparent there.
    EXPECT_EQ(PixelAt(out, 4, 2), out->format->colorkey);
    EXPECT_EQ(PixelAt(out, 5, 3), out->format->colorkey);
    EXPECT_TRUE(out->flags & SDL_SRCALPHA);
    EXPECT_EQ(out->format->alpha, 90);
    Uint8 r0, g0, b0, a0, r1, g1, b1;
    SDL_GetRGB(PixelAt(src, 0, 0), src->format, &r0, &g0, &b0);
    SDL_GetRGBA(PixelAt(out, 1, 1), out->format, &r1, &g1, &b1, &a0);
    EXPECT_EQ(r1, r0);
    EXPECT_EQ(g1, g0);
    EXPECT_EQ(b1, b0);
    EXPECT_EQ(a0, 255);
    // Without a key the result carries the "no colour key" mark.
    SDL_Surface* plain = Keep(IScreenFX->Mirror(Pattern(3, 3, 24, kRgb24), nullptr, nullptr, nullptr));
    EXPECT_FALSE(plain->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(plain->format->colorkey, 0xFFFFFFFFu);
}

TEST_F(ScreenFxTransformTest, FactorsTruncateTheSizeAndNonFiniteOrHugeValuesAreRefused) {
    SDL_Surface* src = Pattern(10, 8, 32, kRgb32);
    SDL_Surface* tiny = Keep(IScreenFX->Resize(src, nullptr, 0, 0.0001, 0.0001, nullptr, nullptr));
    ASSERT_NE(tiny, nullptr);
    EXPECT_EQ(tiny->w, 1);
    EXPECT_EQ(tiny->h, 1);
    SDL_Surface* scaled = Keep(IScreenFX->Resize(src, nullptr, 0, 2.55, -0.5, nullptr, nullptr));
    ASSERT_NE(scaled, nullptr);
    EXPECT_EQ(scaled->w, 25);
    EXPECT_EQ(scaled->h, 4);
    SDL_Surface* sized = Keep(IScreenFX->Resize(src, nullptr, 0, 25, -4, nullptr, nullptr));
    EXPECT_EQ(FirstPixelDifference(scaled, sized), "");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double f : {nan, inf, -inf, 1e12, -1e12}) {
        EXPECT_EQ(IScreenFX->Resize(src, nullptr, 0, f, 1.0, nullptr, nullptr), nullptr) << f;
        EXPECT_EQ(IScreenFX->Resize(src, nullptr, 1, 1.0, f, nullptr, nullptr), nullptr) << f;
    }
    for (auto size : {std::pair{16384, 1}, std::pair{16383, 16383},
                      std::pair{std::numeric_limits<int>::min(), 2}, std::pair{2, std::numeric_limits<int>::max()}})
        EXPECT_EQ(IScreenFX->Resize(src, nullptr, 0, size.first, size.second, nullptr, nullptr), nullptr);
}

// A size or factor animated down to nothing keeps giving a surface: a side
// of 0 is one pixel, taken from the source's first row or column.
TEST_F(ScreenFxTransformTest, ZeroSidesAndZeroFactorsGiveOnePixelSides) {
    for (int depth : {8, 16, 24, 32}) {
        SCOPED_TRACE(depth);
        SDL_Surface* src = Pattern(10, 8, depth, depth == 8 ? kPalette : depth == 16 ? kRgb565 : kRgb32);
        for (int smooth : {0, 1}) {
            SDL_Surface* column = Keep(IScreenFX->Resize(src, nullptr, smooth, 0, 8, nullptr, nullptr));
            SDL_Surface* row = Keep(IScreenFX->Resize(src, nullptr, smooth, 10, 0, nullptr, nullptr));
            SDL_Surface* dot = Keep(IScreenFX->Resize(src, nullptr, smooth, 0, 0, nullptr, nullptr));
            SDL_Surface* byFactor = Keep(IScreenFX->Resize(src, nullptr, smooth, 0.0, -0.0, nullptr, nullptr));
            SDL_Surface* oneColumn = Keep(IScreenFX->Resize(src, nullptr, smooth, 1, 8, nullptr, nullptr));
            SDL_Surface* oneRow = Keep(IScreenFX->Resize(src, nullptr, smooth, 10, 1, nullptr, nullptr));
            SDL_Surface* onePixel = Keep(IScreenFX->Resize(src, nullptr, smooth, 1, 1, nullptr, nullptr));
            ASSERT_NE(column, nullptr);
            ASSERT_NE(row, nullptr);
            ASSERT_NE(dot, nullptr);
            ASSERT_NE(byFactor, nullptr);
            EXPECT_EQ(column->w, 1);
            EXPECT_EQ(column->h, 8);
            EXPECT_EQ(row->w, 10);
            EXPECT_EQ(row->h, 1);
            EXPECT_EQ(FirstPixelDifference(column, oneColumn), "");
            EXPECT_EQ(FirstPixelDifference(row, oneRow), "");
            EXPECT_EQ(FirstPixelDifference(dot, onePixel), "");
            EXPECT_EQ(FirstPixelDifference(byFactor, onePixel), "");
        }
    }
    // The one-pixel result is still delivered, centred, onto a destination.
    SDL_Surface* src = Filled(5, 5, 32, kRgb32, 0x00AA00);
    SDL_Surface* dst = Filled(9, 9, 32, kRgb32, 0);
    SDL_Rect at{2, 2, 0, 0};
    EXPECT_EQ(IScreenFX->Resize(src, nullptr, 0, 0, 0, dst, &at), dst);
    EXPECT_EQ(PixelAt(dst, 4, 4), 0x00AA00u);
    EXPECT_EQ(CountPixels(dst, 0x00AA00), 1);
}

TEST_F(ScreenFxTransformTest, ResultsDrawnOntoADestinationAreCentredUnblendedAndFreed) {
    SDL_Surface* src = Pattern(4, 4, 32, kRgb32);
    SDL_SetAlpha(src, SDL_SRCALPHA, 10);
    SDL_Surface* dst = Filled(20, 20, 32, kRgb32, 0x000000);
    SDL_Rect at{10, 10, 0, 0};
    SDL_Surface* reference = Keep(IScreenFX->Resize(src, nullptr, 0, 8, 8, nullptr, nullptr));
    EXPECT_EQ(IScreenFX->Resize(src, nullptr, 0, 8, 8, dst, &at), dst);
    // Centred over the 4 x 4 source: (4 - 8) / 2 = -2 on both axes; the rectangle stays as given.
    EXPECT_EQ(at.x, 10);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(PixelAt(dst, 8 + x, 8 + y), PixelAt(reference, x, y));
    EXPECT_EQ(PixelAt(dst, 7, 8), 0u);
    // Mirror draws at the position itself, partly outside on the left.
    SDL_Rect left{-2, 0, 0, 0};
    EXPECT_EQ(IScreenFX->Mirror(src, nullptr, dst, &left), dst);
    EXPECT_EQ(PixelAt(dst, 0, 0), PixelAt(src, 1, 0));
    EXPECT_EQ(PixelAt(dst, 1, 3), PixelAt(src, 0, 3));
    // The source's own alpha setting is untouched.
    EXPECT_TRUE(src->flags & SDL_SRCALPHA);
    EXPECT_EQ(src->format->alpha, 10);
}

}  // namespace

namespace {

// The bilinear blend the smoothed effects use, four bytes at a time, against
// the byte-by-byte reference of the tests: extreme bytes, both signs of every
// difference and fractions on either side of the top bit.
TEST(ScreenFxBlendTest, FourBytesAtOnceMatchTheByteByByteBlend) {
    const Uint32 corners[] = {0x00000000u, 0xFFFFFFFFu, 0x00FF00FFu, 0xFF00FF00u, 0x80017FFEu, 0x12345678u};
    const int fractions[] = {0, 1, 255, 256, 32767, 32768, 32769, 40000, 65534, 65535};
    for (Uint32 c00 : corners)
        for (Uint32 c01 : corners)
            for (Uint32 c10 : corners)
                for (Uint32 c11 : corners)
                    for (int fx : fractions)
                        for (int fy : fractions)
                            ASSERT_EQ(screen_fx::Blend32(c00, c01, c10, c11, fx, fy),
                                      screen_fx_test::BlendPixel(c00, c01, c10, c11, fx, fy))
                                << std::hex << c00 << " " << c01 << " " << c10 << " " << c11 << std::dec << " "
                                << fx << " " << fy;
    Uint32 seed = 99;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < 200000; ++i) {
        const Uint32 c00 = next(), c01 = next(), c10 = next(), c11 = next();
        const int fx = static_cast<int>(next() >> 16), fy = static_cast<int>(next() >> 16);
        ASSERT_EQ(screen_fx::Blend32(c00, c01, c10, c11, fx, fy), screen_fx_test::BlendPixel(c00, c01, c10, c11, fx, fy)) << i;
    }
}

}  // namespace
