// PNG files: round trips of every surface layout, the transparency rules of
// palette images, compression settings, and damaged files.
#include <png.h>
#include <zlib.h>

#include "Veltrano_IImage.h"
#include "Veltrano_Main.h"
#include "core/byte_order.h"
#include "imaging/imaging_test_helpers.h"

namespace {

using imaging_test::ImagingTest;
using imaging_test::Masks;

class PngTest : public ImagingTest {};

struct Layout {
    const char* label;
    int depth;
    Masks masks;
    int loadedDepth;  // what a PNG of it loads back as
};

TEST_F(PngTest, EveryLayoutRoundTripsItsColours) {
    const Layout layouts[] = {
        {"8-bit", 8, {0, 0, 0, 0}, 8},
        {"15-bit", 15, {0x7C00, 0x03E0, 0x001F, 0}, 24},
        {"16-bit", 16, {0xF800, 0x07E0, 0x001F, 0}, 24},
        {"24-bit RGB", 24, {0xFF, 0xFF00, 0xFF0000, 0}, 24},
        {"24-bit BGR", 24, {0xFF0000, 0xFF00, 0xFF, 0}, 24},
        {"32-bit RGBA", 32, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, 32},
        {"32-bit ARGB", 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 32},
        {"32-bit no alpha", 32, {0xFF0000, 0xFF00, 0xFF, 0}, 24},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.label);
        SDL_Surface* original = imaging_test::PatternSurface(17, 9, layout.depth, layout.masks);
        SDL_SetAlpha(original, SDL_SRCALPHA, 200);  // must not blend into the file
        ASSERT_EQ(IImage->SavePNG("out/image.png", original, 6), 0);
        EXPECT_EQ(IImage->isPNG("out/image.png"), 1);
        SDL_Surface* loaded = IImage->LoadPNG("out/image.png");
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->format->BitsPerPixel, layout.loadedDepth);
        // SDL widens 5 and 6-bit channels without repeating their top bits.
        const int tolerance = layout.depth <= 16 && layout.depth > 8 ? 7 : 0;
        EXPECT_TRUE(imaging_test::SameColors(original, loaded, layout.masks.a != 0, tolerance));
        EXPECT_EQ(loaded->format->colorkey, 0xFFFFFFFFu);
        EXPECT_EQ(original->format->alpha, 200);  // put back after the save
        EXPECT_TRUE(original->flags & SDL_SRCALPHA);
        SDL_FreeSurface(loaded);
        SDL_FreeSurface(original);
    }
}

TEST_F(PngTest, ColourKeysSurviveASaveAndLoad) {
    SDL_Surface* paletted = imaging_test::PatternSurface(8, 8, 8, {0, 0, 0, 0});
    SDL_SetColorKey(paletted, SDL_SRCCOLORKEY, 7);
    ASSERT_EQ(IImage->SavePNG("paletted.png", paletted, -1), 0);
    SDL_Surface* loaded = IImage->LoadPNG("paletted.png");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->format->BitsPerPixel, 8);
    EXPECT_TRUE(loaded->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(loaded->format->colorkey, 7u);
    EXPECT_EQ(imaging_test::FirstPixelDifference(paletted, loaded), "");
    SDL_FreeSurface(loaded);

    SDL_Surface* rgb = imaging_test::PatternSurface(8, 8, 16, {0xF800, 0x07E0, 0x001F, 0});
    SDL_SetColorKey(rgb, SDL_SRCCOLORKEY, 0xF81F);
    imaging_test::PixelAt(rgb, 0, 0);
    ASSERT_EQ(IImage->SavePNG("rgb.png", rgb, 9), 0);
    loaded = IImage->LoadPNG("rgb.png");
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(loaded->format->colorkey, SDL_MapRGB(loaded->format, 0xFF, 0, 0xFF));
    SDL_FreeSurface(loaded);
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(paletted);
}

TEST_F(PngTest, OneTransparentPaletteEntryIsAKeyTwoMakeRgba) {
    std::vector<uint8_t> one(16, 255);
    one[3] = 0;
    imaging_test::WritePalettePng("one.png", 16, 4, one);
    std::vector<uint8_t> two = one;
    two[9] = 0;
    imaging_test::WritePalettePng("two.png", 16, 4, two);
    std::vector<uint8_t> partial(16, 255);
    partial[2] = 128;
    imaging_test::WritePalettePng("partial.png", 16, 4, partial);

    SDL_Surface* keyed = IImage->LoadPNG("one.png");
    ASSERT_NE(keyed, nullptr);
    EXPECT_EQ(keyed->format->BitsPerPixel, 8);
    EXPECT_TRUE(keyed->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(keyed->format->colorkey, 3u);
    EXPECT_EQ(imaging_test::CountPixels(keyed, 3), 4);
    SDL_FreeSurface(keyed);

    for (const char* file : {"two.png", "partial.png"}) {
        SCOPED_TRACE(file);
        SDL_Surface* rgba = IImage->LoadPNG(file);
        ASSERT_NE(rgba, nullptr);
        EXPECT_EQ(rgba->format->BitsPerPixel, 32);
        EXPECT_EQ(rgba->format->Amask, 0xFF000000u);
        EXPECT_FALSE(rgba->flags & SDL_SRCCOLORKEY);
        Uint8 r, g, b, a;
        SDL_GetRGBA(imaging_test::PixelAt(rgba, 3, 0), rgba->format, &r, &g, &b, &a);
        EXPECT_EQ(a, file[0] == 't' ? 0 : 255);
        SDL_GetRGBA(imaging_test::PixelAt(rgba, 2, 0), rgba->format, &r, &g, &b, &a);
        EXPECT_EQ(a, file[0] == 't' ? 255 : 128);
        EXPECT_EQ(r, 32);
        SDL_FreeSurface(rgba);
    }
}

TEST_F(PngTest, KeyIsKeptThroughConversionToTheScreen) {
    OpenScreen(32);
    std::vector<uint8_t> one(16, 255);
    one[5] = 0;
    imaging_test::WritePalettePng("one.png", 16, 4, one);
    SDL_Surface* loaded = IImage->LoadPNG("one.png");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->format->BytesPerPixel, Veltrano.screen->format->BytesPerPixel);
    ASSERT_TRUE(loaded->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(loaded->format->colorkey, SDL_MapRGB(loaded->format, 80, 175, 25));
    EXPECT_EQ(imaging_test::CountPixels(loaded, loaded->format->colorkey), 4);
    SDL_FreeSurface(loaded);
}

// The zlib stream of a PNG written by SavePNG (one IDAT chunk for small
// images), and the header byte that names its compression level.
std::string IdatData(const std::string& file) {
    size_t at = 8;
    std::string data;
    while (at + 8 <= file.size()) {
        const uint32_t length = __builtin_bswap32(byte_order::LoadLE32(reinterpret_cast<const uint8_t*>(&file[at])));
        const std::string type = file.substr(at + 4, 4);
        if (type == "IDAT") data += file.substr(at + 8, length);
        at += 12 + length;
    }
    return data;
}

TEST_F(PngTest, CompressionSettingsReachZlibAndTheFilters) {
    SDL_Surface* surface = imaging_test::PatternSurface(32, 8, 24, {0xFF, 0xFF00, 0xFF0000, 0});
    ASSERT_EQ(IImage->SavePNG("c12.png", surface, 12), 0);
    ASSERT_EQ(IImage->SavePNG("c0.png", surface, 0), 0);
    const std::string best = IdatData(imaging_test::ReadBytes("c12.png"));
    const std::string none = IdatData(imaging_test::ReadBytes("c0.png"));
    ASSERT_GE(best.size(), 2u);
    ASSERT_GE(none.size(), 2u);
    // The FLEVEL bits of the zlib header: 3 for level 9, 0 for level 0.
    EXPECT_EQ((static_cast<uint8_t>(best[1]) >> 6), 3);
    EXPECT_EQ((static_cast<uint8_t>(none[1]) >> 6), 0);
    // Level 0 stores the rows; each row's filter byte is 0 (none).
    std::vector<unsigned char> raw(8 * (1 + 32 * 3));
    uLongf rawSize = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(none.data()), none.size()), Z_OK);
    ASSERT_EQ(rawSize, raw.size());
    for (size_t row = 0; row < 8; ++row) EXPECT_EQ(raw[row * (1 + 32 * 3)], 0);
    SDL_FreeSurface(surface);
}

TEST_F(PngTest, DamagedOrMissingInputIsRefused) {
    SDL_Surface* surface = imaging_test::PatternSurface(40, 40, 32, {0xFF, 0xFF00, 0xFF0000, 0xFF000000});
    ASSERT_EQ(IImage->SavePNG("good.png", surface, 6), 0);
    const std::string bytes = imaging_test::ReadBytes("good.png");
    // Truncated inside the image data.
    testing_support::WriteFile("cut.png", bytes.substr(0, bytes.size() / 2));
    // An IHDR claiming 1,000,000 x 1,000,000 pixels, its CRC made right.
    std::string huge = bytes;
    for (int offset : {16, 20}) {
        huge[offset] = 0;
        huge[offset + 1] = 0x0F;
        huge[offset + 2] = 0x42;
        huge[offset + 3] = 0x40;
    }
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(&huge[12]), 17);
    for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
    testing_support::WriteFile("huge.png", huge);

    log.Clear();
    for (const char* file : {"cut.png", "huge.png", "absent.png"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(IImage->LoadPNG(file), nullptr);
        EXPECT_TRUE(log.Contains(std::string(" . [IImage->LoadPNG(") + file + ")] Error: "));
    }
    EXPECT_EQ(IImage->LoadPNG(const_cast<char*>(huge.data()), static_cast<int>(huge.size())), nullptr);
    EXPECT_EQ(IImage->LoadPNG(nullptr, 10), nullptr);
    EXPECT_EQ(IImage->LoadPNG(const_cast<char*>(bytes.data()), -1), nullptr);
    EXPECT_EQ(IImage->isPNG("absent.png"), -1);
    testing_support::WriteFile("text.png", "not a png");
    EXPECT_EQ(IImage->isPNG("text.png"), 0);
    EXPECT_EQ(IImage->LoadIMG("text.png"), nullptr);
    EXPECT_EQ(IImage->SavePNG("null.png", nullptr, 6), 0);
    EXPECT_TRUE(log.Contains(" . [IImage->SavePNG(null.png,6)] Error: surface is null.\n"));
    EXPECT_EQ(IImage->SavePNG("no-such-folder/\x01/../..", surface, 6), -1);
    SDL_FreeSurface(surface);
}

}  // namespace
