// Arbitrary bytes as a PNG in memory: LoadPNG, and for what loads, every
// pixel is read and the surface is written back out with SavePNG.
#include <cstdint>
#include <string>

#include "Veltrano_IImage.h"
#include "fuzz_setup.h"

namespace {

std::string output;

void TouchPixels(SDL_Surface* surface) {
    volatile uint8_t sum = 0;
    const auto* pixels = static_cast<const uint8_t*>(surface->pixels);
    for (size_t i = 0; i < static_cast<size_t>(surface->pitch) * surface->h; ++i) sum = sum + pixels[i];
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    output = fuzz_setup::Start("fuzz_png", "out.png");
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
