// The developer windows arrive with the console; until then the core has
// no window to create, feed or draw, and these hooks have nothing to do.
#include "console/developer_windows.h"

#include "core/core_state.h"

namespace developer_windows {

void Recreate(CoreState&) {}

void Destroy(CoreState& core) {
    core.console = nullptr;
    core.debugWindow = nullptr;
    core.dragging = false;
}

void HandleEvent(CoreState& core, const SDL_Event& event, int, int) {
    if (event.type == SDL_MOUSEBUTTONUP) core.dragging = false;
}

void LogicStep(CoreState&) {}

void Draw(CoreState&) {}

}  // namespace developer_windows
