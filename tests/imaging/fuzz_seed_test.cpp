// The image fuzzers' seeds stay inputs that load, so fuzzing starts from
// the loaders' successful paths.
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "Veltrano_IImage.h"
#include "Veltrano_IStuffDPF.h"
#include "imaging/imaging_test_helpers.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Seeds(const char* corpus) {
    const fs::path folder = fs::path(std::getenv("VELTRANO_SOURCE_DIR")) / "fuzz" / "corpus" / corpus;
    std::vector<fs::path> seeds;
    for (const auto& entry : fs::directory_iterator(folder)) seeds.push_back(entry.path());
    return seeds;
}

class ImageFuzzSeeds : public imaging_test::ImagingTest {};

TEST_F(ImageFuzzSeeds, EverySeedLoads) {
    const auto pngs = Seeds("png");
    const auto blocks = Seeds("img_block");
    ASSERT_FALSE(pngs.empty());
    ASSERT_FALSE(blocks.empty());
    for (const fs::path& seed : pngs) {
        std::string bytes = imaging_test::ReadBytes(seed.string());
        SDL_Surface* surface = IImage->LoadPNG(bytes.data(), static_cast<int>(bytes.size()));
        EXPECT_NE(surface, nullptr) << seed;
        if (surface != nullptr) SDL_FreeSurface(surface);
    }
    const int handle = IStuffDPF->Create("seeds.dpf");
    for (const fs::path& seed : blocks) {
        std::string bytes = imaging_test::ReadBytes(seed.string());
        DPF_BlockData block{};
        std::strcpy(block.name, seed.filename().c_str());
        std::strcpy(block.type, "IMG");
        block.storage = 1;
        block.size = static_cast<int>(bytes.size());
        block.data = bytes.data();
        ASSERT_GT(IStuffDPF->AddData(handle, &block), 0);
        SDL_Surface* surface = IImage->Load(handle, block.name, nullptr);
        EXPECT_NE(surface, nullptr) << seed;
        if (surface != nullptr) SDL_FreeSurface(surface);
    }
    IStuffDPF->Close(handle);
}

}  // namespace
