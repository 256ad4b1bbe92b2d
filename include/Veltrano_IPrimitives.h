/// @file
/// The IPrimitives interface; created by Veltrano.Init, deleted by Veltrano.Quit.
/// Pixel access at every depth, lines, rectangles, boxes, pixel-exact
/// collision and colour-space conversions.
///
/// Coordinates outside a surface are safe everywhere: PutPixelColor ignores
/// them, GetPixel answers 0, Put16Pixel / Get16Pixel leave surface and array
/// alone unless all 16 pixels lie inside, and PixelCollision samples only
/// where both images have pixels. A null surface or output pointer makes a
/// call do nothing (or answer 0). Nothing here logs except a failed Lock.
#ifndef VELTRANO_IPRIMITIVES_H
#define VELTRANO_IPRIMITIVES_H

#include <SDL.h>
#include "veltrano_types.h"

/// Drawing primitives and colour conversion, reached through the global
/// pointer IPrimitives. `...Color` calls take a pixel value in the surface's
/// format, `...RGBA` calls the colour's bytes (mapped with SDL_MapRGBA).
class VELTRANO_API Veltrano_IPrimitives {
public:
    /// Sets the collision method to 1; logs " . [IPrimitives] Interfaz created." at level 5.
    Veltrano_IPrimitives();
    /// Logs " . [IPrimitives] Interfaz deleted." at level 5.
    ~Veltrano_IPrimitives();
    /// Not copyable: the core makes the one interface object.
    Veltrano_IPrimitives(const Veltrano_IPrimitives&) = delete;
    /// Not assignable, for the same reason.
    Veltrano_IPrimitives& operator=(const Veltrano_IPrimitives&) = delete;

    /// Locks a surface, only when SDL requires it for that surface.
    /// @param surface  the surface; null does nothing.
    /// Logs " . [IPrimitives->Lock()] Error: " and SDL's error text when the
    /// lock fails.
    void Lock(SDL_Surface* surface);
    /// Unlocks a surface locked by Lock, only when SDL requires locking it.
    /// @param surface  the surface; null does nothing.
    void UnLock(SDL_Surface* surface);

    /// Sets one pixel; pixels outside the surface or its clip rectangle and
    /// OpenGL textures are left alone.
    /// @param surface  the surface.
    /// @param x        column.
    /// @param y        row.
    /// @param color    pixel value in the surface's format.
    /// @param lock     1 locks around the access; any other value means the
    ///                 caller holds the lock.
    void PutPixelColor(SDL_Surface* surface, short x, short y, unsigned int color, unsigned char lock);
    /// Sets one pixel to a colour given as bytes; as PutPixelColor otherwise.
    /// @param surface  the surface.
    /// @param x        column.
    /// @param y        row.
    /// @param r        red.
    /// @param g        green.
    /// @param b        blue.
    /// @param a        alpha (used when the surface has an alpha channel).
    /// @param lock     1 locks around the access; any other value means the
    ///                 caller holds the lock.
    void PutPixelRGBA(SDL_Surface* surface, short x, short y, unsigned char r, unsigned char g, unsigned char b,
                      unsigned char a, unsigned char lock);
    /// Reads one pixel.
    /// @param surface  the surface.
    /// @param x        column.
    /// @param y        row.
    /// @param lock     1 locks around the access; any other value means the
    ///                 caller holds the lock.
    /// @return the pixel value in the surface's format; 0 outside the surface,
    ///         for a null surface or an OpenGL texture.
    unsigned int GetPixel(SDL_Surface* surface, short x, short y, unsigned char lock);
    /// Writes 16 consecutive 32-bit pixels of row y from column x; only on
    /// 32-bit surfaces held in memory with all 16 pixels inside.
    /// @param surface  the surface.
    /// @param x        first column.
    /// @param y        row.
    /// @param pixels   the 16 pixel values.
    /// @param lock     1 locks around the access; any other value means the
    ///                 caller holds the lock.
    void Put16Pixel(SDL_Surface* surface, short x, short y, unsigned int* pixels, unsigned char lock);
    /// Reads 16 consecutive 32-bit pixels of row y from column x; only on
    /// 32-bit surfaces held in memory with all 16 pixels inside (the array is
    /// left alone otherwise). Always locks around the access.
    /// @param surface  the surface.
    /// @param x        first column.
    /// @param y        row.
    /// @param pixels   receives the 16 pixel values.
    /// @param lock     ignored.
    void Get16Pixel(SDL_Surface* surface, short x, short y, unsigned int* pixels, unsigned char lock);

    /// Draws a horizontal line, both ends included; x1 <= x2 expected.
    /// @param surface  the surface.
    /// @param x1       first column.
    /// @param x2       last column.
    /// @param y        row.
    /// @param color    pixel value in the surface's format.
    void HLineColor(SDL_Surface* surface, short x1, short x2, short y, unsigned int color);
    /// Draws a horizontal line in a colour given as bytes; as HLineColor.
    /// @param surface  the surface.
    /// @param x1       first column.
    /// @param x2       last column.
    /// @param y        row.
    /// @param r        red.
    /// @param g        green.
    /// @param b        blue.
    /// @param a        alpha.
    void HLineRGBA(SDL_Surface* surface, short x1, short x2, short y, unsigned char r, unsigned char g,
                   unsigned char b, unsigned char a);
    /// Draws a vertical line, both ends included; y1 <= y2 expected.
    /// @param surface  the surface.
    /// @param x        column.
    /// @param y1       first row.
    /// @param y2       last row.
    /// @param color    pixel value in the surface's format.
    void VLineColor(SDL_Surface* surface, short x, short y1, short y2, unsigned int color);
    /// Draws a vertical line in a colour given as bytes; as VLineColor.
    /// @param surface  the surface.
    /// @param x        column.
    /// @param y1       first row.
    /// @param y2       last row.
    /// @param r        red.
    /// @param g        green.
    /// @param b        blue.
    /// @param a        alpha.
    void VLineRGBA(SDL_Surface* surface, short x, short y1, short y2, unsigned char r, unsigned char g,
                   unsigned char b, unsigned char a);
    /// Draws the outline of a rectangle through both corners (x2 and y2
    /// included: corners (0,0) and (10,10) outline 11 x 11 pixels), taking
    /// the software cursor off the area first.
    /// @param surface  the surface.
    /// @param x1       left column.
    /// @param y1       top row.
    /// @param x2       right column.
    /// @param y2       bottom row.
    /// @param color    pixel value in the surface's format.
    void RectangleColor(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned int color);
    /// Draws a rectangle outline in a colour given as bytes; as RectangleColor.
    /// @param surface  the surface.
    /// @param x1       left column.
    /// @param y1       top row.
    /// @param x2       right column.
    /// @param y2       bottom row.
    /// @param r        red.
    /// @param g        green.
    /// @param b        blue.
    /// @param a        alpha.
    void RectangleRGBA(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned char r,
                       unsigned char g, unsigned char b, unsigned char a);
    /// Fills columns x1..x2-1 and rows y1..y2-1 (corners (0,0) and (10,10)
    /// fill 10 x 10 pixels), taking the software cursor off the area first.
    /// @param surface  the surface.
    /// @param x1       left column.
    /// @param y1       top row.
    /// @param x2       column after the right edge.
    /// @param y2       row after the bottom edge.
    /// @param color    pixel value in the surface's format.
    void BoxColor(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned int color);
    /// Fills a box in a colour given as bytes; as BoxColor.
    /// @param surface  the surface.
    /// @param x1       left column.
    /// @param y1       top row.
    /// @param x2       column after the right edge.
    /// @param y2       row after the bottom edge.
    /// @param r        red.
    /// @param g        green.
    /// @param b        blue.
    /// @param a        alpha.
    void BoxRGBA(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned char r, unsigned char g,
                 unsigned char b, unsigned char a);
    /// Draws a line between two points (Bresenham). Each end point is clamped
    /// into the surface and its clip rectangle on its own, not clipped along
    /// the line.
    /// @param surface  the surface.
    /// @param x1       start column.
    /// @param y1       start row.
    /// @param x2       end column.
    /// @param y2       end row.
    /// @param color    pixel value in the surface's format.
    void LineColor(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned int color);
    /// Draws a line in a colour given as bytes; as LineColor.
    /// @param surface  the surface.
    /// @param x1       start column.
    /// @param y1       start row.
    /// @param x2       end column.
    /// @param y2       end row.
    /// @param r        red.
    /// @param g        green.
    /// @param b        blue.
    /// @param a        alpha.
    void LineRGBA(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned char r, unsigned char g,
                  unsigned char b, unsigned char a);

    /// Tests whether two images touch: their boxes must overlap and, unless
    /// the collision method is 0, a sampled position in the overlap must be
    /// opaque in both (not the colour key; with per-pixel alpha, alpha not 0
    /// and not black).
    /// @param a        surface holding the first image.
    /// @param boxA     screen position and size of the first image.
    /// @param b        surface holding the second image.
    /// @param boxB     screen position and size of the second image.
    /// @param debug    non-zero outlines both boxes in blue and the overlap
    ///                 in red on the screen.
    /// @param offsetA  where the first image starts inside its surface (a
    ///                 frame of a sheet); null for (0, 0).
    /// @param offsetB  the same for the second image.
    /// @return 1 when the images touch; 0 when not, or for a null surface or box.
    unsigned char PixelCollision(SDL_Surface* a, SDL_Rect* boxA, SDL_Surface* b, SDL_Rect* boxB,
                                 unsigned char debug, SDL_Rect* offsetA, SDL_Rect* offsetB);
    /// Sets the sampling step of PixelCollision.
    /// @param method  step in pixels (1 every pixel, 2 every second one, ...);
    ///                0 tests bounding boxes only; negative values count as 0.
    void SetCollisionMethod(int method);
    /// The sampling step of PixelCollision.
    /// @return the step in pixels (1 after start-up); 0 for bounding boxes only.
    int GetCollisionMethod();

    /// Converts RGB to HSV.
    /// @param r  red 0..255.
    /// @param g  green 0..255.
    /// @param b  blue 0..255.
    /// @param h  receives the hue in degrees 0..360; -1 for black, 0 for a grey.
    /// @param s  receives the saturation 0..1.
    /// @param v  receives the value 0..1.
    void RGBtoHSV(unsigned char r, unsigned char g, unsigned char b, float* h, float* s, float* v);
    /// Converts HSV to RGB (components truncated).
    /// @param h  hue in degrees.
    /// @param s  saturation 0..1.
    /// @param v  value 0..1.
    /// @param r  receives red.
    /// @param g  receives green.
    /// @param b  receives blue.
    void HSVtoRGB(float h, float s, float v, unsigned char* r, unsigned char* g, unsigned char* b);
    /// Converts RGB to YUV (video range).
    /// @param r  red.
    /// @param g  green.
    /// @param b  blue.
    /// @param y  receives the luma, 16..235.
    /// @param u  receives U, 16..240.
    /// @param v  receives V, 16..240.
    void RGBtoYUV(unsigned char r, unsigned char g, unsigned char b, unsigned char* y, unsigned char* u,
                  unsigned char* v);
    /// Converts YUV to RGB (components clamped to 0..255).
    /// @param y  luma.
    /// @param u  U.
    /// @param v  V.
    /// @param r  receives red.
    /// @param g  receives green.
    /// @param b  receives blue.
    void YUVtoRGB(unsigned char y, unsigned char u, unsigned char v, unsigned char* r, unsigned char* g,
                  unsigned char* b);
    /// Converts RGB to YCbCr (video range).
    /// @param r   red.
    /// @param g   green.
    /// @param b   blue.
    /// @param y   receives the luma, 16..235.
    /// @param cb  receives Cb, 16..240.
    /// @param cr  receives Cr, 16..240.
    void RGBtoYCC(unsigned char r, unsigned char g, unsigned char b, unsigned char* y, unsigned char* cb,
                  unsigned char* cr);
    /// Converts YCbCr to RGB (components truncated and clamped to 0..255).
    /// @param y   luma.
    /// @param cb  Cb.
    /// @param cr  Cr.
    /// @param r   receives red.
    /// @param g   receives green.
    /// @param b   receives blue.
    void YCCtoRGB(unsigned char y, unsigned char cb, unsigned char cr, unsigned char* r, unsigned char* g,
                  unsigned char* b);
    /// Converts RGB to CMYK; the results are percentages 0..100 (black gives
    /// c, m, y 0 and k 100).
    /// @param r  red.
    /// @param g  green.
    /// @param b  blue.
    /// @param c  receives cyan, 0..100.
    /// @param m  receives magenta, 0..100.
    /// @param y  receives yellow, 0..100.
    /// @param k  receives black, 0..100.
    void RGBtoCMYK(unsigned char r, unsigned char g, unsigned char b, unsigned char* c, unsigned char* m,
                   unsigned char* y, unsigned char* k);
    /// Converts CMYK to RGB. The inputs are on the 0..255 scale, not
    /// percentages: rescale RGBtoCMYK's results (x 255 / 100) first.
    /// @param c  cyan 0..255.
    /// @param m  magenta 0..255.
    /// @param y  yellow 0..255.
    /// @param k  black 0..255.
    /// @param r  receives red.
    /// @param g  receives green.
    /// @param b  receives blue.
    void CMYKtoRGB(unsigned char c, unsigned char m, unsigned char y, unsigned char k, unsigned char* r,
                   unsigned char* g, unsigned char* b);
};

/// The primitives interface; null before Veltrano.Init and after Veltrano.Quit.
VELTRANO_API extern Veltrano_IPrimitives* IPrimitives;

#endif
