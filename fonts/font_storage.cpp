// "FONT2" blocks: the font's surface without its marks, its pixel-format
// record (carrying the font's alpha) and its kerning. Version 1 "FONT"
// blocks, which lack the kerning, are upgraded in place when loaded.
#include <cstdint>
#include <cstring>
#include <vector>

#include "Veltrano_CFont.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "archive/stored_asset.h"
#include "core/byte_order.h"
#include "core/surface_ptr.h"
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

void LogDamaged(const char* file, const char* name) {
    ILogSystem.Msg(0, " . [CFont::Load('%s','%s')] Error: the font block is damaged. Aborting the font load.\n",
                   Text(file), Text(name));
}

bool ReadStoredFont(const uint8_t* bytes, int64_t size, bool version1, StoredFont& font) {
    if (bytes == nullptr || size < kHeaderSize) return false;
    const auto width = static_cast<int32_t>(byte_order::LoadLE32(bytes));
    const auto height = static_cast<int32_t>(byte_order::LoadLE32(bytes + 4));
    pixel_rows::Geometry& geometry = font.geometry;
    if (!pixel_rows::Describe(width, height, record::Decode(bytes + 8), geometry)) return false;
    if (geometry.format.bitsPerPixel == 8) return false;
    const int64_t needed = kHeaderSize + geometry.pixelBytes + (version1 ? 0 : kKerningSize);
    if (size < needed) return false;
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

// Checks a "FONT" block and gives its "FONT2" form: the kerning (0) and
// the zero tail appended.
bool UpgradeVersion1(const uint8_t* bytes, int64_t size, std::vector<uint8_t>& upgraded) {
    StoredFont font;
    if (!ReadStoredFont(bytes, size, true, font)) return false;
    const size_t kept = static_cast<size_t>(kHeaderSize + font.geometry.pixelBytes);
    upgraded.assign(kept + kKerningSize + kTailSize, 0);
    std::memcpy(upgraded.data(), bytes, kept);
    return true;
}

// The font's block in "FONT2" form, a "FONT" block upgraded in place; false
// with the reason logged when there is none.
bool LoadVersion2(stored_asset::CurrentBlock& block, int dpfHandle, const char* file, const char* name) {
    switch (block.Load(dpfHandle, name, kFontType, kVersion1Type, UpgradeVersion1)) {
        case stored_asset::Found::Current: return true;
        case stored_asset::Found::Upgraded:
            ILogSystem.Msg(2, " . [CFont::Load('%s','%s')] Info: font successfully updated from v1.0 to v2.0.\n",
                           Text(file), Text(name));
            return true;
        case stored_asset::Found::Missing:
            ILogSystem.Msg(0, " . [CFont::Load('%s','%s')] Error: font not found\n", Text(file), Text(name));
            return false;
        case stored_asset::Found::Damaged: LogDamaged(file, name); return false;
        case stored_asset::Found::NotStored:
            ILogSystem.Msg(0, " . [CFont::Load('%s','%s')] Error: update to v2.0 was not possible.\n", Text(file),
                           Text(name));
            return false;
    }
    return false;
}

// False, with the line logged, before Init.
bool RefusedBeforeInit(const char* file, const char* name) {
    if (stored_asset::SdkInitialized()) return false;
    ILogSystem.Msg(0, " . [CFont::Load('%s','%s')] Error: Veltrano was not initialized. Aborting the font load.\n",
                   Text(file), Text(name));
    return true;
}

// A software copy to store: 8-bit surfaces become 32-bit.
SDL_Surface* StorableCopy(SDL_Surface* surface) {
    if (surface->format->BitsPerPixel != 8) return pixel_rows::SoftwareCopy(surface);
    const SurfacePtr model(SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0, 0, 0, 0));
    if (model == nullptr) return nullptr;
    return SDL_ConvertSurface(surface, model->format, SDL_SWSURFACE);
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

}  // namespace

unsigned char Veltrano_CFont::Load(int dpfHandle, const char* name) {
    const char* file = IStuffDPF != nullptr && dpfHandle > 0 ? IStuffDPF->GetFilename(dpfHandle) : nullptr;
    if (RefusedBeforeInit(file, name)) return 0;
    if (dpfHandle <= 0) return 0;
    if (state->loaded) {
        ILogSystem.Msg(2, " . [CFont::Load('%s','%s')] Warning: font already exists. It is not possible to create "
                          "another one.\n",
                       Text(file), Text(name));
        return 0;
    }
    stored_asset::CurrentBlock block;
    if (!LoadVersion2(block, dpfHandle, file, name)) return 0;
    StoredFont stored;
    const SurfacePtr surface(ReadStoredFont(block.bytes(), block.size(), false, stored)
                                 ? pixel_rows::MakeSurface(stored.geometry, stored.rows)
                                 : nullptr);
    if (surface == nullptr) {
        LogDamaged(file, name);
        return 0;
    }
    // The stored surface has no mark row: Create finds the gaps again.
    state->alpha = stored.geometry.format.alpha;
    const unsigned char created = Create(surface.get());
    if (!state->loaded) {
        state->alpha = 255;
        ILogSystem.Msg(0, " . [CFont::Load('%s','%s')] Error: internal failure (%d).\n", Text(file), Text(name),
                       created);
        return 0;
    }
    state->kerning = stored.kerning;
    CopyName(state->name, name);
    return 1;
}

unsigned char Veltrano_CFont::Load(const char* dpfFile, const char* name) {
    if (RefusedBeforeInit(dpfFile, name)) return 0;
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::Open, static_cast<unsigned char>(0),
                                     [&](int handle) { return Load(handle, name); });
}

int Veltrano_CFont::Save(int dpfHandle, const char* name) {
    if (!state->loaded || dpfHandle <= 0 || name == nullptr || IStuffDPF == nullptr) return 0;
    if (std::strlen(name) >= sizeof(DPF_BlockData::name)) {
        ILogSystem.Msg(0, " . [CFont::Save(%d,'%s')] Error: the name is longer than 31 characters.\n", dpfHandle,
                       name);
        return 0;
    }
    const SurfacePtr copy(StorableCopy(state->surface));
    if (copy == nullptr) return 0;
    return stored_asset::AddBlock(dpfHandle, name, kFontType, BlockBytes(copy.get(), state->alpha, state->kerning));
}

int Veltrano_CFont::Save(const char* dpfFile, const char* name) {
    if (!state->loaded) return 0;
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::OpenOrCreate, 0,
                                     [&](int handle) { return Save(handle, name); });
}
