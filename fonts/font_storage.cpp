// "FONT2" blocks: the font's surface without its marks, its pixel-format
// record (carrying the font's alpha) and its kerning. Version 1 "FONT"
// blocks, which lack the kerning, are upgraded in place when loaded.
#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "Veltrano_CFont.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "archive/archive_format.h"
#include "core/byte_order.h"
#include "imaging/pixel_format_record.h"
#include "imaging/pixel_rows.h"
#include "fonts/font_state.h"

namespace {

namespace record = pixel_format_record;

const char kFontType[] = "FONT2";
const char kVersion1Type[] = "FONT";
constexpr int kHeaderSize = 8 + record::kSize;
constexpr int kKerningSize = 4;
constexpr int kTailSize = 128;  // zero bytes after the kerning

const char* Text(const char* text) { return text != nullptr ? text : "(null)"; }

// A stored font checked against its own header: a size and format SDL can
// hold, never 8 bits per pixel, and all the rows (and the kerning of
// version 2) the header announces present in the block.
struct StoredFont {
    pixel_rows::Geometry geometry;
    const uint8_t* rows = nullptr;
    int32_t kerning = 0;
};

bool ReadStoredFont(const DPF_BlockData& block, bool version1, StoredFont& font) {
    if (block.data == nullptr || block.size < kHeaderSize) return false;
    const auto* bytes = reinterpret_cast<const uint8_t*>(block.data);
    const auto width = static_cast<int32_t>(byte_order::LoadLE32(bytes));
    const auto height = static_cast<int32_t>(byte_order::LoadLE32(bytes + 4));
    pixel_rows::Geometry& geometry = font.geometry;
    if (!pixel_rows::Describe(width, height, record::Decode(bytes + 8), geometry)) return false;
    if (geometry.format.bitsPerPixel == 8) return false;
    const int64_t needed = kHeaderSize + geometry.pixelBytes + (version1 ? 0 : kKerningSize);
    if (block.size < needed) return false;
    font.rows = bytes + kHeaderSize;
    if (!version1) font.kerning = static_cast<int32_t>(byte_order::LoadLE32(font.rows + geometry.pixelBytes));
    return true;
}

// Copies a name into a 32-byte field, cut to 31 characters.
void CopyName(char (&field)[32], const char* name) {
    const size_t length = strnlen(name, sizeof field - 1);
    std::memcpy(field, name, length);
    field[length] = '\0';
}

DPF_BlockData BlockOf(const char* name, const char* type, std::vector<uint8_t>& bytes) {
    DPF_BlockData block{};
    CopyName(block.name, name);
    std::strcpy(block.type, type);
    block.storage = dpf_format::kStorageCompressed;
    block.size = static_cast<int>(bytes.size());
    block.data = reinterpret_cast<char*>(bytes.data());
    return block;
}

// Adds the version 2 form of a checked "FONT" block and deletes the old one.
bool UpgradeVersion1(int dpfHandle, DPF_BlockData& old, const StoredFont& font) {
    const size_t kept = static_cast<size_t>(kHeaderSize + font.geometry.pixelBytes);
    std::vector<uint8_t> bytes(kept + kKerningSize + kTailSize, 0);
    std::memcpy(bytes.data(), old.data, kept);
    DPF_BlockData upgraded = BlockOf(old.name, kFontType, bytes);
    if (IStuffDPF->AddData(dpfHandle, &upgraded) < 1) return false;
    IStuffDPF->Delete(dpfHandle, &old);
    return true;
}

// A software copy to store: 8-bit surfaces become 32-bit.
SDL_Surface* StorableCopy(SDL_Surface* surface) {
    if (surface->format->BitsPerPixel != 8) return pixel_rows::SoftwareCopy(surface);
    SDL_Surface* model = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0, 0, 0, 0);
    if (model == nullptr) return nullptr;
    SDL_Surface* copy = SDL_ConvertSurface(surface, model->format, SDL_SWSURFACE);
    SDL_FreeSurface(model);
    return copy;
}

std::vector<uint8_t> BlockBytes(SDL_Surface* copy, int alpha, int kerning) {
    const int64_t rowBytes = pixel_rows::StoredBytes(copy);
    std::vector<uint8_t> bytes(static_cast<size_t>(kHeaderSize + rowBytes + kKerningSize + kTailSize), 0);
    byte_order::StoreLE32(bytes.data(), static_cast<uint32_t>(copy->w));
    byte_order::StoreLE32(bytes.data() + 4, static_cast<uint32_t>(copy->h));
    const uint32_t key = (copy->flags & SDL_SRCCOLORKEY) ? copy->format->colorkey : 0xFFFFFFFFu;
    record::Encode(*copy->format, key, static_cast<uint8_t>(alpha), bytes.data() + 8);
    pixel_rows::WriteRows(copy, bytes.data() + kHeaderSize);
    byte_order::StoreLE32(bytes.data() + kHeaderSize + rowBytes, static_cast<uint32_t>(kerning));
    return bytes;
}

bool FileExists(const char* path) {
    struct stat info;
    return stat(path, &info) == 0;
}

}  // namespace

unsigned char Veltrano_CFont::Load(int dpfHandle, const char* name) {
    if (dpfHandle <= 0) return 0;
    const char* file = IStuffDPF != nullptr ? IStuffDPF->GetFilename(dpfHandle) : nullptr;
    if (Veltrano.initTicks == 0xFFFFFFFFu || IStuffDPF == nullptr) {
        ILogSystem.Msg(0, " . [CFont::Load('%s','%s')] Error: Veltrano was not initialized. Aborting the font load.\n",
                       Text(file), Text(name));
        return 0;
    }
    if (state->loaded) {
        ILogSystem.Msg(2, " . [CFont::Load('%s','%s')] Warning: font already exists. It is not possible to create "
                          "another one.\n",
                       Text(file), Text(name));
        return 0;
    }
    DPF_BlockData block{};
    bool version1 = false;
    if (IStuffDPF->LoadBlock(dpfHandle, kFontType, name, &block) <= 0) {
        IStuffDPF->FreeBlock(&block);
        version1 = IStuffDPF->LoadBlock(dpfHandle, kVersion1Type, name, &block) > 0;
        if (!version1) {
            IStuffDPF->FreeBlock(&block);
            ILogSystem.Msg(0, " . [CFont::Load('%s','%s')] Error: font not found\n", Text(file), Text(name));
            return 0;
        }
    }
    StoredFont stored;
    if (!ReadStoredFont(block, version1, stored)) {
        ILogSystem.Msg(0, " . [CFont::Load('%s','%s')] Error: the font block is damaged. Aborting the font load.\n",
                       Text(file), Text(name));
        IStuffDPF->FreeBlock(&block);
        return 0;
    }
    if (version1) {
        if (!UpgradeVersion1(dpfHandle, block, stored)) {
            ILogSystem.Msg(0, " . [CFont::Load('%s','%s')] Error: update to v2.0 was not possible.\n", Text(file),
                           Text(name));
            IStuffDPF->FreeBlock(&block);
            return 0;
        }
        ILogSystem.Msg(2, " . [CFont::Load('%s','%s')] Info: font successfully updated from v1.0 to v2.0.\n",
                       Text(file), Text(name));
    }
    SDL_Surface* surface = pixel_rows::MakeSurface(stored.geometry, stored.rows);
    if (surface == nullptr) {
        ILogSystem.Msg(0, " . [CFont::Load('%s','%s')] Error: the font block is damaged. Aborting the font load.\n",
                       Text(file), Text(name));
        IStuffDPF->FreeBlock(&block);
        return 0;
    }
    // The stored surface has no mark row: Create finds the gaps again.
    state->alpha = stored.geometry.format.alpha;
    const unsigned char created = Create(surface);
    SDL_FreeSurface(surface);
    if (!state->loaded) {
        state->alpha = 255;
        ILogSystem.Msg(0, " . [CFont::Load('%s','%s')] Error: internal failure (%d).\n", Text(file), Text(name),
                       created);
        IStuffDPF->FreeBlock(&block);
        return 0;
    }
    state->kerning = stored.kerning;
    CopyName(state->name, block.name);
    IStuffDPF->FreeBlock(&block);
    return 1;
}

unsigned char Veltrano_CFont::Load(const char* dpfFile, const char* name) {
    if (IStuffDPF == nullptr || dpfFile == nullptr) return 0;
    const int handle = IStuffDPF->Open(dpfFile);
    if (handle <= 0) return 0;
    const unsigned char result = Load(handle, name);
    IStuffDPF->Close(handle);
    return result;
}

int Veltrano_CFont::Save(int dpfHandle, const char* name) {
    if (!state->loaded || dpfHandle <= 0 || name == nullptr || IStuffDPF == nullptr) return 0;
    if (std::strlen(name) >= sizeof(DPF_BlockData::name)) {
        ILogSystem.Msg(0, " . [CFont::Save(%d,'%s')] Error: the name is longer than 31 characters.\n", dpfHandle,
                       name);
        return 0;
    }
    SDL_Surface* copy = StorableCopy(state->surface);
    if (copy == nullptr) return 0;
    std::vector<uint8_t> bytes = BlockBytes(copy, state->alpha, state->kerning);
    SDL_FreeSurface(copy);
    DPF_BlockData block = BlockOf(name, kFontType, bytes);
    return IStuffDPF->AddData(dpfHandle, &block);
}

int Veltrano_CFont::Save(const char* dpfFile, const char* name) {
    if (!state->loaded || IStuffDPF == nullptr || dpfFile == nullptr) return 0;
    const int handle = FileExists(dpfFile) ? IStuffDPF->Open(dpfFile) : IStuffDPF->Create(dpfFile);
    if (handle <= 0) return 0;
    const int result = Save(handle, name);
    IStuffDPF->Close(handle);
    return result;
}
