#include "media/video_display.h"

#include <atomic>

#include "Veltrano_IScreenFX.h"
#include "Veltrano_Main.h"
#include "media/video_state.h"

namespace video_display {

namespace {

constexpr Uint32 kWaitStepMs = 20;

// smpeg's display callback carries no user data, so the film playing is
// reached through this pointer.
std::atomic<VideoState*> target{nullptr};
std::atomic<Uint32> stallLimit{5000};

// A negative coordinate becomes the centred one and is kept.
void Centre(SDL_Rect& position, const SDL_Surface& screen) {
    if (position.x < 0) position.x = static_cast<Sint16>(screen.w / 2 - position.w / 2);
    if (position.y < 0) position.y = static_cast<Sint16>(screen.h / 2 - position.h / 2);
}

// The surface to show: the decoded frame, or the effect drawn from it.
// Effect 5 (smear) is shown as decoded.
SDL_Surface* ApplyEffect(VideoState& state) {
    const int effect = state.effect;
    if (effect == 0 || effect == 5 || IScreenFX == nullptr) return state.videoSurface;
    IScreenFX->RenderFX(state.videoSurface, state.effectSurface, effect);
    return state.effectSurface;
}

void Show(VideoState& state) {
    SDL_Surface* screen = Veltrano.screen;
    if (screen == nullptr) return;
    Centre(state.position, *screen);
    state.shownSurface = ApplyEffect(state);
    if (!Veltrano.IsGL()) {
        SDL_Rect at = state.position;  // SDL clips the copy it is given
        Veltrano.Blit(state.shownSurface, nullptr, screen, &at);
    }
    SDL_Flip(screen);
}

}  // namespace

void Begin(VideoState& state) {
    SDL_mutexP(state.lock);
    state.framesShown = 0;
    state.framesSeen = 0;
    state.framePending = false;
    state.shownSurface = nullptr;
    state.handingOver = true;
    SDL_mutexV(state.lock);
    target = &state;
}

void DisplayFrame(SDL_Surface*, int, int, unsigned int, unsigned int) {
    VideoState* state = target;
    if (state == nullptr) return;
    SDL_mutexP(state->lock);
    if (state->handingOver) {
        Show(*state);
        ++state->framesShown;
        state->framePending = true;
        SDL_CondBroadcast(state->frameEvent);
        // The game's thread reads the frame and may draw; nothing here
        // touches the surfaces or the screen until it is done.
        while (state->framePending && state->handingOver) SDL_CondWait(state->frameEvent, state->lock);
    }
    SDL_mutexV(state->lock);
}

FrameWait WaitForFrame(VideoState& state, SMPEG* film) {
    const Uint32 start = SDL_GetTicks();
    bool stopped = false;
    for (;;) {
        SDL_mutexP(state.lock);
        if (!state.framePending) SDL_CondWaitTimeout(state.frameEvent, state.lock, kWaitStepMs);
        const bool pending = state.framePending;
        if (pending) state.framesSeen = state.framesShown;
        SDL_mutexV(state.lock);
        if (pending) return FrameWait::Frame;
        if (stopped) return FrameWait::Ended;
        // smpeg is asked without the lock held: its thread may be waiting for it.
        // A stopped film gets one more look for a frame shown meanwhile.
        stopped = SMPEG_status(film) != SMPEG_PLAYING;
        if (!stopped && SDL_GetTicks() - start >= stallLimit) return FrameWait::Stalled;
    }
}

void ReleaseFrame(VideoState& state) {
    SDL_mutexP(state.lock);
    state.framePending = false;
    SDL_CondBroadcast(state.frameEvent);
    SDL_mutexV(state.lock);
}

void StopHandOver(VideoState& state) {
    SDL_mutexP(state.lock);
    state.handingOver = false;
    state.framePending = false;
    SDL_CondBroadcast(state.frameEvent);
    SDL_mutexV(state.lock);
}

void End() { target = nullptr; }

void SetStallLimit(Uint32 milliseconds) { stallLimit = milliseconds; }
Uint32 StallLimit() { return stallLimit; }

}  // namespace video_display
