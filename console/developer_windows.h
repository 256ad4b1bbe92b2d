// What the core's video mode and frame loop ask of the developer windows
// (the command console and the debug watch window). Each call does nothing
// while the windows do not exist.
#ifndef VELTRANO_CONSOLE_DEVELOPER_WINDOWS_H
#define VELTRANO_CONSOLE_DEVELOPER_WINDOWS_H

#include <SDL.h>

struct CoreState;

namespace developer_windows {

// Replaces both windows with new ones for a new screen.
void Recreate(CoreState& core);
// Destroys both windows (shut-down).
void Destroy(CoreState& core);
// The SDK's own use of an event: the console key, dragging the debug window.
// mouseX/mouseY are the position the last logic frame captured.
void HandleEvent(CoreState& core, const SDL_Event& event, int mouseX, int mouseY);
// Once per logic frame.
void LogicStep(CoreState& core);
// On a render frame that asked for the windows to be redrawn.
void Draw(CoreState& core);

}  // namespace developer_windows

#endif
