// Fixture and references shared by the screen effect tests.
#ifndef VELTRANO_TESTS_IMAGING_SCREEN_FX_TEST_HELPERS_H
#define VELTRANO_TESTS_IMAGING_SCREEN_FX_TEST_HELPERS_H

#include <vector>

#include "Veltrano_IScreenFX.h"
#include "imaging/imaging_test_helpers.h"

namespace screen_fx_test {

constexpr imaging_test::Masks kArgb{0xFF0000, 0xFF00, 0xFF, 0xFF000000};
constexpr imaging_test::Masks kRgb32{0xFF0000, 0xFF00, 0xFF, 0};
constexpr imaging_test::Masks kRgb565{0xF800, 0x07E0, 0x001F, 0};
constexpr imaging_test::Masks kRgb24{0xFF0000, 0xFF00, 0xFF, 0};
constexpr imaging_test::Masks kPalette{0, 0, 0, 0};

// Frees every surface it was given when the test ends.
class ScreenFxTest : public imaging_test::ImagingTest {
protected:
    SDL_Surface* Keep(SDL_Surface* s) {
        if (s != nullptr) kept.push_back(s);
        return s;
    }
    SDL_Surface* Pattern(int w, int h, int depth, imaging_test::Masks masks, uint32_t seed = 1) {
        return Keep(imaging_test::PatternSurface(w, h, depth, masks, seed));
    }
    SDL_Surface* Filled(int w, int h, int depth, imaging_test::Masks masks, Uint32 value) {
        SDL_Surface* s = Keep(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, depth, masks.r, masks.g, masks.b, masks.a));
        SDL_FillRect(s, nullptr, value);
        return s;
    }
    void TearDown() override {
        for (SDL_Surface* s : kept) SDL_FreeSurface(s);
        imaging_test::ImagingTest::TearDown();
    }
    std::vector<SDL_Surface*> kept;
};

// The 16.16 position of result pixel i: integer part of i * (size * 65536 / count).
inline int NearestSource(int size, int count, int i) {
    const long long step = static_cast<long long>(size) * 65536 / count;
    return static_cast<int>(i * step >> 16);
}

// One byte of the bilinear blend, from the arithmetic as written down.
inline int BlendByte(int c00, int c01, int c10, int c11, int fx, int fy) {
    int t1 = c00 + ((c01 - c00) * fx >> 16);
    int t2 = c10 + ((c11 - c10) * fx >> 16);
    t1 &= 0xFF;
    t2 &= 0xFF;
    return (t1 + ((t2 - t1) * fy >> 16)) & 0xFF;
}

inline Uint32 BlendPixel(Uint32 c00, Uint32 c01, Uint32 c10, Uint32 c11, int fx, int fy) {
    Uint32 out = 0;
    for (int byte = 0; byte < 4; ++byte) {
        const int s = byte * 8;
        out |= static_cast<Uint32>(BlendByte(c00 >> s & 0xFF, c01 >> s & 0xFF, c10 >> s & 0xFF, c11 >> s & 0xFF,
                                             fx, fy))
               << s;
    }
    return out;
}

}  // namespace screen_fx_test

#endif
