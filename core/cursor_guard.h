// Takes the software cursor off the screen while something is drawn under
// it, and lets it save the screen again when the drawing is done.
#ifndef VELTRANO_CORE_CURSOR_GUARD_H
#define VELTRANO_CORE_CURSOR_GUARD_H

#include <SDL.h>

// Only drawing on the screen (Veltrano.screen) concerns the cursor; any other
// target is left alone. area is the part of the target about to be drawn
// (null: the cursor comes off wherever it is). The screen is saved again on
// destruction only when the cursor was taken off.
class CursorGuard {
public:
    CursorGuard(const SDL_Surface* target, SDL_Rect* area);
    ~CursorGuard();
    CursorGuard(const CursorGuard&) = delete;
    CursorGuard& operator=(const CursorGuard&) = delete;

private:
    bool takenOff_ = false;
};

#endif
