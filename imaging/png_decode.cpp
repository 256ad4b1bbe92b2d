#include "imaging/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace png_decode {

namespace {

// Transparency found in the tRNS chunk, in what the surface will hold.
struct Transparency {
    bool hasKey = false;
    bool keyIsIndex = false;
    int index = 0;
    Uint8 r = 0, g = 0, b = 0;
};

// Everything that must survive a longjmp out of libpng.
struct Decoder {
    png_structp png = nullptr;
    png_infop info = nullptr;
    SDL_RWops* stream = nullptr;
    SDL_Surface* surface = nullptr;
    png_bytep* rows = nullptr;
    const char* failure = nullptr;
};

void ReadFromStream(png_structp png, png_bytep data, png_size_t length) {
    auto* stream = static_cast<SDL_RWops*>(png_get_io_ptr(png));
    if (SDL_RWread(stream, data, 1, static_cast<int>(length)) != static_cast<int>(length))
        png_error(png, "Read Error");
}

void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void OnWarning(png_structp, png_const_charp) {}

// 8-bit value of a grey sample of the given depth, as the transformations
// set up below produce it.
Uint8 ScaledGrey(unsigned value, int bitDepth) {
    if (bitDepth == 16) return static_cast<Uint8>(value >> 8);
    if (bitDepth == 8) return static_cast<Uint8>(value);
    return static_cast<Uint8>(value * 255 / ((1u << bitDepth) - 1));
}

Uint8 Scaled8(unsigned value, int bitDepth) { return static_cast<Uint8>(bitDepth == 16 ? value >> 8 : value); }

// Palette images with exactly one fully transparent entry and all others
// opaque keep their palette and get that entry as key; any other tRNS
// expands them to RGBA.
Transparency ReadTransparency(png_structp png, png_infop info, int colorType, int bitDepth) {
    Transparency found;
    if (!png_get_valid(png, info, PNG_INFO_tRNS)) return found;
    png_bytep alphas = nullptr;
    int count = 0;
    png_color_16p color = nullptr;
    png_get_tRNS(png, info, &alphas, &count, &color);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        int transparent = -1;
        bool simple = true;
        for (int i = 0; i < count && simple; ++i) {
            if (alphas[i] == 0) {
                simple = transparent < 0;
                transparent = i;
            } else if (alphas[i] != 255) {
                simple = false;
            }
        }
        if (simple && transparent >= 0) {
            found.hasKey = found.keyIsIndex = true;
            found.index = transparent;
        } else {
            png_set_expand(png);
        }
    } else if (color != nullptr && colorType == PNG_COLOR_TYPE_GRAY) {
        found.hasKey = true;
        found.r = found.g = found.b = ScaledGrey(color->gray, bitDepth);
    } else if (color != nullptr && colorType == PNG_COLOR_TYPE_RGB) {
        found.hasKey = true;
        found.r = Scaled8(color->red, bitDepth);
        found.g = Scaled8(color->green, bitDepth);
        found.b = Scaled8(color->blue, bitDepth);
    }
    return found;
}

void SetUpTransformations(png_structp png, int colorType, int bitDepth) {
    png_set_strip_16(png);
    png_set_packing(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
}

SDL_Surface* CreateSurface(png_structp png, png_infop info, int colorType) {
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int channels = png_get_channels(png, info);
    const int depth = png_get_bit_depth(png, info) * channels;
    if (depth != 8 && depth != 24 && depth != 32) return nullptr;
    if (static_cast<unsigned long long>(png_get_rowbytes(png, info)) * height > kMaxPixelBytes) return nullptr;
    Uint32 r = 0, g = 0, b = 0, a = 0;
    if (colorType != PNG_COLOR_TYPE_PALETTE || channels > 1) {
        r = 0x000000FF;
        g = 0x0000FF00;
        b = 0x00FF0000;
        a = channels == 4 ? 0xFF000000 : 0;
    }
    return SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(width), static_cast<int>(height), depth, r, g, b, a);
}

void SetPalette(png_structp png, png_infop info, SDL_Surface* surface, int colorType) {
    SDL_Color colors[256];
    int count = 0;
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        for (count = 0; count < 256; ++count)
            colors[count] = {static_cast<Uint8>(count), static_cast<Uint8>(count), static_cast<Uint8>(count), 0};
    } else {
        png_colorp palette = nullptr;
        int entries = 0;
        if (png_get_PLTE(png, info, &palette, &entries) & PNG_INFO_PLTE) {
            for (; count < entries && count < 256; ++count)
                colors[count] = {palette[count].red, palette[count].green, palette[count].blue, 0};
        }
    }
    if (count > 0) SDL_SetColors(surface, colors, 0, count);
}

void SetColorKey(SDL_Surface* surface, const Transparency& transparency) {
    if (!transparency.hasKey) return;
    const Uint32 key = transparency.keyIsIndex
                           ? static_cast<Uint32>(transparency.index)
                           : SDL_MapRGB(surface->format, transparency.r, transparency.g, transparency.b);
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY, key);
}

// The steps that may longjmp back into Decode.
void Run(Decoder& d) {
    png_set_read_fn(d.png, d.stream, ReadFromStream);
    png_set_user_limits(d.png, kMaxSide, kMaxSide);
    png_read_info(d.png, d.info);
    const int colorType = png_get_color_type(d.png, d.info);
    const int bitDepth = png_get_bit_depth(d.png, d.info);
    SetUpTransformations(d.png, colorType, bitDepth);
    const Transparency transparency = ReadTransparency(d.png, d.info, colorType, bitDepth);
    png_read_update_info(d.png, d.info);
    const int finalType = png_get_color_type(d.png, d.info);

    d.failure = "Out of memory";
    d.surface = CreateSurface(d.png, d.info, finalType);
    if (d.surface == nullptr) png_error(d.png, "surface");
    SetColorKey(d.surface, transparency);
    d.rows = static_cast<png_bytep*>(SDL_malloc(sizeof(png_bytep) * d.surface->h));
    if (d.rows == nullptr) png_error(d.png, "rows");
    for (int y = 0; y < d.surface->h; ++y)
        d.rows[y] = static_cast<png_bytep>(d.surface->pixels) + static_cast<size_t>(y) * d.surface->pitch;
    d.failure = "Error reading the PNG file.";
    png_read_image(d.png, d.rows);
    if (d.surface->format->palette != nullptr) SetPalette(d.png, d.info, d.surface, colorType);
}

}  // namespace

SDL_Surface* Decode(SDL_RWops* stream) {
    if (stream == nullptr) return nullptr;
    const int start = SDL_RWtell(stream);
    Decoder d;
    d.stream = stream;
    d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (d.png == nullptr) {
        SDL_SetError("Couldn't allocate memory for PNG file or incompatible PNG dll");
        return nullptr;
    }
    d.info = png_create_info_struct(d.png);
    if (d.info == nullptr) {
        png_destroy_read_struct(&d.png, nullptr, nullptr);
        SDL_SetError("Couldn't create image information for PNG file");
        return nullptr;
    }
    d.failure = "Error reading the PNG file.";
    bool failed = false;
    if (setjmp(png_jmpbuf(d.png)) == 0)
        Run(d);
    else
        failed = true;
    png_destroy_read_struct(&d.png, &d.info, nullptr);
    SDL_free(d.rows);
    if (!failed) return d.surface;
    SDL_RWseek(stream, start, RW_SEEK_SET);
    if (d.surface != nullptr) SDL_FreeSurface(d.surface);
    SDL_SetError("%s", d.failure);
    return nullptr;
}

}  // namespace png_decode
