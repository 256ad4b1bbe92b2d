// The frame loop's side of the scripted input of veltrano_testing.h: the
// queue is drained ahead of SDL's own events, and each logic frame lets the
// next scripted event through.
#ifndef VELTRANO_CORE_SCRIPTED_INPUT_H
#define VELTRANO_CORE_SCRIPTED_INPUT_H

#include <SDL.h>

namespace scripted_input {

// Writes the next scripted event that is due into event, after making the
// key state and the mouse source agree with it; false when none is due.
bool Poll(SDL_Event* event);

// A logic frame has read the input.
void NoteLogicFrame();

}  // namespace scripted_input

#endif
