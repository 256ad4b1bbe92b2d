// PNG files and memory into surfaces, finished for the screen.
#include <png.h>

#include <cstdio>

#include "Veltrano_IImage.h"
#include "Veltrano_ILogSystem.h"
#include "imaging/display_format.h"
#include "imaging/png_decode.h"

namespace {

// Converts for the screen, keeping the colour key the image's transparency
// gave (SDL's conversion maps it into the new format).
SDL_Surface* FinishPNG(SDL_Surface* surface) {
    const bool keyed = (surface->flags & SDL_SRCCOLORKEY) != 0;
    if (display_format::WantsConversion(surface)) {
        if (!display_format::HasPerPixelAlpha(surface)) SDL_SetAlpha(surface, 0, 0);
        surface = display_format::ConvertToScreen(surface);
    }
    display_format::UploadWhenGL(surface);
    if (!keyed) display_format::MarkNoColorKey(surface);
    return surface;
}

SDL_Surface* LoadFromStream(SDL_RWops* stream, const char* origin) {
    SDL_Surface* surface = stream != nullptr ? png_decode::Decode(stream) : nullptr;
    if (stream != nullptr) SDL_RWclose(stream);
    if (surface == nullptr) {
        ILogSystem.Msg(0, " . [IImage->LoadPNG(%s)] Error: %s\n", origin,
                       stream != nullptr ? SDL_GetError() : "file not found.");
        return nullptr;
    }
    return FinishPNG(surface);
}

}  // namespace

SDL_Surface* Veltrano_IImage::LoadPNG(const char* file) {
    if (file == nullptr) return LoadFromStream(nullptr, "(null)");
    return LoadFromStream(SDL_RWFromFile(file, "rb"), file);
}

SDL_Surface* Veltrano_IImage::LoadPNG(void* memory, int length) {
    if (memory == nullptr || length <= 0) return LoadFromStream(nullptr, "memory");
    return LoadFromStream(SDL_RWFromConstMem(memory, length), "memory");
}

int Veltrano_IImage::isPNG(const char* file) {
    if (file == nullptr) return -1;
    FILE* in = std::fopen(file, "rb");
    if (in == nullptr) return -1;
    png_byte signature[4] = {0, 0, 0, 0};
    const size_t read = std::fread(signature, 1, sizeof signature, in);
    std::fclose(in);
    return read == sizeof signature && png_sig_cmp(signature, 0, sizeof signature) == 0 ? 1 : 0;
}
