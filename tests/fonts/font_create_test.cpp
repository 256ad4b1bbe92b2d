// Cutting images into fonts: well-formed, short, blank, gapless, pre-marked
// and 8-bit images, at 16, 24 and 32 bits, and Test's diagnostic image.
#include <SDL.h>

#include "Veltrano_CFont.h"
#include "Veltrano_IImage.h"
#include "Veltrano_Main.h"
#include "fonts/font_pixels.h"
#include "support/font_test_helpers.h"

namespace font_test {
namespace {

using testing_support::FileExists;

class FontCreateTest : public FontTest {};

TEST_F(FontCreateTest, WellFormedImagesAreCutAtEveryDepth) {
    for (const FontImage layout : {FontImage{16}, FontImage{24}, FontImage{32}, FontImage{32, true}}) {
        SCOPED_TRACE(layout.depth);
        SDL_Surface* image = MakeFontImage(layout);
        Veltrano_CFont font;
        ASSERT_EQ(font.Create(image), 96);
        // Each advance is the glyph's columns plus one.
        for (int k = 0; k < 94; ++k) {
            const char text[2] = {static_cast<char>('!' + k), 0};
            ASSERT_EQ(font.StringWidth(text), GlyphWidth(k) + 1) << text;
        }
        EXPECT_EQ(font.StringHeight(), layout.height - 1);
        EXPECT_EQ(font.GetAlpha(), layout.alphaChannel ? 256 : 255);
        // The marks are painted over with the background: no magenta is left.
        EXPECT_EQ(CountMagenta(font.GetSurface()), 0);
        SDL_Surface* surface = font.GetSurface();
        EXPECT_EQ(surface->w, ImageWidth(layout));
        if (!layout.alphaChannel) {
            EXPECT_TRUE(surface->flags & SDL_SRCCOLORKEY);
            EXPECT_EQ(surface->format->colorkey, PixelAt(image, 0, layout.height - 1));
        }
        SDL_FreeSurface(image);
    }
}

TEST_F(FontCreateTest, CountsMarkChangesAndMarksOnlyEmptyColumns) {
    SDL_Surface* image = MakeFontImage({});
    EXPECT_EQ(CreateUpperMark(image), font_pixels::kWellFormedChanges);
    const Uint32 magenta = SDL_MapRGB(image->format, 255, 0, 255);
    const FontImage layout;
    EXPECT_EQ(PixelAt(image, 0, 0), magenta);
    EXPECT_NE(PixelAt(image, GlyphStart(layout, 0), 0), magenta);
    EXPECT_EQ(PixelAt(image, GlyphStart(layout, 0) + GlyphWidth(0), 0), magenta);
    SDL_FreeSurface(image);
    // Pixels that are fully transparent do not count as ink.
    SDL_Surface* clear = SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 3, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    SDL_FillRect(clear, nullptr, SDL_MapRGBA(clear->format, 200, 200, 200, 0));
    EXPECT_EQ(CreateUpperMark(clear), 1);
    EXPECT_TRUE(log.Contains(" . [CFont::CreateUpperMark()] Warning: it was not possible to import bitmap with "
                             "font characters.\n"));
    SDL_FreeSurface(clear);
}

TEST_F(FontCreateTest, AMissingGlyphIsReportedAndDiagnosedWithoutTouchingTheImage) {
    FontImage layout;
    layout.glyphs = 93;
    SDL_Surface* image = MakeFontImage(layout);
    SDL_Surface* before = MakeFontImage(layout);
    Veltrano_CFont font;
    EXPECT_EQ(font.Test(image), 93);  // 187 changes halved
    EXPECT_TRUE(FileExists("FontWithErrors.bmp"));
    EXPECT_EQ(FirstPixelDifference(image, before), "");
    SDL_Surface* diagnostic = SDL_LoadBMP("FontWithErrors.bmp");
    ASSERT_NE(diagnostic, nullptr);
    EXPECT_TRUE(SameColor(ColorAt(diagnostic, 0, 0), {255, 0, 255, 0}));
    SDL_FreeSurface(diagnostic);
    EXPECT_EQ(font.Create(image), 93);
    EXPECT_EQ(font.GetSurface(), nullptr);
    SDL_FreeSurface(image);
    SDL_FreeSurface(before);
}

TEST_F(FontCreateTest, AUsableImageWritesNoDiagnostic) {
    SDL_Surface* image = MakeFontImage({});
    Veltrano_CFont font;
    EXPECT_EQ(font.Test(image), 0);
    EXPECT_FALSE(FileExists("FontWithErrors.bmp"));
    SDL_FreeSurface(image);
}

// Counts that would read as success (0 for Test, 96 for Create) or do not
// fit a byte are refusals.
TEST_F(FontCreateTest, BlankGaplessNarrowAndOverfullImagesAreRefused) {
    Veltrano_CFont font;
    SDL_Surface* blank = SDL_CreateRGBSurface(SDL_SWSURFACE, 200, 9, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    EXPECT_EQ(font.Test(blank), 255);
    EXPECT_EQ(font.Create(blank), 255);
    SDL_FillRect(blank, nullptr, 0x123456);
    EXPECT_EQ(font.Create(blank), 255);  // no gap at all
    EXPECT_EQ(font.Test(blank), 255);
    SDL_Surface* column = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 9, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    EXPECT_EQ(font.Create(column), 255);
    FontImage layout;
    layout.glyphs = 96;  // 193 changes: half is the success code
    SDL_Surface* overfull = MakeFontImage(layout);
    EXPECT_EQ(font.Create(overfull), 255);
    layout.glyphs = 300;  // 601 changes do not fit the result
    SDL_Surface* huge = MakeFontImage(layout);
    EXPECT_EQ(font.Create(huge), 255);
    EXPECT_EQ(font.Test(huge), 255);
    EXPECT_EQ(font.GetSurface(), nullptr);
    for (SDL_Surface* s : {blank, column, overfull, huge}) SDL_FreeSurface(s);
}

TEST_F(FontCreateTest, AnExistingMarkRowIsUsedAsItIs) {
    FontImage layout;
    layout.markRow = true;
    SDL_Surface* image = MakeFontImage(layout);
    // An empty column inside 'B' (2 wide) would split it if the gaps were
    // searched again; the mark row says where they are.
    const int inside = GlyphStart(layout, 33) + 1;  // 'B' is 2 wide
    for (int y = 1; y < layout.height; ++y) CFontSetPixel(image, inside, y, 0);
    Veltrano_CFont font;
    EXPECT_NE(font.Test(image), 0);
    ASSERT_EQ(font.Create(image), 96);
    EXPECT_EQ(font.StringWidth("B"), 3);
    EXPECT_EQ(CountMagenta(font.GetSurface()), 0);
    SDL_FreeSurface(image);

    // A mark row with one gap too few gives the number of gaps found.
    SDL_Surface* shortRow = MakeFontImage(layout);
    const Uint32 ink = SDL_MapRGB(shortRow->format, 1, 1, 1);
    for (int x = GlyphStart(layout, 10) - layout.gap; x < GlyphStart(layout, 10); ++x) CFontSetPixel(shortRow, x, 0, ink);
    Veltrano_CFont other;
    EXPECT_EQ(other.Create(shortRow), 94);
    SDL_FreeSurface(shortRow);
}

TEST_F(FontCreateTest, ASpaceAdvancesLikeTheLetterA) {
    SDL_Surface* image = MakeFontImage({});
    Veltrano_CFont font;
    ASSERT_EQ(font.Create(image), 96);
    // 'a' is glyph 64: 1 column, advance 2.
    EXPECT_EQ(font.StringWidth(" "), 2);
    EXPECT_EQ(font.StringWidth("a"), 2);
    SDL_FreeSurface(image);
}

TEST_F(FontCreateTest, RefusalsLogTheirReasons) {
    Veltrano_CFont font;
    EXPECT_EQ(font.Create(static_cast<SDL_Surface*>(nullptr)), 255);
    EXPECT_TRUE(log.Contains(" . [CFont::Create()] Error: font surface is null\n"));
    SDL_Surface* paletted = SDL_CreateRGBSurface(SDL_SWSURFACE, 20, 9, 8, 0, 0, 0, 0);
    EXPECT_EQ(font.Create(paletted), 255);
    EXPECT_TRUE(log.Contains(" . [CFont::Create()] Warning: 8bits surface loaded is not supported to create a "
                             "font.\n"));
    EXPECT_EQ(font.Test(paletted), 255);
    EXPECT_TRUE(log.Contains(" . [CFont::Test()] Warning: 8bits surface loaded is not supported to create a "
                             "font.\n"));
    EXPECT_EQ(font.Test(static_cast<SDL_Surface*>(nullptr)), 255);
    SDL_Surface* image = MakeFontImage({});
    ASSERT_EQ(font.Create(image), 96);
    EXPECT_EQ(font.Create(image), 255);
    EXPECT_TRUE(log.Contains(" . [CFont::Create()] Warning: font already exists. It is not possible to create "
                             "another one.\n"));
    SDL_FreeSurface(paletted);
    SDL_FreeSurface(image);
}

TEST_F(FontCreateTest, FilesAreReadWithConversionOffAndTheSettingPutBack) {
    SDL_Surface* image = MakeFontImage({});
    ASSERT_EQ(SDL_SaveBMP(image, "font.bmp"), 0);
    ASSERT_EQ(IImage->SavePNG("font.png", image, 6), 0);
    for (const int setting : {0, 1}) {
        Veltrano.SurfaceAutomaticConversion(setting);
        Veltrano_CFont fromBmp, fromPng;
        EXPECT_EQ(fromBmp.Create("font.bmp"), 96);
        EXPECT_EQ(fromPng.Create("font.png"), 96);
        EXPECT_EQ(fromPng.StringWidth("ABC"), 2 + 3 + 4);
        EXPECT_EQ(fromBmp.Test("font.bmp"), 0);
        Veltrano_CFont probe;
        EXPECT_EQ(probe.Test("font.png"), 255);  // Test reads BMP files only
        SDL_Surface* loaded = IImage->LoadPNG("font.png");
        EXPECT_EQ(loaded->format->BitsPerPixel, 24);
        SDL_FreeSurface(loaded);
    }
    Veltrano_CFont font;
    EXPECT_EQ(font.Create("missing.png"), 255);
    EXPECT_TRUE(log.Contains(" . [CFont::Create('missing.png')] Error: it was not possible to load the given "
                             "image file.\n"));
    EXPECT_EQ(font.Create(static_cast<const char*>(nullptr)), 255);
    EXPECT_EQ(font.Test("missing.bmp"), 255);
    SDL_FreeSurface(image);
}

// Fonts take the screen's format even with the automatic conversion off.
TEST_F(FontCreateTest, FontsAreConvertedToTheScreenWhateverTheSetting) {
    Veltrano.Config.renderer = 1;
    Veltrano.Config.accel = 1;
    Veltrano.Config.window = 1;
    Veltrano.Config.colordepth = 16;
    Veltrano.Config.resolutionx = 64;
    Veltrano.Config.resolutiony = 32;
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    Veltrano.SurfaceAutomaticConversion(0);
    SDL_Surface* image = MakeFontImage({});
    Veltrano_CFont font;
    ASSERT_EQ(font.Create(image), 96);
    SDL_Surface* surface = font.GetSurface();
    EXPECT_EQ(surface->format->BitsPerPixel, Veltrano.screen->format->BitsPerPixel);
    EXPECT_EQ(surface->format->Rmask, Veltrano.screen->format->Rmask);
    EXPECT_TRUE(surface->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(surface->format->colorkey, SDL_MapRGB(surface->format, 0, 0, 0));
    // Drawn on the screen, the glyph shows in the screen's format.
    SDL_FillRect(Veltrano.screen, nullptr, SDL_MapRGB(Veltrano.screen->format, 0, 0, 255));
    font.PutString(Veltrano.screen, 0, 0, "A", nullptr);
    Uint8 r, g, b;
    SDL_GetRGB(PixelAt(Veltrano.screen, 1, 0), Veltrano.screen->format, &r, &g, &b);
    const SDL_Color ink = GlyphColor('A' - 33);
    EXPECT_NEAR(r, ink.r, 8);
    EXPECT_NEAR(g, ink.g, 8);
    EXPECT_NEAR(b, ink.b, 8);
    SDL_FreeSurface(image);

    // Per-pixel alpha is kept through the display format with alpha.
    FontImage layout;
    layout.depth = 32;
    layout.alphaChannel = true;
    SDL_Surface* translucent = MakeFontImage(layout);
    Veltrano_CFont blended;
    ASSERT_EQ(blended.Create(translucent), 96);
    EXPECT_EQ(blended.GetAlpha(), 256);
    EXPECT_NE(blended.GetSurface()->format->Amask, 0u);
    EXPECT_TRUE(log.Contains(" . [CFont->Create()] Info: surface with alpha per pixel loaded, it could slow down "
                             "your graphics system.\n"));
    SDL_FreeSurface(translucent);
}

TEST(FontWithoutSdkTest, CreateRefusesBeforeInit) {
    testing_support::LogCapture log;
    SDL_Surface* image = MakeFontImage({});
    Veltrano_CFont font;
    EXPECT_EQ(font.Create(image), 255);
    EXPECT_EQ(font.Create("font.png"), 255);
    EXPECT_TRUE(log.Contains(" . [CFont::Create()] Error: Veltrano was not initialized. Aborting the font "
                             "creation.\n"));
    SDL_FreeSurface(image);
}

}  // namespace
}  // namespace font_test
