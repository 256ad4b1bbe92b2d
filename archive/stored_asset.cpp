#include "archive/stored_asset.h"

#include <cstring>

#include "Veltrano_Main.h"
#include "platform/platform.h"

namespace stored_asset {

namespace {

constexpr unsigned int kNotInitialized = 0xFFFFFFFFu;

// A record naming a block, or false when the name or type cannot fit.
bool NameRecord(const char* name, const char* type, DPF_BlockData& record) {
    if (std::strlen(name) >= sizeof record.name || std::strlen(type) >= sizeof record.type) return false;
    std::strcpy(record.name, name);
    std::strcpy(record.type, type);
    return true;
}

}  // namespace

bool SdkInitialized() { return Veltrano.initTicks != kNotInitialized && IStuffDPF != nullptr; }

LoadedBlock::~LoadedBlock() { Free(); }

void LoadedBlock::Free() {
    if (block_.data != nullptr) IStuffDPF->FreeBlock(&block_);
    block_ = DPF_BlockData{};
}

bool LoadedBlock::Load(int handle, const char* type, const char* name) {
    Free();
    if (IStuffDPF->LoadBlock(handle, type, name, &block_) > 0 && block_.data != nullptr) return true;
    Free();
    return false;
}

int OpenOrCreate(const char* dpfFile) {
    return platform::Stat(dpfFile) == 0 ? IStuffDPF->Open(dpfFile) : IStuffDPF->Create(dpfFile);
}

int AddBlock(int handle, const char* name, const char* type, const void* bytes, size_t size, uint8_t storage) {
    DPF_BlockData block{};
    if (!NameRecord(name, type, block)) return 0;
    block.storage = storage;
    block.size = static_cast<int>(size);
    // AddData only reads the bytes.
    block.data = static_cast<char*>(const_cast<void*>(bytes));
    return IStuffDPF->AddData(handle, &block);
}

int ReplaceBlock(int handle, const char* name, const char* type, const void* bytes, size_t size, uint8_t storage) {
    DPF_BlockData probe{};
    if (!NameRecord(name, type, probe)) return 0;
    // Search overwrites the record it is given; the probe is only a question.
    if (IStuffDPF->Search(handle, &probe) != 1) return AddBlock(handle, name, type, bytes, size, storage);
    LoadedBlock previous;
    if (!previous.Load(handle, type, name)) return 0;
    const uint8_t previousStorage = previous.record().storage;
    if (IStuffDPF->Delete(handle, &previous.record()) != 1) return 0;
    const int stored = AddBlock(handle, name, type, bytes, size, storage);
    if (stored < 1)
        AddBlock(handle, name, type, previous.bytes(), static_cast<size_t>(previous.size()), previousStorage);
    return stored;
}

Found CurrentBlock::Load(int handle, const char* name, const char* version2Type, const char* version1Type,
                         const Upgrade& upgrade) {
    upgradeHeld_ = false;
    upgraded_.clear();
    if (loaded_.Load(handle, version2Type, name)) return Found::Current;
    if (!loaded_.Load(handle, version1Type, name)) return Found::Missing;
    // A damaged version 1 block is refused before anything is written.
    if (!upgrade(loaded_.bytes(), loaded_.size(), upgraded_)) return Found::Damaged;
    if (AddBlock(handle, name, version2Type, upgraded_) < 1) return Found::NotStored;
    IStuffDPF->Delete(handle, &loaded_.record());
    upgradeHeld_ = true;
    return Found::Upgraded;
}

}  // namespace stored_asset
