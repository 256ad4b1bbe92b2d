// Start-up shared by the sound fuzzers: the SDK initialised with the mixer
// open on the dummy driver, and the fuzzer's bytes as a plain file and as
// the raw block "input" of a fresh archive.
#ifndef VELTRANO_FUZZ_SOUND_FUZZ_SETUP_H
#define VELTRANO_FUZZ_SOUND_FUZZ_SETUP_H

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Veltrano_ISoundFX.h"
#include "fuzz_setup.h"

namespace sound_fuzz {

struct Paths {
    std::string archive;
    std::string file;
};

inline Paths& WorkPaths() {
    static Paths paths;
    return paths;
}

inline void Start(const char* name) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    WorkPaths().archive = fuzz_setup::Start(name, "input.dpf");
    WorkPaths().file = WorkPaths().archive + ".audio";
    // Runs before fuzz_setup's handler, which removes the folder.
    std::atexit([] { std::remove(WorkPaths().file.c_str()); });
    if (ISoundFX->Init(22050, AUDIO_S16SYS, 2, 512) != 1) std::abort();
}

// Writes the bytes as the plain file and as the block "input" of the type;
// the open archive's handle.
inline int Prepare(std::string& bytes, const char* type) {
    FILE* file = std::fopen(WorkPaths().file.c_str(), "wb");
    if (file == nullptr) std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
    std::fclose(file);
    return fuzz_setup::FreshArchiveWith(WorkPaths().archive, type, bytes);
}

}  // namespace sound_fuzz

#endif
