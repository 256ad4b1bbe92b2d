#include "imaging/pixel_rows.h"

#include "core/surface_ptr.h"
#include "imaging/display_format.h"

#include <cstring>

namespace pixel_rows {

namespace record = pixel_format_record;

bool Describe(int32_t width, int32_t height, const record::Record& format, Geometry& geometry) {
    if (width <= 0 || height <= 0 || !record::IsPlausible(format)) return false;
    // A paletted key names a palette entry; SDL looks any other up out of
    // the palette's bounds.
    if (format.bitsPerPixel == 8 && format.colorkey >= 256 && format.colorkey != 0xFFFFFFFFu) return false;
    geometry.width = width;
    geometry.height = height;
    geometry.format = format;
    geometry.pitch = record::Pitch(format, width);
    // SDL keeps a surface's pitch in 16 bits.
    if (geometry.pitch > 0xFFFF) return false;
    geometry.pixelBytes = geometry.pitch * height;
    geometry.paletteBytes = format.bitsPerPixel == 8 ? kPaletteSize : 0;
    return true;
}

SDL_Surface* MakeSurface(const Geometry& geometry, const uint8_t* stored) {
    const record::Record& f = geometry.format;
    SurfacePtr owned(
        SDL_CreateRGBSurface(0, geometry.width, geometry.height, f.bitsPerPixel, f.rmask, f.gmask, f.bmask, f.amask));
    if (owned == nullptr) return nullptr;
    if (owned->pitch != geometry.pitch || owned->format->BytesPerPixel != f.bytesPerPixel) return nullptr;
    SDL_Surface* surface = owned.release();
    std::memcpy(surface->pixels, stored, static_cast<size_t>(geometry.pixelBytes));
    if (geometry.paletteBytes != 0) {
        const uint8_t* palette = stored + geometry.pixelBytes;
        SDL_Color colors[256];
        for (int i = 0; i < 256; ++i) colors[i] = {palette[4 * i], palette[4 * i + 1], palette[4 * i + 2], 0};
        SDL_SetColors(surface, colors, 0, 256);
    }
    return surface;
}

SDL_Surface* SoftwareCopy(SDL_Surface* surface) {
    SDL_Surface* copy = SDL_ConvertSurface(surface, surface->format, surface->flags & ~SDL_HWSURFACE);
    if (copy == nullptr) return nullptr;
    // A surface without a key is stored as having none: SDL leaves 0 in the
    // key field of new surfaces, which would come back as a black key.
    copy->format->colorkey =
        (surface->flags & SDL_SRCCOLORKEY) ? surface->format->colorkey : display_format::kNoColorKey;
    copy->format->alpha = surface->format->alpha;
    return copy;
}

int64_t StoredBytes(const SDL_Surface* surface) {
    const int64_t pixelBytes = static_cast<int64_t>(surface->pitch) * surface->h;
    return pixelBytes + (surface->format->BitsPerPixel == 8 ? kPaletteSize : 0);
}

void WriteRows(SDL_Surface* surface, uint8_t* out) {
    const SDL_PixelFormat& format = *surface->format;
    const size_t pixelBytes = static_cast<size_t>(surface->pitch) * surface->h;
    // Locking decodes a run-length-encoded surface back into its pixels.
    SDL_LockSurface(surface);
    std::memcpy(out, surface->pixels, pixelBytes);
    SDL_UnlockSurface(surface);
    if (format.BitsPerPixel != 8) return;
    uint8_t* palette = out + pixelBytes;
    std::memset(palette, 0, kPaletteSize);
    for (int i = 0; format.palette != nullptr && i < format.palette->ncolors && i < 256; ++i) {
        const SDL_Color& c = format.palette->colors[i];
        palette[4 * i] = c.r;
        palette[4 * i + 1] = c.g;
        palette[4 * i + 2] = c.b;
    }
}

}  // namespace pixel_rows
