// The developer windows arrive with the console; until then there is no
// window to create, feed or draw, and only the drag state is kept.
#include "console/developer_windows.h"

#include "core/hooks.h"

class cConsole;
class cDebugWO;

namespace developer_windows {
namespace {

struct WindowsState {
    cConsole* console = nullptr;
    cDebugWO* debugWindow = nullptr;
    bool dragging = false;
    int dragAnchorX = 0;
    int dragAnchorY = 0;
};

class DeveloperWindows final : public hooks::Participant {
public:
    void Take(hooks::Phase phase, const SDL_Event* event) override {
        switch (phase) {
            case hooks::Phase::Shutdown: Destroy(); break;
            case hooks::Phase::Event: HandleEvent(*event); break;
            default: break;  // new screen, logic step and redraw: no window yet
        }
    }

private:
    void Destroy() {
        state_ = WindowsState{};
        hooks::Leave(hooks::Role::DeveloperWindows, *this);
    }

    void HandleEvent(const SDL_Event& event) {
        if (event.type == SDL_MOUSEBUTTONUP) state_.dragging = false;
    }

    WindowsState state_;
};

DeveloperWindows windows;

}  // namespace

void Start() { hooks::Join(hooks::Role::DeveloperWindows, windows); }

}  // namespace developer_windows
