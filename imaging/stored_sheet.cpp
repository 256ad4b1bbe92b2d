#include "imaging/stored_sheet.h"

#include <sys/stat.h>

#include <cstring>

#include "Veltrano_IImage.h"
#include "Veltrano_IStuffDPF.h"
#include "archive/archive_format.h"
#include "core/video_surface.h"

namespace stored_sheet {

SDL_Surface* ReadImageFile(const char* file) {
    if (IImage == nullptr) return nullptr;
    const bool converting = video_surface::AutomaticConversion();
    video_surface::SetAutomaticConversion(false);
    SDL_Surface* surface = nullptr;
    if (IImage->isBMP(file))
        surface = IImage->LoadBMP(file);
    else if (IImage->isPNG(file))
        surface = IImage->LoadPNG(file);
    video_surface::SetAutomaticConversion(converting);
    return surface;
}

SDL_Surface* CopyOf(SDL_Surface* source) {
    SDL_Surface* copy = SDL_ConvertSurface(source, source->format, source->flags);
    if (copy == nullptr) return nullptr;
    if ((source->flags & SDL_SRCALPHA) && source->format->alpha != 255)
        SDL_SetAlpha(copy, SDL_SRCALPHA, source->format->alpha);
    return copy;
}

int OpenOrCreate(const char* dpfFile) {
    struct stat info;
    return stat(dpfFile, &info) == 0 ? IStuffDPF->Open(dpfFile) : IStuffDPF->Create(dpfFile);
}

int AddBlock(int handle, const char* name, const std::string& type, std::vector<uint8_t>& bytes) {
    if (std::strlen(name) >= sizeof(DPF_BlockData::name) || type.size() >= sizeof(DPF_BlockData::type)) return 0;
    DPF_BlockData block{};
    std::strcpy(block.name, name);
    std::strcpy(block.type, type.c_str());
    block.storage = dpf_format::kStorageCompressed;
    block.size = static_cast<int>(bytes.size());
    block.data = reinterpret_cast<char*>(bytes.data());
    return IStuffDPF->AddData(handle, &block);
}

SDL_Surface* ReduceTo24Bits(SDL_Surface* surface) {
    SDL_Surface* reduced = SDL_CreateRGBSurface(SDL_SWSURFACE, surface->w, surface->h, 24, 0, 0, 0, 0);
    if (reduced == nullptr) return surface;
    SDL_SetAlpha(surface, 0, 255);
    SDL_BlitSurface(surface, nullptr, reduced, nullptr);
    SDL_FreeSurface(surface);
    return reduced;
}

void SetSurfaceAlpha(SDL_Surface* surface, uint8_t alpha) {
    if (alpha == 255)
        SDL_SetAlpha(surface, 0, 255);
    else
        SDL_SetAlpha(surface, SDL_SRCALPHA, alpha);
}

}  // namespace stored_sheet
