// Helpers the screen effects share: rectangle clipping, result surfaces in a
// given format with the source's colour key and alpha, drawing a result onto
// a destination, channel access and the 16.16 bilinear blend.
#ifndef VELTRANO_IMAGING_SCREEN_FX_INTERNAL_H
#define VELTRANO_IMAGING_SCREEN_FX_INTERNAL_H

#include <SDL.h>

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace screen_fx {

// Results are limited so that a row's byte count fits SDL's 16-bit pitch at
// every depth and coordinates fit SDL's 16-bit rectangles, and so that a
// hostile size cannot ask for more than 256 MB.
constexpr int kMaxSide = 16383;
constexpr int64_t kMaxPixels = int64_t{1} << 26;

bool AcceptableSize(int64_t width, int64_t height);

// A rectangle with int fields (SDL_Rect has 16-bit ones).
struct Area {
    int x = 0, y = 0, w = 0, h = 0;
    bool Empty() const { return w <= 0 || h <= 0; }
};

// The source rectangle clipped to the surface: a start below 0 becomes 0, a
// start beyond the edge becomes the edge, and the size is cut to fit. A null
// rectangle is the whole surface.
Area ClipSource(const SDL_Surface* surface, const SDL_Rect* rect);

// A zero-filled software surface of w x h in the format of like (palette
// included for 8 bits); null when SDL refuses.
SDL_Surface* CreateLike(const SDL_Surface* like, int w, int h);

// Gives to a new surface the colour key of from (when from has one; else the
// "no colour key" mark) and from's alpha blending setting and value.
void CopyKeyAndAlpha(const SDL_Surface* from, SDL_Surface* to);

// A copy of the area in a new 32-bit surface of the given masks, colour key
// mapped into the new format and alpha setting carried over.
SDL_Surface* CopyTo32Bits(SDL_Surface* src, const Area& area, Uint32 rmask, Uint32 gmask, Uint32 bmask,
                          Uint32 amask);

// With dst null returns result. Otherwise blits result onto dst at dstRect
// (moved by offsetX, offsetY) with its alpha blending switched off, frees
// result and returns dst.
SDL_Surface* Deliver(SDL_Surface* result, SDL_Surface* dst, const SDL_Rect* dstRect, int offsetX = 0,
                     int offsetY = 0);

// Whether the transformation draws through the OpenGL back-end.
bool TexturePath(SDL_Surface* src, SDL_Surface* dst);

// Locks through IPrimitives for the lifetime of the object.
class SurfaceLock {
public:
    explicit SurfaceLock(SDL_Surface* surface);
    ~SurfaceLock();
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

private:
    SDL_Surface* surface_;
};

struct Rgba {
    Uint8 r, g, b, a;
};

inline Rgba Decode(const SDL_PixelFormat* format, Uint32 pixel) {
    Rgba c;
    SDL_GetRGBA(pixel, const_cast<SDL_PixelFormat*>(format), &c.r, &c.g, &c.b, &c.a);
    return c;
}

inline Uint32 Encode(const SDL_PixelFormat* format, Rgba c) {
    return SDL_MapRGBA(const_cast<SDL_PixelFormat*>(format), c.r, c.g, c.b, c.a);
}

inline Uint8 ClampByte(int value) { return static_cast<Uint8>(value < 0 ? 0 : value > 255 ? 255 : value); }

// One byte lane of the 16.16 bilinear blend; fx and fy are 16-bit fractions.
// The differences are signed and shifted arithmetically.
inline Uint32 BlendLane(int c00, int c01, int c10, int c11, int fx, int fy) {
    const int t1 = (c00 + (((c01 - c00) * fx) >> 16)) & 0xFF;
    const int t2 = (c10 + (((c11 - c10) * fx) >> 16)) & 0xFF;
    return static_cast<Uint32>((t1 + (((t2 - t1) * fy) >> 16)) & 0xFF);
}

// All four bytes of 32-bit pixels blended, lane by lane as BlendLane does.
inline Uint32 Blend32Lanes(Uint32 c00, Uint32 c01, Uint32 c10, Uint32 c11, int fx, int fy) {
    Uint32 result = 0;
    for (int shift = 0; shift < 32; shift += 8)
        result |= BlendLane(c00 >> shift & 0xFF, c01 >> shift & 0xFF, c10 >> shift & 0xFF, c11 >> shift & 0xFF,
                            fx, fy)
                  << shift;
    return result;
}

#if defined(__SSE2__)
// One lane's (d * f) >> 16 for a signed 16-bit d and an unsigned 16-bit f:
// the signed high half of d * (f - 65536) is that minus d when f's top bit
// is set, so d is added back there. Exact, like the scalar shift.
inline __m128i ScaleDifference(__m128i d, __m128i f) {
    return _mm_add_epi16(_mm_mulhi_epi16(d, f), _mm_and_si128(d, _mm_srai_epi16(f, 15)));
}

// Blend32Lanes with the four bytes of both rows in one register: the
// horizontal step works on the upper and the lower pair together (16-bit
// lanes 0-3 and 4-7), then the vertical step between the two halves.
inline Uint32 Blend32(Uint32 c00, Uint32 c01, Uint32 c10, Uint32 c11, int fx, int fy) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_set1_epi16(0xFF);
    const __m128i left = _mm_unpacklo_epi8(
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(c00)), _mm_cvtsi32_si128(static_cast<int>(c10))), zero);
    const __m128i right = _mm_unpacklo_epi8(
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(c01)), _mm_cvtsi32_si128(static_cast<int>(c11))), zero);
    const __m128i across = _mm_and_si128(
        _mm_add_epi16(left, ScaleDifference(_mm_sub_epi16(right, left), _mm_set1_epi16(static_cast<short>(fx)))),
        low);
    const __m128i below = _mm_unpackhi_epi64(across, across);
    const __m128i down = _mm_and_si128(
        _mm_add_epi16(across, ScaleDifference(_mm_sub_epi16(below, across), _mm_set1_epi16(static_cast<short>(fy)))),
        low);
    return static_cast<Uint32>(_mm_cvtsi128_si32(_mm_packus_epi16(down, down)));
}
#else
inline Uint32 Blend32(Uint32 c00, Uint32 c01, Uint32 c10, Uint32 c11, int fx, int fy) {
    return Blend32Lanes(c00, c01, c10, c11, fx, fy);
}
#endif

inline Uint32* Row32(SDL_Surface* surface, int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
}

inline Uint8* Row8(SDL_Surface* surface, int y) { return static_cast<Uint8*>(surface->pixels) + y * surface->pitch; }

}  // namespace screen_fx

#endif
