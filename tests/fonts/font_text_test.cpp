// Measuring and drawing text: widths with kerning, skipped characters, the
// cursor position, and glyphs drawn (and clipped) pixel by pixel.
#include <SDL.h>

#include <string>

#include "Veltrano_CFont.h"
#include "support/font_test_helpers.h"

namespace font_test {
namespace {

constexpr SDL_Color kPaper{10, 20, 30, 0};
// 24 bits, gap 2: a cell starts one column before its ink and is one column
// wider than the advance, so a glyph's ink starts one column after the pen.
const FontImage kSpec;

class FontTextTest : public FontTest {
protected:
    Veltrano_CFont font;
    SDL_Surface* image = nullptr;

    void SetUp() override {
        FontTest::SetUp();
        image = MakeFontImage(kSpec);
        ASSERT_EQ(font.Create(image), 96);
    }
    void TearDown() override {
        SDL_FreeSurface(image);
        font.Clean();
        FontTest::TearDown();
    }
    // Advance of a character of the test font.
    static int Advance(char c) { return c == ' ' ? GlyphWidth('a' - 33) + 1 : GlyphWidth(c - 33) + 1; }
};

// Whether the target shows glyph c drawn with the pen at column pen, row y.
::testing::AssertionResult GlyphAt(SDL_Surface* target, char c, int pen, int y) {
    const int x = pen + 1;
    const int k = c - 33;
    for (int column = 0; column < GlyphWidth(k); ++column)
        for (int row = 1; row < kSpec.height; ++row) {
            const SDL_Color want = GlyphInk(k, column, row) ? GlyphColor(k) : kPaper;
            if (!SameColor(ColorAt(target, x + column, y + row - 1), want))
                return ::testing::AssertionFailure() << c << " column " << column << " row " << row;
        }
    return ::testing::AssertionSuccess();
}

TEST_F(FontTextTest, WidthsAddKerningBetweenGlyphsOnly) {
    EXPECT_EQ(font.StringWidth("ab"), Advance('a') + Advance('b'));
    font.SetKerning(3);
    EXPECT_EQ(font.StringWidth("a"), Advance('a'));
    EXPECT_EQ(font.StringWidth("ab"), Advance('a') + 3 + Advance('b'));
    // A space adds its width and no kerning of its own.
    EXPECT_EQ(font.StringWidth("a b"), Advance('a') + 3 + Advance(' ') + Advance('b'));
    // Control characters and bytes above 127 add nothing themselves; the
    // glyph before them is not the text's last, so its kerning stays.
    EXPECT_EQ(font.StringWidth("a\tb\x80\xff"), Advance('a') + 3 + Advance('b') + 3);
    EXPECT_EQ(font.StringWidth("a\tb"), Advance('a') + 3 + Advance('b'));
    // At most 255 characters are measured; the 255th still gets its kerning.
    const std::string line(300, 'A');
    EXPECT_EQ(font.StringWidth(line.c_str()), 255 * (Advance('A') + 3));
    EXPECT_EQ(font.StringWidth(""), 0);
    EXPECT_EQ(font.StringWidth(nullptr), 0);
}

TEST_F(FontTextTest, CursorIndexComparesMidpointsStrictlyAndIgnoresKerning) {
    font.SetKerning(10);
    // "AB": A spans 0..2 (midpoint 1), B spans 2..5 (midpoint 3).
    EXPECT_EQ(font.SetCursorAt("AB", 1), 1);  // A's midpoint is not beyond 1
    EXPECT_EQ(font.SetCursorAt("AB", 0), 0);
    EXPECT_EQ(font.SetCursorAt("AB", 2), 1);
    EXPECT_EQ(font.SetCursorAt("AB", 3), 2);
    EXPECT_EQ(font.SetCursorAt("AB", 100), 2);
    EXPECT_EQ(font.SetCursorAt(nullptr, 5), 0);
}

TEST_F(FontTextTest, GlyphsLandAtThePenAndSkippedCharactersDoNotMoveIt) {
    SDL_Surface* target = MakeTarget(80, 12, kPaper);
    font.SetKerning(1);
    font.PutString(target, 5, 2, "A\tB\x81 C", nullptr);
    const int b = 5 + Advance('A') + 1;
    const int c = b + Advance('B') + 1 + Advance(' ');
    EXPECT_TRUE(GlyphAt(target, 'A', 5, 2));
    EXPECT_TRUE(GlyphAt(target, 'B', b, 2));
    EXPECT_TRUE(GlyphAt(target, 'C', c, 2));
    EXPECT_TRUE(SameColor(ColorAt(target, 4, 2), kPaper));
    SDL_FreeSurface(target);
}

TEST_F(FontTextTest, ClippingCutsEverySideLikeTheTarget) {
    const std::string text = "%&WXYZ{|}~";
    SDL_Surface* whole = MakeTarget(60, 20, kPaper);
    font.PutString(whole, -3, 4, text.c_str(), nullptr);
    for (const SDL_Rect clip : {SDL_Rect{2, 6, 17, 4}, SDL_Rect{0, 0, 60, 20}, SDL_Rect{30, 5, 1, 1},
                                SDL_Rect{50, 0, 10, 20}, SDL_Rect{5, 15, 10, 0}}) {
        SCOPED_TRACE(std::to_string(clip.x) + "," + std::to_string(clip.y));
        SDL_Surface* clipped = MakeTarget(60, 20, kPaper);
        SDL_Rect rect = clip;
        font.PutString(clipped, -3, 4, text.c_str(), &rect);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 60; ++x) {
                const bool inside = x >= clip.x && x < clip.x + clip.w && y >= clip.y && y < clip.y + clip.h;
                const SDL_Color want = inside ? ColorAt(whole, x, y) : kPaper;
                ASSERT_TRUE(SameColor(ColorAt(clipped, x, y), want)) << x << "," << y;
            }
        SDL_FreeSurface(clipped);
    }
    SDL_FreeSurface(whole);
}

TEST_F(FontTextTest, FarAwayTextDrawsNothing) {
    SDL_Surface* target = MakeTarget(40, 12, kPaper);
    SDL_Surface* untouched = MakeTarget(40, 12, kPaper);
    // Beyond the 16-bit range of SDL's rectangles: nothing may wrap around.
    font.PutString(target, 65536, 0, "ABC", nullptr);
    font.PutString(target, -70000, 0, "ABC", nullptr);
    font.PutString(target, 0, 65536 + 2, "ABC", nullptr);
    EXPECT_EQ(FirstPixelDifference(target, untouched), "");
    SDL_FreeSurface(target);
    SDL_FreeSurface(untouched);
}

TEST_F(FontTextTest, TheCursorGlyphGoesAfterItsCharactersAndStopsAtTheEnd) {
    const char bar = '|';
    for (const int position : {0, 2, 50}) {
        SCOPED_TRACE(position);
        SDL_Surface* target = MakeTarget(60, 12, kPaper);
        font.SetKerning(2);
        font.PutStringWithCursor(target, 10, 0, "AB", position, nullptr, 1);
        const int pen = 10 + (position == 0 ? 0 : Advance('A') + 2 + Advance('B') + 2);
        // The bar's first ink column sits on the pen (see its cell offset).
        for (int row = 1; row < kSpec.height; ++row) {
            if (GlyphInk(bar - 33, 0, row)) {
                EXPECT_TRUE(SameColor(ColorAt(target, pen, row - 1), GlyphColor(bar - 33))) << row;
            }
        }
        EXPECT_TRUE(GlyphAt(target, 'A', 10, 0) || position == 0);
        SDL_FreeSurface(target);
    }
    SDL_Surface* hidden = MakeTarget(60, 12, kPaper);
    SDL_Surface* plain = MakeTarget(60, 12, kPaper);
    font.PutStringWithCursor(hidden, 10, 0, "AB", 1, nullptr, 0);
    font.PutString(plain, 10, 0, "AB", nullptr);
    EXPECT_EQ(FirstPixelDifference(hidden, plain), "");
    font.SetCursorChar('\x85');  // not a glyph: no cursor drawn
    font.PutStringWithCursor(hidden, 10, 0, "AB", 2, nullptr, 1);
    EXPECT_EQ(FirstPixelDifference(hidden, plain), "");
    SDL_FreeSurface(hidden);
    SDL_FreeSurface(plain);
}

TEST_F(FontTextTest, CentredText) {
    SDL_Surface* target = MakeTarget(61, 30, kPaper);
    font.PutStringXCenter(target, 3, "AB", nullptr);
    const int width = Advance('A') + Advance('B');
    EXPECT_TRUE(GlyphAt(target, 'A', 61 / 2 - width / 2, 3));
    font.PutStringYCenter(target, 40, "C", nullptr);
    // The mark row counts in the height that is centred.
    EXPECT_TRUE(GlyphAt(target, 'C', 40, 30 / 2 - kSpec.height / 2));
    SDL_FreeSurface(target);
}

TEST_F(FontTextTest, AnEmptyFontMeasuresAndDrawsNothing) {
    Veltrano_CFont empty;
    SDL_Surface* target = MakeTarget(20, 10, kPaper);
    SDL_Surface* untouched = MakeTarget(20, 10, kPaper);
    empty.PutString(target, 0, 0, "AB", nullptr);
    empty.PutStringWithCursor(target, 0, 0, "AB", 1, nullptr, 1);
    empty.PutStringXCenter(target, 0, "AB", nullptr);
    empty.PutStringYCenter(target, 0, "AB", nullptr);
    EXPECT_EQ(FirstPixelDifference(target, untouched), "");
    EXPECT_EQ(empty.StringWidth("AB"), 0);
    EXPECT_EQ(empty.StringHeight(), 0);
    EXPECT_EQ(empty.SetCursorAt("AB", 4), 0);
    font.PutString(nullptr, 0, 0, "AB", nullptr);
    font.PutStringXCenter(nullptr, 0, "AB", nullptr);
    SDL_FreeSurface(target);
    SDL_FreeSurface(untouched);
}

}  // namespace
}  // namespace font_test
