// Arbitrary bytes as a PNG in memory: LoadPNG, and for what loads, every
// pixel is read and the surface is written back out with SavePNG.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "Veltrano_IImage.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"

namespace {

std::string folder;
std::string output;

void TouchPixels(SDL_Surface* surface) {
    volatile uint8_t sum = 0;
    const auto* pixels = static_cast<const uint8_t*>(surface->pixels);
    for (size_t i = 0; i < static_cast<size_t>(surface->pitch) * surface->h; ++i) sum = sum + pixels[i];
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ILogSystem.Init("/dev/null", 4, 5, "fuzz_png", nullptr, nullptr, nullptr);
    if (Veltrano.Init(0) != 1) std::abort();
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_png-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    output = folder + "/out.png";
    std::atexit([] {
        std::remove(output.c_str());
        rmdir(folder.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    SDL_Surface* surface = IImage->LoadPNG(bytes.data(), static_cast<int>(bytes.size()));
    if (surface == nullptr) return 0;
    TouchPixels(surface);
    IImage->SavePNG(output.c_str(), surface, static_cast<int>(size % 12) - 1);
    SDL_FreeSurface(surface);
    return 0;
}
