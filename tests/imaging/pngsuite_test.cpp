// Conformance against the PngSuite: every image loads with the pixels of
// its reference (a flat RGBA array per image); every corrupt x*.png is
// refused with null.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Veltrano_IImage.h"
#include "imaging/imaging_test_helpers.h"

namespace {

namespace fs = std::filesystem;

fs::path SuiteFolder() {
    const char* source = std::getenv("VELTRANO_SOURCE_DIR");
    return fs::path(source != nullptr ? source : ".") / ".." / "shared" / "testdata" / "pngsuite";
}

std::vector<int> ReadReference(const fs::path& path) {
    std::ifstream in(path);
    std::vector<int> values;
    std::string token;
    char c;
    while (in.get(c)) {
        if (c >= '0' && c <= '9') {
            token += c;
        } else if (!token.empty()) {
            values.push_back(std::atoi(token.c_str()));
            token.clear();
        }
    }
    return values;
}

bool IsSixteenBit(const fs::path& png) {
    const std::string stem = png.stem().string();
    return stem.size() > 2 && stem.compare(stem.size() - 2, 2, "16") == 0;
}

// The image's 8-bit RGBA values. 16-bit images are compared with their
// reduction to 8 bits (the suite's own where it has one).
std::vector<int> ReferenceFor(const fs::path& png) {
    const fs::path json = SuiteFolder() / "json";
    const fs::path reduced = json / (png.stem().string() + "_to8.json");
    if (fs::exists(reduced)) return ReadReference(reduced);
    std::vector<int> values = ReadReference(json / (png.stem().string() + ".json"));
    if (IsSixteenBit(png))
        for (int& value : values) value = (value + 128) / 257;
    return values;
}

// Empty when the surface matches the reference; else what differs first.
std::string Compare(SDL_Surface* surface, const std::vector<int>& reference, int tolerance) {
    if (reference.size() != static_cast<size_t>(surface->w) * surface->h * 4) return "reference size differs";
    const bool hasAlpha = surface->format->Amask != 0;
    const bool keyed = (surface->flags & SDL_SRCCOLORKEY) != 0;
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            const int* expected = &reference[(static_cast<size_t>(y) * surface->w + x) * 4];
            const Uint32 pixel = imaging_test::PixelAt(surface, x, y);
            Uint8 rgba[4];
            SDL_GetRGBA(pixel, surface->format, &rgba[0], &rgba[1], &rgba[2], &rgba[3]);
            const std::string where = " at (" + std::to_string(x) + "," + std::to_string(y) + ")";
            for (int i = 0; i < 3; ++i)
                if (std::abs(rgba[i] - expected[i]) > tolerance) return "colour" + where;
            if (hasAlpha && std::abs(rgba[3] - expected[3]) > tolerance) return "alpha" + where;
            if (keyed && (pixel == surface->format->colorkey) != (expected[3] == 0)) return "colour key" + where;
        }
    }
    return "";
}

class PngSuiteTest : public imaging_test::ImagingTest {};

TEST_F(PngSuiteTest, EveryImageMatchesItsReferenceAndCorruptOnesAreRefused) {
    const fs::path folder = SuiteFolder() / "png";
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    std::vector<fs::path> images;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".png") images.push_back(entry.path());
    std::sort(images.begin(), images.end());

    int matched = 0, refused = 0;
    for (const fs::path& png : images) {
        SCOPED_TRACE(png.filename().string());
        const std::string bytes = imaging_test::ReadBytes(png.string());
        SDL_Surface* fromFile = IImage->LoadPNG(png.c_str());
        SDL_Surface* fromMemory =
            IImage->LoadPNG(const_cast<char*>(bytes.data()), static_cast<int>(bytes.size()));
        if (png.filename().string()[0] == 'x') {
            EXPECT_EQ(fromFile, nullptr);
            EXPECT_EQ(fromMemory, nullptr);
            refused += fromFile == nullptr && fromMemory == nullptr;
        } else {
            ASSERT_NE(fromFile, nullptr) << SDL_GetError();
            ASSERT_NE(fromMemory, nullptr) << SDL_GetError();
            const int tolerance = IsSixteenBit(png) ? 1 : 0;
            const std::vector<int> values = ReferenceFor(png);
            const std::string difference = Compare(fromFile, values, tolerance);
            EXPECT_EQ(difference, "");
            EXPECT_EQ(imaging_test::FirstPixelDifference(fromFile, fromMemory), "");
            matched += difference.empty();
        }
        if (fromFile != nullptr) SDL_FreeSurface(fromFile);
        if (fromMemory != nullptr) SDL_FreeSurface(fromMemory);
    }
    std::cout << "PngSuite: " << matched << " images matched, " << refused << " corrupt images refused, of "
              << images.size() << "\n";
    RecordProperty("matched", matched);
    RecordProperty("refused", refused);
}

}  // namespace
