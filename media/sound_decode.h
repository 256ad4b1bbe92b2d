// Whole sound files decoded to samples, by their first four bytes: "RIFF"
// or "WAVE" (WAV), "FORM" (AIFF), "OggS" (Ogg Vorbis), "Crea" (VOC). The
// mixer's own chunk loader does the same, but leaks the samples when an AIFF
// or VOC file fails part way; decoding here releases them, and the chunk is
// built from the decoded samples.
#ifndef VELTRANO_MEDIA_SOUND_DECODE_H
#define VELTRANO_MEDIA_SOUND_DECODE_H

#include <SDL.h>
#include <SDL_mixer.h>

namespace sound_decode {

// Decoded samples, released with the holder.
struct Samples {
    Samples() = default;
    ~Samples();
    Samples(const Samples&) = delete;
    Samples& operator=(const Samples&) = delete;
    void Release();
    const char* tag = "";
    SDL_AudioSpec spec{};
    Uint8* data = nullptr;
    Uint32 length = 0;
};

enum class Result { Decoded, Unknown, Failed };

// Decodes the stream from its start; Unknown when no signature matches
// (also when fewer than four bytes can be read). The stream stays open.
Result Decode(SDL_RWops* stream, Samples& samples);
// Decodes the stream as Ogg Vorbis whatever it begins with.
bool DecodeOgg(SDL_RWops* stream, Samples& samples);

// A chunk holding the samples converted to the open device's format; the
// chunk owns its buffer. Null when the conversion cannot be made.
Mix_Chunk* MakeChunk(const Samples& samples);

}  // namespace sound_decode

#endif
