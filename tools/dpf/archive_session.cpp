#include "archive_session.h"

#include <veltrano.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "messages.h"
#include "password.h"

namespace fs = std::filesystem;

namespace {

// Every archive starts with an 8-byte signature and a 512-byte header; each
// block takes at least an ID block and a header block (80 bytes).
constexpr uintmax_t kArchiveHeaderBytes = 520;
constexpr uintmax_t kMinBlockBytes = 80;

std::string FixedText(const char* field, size_t width) { return std::string(field, strnlen(field, width)); }

// Printable text only: a wrong password deciphers names into noise.
bool IsCleanText(const char* field, size_t width, bool mayBeEmpty) {
    const size_t length = strnlen(field, width);
    if (length == width || (length == 0 && !mayBeEmpty)) return false;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        if (c < 0x20 || c == 0x7f) return false;
    }
    return true;
}

// Sizes a block of this file can have at all.
bool HasPossibleSizes(const DPF_BlockData& block, uintmax_t fileLength) {
    return block.size >= 0 && block.storedSize >= 0 && static_cast<uintmax_t>(block.storedSize) <= fileLength;
}

// A record as the tools of the SDK write it. Noise deciphered with a wrong
// password passes all of these checks only by a vanishing chance.
bool IsWellFormedRecord(const DPF_BlockData& block, uintmax_t fileLength) {
    if (!IsCleanText(block.name, sizeof block.name, true)) return false;
    if (!IsCleanText(block.type, sizeof block.type, false)) return false;
    if (block.storage > kStorageScrambled || !HasPossibleSizes(block, fileLength)) return false;
    return block.storage == kStorageCompressed || block.storedSize == block.size;
}

BlockEntry ToEntry(const DPF_BlockData& block) {
    BlockEntry entry;
    entry.name = FixedText(block.name, sizeof block.name);
    entry.type = FixedText(block.type, sizeof block.type);
    entry.storage = block.storage;
    entry.size = block.size;
    entry.storedSize = block.storedSize;
    return entry;
}

uintmax_t FileLength(const std::string& path) {
    std::error_code error;
    const uintmax_t length = fs::file_size(path, error);
    return error ? 0 : length;
}

bool IsWritable(const std::string& path) {
    std::fstream probe(path, std::ios::in | std::ios::out | std::ios::binary);
    return probe.is_open();
}

void FillNameAndType(DPF_BlockData& block, const std::string& name, const std::string& type) {
    std::memset(&block, 0, sizeof block);
    std::strncpy(block.name, name.c_str(), sizeof block.name - 1);
    std::strncpy(block.type, type.c_str(), sizeof block.type - 1);
}

}  // namespace

const char* StorageName(int storage) {
    switch (storage) {
        case kStorageCompressed: return "compressed";
        case kStorageRaw: return "raw";
        case kStorageScrambled: return "scrambled";
        default: return "unknown";
    }
}

bool CheckBlockName(const std::string& name) {
    if (name.empty()) {
        PrintError("a block name cannot be empty");
        return false;
    }
    if (name.size() > kMaxBlockNameChars) {
        PrintError("the block name '%s' has %zu characters; at most %zu fit", name.c_str(), name.size(),
                   kMaxBlockNameChars);
        return false;
    }
    return true;
}

bool CheckBlockType(const std::string& type) {
    if (type.empty()) {
        PrintError("a block type cannot be empty");
        return false;
    }
    if (type.size() > kMaxBlockTypeChars) {
        PrintError("the block type '%s' has %zu characters; at most %zu fit", type.c_str(), type.size(),
                   kMaxBlockTypeChars);
        return false;
    }
    return true;
}

void UsePassword(const std::string& password) {
    std::vector<unsigned char> bytes(password.begin(), password.end());
    IStuffDPF->SetPassword(bytes.data(), static_cast<unsigned char>(bytes.size()));
}

void ExplainOpenFailure(const std::string& path) {
    char signature[5] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(signature, sizeof signature);
    if (!in) {
        PrintError("cannot open '%s': it is not a DPF archive (too short or unreadable)", path.c_str());
    } else if (std::memcmp(signature, "DPFv", 4) != 0) {
        PrintError("cannot open '%s': it is not a DPF archive", path.c_str());
    } else if (signature[4] != '4' && signature[4] != '3') {
        PrintError("cannot open '%s': DPF version %c is not supported", path.c_str(), signature[4]);
    } else if (signature[4] == '4' && FileLength(path) < kArchiveHeaderBytes) {
        PrintError("cannot open '%s': the archive is cut short", path.c_str());
    } else {
        PrintError("cannot open '%s': the archive is damaged (its checksum does not match) or could not be "
                   "converted; run with --log FILE for details",
                   path.c_str());
    }
}

bool ArchiveSession::Open(const std::string& path, const Arguments& args, PasswordNeed need, Access access) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        PrintError("the archive '%s' does not exist", path.c_str());
        return false;
    }
    if (!fs::is_regular_file(path, error)) {
        PrintError("'%s' is not a file", path.c_str());
        return false;
    }
    if (access == Access::Write && !IsWritable(path)) {
        PrintError("the archive '%s' cannot be written", path.c_str());
        return false;
    }
    const int handle = IStuffDPF->Open(path.c_str());
    if (handle == 0) {
        PrintError("cannot open '%s': too many archives are open", path.c_str());
        return false;
    }
    if (handle < 0) {
        ExplainOpenFailure(path);
        return false;
    }
    path_ = path;
    handle_ = handle;
    ReadHeader();
    return Unlock(args, need);
}

bool ArchiveSession::Create(const std::string& path) {
    std::error_code error;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, error) && !fs::create_directories(folder, error)) {
        PrintError("cannot make the folder '%s': %s", folder.string().c_str(), error.message().c_str());
        return false;
    }
    const int handle = IStuffDPF->Create(path.c_str());
    if (handle <= 0) {
        PrintError("cannot create the archive '%s'", path.c_str());
        return false;
    }
    path_ = path;
    handle_ = handle;
    ReadHeader();
    unlocked_ = true;
    return true;
}

void ArchiveSession::Close() {
    if (handle_ > 0) IStuffDPF->Close(handle_);
    handle_ = 0;
}

// The SDK's header getters describe the archive handled last: read them at
// once, before anything else touches another header.
void ArchiveSession::ReadHeader() {
    header_.copyright = FixedText(IStuffDPF->GetCopyright(), 29);
    header_.created = FixedText(IStuffDPF->GetCreateDate(), 32);
    header_.modified = FixedText(IStuffDPF->GetLastModified(), 32);
    header_.isProtected = IStuffDPF->IsProtected() != 0;
}

bool ArchiveSession::Unlock(const Arguments& args, PasswordNeed need) {
    if (!header_.isProtected) {
        unlocked_ = true;
        return true;
    }
    if (need == PasswordNeed::Optional && !args.Has("password-file")) return true;
    std::string password;
    if (!ObtainPassword(args, path_, PasswordPurpose::Unlock, password)) return false;
    UsePassword(password);
    if (!PasswordFits()) {
        PrintError("wrong password for '%s'", path_.c_str());
        return false;
    }
    unlocked_ = true;
    password_ = password;
    return true;
}

bool ArchiveSession::PasswordFits() {
    DPF_BlockData block{};
    const int found = IStuffDPF->FindFirst(handle_, &block);
    if (found == 0) return true;  // no block to check against
    return found == 1 && IsWellFormedRecord(block, FileLength(path_));
}

bool ArchiveSession::ReadBlocks(std::vector<BlockEntry>& blocks) {
    blocks.clear();
    // A damaged archive must not make the walk run forever.
    const uintmax_t length = FileLength(path_);
    const uintmax_t maxBlocks = length > kArchiveHeaderBytes ? (length - kArchiveHeaderBytes) / kMinBlockBytes : 0;
    DPF_BlockData block{};
    int found = IStuffDPF->FindFirst(handle_, &block);
    while (found == 1) {
        if (blocks.size() >= maxBlocks || !HasPossibleSizes(block, length)) {
            PrintError("the archive '%s' is damaged: block %zu is unreadable", path_.c_str(), blocks.size() + 1);
            return false;
        }
        blocks.push_back(ToEntry(block));
        found = IStuffDPF->FindNext(handle_, &block);
    }
    if (found != 0) {
        PrintError("reading the blocks of '%s' failed after %zu blocks", path_.c_str(), blocks.size());
        return false;
    }
    return true;
}

bool ArchiveSession::LoadBytes(const BlockEntry& entry, std::vector<char>& bytes) {
    bytes.clear();
    // LoadBlock reports an empty block like a failure: there is nothing to load.
    if (entry.size == 0) return true;
    DPF_BlockData block{};
    const int size = IStuffDPF->LoadBlock(handle_, entry.type.c_str(), entry.name.c_str(), &block);
    const bool loaded = size == entry.size && block.data != nullptr;
    if (loaded) bytes.assign(block.data, block.data + size);
    IStuffDPF->FreeBlock(&block);
    if (!loaded)
        PrintError("cannot load the block '%s' (%s) from '%s': its data are damaged", entry.name.c_str(),
                   entry.type.c_str(), path_.c_str());
    return loaded;
}

bool ArchiveSession::AddBytes(const std::string& name, const std::string& type, int storage,
                              std::vector<char>& bytes, int& storedSize) {
    DPF_BlockData block;
    FillNameAndType(block, name, type);
    block.storage = static_cast<unsigned char>(storage);
    block.size = static_cast<int>(bytes.size());
    // Never hand the SDK a null pointer, even for an empty block.
    char nothing = 0;
    block.data = bytes.empty() ? &nothing : bytes.data();
    const int result = IStuffDPF->AddData(handle_, &block);
    if (result == -1) {
        PrintError("'%s' already holds a block '%s' of type %s", path_.c_str(), name.c_str(), type.c_str());
        return false;
    }
    if (result <= 0) {
        PrintError("cannot add the block '%s' to '%s'; run with --log FILE for details", name.c_str(),
                   path_.c_str());
        return false;
    }
    storedSize = result;
    return true;
}

bool ArchiveSession::DeleteBlock(const BlockEntry& entry) {
    DPF_BlockData block;
    FillNameAndType(block, entry.name, entry.type);
    if (IStuffDPF->Delete(handle_, &block) == 1) return true;
    PrintError("cannot delete the block '%s' (%s) from '%s'", entry.name.c_str(), entry.type.c_str(),
               path_.c_str());
    return false;
}

bool SelectOneBlock(const std::vector<BlockEntry>& blocks, const std::string& name, const std::string& type,
                    BlockEntry& chosen) {
    std::vector<const BlockEntry*> matches;
    for (const BlockEntry& block : blocks)
        if (!block.IsDeleted() && block.name == name && (type.empty() || block.type == type))
            matches.push_back(&block);
    if (matches.size() == 1) {
        chosen = *matches.front();
        return true;
    }
    if (matches.empty()) {
        if (type.empty())
            PrintError("there is no block named '%s'", name.c_str());
        else
            PrintError("there is no block named '%s' of type %s", name.c_str(), type.c_str());
        return false;
    }
    std::string types;
    for (const BlockEntry* match : matches) types += (types.empty() ? "" : ", ") + match->type;
    PrintError("several blocks are named '%s' (types %s): choose one with --type", name.c_str(), types.c_str());
    return false;
}
