// Pixel access at every depth, 16-pixel runs, lines, rectangles, boxes and
// clamped Bresenham lines.
#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "Veltrano_IPrimitives.h"
#include "imaging/imaging_test_helpers.h"

namespace {

using imaging_test::CountPixels;
using imaging_test::PixelAt;

class PrimitivesTest : public imaging_test::ImagingTest {
protected:
    SDL_Surface* Blank(int depth, imaging_test::Masks masks, int w = 32, int h = 24) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, depth, masks.r, masks.g, masks.b, masks.a);
        surfaces.push_back(s);
        return s;
    }
    void TearDown() override {
        for (SDL_Surface* s : surfaces) SDL_FreeSurface(s);
        imaging_test::ImagingTest::TearDown();
    }
    std::vector<SDL_Surface*> surfaces;
};

TEST_F(PrimitivesTest, PixelsAreWrittenAndReadAtEveryDepth) {
    const struct {
        int depth;
        imaging_test::Masks masks;
        Uint32 color;
    } cases[] = {
        {8, {0, 0, 0, 0}, 0xAB},
        {16, {0xF800, 0x07E0, 0x001F, 0}, 0xBEEF},
        {24, {0xFF0000, 0xFF00, 0xFF, 0}, 0x123456},
        {24, {0xFF, 0xFF00, 0xFF0000, 0}, 0x654321},
        {32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0x80C0FFEE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        SDL_Surface* s = Blank(c.depth, c.masks);
        IPrimitives->PutPixelColor(s, 5, 7, c.color, 1);
        EXPECT_EQ(IPrimitives->GetPixel(s, 5, 7, 1), c.color);
        EXPECT_EQ(PixelAt(s, 5, 7), c.color);
        EXPECT_EQ(CountPixels(s, 0), s->w * s->h - 1);  // nothing else touched
        IPrimitives->PutPixelRGBA(s, 0, 0, 255, 255, 255, 255, 1);
        EXPECT_EQ(IPrimitives->GetPixel(s, 0, 0, 0), SDL_MapRGBA(s->format, 255, 255, 255, 255));
    }
    // 3-byte pixels keep their byte order: red first for a BGR-masked surface.
    SDL_Surface* bgr = Blank(24, {0xFF, 0xFF00, 0xFF0000, 0});
    IPrimitives->PutPixelRGBA(bgr, 1, 0, 0x11, 0x22, 0x33, 255, 1);
    const Uint8* bytes = static_cast<const Uint8*>(bgr->pixels) + 3;
    EXPECT_EQ(bytes[0] | bytes[1] << 8 | bytes[2] << 16, 0x332211);
}

TEST_F(PrimitivesTest, OutsideCoordinatesAreSafe) {
    SDL_Surface* s = Blank(32, {0xFF0000, 0xFF00, 0xFF, 0});
    for (short x : {-1, 32, 32767, -32768})
        for (short y : {-1, 0, 24}) {
            IPrimitives->PutPixelColor(s, x, y, 0xFFFFFF, 1);
            EXPECT_EQ(IPrimitives->GetPixel(s, x, y, 1), 0u);
        }
    EXPECT_EQ(CountPixels(s, 0), 32 * 24);
    // The clip rectangle keeps pixels out too.
    SDL_Rect clip = {10, 10, 5, 5};
    SDL_SetClipRect(s, &clip);
    IPrimitives->PutPixelColor(s, 9, 10, 0xFFFFFF, 1);
    IPrimitives->PutPixelColor(s, 10, 10, 0xFFFFFF, 1);
    EXPECT_EQ(CountPixels(s, 0xFFFFFF), 1);
    EXPECT_EQ(IPrimitives->GetPixel(nullptr, 0, 0, 1), 0u);
    IPrimitives->PutPixelColor(nullptr, 0, 0, 1, 1);
    IPrimitives->LineColor(nullptr, 0, 0, 5, 5, 1);
    IPrimitives->BoxColor(nullptr, 0, 0, 5, 5, 1);
}

TEST_F(PrimitivesTest, SixteenPixelRunsOnlyOn32BitSurfacesAndInside) {
    SDL_Surface* s = Blank(32, {0xFF0000, 0xFF00, 0xFF, 0});
    unsigned int in[16], out[16];
    for (unsigned int i = 0; i < 16; ++i) in[i] = 0x10000 * i + i;
    IPrimitives->Put16Pixel(s, 3, 2, in, 1);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(PixelAt(s, 3 + i, 2), in[i]);
    IPrimitives->Get16Pixel(s, 3, 2, out, 0);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(out[i], in[i]);
    // A run reaching past the row, or off the surface, is left alone.
    for (unsigned int& value : out) value = 7;
    IPrimitives->Put16Pixel(s, 17, 0, in, 1);
    IPrimitives->Put16Pixel(s, 0, 24, in, 1);
    IPrimitives->Get16Pixel(s, -1, 0, out, 1);
    EXPECT_EQ(out[0], 7u);
    EXPECT_EQ(CountPixels(s, 0), 32 * 24 - 15);  // in[0] is 0
    SDL_Surface* s16 = Blank(16, {0xF800, 0x07E0, 0x001F, 0});
    IPrimitives->Put16Pixel(s16, 0, 0, in, 1);
    EXPECT_EQ(CountPixels(s16, 0), 32 * 24);
}

TEST_F(PrimitivesTest, LinesBoxesAndRectanglesCoverTheirPixels) {
    SDL_Surface* s = Blank(32, {0xFF0000, 0xFF00, 0xFF, 0});
    IPrimitives->HLineColor(s, 10, 10, 5, 1);
    EXPECT_EQ(CountPixels(s, 1), 1);
    IPrimitives->HLineColor(s, 2, 6, 0, 2);
    EXPECT_EQ(CountPixels(s, 2), 5);
    IPrimitives->VLineColor(s, 0, 3, 9, 3);
    EXPECT_EQ(CountPixels(s, 3), 7);
    IPrimitives->HLineColor(s, 6, 2, 1, 4);  // reversed ends draw nothing
    EXPECT_EQ(CountPixels(s, 4), 0);

    SDL_Surface* box = Blank(32, {0xFF0000, 0xFF00, 0xFF, 0});
    IPrimitives->BoxColor(box, 0, 0, 10, 10, 5);
    EXPECT_EQ(CountPixels(box, 5), 100);
    EXPECT_EQ(PixelAt(box, 10, 10), 0u);
    IPrimitives->BoxRGBA(box, 20, 20, 20, 30, 255, 0, 0, 255);  // empty box
    EXPECT_EQ(CountPixels(box, SDL_MapRGB(box->format, 255, 0, 0)), 0);

    SDL_Surface* outline = Blank(32, {0xFF0000, 0xFF00, 0xFF, 0});
    IPrimitives->RectangleColor(outline, 0, 0, 10, 10, 6);
    EXPECT_EQ(CountPixels(outline, 6), 11 * 4 - 4);
    EXPECT_EQ(PixelAt(outline, 10, 10), 6u);
    EXPECT_EQ(PixelAt(outline, 5, 5), 0u);
    // Partly outside: SDL clips, nothing is written beyond the surface.
    IPrimitives->RectangleRGBA(outline, -5, -5, 40, 40, 0, 255, 0, 255);
    EXPECT_EQ(CountPixels(outline, SDL_MapRGB(outline->format, 0, 255, 0)), 0);
}

// The pixels of a line from (x, y) to (endX, endY) drawn one at a time:
// the major axis advances every pixel, the minor one whenever the error,
// starting at half the major distance, reaches the major distance.
std::vector<std::pair<int, int>> ReferenceLine(int x, int y, int endX, int endY) {
    const int dx = std::abs(endX - x), dy = std::abs(endY - y);
    const int major = std::max(dx, dy), minor = std::min(dx, dy);
    const int sx = endX >= x ? 1 : -1, sy = endY >= y ? 1 : -1;
    std::vector<std::pair<int, int>> pixels{{x, y}};
    for (int i = 0, error = major / 2; i < major; ++i) {
        if (dx >= dy) x += sx; else y += sy;
        error += minor;
        if (error >= major) {
            if (dx >= dy) y += sy; else x += sx;
            error -= major;
        }
        pixels.push_back({x, y});
    }
    return pixels;
}

TEST_F(PrimitivesTest, LinesInEveryDirectionHitExactlyTheBresenhamPixels) {
    // Slopes from flat to steep in all eight octants, from the centre and
    // from the corners, at the depths that have their own pixel writer.
    const std::pair<int, int> ends[] = {{0, 0},  {39, 0}, {0, 29}, {39, 29}, {20, 0}, {0, 14},
                                        {39, 3}, {2, 29}, {33, 1}, {7, 26},  {25, 29}, {39, 17}};
    const struct {
        int depth;
        imaging_test::Masks masks;
    } depths[] = {{8, {0, 0, 0, 0}}, {16, {0xF800, 0x07E0, 0x001F, 0}}, {24, {0xFF0000, 0xFF00, 0xFF, 0}},
                  {32, {0xFF0000, 0xFF00, 0xFF, 0}}};
    for (const auto& d : depths) {
        SDL_Surface* s = Blank(d.depth, d.masks, 40, 30);
        for (const auto& from : {std::pair<int, int>{19, 15}, std::pair<int, int>{0, 0}, std::pair<int, int>{39, 29}})
            for (const auto& to : ends) {
                SCOPED_TRACE(testing::Message() << d.depth << "-bit (" << from.first << "," << from.second << ")-("
                                                << to.first << "," << to.second << ")");
                SDL_FillRect(s, nullptr, 0);
                IPrimitives->LineColor(s, Sint16(from.first), Sint16(from.second), Sint16(to.first),
                                       Sint16(to.second), 7);
                const auto expected = ReferenceLine(from.first, from.second, to.first, to.second);
                EXPECT_EQ(CountPixels(s, 7), static_cast<int>(expected.size()));
                for (const auto& [x, y] : expected) ASSERT_EQ(PixelAt(s, x, y), 7u) << x << "," << y;
            }
    }
}

TEST_F(PrimitivesTest, BresenhamLinesAndClampedEnds) {
    SDL_Surface* s = Blank(32, {0xFF0000, 0xFF00, 0xFF, 0});
    IPrimitives->LineColor(s, -5, 3, 20, 3, 1);
    EXPECT_EQ(CountPixels(s, 1), 21);
    EXPECT_EQ(PixelAt(s, 0, 3), 1u);
    IPrimitives->LineColor(s, 0, 0, 7, 7, 2);  // diagonal: one pixel per row
    EXPECT_EQ(CountPixels(s, 2), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(PixelAt(s, i, i), 2u);
    IPrimitives->LineColor(s, 30, 20, 30, 20, 3);  // a point
    EXPECT_EQ(CountPixels(s, 3), 1);
    // Ends beyond the surface are clamped each on its own, not clipped along
    // the line: (100, 100) becomes (31, 23).
    SDL_Surface* clamped = Blank(32, {0xFF0000, 0xFF00, 0xFF, 0});
    IPrimitives->LineColor(clamped, 31, 0, 100, 100, 4);
    EXPECT_EQ(CountPixels(clamped, 4), 24);
    EXPECT_EQ(PixelAt(clamped, 31, 23), 4u);
    // A shallow line: 11 pixels wide, 4 rows, from (0,0) to (10,3).
    SDL_Surface* shallow = Blank(32, {0xFF0000, 0xFF00, 0xFF, 0});
    IPrimitives->LineRGBA(shallow, 10, 3, 0, 0, 0, 0, 255, 255);
    const Uint32 blue = SDL_MapRGB(shallow->format, 0, 0, 255);
    EXPECT_EQ(CountPixels(shallow, blue), 11);
    EXPECT_EQ(PixelAt(shallow, 0, 0), blue);
    EXPECT_EQ(PixelAt(shallow, 10, 3), blue);
    // Clamped into the clip rectangle's last pixel.
    SDL_Surface* clipped = Blank(32, {0xFF0000, 0xFF00, 0xFF, 0});
    SDL_Rect clip = {0, 0, 8, 8};
    SDL_SetClipRect(clipped, &clip);
    IPrimitives->LineColor(clipped, 0, 5, 30, 5, 5);
    EXPECT_EQ(CountPixels(clipped, 5), 8);
}

}  // namespace
