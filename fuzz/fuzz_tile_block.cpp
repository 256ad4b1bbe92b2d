// Arbitrary bytes stored as a tile block in a fresh archive and loaded with
// Veltrano_CTile::Load: the first byte chooses the type ("TILE", "TILB",
// "TILE2", "TILB2"), the rest is the block. What loads is drawn by cell
// with every transformation, saved back and loaded again, so the upgrade,
// the drawing and the saver meet every tile the reader lets through.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Veltrano_CTile.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "fuzz_setup.h"

namespace {

const char* const kTypes[] = {"TILE", "TILB", "TILE2", "TILB2"};

std::string folder;
std::string archive;
SDL_Surface* target = nullptr;

void Exercise(Veltrano_CTile& tile) {
    tile.Info();
    for (int id = 0; id < 4; ++id) tile.Draw(target, static_cast<int>(static_cast<uint32_t>(id) << 29 | id));
    tile.SetTileSet(1, 3, 2);
    tile.Draw(target, 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ILogSystem.Init("/dev/null", 4, 5, "fuzz_tile_block", nullptr, nullptr, nullptr);
    if (Veltrano.Init(0) != 1) std::abort();
    target = SDL_CreateRGBSurface(SDL_SWSURFACE, 32, 32, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_tile_block-XXXXXX";
    if (target == nullptr || mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    archive = folder + "/tiles.dpf";
    std::atexit([] {
        std::remove(archive.c_str());
        rmdir(folder.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const char* type = kTypes[data[0] & 3];
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int handle = fuzz_setup::FreshArchiveWith(archive, type, bytes);
    Veltrano_CTile tile;
    if (tile.Load(handle, "input", type) == 1) {
        Exercise(tile);
        tile.SetName("again");
        if (tile.Save(handle, "TILE2") > 0) {
            Veltrano_CTile again;
            if (again.Load(handle, "again", "TILE2") == 1) Exercise(again);
        }
    }
    IStuffDPF->Close(handle);
    return 0;
}
