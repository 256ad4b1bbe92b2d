// Horizontal and vertical lines, rectangle outlines, filled boxes and
// Bresenham lines.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "Veltrano_IPrimitives.h"
#include "Veltrano_Main.h"
#include "core/cursor_guard.h"
#include "platform/gl_textures.h"
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

// The end point's coordinate kept inside [0, surface size) and then at or
// before the clip rectangle's last pixel.
int ClampEnd(int value, int size, int clipStart, int clipLength) {
    value = std::max(value, 0);
    value = std::min(value, size - 1);
    return std::min(value, clipStart + clipLength - 1);
}

// Bresenham's walk from (x, y) to (endX, endY): the major axis advances
// every pixel, the minor one whenever the error term reaches the major
// distance.
struct LineSteps {
    int x, y, endX, endY;
    int dx() const { return std::abs(endX - x); }
    int dy() const { return std::abs(endY - y); }
    bool xMajor() const { return dx() >= dy(); }
    int major() const { return xMajor() ? dx() : dy(); }
    int minor() const { return xMajor() ? dy() : dx(); }
    int stepX() const { return endX >= x ? 1 : -1; }
    int stepY() const { return endY >= y ? 1 : -1; }
};

// Writes one pixel of Bytes bytes; 3-byte pixels through the format's shifts.
template <int Bytes>
struct PixelStore {
    Uint32 color;
    const SDL_PixelFormat* format;
    void operator()(Uint8* p) const {
        if constexpr (Bytes == 1) {
            *p = static_cast<Uint8>(color);
        } else if constexpr (Bytes == 2) {
            *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(color);
        } else if constexpr (Bytes == 4) {
            *reinterpret_cast<Uint32*>(p) = color;
        } else {
            p[format->Rshift / 8] = static_cast<Uint8>(color >> format->Rshift);
            p[format->Gshift / 8] = static_cast<Uint8>(color >> format->Gshift);
            p[format->Bshift / 8] = static_cast<Uint8>(color >> format->Bshift);
        }
    }
};

// Stores count pixels from p on, step bytes apart; returns where the next
// one would go. The store is taken by value so that its colour stays in a
// register: through a reference the compiler reloads it after every pixel
// in case the pixel write changed it.
template <int Bytes>
Uint8* StoreRun(Uint8* p, int count, int step, PixelStore<Bytes> store) {
    for (; count > 0; --count, p += step) {
        // A steep line touches a new row, so a new cache line, every pixel,
        // and rows a page apart defeat the hardware's stride detection: ask
        // for the line eight pixels on. The hint never faults, even past
        // the surface; the address is formed as an integer for that reason.
        __builtin_prefetch(reinterpret_cast<const void*>(reinterpret_cast<uintptr_t>(p) + 8 * step), 1);
        store(p);
    }
    return p;
}

// The pixels of a line where pixel j lies j common steps and
// (error + j * rare) / major rare steps from the first (rare <= major / 2).
// Pixels between two rare steps form a run; after the first run each run
// is major / rare or one more pixels long. The fixed part is a loop the
// branch predictor learns, and the one extra pixel is stored without a
// branch (where it is not wanted the run's last pixel is stored again), so
// no decision is left to mispredict.
template <int Bytes>
void StoreRuns(Uint8* p, int pixels, int commonStep, int rareStep, int major, int rare, int error,
               PixelStore<Bytes> store) {
    if (rare == 0) {
        StoreRun(p, pixels, commonStep, store);
        return;
    }
    const int first = std::min((major - error + rare - 1) / rare, pixels);
    p = StoreRun(p, first, commonStep, store) + rareStep;
    pixels -= first;
    error += first * rare - major;
    const int whole = major / rare, rest = major % rare;
    while (pixels > whole) {
        // All ones when this run is one pixel longer; masks, not a ?:, as
        // the compiler turns the latter back into a branch.
        const int longer = -static_cast<int>(error < rest);
        p = StoreRun(p, whole, commonStep, store);
        store(p - (commonStep & ~longer));
        p += (commonStep & longer) + rareStep;
        pixels -= whole + (longer & 1);
        error += (rare & longer) - rest;
    }
    StoreRun(p, pixels, commonStep, store);  // the last run, cut short by the end
}

// The whole line lies inside the clip rectangle (both ends do, and it is
// convex): walk a pointer without testing each pixel. A line closer to its
// major axis than to the diagonal takes rare minor steps; one closer to the
// diagonal takes a diagonal step every pixel and rarely skips its minor
// part: j - (e + j * minor) / major == (major - 1 - e + j * (major - minor)) / major.
template <int Bytes>
void WalkInside(SDL_Surface* surface, const LineSteps& line, Uint32 color) {
    const PixelStore<Bytes> store{color, surface->format};
    const int stepX = line.stepX() * Bytes;
    const int stepY = line.stepY() * surface->pitch;
    const int majorStep = line.xMajor() ? stepX : stepY;
    const int minorStep = line.xMajor() ? stepY : stepX;
    const int major = line.major(), minor = line.minor(), error = major / 2;
    Uint8* p = pixel_access::Address(surface, line.x, line.y);
    if (2 * minor <= major)
        StoreRuns(p, major + 1, majorStep, minorStep, major, minor, error, store);
    else
        StoreRuns(p, major + 1, majorStep + minorStep, -minorStep, major, major - minor, major - 1 - error, store);
}

void DrawInside(SDL_Surface* surface, const LineSteps& line, Uint32 color) {
    switch (surface->format->BytesPerPixel) {
        case 1: WalkInside<1>(surface, line, color); break;
        case 2: WalkInside<2>(surface, line, color); break;
        case 3: WalkInside<3>(surface, line, color); break;
        default: WalkInside<4>(surface, line, color); break;
    }
}

// A line with an end left of or above the clip rectangle: pixels outside
// it are skipped one by one.
void DrawChecked(SDL_Surface* surface, const LineSteps& line, Uint32 color) {
    int x = line.x, y = line.y, error = line.major() / 2;
    const int major = line.major(), minor = line.minor();
    for (int i = 0; i <= major; ++i) {
        if (pixel_access::InsideClip(surface, x, y)) pixel_access::Write(surface, x, y, color);
        if (line.xMajor()) x += line.stepX(); else y += line.stepY();
        error += minor;
        if (error >= major) {
            if (line.xMajor()) y += line.stepY(); else x += line.stepX();
            error -= major;
        }
    }
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
    CursorGuard cursorOff(surface, &area);
    HLineColor(surface, x1, x2, y1, color);
    HLineColor(surface, x1, x2, y2, color);
    VLineColor(surface, x1, y1, y2, color);
    VLineColor(surface, x2, y1, y2, color);
}

void Veltrano_IPrimitives::RectangleRGBA(SDL_Surface* surface, short x1, short y1, short x2, short y2,
                                         unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    RectangleColor(surface, x1, y1, x2, y2, Map(surface, r, g, b, a));
}

void Veltrano_IPrimitives::BoxColor(SDL_Surface* surface, short x1, short y1, short x2, short y2,
                                    unsigned int color) {
    if (surface == nullptr) return;
    SDL_Rect area = CursorArea(x1, y1, x2, y2);
    CursorGuard cursorOff(surface, &area);
    Fill(surface, x1, y1, x2 - x1, y2 - y1, color);
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
    const int x = ClampEnd(x1, surface->w, clip.x, clip.w);
    const int y = ClampEnd(y1, surface->h, clip.y, clip.h);
    const int endX = ClampEnd(x2, surface->w, clip.x, clip.w);
    const int endY = ClampEnd(y2, surface->h, clip.y, clip.h);

    Lock(surface);
    if (surface->pixels != nullptr) {
        const LineSteps line{x, y, endX, endY};
        if (pixel_access::InsideClip(surface, x, y) && pixel_access::InsideClip(surface, endX, endY))
            DrawInside(surface, line, color);
        else
            DrawChecked(surface, line, color);
    }
    UnLock(surface);
}

void Veltrano_IPrimitives::LineRGBA(SDL_Surface* surface, short x1, short y1, short x2, short y2,
                                    unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    LineColor(surface, x1, y1, x2, y2, Map(surface, r, g, b, a));
}
