// The software cursor on the screen: following the mouse, saving and
// restoring the background under it, and drawing it once per render.
#include <cmath>

#include "Veltrano_ICursor.h"
#include "core/video_surface.h"
#include "cursor/cursor_state.h"
#include "Veltrano_Main.h"

namespace {

int Clip(int value, int low, int high) {
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

// Where an image of the given size goes so that its hot spot lies on (x, y).
SDL_Rect PlaceImage(int x, int y, const SDL_Surface* image, uint8_t type) {
    const unsigned int w = static_cast<unsigned int>(image->w);
    const unsigned int h = static_cast<unsigned int>(image->h);
    switch (type) {
        case 1: x -= static_cast<int>(w); break;
        case 2: y -= static_cast<int>(h); break;
        case 3:
            x -= static_cast<int>(w);
            y -= static_cast<int>(h);
            break;
        case 4:
            x -= static_cast<int>(w / 2);
            y -= static_cast<int>(h / 2);
            break;
        default: break;
    }
    return SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
}

// Inclusive edges: x + w - 1 is the last column of a rectangle.
bool Overlap(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x <= b.x + b.w - 1 && b.x <= a.x + a.w - 1 && a.y <= b.y + b.h - 1 && b.y <= a.y + a.h - 1;
}

bool SameRect(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

}  // namespace

bool Veltrano_ICursor::HasCursor() const {
    return state->current >= 0 && state->images[state->current] != nullptr;
}

void Veltrano_ICursor::SaveCoordinates(int x, int y) {
    state->savedX = static_cast<float>(x);
    state->savedY = static_cast<float>(y);
}

bool Veltrano_ICursor::Positioning() {
    CursorState& s = *state;
    s.prevDrawX = s.drawX;
    s.prevDrawY = s.drawY;
    // The clipped position becomes the core's mouse position too.
    Veltrano.mouseX = Clip(Veltrano.mouseX, s.clipX, s.clipMaxX);
    Veltrano.mouseY = Clip(Veltrano.mouseY, s.clipY, s.clipMaxY);
    s.targetX = static_cast<float>(Veltrano.mouseX);
    s.targetY = static_cast<float>(Veltrano.mouseY);
    if (s.smooth) {
        const float t = Veltrano.GetLogicTime();
        const float f = t - std::floor(t);
        s.drawX = f * s.targetX + (1.0f - f) * s.savedX;
        s.drawY = f * s.targetY + (1.0f - f) * s.savedY;
    } else {
        s.drawX = s.targetX;
        s.drawY = s.targetY;
    }
    if (HasCursor()) {
        const SDL_Surface* image = s.images[s.current];
        s.rect = PlaceImage(static_cast<int>(std::floor(s.drawX)), static_cast<int>(std::floor(s.drawY)), image,
                            s.types[s.current]);
    }
    if (std::floor(s.drawX) != std::floor(s.prevDrawX) || std::floor(s.drawY) != std::floor(s.prevDrawY))
        s.moved = true;
    return s.moved;
}

int Veltrano_ICursor::RestoreBG(SDL_Rect* rect) {
    CursorState& s = *state;
    if (!s.initialised || !s.visible || !s.autoRestore || !HasCursor()) return 0;
    s.moved = false;
    if (!s.bgValid) return 0;
    if (rect != nullptr && !Overlap(s.savedRect, *rect)) return 0;
    SDL_Surface* background = s.backgrounds[s.current];
    if (background == nullptr || Veltrano.screen == nullptr) return 0;
    // SDL clips the destination in place: blit to a copy, so a cursor at
    // the screen's edge is restored exactly where it was saved.
    SDL_Rect at = s.savedRect;
    SDL_UpperBlit(background, nullptr, Veltrano.screen, &at);
    s.redraw = true;
    return 1;
}

void Veltrano_ICursor::CopyBG() {
    CursorState& s = *state;
    if (!s.initialised || !s.visible || !s.autoRestore || !HasCursor()) return;
    SDL_Surface* background = s.backgrounds[s.current];
    if (background == nullptr || Veltrano.screen == nullptr) return;
    // Off-screen parts of the rectangle are skipped: SDL moves the target
    // by what it cuts from the source, so each saved pixel keeps its place
    // relative to the cursor and the restore puts it back where it was.
    SDL_Rect from = s.rect;
    SDL_Rect to{0, 0, 0, 0};
    SDL_UpperBlit(Veltrano.screen, &from, background, &to);
    s.savedRect = s.rect;
    s.bgValid = true;
}

void Veltrano_ICursor::Update() {
    CursorState& s = *state;
    if (!s.initialised || !s.visible || !HasCursor() || Veltrano.screen == nullptr) return;
    if (Positioning()) {
        RestoreBG(nullptr);
        CopyBG();
        s.redraw = true;
    }
    // Nothing saved here yet (a new cursor, a hidden one shown again, the
    // background forgotten): save it before the cursor covers it.
    if (s.autoRestore && (!s.bgValid || !SameRect(s.savedRect, s.rect))) {
        RestoreBG(nullptr);
        CopyBG();
        s.redraw = true;
    }
    if (s.autoRestore && !s.redraw) return;

    SDL_Rect at = s.rect;
    bool restored = false;
    video_surface::BlitRestoringLostSurface(s.images[s.current], nullptr, Veltrano.screen, &at,
                                            s.backups[s.current], &restored);
    if (restored) s.bgValid = false;
    s.redraw = false;
}
