// IVideo: the settings a game makes for films and PlayMPEG's playback loop,
// which hands every shown frame to the game's callback on the game's thread.
#include "Veltrano_IVideo.h"

#include <algorithm>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_ITimeSystem.h"
#include "log/interface_lines.h"
#include "media/video_display.h"
#include "media/video_film.h"
#include "media/video_state.h"

VideoState::VideoState() : lock(SDL_CreateMutex()), frameEvent(SDL_CreateCond()) {}

VideoState::~VideoState() {
    SDL_DestroyCond(frameEvent);
    SDL_DestroyMutex(lock);
}

namespace {

// Drains the event queue: the last key pressed goes to key; false when
// Escape or a quit event ends the film. Under the lock, because the
// decoder's thread draws on the screen.
bool DrainEvents(VideoState& state, int& key) {
    bool goOn = true;
    SDL_Event event;
    SDL_mutexP(state.lock);
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) goOn = false;
        if (event.type != SDL_KEYDOWN) continue;
        key = event.key.keysym.sym;
        if (key == SDLK_ESCAPE) goOn = false;
    }
    SDL_mutexV(state.lock);
    return goOn;
}

// One pass per shown frame until the film ends or is stopped; false when the
// decoder stalled.
bool RunPlayback(VideoState& state, video_film::Film& film, const char* file, void (*afterPass)()) {
    for (;;) {
        int key = 0;
        if (!DrainEvents(state, key)) return true;
        const video_display::FrameWait wait = video_display::WaitForFrame(state, film.stream);
        if (wait == video_display::FrameWait::Ended) return true;
        if (wait == video_display::FrameWait::Stalled) {
            ILogSystem.Msg(0, " . [IVideo->Play(%s,%d,%d)] Error: no frame decoded for %u ms, playback stopped.\n",
                           file, film.ownAudio, film.filter, video_display::StallLimit());
            return false;
        }
        // The decoder waits until the frame is released, so the callback has
        // the surface and the screen to itself.
        const bool goOn = state.callback == nullptr || state.callback(key, state.shownSurface, &state.position) != 0;
        video_display::ReleaseFrame(state);
        afterPass();
        if (!goOn) return true;
    }
}

Sint16 ToCoordinate(int value) { return static_cast<Sint16>(std::clamp(value, -32768, 32767)); }
Uint16 ToSize(int value) { return static_cast<Uint16>(std::clamp(value, 0, 65535)); }

}  // namespace

Veltrano_IVideo::Veltrano_IVideo() : state(new VideoState) { LogInterfaceCreated("IVideo"); }

Veltrano_IVideo::~Veltrano_IVideo() {
    delete state;
    state = nullptr;
    LogInterfaceDeleted("IVideo");
}

void Veltrano_IVideo::SetScale(int w, int h) {
    if (state->playing) return;
    state->scaleW = ToSize(w);
    state->scaleH = ToSize(h);
}

void Veltrano_IVideo::SetPosition(int x, int y) {
    state->position.x = ToCoordinate(x);
    state->position.y = ToCoordinate(y);
}

void Veltrano_IVideo::SetFX(int effect) { state->effect = effect; }

void Veltrano_IVideo::SetFunction(FrameCallback callback) { state->callback = callback; }

bool Veltrano_IVideo::PlayMPEG(const char* file, char sound, char filter) {
    if (state->playing) {
        ILogSystem.Msg(0, " . [IVideo->Play(%s,%d,%d)] Error: a film is already playing.\n", file ? file : "(null)",
                       sound, filter);
        return false;
    }
    video_film::Film film;
    if (!video_film::Open(film, *state, file, sound, filter)) return false;
    state->playing = true;
    video_display::Begin(*state);
    SMPEG_play(film.stream);
    // The film loop keeps the frame-rate statistics going.
    const bool played = RunPlayback(*state, film, file, [] {
        if (ITimeSystem != nullptr) ITimeSystem->Update();
    });
    video_film::Close(film, *state);
    state->playing = false;
    return played;
}
