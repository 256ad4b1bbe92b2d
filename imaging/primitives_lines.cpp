// Horizontal and vertical lines, rectangle outlines, filled boxes and
// Bresenham lines.
#include <algorithm>
#include <cstdlib>

#include "Veltrano_ICursor.h"
#include "Veltrano_IPrimitives.h"
#include "Veltrano_Main.h"
#include "core/platform/gl_textures.h"
#include "imaging/pixel_access.h"

namespace {

// Fills the rectangle from (x, y) of w x h pixels; nothing when it is empty.
// SDL clips it to the surface's clip rectangle.
void Fill(SDL_Surface* surface, int x, int y, int w, int h, Uint32 color) {
    if (surface == nullptr || w <= 0 || h <= 0) return;
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    rect.w = static_cast<Uint16>(std::min(w, 0xFFFF));
    rect.h = static_cast<Uint16>(std::min(h, 0xFFFF));
    SDL_FillRect(surface, &rect, color);
}

Uint32 Map(SDL_Surface* surface, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
    return surface != nullptr ? SDL_MapRGBA(surface->format, r, g, b, a) : 0;
}

// The screen area a rectangle or box from (x1, y1) to (x2, y2) touches, as
// the software cursor is told about it.
SDL_Rect CursorArea(int x1, int y1, int x2, int y2) {
    SDL_Rect area;
    area.x = static_cast<Sint16>(x1);
    area.y = static_cast<Sint16>(y1);
    area.w = static_cast<Uint16>(std::clamp(x2 - x1, 0, 0xFFFF));
    area.h = static_cast<Uint16>(std::clamp(y2 - y1, 0, 0xFFFF));
    return area;
}

bool OnScreen(SDL_Surface* surface) { return ICursor != nullptr && surface == Veltrano.screen; }

// The end point's coordinate kept inside [0, surface size) and then at or
// before the clip rectangle's last pixel.
int ClampEnd(int value, int size, int clipStart, int clipLength) {
    value = std::max(value, 0);
    value = std::min(value, size - 1);
    return std::min(value, clipStart + clipLength - 1);
}

}  // namespace

void Veltrano_IPrimitives::HLineColor(SDL_Surface* surface, short x1, short x2, short y, unsigned int color) {
    Fill(surface, x1, y, x2 - x1 + 1, 1, color);
}

void Veltrano_IPrimitives::HLineRGBA(SDL_Surface* surface, short x1, short x2, short y, unsigned char r,
                                     unsigned char g, unsigned char b, unsigned char a) {
    HLineColor(surface, x1, x2, y, Map(surface, r, g, b, a));
}

void Veltrano_IPrimitives::VLineColor(SDL_Surface* surface, short x, short y1, short y2, unsigned int color) {
    Fill(surface, x, y1, 1, y2 - y1 + 1, color);
}

void Veltrano_IPrimitives::VLineRGBA(SDL_Surface* surface, short x, short y1, short y2, unsigned char r,
                                     unsigned char g, unsigned char b, unsigned char a) {
    VLineColor(surface, x, y1, y2, Map(surface, r, g, b, a));
}

void Veltrano_IPrimitives::RectangleColor(SDL_Surface* surface, short x1, short y1, short x2, short y2,
                                          unsigned int color) {
    if (surface == nullptr) return;
    SDL_Rect area = CursorArea(x1, y1, x2, y2);
    const bool cursorOff = OnScreen(surface) && ICursor->RestoreBG(&area) != 0;
    HLineColor(surface, x1, x2, y1, color);
    HLineColor(surface, x1, x2, y2, color);
    VLineColor(surface, x1, y1, y2, color);
    VLineColor(surface, x2, y1, y2, color);
    if (cursorOff) ICursor->CopyBG();
}

void Veltrano_IPrimitives::RectangleRGBA(SDL_Surface* surface, short x1, short y1, short x2, short y2,
                                         unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    RectangleColor(surface, x1, y1, x2, y2, Map(surface, r, g, b, a));
}

void Veltrano_IPrimitives::BoxColor(SDL_Surface* surface, short x1, short y1, short x2, short y2,
                                    unsigned int color) {
    if (surface == nullptr) return;
    SDL_Rect area = CursorArea(x1, y1, x2, y2);
    const bool cursorOff = OnScreen(surface) && ICursor->RestoreBG(&area) != 0;
    Fill(surface, x1, y1, x2 - x1, y2 - y1, color);
    if (cursorOff) ICursor->CopyBG();
}

void Veltrano_IPrimitives::BoxRGBA(SDL_Surface* surface, short x1, short y1, short x2, short y2, unsigned char r,
                                   unsigned char g, unsigned char b, unsigned char a) {
    BoxColor(surface, x1, y1, x2, y2, Map(surface, r, g, b, a));
}

void Veltrano_IPrimitives::LineColor(SDL_Surface* surface, short x1, short y1, short x2, short y2,
                                     unsigned int color) {
    if (surface == nullptr || surface->w <= 0 || surface->h <= 0) return;
    // The OpenGL back-end of this platform cannot draw lines: nothing to do.
    if (platform::SurfaceHasTexture(surface)) return;
    const SDL_Rect& clip = surface->clip_rect;
    int x = ClampEnd(x1, surface->w, clip.x, clip.w);
    int y = ClampEnd(y1, surface->h, clip.y, clip.h);
    const int endX = ClampEnd(x2, surface->w, clip.x, clip.w);
    const int endY = ClampEnd(y2, surface->h, clip.y, clip.h);
    const int dx = std::abs(endX - x);
    const int dy = std::abs(endY - y);
    const int stepX = endX >= x ? 1 : -1;
    const int stepY = endY >= y ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int major = xMajor ? dx : dy;
    const int minor = xMajor ? dy : dx;

    Lock(surface);
    if (surface->pixels != nullptr) {
        int error = major / 2;
        for (int i = 0; i <= major; ++i) {
            if (pixel_access::InsideClip(surface, x, y)) pixel_access::Write(surface, x, y, color);
            if (xMajor) x += stepX; else y += stepY;
            error += minor;
            if (error >= major) {
                if (xMajor) y += stepY; else x += stepX;
                error -= major;
            }
        }
    }
    UnLock(surface);
}

void Veltrano_IPrimitives::LineRGBA(SDL_Surface* surface, short x1, short y1, short x2, short y2,
                                    unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    LineColor(surface, x1, y1, x2, y2, Map(surface, r, g, b, a));
}
