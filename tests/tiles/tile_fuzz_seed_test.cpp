// The tile fuzzer's seeds stay blocks that load, so fuzzing starts from the
// reader's successful paths (both versions, every type).
#include <cstdlib>
#include <filesystem>

#include "Veltrano_CTile.h"
#include "support/tile_test_helpers.h"

namespace {

namespace fs = std::filesystem;

class TileFuzzSeeds : public tile_test::TileTest {};

TEST_F(TileFuzzSeeds, EverySeedLoads) {
    const char* const types[] = {"TILE", "TILB", "TILE2", "TILB2"};
    const fs::path folder = fs::path(std::getenv("VELTRANO_SOURCE_DIR")) / "fuzz" / "corpus" / "tile_block";
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().string());
        const std::string bytes = testing_support::ReadFile(entry.path().string());
        ASSERT_GE(bytes.size(), 2u);
        const char* type = types[static_cast<uint8_t>(bytes[0]) & 3];
        const std::string name = "seed" + std::to_string(count++);
        tile_test::AddRawBlock("seeds.dpf", name, type, std::vector<uint8_t>(bytes.begin() + 1, bytes.end()));
        Veltrano_CTile tile;
        EXPECT_EQ(tile.Load("seeds.dpf", name.c_str(), type), 1);
    }
    EXPECT_GE(count, 4);
}

}  // namespace
