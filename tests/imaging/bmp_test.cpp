// BMP files through SDL's reader and writer, and LoadIMG's choice.
#include "Veltrano_IImage.h"
#include "Veltrano_Main.h"
#include "imaging/imaging_test_helpers.h"

namespace {

class BmpTest : public imaging_test::ImagingTest {};

TEST_F(BmpTest, SavesLoadsAndIsRecognised) {
    SDL_Surface* surface = imaging_test::PatternSurface(9, 5, 24, {0xFF0000, 0xFF00, 0xFF, 0});
    EXPECT_EQ(IImage->SaveBMP("deep/folder/image.bmp", surface), 1);
    EXPECT_EQ(IImage->isBMP("deep/folder/image.bmp"), 1);
    EXPECT_EQ(IImage->isPNG("deep/folder/image.bmp"), 0);
    SDL_Surface* loaded = IImage->LoadBMP("deep/folder/image.bmp");
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(imaging_test::SameColors(surface, loaded, false));
    EXPECT_EQ(loaded->format->colorkey, 0xFFFFFFFFu);
    SDL_FreeSurface(loaded);

    ASSERT_EQ(IImage->SavePNG("image.png", surface, 6), 0);
    EXPECT_EQ(IImage->isBMP("image.png"), 0);
    for (const char* file : {"deep/folder/image.bmp", "image.png"}) {
        SDL_Surface* any = IImage->LoadIMG(file);
        ASSERT_NE(any, nullptr) << file;
        EXPECT_TRUE(imaging_test::SameColors(surface, any, false)) << file;
        SDL_FreeSurface(any);
    }
    SDL_FreeSurface(surface);
}

TEST_F(BmpTest, ConvertsToTheScreenAndRefusesBadInput) {
    OpenScreen(16);
    SDL_Surface* surface = imaging_test::PatternSurface(9, 5, 24, {0xFF0000, 0xFF00, 0xFF, 0});
    ASSERT_EQ(IImage->SaveBMP("image.bmp", surface), 1);
    SDL_Surface* loaded = IImage->LoadBMP("image.bmp");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->format->BytesPerPixel, 2);
    EXPECT_EQ(loaded->format->colorkey, 0xFFFFFFFFu);
    SDL_FreeSurface(loaded);

    log.Clear();
    testing_support::WriteFile("bad.bmp", "BM not really");
    EXPECT_EQ(IImage->LoadBMP("bad.bmp"), nullptr);
    EXPECT_EQ(IImage->LoadBMP(nullptr), nullptr);
    EXPECT_TRUE(log.Contains(" . [IImage->LoadBMP(bad.bmp)] Error: file not found.\n"));
    EXPECT_EQ(IImage->isBMP("bad.bmp"), 0);
    EXPECT_EQ(IImage->isBMP(nullptr), 0);
    EXPECT_EQ(IImage->SaveBMP("x.bmp", nullptr), 0);
    EXPECT_TRUE(log.Contains(" . [IImage->SaveBMP(x.bmp,0)] Error: surface is null.\n"));
    SDL_FreeSurface(surface);
}

}  // namespace
