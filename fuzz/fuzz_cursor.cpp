// Arbitrary bytes as a cursor image: written as a file for ICursor->Create
// or stored as an "IMG" block for ICursor->Load (the first byte chooses).
// Whatever becomes a cursor is selected, moved across the screen edges,
// drawn over and deleted, so every image the loaders let through meets the
// cursor's save, restore and draw.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_setup.h"
#include "veltrano.h"

namespace {

std::string folder;
std::string imageFile;
std::string archive;

void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
}

char LoadFromArchive(const uint8_t* data, size_t size) {
    std::remove(archive.c_str());
    const int handle = IStuffDPF->Create(archive.c_str());
    if (handle <= 0) std::abort();
    std::string bytes(reinterpret_cast<const char*>(data), size);
    DPF_BlockData block{};
    std::strcpy(block.name, "pointer");
    std::strcpy(block.type, "IMG");
    block.storage = 1;
    block.size = static_cast<int>(bytes.size());
    block.data = bytes.data();
    IStuffDPF->AddData(handle, &block);
    const char slot = ICursor->Load(handle, "pointer", static_cast<char>(size));
    IStuffDPF->Close(handle);
    return slot;
}

void Exercise(char slot) {
    ICursor->Select(slot);
    const int places[][2] = {{0, 0}, {63, 47}, {32, 24}, {1, 46}};
    for (const auto& place : places) {
        SDL_WarpMouse(static_cast<Uint16>(place[0]), static_cast<Uint16>(place[1]));
        Veltrano.Update(nullptr);
        IPrimitives->BoxColor(Veltrano.screen, 20, 20, 40, 40, 0x808080);
    }
    ICursor->Hide();
    ICursor->Delete(slot);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_setup::StartWithScreen("fuzz_cursor", 64, 48);
    ICursor->Init();
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_cursor-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    imageFile = folder + "/pointer.img";
    archive = folder + "/pointers.dpf";
    std::atexit([] {
        std::remove(imageFile.c_str());
        std::remove(archive.c_str());
        rmdir(folder.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    char slot;
    if (data[0] & 1) {
        slot = LoadFromArchive(data + 1, size - 1);
    } else {
        WriteBytes(imageFile, data + 1, size - 1);
        slot = ICursor->Create(imageFile.c_str(), static_cast<char>(data[0] >> 1));
    }
    if (slot >= 0) Exercise(slot);
    return 0;
}
