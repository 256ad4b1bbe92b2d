// Surfaces into PNG files: palette PNGs for 8 bits per pixel, RGB or RGBA
// for every other depth.
#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>

#include "Veltrano_IImage.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "core/surface_ptr.h"
#include "imaging/display_format.h"

namespace {

// Everything that must survive a longjmp out of libpng.
struct Encoder {
    png_structp png = nullptr;
    png_infop info = nullptr;
    SDL_Surface* source = nullptr;  // what the rows come from
    SDL_Surface* keyed = nullptr;   // whose colour key the PNG keeps
    png_bytep* rows = nullptr;
    int compression = 0;
    const char* failure = nullptr;
};

void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void OnWarning(png_structp, png_const_charp) {}

bool HasKey(const SDL_Surface* surface) { return (surface->flags & SDL_SRCCOLORKEY) != 0; }

// Rows that libpng can take as they are: RGB bytes, or RGBA with alpha last.
bool WritableAsIs(const SDL_PixelFormat* f) {
    const bool rgbOrder = f->Rmask == 0xFF && f->Gmask == 0xFF00 && f->Bmask == 0xFF0000;
    if (f->BytesPerPixel == 3) return rgbOrder && f->Amask == 0;
    return f->BytesPerPixel == 4 && rgbOrder && f->Amask == 0xFF000000;
}

// A 24-bit (32 with alpha) copy in byte order R, G, B(, A). The source's
// surface alpha and colour key are off during the copy so every pixel is
// copied as it is, and put back after it.
SurfacePtr RgbCopy(SDL_Surface* source) {
    const bool alpha = source->format->Amask != 0;
    SurfacePtr copy(SDL_CreateRGBSurface(SDL_SWSURFACE, source->w, source->h, alpha ? 32 : 24, 0xFF, 0xFF00,
                                         0xFF0000, alpha ? 0xFF000000 : 0));
    if (copy == nullptr) {
        SDL_SetError("Couldn't allocate temp surface");
        return nullptr;
    }
    const Uint32 rle = (source->flags & SDL_RLEACCELOK) ? SDL_RLEACCEL : 0;
    const Uint32 alphaFlags = (source->flags & SDL_SRCALPHA) | rle;
    const Uint32 keyFlags = (source->flags & SDL_SRCCOLORKEY) | rle;
    const Uint8 surfaceAlpha = source->format->alpha;
    const Uint32 key = source->format->colorkey;
    SDL_SetAlpha(source, 0, 255);
    SDL_SetColorKey(source, 0, 0);
    const int blitted = SDL_BlitSurface(source, nullptr, copy.get(), nullptr);
    SDL_SetAlpha(source, alphaFlags, surfaceAlpha);
    SDL_SetColorKey(source, keyFlags, key);
    if (blitted != 0) {
        SDL_SetError("Couldn't blit surface to temp surface");
        return nullptr;
    }
    return copy;
}

int ZlibLevel(int compression) {
    if (compression >= 10) return 9;
    if (compression < 0) return Z_DEFAULT_COMPRESSION;
    return compression;
}

void WritePalette(Encoder& e) {
    const SDL_Palette* palette = e.source->format->palette;
    png_color colors[256];
    const int count = palette != nullptr ? (palette->ncolors < 256 ? palette->ncolors : 256) : 0;
    for (int i = 0; i < count; ++i) colors[i] = {palette->colors[i].r, palette->colors[i].g, palette->colors[i].b};
    if (count > 0) png_set_PLTE(e.png, e.info, colors, count);
    const Uint32 key = e.source->format->colorkey;
    if (HasKey(e.source) && key < 256) {
        png_byte alphas[256];
        for (Uint32 i = 0; i <= key; ++i) alphas[i] = i == key ? 0 : 255;
        png_set_tRNS(e.png, e.info, alphas, static_cast<int>(key) + 1, nullptr);
    }
}

// An RGB surface with a colour key keeps it as the PNG's transparent colour.
void WriteKeyColor(Encoder& e, SDL_Surface* keyed) {
    if (!HasKey(keyed) || keyed->format->Amask != 0) return;
    Uint8 r, g, b;
    SDL_GetRGB(keyed->format->colorkey, keyed->format, &r, &g, &b);
    png_color_16 color{};
    color.red = r;
    color.green = g;
    color.blue = b;
    png_set_tRNS(e.png, e.info, nullptr, 0, &color);
}

// The steps that may longjmp back into SavePNG.
void Run(Encoder& e, FILE* out) {
    png_init_io(e.png, out);
    png_set_compression_level(e.png, ZlibLevel(e.compression));
    if (e.compression == 0) png_set_filter(e.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    if (e.source->format->BitsPerPixel == 8) {
        png_set_IHDR(e.png, e.info, e.source->w, e.source->h, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        e.failure = "Couldn't create memory for palette";
        WritePalette(e);
    } else {
        const bool alpha = e.source->format->Amask != 0;
        png_set_IHDR(e.png, e.info, e.source->w, e.source->h, 8,
                     alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        WriteKeyColor(e, e.keyed);
    }
    e.failure = "Couldn't allocate memory for rowpointers";
    e.rows = static_cast<png_bytep*>(SDL_malloc(sizeof(png_bytep) * e.source->h));
    if (e.rows == nullptr) png_error(e.png, "rows");
    for (int y = 0; y < e.source->h; ++y)
        e.rows[y] = static_cast<png_bytep>(e.source->pixels) + static_cast<size_t>(y) * e.source->pitch;
    e.failure = "Couldn't allocate memory for PNG file";
    png_write_info(e.png, e.info);
    png_write_image(e.png, e.rows);
    png_write_end(e.png, e.info);
}

int Encode(SDL_Surface* source, SDL_Surface* keyed, int compression, FILE* out) {
    Encoder e;
    e.source = source;
    e.keyed = keyed;
    e.compression = compression;
    e.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (e.png == nullptr) {
        SDL_SetError("Couldn't allocate memory for PNG file");
        return -1;
    }
    e.info = png_create_info_struct(e.png);
    if (e.info == nullptr) {
        png_destroy_write_struct(&e.png, nullptr);
        SDL_SetError("Couldn't allocate image information for PNG file");
        return -1;
    }
    e.failure = "Couldn't allocate memory for PNG file";
    bool failed = false;
    if (setjmp(png_jmpbuf(e.png)) == 0)
        Run(e, out);
    else
        failed = true;
    png_destroy_write_struct(&e.png, &e.info);
    SDL_free(e.rows);
    if (!failed) return 0;
    SDL_SetError("%s", e.failure);
    return -1;
}

}  // namespace

int Veltrano_IImage::SavePNG(const char* file, SDL_Surface* surface, int compression) {
    if (surface == nullptr || file == nullptr) {
        ILogSystem.Msg(0, " . [IImage->SavePNG(%s,%d)] Error: surface is null.\n", file != nullptr ? file : "(null)",
                       compression);
        return 0;
    }
    Veltrano.MakeDirectory(file);
    FILE* out = std::fopen(file, "wb");
    if (out == nullptr) {
        SDL_SetError("Couldn't open %s", file);
        return -1;
    }
    SurfacePtr readBack;
    SDL_Surface* keyed = display_format::ReadableSurface(surface, readBack);
    SurfacePtr rgb;
    if (keyed != nullptr && keyed->format->BitsPerPixel != 8 && !WritableAsIs(keyed->format))
        rgb = RgbCopy(keyed);
    SDL_Surface* source = rgb != nullptr ? rgb.get() : keyed;
    // Locking decodes a run-length-encoded surface and pins video memory.
    const bool writable =
        source != nullptr && (source->format->BitsPerPixel == 8 || WritableAsIs(source->format));
    const bool locked = writable && SDL_MUSTLOCK(source) && SDL_LockSurface(source) == 0;
    int result = -1;
    if (writable && (!SDL_MUSTLOCK(source) || locked)) result = Encode(source, keyed, compression, out);
    if (locked) SDL_UnlockSurface(source);
    if (std::fclose(out) != 0) result = -1;
    return result;
}
