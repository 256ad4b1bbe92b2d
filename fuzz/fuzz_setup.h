// Start-up shared by the fuzzers: the SDK initialised with its log thrown
// away, with a private folder for the files a run writes (removed with them
// at exit) or with a screen, and an archive holding the fuzzer's bytes as
// one block.
#ifndef VELTRANO_FUZZ_SETUP_H
#define VELTRANO_FUZZ_SETUP_H

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"

namespace fuzz_setup {

// The one file each run writes; kept here so the exit handler can remove it.
inline std::string& WorkFile() {
    static std::string file;
    return file;
}

// Initialises the SDK and gives the path of the work file, fileName inside
// a fresh folder.
inline const std::string& Start(const char* name, const char* fileName) {
    ILogSystem.Init("/dev/null", 4, 5, name, nullptr, nullptr, nullptr);
    if (Veltrano.Init(0) != 1) std::abort();
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + name + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    static std::string folder = pattern;
    WorkFile() = folder + "/" + fileName;
    std::atexit([] {
        std::remove(WorkFile().c_str());
        rmdir(folder.c_str());
    });
    return WorkFile();
}

// Writes the fuzzer's bytes as the whole work file and gives its path.
inline const std::string& WriteWorkFile(const uint8_t* data, size_t size) {
    FILE* out = std::fopen(WorkFile().c_str(), "wb");
    if (out == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, out) != size) std::abort();
    std::fclose(out);
    return WorkFile();
}

// Initialises the SDK, its log thrown away, with a small 32-bit screen on
// the headless driver, for the fuzzers that draw.
inline void StartWithScreen(const char* name, int width, int height) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ILogSystem.Init("/dev/null", 4, 5, name, nullptr, nullptr, nullptr);
    if (Veltrano.Init(SDL_INIT_VIDEO) != 1) std::abort();
    Veltrano.Config.resolutionx = width;
    Veltrano.Config.resolutiony = height;
    Veltrano.Config.colordepth = 32;
    if (Veltrano.SetVideoMode() != 1) std::abort();
}

// A new archive at path (an old one removed) holding bytes as the raw
// block "input" of the type, so the loader sees the bytes as they are; its
// open handle.
inline int FreshArchiveWith(const std::string& path, const char* type, std::string& bytes) {
    std::remove(path.c_str());
    const int handle = IStuffDPF->Create(path.c_str());
    if (handle <= 0) std::abort();
    DPF_BlockData block{};
    std::strcpy(block.name, "input");
    std::strcpy(block.type, type);
    block.storage = 1;
    block.size = static_cast<int>(bytes.size());
    block.data = bytes.data();
    IStuffDPF->AddData(handle, &block);
    return handle;
}

}  // namespace fuzz_setup

#endif
