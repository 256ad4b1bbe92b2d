// The developer windows' part in the core's frame loop.
#include "console/developer_windows.h"

#include "Veltrano_Main.h"
#include "console/console.h"
#include "console/debug_window.h"
#include "core/developer_seam.h"
#include "core/hooks.h"

namespace developer_windows {
namespace {

struct WindowsState {
    cConsole* console = nullptr;
    cDebugWO* debugWindow = nullptr;
    bool dragging = false;
    int dragAnchorX = 0;
    int dragAnchorY = 0;
};

bool Inside(const SDL_Rect& rect, int x, int y) {
    return x >= rect.x && x <= rect.x + rect.w && y >= rect.y && y <= rect.y + rect.h;
}

class DeveloperWindows final : public hooks::Participant {
public:
    void Take(hooks::Phase phase, const SDL_Event* event) override {
        switch (phase) {
            case hooks::Phase::Shutdown: Shutdown(); break;
            case hooks::Phase::VideoModeSet: Rebuild(); break;
            case hooks::Phase::Event: HandleEvent(*event); break;
            case hooks::Phase::AfterInput: Step(); break;
            case hooks::Phase::RedrawRequested: Draw(); break;
            default: break;
        }
    }

private:
    // The core forgets the windows before they go, so nothing logged while
    // they are destroyed or built reaches a half-made console.
    void Destroy() {
        developer_seam::Clear();
        delete state_.debugWindow;
        delete state_.console;
        state_ = WindowsState{};
    }

    void Rebuild() {
        Destroy();
        state_.console = new cConsole(nullptr);
        state_.debugWindow = new cDebugWO(state_.console, nullptr);
        developer_seam::Set({state_.console, state_.console, state_.debugWindow, state_.debugWindow});
    }

    void Shutdown() {
        Destroy();
        hooks::Leave(hooks::Role::DeveloperWindows, *this);
    }

    void HandleEvent(const SDL_Event& event) {
        switch (event.type) {
            case SDL_KEYDOWN: ToggleConsole(event.key.keysym); break;
            case SDL_MOUSEBUTTONDOWN: StartDrag(); break;
            case SDL_MOUSEMOTION: Drag(); break;
            case SDL_MOUSEBUTTONUP: state_.dragging = false; break;
            default: break;
        }
    }

    void ToggleConsole(const SDL_keysym& key) {
        cConsole* console = state_.console;
        if (console == nullptr || key.sym != SDLK_BACKQUOTE || (key.mod & KMOD_SHIFT)) return;
        if (console->Features() & cSimpleWin::kNoConsoleKey) return;
        console->SetVisible(console->Visibility() == cSimpleWin::kHidden);
    }

    // Drags use the mouse position of the last logic frame, not the event's.
    void StartDrag() {
        cDebugWO* window = state_.debugWindow;
        if (window == nullptr || !window->IsEnabled() || state_.dragging) return;
        if (!Inside(*window->Rect(), Veltrano.mouseX, Veltrano.mouseY)) return;
        state_.dragging = true;
        state_.dragAnchorX = Veltrano.mouseX;
        state_.dragAnchorY = Veltrano.mouseY;
    }

    void Drag() {
        cDebugWO* window = state_.debugWindow;
        if (window == nullptr || !window->IsEnabled() || !state_.dragging) return;
        const SDL_Rect& rect = *window->Rect();
        const Sint16 x = static_cast<Sint16>(rect.x - state_.dragAnchorX + Veltrano.mouseX);
        const Sint16 y = static_cast<Sint16>(rect.y - state_.dragAnchorY + Veltrano.mouseY);
        window->Move(x, y);
        state_.dragAnchorX = Veltrano.mouseX;
        state_.dragAnchorY = Veltrano.mouseY;
    }

    void Step() {
        developer_seam::PrintQueuedLines();
        if (state_.console != nullptr) state_.console->Update();
        if (state_.debugWindow != nullptr) state_.debugWindow->Update();
    }

    void Draw() {
        if (state_.console != nullptr) state_.console->Render();
        if (state_.debugWindow != nullptr) state_.debugWindow->Render();
    }

    WindowsState state_;
};

DeveloperWindows windows;

}  // namespace

void Start() { hooks::Join(hooks::Role::DeveloperWindows, windows); }

}  // namespace developer_windows
