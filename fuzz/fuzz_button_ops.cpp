// Random sequences of widget operations over masters and clones: Create,
// Clone, Remove, RemoveAll, RemoveMaster, SetLayer, SetState and frames of
// input check and drawing. A shadow of what should exist is kept, and after
// every operation the widget count, the dump's count and the core's live
// tile count must agree with it; drawing clones of removed masters must
// never touch freed pictures (the sanitizers watch that).
//
// Input: pairs of bytes, an operation and its argument.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "button_fuzz_setup.h"

namespace {

struct Shadow {
    bool clone = false;
    int pictures = 0;
};

const int kTypes[] = {1, 2, 4, 8, 16, 32, 64, 4};

std::string archive;
int handle = 0;
int baseTiles = 0;
std::map<int, Shadow> working;
std::map<int, int> masters;  // id -> pictures
int layer = 0;

int PicturesOf(int type) { return type == 4 ? 4 : 3; }

int WorkingIdFrom(uint8_t arg) { return ((arg >> 5) & 7) * 100 + (arg & 31) + 1; }

void Create(uint8_t arg) {
    IButtonNew desc{};
    desc.type = static_cast<unsigned char>(kTypes[arg & 7]);
    desc.x = static_cast<unsigned short>(arg & 0x30);
    desc.range = 4;
    desc.value = 2;
    const bool master = (arg & 0x80) != 0;
    const int id = IButton->Create(&desc, "w", master ? 1 : 0, handle);
    if (id < 0) return;
    if (master)
        masters[id] = PicturesOf(desc.type);
    else
        working[id] = {false, PicturesOf(desc.type)};
}

void Clone(uint8_t arg) {
    const int id = IButton->Clone(arg < 200 ? 1000 + arg % 8 : arg - 200);
    if (id > 0) working[id] = {true, 0};
}

void Remove(uint8_t arg) {
    const int id = WorkingIdFrom(arg);
    IButton->Remove(id);
    working.erase(id);
}

void RemoveAll() {
    IButton->RemoveAll();
    for (auto it = working.begin(); it != working.end();) it = it->first / 100 == layer ? working.erase(it) : ++it;
}

void RemoveMaster(uint8_t arg) {
    if (arg % 16 == 15) {
        IButton->RemoveMaster(-1);
        masters.clear();
        return;
    }
    const int id = arg % 16 == 14 ? 0 : 1000 + arg % 8;
    IButton->RemoveMaster(id);
    masters.erase(id);
}

void Frame(uint8_t arg) {
    button_fuzz::Mouse& mouse = button_fuzz::CurrentMouse();
    mouse.x = arg & 0x3F;
    mouse.y = 4;
    mouse.buttons = arg >> 6;
    Veltrano.RenderNeeded(1);
    Veltrano.Update(nullptr);
    IButton->Check();
    IButton->WhoIsSelected();
}

void Run(uint8_t op, uint8_t arg) {
    switch (op % 9) {
        case 0: Create(arg); break;
        case 1: Clone(arg); break;
        case 2: Remove(arg); break;
        case 3: RemoveAll(); break;
        case 4: RemoveMaster(arg); break;
        case 5:
            IButton->SetLayer(static_cast<char>(arg % 9));
            if (arg % 9 < 8) layer = arg % 9;
            break;
        case 6: IButton->SetState(WorkingIdFrom(arg), static_cast<char>(1 << (arg % 6))); break;
        case 7: IButton->SetLayerVisibility(static_cast<char>(arg % 8), static_cast<char>(arg >> 7)); break;
        default: Frame(arg); break;
    }
}

void CheckCounts() {
    int clones = 0, tiles = baseTiles;
    for (const auto& [id, shadow] : working) {
        clones += shadow.clone ? 1 : 0;
        tiles += shadow.pictures;
    }
    for (const auto& [id, pictures] : masters) tiles += pictures;
    const int expected = static_cast<int>(working.size() + masters.size()) + clones;
    if (IButton->GetNum() != static_cast<int>(working.size())) std::abort();
    if (IButton->Info(-2) != expected) std::abort();
    if (Veltrano.tileCount != tiles) std::abort();
}

void ClearAll() {
    for (int l = 0; l < 8; ++l) {
        IButton->SetLayer(static_cast<char>(l));
        IButton->RemoveAll();
    }
    IButton->RemoveMaster(-1);
    IButton->SetLayer(0);
    working.clear();
    masters.clear();
    layer = 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    archive = button_fuzz::Start("fuzz_button_ops", "widgets.dpf");
    handle = IStuffDPF->Create(archive.c_str());
    if (handle <= 0) std::abort();
    button_fuzz::StoreWidgetPictures(handle, "w");
    baseTiles = Veltrano.tileCount;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (size_t i = 0; i + 1 < size && i < 2048; i += 2) {
        Run(data[i], data[i + 1]);
        CheckCounts();
    }
    ClearAll();
    CheckCounts();
    return 0;
}
