// Opening a film for playback (the smpeg stream with its sound route,
// filter and size, and the surfaces it is decoded and rendered into) and
// closing it again.
#ifndef VELTRANO_MEDIA_VIDEO_FILM_H
#define VELTRANO_MEDIA_VIDEO_FILM_H

#include <smpeg.h>

struct VideoState;

namespace video_film {

struct Film {
    SMPEG* stream = nullptr;
    SMPEG_Info info{};
    bool mixerHook = false;  // the film's sound plays through the SDK's mixer
    int ownAudio = 0;        // smpeg opens the audio device itself
    char filter = 0;
};

// Opens file, decoded at the state's scale (the film's own size where it is
// 0), into the state's surfaces and position size. On failure logs why,
// leaves nothing open and returns false.
bool Open(Film& film, VideoState& state, const char* file, char sound, char filter);
// Stops and deletes the stream and frees the surfaces.
void Close(Film& film, VideoState& state);

}  // namespace video_film

#endif
