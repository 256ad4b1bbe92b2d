// The IScreenFX interface; created by Veltrano.Init, deleted by Veltrano.Quit.
// Transformations of surfaces (mirror, flip, resize, rotation with zoom),
// in-place filters, blocking fades of the screen and per-frame effects.
//
// The transformations return a new software surface the caller frees, or,
// with a destination given, draw the result onto it and return it; null
// when refused (null source, source equal to destination, a rectangle that
// clips to nothing, a size, factor or zoom of 0, a result too large to
// allocate). A null source rectangle means the whole surface, a null
// destination rectangle the position (0, 0).
#ifndef VELTRANO_ISCREENFX_H
#define VELTRANO_ISCREENFX_H

#include <SDL.h>
#include "veltrano_types.h"

class VELTRANO_API Veltrano_IScreenFX {
public:
    Veltrano_IScreenFX();
    ~Veltrano_IScreenFX();
    Veltrano_IScreenFX(const Veltrano_IScreenFX&) = delete;
    Veltrano_IScreenFX& operator=(const Veltrano_IScreenFX&) = delete;

    SDL_Surface* Mirror(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect);
    SDL_Surface* Flip(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect);
    // A negative width or height flips along that axis (ignored when smoothing).
    // A side of 0 (a size or factor of 0, or a factor rounding a side down to
    // nothing) is one pixel; non-finite factors and too large results give null.
    SDL_Surface* Resize(SDL_Surface* src, SDL_Rect* srcRect, int smooth, int width, int height, SDL_Surface* dst,
                        SDL_Rect* dstRect);
    SDL_Surface* Resize(SDL_Surface* src, SDL_Rect* srcRect, int smooth, double factorX, double factorY,
                        SDL_Surface* dst, SDL_Rect* dstRect);
    // Degrees, clockwise on the screen; the result is centred over the source.
    // A zoom below 0.001 counts as 0.001; a non-finite angle or zoom gives null.
    SDL_Surface* RotateResize(SDL_Surface* src, SDL_Rect* srcRect, int smooth, double angle, double zoom,
                              SDL_Surface* dst, SDL_Rect* dstRect);
    SDL_Surface* Rotate(SDL_Surface* src, SDL_Rect* srcRect, int smooth, double angle, SDL_Surface* dst,
                        SDL_Rect* dstRect);

    // In place; 1, or 0 when refused. Amounts 0..100, percentages 0..255.
    int Noise(SDL_Surface* surface, int amount);
    int GammaCorrect(SDL_Surface* surface, int red, int green, int blue);
    int Blur(SDL_Surface* surface, int amount);

    // Block for about ms milliseconds while the screen fades; 0 without a screen.
    int FadeToColor(unsigned char red, unsigned char green, unsigned char blue, unsigned int ms, SDL_Rect* rect);
    int FadeToImage(SDL_Surface* image, unsigned int ms, SDL_Rect* screenRect, SDL_Rect* imageRect);

    // Effects 1..12 from src to dst (which may be the same surface).
    void RenderFX(SDL_Surface* src, SDL_Surface* dst, int effect);
};

VELTRANO_API extern Veltrano_IScreenFX* IScreenFX;

#endif
