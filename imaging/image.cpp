// The IImage interface's life, BMP files, and picking a loader by content.
#include <cstdio>

#include "Veltrano_IImage.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "core/surface_ptr.h"
#include "imaging/display_format.h"
#include "log/interface_lines.h"

Veltrano_IImage::Veltrano_IImage() { LogInterfaceCreated("IImage"); }

Veltrano_IImage::~Veltrano_IImage() { LogInterfaceDeleted("IImage"); }

namespace {

SDL_Surface* ReadBMP(const char* file) {
    if (file == nullptr) return nullptr;
    SDL_RWops* stream = SDL_RWFromFile(file, "rb");
    return stream != nullptr ? SDL_LoadBMP_RW(stream, 1) : nullptr;
}

}  // namespace

SDL_Surface* Veltrano_IImage::LoadBMP(const char* file) {
    SDL_Surface* surface = ReadBMP(file);
    if (surface == nullptr) {
        ILogSystem.Msg(0, " . [IImage->LoadBMP(%s)] Error: file not found.\n", file != nullptr ? file : "(null)");
        return nullptr;
    }
    if (display_format::WantsConversion(surface)) {
        SDL_SetAlpha(surface, 0, 0);
        SDL_SetColorKey(surface, 0, 0);
        surface = display_format::ConvertToScreen(surface);
    }
    display_format::UploadWhenGL(surface);
    display_format::MarkNoColorKey(surface);
    return surface;
}

int Veltrano_IImage::SaveBMP(const char* file, SDL_Surface* surface) {
    if (surface == nullptr || file == nullptr) {
        ILogSystem.Msg(0, " . [IImage->SaveBMP(%s,%d)] Error: surface is null.\n", file != nullptr ? file : "(null)",
                       0);
        return 0;
    }
    Veltrano.MakeDirectory(file);
    SurfacePtr readBack;
    SDL_Surface* source = display_format::ReadableSurface(surface, readBack);
    SDL_RWops* stream = source != nullptr ? SDL_RWFromFile(file, "wb") : nullptr;
    const int written = stream != nullptr ? SDL_SaveBMP_RW(source, stream, 1) : -1;
    return written == 0 ? 1 : 0;
}

int Veltrano_IImage::isBMP(const char* file) {
    return SurfacePtr(ReadBMP(file)) != nullptr ? 1 : 0;
}

SDL_Surface* Veltrano_IImage::LoadIMG(const char* file) {
    if (isBMP(file)) return LoadBMP(file);
    if (isPNG(file) != 0) return LoadPNG(file);
    return nullptr;
}
