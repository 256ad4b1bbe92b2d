// The developer windows (the command console and the debug watch window) and
// their part in the core's frame loop: they are made again for each new
// screen, see each event (the console key, dragging the debug window), step
// once per logic frame, draw on a render frame that asked for a redraw, and
// are destroyed first at shut-down. Each step does nothing while the windows
// do not exist.
#ifndef VELTRANO_CONSOLE_DEVELOPER_WINDOWS_H
#define VELTRANO_CONSOLE_DEVELOPER_WINDOWS_H

namespace developer_windows {

// Joins the core's hooks (start-up); the shut-down phase leaves them again.
void Start();

}  // namespace developer_windows

#endif
