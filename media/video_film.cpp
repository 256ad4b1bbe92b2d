#include "media/video_film.h"

#include <SDL_mixer.h>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_ISoundFX.h"
#include "Veltrano_Main.h"
#include "media/mpeg_probe.h"
#include "media/video_display.h"
#include "media/video_state.h"

namespace video_film {

namespace {

const char* Text(const char* s) { return s != nullptr ? s : "(null)"; }

void LogError(const char* file, int ownAudio, char filter, const char* error) {
    ILogSystem.Msg(0, " . [IVideo->Play(%s,%d,%d)] Error: %s.\n", Text(file), ownAudio, filter, Text(error));
}

// The failure text for a stream smpeg could not open, or null when it opened.
const char* StreamError(SMPEG* stream, const SMPEG_Info& info) {
    if (stream == nullptr) return "out of memory";
    if (const char* error = SMPEG_error(stream)) return error;
    return info.has_video ? nullptr : "no video stream";
}

// The film's sound goes through the mixer's music hook, in the device's format.
void RouteSoundToMixer(Film& film) {
    int freq = 0, channels = 0;
    unsigned short format = 0;
    ISoundFX->QuerySpec(&freq, &format, &channels);
    SDL_AudioSpec device{};
    device.freq = freq;
    device.format = format;
    device.channels = static_cast<Uint8>(channels);
    SMPEG_actualSpec(film.stream, &device);
    Mix_HookMusic(SMPEG_playAudioSDL, film.stream);
    SMPEG_enableaudio(film.stream, 1);
    film.mixerHook = true;
}

void Configure(Film& film, VideoState& state, bool mixer, int ownAudio, char filter) {
    SMPEG_enableaudio(film.stream, ownAudio);
    SMPEG_enablevideo(film.stream, 1);
    SMPEG_setvolume(film.stream, 100);
    // smpeg's hook has no decoder to read for a film without sound.
    if (mixer && film.info.has_audio) RouteSoundToMixer(film);
    if (filter) {
        SMPEG_Filter* replaced = SMPEG_filter(film.stream, SMPEGfilter_bilinear());
        if (replaced != nullptr) replaced->destroy(replaced);
    }
    state.position.w = static_cast<Uint16>(state.scaleW != 0 ? state.scaleW : film.info.width);
    state.position.h = static_cast<Uint16>(state.scaleH != 0 ? state.scaleH : film.info.height);
    SMPEG_scaleXY(film.stream, state.position.w, state.position.h);
}

void LogInfo(const SMPEG_Info& info) {
    if (info.has_video) ILogSystem.Msg(5, " . [IVideo->Play()] Info: %dx%d video resolution.\n", info.width, info.height);
    if (info.has_audio) ILogSystem.Msg(5, " . [IVideo->Play()] Info: %s system audio.\n", info.audio_string);
    if (info.total_time > 0) ILogSystem.Msg(5, " . [IVideo->Play()] Info: %f time.\n", info.total_time);
}

SDL_Surface* FrameSurface(const SDL_Rect& size) {
    const SDL_PixelFormat* f = Veltrano.screen->format;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, size.w, size.h, f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, 0);
}

void FreeSurfaces(VideoState& state) {
    SDL_FreeSurface(state.videoSurface);
    SDL_FreeSurface(state.effectSurface);
    state.videoSurface = nullptr;
    state.effectSurface = nullptr;
    state.shownSurface = nullptr;  // the callback never sees a freed frame
}

bool CreateSurfaces(VideoState& state, const char* file, int ownAudio, char filter) {
    state.videoSurface = FrameSurface(state.position);
    state.effectSurface = state.videoSurface != nullptr ? FrameSurface(state.position) : nullptr;
    if (state.effectSurface != nullptr) return true;
    ILogSystem.Msg(0, " . [IVideo->Play(%s,%d,%d)] Error creating %s surface.\n", Text(file), ownAudio, filter,
                   state.videoSurface == nullptr ? "video" : "FX");
    FreeSurfaces(state);
    return false;
}

void DeleteStream(Film& film) {
    if (film.mixerHook) Mix_HookMusic(nullptr, nullptr);
    film.mixerHook = false;
    if (film.stream != nullptr) SMPEG_delete(film.stream);
    film.stream = nullptr;
}

}  // namespace

bool Open(Film& film, VideoState& state, const char* file, char sound, char filter) {
    const bool mixer = sound != 0 && ISoundFX != nullptr && ISoundFX->Initialized();
    const int ownAudio = mixer ? 0 : sound;
    film.ownAudio = ownAudio;
    film.filter = filter;
    if (Veltrano.screen == nullptr) {
        LogError(file, ownAudio, filter, "Veltrano.screen was not initialized");
        return false;
    }
    if (const char* refusal = file == nullptr ? "no file name" : mpeg_probe::Refusal(file)) {
        LogError(file, ownAudio, filter, refusal);
        return false;
    }
    film.stream = SMPEG_new(file, &film.info, ownAudio);
    if (const char* error = StreamError(film.stream, film.info)) {
        LogError(file, ownAudio, filter, error);
        DeleteStream(film);
        return false;
    }
    Configure(film, state, mixer, ownAudio, filter);
    LogInfo(film.info);
    if (!CreateSurfaces(state, file, ownAudio, filter)) {
        DeleteStream(film);
        return false;
    }
    SMPEG_setdisplay(film.stream, state.videoSurface, nullptr, video_display::DisplayFrame);
    return true;
}

void Close(Film& film, VideoState& state) {
    video_display::StopHandOver(state);
    SMPEG_stop(film.stream);
    DeleteStream(film);
    video_display::End();
    FreeSurfaces(state);
}

}  // namespace video_film
