#include "media/sound_decode.h"

#include <cstdlib>
#include <cstring>

#include "media/mixer_loaders.h"

namespace sound_decode {

namespace {

using Decoder = SDL_AudioSpec* (*)(SDL_RWops*, int, SDL_AudioSpec*, Uint8**, Uint32*);

long StreamSize(SDL_RWops* stream) {
    const long size = SDL_RWseek(stream, 0, RW_SEEK_END);
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    return size;
}

// Reads count bytes at offset; false on a short read.
bool ReadAt(SDL_RWops* stream, long offset, Uint8* out, int count) {
    return SDL_RWseek(stream, offset, RW_SEEK_SET) == offset && SDL_RWread(stream, out, 1, count) == count;
}

Uint32 LE32(const Uint8* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<Uint32>(p[3]) << 24; }
Uint32 BE32(const Uint8* p) { return static_cast<Uint32>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
Uint32 BE16(const Uint8* p) { return p[0] << 8 | p[1]; }

// The WAV reader allocates each chunk's stated length before reading it,
// and takes a header it could not read whole as a (random) length: every
// chunk up to "data" must be there whole.
bool WavChunksFit(SDL_RWops* stream) {
    const long size = StreamSize(stream);
    Uint8 header[8];
    for (long offset = 12; ReadAt(stream, offset, header, 8); offset += 8 + static_cast<long>(LE32(header + 4))) {
        if (LE32(header + 4) > static_cast<Uint32>(size - offset - 8)) return false;
        if (std::memcmp(header, "data", 4) == 0) return true;
    }
    return false;
}

// The AIFF reader allocates what "COMM" states before reading "SSND", and
// walks chunks until it has both, forever when a length points past the
// end: every chunk up to both must be there whole, and the stated samples
// must fit in the bytes there are.
bool AiffSamplesFit(SDL_RWops* stream) {
    const long size = StreamSize(stream);
    bool comm = false;
    bool ssnd = false;
    Uint8 header[8];
    for (long offset = 12; !(comm && ssnd); offset += 8 + static_cast<long>(BE32(header + 4))) {
        if (!ReadAt(stream, offset, header, 8)) return false;
        const Uint32 length = BE32(header + 4);
        if (length == 0 || length > static_cast<Uint32>(size - offset - 8)) return false;
        ssnd = ssnd || std::memcmp(header, "SSND", 4) == 0;
        if (std::memcmp(header, "COMM", 4) != 0) continue;
        Uint8 fields[8];
        if (length < 8 || !ReadAt(stream, offset + 8, fields, 8)) return false;
        const Uint64 bytes = static_cast<Uint64>(BE16(fields)) * BE32(fields + 2) * (BE16(fields + 6) / 8);
        if (bytes > static_cast<Uint64>(size)) return false;
        comm = true;
    }
    return true;
}

// The VOC reader goes on reading blocks after the terminator, into a buffer
// it did not grow for them: every block must be there whole, and nothing may
// follow the terminator.
bool VocBlocksFit(SDL_RWops* stream) {
    const long size = StreamSize(stream);
    Uint8 field[4];
    if (!ReadAt(stream, 20, field, 2)) return false;
    long offset = field[0] | field[1] << 8;
    while (offset < size) {
        if (!ReadAt(stream, offset, field, 1)) return false;
        if (field[0] == 0) return offset + 1 == size;  // the terminator ends the file
        if (!ReadAt(stream, offset + 1, field, 3)) return false;
        const long length = field[0] | field[1] << 8 | static_cast<long>(field[2]) << 16;
        if (length > size - offset - 4) return false;
        offset += 4 + length;
    }
    return offset == size;
}

bool AnySize(SDL_RWops*) { return true; }

struct Format {
    char signature[5];
    const char* tag;
    Decoder decode;
    // Whether the stated sizes are ones the decoder may allocate.
    bool (*plausible)(SDL_RWops*);
    // The decoder leaves its buffer behind when it fails part way.
    bool leavesBufferOnFailure;
};

const Format kFormats[] = {
    {"RIFF", "WAV", SDL_LoadWAV_RW, WavChunksFit, false},   {"WAVE", "WAV", SDL_LoadWAV_RW, WavChunksFit, false},
    {"FORM", "AIFF", Mix_LoadAIFF_RW, AiffSamplesFit, true}, {"OggS", "OGG", Mix_LoadOGG_RW, AnySize, false},
    {"Crea", "VOC", Mix_LoadVOC_RW, VocBlocksFit, true},
};

bool Run(SDL_RWops* stream, const Format& format, Samples& samples) {
    samples.Release();
    if (!format.plausible(stream)) return false;
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    const bool decoded = format.decode(stream, 0, &samples.spec, &samples.data, &samples.length) != nullptr;
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    if (!decoded) {
        if (!format.leavesBufferOnFailure) samples.data = nullptr;
        samples.Release();
        return false;
    }
    samples.tag = format.tag;
    return true;
}

// SDL's converter keeps at most ten steps and adds one per halving or
// doubling of the rate, writing past its table for rates too far apart.
// Sounds it cannot convert safely (or at all) are refused.
bool Convertible(const SDL_AudioSpec& spec, int deviceRate) {
    constexpr long kMaxRateRatio = 32;
    const int channels = spec.channels;
    if (channels != 1 && channels != 2 && channels != 4 && channels != 6) return false;
    return spec.freq > 0 && static_cast<long>(spec.freq) * kMaxRateRatio >= deviceRate &&
           static_cast<long>(deviceRate) * kMaxRateRatio >= spec.freq;
}

}  // namespace

Samples::~Samples() { Release(); }

void Samples::Release() {
    if (data != nullptr) SDL_FreeWAV(data);
    data = nullptr;
    length = 0;
    spec = SDL_AudioSpec{};
    tag = "";
}

Result Decode(SDL_RWops* stream, Samples& samples) {
    char signature[4] = {};
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    const bool whole = SDL_RWread(stream, signature, 1, 4) == 4;
    for (const Format& format : kFormats) {
        if (whole && std::memcmp(signature, format.signature, 4) == 0)
            return Run(stream, format, samples) ? Result::Decoded : Result::Failed;
    }
    return Result::Unknown;
}

bool DecodeOgg(SDL_RWops* stream, Samples& samples) { return Run(stream, kFormats[3], samples); }

Mix_Chunk* MakeChunk(const Samples& samples) {
    int frequency = 0;
    int channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0 || !Convertible(samples.spec, frequency)) return nullptr;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, samples.spec.format, samples.spec.channels, samples.spec.freq, format,
                          static_cast<Uint8>(channels), frequency) < 0)
        return nullptr;
    const size_t room = static_cast<size_t>(samples.length) * static_cast<size_t>(cvt.len_mult > 0 ? cvt.len_mult : 1);
    if (room > 0x7FFFFFFF) return nullptr;
    auto* buffer = static_cast<Uint8*>(std::malloc(room > 0 ? room : 1));
    if (buffer == nullptr) return nullptr;
    if (samples.length > 0) std::memcpy(buffer, samples.data, samples.length);
    Uint32 length = samples.length;
    if (cvt.needed) {
        cvt.buf = buffer;
        cvt.len = static_cast<int>(samples.length);
        if (SDL_ConvertAudio(&cvt) < 0) {
            std::free(buffer);
            return nullptr;
        }
        length = static_cast<Uint32>(cvt.len_cvt);
    }
    Mix_Chunk* chunk = Mix_QuickLoad_RAW(buffer, length);
    if (chunk == nullptr) {
        std::free(buffer);
        return nullptr;
    }
    chunk->allocated = 1;  // Mix_FreeChunk releases the buffer with the chunk
    return chunk;
}

}  // namespace sound_decode
