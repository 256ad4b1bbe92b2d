// "IMG" blocks: every depth round-trips through an archive with its palette,
// colour key, surface alpha and pixels; damaged blocks are refused.
#include <cstring>

#include "Veltrano_IImage.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "core/byte_order.h"
#include "imaging/imaging_test_helpers.h"

namespace {

using imaging_test::ImagingTest;
using imaging_test::Masks;

constexpr Uint32 kNoKey = 0xFFFFFFFF;

struct Layout {
    const char* label;
    int depth;
    Masks masks;
};

const Layout kLayouts[] = {
    {"8-bit", 8, {0, 0, 0, 0}},
    {"15-bit", 15, {0x7C00, 0x03E0, 0x001F, 0}},
    {"16-bit", 16, {0xF800, 0x07E0, 0x001F, 0}},
    {"24-bit", 24, {0xFF0000, 0xFF00, 0xFF, 0}},
    {"32-bit", 32, {0xFF0000, 0xFF00, 0xFF, 0}},
    {"32-bit alpha", 32, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}},
};

struct Finish {
    bool key;
    Uint8 alpha;  // 255: opaque (or per-pixel when the layout has an alpha mask)
};

class ImageBlockTest : public ImagingTest {};

// Without a screen nothing is converted, so what comes back is the stored
// surface itself.
TEST_F(ImageBlockTest, EveryDepthRoundTripsWithPaletteKeyAlphaAndPixels) {
    const Finish finishes[] = {{false, 255}, {true, 255}, {false, 128}, {true, 77}};
    int index = 0;
    for (const Layout& layout : kLayouts) {
        for (const Finish& finish : finishes) {
            SCOPED_TRACE(std::string(layout.label) + (finish.key ? " keyed" : "") + " alpha " +
                         std::to_string(finish.alpha));
            SDL_Surface* original = imaging_test::PatternSurface(13, 7, layout.depth, layout.masks, index + 1);
            ASSERT_NE(original, nullptr);
            const Uint32 key = layout.depth == 8 ? 5 : (0x00FF00FFu & (layout.masks.r | layout.masks.b));
            // Without a key the field keeps SDL's 0, which must not become a key.
            if (finish.key) SDL_SetColorKey(original, SDL_SRCCOLORKEY, key);
            SDL_SetAlpha(original, SDL_SRCALPHA, finish.alpha);
            const std::string name = "image" + std::to_string(index++);
            ASSERT_GT(IImage->Save("images.dpf", name.c_str(), original), 0);

            log.Clear();
            sHeaderIPF header{};
            SDL_Surface* loaded = IImage->Load("images.dpf", name.c_str(), &header);
            ASSERT_NE(loaded, nullptr);
            EXPECT_EQ(loaded->format->BitsPerPixel, layout.depth);
            EXPECT_EQ(loaded->format->Rmask, layout.masks.r);
            EXPECT_EQ(loaded->format->Amask, layout.masks.a);
            EXPECT_EQ(imaging_test::FirstPixelDifference(original, loaded), "");
            // Per-pixel alpha (an alpha mask with surface alpha 255) takes the
            // place of a colour key, which is then not applied.
            const bool perPixel = layout.masks.a != 0 && finish.alpha == 255;
            if (!perPixel) {
                EXPECT_EQ(loaded->format->colorkey, finish.key ? key : kNoKey);
            }
            EXPECT_EQ((loaded->flags & SDL_SRCCOLORKEY) != 0, finish.key && !perPixel);
            EXPECT_EQ(loaded->format->alpha, finish.alpha);
            const bool blended = finish.alpha != 255 || layout.masks.a != 0;
            EXPECT_EQ((loaded->flags & SDL_SRCALPHA) != 0, blended);
            if (layout.depth == 8) {
                EXPECT_EQ(std::memcmp(original->format->palette->colors, loaded->format->palette->colors,
                                      256 * sizeof(SDL_Color)),
                          0);
                EXPECT_TRUE(log.Contains("Warning: 8bits surface loaded, it could be a different screen format.\n"));
            }
            EXPECT_EQ(header.width, 13);
            EXPECT_EQ(header.height, 7);
            EXPECT_EQ(header.bpp, layout.depth);
            EXPECT_EQ(header.alpha, finish.alpha);
            EXPECT_EQ(static_cast<Uint32>(header.colorkey), finish.key ? key : kNoKey);
            EXPECT_STREQ(header.name, name.c_str());
            SDL_FreeSurface(loaded);
            SDL_FreeSurface(original);
        }
    }
}

TEST_F(ImageBlockTest, ConvertsToTheScreenButNeverEightBitImages) {
    OpenScreen(16);
    SDL_Surface* paletted = imaging_test::PatternSurface(8, 8, 8, {0, 0, 0, 0});
    SDL_Surface* alpha = imaging_test::PatternSurface(8, 8, 32, {0xFF, 0xFF00, 0xFF0000, 0xFF000000});
    SDL_Surface* keyed = imaging_test::PatternSurface(8, 8, 24, {0xFF, 0xFF00, 0xFF0000, 0});
    SDL_SetColorKey(keyed, SDL_SRCCOLORKEY, 0xFF00FF);
    ASSERT_GT(IImage->Save("images.dpf", "paletted", paletted), 0);
    ASSERT_GT(IImage->Save("images.dpf", "alpha", alpha), 0);
    ASSERT_GT(IImage->Save("images.dpf", "keyed", keyed), 0);

    SDL_Surface* loaded = IImage->Load("images.dpf", "paletted", nullptr);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->format->BitsPerPixel, 8);
    EXPECT_EQ(imaging_test::FirstPixelDifference(paletted, loaded), "");
    SDL_FreeSurface(loaded);

    log.Clear();
    loaded = IImage->Load("images.dpf", "alpha", nullptr);
    ASSERT_NE(loaded, nullptr);
    EXPECT_NE(loaded->format->Amask, 0u);  // SDL_DisplayFormatAlpha keeps an alpha channel
    EXPECT_EQ(loaded->format->alpha, 255);
    EXPECT_TRUE(imaging_test::SameColors(alpha, loaded, true));
    EXPECT_TRUE(log.Contains("Info: surface with alpha per pixel loaded, it could slow down your graphics system.\n"));
    SDL_FreeSurface(loaded);

    loaded = IImage->Load("images.dpf", "keyed", nullptr);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->format->BytesPerPixel, 2);
    EXPECT_TRUE(loaded->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(loaded->format->colorkey, SDL_MapRGB(loaded->format, 0xFF, 0, 0xFF));
    SDL_FreeSurface(loaded);

    Veltrano.SurfaceAutomaticConversion(0);
    loaded = IImage->Load("images.dpf", "keyed", nullptr);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->format->BytesPerPixel, 3);
    SDL_FreeSurface(loaded);
    for (SDL_Surface* s : {paletted, alpha, keyed}) SDL_FreeSurface(s);
}

TEST_F(ImageBlockTest, MissingNameAndBadHandlesFail) {
    SDL_Surface* surface = imaging_test::PatternSurface(4, 4, 32, {0xFF, 0xFF00, 0xFF0000, 0});
    ASSERT_GT(IImage->Save("images.dpf", "present", surface), 0);
    EXPECT_EQ(IImage->Save("images.dpf", "present", surface), -1);
    EXPECT_EQ(IImage->Save(0, "x", surface), 0);
    EXPECT_EQ(IImage->Save("images.dpf", "a-name-much-longer-than-thirty-one-chars", surface), 0);
    EXPECT_EQ(IImage->Load(0, "present", nullptr), nullptr);
    EXPECT_EQ(IImage->Load("no-such-file.dpf", "present", nullptr), nullptr);
    log.Clear();
    EXPECT_EQ(IImage->Load("images.dpf", "absent", nullptr), nullptr);
    const std::string text = log.Text();
    const size_t warning = text.find("Warning: datablock was not found in the given DPF.\n");
    const size_t error = text.find("[IImage->Load('images.dpf','absent',0x0)] Error: image not found.\n");
    EXPECT_NE(warning, std::string::npos);
    ASSERT_NE(error, std::string::npos);
    EXPECT_LT(warning, error);
    SDL_FreeSurface(surface);
}

// A block built by hand: width, height, the 40-byte record, then pixel bytes.
std::string HandBlock(uint32_t width, uint32_t height, uint8_t bits, uint8_t bytes, uint32_t rmask, size_t pixelBytes) {
    std::string block(48 + pixelBytes, '\0');
    auto* data = reinterpret_cast<uint8_t*>(block.data());
    byte_order::StoreLE32(data, width);
    byte_order::StoreLE32(data + 4, height);
    data[8 + 4] = bits;
    data[8 + 5] = bytes;
    byte_order::StoreLE32(data + 8 + 16, rmask);
    byte_order::StoreLE32(data + 8 + 32, 0xFFFFFFFF);
    data[8 + 36] = 255;
    return block;
}

// A whole 4x1 8-bit block with the given colour key.
std::string KeyedPaletteBlock(uint32_t key) {
    std::string block = HandBlock(4, 1, 8, 1, 0, 4 + 1024);
    byte_order::StoreLE32(reinterpret_cast<uint8_t*>(&block[8 + 32]), key);
    return block;
}

TEST_F(ImageBlockTest, DamagedBlocksAreRefusedWithAnError) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"good", HandBlock(3, 2, 32, 4, 0xFF, 3 * 4 * 2)},
        {"short", HandBlock(3, 2, 32, 4, 0xFF, 3 * 4 * 2 - 1)},
        {"long", HandBlock(3, 2, 32, 4, 0xFF, 3 * 4 * 2 + 4)},
        {"huge", HandBlock(0x7FFFFFFF, 0x7FFFFFFF, 32, 4, 0xFF, 16)},
        {"negative", HandBlock(0xFFFFFFFF, 2, 32, 4, 0xFF, 16)},
        {"wide", HandBlock(20000, 1, 32, 4, 0xFF, 80000)},
        {"depth", HandBlock(3, 2, 12, 2, 0xF, 8 * 2)},
        {"bytes", HandBlock(3, 2, 32, 3, 0xFF, 12 * 2)},
        {"mask", HandBlock(3, 2, 16, 2, 0xFF0000, 8 * 2)},
        {"tiny", std::string(20, '\0')},
        {"palette-missing", HandBlock(4, 1, 8, 1, 0, 4)},
        {"key-beyond-palette", KeyedPaletteBlock(300)},
    };
    const int handle = IStuffDPF->Create("hand.dpf");
    ASSERT_GT(handle, 0);
    for (const auto& c : cases) {
        DPF_BlockData block{};
        std::strcpy(block.name, c.name);
        std::strcpy(block.type, "IMG");
        block.size = static_cast<int>(c.bytes.size());
        block.data = const_cast<char*>(c.bytes.data());
        ASSERT_GT(IStuffDPF->AddData(handle, &block), 0) << c.name;
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log.Clear();
        SDL_Surface* loaded = IImage->Load(handle, c.name, nullptr);
        if (std::strcmp(c.name, "good") == 0) {
            ASSERT_NE(loaded, nullptr);
            EXPECT_EQ(loaded->w, 3);
            SDL_FreeSurface(loaded);
        } else {
            EXPECT_EQ(loaded, nullptr);
            EXPECT_TRUE(log.Contains("Error: image block is damaged.\n"));
        }
    }
    IStuffDPF->Close(handle);
}

}  // namespace
