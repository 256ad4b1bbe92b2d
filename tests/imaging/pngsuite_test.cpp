// Conformance against the PngSuite (tests/data/pngsuite): every image loads
// with the pixels of its reference, and every corrupt x*.png is refused with
// null. references.txt holds each image's size and a 64-bit FNV-1a hash of
// its reference RGBA pixels (made by make_references.py beside it).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "Veltrano_IImage.h"
#include "imaging/imaging_test_helpers.h"

namespace {

namespace fs = std::filesystem;

fs::path SuiteFolder() {
    const char* source = std::getenv("VELTRANO_SOURCE_DIR");
    return fs::path(source != nullptr ? source : ".") / "tests" / "data" / "pngsuite";
}

struct Reference {
    int width = 0, height = 0;
    uint64_t hash = 0;
};

std::map<std::string, Reference> ReadReferences() {
    std::ifstream in(SuiteFolder() / "references.txt");
    std::map<std::string, Reference> references;
    std::string name, hash;
    Reference r;
    while (in >> name >> r.width >> r.height >> hash) {
        r.hash = std::strtoull(hash.c_str(), nullptr, 16);
        references[name] = r;
    }
    return references;
}

// The surface as 8-bit RGBA, hashed as the references are. A surface without
// an alpha channel is opaque except where it shows its colour key.
uint64_t HashOfPixels(SDL_Surface* surface) {
    const bool hasAlpha = surface->format->Amask != 0;
    const bool keyed = (surface->flags & SDL_SRCCOLORKEY) != 0;
    uint64_t hash = 0xCBF29CE484222325ull;
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            const Uint32 pixel = imaging_test::PixelAt(surface, x, y);
            Uint8 rgba[4];
            SDL_GetRGBA(pixel, surface->format, &rgba[0], &rgba[1], &rgba[2], &rgba[3]);
            if (!hasAlpha) rgba[3] = keyed && pixel == surface->format->colorkey ? 0 : 255;
            for (Uint8 byte : rgba) hash = (hash ^ byte) * 0x100000001B3ull;
        }
    }
    return hash;
}

class PngSuiteTest : public imaging_test::ImagingTest {};

TEST_F(PngSuiteTest, EveryImageMatchesItsReferenceAndCorruptOnesAreRefused) {
    const fs::path folder = SuiteFolder();
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    std::vector<fs::path> images;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".png") images.push_back(entry.path());
    std::sort(images.begin(), images.end());

    const std::map<std::string, Reference> references = ReadReferences();
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
            const auto reference = references.find(png.filename().string());
            ASSERT_NE(reference, references.end()) << "no reference";
            EXPECT_EQ(fromFile->w, reference->second.width);
            EXPECT_EQ(fromFile->h, reference->second.height);
            const bool same = HashOfPixels(fromFile) == reference->second.hash;
            EXPECT_TRUE(same) << "the pixels differ from the reference";
            EXPECT_EQ(imaging_test::FirstPixelDifference(fromFile, fromMemory), "");
            matched += same;
        }
        if (fromFile != nullptr) SDL_FreeSurface(fromFile);
        if (fromMemory != nullptr) SDL_FreeSurface(fromMemory);
    }
    // Every reference names an image of the folder, so none goes unchecked.
    EXPECT_EQ(images.size(), references.size() + static_cast<size_t>(refused));
    EXPECT_EQ(references.size(), 161u);
    std::cout << "PngSuite: " << matched << " images matched, " << refused << " corrupt images refused, of "
              << images.size() << "\n";
    RecordProperty("matched", matched);
    RecordProperty("refused", refused);
}

}  // namespace
