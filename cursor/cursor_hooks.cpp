#include "cursor/cursor_hooks.h"

#include "Veltrano_ICursor.h"
#include "Veltrano_Main.h"
#include "core/hooks.h"

class CursorHooks final : public hooks::Participant, public hooks::ScreenCursor {
public:
    void Join(Veltrano_ICursor& cursor) {
        cursor_ = &cursor;
        hooks::Join(hooks::Role::Cursor, *this);
        hooks::SetScreenCursor(this);
    }

    void Leave(const Veltrano_ICursor& cursor) {
        if (cursor_ != &cursor) return;
        hooks::Leave(hooks::Role::Cursor, *this);
        hooks::ClearScreenCursor(*this);
        cursor_ = nullptr;
    }

    void Take(hooks::Phase phase, const SDL_Event*) override {
        switch (phase) {
            // Still the previous frame's position: the smoothing starts there.
            case hooks::Phase::BeforeInput: cursor_->SaveCoordinates(Veltrano.mouseX, Veltrano.mouseY); break;
            case hooks::Phase::Render: cursor_->Update(); break;
            default: break;
        }
    }

    bool TakeOff(SDL_Rect* area) override { return cursor_->RestoreBG(area) != 0; }
    void PutBack() override { cursor_->CopyBG(); }

private:
    Veltrano_ICursor* cursor_ = nullptr;
};

namespace cursor_hooks {
namespace {

CursorHooks adapter;

}  // namespace

void Join(Veltrano_ICursor& cursor) { adapter.Join(cursor); }

void Leave(const Veltrano_ICursor& cursor) { adapter.Leave(cursor); }

}  // namespace cursor_hooks
