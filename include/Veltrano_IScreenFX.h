/// @file
/// The IScreenFX interface; created by Veltrano.Init, deleted by Veltrano.Quit.
/// Transformations of surfaces (mirror, flip, resize, rotation with zoom),
/// in-place filters, blocking fades of the screen and per-frame effects.
///
/// The transformations return a new software surface the caller frees, or,
/// with a destination given, draw the result onto it and return it; null
/// when refused (null source, source equal to destination, a rectangle that
/// clips to nothing, a size, factor or zoom of 0, a result too large to
/// allocate). A null source rectangle means the whole surface, a null
/// destination rectangle the position (0, 0). The result keeps the source's
/// colour key, its surface alpha (when not 255) and its palette. Under the
/// OpenGL back-end a texture source with a destination is drawn by the
/// back-end's transform instead. Nothing here writes to the log.
#ifndef VELTRANO_ISCREENFX_H
#define VELTRANO_ISCREENFX_H

#include <SDL.h>
#include "veltrano_types.h"

/// Screen and surface effects, reached through the global pointer IScreenFX.
class VELTRANO_API Veltrano_IScreenFX {
public:
    /// Creates the primitives interface when it does not exist yet; logs
    /// " . [IScreenFX] Interfaz created." at level 5.
    Veltrano_IScreenFX();
    /// Deletes the primitives interface when it made it; logs
    /// " . [IScreenFX] Interfaz deleted." at level 5.
    ~Veltrano_IScreenFX();
    /// Not copyable: the core makes the one interface object.
    Veltrano_IScreenFX(const Veltrano_IScreenFX&) = delete;
    /// Not assignable, for the same reason.
    Veltrano_IScreenFX& operator=(const Veltrano_IScreenFX&) = delete;

    /// Mirrors a rectangle of a surface left to right.
    /// @param src      the source surface.
    /// @param srcRect  the part to mirror, clipped to the source; null for all.
    /// @param dst      surface to draw the result on, or null for a new surface.
    /// @param dstRect  where to draw on dst (x and y only); null for (0, 0).
    /// @return the new surface (dst null), dst, or null when refused.
    SDL_Surface* Mirror(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect);
    /// Flips a rectangle of a surface upside down (rows copied with
    /// Veltrano_memcpy).
    /// @param src      the source surface.
    /// @param srcRect  the part to flip, clipped to the source; null for all.
    /// @param dst      surface to draw the result on, or null for a new surface.
    /// @param dstRect  where to draw on dst (x and y only); null for (0, 0).
    /// @return the new surface (dst null), dst, or null when refused.
    SDL_Surface* Flip(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect);
    /// Resizes a rectangle of a surface to a size: nearest neighbour, or
    /// bilinear when smoothing 32-bit surfaces; depths other than 8 and 32
    /// bits come out as 32-bit surfaces. Drawn onto dst centred over the
    /// source rectangle's size.
    /// @param src      the source surface.
    /// @param srcRect  the part to resize, clipped to the source; null for all.
    /// @param smooth   non-zero for bilinear filtering (32-bit surfaces).
    /// @param width    result width; negative flips horizontally (ignored when
    ///                 smoothing); 0 is one pixel.
    /// @param height   result height; negative flips vertically (ignored when
    ///                 smoothing); 0 is one pixel.
    /// @param dst      surface to draw the result on, or null for a new surface.
    /// @param dstRect  where to draw on dst before centring; null for (0, 0).
    /// @return the new surface (dst null), dst, or null when refused or too
    ///         large to allocate.
    SDL_Surface* Resize(SDL_Surface* src, SDL_Rect* srcRect, int smooth, int width, int height, SDL_Surface* dst,
                        SDL_Rect* dstRect);
    /// Resizes a rectangle of a surface by factors: the size is the clipped
    /// rectangle's times each factor, truncated; a side that comes to 0 is
    /// one pixel, a negative factor flips as in Resize by size.
    /// @param src      the source surface.
    /// @param srcRect  the part to resize, clipped to the source; null for all.
    /// @param smooth   non-zero for bilinear filtering (32-bit surfaces).
    /// @param factorX  horizontal factor.
    /// @param factorY  vertical factor.
    /// @param dst      surface to draw the result on, or null for a new surface.
    /// @param dstRect  where to draw on dst before centring; null for (0, 0).
    /// @return the new surface (dst null), dst, or null when refused, for a
    ///         non-finite factor or a result too large to allocate.
    SDL_Surface* Resize(SDL_Surface* src, SDL_Rect* srcRect, int smooth, double factorX, double factorY,
                        SDL_Surface* dst, SDL_Rect* dstRect);
    /// Rotates and zooms a rectangle of a surface; the result is centred over
    /// the source. Exact quarter turns at zoom 1 move the pixels exactly;
    /// other angles leave the corners in the colour key (the source's, else
    /// magenta 0xFF00FF, 255 for 8-bit surfaces). An angle below 0.001 degrees
    /// is a plain resize by the zoom.
    /// @param src      the source surface.
    /// @param srcRect  the part to rotate, clipped to the source; null for all.
    /// @param smooth   non-zero for bilinear filtering (32-bit surfaces).
    /// @param angle    degrees, clockwise on the screen.
    /// @param zoom     scale factor; below 0.001 counts as 0.001.
    /// @param dst      surface to draw the result on, or null for a new surface.
    /// @param dstRect  where to draw on dst before centring; null for (0, 0).
    /// @return the new surface (dst null), dst, or null when refused, for a
    ///         non-finite angle or zoom, and always for a texture drawn by
    ///         the OpenGL back-end.
    SDL_Surface* RotateResize(SDL_Surface* src, SDL_Rect* srcRect, int smooth, double angle, double zoom,
                              SDL_Surface* dst, SDL_Rect* dstRect);
    /// RotateResize with a zoom of 1.
    /// @param src      the source surface.
    /// @param srcRect  the part to rotate, clipped to the source; null for all.
    /// @param smooth   non-zero for bilinear filtering (32-bit surfaces).
    /// @param angle    degrees, clockwise on the screen.
    /// @param dst      surface to draw the result on, or null for a new surface.
    /// @param dstRect  where to draw on dst before centring; null for (0, 0).
    /// @return as RotateResize.
    SDL_Surface* Rotate(SDL_Surface* src, SDL_Rect* srcRect, int smooth, double angle, SDL_Surface* dst,
                        SDL_Rect* dstRect);

    /// Adds random noise, in place, to channel values from 31 to 219.
    /// @param surface  the surface; refused when null or an OpenGL texture.
    /// @param amount   0..100; 0 leaves the surface unchanged.
    /// @return 1, or 0 when refused (also for an amount outside 0..100).
    int Noise(SDL_Surface* surface, int amount);
    /// Scales channel values from 71 to 179, in place, by a percentage each.
    /// @param surface  the surface; refused when null or an OpenGL texture.
    /// @param red      percentage for red, 0..255 (100 leaves it unchanged).
    /// @param green    percentage for green, 0..255.
    /// @param blue     percentage for blue, 0..255.
    /// @return 1, or 0 when refused (also for a percentage outside 0..255).
    int GammaCorrect(SDL_Surface* surface, int red, int green, int blue);
    /// Blurs in place with a 3 x 3 neighbourhood, row by row from the top.
    /// @param surface  the surface; refused when null or an OpenGL texture.
    /// @param amount   0..100: the neighbours' share in percent (0 leaves the
    ///                 surface unchanged).
    /// @return 1, or 0 when refused (also for an amount outside 0..100).
    int Blur(SDL_Surface* surface, int amount);

    /// Fades a region of the screen to a colour, flipping the screen, and
    /// blocks until done.
    /// @param red    red of the colour.
    /// @param green  green of the colour.
    /// @param blue   blue of the colour.
    /// @param ms     about how long the fade lasts, in milliseconds.
    /// @param rect   the screen region; null for the whole screen.
    /// @return 1 when faded; 0 without a screen or for a region that clips to
    ///         nothing.
    int FadeToColor(unsigned char red, unsigned char green, unsigned char blue, unsigned int ms, SDL_Rect* rect);
    /// Fades a region of the screen to an image, flipping the screen, and
    /// blocks until done; the image's alpha setting is restored afterwards.
    /// @param image       the image; refused when null, the screen itself,
    ///                    or blended with per-pixel alpha.
    /// @param ms          about how long the fade lasts, in milliseconds.
    /// @param screenRect  the screen region; null for the whole screen (the
    ///                    region then takes the image region's size).
    /// @param imageRect   the part of the image; null for the whole image.
    /// @return 1 when faded; 0 without a screen or when refused.
    int FadeToImage(SDL_Surface* image, unsigned int ms, SDL_Rect* screenRect, SDL_Rect* imageRect);

    /// Draws one frame of a per-frame effect from src to dst; the effects
    /// that move (wave, pixelate) follow a frame counter this call advances.
    /// @param src     the surface read.
    /// @param dst     the surface written (may be src).
    /// @param effect  1 posterize, 2 wave, 3 pixelate, 4 colour mask, 5 smear,
    ///                6 negative, 7 grey, 8 dark grey, 9 black and white,
    ///                10..12 tints of hue 40, 110 and 240; other numbers draw
    ///                nothing.
    void RenderFX(SDL_Surface* src, SDL_Surface* dst, int effect);
};

/// The screen-effects interface; null before Veltrano.Init and after Veltrano.Quit.
VELTRANO_API extern Veltrano_IScreenFX* IScreenFX;

#endif
