// Noise, GammaCorrect and Blur at their boundary values: the channel ranges
// they touch, clamping instead of wrapping, the in-place blur order, refusals.
#include <algorithm>
#include <cstdlib>

#include "Veltrano_IPrimitives.h"

#include "imaging/screen_fx_test_helpers.h"

namespace {

using imaging_test::FirstPixelDifference;
using imaging_test::PixelAt;
using namespace screen_fx_test;

class ScreenFxFiltersTest : public ScreenFxTest {
protected:
    SDL_Surface* Copy(SDL_Surface* s) { return Keep(SDL_ConvertSurface(s, s->format, SDL_SWSURFACE)); }
};

TEST_F(ScreenFxFiltersTest, RefusalsLeaveTheSurfaceAlone) {
    SDL_Surface* s = Pattern(5, 5, 32, kRgb32);
    SDL_Surface* before = Copy(s);
    EXPECT_EQ(IScreenFX->Noise(nullptr, 10), 0);
    EXPECT_EQ(IScreenFX->GammaCorrect(nullptr, 100, 100, 100), 0);
    EXPECT_EQ(IScreenFX->Blur(nullptr, 10), 0);
    for (int amount : {-1, 101, -2147483647 - 1}) {
        EXPECT_EQ(IScreenFX->Noise(s, amount), 0);
        EXPECT_EQ(IScreenFX->Blur(s, amount), 0);
    }
    EXPECT_EQ(IScreenFX->GammaCorrect(s, 256, 100, 100), 0);
    EXPECT_EQ(IScreenFX->GammaCorrect(s, 100, -1, 100), 0);
    EXPECT_EQ(IScreenFX->GammaCorrect(s, 100, 100, 1000), 0);
    // Amounts that change nothing.
    EXPECT_EQ(IScreenFX->Noise(s, 0), 1);
    EXPECT_EQ(IScreenFX->Blur(s, 0), 1);
    EXPECT_EQ(IScreenFX->GammaCorrect(s, 100, 100, 100), 1);
    EXPECT_EQ(FirstPixelDifference(s, before), "");
    // On a palette surface with repeated colours the indices stay too.
    SDL_Surface* palette = Pattern(8, 8, 8, kPalette);
    SDL_Color same[256];
    for (SDL_Color& c : same) c = SDL_Color{100, 100, 100, 0};
    SDL_SetColors(palette, same, 0, 256);
    SDL_Surface* paletteBefore = Copy(palette);
    EXPECT_EQ(IScreenFX->GammaCorrect(palette, 100, 100, 100), 1);
    EXPECT_EQ(FirstPixelDifference(palette, paletteBefore), "");
}

TEST_F(ScreenFxFiltersTest, GammaTouchesOnly71To179AndClampsBrightenedChannels) {
    SDL_Surface* s = Filled(6, 1, 32, kRgb32, 0);
    const Uint8 values[6] = {70, 71, 120, 179, 180, 255};
    for (int x = 0; x < 6; ++x)
        IPrimitives->PutPixelRGBA(s, x, 0, values[x], values[x], values[x], 255, 1);
    ASSERT_EQ(IScreenFX->GammaCorrect(s, 255, 50, 0), 1);
    for (int x = 0; x < 6; ++x) {
        Uint8 r, g, b;
        SDL_GetRGB(PixelAt(s, x, 0), s->format, &r, &g, &b);
        const bool touched = values[x] >= 71 && values[x] <= 179;
        EXPECT_EQ(r, touched ? std::min(255, values[x] * 255 / 100) : values[x]) << x;
        EXPECT_EQ(g, touched ? values[x] * 50 / 100 : values[x]) << x;
        EXPECT_EQ(b, touched ? 0 : values[x]) << x;
    }
}

TEST_F(ScreenFxFiltersTest, NoiseStaysWithinItsRangeAndClampsInsteadOfWrapping) {
    SDL_Surface* s = Filled(64, 16, 32, kArgb, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            const Uint8 v = x < 16 ? 30 : x < 32 ? 31 : x < 48 ? 219 : 220;
            IPrimitives->PutPixelRGBA(s, x, y, v, v, v, 77, 1);
        }
    std::srand(7);
    ASSERT_EQ(IScreenFX->Noise(s, 100), 1);
    int changed = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            Uint8 c[4];
            SDL_GetRGBA(PixelAt(s, x, y), s->format, &c[0], &c[1], &c[2], &c[3]);
            EXPECT_EQ(c[3], 77);
            for (int i = 0; i < 3; ++i) {
                // 31 + (0..99) - 50 stays in -19..80 and is clamped at 0; 219 + up to 49 reaches 268, clamped.
                const int low = x < 16 ? 30 : x < 32 ? 0 : x < 48 ? 169 : 220;
                const int high = x < 16 ? 30 : x < 32 ? 80 : x < 48 ? 255 : 220;
                EXPECT_GE(c[i], low);
                EXPECT_LE(c[i], high);
                changed += (x >= 16 && x < 48) && c[i] != (x < 32 ? 31 : 219);
            }
        }
    EXPECT_GT(changed, 0);
    // Clamping, not wrapping: some 219 channels went past 255 and stay white.
    int white = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 32; x < 48; ++x) white += (PixelAt(s, x, y) & 0xFF) == 0xFF;
    EXPECT_GT(white, 0);
}

TEST_F(ScreenFxFiltersTest, BlurWorksInPlaceWithRepeatedEdgesAndIntegerTerms) {
    // The reference: the same pass written plainly over a copy of the channels.
    for (int amount : {100, 37, 8, 1}) {
        SCOPED_TRACE(amount);
        SDL_Surface* s = Pattern(7, 5, 32, kRgb32, static_cast<uint32_t>(amount));
        int ch[5][7][3];
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) {
                const Uint32 p = PixelAt(s, x, y);
                ch[y][x][0] = p >> 16 & 0xFF, ch[y][x][1] = p >> 8 & 0xFF, ch[y][x][2] = p & 0xFF;
            }
        const int w = amount / 8;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) {
                int out[3];
                for (int i = 0; i < 3; ++i) {
                    int sum = ch[y][x][i] * (100 - amount) / 100;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx)
                            if (dx || dy)
                                sum += w * ch[std::clamp(y + dy, 0, 4)][std::clamp(x + dx, 0, 6)][i] / 100;
                    out[i] = std::min(sum, 255);
                }
                for (int i = 0; i < 3; ++i) ch[y][x][i] = out[i];
            }
        ASSERT_EQ(IScreenFX->Blur(s, amount), 1);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(PixelAt(s, x, y) & 0xFFFFFF,
                          static_cast<Uint32>(ch[y][x][0] << 16 | ch[y][x][1] << 8 | ch[y][x][2]))
                    << x << "," << y;
    }
    // Amount 100 gives the centre no weight and each neighbour 12 %: a white
    // field ends at 8 * (12 * 255 / 100) = 240.
    SDL_Surface* white = Filled(3, 3, 32, kRgb32, 0xFFFFFF);
    ASSERT_EQ(IScreenFX->Blur(white, 100), 1);
    EXPECT_EQ(PixelAt(white, 0, 0), 0xF0F0F0u);
}

TEST_F(ScreenFxFiltersTest, FiltersWorkOnEveryDepth) {
    for (auto [depth, masks] : {std::pair{8, kPalette}, std::pair{16, kRgb565}, std::pair{24, kRgb24}}) {
        SCOPED_TRACE(depth);
        SDL_Surface* s = Filled(4, 4, depth, masks, 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) IPrimitives->PutPixelRGBA(s, x, y, 120, 120, 120, 255, 1);
        if (depth == 8) {
            SDL_Color grey[2] = {{120, 120, 120, 0}, {240, 240, 240, 0}};
            SDL_SetColors(s, grey, 0, 2);
            SDL_FillRect(s, nullptr, 0);
        }
        ASSERT_EQ(IScreenFX->GammaCorrect(s, 200, 200, 200), 1);
        Uint8 r, g, b;
        SDL_GetRGB(PixelAt(s, 3, 3), s->format, &r, &g, &b);
        EXPECT_GE(r, 230);
        EXPECT_EQ(IScreenFX->Blur(s, 50), 1);
        EXPECT_EQ(IScreenFX->Noise(s, 20), 1);
    }
}

}  // namespace
