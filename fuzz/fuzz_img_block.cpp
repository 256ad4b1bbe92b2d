// Arbitrary bytes stored as an "IMG" block in a fresh archive, then loaded
// with IImage->Load; what loads is saved back as a block of its own and
// loaded again, so the saver meets every format the loader lets through.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Veltrano_IImage.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"

namespace {

std::string folder;
std::string archive;

int FreshArchiveWith(std::string& bytes) {
    std::remove(archive.c_str());
    const int handle = IStuffDPF->Create(archive.c_str());
    if (handle <= 0) std::abort();
    DPF_BlockData block{};
    std::strcpy(block.name, "input");
    std::strcpy(block.type, "IMG");
    block.storage = 1;  // raw: the fuzzer's bytes are what Load sees
    block.size = static_cast<int>(bytes.size());
    block.data = bytes.data();
    IStuffDPF->AddData(handle, &block);
    return handle;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ILogSystem.Init("/dev/null", 4, 5, "fuzz_img_block", nullptr, nullptr, nullptr);
    if (Veltrano.Init(0) != 1) std::abort();
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_img_block-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    archive = folder + "/images.dpf";
    std::atexit([] {
        std::remove(archive.c_str());
        rmdir(folder.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const int handle = FreshArchiveWith(bytes);
    sHeaderIPF header{};
    SDL_Surface* surface = IImage->Load(handle, "input", &header);
    if (surface != nullptr) {
        if (IImage->Save(handle, "again", surface) > 0) {
            SDL_Surface* again = IImage->Load(handle, "again", nullptr);
            if (again != nullptr) SDL_FreeSurface(again);
        }
        SDL_FreeSurface(surface);
    }
    IStuffDPF->Close(handle);
    return 0;
}
