// The frame counter that drives the animated RenderFX effects.
#ifndef VELTRANO_IMAGING_SCREEN_FX_RENDER_H
#define VELTRANO_IMAGING_SCREEN_FX_RENDER_H

namespace screen_fx {

// Frames counted by RenderFX since the interface was created.
int FrameCounter();
void ResetFrameCounter();

}  // namespace screen_fx

#endif
