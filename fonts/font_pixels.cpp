#include "fonts/font_pixels.h"

#include "Veltrano_ILogSystem.h"
#include "imaging/pixel_access.h"

namespace {

unsigned long Address(const void* pointer) { return reinterpret_cast<unsigned long>(pointer); }

bool LockIfNeeded(SDL_Surface* surface) { return !SDL_MUSTLOCK(surface) || SDL_LockSurface(surface) == 0; }

void UnlockIfNeeded(SDL_Surface* surface) {
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

bool KnownPixelSize(const SDL_Surface* surface) {
    const int bytes = surface->format->BytesPerPixel;
    return bytes >= 1 && bytes <= 4;
}

// A pixel counts when its value is not zero and it is not fully transparent;
// surfaces without an alpha channel report alpha 255.
bool ColumnIsEmpty(SDL_Surface* image, int x) {
    for (int y = 0; y < image->h; ++y) {
        const Uint32 pixel = pixel_access::Read(image, x, y);
        if (pixel == 0) continue;
        Uint8 r, g, b, a;
        SDL_GetRGBA(pixel, image->format, &r, &g, &b, &a);
        if (a != 0) return false;
    }
    return true;
}

}  // namespace

// Rows are checked as well as columns, so a bad row never reads past the
// pixel memory.
Uint32 CFontGetPixel(SDL_Surface* surface, int x, int y) {
    if (surface == nullptr || !pixel_access::Inside(surface, x, y) || surface->pixels == nullptr) {
        ILogSystem.Msg(0, " . [CFont::CFontGetPixel(0x%lx,%d,%d)] Error: wrong function parameters.\n",
                       Address(surface), x, y);
        return 0;
    }
    if (!KnownPixelSize(surface)) {
        ILogSystem.Msg(0, " . [CFont::CFontGetPixel(0x%lx,%d,%d)] Error: loading font", Address(surface), x, y);
        return 0;
    }
    if (!LockIfNeeded(surface)) {
        ILogSystem.Msg(0, " . [CFont::CFontGetPixel(0x%lx,%d,%d)] Error: %s\n", Address(surface), x, y,
                       SDL_GetError());
        return 0;
    }
    const Uint32 pixel = pixel_access::Read(surface, x, y);
    UnlockIfNeeded(surface);
    return pixel;
}

void CFontSetPixel(SDL_Surface* surface, int x, int y, Uint32 pixel) {
    if (surface == nullptr || !pixel_access::Inside(surface, x, y) || surface->pixels == nullptr ||
        !KnownPixelSize(surface))
        return;
    if (!LockIfNeeded(surface)) {
        ILogSystem.Msg(0, " . [CFont::CFontSetPixel()] Error: %s\n", SDL_GetError());
        return;
    }
    pixel_access::Write(surface, x, y, pixel);
    UnlockIfNeeded(surface);
}

int CreateUpperMark(SDL_Surface* image) {
    if (image == nullptr || image->pixels == nullptr || !KnownPixelSize(image) || !LockIfNeeded(image)) return 0;
    const Uint32 magenta = font_pixels::Magenta(image);
    int changes = 0;
    bool previousEmpty = false;  // the virtual column before the first one
    for (int x = 0; x < image->w; ++x) {
        const bool empty = ColumnIsEmpty(image, x);
        if (empty != previousEmpty) ++changes;
        if (empty) pixel_access::Write(image, x, 0, magenta);
        previousEmpty = empty;
    }
    UnlockIfNeeded(image);
    if (changes != font_pixels::kWellFormedChanges)
        ILogSystem.Msg(2,
                       " . [CFont::CreateUpperMark()] Warning: it was not possible to import bitmap with font "
                       "characters.\n");
    return changes;
}

namespace font_pixels {

Uint32 Magenta(const SDL_Surface* surface) { return SDL_MapRGB(surface->format, 255, 0, 255); }

bool IsMarkColumn(SDL_Surface* surface, int x) { return CFontGetPixel(surface, x, 0) == Magenta(surface); }

}  // namespace font_pixels
