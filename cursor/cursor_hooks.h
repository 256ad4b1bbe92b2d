// The software cursor's part in the core's frame loop and in drawing on the
// screen: it keeps the mouse position of the previous logic frame, is drawn
// once per render, and steps aside while the screen is drawn on under it.
#ifndef VELTRANO_CURSOR_CURSOR_HOOKS_H
#define VELTRANO_CURSOR_CURSOR_HOOKS_H

class Veltrano_ICursor;

namespace cursor_hooks {

// Called by the cursor's constructor and destructor.
void Join(Veltrano_ICursor& cursor);
void Leave(const Veltrano_ICursor& cursor);

}  // namespace cursor_hooks

#endif
