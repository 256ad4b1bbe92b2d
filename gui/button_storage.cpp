// Making widgets from archive pictures, and the "BUT" header block: loading,
// saving and deleting a stored widget with its "TILB2" pictures.
#include <cstdio>
#include <cstring>
#include <string>

#include "Veltrano_CTile.h"
#include "Veltrano_IButton.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "archive/stored_asset.h"
#include "gui/button_block.h"
#include "gui/button_state.h"

using namespace button_records;
using stored_asset::Access;
using stored_asset::WithArchive;

namespace {

constexpr const char* kTileType = "TILB2";

const char* Text(const char* text) { return text != nullptr ? text : "(null)"; }

const char* ArchiveName(int dpf) {
    return IStuffDPF != nullptr && dpf > 0 ? Text(IStuffDPF->GetFilename(dpf)) : "(null)";
}

bool NameFits(const char* name) { return std::strlen(name) < static_cast<size_t>(kNameLimit); }

// The arguments every Create message starts with.
void LogCreate(int level, const IButtonNew* desc, const char* name, unsigned char master, int dpf,
               const char* what) {
    ILogSystem.Msg(level, " . [IButton->Create(0x%x,'%s',%d,'%s')] %s", static_cast<unsigned>(
                   reinterpret_cast<uintptr_t>(desc)), Text(name), master, ArchiveName(dpf), what);
}

bool HasStepRange(int type) { return type == kTypeSlider || type == kTypeProgress; }

// Range and value a slider or progress bar can be drawn with.
bool StepsValid(const IButtonNew& desc) {
    if (!HasStepRange(desc.type)) return true;
    return desc.range >= 0 && desc.range <= 255 && desc.value >= 0 && desc.value <= desc.range;
}

bool CreateArgumentsValid(const IButtonNew* desc, const char* name, int dpf) {
    return desc != nullptr && dpf >= 1 && name != nullptr && desc->selectColor != -1 && IsKnownType(desc->type) &&
           desc->key <= kHighestKey && StepsValid(*desc);
}

Veltrano_CTile* LoadPicture(int dpf, const std::string& blockName) {
    Veltrano_CTile* tile = new Veltrano_CTile;
    if (tile->Load(dpf, blockName.c_str(), kTileType)) return tile;
    delete tile;
    return nullptr;
}

// The pictures of the type; false (nothing kept) when one does not load.
bool LoadPictures(ButtonRecord& record, int dpf, const char* name) {
    const std::string base = name;
    record.tileNormal = LoadPicture(dpf, base + "_n");
    record.tilePressed = LoadPicture(dpf, base + "_p");
    record.tileOff = LoadPicture(dpf, base + "_o");
    bool complete = record.tileNormal && record.tilePressed && record.tileOff;
    if (complete && record.type == kTypeComplex) {
        record.tileSelected = LoadPicture(dpf, base + "_s");
        complete = record.tileSelected != nullptr;
    }
    if (!complete) DeleteOwnedPictures(record);
    return complete;
}

uint32_t ScreenColor(int rgb) {
    if (Veltrano.screen == nullptr) return static_cast<uint32_t>(rgb);
    return SDL_MapRGB(Veltrano.screen->format, static_cast<Uint8>(rgb >> 16), static_cast<Uint8>(rgb >> 8),
                      static_cast<Uint8>(rgb));
}

// The type data and the sensitive box of a new widget.
void FillTypeData(ButtonRecord& record, const IButtonNew& desc) {
    SetBox(record);
    const int w = record.tileNormal->GetSizeX();
    const int h = record.tileNormal->GetSizeY();
    switch (record.type) {
        case kTypeCheck: record.range = kStateNormal; break;
        case kTypeSlider:
            record.range = desc.range;
            record.value = desc.value;
            break;
        case kTypeProgress:
            record.range = desc.range;
            record.value = desc.value;
            // The far corner stays at 0,0 until SetPosition: never under the mouse.
            record.boxX2 = 0;
            record.boxY2 = 0;
            break;
        case kTypeInput:
            record.textX = static_cast<int16_t>(desc.value & 0xFFFF);
            record.textY = desc.range;
            record.textW = static_cast<int16_t>(w - 2 * record.textX - 1);
            record.textH = static_cast<int16_t>(h - 2 * record.textY);
            break;
        default: break;
    }
}

void FillRecord(ButtonRecord& record, const IButtonNew& desc, const char* name) {
    record.callback = desc.callback;
    record.selectColor = ScreenColor(desc.selectColor);
    record.key = desc.key;
    record.keyTick = 0;
    record.free = 0;
    record.state = kStateNormal;
    record.lastState = kStateNormal;
    if (desc.x != 0 || desc.y != 0) {
        record.x = static_cast<int16_t>(desc.x);
        record.y = static_cast<int16_t>(desc.y);
        MovePictures(record);
    }
    FillTypeData(record, desc);
    record.visible = 1;
    std::strncpy(record.name, name, sizeof record.name - 1);
}

bool BlockExists(int dpf, const std::string& name, const char* type) {
    DPF_BlockData block{};
    if (name.size() >= sizeof block.name) return false;
    std::strcpy(block.name, name.c_str());
    std::strcpy(block.type, type);
    return IStuffDPF->Search(dpf, &block) == 1;
}

void DeleteBlock(int dpf, const std::string& name, const char* type) {
    DPF_BlockData block{};
    std::strcpy(block.name, name.c_str());
    std::strcpy(block.type, type);
    IStuffDPF->Delete(dpf, &block);
}

// Why a header may not be stored: 0 storable, else Save's refusal code.
int SaveRefusal(int dpf, const char* name, const IButtonNew& desc) {
    const std::string base = name;
    if (!BlockExists(dpf, base + "_p", kTileType)) return -3;
    if (!BlockExists(dpf, base + "_n", kTileType)) return -2;
    if (!BlockExists(dpf, base + "_o", kTileType)) return -4;
    if (desc.type == kTypeComplex && !BlockExists(dpf, base + "_s", kTileType)) return -5;
    if (desc.key > kHighestKey) return -6;
    if (!StepsValid(desc)) return -7;
    return 0;
}

enum class HeaderRead { Ok, Missing, LoadFailed, TooShort };

HeaderRead ReadHeader(int dpf, const char* name, IButtonNew* desc) {
    if (!BlockExists(dpf, name, button_block::kBlockType)) return HeaderRead::Missing;
    stored_asset::LoadedBlock block;
    if (!block.Load(dpf, button_block::kBlockType, name)) return HeaderRead::LoadFailed;
    const bool parsed = button_block::Parse(block.bytes(), static_cast<int>(block.size()), desc);
    return parsed ? HeaderRead::Ok : HeaderRead::TooShort;
}

const char* HeaderError(HeaderRead result) {
    switch (result) {
        case HeaderRead::Missing: return "Error: button not found.";
        case HeaderRead::LoadFailed: return "Error: load 'BUT' block of DPF failed!.";
        default: return "Error: 'BUT' block of DPF is shorter than 24 bytes.";
    }
}

}  // namespace

int Veltrano_IButton::Create(IButtonNew* desc, const char* name, unsigned char master, int dpf) {
    if (!CreateArgumentsValid(desc, name, dpf) || IStuffDPF == nullptr) {
        LogCreate(0, desc, name, master, dpf, "Error: wrong parameters.\n");
        return -1;
    }
    if (!NameFits(name)) {
        LogCreate(0, desc, name, master, dpf, "Error: button name too long, limit on 25 characters.\n");
        return -1;
    }
    ButtonRecord* table = master ? state->masters : state->layers[state->currentLayer];
    const int slot = FirstFree(table, master ? kMasterSlots : kLayerSlots);
    if (slot < 0) {
        char what[96];
        if (master)
            std::snprintf(what, sizeof what, "Warning: we have reached the maximum master buttons limit(%d).\n",
                          kMasterSlots);
        else
            std::snprintf(what, sizeof what, "Warning: we have reached maximum buttons number(%d) in this layer(%d).\n",
                          kLayerSlots, state->currentLayer);
        LogCreate(2, desc, name, master, dpf, what);
        return -1;
    }
    ButtonRecord& record = table[slot];
    record.type = desc->type;
    if (!LoadPictures(record, dpf, name)) {
        MakeFree(record);
        LogCreate(0, desc, name, master, dpf, "Error: we could not find valid tiles for this kind of button.\n");
        return -1;
    }
    FillRecord(record, *desc, name);
    record.id = master ? MasterId(slot) : WorkingId(state->currentLayer, slot);
    if (!master) ++state->workingCount;
    char what[48];
    std::snprintf(what, sizeof what, "Info: created new button(%d).\n", slot);
    LogCreate(5, desc, name, master, dpf, what);
    return record.id;
}

int Veltrano_IButton::Create(IButtonNew* desc, const char* name, unsigned char master, const char* dpfFile) {
    return WithArchive(dpfFile, Access::Open, -1, [&](int dpf) { return Create(desc, name, master, dpf); });
}

int Veltrano_IButton::Load(int dpf, const char* name, unsigned char master) {
    if (name == nullptr || dpf < 1 || IStuffDPF == nullptr) return -1;
    IButtonNew desc{};
    const HeaderRead read = ReadHeader(dpf, name, &desc);
    if (read != HeaderRead::Ok) {
        ILogSystem.Msg(0, " . [IButton->Load('%s','%s',%d)] %s\n", name, ArchiveName(dpf), master, HeaderError(read));
        return -1;
    }
    const int id = Create(&desc, name, master, dpf);
    if (id == -1) return -1;  // Create has logged why
    ILogSystem.Msg(5, " . [IButton->Load('%s','%s',%d)] Info: added new button(%d).\n", name, ArchiveName(dpf), master,
                   id);
    return id;
}

int Veltrano_IButton::Load(const char* dpfFile, const char* name, unsigned char master) {
    return WithArchive(dpfFile, Access::Open, 0, [&](int dpf) { return Load(dpf, name, master); });
}

unsigned char Veltrano_IButton::LoadHeader(int dpf, const char* name, IButtonNew* desc) {
    if (name == nullptr || dpf < 1 || desc == nullptr || IStuffDPF == nullptr) return 0;
    IButtonNew read{};
    const HeaderRead result = ReadHeader(dpf, name, &read);
    if (result == HeaderRead::TooShort)
        ILogSystem.Msg(0, " . [IButton->LoadHeader('%s','%s')] %s\n", name, ArchiveName(dpf), HeaderError(result));
    if (result != HeaderRead::Ok) return 0;
    *desc = read;
    return 1;
}

unsigned char Veltrano_IButton::LoadHeader(const char* dpfFile, const char* name, IButtonNew* desc) {
    return WithArchive(dpfFile, Access::Open, static_cast<unsigned char>(0),
                       [&](int dpf) { return LoadHeader(dpf, name, desc); });
}

int Veltrano_IButton::Save(int dpf, const char* name, IButtonNew* desc) {
    if (name == nullptr || dpf < 1 || desc == nullptr || IStuffDPF == nullptr) return 0;
    if (!IsKnownType(desc->type) || !NameFits(name)) return 0;
    const int refusal = SaveRefusal(dpf, name, *desc);
    if (refusal != 0) return refusal;
    uint8_t bytes[button_block::kBlockSize];
    button_block::Serialise(*desc, bytes);
    return stored_asset::AddBlock(dpf, name, button_block::kBlockType, bytes, sizeof bytes, dpf_format::kStorageRaw);
}

int Veltrano_IButton::Save(const char* dpfFile, const char* name, IButtonNew* desc) {
    return WithArchive(dpfFile, Access::OpenOrCreate, 0, [&](int dpf) { return Save(dpf, name, desc); });
}

unsigned char Veltrano_IButton::Delete(int dpf, const char* name) {
    if (name == nullptr || dpf < 1 || IStuffDPF == nullptr) return 0;
    if (!BlockExists(dpf, name, button_block::kBlockType)) return 0;
    DeleteBlock(dpf, name, button_block::kBlockType);
    // A longer name cannot have picture blocks made for it by this SDK.
    if (!NameFits(name)) return 1;
    const std::string base = name;
    for (const char* suffix : {"_p", "_n", "_o", "_s"})
        if (BlockExists(dpf, base + suffix, kTileType)) DeleteBlock(dpf, base + suffix, kTileType);
    return 1;
}

unsigned char Veltrano_IButton::Delete(const char* dpfFile, const char* name) {
    return WithArchive(dpfFile, Access::Open, static_cast<unsigned char>(0),
                       [&](int dpf) { return Delete(dpf, name); });
}
