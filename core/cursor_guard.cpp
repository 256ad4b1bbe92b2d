#include "core/cursor_guard.h"

#include "Veltrano_Main.h"
#include "core/hooks.h"

CursorGuard::CursorGuard(const SDL_Surface* target, SDL_Rect* area) {
    hooks::ScreenCursor* cursor = hooks::CurrentScreenCursor();
    if (cursor == nullptr || target == nullptr || target != Veltrano.screen) return;
    takenOff_ = cursor->TakeOff(area);
}

CursorGuard::~CursorGuard() {
    // The cursor may have been deleted while the guard was held.
    hooks::ScreenCursor* cursor = hooks::CurrentScreenCursor();
    if (takenOff_ && cursor != nullptr) cursor->PutBack();
}
