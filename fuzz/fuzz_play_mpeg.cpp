// PlayMPEG on cut films and films whose container headers are changed. The
// input describes the film: byte 0 picks one of the two test films, bytes 1
// and 2 where it is cut (0xFFFF: not cut), then pairs of a header byte's
// index (2 bytes) and its new value. Only the pack, system and packet
// headers are changed (what the player's probe and smpeg's demultiplexer
// read): smpeg 0.4.5's picture and sound decoders crash on mutated payloads,
// which no caller can guard against. Each run shows at most a few frames, and
// a stream the decoder stalls on is given up by the player's watchdog.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Veltrano_IVideo.h"
#include "fuzz_setup.h"
#include "media/video_display.h"

namespace {

constexpr int kFrameBudget = 3;
constexpr Uint32 kStallLimitMs = 300;

struct SeedFilm {
    std::string bytes;
    std::vector<size_t> headerBytes;  // positions inside container headers
};

int framesLeft = 0;

int CountDown(int, SDL_Surface* frame, SDL_Rect*) {
    if (frame == nullptr || frame->w <= 0) std::abort();  // only live frames are handed on
    return --framesLeft > 0;
}

unsigned At(const std::string& d, size_t i) { return i < d.size() ? static_cast<unsigned char>(d[i]) : 0u; }

// Every byte of the pack headers, system headers and packet headers (up to
// where a packet's payload starts).
std::vector<size_t> HeaderBytes(const std::string& d) {
    std::vector<size_t> positions;
    for (size_t i = 0; i + 6 <= d.size(); ++i) {
        if (At(d, i) != 0 || At(d, i + 1) != 0 || At(d, i + 2) != 1) continue;
        const unsigned id = At(d, i + 3);
        size_t end = i;
        if (id == 0xBA) end = i + 12;
        else if (id == 0xBB) end = i + 6 + (At(d, i + 4) << 8 | At(d, i + 5));
        else if (id >= 0xC0 && id <= 0xEF) {
            end = i + 6;
            while (At(d, end) == 0xFF) ++end;
            if ((At(d, end) & 0xC0) == 0x40) end += 2;
            end += (At(d, end) & 0xF0) == 0x30 ? 10 : (At(d, end) & 0xF0) == 0x20 ? 5 : 1;
        }
        for (size_t p = i; p < end && p < d.size(); ++p) positions.push_back(p);
    }
    return positions;
}

SeedFilm Load(const char* name) {
    std::ifstream in(std::string(VELTRANO_SOURCE_DIR) + "/tests/data/media/" + name, std::ios::binary);
    SeedFilm film{std::string(std::istreambuf_iterator<char>(in), {}), {}};
    if (film.bytes.empty()) std::abort();
    film.headerBytes = HeaderBytes(film.bytes);
    return film;
}

const std::string& FilmPath() {
    static const std::string path = [] {
        fuzz_setup::StartWithScreen("fuzz_play_mpeg", 160, 120);
        const char* tmp = std::getenv("TMPDIR");
        static std::string file =
            std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_play_mpeg-" + std::to_string(getpid()) + ".mpg";
        std::atexit([] { std::remove(file.c_str()); });
        IVideo->SetFunction(CountDown);
        IVideo->SetPosition(-1, -1);
        video_display::SetStallLimit(kStallLimitMs);
        return file;
    }();
    return path;
}

std::string MakeFilm(const uint8_t* data, size_t size) {
    static const SeedFilm films[] = {Load("film.mpg"), Load("film_silent.mpg")};
    const SeedFilm& seed = films[data[0] & 1];
    std::string film = seed.bytes;
    for (size_t i = 3; i + 2 < size; i += 3) {
        const size_t index = (data[i] << 8 | data[i + 1]) % seed.headerBytes.size();
        film[seed.headerBytes[index]] = static_cast<char>(data[i + 2]);
    }
    const size_t cut = data[1] << 8 | data[2];
    if (cut != 0xFFFF) film.resize(cut * film.size() / 0xFFFF);
    return film;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const std::string& path = FilmPath();
    const std::string film = MakeFilm(data, size);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) std::abort();
    std::fwrite(film.data(), 1, film.size(), out);
    std::fclose(out);
    // The first byte also picks the sound route, the filter and the effect.
    framesLeft = kFrameBudget;
    IVideo->SetFX(data[0] >> 1 & 15);
    IVideo->PlayMPEG(path.c_str(), static_cast<char>(data[0] >> 5 & 1), static_cast<char>(data[0] >> 6 & 1));
    return 0;
}
