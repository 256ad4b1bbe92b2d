// "IMG" blocks: an image's width, height, pixel-format record, pixel rows
// and, for 8 bits per pixel, its palette, stored compressed in a DPF archive.
#include <cstdint>
#include <cstring>
#include <vector>

#include "Veltrano_IImage.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "archive/stored_asset.h"
#include "core/byte_order.h"
#include "core/surface_ptr.h"
#include "imaging/display_format.h"
#include "imaging/pixel_format_record.h"
#include "imaging/pixel_rows.h"

namespace {

namespace record = pixel_format_record;

const char kImageType[] = "IMG";
constexpr int kHeaderSize = 8 + record::kSize;

const char* Text(const char* text) { return text != nullptr ? text : "(null)"; }

unsigned long Address(const void* pointer) { return reinterpret_cast<unsigned long>(pointer); }

// The block is whole: a geometry the pixel rows can have and exactly the
// bytes it calls for.
bool ReadGeometry(const stored_asset::LoadedBlock& block, pixel_rows::Geometry& geometry) {
    if (block.bytes() == nullptr || block.size() < kHeaderSize) return false;
    const uint8_t* bytes = block.bytes();
    const auto width = static_cast<int32_t>(byte_order::LoadLE32(bytes));
    const auto height = static_cast<int32_t>(byte_order::LoadLE32(bytes + 4));
    return pixel_rows::Describe(width, height, record::Decode(bytes + 8), geometry) &&
           kHeaderSize + geometry.StoredBytes() == block.size();
}

// The stored surface alpha and colour key, applied as they were saved.
void ApplyAlphaAndKey(SDL_Surface* surface, const record::Record& f) {
    const bool hasAlphaChannel = surface->format->Amask != 0;
    if (!(hasAlphaChannel && f.alpha == 255)) {
        if (hasAlphaChannel || f.alpha != 255)
            SDL_SetAlpha(surface, SDL_SRCALPHA, f.alpha);
        else
            SDL_SetAlpha(surface, 0, 255);
        if (f.colorkey == display_format::kNoColorKey) {
            SDL_SetColorKey(surface, 0, 0);
            display_format::MarkNoColorKey(surface);
        } else {
            SDL_SetColorKey(surface, SDL_SRCCOLORKEY, f.colorkey);
        }
    }
}

void FillHeader(sHeaderIPF* header, const pixel_rows::Geometry& layout, const char* name) {
    header->width = layout.width;
    header->height = layout.height;
    header->bpp = layout.format.bitsPerPixel;
    header->alpha = layout.format.alpha;
    header->colorkey = static_cast<int>(layout.format.colorkey);
    std::memset(header->name, 0, sizeof header->name);
    std::strncpy(header->name, name, sizeof header->name - 1);
}

std::vector<uint8_t> BlockBytes(SDL_Surface* copy) {
    std::vector<uint8_t> bytes(static_cast<size_t>(kHeaderSize + pixel_rows::StoredBytes(copy)), 0);
    byte_order::StoreLE32(bytes.data(), static_cast<uint32_t>(copy->w));
    byte_order::StoreLE32(bytes.data() + 4, static_cast<uint32_t>(copy->h));
    record::Encode(*copy->format, copy->format->colorkey, copy->format->alpha, bytes.data() + 8);
    pixel_rows::WriteRows(copy, bytes.data() + kHeaderSize);
    return bytes;
}

}  // namespace

SDL_Surface* Veltrano_IImage::Load(int dpfHandle, const char* name, sHeaderIPF* header) {
    if (dpfHandle <= 0 || IStuffDPF == nullptr) return nullptr;
    const char* file = IStuffDPF->GetFilename(dpfHandle);
    stored_asset::LoadedBlock block;
    if (!block.Load(dpfHandle, kImageType, name)) {
        ILogSystem.Msg(0, " . [IImage->Load('%s','%s',0x%lx)] Error: image not found.\n", Text(file), Text(name),
                       Address(header));
        return nullptr;
    }
    pixel_rows::Geometry layout;
    SDL_Surface* surface =
        ReadGeometry(block, layout) ? pixel_rows::MakeSurface(layout, block.bytes() + kHeaderSize) : nullptr;
    if (surface == nullptr) {
        ILogSystem.Msg(0, " . [IImage->Load('%s','%s',0x%lx)] Error: image block is damaged.\n", Text(file),
                       Text(name), Address(header));
        return nullptr;
    }
    ApplyAlphaAndKey(surface, layout.format);
    if (layout.format.bitsPerPixel == 8) {
        ILogSystem.Msg(2,
                       " . [IImage->Load('%s','%s',0x%lx)] Warning: 8bits surface loaded, it could be a different "
                       "screen format.\n",
                       Text(file), Text(name), Address(header));
    } else if (display_format::WantsConversion(surface)) {
        const bool perPixel = display_format::HasPerPixelAlpha(surface);
        surface = display_format::ConvertToScreen(surface);
        if (perPixel)
            ILogSystem.Msg(5,
                           " . [IImage->Load('%s','%s',0x%lx)] Info: surface with alpha per pixel loaded, it could "
                           "slow down your graphics system.\n",
                           Text(file), Text(name), Address(header));
    }
    display_format::UploadWhenGL(surface);
    if (layout.format.colorkey == display_format::kNoColorKey) display_format::MarkNoColorKey(surface);
    if (header != nullptr) FillHeader(header, layout, name);
    return surface;
}

SDL_Surface* Veltrano_IImage::Load(const char* dpfFile, const char* name, sHeaderIPF* header) {
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::Open, static_cast<SDL_Surface*>(nullptr),
                                     [&](int handle) { return Load(handle, name, header); });
}

int Veltrano_IImage::Save(int dpfHandle, const char* name, SDL_Surface* surface) {
    if (dpfHandle < 1 || IStuffDPF == nullptr || name == nullptr || surface == nullptr) return 0;
    if (std::strlen(name) >= sizeof(DPF_BlockData::name)) {
        ILogSystem.Msg(0, " . [IImage->Save(%d,'%s')] Error: the name is longer than 31 characters.\n", dpfHandle,
                       name);
        return 0;
    }
    SurfacePtr readBack;
    SDL_Surface* source = display_format::ReadableSurface(surface, readBack);
    const SurfacePtr copy(source != nullptr ? pixel_rows::SoftwareCopy(source) : nullptr);
    if (copy == nullptr) return 0;
    return stored_asset::AddBlock(dpfHandle, name, kImageType, BlockBytes(copy.get()));
}

int Veltrano_IImage::Save(const char* dpfFile, const char* name, SDL_Surface* surface) {
    return stored_asset::WithArchive(dpfFile, stored_asset::Access::OpenOrCreate, 0,
                                     [&](int handle) { return Save(handle, name, surface); });
}
