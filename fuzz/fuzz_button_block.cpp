// Arbitrary bytes stored as a widget's "BUT" block and loaded with
// IButton->Load, with all, some or none of its pictures in the archive;
// what loads (as a working widget, or as a master and a clone) then lives
// through a few frames of input check and drawing with the mouse over it
// and its buttons and keys pressed as the input says.
//
// Input: byte 0 chooses the pictures (bits 0-1: all, normal and pressed
// only, none) and master mode (bit 2); bytes 1-8 drive four frames (mouse
// x and buttons per frame); the rest is the block.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "button_fuzz_setup.h"

namespace {

std::string archive;
int baseTiles = 0;

const char* const kNames[] = {"all", "some", "none", "all"};

int FreshArchive(const std::string& name, std::string& bytes) {
    std::remove(archive.c_str());
    const int handle = IStuffDPF->Create(archive.c_str());
    if (handle <= 0) std::abort();
    if (name == "all") button_fuzz::StoreWidgetPictures(handle, name);
    if (name == "some") {
        button_fuzz::StorePicture(handle, name + "_n", 60, 8);
        button_fuzz::StorePicture(handle, name + "_p", 4, 4);
    }
    DPF_BlockData block{};
    std::strcpy(block.name, name.c_str());
    std::strcpy(block.type, "BUT");
    block.storage = 1;  // raw: the fuzzer's bytes are what Load sees
    block.size = static_cast<int>(bytes.size());
    block.data = bytes.data();
    IStuffDPF->AddData(handle, &block);
    return handle;
}

void Frames(const uint8_t* drive) {
    Uint8* keys = SDL_GetKeyState(nullptr);
    for (int frame = 0; frame < 4; ++frame) {
        button_fuzz::Mouse& mouse = button_fuzz::CurrentMouse();
        mouse.x = drive[2 * frame];
        mouse.y = 4;
        mouse.buttons = drive[2 * frame + 1] & 7;
        keys[SDLK_SPACE] = (drive[2 * frame + 1] >> 3) & 1;
        keys[SDLK_a] = (drive[2 * frame + 1] >> 4) & 1;
        Veltrano.RenderNeeded(1);
        Veltrano.Update(nullptr);
        IButton->Check();
        IButton->WhoIsSelected();
    }
    keys[SDLK_SPACE] = keys[SDLK_a] = 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    archive = button_fuzz::Start("fuzz_button_block", "widgets.dpf");
    baseTiles = Veltrano.tileCount;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 9) return 0;
    const std::string name = kNames[data[0] & 3];
    const bool master = (data[0] & 4) != 0;
    std::string bytes(reinterpret_cast<const char*>(data) + 9, size - 9);
    const int handle = FreshArchive(name, bytes);
    const int id = IButton->Load(handle, name.c_str(), master ? 1 : 0);
    IStuffDPF->Close(handle);
    if (id > 0) {
        const int working = master ? IButton->Clone(id) : id;
        IButton->SetPosition(working, 2, 0);
        Frames(data + 1);
        IButton->Info(-1);
        IButton->Remove(working);
        if (master) IButton->RemoveMaster(id);
    }
    if (IButton->Info(-2) != 0 || Veltrano.tileCount != baseTiles) std::abort();
    return 0;
}
