// The font fuzzer's seeds stay inputs that build fonts, so fuzzing starts
// from the successful paths of the block reader and of the cutter.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "Veltrano_CFont.h"
#include "Veltrano_IStuffDPF.h"
#include "fuzz/font_fuzz_input.h"
#include "support/font_test_helpers.h"

namespace font_test {
namespace {

namespace fs = std::filesystem;

class FontFuzzSeeds : public FontTest {};

TEST_F(FontFuzzSeeds, BlockSeedsLoadAndSurfaceSeedsCut) {
    const fs::path folder = fs::path(std::getenv("VELTRANO_SOURCE_DIR")) / "fuzz" / "corpus" / "font";
    const int handle = IStuffDPF->Create("seeds.dpf");
    int seeds = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name == "cut-blank") continue;  // kept for the refusal path
        SCOPED_TRACE(name);
        ++seeds;
        std::string bytes = testing_support::ReadFile(entry.path().string());
        ASSERT_GE(bytes.size(), 2u);
        Veltrano_CFont font;
        if (bytes[0] & 1) {
            SDL_Surface* image =
                FontFuzzSurface(reinterpret_cast<const uint8_t*>(bytes.data()) + 1, bytes.size() - 1);
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(font.Create(image), 96);
            SDL_FreeSurface(image);
            continue;
        }
        DPF_BlockData block{};
        std::strcpy(block.name, name.c_str());
        std::strcpy(block.type, bytes[0] & 2 ? "FONT" : "FONT2");
        block.storage = 1;
        block.size = static_cast<int>(bytes.size() - 1);
        block.data = bytes.data() + 1;
        ASSERT_GT(IStuffDPF->AddData(handle, &block), 0);
        EXPECT_EQ(font.Load(handle, name.c_str()), 1);
    }
    EXPECT_GE(seeds, 8);
    IStuffDPF->Close(handle);
}

}  // namespace
}  // namespace font_test
