// Arbitrary bytes as a level document of the hello demo, read with the
// demo's own level reader: it must refuse what is malformed and, when it
// accepts a document, give a grid and cells that are all inside bounds.
#include <cstdint>
#include <cstdlib>

#include "fuzz_setup.h"
#include "level.h"

namespace {

void CheckAccepted(const Level& level) {
    for (const auto& row : level.grid)
        for (Terrain cell : row)
            if (cell < Terrain::Floor || cell > Terrain::Spikes) std::abort();
    auto inside = [](const GridCell& c) { return c.x >= 0 && c.x < kColumns && c.y >= 0 && c.y < kRows; };
    if (!inside(level.start) || level.coins.empty()) std::abort();
    for (const GridCell& coin : level.coins)
        if (!inside(coin)) std::abort();
    for (const EnemyStart& enemy : level.enemies)
        if (!inside(enemy.at) || enemy.dx < -1 || enemy.dx > 1 || enemy.dy < -1 || enemy.dy > 1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_setup::Start("fuzz_hello_level", "level.xml");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& file = fuzz_setup::WriteWorkFile(data, size);
    const int doc = Veltrano.XMLOpen(file.c_str());
    if (doc == 0) return 0;
    Level level;
    if (ReadLevel(doc, level)) CheckAccepted(level);
    Veltrano.XMLClose(doc);
    return 0;
}
