// The IPrimitives interface; created by Veltrano.Init, deleted by Veltrano.Quit.
// Pixel access at every depth, lines, rectangles, boxes, pixel-exact
// collision and colour-space conversions.
//
// Coordinates outside a surface are safe everywhere: PutPixelColor ignores
// them, GetPixel answers 0, Put16Pixel / Get16Pixel leave surface and array
// alone unless all 16 pixels lie inside, and PixelCollision samples only
// where both images have pixels.
#ifndef VELTRANO_IPRIMITIVES_H
#define VELTRANO_IPRIMITIVES_H

#include <SDL.h>
#include "veltrano_types.h"

class VELTRANO_API Veltrano_IPrimitives {
public:
    Veltrano_IPrimitives();
    ~Veltrano_IPrimitives();
    Veltrano_IPrimitives(const Veltrano_IPrimitives&) = delete;
    Veltrano_IPrimitives& operator=(const Veltrano_IPrimitives&) = delete;

    // Lock only when SDL requires it for the surface.
    void Lock(SDL_Surface* surface);
    void UnLock(SDL_Surface* surface);

    // lock = 1 locks around the access; any other value means the caller holds it.
    void PutPixelColor(SDL_Surface* surface, short x, short y, unsigned int color, unsigned char lock);
    void PutPixelRGBA(SDL_Surface* surface, short x, short y, unsigned char r, unsigned char g, unsigned char b,
                      unsigned char a, unsigned char lock);
    unsigned int GetPixel(SDL_Surface* surface, short x, short y, unsigned char lock);
    // 16 consecutive 32-bit pixels of row y from column x.
    void Put16Pixel(SDL_Surface* surface, short x, short y, unsigned int* pixels, unsigned char lock);
    void Get16Pixel(SDL_Surface* surface, short x, short y, unsigned int* pixels, unsigned char lock);

    // Inclusive ends; x1 <= x2 and y1 <= y2.
    void HLineColor(SDL_Surface* surface, short x1, short x2, short y, unsigned int color);
    void HLineRGBA(SDL_Surface* surface, short x1, short x2, short y, unsigned char r, unsigned char g,
                   unsigned char b, unsigned char a);
    void VLineColor(SDL_Surface* surface, short x, short y1, short y2, unsigned int color);
    void VLineRGBA(SDL_Surface* surface, short x, short y1, short y2, unsigned char r, unsigned char g,
                   unsigned char b, unsigned char a);
    // An outline through both corners.
    void RectangleColor(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned int color);
    void RectangleRGBA(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned char r,
                       unsigned char g, unsigned char b, unsigned char a);
    // Fills x1..x2-1 and y1..y2-1.
    void BoxColor(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned int color);
    void BoxRGBA(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned char r, unsigned char g,
                 unsigned char b, unsigned char a);
    // Each end point is clamped into the surface on its own.
    void LineColor(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned int color);
    void LineRGBA(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned char r, unsigned char g,
                  unsigned char b, unsigned char a);

    // 1 when the images touch; boxes are screen positions and sizes, offsets
    // (null for 0, 0) where the images start inside their surfaces.
    unsigned char PixelCollision(SDL_Surface* a, SDL_Rect* boxA, SDL_Surface* b, SDL_Rect* boxB,
                                 unsigned char debug, SDL_Rect* offsetA, SDL_Rect* offsetB);
    // The sampling step in pixels; 0 tests bounding boxes only.
    void SetCollisionMethod(int method);
    int GetCollisionMethod();

    void RGBtoHSV(unsigned char r, unsigned char g, unsigned char b, float* h, float* s, float* v);
    void HSVtoRGB(float h, float s, float v, unsigned char* r, unsigned char* g, unsigned char* b);
    void RGBtoYUV(unsigned char r, unsigned char g, unsigned char b, unsigned char* y, unsigned char* u,
                  unsigned char* v);
    void YUVtoRGB(unsigned char y, unsigned char u, unsigned char v, unsigned char* r, unsigned char* g,
                  unsigned char* b);
    void RGBtoYCC(unsigned char r, unsigned char g, unsigned char b, unsigned char* y, unsigned char* cb,
                  unsigned char* cr);
    void YCCtoRGB(unsigned char y, unsigned char cb, unsigned char cr, unsigned char* r, unsigned char* g,
                  unsigned char* b);
    // c, m, y, k come out as percentages 0..100.
    void RGBtoCMYK(unsigned char r, unsigned char g, unsigned char b, unsigned char* c, unsigned char* m,
                   unsigned char* y, unsigned char* k);
    // c, m, y, k go in on the 0..255 scale.
    void CMYKtoRGB(unsigned char c, unsigned char m, unsigned char y, unsigned char k, unsigned char* r,
                   unsigned char* g, unsigned char* b);
};

VELTRANO_API extern Veltrano_IPrimitives* IPrimitives;

#endif
