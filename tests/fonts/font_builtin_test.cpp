// The SDK's built-in font: its PNG is cut into all 94 glyphs, and a
// screenshot of text drawn with it is written for a person to read
// (font_builtin_screenshot.png in the build folder).
#include <SDL.h>

#include <cstdlib>
#include <string>

#include "Veltrano_CFont.h"
#include "Veltrano_IImage.h"
#include "Veltrano_Main.h"
#include "fonts/builtin_font.h"
#include "support/font_test_helpers.h"

namespace font_test {
namespace {

class BuiltinFontTest : public FontTest {
protected:
    SDL_Surface* LoadImage() {
        const builtin_font::PngBytes png = builtin_font::Png();
        return IImage->LoadPNG(const_cast<unsigned char*>(png.data), png.size);
    }
};

TEST_F(BuiltinFontTest, IsAn899By14TrueColourImageOfAllGlyphs) {
    SDL_Surface* image = LoadImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->w, 899);
    EXPECT_EQ(image->h, 14);
    EXPECT_EQ(image->format->BitsPerPixel, 24);
    Veltrano_CFont font;
    EXPECT_EQ(font.Test(image), 0);
    ASSERT_EQ(font.Create(image), 96);
    for (int code = '!'; code <= '~'; ++code) {
        const char text[2] = {static_cast<char>(code), 0};
        EXPECT_GE(font.StringWidth(text), 2) << text;  // at least one column of ink
    }
    EXPECT_EQ(font.StringHeight(), 13);
    SDL_FreeSurface(image);
}

// Each pixel of the source becomes a square of scale x scale pixels.
SDL_Surface* Enlarged(SDL_Surface* source, int scale) {
    SDL_Surface* big = MakeTarget(source->w * scale, source->h * scale, {0, 0, 0, 0});
    for (int y = 0; y < source->h; ++y)
        for (int x = 0; x < source->w; ++x) {
            SDL_Rect square{static_cast<Sint16>(x * scale), static_cast<Sint16>(y * scale),
                            static_cast<Uint16>(scale), static_cast<Uint16>(scale)};
            SDL_FillRect(big, &square, PixelAt(source, x, y));
        }
    return big;
}

TEST_F(BuiltinFontTest, WritesAScreenshotOfText) {
    SDL_Surface* image = LoadImage();
    Veltrano_CFont font;
    ASSERT_EQ(font.Create(image), 96);
    const char* lines[] = {
        "The quick brown fox jumps over the lazy dog.",
        "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG!",
        "0123456789 +-*/= <> () [] {} \"quoted\" 'single'",
        "!#$%&,.:;?@\\^_`|~  score: 12,345  hp: 87%",
        "Press ` to open the console; type help.",
    };
    SDL_Surface* screen = MakeTarget(300, 15 * 7, {16, 24, 64, 0});
    int y = 4;
    for (const char* line : lines) {
        font.PutString(screen, 4, y, line, nullptr);
        y += font.StringHeight() + 2;
    }
    font.PutStringWithCursor(screen, 4, y, "cursor", 3, nullptr, 1);
    SDL_Surface* big = Enlarged(screen, 3);
    const char* folder = std::getenv("VELTRANO_BINARY_DIR");
    const std::string path = std::string(folder != nullptr ? folder : ".") + "/font_builtin_screenshot.png";
    EXPECT_EQ(IImage->SavePNG(path.c_str(), big, 6), 0);
    // Some ink reached the picture, in the font's white.
    int white = 0;
    for (int py = 0; py < screen->h; ++py)
        for (int px = 0; px < screen->w; ++px) white += SameColor(ColorAt(screen, px, py), {255, 255, 255, 0});
    EXPECT_GT(white, 500);
    SDL_FreeSurface(big);
    SDL_FreeSurface(screen);
    SDL_FreeSurface(image);
}

}  // namespace
}  // namespace font_test
