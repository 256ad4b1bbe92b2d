// The display routine smpeg calls on its decoding thread for every decoded
// frame, and the hand-over that lets the game's thread take each shown frame
// before the decoder draws the next one.
#ifndef VELTRANO_MEDIA_VIDEO_DISPLAY_H
#define VELTRANO_MEDIA_VIDEO_DISPLAY_H

#include <SDL.h>
#include <smpeg.h>

struct VideoState;

namespace video_display {

// Frames go to state from now on; the counters and the shown surface start afresh.
void Begin(VideoState& state);
// The routine given to SMPEG_setdisplay: centres, applies the effect, draws
// and flips, then waits until the game's thread has taken the frame.
void DisplayFrame(SDL_Surface* target, int x, int y, unsigned int w, unsigned int h);

enum class FrameWait { Frame, Ended, Stalled };
// Waits in 20 ms steps for a shown frame; Ended when the film stopped
// without one, Stalled when none came within the stall limit.
FrameWait WaitForFrame(VideoState& state, SMPEG* film);
// The game's thread is done with the shown frame; the decoder may go on.
void ReleaseFrame(VideoState& state);
// No more frames are taken or drawn; a waiting decoder is let go. Call
// before stopping the stream.
void StopHandOver(VideoState& state);
// The stream has stopped: the routine no longer reaches state.
void End();

// Longest wait for a frame before playback is given up (5000 ms unless set).
void SetStallLimit(Uint32 milliseconds);
Uint32 StallLimit();

}  // namespace video_display

#endif
