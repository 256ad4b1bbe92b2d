// The film player's private record: the settings a game makes and the state
// of the film playing, shared by the game's thread and the decoder's thread.
#ifndef VELTRANO_MEDIA_VIDEO_STATE_H
#define VELTRANO_MEDIA_VIDEO_STATE_H

#include <atomic>

#include <SDL.h>

#include "Veltrano_IVideo.h"

struct VideoState {
    VideoState();
    ~VideoState();
    VideoState(const VideoState&) = delete;
    VideoState& operator=(const VideoState&) = delete;

    // Settings, written only by the game's thread (directly or from the frame
    // callback, while the decoder waits for the frame to be handed on).
    int scaleW = 0, scaleH = 0;   // 0 = the film's own size
    SDL_Rect position{0, 0, 0, 0};  // w, h: the decoded size of the film playing
    std::atomic<int> effect{0};
    Veltrano_IVideo::FrameCallback callback = nullptr;

    // Playback. The lock guards the screen, the surfaces and the counters
    // below; frameEvent is signalled whenever a frame is shown or handed on.
    SDL_mutex* lock;
    SDL_cond* frameEvent;
    bool playing = false;          // a film is open (game's thread only)
    bool handingOver = false;      // the game's thread takes each shown frame
    bool framePending = false;     // a shown frame waits for the game's thread
    int framesShown = 0;
    int framesSeen = 0;
    SDL_Surface* videoSurface = nullptr;   // smpeg decodes into it
    SDL_Surface* effectSurface = nullptr;  // RenderFX draws into it
    SDL_Surface* shownSurface = nullptr;   // last put on the screen; null before the film's first frame
};

#endif
